// SPDX-License-Identifier: MIT
// The page's way into the program: embind functions and classes over core, entry, output and
// formats. Every rule stays in those libraries; here values only change shape. File bytes cross
// as Uint8Array, melodies as arrays of 30 codes, words as {ja, en}.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>

#include "core/coretexts.h"
#include "core/da.h"
#include "core/melodyaddress.h"
#include "core/melodyedit.h"
#include "core/notecode.h"
#include "core/pitch.h"
#include "core/programfiles.h"
#include "entry/keyboard.h"
#include "entry/mainlayout.h"
#include "entry/pianolayout.h"
#include "entry/staff.h"
#include "formats/slots.h"
#include "output/convert.h"
#include "output/keypresses.h"
#include "web/webfiles.h"
#include "web/webmelody.h"
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

// The core's text `id`.
val WordsOf(const std::string& id) {
  for (const Text& row : kCoreTexts) {
    if (row.id == id) return BothOf(row);
  }
  Throw("RangeError", "no text of the core has this id");
}

std::string StaffNote(float y, bool sharp) { return std::string(StaffNoteAt(y, sharp)); }

bool Push(MelodyHistory& history, const val& before, const val& after) {
  return history.Push(SnapshotOf(before), SnapshotOf(after));
}

val Undo(MelodyHistory& history) {
  const auto snapshot = history.Undo();
  return snapshot ? ValOf(*snapshot) : val::null();
}

val Redo(MelodyHistory& history) {
  const auto snapshot = history.Redo();
  return snapshot ? ValOf(*snapshot) : val::null();
}

// The main window as the layout places it: {width, height, statusHeight, controls: [{name, kind,
// index, x, y, width, height}]}, kind one of staff, marker, white, black, pedal, convert,
// testPlay, status, multimedia; with the markers' colours {current, other}, the picture of an
// empty cell and the note codes of the white and the black keys.
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
  val white = val::array(), black = val::array();
  for (std::string_view code : kWhiteKeyCodes) white.call<void>("push", std::string(code));
  for (std::string_view code : kBlackKeyCodes) black.call<void>("push", std::string(code));
  layout.set("emptyPicture", std::string(kEmptyPicture));
  layout.set("whiteKeys", white);
  layout.set("blackKeys", black);
  return layout;
}

// {kind: white, black or rest, index} of the key that carries `usKey` on a US keyboard ("Z",
// "2"), or null.
val PianoKeyOf(const std::string& usKey) {
  const auto key = usKey.size() == 1 ? PianoKeyAt(usKey[0]) : std::nullopt;
  if (!key) return val::null();
  val object = val::object();
  object.set("kind", std::string(key->kind == PianoKey::Kind::White   ? "white"
                                 : key->kind == PianoKey::Kind::Black ? "black"
                                                                      : "rest"));
  object.set("index", key->index);
  return object;
}

// {id: {ja, en}} of every text of the page: the core's rows whose id begins "page." or, for the
// typing guide, "guide.".
val PageWordsOf() {
  val words = val::object();
  for (const Text& row : kCoreTexts) {
    if (row.id.starts_with("page.") || row.id.starts_with("guide."))
      words.set(std::string(row.id), BothOf(row));
  }
  return words;
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
  function("words", &WordsOf);
  function("mainLayout", &MainLayout);
  function("pianoKeyAt", &PianoKeyOf);
  function("pageWords", &PageWordsOf);
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
      "firstNotes", +[](const val& codes) { return formats::FirstNotes(CodesOf(codes)); });
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

  emscripten::class_<WebMelody>("Melody")
      .constructor<int32_t, int32_t>()
      .function("Form_Load", &WebMelody::FormLoad)
      .function("ken_Click", &WebMelody::KenClick)
      .function("bkey_Click", &WebMelody::BkeyClick)
      .function("PedalSW_Click", &WebMelody::PedalSwClick)
      .function("Gosen_MouseDown", &WebMelody::GosenMouseDown)
      .function("np_Click", &WebMelody::NpClick)
      .function("select", &WebMelody::Select)
      .function("Command2_Click", &WebMelody::Command2Click)
      .function("testPlaySteps", &WebMelody::TestPlaySteps)
      .function("apply", &WebMelody::Apply)
      .function("snapshot", &WebMelody::Snapshot);

  emscripten::class_<MelodyHistory>("MelodyHistory")
      .constructor<>()
      .function("push", &Push)
      .function("undo", &Undo)
      .function("redo", &Redo)
      .function("canUndo", &MelodyHistory::CanUndo)
      .function("canRedo", &MelodyHistory::CanRedo)
      .function("forget", &MelodyHistory::Forget);
}

}  // namespace merin::web
