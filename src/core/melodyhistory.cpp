// SPDX-License-Identifier: MIT
#include "core/melodyhistory.h"

namespace merin {

MelodySnapshot SnapshotOf(const Melody& melody) {
  return {CodesOf(melody), melody.Cursor, melody.Title};
}

MelodyHistory::Packed MelodyHistory::Pack(const MelodySnapshot& snapshot) {
  Packed packed{{}, snapshot.cursor, snapshot.title};
  for (const std::string& code : snapshot.codes) packed.codes += code + ' ';
  return packed;
}

MelodySnapshot MelodyHistory::Unpack(const Packed& packed) {
  MelodySnapshot snapshot{{}, packed.cursor, packed.title};
  size_t from = 0;
  for (std::string& code : snapshot.codes) {
    const size_t space = packed.codes.find(' ', from);
    code = packed.codes.substr(from, space - from);
    from = space + 1;
  }
  return snapshot;
}

bool MelodyHistory::Push(const MelodySnapshot& before, const MelodySnapshot& after) {
  if (after.codes == before.codes && after.title == before.title) return false;
  steps_.resize(done_);
  steps_.emplace_back(Pack(before), Pack(after));
  ++done_;
  return true;
}

bool MelodyHistory::AmendLast(const MelodySnapshot& after) {
  if (done_ == 0 || done_ != steps_.size()) return false;
  steps_.back().second = Pack(after);
  return true;
}

std::optional<MelodySnapshot> MelodyHistory::Undo() {
  if (!CanUndo()) return std::nullopt;
  return Unpack(steps_[--done_].first);
}

std::optional<MelodySnapshot> MelodyHistory::Redo() {
  if (!CanRedo()) return std::nullopt;
  return Unpack(steps_[done_++].second);
}

void MelodyHistory::Forget() {
  steps_.clear();
  done_ = 0;
}

}  // namespace merin
