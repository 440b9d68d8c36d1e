// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "cli/arguments.h"

namespace merin::cli {

// -o DIR/ -f FORMAT: every input converted into the folder under its base name (a collection of
// RTTTL tunes without --tune: every tune under its title), failures named in input order, and a
// summary line at the end.
class Batch {
 public:
  explicit Batch(const Plan& plan);

  // Converts every input; returns the exit status. Round by round, the inputs are read in turn,
  // then written by several threads. The folder is synced once, after the last file is in it.
  int Run();

 private:
  struct Job {
    std::string target;
    formats::Imported melody;
    std::optional<Refusal> failure;
  };

  std::string TargetOf(std::string_view input) const;
  // The first input whose own target is `target`, if any.
  std::optional<size_t> InputWithTarget(const std::string& target) const;
  // Reads input `i` and adds what it gives.
  void Read(size_t i);
  // Adds the melody `read` of input `i`, to be written to `target`, unless it is refused or
  // `target` is taken.
  void Add(size_t i, std::string target, bool fromTitle,
           std::variant<formats::Imported, Refusal> read);
  // Writes the melodies added so far and names the failures.
  void WriteJobs();

  const Plan& plan_;
  const std::string& folder_;
  // The hash of each input's own target and the input, sorted: 16 bytes an input where the names
  // would take a hundred.
  std::vector<std::pair<size_t, size_t>> hashes_;
  std::map<std::string, size_t> tuneTargets_;  // targets named by a tune's title, and their input
  std::vector<Job> jobs_;
  size_t written_ = 0, failed_ = 0;
  bool badInput_ = false, cannotWrite_ = false;
};

}  // namespace merin::cli
