// SPDX-License-Identifier: MIT
#include "web/webmelody.h"

#include <stdexcept>

#include "core/applymelody.h"
#include "core/lifecycle.h"
#include "core/melodyedit.h"
#include "entry/keyboard.h"
#include "entry/staff.h"
#include "output/testplay.h"
#include "web/webvalues.h"

namespace merin::web {

using emscripten::val;

val WebMelody::FormLoad() {
  Form_Load(melody_, view_, view_);
  return view_.Take();
}

val WebMelody::KenClick(int16_t index) {
  ken_Click(melody_, view_, index);
  return view_.Take();
}

val WebMelody::BkeyClick(int16_t index) {
  bkey_Click(melody_, view_, index);
  return view_.Take();
}

val WebMelody::PedalSwClick() {
  PedalSW_Click(melody_, view_);
  return view_.Take();
}

val WebMelody::GosenMouseDown(int16_t index, int16_t button, int16_t shift, float x, float y) {
  Gosen_MouseDown(melody_, view_, index, button, shift, x, y);
  return view_.Take();
}

val WebMelody::NpClick(int16_t index) {
  np_Click(melody_, view_, index);
  return view_.Take();
}

val WebMelody::Select(const std::string& where) {
  const int32_t cursor = melody_.Cursor;
  const int32_t slot = where == "previous" ? PreviousSlot(cursor)
                       : where == "next"   ? NextSlot(cursor)
                       : where == "first"  ? 0
                       : where == "end"    ? SlotAfterLast(merin::CodesOf(melody_))
                                           : -1;
  if (slot < 0) val::global("RangeError").new_("no such slot: " + where).throw_();
  np_Click(melody_, view_, int16_t(slot));
  return view_.Take();
}

val WebMelody::Command2Click() {
  Command2_Click(melody_, view_, view_);
  return view_.Take();
}

val WebMelody::Apply(const val& snapshot) {
  const MelodySnapshot wanted = SnapshotOf(snapshot);
  try {
    ApplyMelody(melody_, view_, wanted.codes, wanted.cursor);
  } catch (const std::invalid_argument& error) {
    view_.Take();
    Throw("RangeError", error.what());
  }
  melody_.Title = wanted.title;
  return view_.Take();
}

val WebMelody::Snapshot() const { return ValOf(merin::SnapshotOf(melody_)); }

val WebMelody::TestPlaySteps() const {
  val steps = val::array();
  for (const TestPlayStep& step : merin::TestPlaySteps(melody_)) {
    val object = val::object();
    object.set("slot", step.slot);
    object.set("wave", step.wave);
    steps.call<void>("push", object);
  }
  return steps;
}

val ValOf(const MelodySnapshot& snapshot) {
  val codes = val::array();
  for (const std::string& code : snapshot.codes) codes.call<void>("push", code);
  val object = val::object();
  object.set("codes", codes);
  object.set("cursor", snapshot.cursor);
  object.set("title", snapshot.title);
  return object;
}

MelodySnapshot SnapshotOf(const val& snapshot) {
  if (!snapshot["cursor"].isNumber() || !snapshot["title"].isString()) {
    Throw("TypeError", "a snapshot is {codes, cursor, title}");
  }
  return {CodesOf(snapshot["codes"]), snapshot["cursor"].as<int32_t>(),
          snapshot["title"].as<std::string>()};
}

SlotCodes CodesOf(const val& codes) {
  if (!codes.isArray() || codes["length"].as<size_t>() != kSlotCount) {
    Throw("TypeError", "a melody is an array of 30 codes");
  }
  SlotCodes slots;
  for (size_t i = 0; i < slots.size(); ++i) {
    const val code = codes[i];
    if (!code.isString()) Throw("TypeError", "a code is a string");
    slots[i] = code.as<std::string>();
  }
  return slots;
}

}  // namespace merin::web
