// SPDX-License-Identifier: MIT
#include "formats/refusal.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <regex>
#include <set>
#include <string>

#include "core/errorwords.h"

namespace merin::formats {
namespace {

// The values every kind is rendered with: the third is a General MIDI program.
const std::vector<int64_t> kValues = {1, 2, 3};

// An English rendering is plain ASCII; a Japanese one has no Latin-letter word but the names of
// formats and programs, fixed technical names, one-letter tokens and the instrument's name.
void ExpectOneLanguage(const std::string& english, const std::string& japanese) {
  for (const char c : english) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << english;
  static const std::set<std::string> kAllowed = {"RTTTL",      "MIDI", "iMelody", "Merinkast98",
                                                 "File",       "KiB",  "NUL",     "UTF",
                                                 "libsndfile", "C4",   "B5",      "MThd"};
  std::string rest = japanese;
  const std::string instrument(InstrumentName(int(kValues[2])));
  if (const size_t at = rest.find(instrument); at != std::string::npos)
    rest.erase(at, instrument.size());
  const std::regex word("[A-Za-z][A-Za-z0-9]*");
  for (std::sregex_iterator i(rest.begin(), rest.end(), word), end; i != end; ++i) {
    const std::string w = i->str();
    EXPECT_TRUE(w.size() == 1 || kAllowed.count(w)) << "\"" << w << "\" in " << japanese;
  }
  EXPECT_NE(english, japanese);
}

TEST(Refusal, EveryKindSpeaksOneLanguageAtATime) {
  int faults = 0;
  for (;; ++faults) {
    Refusal refusal(Fault(faults), "1", kValues);
    refusal.offset = 4;
    refusal.token = "99";
    if (Reason(refusal, Language::English).empty()) break;
    ExpectOneLanguage(Words(refusal, Language::English), Words(refusal, Language::Japanese));
  }
  EXPECT_GT(faults, int(Fault::NoParts));
  int changes = 0;
  for (;; ++changes) {
    const ReportLine line{Change(changes), kValues, ""};
    if (Words(line, Language::English).empty()) break;
    ExpectOneLanguage(Words(line, Language::English), Words(line, Language::Japanese));
  }
  EXPECT_GT(changes, int(Change::Chords));
  for (int error = kPictureCut; error < 0; ++error) {
    ExpectOneLanguage(ErrorWords(error, Language::English), ErrorWords(error, Language::Japanese));
  }
  for (int error : {ENOENT, EACCES, EPERM, ENOSPC, EDQUOT, EFBIG, EISDIR, ENOTDIR, EROFS,
                    ENAMETOOLONG, ELOOP, EIO, EXDEV}) {
    ExpectOneLanguage(ErrorWords(error, Language::English), ErrorWords(error, Language::Japanese));
  }
}

}  // namespace
}  // namespace merin::formats
