// SPDX-License-Identifier: MIT
#include "cli/arguments.h"

#include <gtest/gtest.h>

#include "cli/keyswords.h"
#include "formats/midi.h"
#include "support/melodies.h"

namespace merin::cli {
namespace {

// A folder is what ends in '/' or is named "dir".
bool IsFolder(std::string_view output) { return output.ends_with('/') || output == "dir"; }

// The plan in one line: what, the read options, tokens, inputs, output, format, folder or not.
std::string Summary(const Plan& plan) {
  static const char* const kActions[] = {"convert", "help",  "version", "parts",
                                         "tunes",   "check", "midi"};
  std::string line = std::string(kActions[static_cast<int>(plan.action)]) +
                     " part=" + std::to_string(plan.read.part) +
                     " from=" + std::to_string(plan.read.from) +
                     " tune=" + std::to_string(plan.read.tune) + " tokens=";
  for (const std::string_view token : plan.tokens) line += std::string(token) + ",";
  line += " inputs=";
  for (const std::string_view input : plan.inputs) line += std::string(input) + ",";
  return line + " -o " + plan.output.value_or("none") + " " + plan.format +
         (plan.toFolder ? " folder" : "") + (plan.midiPort.empty() ? "" : " port=" + plan.midiPort);
}

// What the arguments give: the plan's summary, or the fault's id after the argument's number.
std::string Outcome(std::vector<std::string_view> args) {
  auto parsed = ParseArguments(args, IsFolder);
  if (const auto* bad = std::get_if<BadArguments>(&parsed)) {
    return std::to_string(bad->argument) + " " + std::string(bad->refusal.fault->id);
  }
  return Summary(std::get<Plan>(parsed));
}

TEST(ParseArguments, TurnsTheArgumentsIntoAPlan) {
  const std::pair<std::vector<std::string_view>, std::string> cases[] = {
      {{}, "convert part=0 from=1 tune=0 tokens= inputs= -o none "},
      {{"C4", "r"}, "convert part=0 from=1 tune=0 tokens=C4,r, inputs= -o none "},
      {{"-i", "a.mid", "--part", "2", "--from=3"},
       "convert part=2 from=3 tune=0 tokens= inputs=a.mid, -o none "},
      {{"--part=12", "--from", "7", "--tune=4"},
       "convert part=12 from=7 tune=4 tokens= inputs= -o none "},
      {{"--tune", "2", "-i", "-", "-o", "x.MID"},
       "convert part=0 from=1 tune=2 tokens= inputs=-, -o x.MID mid"},
      {{"-o", "out/", "-f", "RTTTL", "a.mk98", "-i", "b.mk98"},
       "convert part=0 from=1 tune=0 tokens= inputs=b.mk98,a.mk98, -o out/ rtttl folder"},
      {{"-o", "dir", "-f", "fmf", "a.rtttl"},
       "convert part=0 from=1 tune=0 tokens= inputs=a.rtttl, -o dir fmf folder"},
      {{"--", "-i", "--help"}, "convert part=0 from=1 tune=0 tokens=-i,--help, inputs= -o none "},
      {{"C4", "--help", "--bad"}, "help part=0 from=1 tune=0 tokens=C4, inputs= -o none "},
      {{"--version"}, "version part=0 from=1 tune=0 tokens= inputs= -o none "},
      {{"--parts", "a.mid"}, "parts part=0 from=1 tune=0 tokens= inputs=a.mid, -o none "},
      {{"--parts"}, "parts part=0 from=1 tune=0 tokens= inputs=-, -o none "},
      {{"--tunes", "-i", "a.txt"}, "tunes part=0 from=1 tune=0 tokens= inputs=a.txt, -o none "},
      {{"--midi-in"}, "midi part=0 from=1 tune=0 tokens= inputs= -o none "},
      {{"--midi-in", "Keystation 49"},
       "midi part=0 from=1 tune=0 tokens= inputs= -o none  port=Keystation 49"},
      {{"--midi-in=a:b", "--version"},
       "version part=0 from=1 tune=0 tokens= inputs= -o none  port=a:b"},
  };
  for (const auto& [args, plan] : cases) EXPECT_EQ(Outcome(args), plan) << plan;
}

TEST(ParseArguments, RefusesNamingTheArgumentAtFault) {
  const std::pair<std::vector<std::string_view>, std::string> cases[] = {
      {{"--part", "0"}, "1 keys.needs-number"},
      {{"C4", "--from=x"}, "2 keys.needs-number"},
      {{"--tune="}, "1 keys.needs-number"},
      {{"--tune", "1234567890"}, "1 keys.needs-number"},
      {{"--from", "-3"}, "1 keys.needs-number"},
      {{"--part"}, "1 keys.needs-value"},
      {{"-i", "a", "-o"}, "3 keys.needs-value"},
      {{"-o", "a.mid", "-o", "b.mid"}, "3 keys.given-twice"},
      {{"--tunez"}, "1 keys.unknown-option"},
      {{"-x", "--help"}, "1 keys.unknown-option"},
      {{"-o", "x.doc"}, "0 write.unknown-format"},
      {{"-o", "x"}, "0 write.no-extension"},
      {{"-o", "out/", "-f", "doc", "a.mk98"}, "0 write.unknown-format"},
      {{"-o", "out/", "a.mk98"}, "0 keys.folder-needs-format"},
      {{"-o", "a.mid", "-f", "mid"}, "0 keys.format-needs-folder"},
      {{"-o", "out/", "-f", "mid"}, "0 keys.folder-needs-inputs"},
      {{"-o", "out/", "-f", "mid", "-"}, "0 keys.folder-needs-named-files"},
      {{"-i", "a", "-i", "b"}, "0 keys.several-inputs"},
      {{"C4", "-i", "a"}, "0 keys.tokens-with-inputs"},
      {{"--parts", "a", "b"}, "0 keys.parts-needs-one-file"},
      {{"--tunes", "a", "-o", "x.mid"}, "0 keys.tunes-need-one-input"},
      {{"--midi-in", "-i", "a.mk98"}, "0 keys.midi-in-alone"},
      {{"--midi-in", "x", "C4"}, "0 keys.midi-in-alone"},
      {{"-o", "x.mid", "--midi-in"}, "0 keys.midi-in-alone"},
  };
  for (const auto& [args, fault] : cases) EXPECT_EQ(Outcome(args), fault) << fault;
}

TEST(ParseArguments, EveryOptionIsInTheHelpInBothLanguages) {
  const std::string_view options[] = {"-i",     "-o",      "-f",      "--part",   "--from",
                                      "--tune", "--parts", "--tunes", "--help",   "--version",
                                      "--",     "--for",   "--check", "--midi-in"};
  for (const std::string_view option : options) {
    EXPECT_NE(Outcome({option, "1"}).substr(0, 21), "1 keys.unknown-option") << option;
    for (const std::string_view help :
         {keys::KeysText("keys.usage").english, keys::KeysText("keys.usage").japanese}) {
      EXPECT_NE(help.find("\n  " + std::string(option) + " "), std::string_view::npos) << option;
    }
  }
}

TEST(RefuseUnfitOptions, TunesAreRtttlsAndPartsMidis) {
  const std::string rtttl = "One:d=4:c", midi = formats::WriteMidi(test::MelodyOf({"11"}), "x");
  const std::string melodyFile = "# Merinkast98 melody\nC4";
  const struct {
    std::vector<std::string_view> args;
    std::string bytes;
    std::string fault;  // the id of the refusal, empty when the options fit
  } cases[] = {
      {{"--tune", "1"}, rtttl, ""},
      {{"--tunes"}, rtttl, ""},
      {{"--tune", "1"}, midi, "keys.no-tunes"},
      {{"--tunes"}, melodyFile, "keys.no-tunes"},
      {{"--part", "1"}, midi, ""},
      {{"--parts"}, midi, ""},
      {{"--part", "1"}, rtttl, "melody.no-parts"},
      {{"--parts"}, melodyFile, "melody.no-parts"},
      {{"--from", "2"}, melodyFile, ""},
  };
  for (const auto& c : cases) {
    const Plan plan = std::get<Plan>(ParseArguments(c.args, IsFolder));
    auto intake = formats::Intake::Of(c.bytes, "in.x");
    ASSERT_TRUE(std::holds_alternative<formats::Intake>(intake)) << c.bytes;
    const auto refusal = RefuseUnfitOptions(plan, std::get<formats::Intake>(intake), "in.x");
    EXPECT_EQ(refusal ? std::string(refusal->fault->id) : "", c.fault) << c.args.front();
    if (refusal) {
      EXPECT_EQ(refusal->file, "in.x");
    }
  }
}

}  // namespace
}  // namespace merin::cli
