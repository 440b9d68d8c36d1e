// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <regex>
#include <set>
#include <span>
#include <string>

#include "cli/keyswords.h"
#include "core/coretexts.h"
#include "core/refusal.h"
#include "formats/formatlist.h"
#include "formats/midiread.h"

namespace merin {
namespace {

bool Ascii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x80; });
}

const std::regex kValue("\\{[0-9]\\}");

// The values a text names: "{0}", "{1}" ….
std::set<std::string> Named(std::string_view text) {
  std::set<std::string> named;
  const std::string s(text);
  for (std::sregex_iterator i(s.begin(), s.end(), kValue), end; i != end; ++i)
    named.insert(i->str());
  return named;
}

// The rows of the libraries' words: the core's, each format's and the names of the formats.
std::vector<Text> LibraryRows() {
  std::vector<Text> rows(std::begin(kCoreTexts), std::end(kCoreTexts));
  std::set<const Text*> tables;  // formats may share one table, such as the audio formats
  for (const formats::Format& format : formats::Formats()) {
    if (tables.insert(format.texts.data()).second) {
      rows.insert(rows.end(), format.texts.begin(), format.texts.end());
    }
    rows.push_back(format.dialogName);
  }
  rows.insert(rows.end(), formats::InstrumentTexts().begin(), formats::InstrumentTexts().end());
  return rows;
}

// The rows that are names, the same in both languages, and the layout of a listed tune.
const std::set<std::string_view> kNameRows = {"page.ok",      "page.language", "page.japanese",
                                              "page.english", "page.sharp",    "page.tune.refused"};

// The window program's help, which quotes its options, file names and paths as they are typed,
// as the converter's help (a table of its own) does.
const std::set<std::string_view> kHelpRows = {"program.usage"};

// Every word table outside the window.
std::vector<std::vector<Text>> Tables() {
  return {LibraryRows(), {std::begin(keys::kKeysTexts), std::end(keys::kKeysTexts)}};
}

TEST(WordTables, EveryRowHasItsOwnIdBothLanguagesAndTheSameValuesInBoth) {
  std::set<std::string_view> ids;
  for (const std::vector<Text>& table : Tables()) {
    for (const Text& row : table) {
      EXPECT_TRUE(ids.insert(row.id).second) << row.id << " is the id of two rows";
      EXPECT_FALSE(row.japanese.empty() || row.english.empty()) << row.id;
      if (kNameRows.count(row.id)) {
        EXPECT_EQ(row.japanese, row.english) << row.id << " is a name";
        continue;
      }
      EXPECT_FALSE(Ascii(row.japanese)) << row.id << ": " << row.japanese;
      EXPECT_TRUE(Ascii(row.english)) << row.id << ": " << row.english;
      EXPECT_EQ(Named(row.japanese), Named(row.english)) << row.id;
      // Only {0}..{9} stand for values; any other brace is a slip.
      for (const std::string_view words : {row.japanese, row.english}) {
        const std::string rest = std::regex_replace(std::string(words), kValue, "");
        EXPECT_EQ(rest.find_first_of("{}"), std::string::npos) << row.id << ": " << words;
      }
    }
  }
}

// The English is ASCII; the Japanese has no Latin-letter word but names of formats, programs and
// techniques, the iMelody keywords, the slots' names, one option and its values, keys, and
// one-letter tokens.
void ExpectOneLanguage(const std::string& en, const std::string& ja) {
  static const std::set<std::string> kNames = {
      "RTTTL",      "MIDI",        "iMelody", "File",      "KiB",   "NUL",    "UTF",
      "libsndfile", "C4",          "B5",      "MThd",      "BEGIN", "END",    "IMELODY",
      "MELODY",     "Merinkast98", "WAV",     "FLAC",      "Ogg",   "Vorbis", "MP3",
      "NOTE",       "lang",        "m1",      "base64url", "Shift", "ja",     "en",
      "Flipper",    "ALSA",        "JACK",    "Ctrl",      "DoCoMo"};
  for (const char c : en) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << en;
  const std::regex word("[A-Za-z][A-Za-z0-9]*");
  for (std::sregex_iterator i(ja.begin(), ja.end(), word), end; i != end; ++i)
    EXPECT_TRUE(i->length() == 1 || kNames.count(i->str())) << i->str() << " in " << ja;
  EXPECT_NE(en, ja);
}

TEST(WordTables, EveryRowOfTheLibrariesSpeaksOneLanguageAtATime) {
  for (const Text& row : LibraryRows()) {
    if (!kNameRows.count(row.id) && !kHelpRows.count(row.id)) {
      ExpectOneLanguage(std::string(row.english), std::string(row.japanese));
    }
  }
  for (int error = 1; error <= EDQUOT; ++error) {
    const Refusal refusal = SystemRefusal(error);
    ExpectOneLanguage(Reason(refusal, Language::English), Reason(refusal, Language::Japanese));
  }
}

}  // namespace
}  // namespace merin
