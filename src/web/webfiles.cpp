// SPDX-License-Identifier: MIT
#include "web/webfiles.h"

#include <variant>
#include <vector>

#include "core/da.h"
#include "core/melodyedit.h"
#include "session/session.h"
#include "session/shown.h"
#include "web/websession.h"
#include "web/webvalues.h"

namespace merin::web {
namespace {

using emscripten::val;
using formats::Imported;
using formats::Refusal;

val ImportedOf(const Imported& melody) {
  val object = val::object();
  object.set("codes", ArrayOf(std::vector<std::string>(melody.codes.begin(), melody.codes.end())));
  object.set("report", InBothLanguages([&](Language l) {
               return ArrayOf(session::ReportWords(melody.report, l));
             }));
  object.set("import", melody.import);
  object.set("title", melody.title);
  // Where typing goes on, as after a melody opened in the window.
  object.set("cursor", SlotAfterLast(melody.codes, AfterFull::WrapToFirst));
  return object;
}

// {melody} or {refusal}.
val ResultOf(const std::variant<Imported, Refusal>& read) {
  val result = val::object();
  if (const auto* refusal = std::get_if<Refusal>(&read)) {
    result.set("refusal", RefusalOf(*refusal));
  } else {
    result.set("melody", ImportedOf(std::get<Imported>(read)));
  }
  return result;
}

}  // namespace

val Formats() {
  val list = val::array();
  for (const formats::Format& f : session::Formats()) {
    val format = val::object();
    format.set("name", std::string(f.name));
    format.set("extensions",
               ArrayOf(std::vector<std::string>(f.extensions.begin(), f.extensions.end())));
    format.set("mime", std::string(f.mime));
    format.set("ja", std::string(f.dialogName.japanese));
    format.set("en", std::string(f.dialogName.english));
    format.set("binary", f.binary);
    format.set("ownFile", f.ownFile);
    format.set("readable", f.read != nullptr);
    format.set("writable", session::Writable(f.extensions.front()));
    list.call<void>("push", format);
  }
  return list;
}

val Examine(const val& array, const std::string& file) {
  auto read = session::Session::Examine(BytesOf(array), file);
  val result = val::object();
  if (const auto* refusal = std::get_if<Refusal>(&read)) {
    result.set("refusal", RefusalOf(*refusal));
    return result;
  }
  const formats::Intake& intake = std::get<formats::Intake>(read);
  result.set("format", std::string(intake.formatName()));
  val choices = val::array();
  for (size_t number = 1; number <= intake.choices(); ++number) {
    const formats::Choice choice = intake.choice(number);
    val object = val::object();
    object.set("title", choice.title);
    object.set("notes", choice.notes);
    object.set("refused", choice.refused);
    if (choice.refused) {
      const Refusal why = std::get<Refusal>(intake.Take(number));
      object.set("reason", InBothLanguages([&](Language l) { return Reason(why, l); }));
    }
    choices.call<void>("push", object);
  }
  result.set("choices", choices);
  result.set("offered", intake.offered());
  if (const formats::MidiTune* tune = intake.parts()) {
    val parts = val::array();
    for (const formats::MidiPart& p : tune->parts) {
      val part = val::object();
      part.set("track", p.track);
      part.set("channel", p.channel);
      part.set("name", tune->Name(p));
      part.set("program", p.program);
      const Text& instrument = session::InstrumentText(p.program);
      part.set("instrument", InBothLanguages([&](Language l) { return Words(instrument, l); }));
      part.set("onsets", p.onsets);
      part.set("chords", p.chords);
      part.set("lowest", session::KeyName(p.lowest));
      part.set("highest", session::KeyName(p.highest));
      part.set("notes", p.notes);
      const auto sequence = tune->Sequence(p);
      part.set("sequence", ArrayOf(std::vector<int>(sequence.begin(), sequence.end())));
      parts.call<void>("push", part);
    }
    result.set("parts", parts);
  }
  return result;
}

val Take(const val& array, const std::string& file, size_t number, size_t from) {
  auto read = session::Session::Examine(BytesOf(array), file);
  if (const auto* refusal = std::get_if<Refusal>(&read)) return ResultOf(*refusal);
  const formats::Intake& intake = std::get<formats::Intake>(read);
  val result = ResultOf(intake.Take(number, from));
  result.set("format", std::string(intake.formatName()));
  return result;
}

val ExportAs(const val& codes, const std::string& extension, const std::string& name,
             const std::string& title) {
  const auto bytes = session::BytesAs(CodesOf(codes), extension, Da::AppFolder, name, title);
  val result = val::object();
  if (const auto* refusal = std::get_if<Refusal>(&bytes)) {
    result.set("refusal", RefusalOf(*refusal));
  } else {
    result.set("bytes", ArrayOf(std::get<std::string>(bytes)));
  }
  return result;
}

}  // namespace merin::web
