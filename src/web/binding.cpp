// SPDX-License-Identifier: MIT
// The page's way into the program: embind functions over the session and the tables the page is
// drawn from, and the session of a tab (`Session`). Every rule stays in the libraries; here values
// only change shape. File bytes cross as Uint8Array, melodies as arrays of 30 codes, words as
// {ja, en}.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>

#include "core/da.h"
#include "core/melodyaddress.h"
#include "core/melodyedit.h"
#include "core/notecode.h"
#include "core/pitch.h"
#include "core/programfiles.h"
#include "entry/mainlayout.h"
#include "session/commands.h"
#include "session/session.h"
#include "session/shown.h"
#include "web/webfiles.h"
#include "web/websession.h"
#include "web/webvalues.h"

namespace merin::web {
namespace {

using emscripten::val;

// {text: the listing, slots: [{code, name, keys}]}: each slot's pitch name and its line.
val Convert(const val& codes) {
  const SlotCodes slots = CodesOf(codes);
  const std::string text = ConvertMelody(slots);
  val result = val::object();
  result.set("text", text);
  val lines = val::array();
  size_t from = 0;
  for (const std::string& code : slots) {
    const size_t end = text.find("\r\n", from);
    val slot = val::object();
    slot.set("code", code);
    slot.set("name", TokenOfCode(code));
    slot.set("keys", text.substr(from, end - from));
    lines.call<void>("push", slot);
    from = end + 2;
  }
  result.set("slots", lines);
  return result;
}

// [{slot, name, rest, confirm, key, presses, keys}]: how each slot is typed in, as the listing has
// it, `keys` in the order they are pressed.
val KeyPresses(const val& codes) {
  val slots = val::array();
  for (const SlotPresses& p : KeyPressesOf(CodesOf(codes))) {
    val slot = val::object();
    slot.set("slot", p.slot);
    slot.set("name", p.name);
    slot.set("rest", p.rest);
    slot.set("confirm", p.confirm);
    slot.set("key", std::string(1, p.key));
    slot.set("presses", p.presses);
    slot.set("keys", ArrayOf(KeysOf(p)));
    slots.call<void>("push", slot);
  }
  return slots;
}

// {codes} or {refusal}: an edit of the whole melody.
val EditOf(const MelodyEdit& edit) {
  val result = val::object();
  if (edit.refusal) {
    result.set("refusal", RefusalOf(*edit.refusal));
  } else {
    result.set("codes", ArrayOf(std::vector<std::string>(edit.codes.begin(), edit.codes.end())));
  }
  return result;
}

// {codes, title} of the address's fragment (without '#'), or {refusal}.
val MelodyOfAddress(const std::string& fragment) {
  const auto read = MelodyOfFragment(fragment);
  val result = val::object();
  if (const auto* refusal = std::get_if<Refusal>(&read)) {
    result.set("refusal", RefusalOf(*refusal));
    return result;
  }
  const AddressedMelody& melody = std::get<AddressedMelody>(read);
  result.set("codes", ArrayOf(std::vector<std::string>(melody.codes.begin(), melody.codes.end())));
  result.set("title", melody.title);
  result.set("cursor", SlotAfterLast(melody.codes, AfterFull::WrapToFirst));
  return result;
}

void SetProgramFolder(const std::string& folder) {
  Da::AppFolder = Da::WithTrailingSeparator(folder, '/');
}

// {ja, en} of a row of the core's word table, its {0}, {1} … left for the page to fill in.
val BothOf(const Text& row) {
  return InBothLanguages(
      [&](Language l) { return std::string(l == Language::English ? row.english : row.japanese); });
}

// The row `id` of any of the libraries' word tables.
val WordsOf(const std::string& id) {
  const Text* row = session::TextOf(id);
  if (!row) Throw("RangeError", ("no word table has the row " + id).c_str());
  return BothOf(*row);
}

std::string StaffNote(float y, bool sharp) {
  return std::string(session::Session::WouldWrite(y, sharp));
}

// {code, name, picture} of what a press at row `y` of a staff cell would write: the ghost note.
val WouldWrite(float y, bool sharp) {
  const std::string code(session::Session::WouldWrite(y, sharp));
  val result = val::object();
  result.set("code", code);
  result.set("name", TokenOfCode(code));
  result.set("picture", PictureFileOf(code));
  return result;
}

// The main window as the layout places it: {width, height, statusHeight, controls: [{name, kind,
// index, x, y, width, height}]}, kind one of staff, marker, white, black, pedal, convert,
// testPlay, status, multimedia; with the markers' colours {current, other}, the picture of an
// empty cell, the note codes of the white and the black keys and their pitch names ({code: name}).
val MainLayout() {
  static constexpr const char* kKinds[] = {"staff",   "marker",   "white",  "black",     "pedal",
                                           "convert", "testPlay", "status", "multimedia"};
  val controls = val::array();
  for (const ControlPlacement& p : kMainLayout) {
    val control = val::object();
    control.set("name", std::string(p.name));
    control.set("kind", std::string(kKinds[size_t(p.kind)]));
    for (const auto& [key, value] : {std::pair{"index", p.index},
                                     {"x", p.x},
                                     {"y", p.y},
                                     {"width", p.width},
                                     {"height", p.height}}) {
      control.set(key, value);
    }
    controls.call<void>("push", control);
  }
  val layout = val::object();
  layout.set("width", kClientWidth);
  layout.set("height", kClientHeight);
  layout.set("statusHeight", kStatusHeight);
  layout.set("controls", controls);
  val colours = val::object();
  colours.set("current", kCurrentMarkerColour);
  colours.set("other", kMarkerColour);
  layout.set("markerColours", colours);
  val white = val::array(), black = val::array(), names = val::object();
  for (std::string_view code : kWhiteKeyCodes) white.call<void>("push", std::string(code));
  for (std::string_view code : kBlackKeyCodes) black.call<void>("push", std::string(code));
  for (std::string_view code : kWhiteKeyCodes) names.set(std::string(code), TokenOfCode(code));
  for (std::string_view code : kBlackKeyCodes) names.set(std::string(code), TokenOfCode(code));
  layout.set("keyNames", names);
  layout.set("emptyPicture", std::string(kEmptyPicture));
  layout.set("whiteKeys", white);
  layout.set("blackKeys", black);
  return layout;
}

// {command, value} of a command as session/commands.h names it.
val CommandOf(session::Command command, int value) {
  val object = val::object();
  object.set("command", std::string(session::NameOf(command)));
  object.set("value", value);
  return object;
}

// Which key does what: {keys: {"Ctrl+Shift+ArrowUp": {command, value} ...}, piano: {"Z":
// {command: white, black or rest, value: the key's index} ...}, the piano's keys by the character
// they carry on a US keyboard; and the kept melodies listed and held, {keptListed, keptMost}.
val Shortcuts() {
  val keys = val::object();
  for (const session::Shortcut& s : session::kShortcuts) {
    const std::string name =
        std::string(s.ctrl ? "Ctrl+" : "") + (s.shift ? "Shift+" : "") + std::string(s.key);
    keys.set(name, CommandOf(s.command, s.value));
  }
  val piano = val::object();
  for (const char c : std::string_view("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789")) {
    const auto key = PianoKeyAt(c);
    if (!key) continue;
    const session::Command command = key->kind == PianoKey::Kind::White   ? session::Command::White
                                     : key->kind == PianoKey::Kind::Black ? session::Command::Black
                                                                          : session::Command::Rest;
    piano.set(std::string(1, c), CommandOf(command, key->index));
  }
  val result = val::object();
  result.set("keys", keys);
  result.set("piano", piano);
  result.set("keptListed", session::kKeptListed);
  result.set("keptMost", session::kKeptMost);
  return result;
}

}  // namespace

EMSCRIPTEN_BINDINGS(merinkast98) {
  using emscripten::function;
  function("formats", &Formats);
  function("examine", &Examine);
  function("take", &Take);
  function("exportAs", &ExportAs);
  function("convertMelody", &Convert);
  function("keyPresses", &KeyPresses);
  emscripten::constant("confirmKey", std::string(kConfirmKey));
  function("staffNoteAt", &StaffNote);
  function("wouldWrite", &WouldWrite);
  function("words", &WordsOf);
  // The ids of every row of the libraries' word tables.
  function(
      "wordIds", +[] {
        std::vector<std::string> ids;
        for (const Text* row : session::AllTexts()) ids.emplace_back(row->id);
        return ArrayOf(ids);
      });
  function("mainLayout", &MainLayout);
  function("shortcuts", &Shortcuts);
  function(
      "pitchName", +[](const std::string& code) { return TokenOfCode(code); });
  function(
      "pictureFileOf", +[](const std::string& code) { return PictureFileOf(code); });
  function(
      "waveFileOf", +[](const std::string& code) { return WaveFileOf(code); });
  // The MIDI key of a note's code, or -1 for a rest, an empty slot or no code.
  function(
      "midiOf", +[](const std::string& code) {
        const auto pitch = Pitch::FromCode(code);
        return pitch ? int(pitch->Midi()) : -1;
      });
  function("setProgramFolder", &SetProgramFolder);
  // [{slot, wave}]: what test play of `codes` sounds, the wave a file name of the program folder.
  function(
      "testPlaySteps", +[](const val& codes) {
        Melody melody;
        const SlotCodes slots = CodesOf(codes);
        std::copy(slots.begin(), slots.end(), melody.Notes.begin());
        val steps = val::array();
        for (const TestPlayStep& step : TestPlaySteps(melody)) {
          val object = val::object();
          object.set("slot", step.slot);
          object.set("wave", step.wave);
          steps.call<void>("push", object);
        }
        return steps;
      });
  // The edits of the 編集 menu on 30 codes and the current slot: {codes} or {refusal}.
  function(
      "insertEmptySlot", +[](const val& codes, int32_t slot) {
        return EditOf(InsertEmptySlot(CodesOf(codes), slot));
      });
  function(
      "removeSlot",
      +[](const val& codes, int32_t slot) { return EditOf(RemoveSlot(CodesOf(codes), slot)); });
  function(
      "transpose", +[](const val& codes, int semitones) {
        return EditOf(Transpose(CodesOf(codes), semitones));
      });
  // How a kept melody is listed: its first notes and rests by name, " …" when more follow.
  function(
      "firstNotes", +[](const val& codes) { return session::FirstNotes(CodesOf(codes)); });
  // Whether every slot is empty: one rest makes a melody.
  function(
      "isEmptyMelody", +[](const val& codes) { return IsEmptyMelody(CodesOf(codes)); });
  // The melody as the fragment of an address, and back.
  function(
      "fragmentOf", +[](const val& codes, const std::string& title) {
        return FragmentOf(CodesOf(codes), title);
      });
  function("melodyOfFragment", &MelodyOfAddress);
  function(
      "programFiles", +[] { return ArrayOf(ProgramFiles()); });

  emscripten::class_<WebSession>("Session")
      .constructor<int32_t, int32_t>()
      .function("load", &WebSession::Load)
      .function("forget", &WebSession::Forget)
      .function("command", &WebSession::Command)
      .function("staffDown", &WebSession::StaffDown)
      .function("marker", &WebSession::Marker)
      .function("setTitle", &WebSession::SetTitle)
      .function("newMelody", &WebSession::New)
      .function("bring", &WebSession::Bring)
      .function("bringAddress", &WebSession::BringAddress)
      .function("bringTaken", &WebSession::BringTaken)
      .function("exportAs", &WebSession::Export)
      .function("markSaved", &WebSession::MarkSaved)
      .function("modified", &WebSession::Modified)
      .function("address", &WebSession::Address)
      .function("snapshot", &WebSession::Snapshot)
      .function("names", &WebSession::Names)
      .function("startTestPlay", &WebSession::StartTestPlay)
      .function("showTestPlayStep", &WebSession::ShowTestPlayStep)
      .function("endTestPlay", &WebSession::EndTestPlay)
      .function("playing", &WebSession::Playing)
      .function("midi", &WebSession::Midi);
}

}  // namespace merin::web
