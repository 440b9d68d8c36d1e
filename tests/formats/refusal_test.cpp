// SPDX-License-Identifier: MIT
#include "formats/refusal.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <regex>
#include <set>

#include "core/errorwords.h"

namespace merin::formats {
namespace {

// The English is ASCII; the Japanese has no Latin-letter word but names of formats, programs and
// techniques, one-letter tokens and the instrument of program 3.
void ExpectOneLanguage(const std::string& en, const std::string& ja) {
  static const std::set<std::string> kNames = {"RTTTL", "MIDI",  "iMelody",    "File", "KiB",
                                               "NUL",   "UTF",   "libsndfile", "C4",   "B5",
                                               "MThd",  "Honky", "tonk",       "Piano"};
  for (const char c : en) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << en;
  const std::regex word("[A-Za-z][A-Za-z0-9]*");
  for (std::sregex_iterator i(ja.begin(), ja.end(), word), end; i != end; ++i)
    EXPECT_TRUE(i->length() == 1 || kNames.count(i->str())) << i->str() << " in " << ja;
  EXPECT_NE(en, ja);
}

TEST(Refusal, EveryKindSpeaksOneLanguageAtATime) {
  Refusal r(Fault(0), "1", {1, 2, 3});
  r.offset = 4;
  for (; !Reason(r, Language::English).empty(); r.fault = Fault(int(r.fault) + 1))
    ExpectOneLanguage(Words(r, Language::English), Words(r, Language::Japanese));
  EXPECT_GT(r.fault, Fault::NoParts);
  ReportLine line{Change(0), r.values, ""};
  for (; !Words(line, Language::English).empty(); line.change = Change(int(line.change) + 1))
    ExpectOneLanguage(Words(line, Language::English), Words(line, Language::Japanese));
  EXPECT_GT(line.change, Change::Chords);
  for (int error = kCannotEncode; error <= EDQUOT; ++error)
    ExpectOneLanguage(ErrorWords(error, Language::English), ErrorWords(error, Language::Japanese));
}

}  // namespace
}  // namespace merin::formats
