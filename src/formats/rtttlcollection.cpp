// SPDX-License-Identifier: MIT
// The RTTTL unit's collections: the tunes of a text, found, listed and taken.
#include <algorithm>
#include <optional>
#include <vector>

#include "formats/rtttl.h"
#include "formats/rtttltune.h"
#include "formats/textscan.h"
#include "formats/title.h"

namespace merin::formats {
namespace {

using rtttl::ReadTuneInto;
using rtttl::RtttlText;
using textscan::IsSpace;

// Whether `line` is left out between tunes: blank, or a comment starting with '#'.
bool Ignorable(std::string_view line) {
  for (const char c : line) {
    if (!IsSpace(c)) return c == '#';
  }
  return true;
}

// Whether `line` starts a tune: a second ':' and no ',' before its first (a name, then
// settings), and no comment.
bool StartsTune(std::string_view line) {
  if (Ignorable(line)) return false;
  const size_t colon = line.find(':');
  if (colon == std::string_view::npos) return false;
  if (line.substr(0, colon).find(',') != std::string_view::npos) return false;
  return line.find(':', colon + 1) != std::string_view::npos;
}

// Calls visit(start, end) for each tune of `text` in turn, the start of its first line and its
// end, until it returns false; returns how many tunes the text holds. A text with fewer than two
// lines that start a tune is one tune; in a collection, each such line starts one that runs to the
// next, ignorable lines around them left out.
template <typename Visit>
size_t ForEachTune(std::string_view text, Visit visit) {
  // Calls onLine(start, end) for each line, its start and its end, until it returns false.
  const auto forEachLine = [text](auto onLine) {
    for (textscan::LineStart start; start.offset < text.size(); ++start.line) {
      const size_t end = textscan::LineEndFrom(text, start.offset);
      if (!onLine(start, end)) return;
      start.offset = end + 1;
    }
  };
  size_t starts = 0;
  forEachLine([&](textscan::LineStart start, size_t end) {
    if (StartsTune(text.substr(start.offset, end - start.offset))) ++starts;
    return starts < 2;
  });
  if (starts < 2) {
    visit(textscan::LineStart{}, text.size());
    return 1;
  }
  size_t count = 0;
  bool visiting = true;
  std::optional<textscan::LineStart> begin;
  size_t end = 0;
  const auto finish = [&] {
    ++count;
    if (visiting) visiting = visit(*begin, end);
  };
  forEachLine([&](textscan::LineStart start, size_t lineEnd) {
    const std::string_view line = text.substr(start.offset, lineEnd - start.offset);
    if (StartsTune(line)) {
      if (begin) finish();
      begin = start;
    } else if (Ignorable(line)) {
      return true;
    } else if (!begin) {
      begin = start;  // text before the first tune is a tune of its own, and refused as one
    }
    end = lineEnd;
    return true;
  });
  finish();
  return count;
}

// The name of the tune in [begin, end) of `text`: what comes before its first ':'.
std::string_view NameOf(std::string_view text, size_t begin, size_t end) {
  const std::string_view tune = text.substr(begin, end - begin);
  return tune.substr(0, tune.find(':'));
}

// Tells first in the report of `melody` that it is tune `number` of a collection of `count`.
void SayTaken(Imported& melody, size_t number, size_t count) {
  melody.report.insert(melody.report.begin(),
                       {&RtttlText("rtttl.tune-taken"),
                        {std::to_string(number), std::to_string(count), melody.title}});
}

// Tune `number` of the `count` of `text`, in [start.offset, end), as ReadTuneInto reads it; in a
// collection the report says first which tune it is. The melody is read where it is returned: 30
// strings moved would cost as much as reading its notes.
std::variant<Imported, Refusal> ReadTune(std::string_view text, textscan::LineStart start,
                                         size_t end, size_t number, size_t count,
                                         std::string_view fileName, const ReadOptions& options) {
  std::variant<Imported, Refusal> read;
  auto& melody = std::get<Imported>(read);
  if (auto refusal = ReadTuneInto(melody, text, start, end, fileName, options, nullptr)) {
    read = std::move(*refusal);
  } else if (count > 1) {
    SayTaken(melody, number, count);
  }
  return read;
}

}  // namespace

std::variant<Imported, Refusal> ReadRtttl(std::string_view bytes, std::string_view fileName,
                                          const ReadOptions& options) {
  const std::string_view text = textscan::WithoutByteOrderMark(bytes);
  if (auto refused = textscan::RefuseSizeOrBinary(bytes, text, fileName, kMaxCollectionBytes)) {
    return *refused;
  }
  const size_t wanted = std::max<size_t>(options.tune, 1);
  textscan::LineStart start;
  size_t end = 0, index = 0;
  const size_t count = ForEachTune(text, [&](textscan::LineStart tuneStart, size_t tuneEnd) {
    start = tuneStart;
    end = tuneEnd;
    return ++index < wanted;
  });
  if (wanted > count) {
    return Refusal(RtttlText("rtttl.no-such-tune"), std::string(fileName),
                   {std::to_string(wanted), std::to_string(count)});
  }
  return ReadTune(text, start, end, wanted, count, fileName, options);
}

std::vector<RtttlTune> ListRtttlTunes(std::string_view bytes, std::string_view fileName,
                                      const ReadOptions& options) {
  const std::string_view text = textscan::WithoutByteOrderMark(bytes);
  std::vector<RtttlTune> tunes;
  if (textscan::RefuseSizeOrBinary(bytes, text, fileName, kMaxCollectionBytes)) {
    tunes.emplace_back().refused = true;
    return tunes;
  }
  Imported melody;  // each tune is read into it in turn, and only what the list shows is kept
  ForEachTune(text, [&](textscan::LineStart start, size_t end) {
    RtttlTune& tune = tunes.emplace_back();
    melody.report.clear();
    tune.refused =
        ReadTuneInto(melody, text, start, end, fileName, options, &tune.notes).has_value();
    tune.title = tune.refused ? TitleOf(NameOf(text, start.offset, end)) : std::move(melody.title);
    tune.begin = start.offset;
    tune.end = end;
    tune.line = start.line;
    return true;
  });
  return tunes;
}

std::variant<Imported, Refusal> ReadListedTune(std::string_view bytes, std::string_view fileName,
                                               const std::vector<RtttlTune>& tunes, size_t number,
                                               const ReadOptions& options) {
  if (tunes.size() < 2 || number == 0 || number > tunes.size()) {
    ReadOptions one = options;
    one.tune = number;
    return ReadRtttl(bytes, fileName, one);
  }
  const RtttlTune& tune = tunes[number - 1];
  return ReadTune(textscan::WithoutByteOrderMark(bytes), {tune.begin, tune.line}, tune.end, number,
                  tunes.size(), fileName, options);
}
}  // namespace merin::formats
