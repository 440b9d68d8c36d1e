// SPDX-License-Identifier: MIT
#include "web/websession.h"

#include <stdexcept>
#include <variant>

#include "core/da.h"
#include "core/melodyaddress.h"
#include "session/commands.h"
#include "session/shown.h"
#include "web/webvalues.h"

namespace merin::web {

using emscripten::val;

namespace {

val SaidOf(const session::Said& said) {
  return InBothLanguages([&](Language l) { return session::Words(said, l); });
}

val OrNull(const std::optional<Refusal>& refusal) {
  return refusal ? RefusalOf(*refusal) : val::null();
}

// Runs `act`, a JavaScript RangeError for a melody that is none (a code or cursor out of range).
template <typename F>
session::Outcome Checked(F act) {
  try {
    return act();
  } catch (const std::invalid_argument& error) {
    Throw("RangeError", error.what());
  }
}

}  // namespace

val WebSession::ResultOf(const session::Outcome& outcome) {
  val result = val::object();
  result.set("calls", view_.Take());
  result.set("changed", ArrayOf(outcome.changed));
  for (const auto& [key, value] : {std::pair{"step", outcome.step},
                                   {"titled", outcome.titled},
                                   {"moved", outcome.moved},
                                   {"queued", outcome.queued},
                                   {"canUndo", outcome.canUndo},
                                   {"canRedo", outcome.canRedo}}) {
    result.set(key, value);
  }
  result.set("said", outcome.said ? SaidOf(*outcome.said) : val::null());
  const MelodySnapshot now = session_.snapshot();
  val names = val::array();
  for (int32_t slot : outcome.changed) {
    val name = val::object();
    name.set("slot", slot);
    name.set("name", SaidOf(session::SlotSaid(now.codes, slot)));
    names.call<void>("push", name);
  }
  result.set("names", names);
  val replaced = val::array();
  for (const MelodySnapshot& snapshot : outcome.replaced) {
    replaced.call<void>("push", ValOf(snapshot));
  }
  result.set("replaced", replaced);
  result.set("refusal", OrNull(outcome.refusal));
  result.set("pictureFailure", OrNull(outcome.pictureFailure));
  result.set("melody", ValOf(now));
  result.set("empty", IsEmptyMelody(now.codes));
  result.set("saved", !session_.Modified());
  if (outcome.Changed()) result.set("address", FragmentOf(now.codes, now.title));
  // The on-screen keys a MIDI keyboard pressed and let go of, by their ids.
  for (const auto& [key, keys] :
       {std::pair{"pressed", &outcome.pressed}, {"released", &outcome.released}}) {
    val ids = val::array();
    for (const PianoKey k : *keys) {
      ids.call<void>("push", std::string(k.kind == PianoKey::Kind::White   ? "ken"
                                         : k.kind == PianoKey::Kind::Black ? "bkey"
                                                                           : "PedalSW") +
                                 (k.kind == PianoKey::Kind::Rest ? "" : std::to_string(k.index)));
    }
    result.set(key, ids);
  }
  result.set("shifted", outcome.shiftedIntoRange);
  return result;
}

val WebSession::Midi(const val& bytes, double ms) {
  const std::string read = BytesOf(bytes);
  const std::vector<uint8_t> data(read.begin(), read.end());
  return ResultOf(session_.Midi(data, int64_t(ms)));
}

val WebSession::Load() { return ResultOf(session_.Load(view_)); }

val WebSession::Command(const std::string& name, int value) {
  const auto command = session::CommandNamed(name);
  if (!command) Throw("RangeError", ("no such command: " + name).c_str());
  const size_t keys = *command == session::Command::White   ? kWhiteKeyCodes.size()
                      : *command == session::Command::Black ? kBlackKeyCodes.size()
                                                            : 0;
  if (keys && (value < 0 || size_t(value) >= keys)) Throw("RangeError", "no such key");
  return ResultOf(session::Perform(session_, *command, value));
}

val WebSession::StaffDown(int16_t slot, int16_t button, int16_t shift, float y) {
  if (slot < 0 || slot >= kSlotCount) Throw("RangeError", "no such slot");
  return ResultOf(session_.StaffDown(slot, button, shift, 0, y));
}

val WebSession::Marker(int16_t slot) {
  if (slot < 0 || slot >= kSlotCount) Throw("RangeError", "no such slot");
  return ResultOf(session_.Marker(slot));
}

val WebSession::SetTitle(const std::string& title) { return ResultOf(session_.SetTitle(title)); }

val WebSession::New() { return ResultOf(session_.New()); }

val WebSession::Bring(const val& melody) {
  const SlotCodes codes = CodesOf(melody["codes"]);
  const std::string title = melody["title"].isString() ? melody["title"].as<std::string>() : "";
  std::optional<int32_t> cursor;
  if (melody["cursor"].isNumber()) cursor = melody["cursor"].as<int32_t>();
  return ResultOf(Checked([&] { return session_.Bring(codes, title, cursor); }));
}

val WebSession::BringAddress(const std::string& fragment) {
  const auto read = MelodyOfFragment(fragment);
  if (const auto* refusal = std::get_if<Refusal>(&read)) {
    val result = val::object();
    result.set("refusal", RefusalOf(*refusal));
    return result;
  }
  const AddressedMelody& melody = std::get<AddressedMelody>(read);
  return ResultOf(session_.Bring(melody.codes, melody.title));
}

val WebSession::BringTaken(const val& bytes, const std::string& name, size_t number, size_t from) {
  val result = val::object();
  const auto examined = session::Session::Examine(BytesOf(bytes), name);
  if (const auto* refusal = std::get_if<Refusal>(&examined)) {
    result.set("refusal", RefusalOf(*refusal));
    return result;
  }
  const formats::Intake& intake = std::get<formats::Intake>(examined);
  const auto taken = intake.Take(number, from);
  if (const auto* refusal = std::get_if<Refusal>(&taken)) {
    result.set("refusal", RefusalOf(*refusal));
    return result;
  }
  const formats::Imported& melody = std::get<formats::Imported>(taken);
  result = ResultOf(session_.Bring(melody.codes, melody.title));
  result.set("format", std::string(intake.formatName()));
  result.set("import", melody.import);
  result.set("report", InBothLanguages([&](Language l) {
               return ArrayOf(session::ReportWords(melody.report, l));
             }));
  return result;
}

val WebSession::Export(const std::string& extension) const {
  const std::string file = session_.OfferedStem() + "." + extension;
  const auto exported = session_.Export(extension, file, Da::AppFolder);
  val result = val::object();
  if (const auto* refusal = std::get_if<Refusal>(&exported)) {
    result.set("refusal", RefusalOf(*refusal));
    return result;
  }
  const session::Exported& written = std::get<session::Exported>(exported);
  result.set("bytes", ArrayOf(written.bytes));
  result.set("file", file);
  std::string mime = "application/octet-stream";
  for (const formats::Format& format : session::Formats()) {
    if (!format.extensions.empty() && format.extensions.front() == extension) {
      mime = std::string(format.mime);
    }
  }
  result.set("mime", mime);
  result.set("nameChange", written.nameChange ? InBothLanguages([&](Language l) {
               return formats::Words(*written.nameChange, l);
             })
                                              : val::null());
  return result;
}

val WebSession::Snapshot() const { return ValOf(session_.snapshot()); }

val WebSession::Names() const {
  const SlotCodes codes = session_.snapshot().codes;
  val names = val::array();
  for (int32_t slot = 0; slot < kSlotCount; ++slot) {
    names.call<void>("push", SaidOf(session::SlotSaid(codes, slot)));
  }
  return names;
}

val WebSession::StartTestPlay() {
  val steps = val::array();
  for (const TestPlayStep& step : session_.StartTestPlay()) {
    val object = val::object();
    object.set("slot", step.slot);
    object.set("wave", step.wave);
    steps.call<void>("push", object);
  }
  val result = val::object();
  result.set("calls", view_.Take());
  result.set("steps", steps);
  return result;
}

val WebSession::ShowTestPlayStep(size_t step) {
  session_.ShowTestPlayStep(step);
  return view_.Take();
}

val WebSession::EndTestPlay(bool stopped) {
  return ResultOf(Checked([&] { return session_.EndTestPlay(stopped); }));
}

val ValOf(const MelodySnapshot& snapshot) {
  val object = val::object();
  object.set("codes",
             ArrayOf(std::vector<std::string>(snapshot.codes.begin(), snapshot.codes.end())));
  object.set("cursor", snapshot.cursor);
  object.set("title", snapshot.title);
  return object;
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
