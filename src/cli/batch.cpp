// SPDX-License-Identifier: MIT
#include "cli/batch.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <functional>
#include <thread>

#include "cli/console.h"
#include "cli/keyswords.h"
#include "core/coretexts.h"
#include "core/da.h"
#include "core/escape.h"
#include "formats/fileio.h"
#include "formats/writeas.h"

namespace merin::cli {
namespace {

using formats::Imported;
using formats::Intake;
using keys::KeysText;

// Files written at the same time: each write waits for the disk to keep the file (fsync), not for
// the processor, and the disk takes several at once.
constexpr size_t kWriters = 8;
// Melodies read, then written, together: a batch holds those of one round at a time, of up to
// so many inputs or so many tunes of a collection.
constexpr size_t kRound = 256;

// A file name made of a tune's title: the characters that file systems refuse made "_".
std::string FileNameOf(const std::string& title) {
  std::string name = title;
  for (char& c : name) {
    if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) c = '_';
  }
  if (name.empty() || name.front() == '.') name = "_" + name;
  return name;
}

}  // namespace

Batch::Batch(const Plan& plan) : plan_(plan), folder_(*plan.output) {}

std::string Batch::TargetOf(std::string_view input) const {
  return (std::filesystem::path(folder_) / std::filesystem::path(input).stem()).string() + "." +
         plan_.format;
}

std::optional<size_t> Batch::InputWithTarget(const std::string& target) const {
  const size_t hash = std::hash<std::string>{}(target);
  for (auto it =
           std::lower_bound(hashes_.begin(), hashes_.end(), std::pair<size_t, size_t>{hash, 0});
       it != hashes_.end() && it->first == hash; ++it) {
    if (TargetOf(plan_.inputs[it->second]) == target) return it->second;
  }
  return std::nullopt;
}

void Batch::Add(size_t i, std::string target, bool fromTitle,
                std::variant<Imported, Refusal> read) {
  std::optional<size_t> earlier;
  if (auto it = tuneTargets_.find(target); it != tuneTargets_.end()) earlier = it->second;
  if (auto other = InputWithTarget(target); !earlier && other && *other < i) earlier = other;
  std::optional<Refusal> refused;
  if (auto* e = std::get_if<Refusal>(&read)) {
    refused = std::move(*e);
  } else {
    refused = formats::RefusedAsEmpty(std::get<Imported>(read).codes, plan_.format, target);
  }
  if (earlier) {
    Say(Said(KeysText("keys.already-written"),
             {Escaped(plan_.inputs[i]), Escaped(target), Escaped(plan_.inputs[*earlier])}));
  } else if (refused) {
    Say(Said(*refused));
  } else {
    if (fromTitle) tuneTargets_.emplace(target, i);
    jobs_.push_back({std::move(target), std::move(std::get<Imported>(read)), std::nullopt});
    return;
  }
  badInput_ = true;
  ++failed_;
}

void Batch::WriteJobs() {
  std::atomic<size_t> next{0};
  const auto write = [&] {
    for (size_t i; (i = next++) < jobs_.size();) {
      Job& job = jobs_[i];
      job.failure = WriteOut(job.melody.codes, plan_.format, plan_.player, job.target,
                             job.melody.title, false);
    }
  };
  std::vector<std::thread> writers;
  for (size_t n = 1; n < std::min(jobs_.size(), kWriters); ++n) writers.emplace_back(write);
  write();
  for (std::thread& t : writers) t.join();
  for (const Job& job : jobs_) {
    if (job.failure) {
      Say(Said(*job.failure));
      cannotWrite_ = true;
      ++failed_;
    } else {
      ++written_;
    }
  }
  jobs_.clear();
}

void Batch::Read(size_t i) {
  const std::string input(plan_.inputs[i]);
  auto read = IntakeOf(input);
  if (auto* e = std::get_if<Refusal>(&read)) return Add(i, TargetOf(input), false, std::move(*e));
  const Intake& intake = std::get<Intake>(read);
  if (auto unfit = RefuseUnfitOptions(plan_, intake, NameOf(input))) {
    return Add(i, TargetOf(input), false, std::move(*unfit));
  }
  // A collection without --tune gives one file a tune.
  if (intake.parts() || intake.choices() == 0 || plan_.read.tune != 0) {
    return Add(i, TargetOf(input), false, Chosen(intake, input, plan_.read));
  }
  for (size_t number = 1; number <= intake.choices(); ++number) {
    const std::string target =
        (std::filesystem::path(folder_) / FileNameOf(intake.choice(number).title)).string() + "." +
        plan_.format;
    Add(i, target, true, Told(intake.Take(number, plan_.read.from), input));
    if (jobs_.size() == kRound) WriteJobs();
  }
}

int Batch::Run() {
  std::error_code error;
  std::filesystem::create_directories(folder_, error);
  if (error) {
    Refusal failure = SystemRefusal(error.value(), folder_);
    failure.doing = &CoreText("doing.make-folder");
    return Fail(kCannotWrite, Said(failure));
  }
  hashes_.reserve(plan_.inputs.size());
  for (size_t i = 0; i < plan_.inputs.size(); ++i) {
    hashes_.emplace_back(std::hash<std::string>{}(TargetOf(plan_.inputs[i])), i);
  }
  std::sort(hashes_.begin(), hashes_.end());
  for (size_t first = 0; first < plan_.inputs.size(); first += kRound) {
    for (size_t i = first; i < std::min(first + kRound, plan_.inputs.size()); ++i) Read(i);
    WriteJobs();
  }
  formats::SyncFolder(folder_);
  Say(Said(written_ == 1 ? KeysText("keys.batch-summary-one") : KeysText("keys.batch-summary"),
           {std::to_string(written_), std::to_string(failed_)}));
  return badInput_ ? kBadInput : cannotWrite_ ? kCannotWrite : 0;
}

}  // namespace merin::cli
