// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "formats/format.h"
#include "formats/textscan.h"

// What the files of the RTTTL unit share (rtttl.cpp reads a tune and writes one,
// rtttlcollection.cpp finds the tunes of a text); not part of the library's interface.
namespace merin::formats::rtttl {

// The RTTTL unit's words: what its reader refuses and tells.
inline constexpr Text kRtttlTexts[] = {
    {"rtttl.no-name-colon", "RTTTL ではありません: 名前の後に ':' がありません",
     "not RTTTL: no ':' after the name"},
    {"rtttl.no-settings-colon",
     "RTTTL ではありません: 設定の後に ':' がありません（名前:設定:音符）",
     "not RTTTL: no ':' after the settings (name:settings:notes)"},
    {"rtttl.empty-setting", "設定が空です", "empty setting"},
    {"rtttl.unknown-setting", "知らない設定です（d, o, b, v, s のどれか）",
     "unknown setting (d, o, b, v or s)"},
    {"rtttl.equals-expected", "設定の後に '=' が必要です", "'=' expected after the setting"},
    {"rtttl.value-expected", "値が必要です", "value expected"},
    {"rtttl.number-expected", "数が必要です", "number expected"},
    {"rtttl.bad-duration", "長さが 1, 2, 4, 8, 16, 32, 64 のどれでもありません",
     "duration is not one of 1, 2, 4, 8, 16, 32, 64"},
    {"rtttl.bad-octave", "オクターブが 1..8 の外です", "octave outside 1..8"},
    {"rtttl.tempo-zero", "テンポは 0 より大きくなければなりません", "tempo must be above 0"},
    {"rtttl.comma-between-settings", "設定の間に ',' が必要です", "',' expected between settings"},
    {"rtttl.empty-note", "音符が空です", "empty note"},
    {"rtttl.letter-expected", "長さの後に音名が必要です",
     "a note letter expected after the duration"},
    {"rtttl.not-a-note-letter", "音名（a..g, h）でも休符（p）でもありません",
     "not a note letter (a..g, h) or a pause (p)"},
    {"rtttl.pause-sharp", "休符にシャープはありません", "a pause has no sharp"},
    {"rtttl.comma-after-note",
     "音符の後にはコンマが必要です（シャープ・付点・オクターブはその前に書きます）",
     "a comma expected after the note (sharp, dot and octave come before it)"},
    {"rtttl.no-such-tune", "{0} 曲目はありません（{1} 曲です）", "no tune {0} (the text has {1})"},
    {"rtttl.tune-taken", "{1} 曲のうち {0} 曲目を取り込みました: {2}", "took tune {0} of {1}: {2}"},
    {"rtttl.name-changed", "RTTTL の名前は ':' と ',' を除き、{0} 文字までにしました: {1}",
     "the RTTTL name leaves out ':' and ',' and keeps at most {0} characters: {1}"},
    {"rtttl.check-finding", "{0}:{1}: {2} — {3}", "{0}:{1}: {2} -- {3}"},
    {"rtttl.check-finding-here", "{0}:{1}: ここで {2}", "{0}:{1}: here {2}"},
    {"rtttl.check-name", "{0} は {1} バイトの名前の曲を演奏しません（{2} バイトまで）",
     "{0} refuses a name of {1} bytes (at most {2})"},
    {"rtttl.check-settings", "{0} はこの設定を読めず、何も演奏しません",
     "{0} cannot read these settings and plays nothing"},
    {"rtttl.check-letter", "{0} はこの文字があると曲全体を演奏しません",
     "{0} refuses the whole tune because of this letter"},
    {"rtttl.check-tempo-zero", "{0} はテンポ 0 で割り算をして止まります",
     "{0} reads tempo 0 here and divides by zero"},
    {"rtttl.check-tempo", "{0} はテンポ {1} で演奏します（{2} ではありません）",
     "{0} plays at tempo {1}, not {2}"},
    {"rtttl.check-before", "{0} は最初の音符の前に音符か休符を 1 個演奏します",
     "{0} plays a note or rest before the first note"},
    {"rtttl.check-before-many", "{0} は最初の音符の前に音符・休符を {1} 個演奏します",
     "{0} plays {1} notes or rests before the first note"},
    {"rtttl.check-more", "{0} はここから後にも {1} か所を違って演奏します（一覧にはありません）",
     "{0} plays {1} more places otherwise from here on (not listed)"},
    {"rtttl.check-stops", "{0} はここで演奏をやめます", "{0} stops playing here"},
    {"rtttl.check-nothing", "{0} はこの音符を演奏しません", "{0} plays nothing for this note"},
    {"rtttl.check-rest", "{0} はこの音符の代わりに休符を演奏します",
     "{0} plays a rest instead of this note"},
    {"rtttl.check-unknown", "{0} はこの音符に決まっていない高さの音を出します",
     "{0} plays a pitch of no table for this note"},
    {"rtttl.check-pitch", "{0} は {2} の代わりに {1} を演奏します", "{0} plays {1} instead of {2}"},
    {"rtttl.check-length", "{0} は長さ {1} で演奏します（{2} ではありません）",
     "{0} plays it with length {1}, not {2}"},
    {"rtttl.check-rest-after", "{0} はこの音符の後に休符を演奏します",
     "{0} plays a rest after this note"},
    {"rtttl.check-rests-after", "{0} はこの音符の後に休符を {1} 個演奏します",
     "{0} plays {1} rests after this note"},
    {"rtttl.check-notes-after", "{0} はこの音符の後に音符・休符を {1} 個演奏します",
     "{0} plays {1} more notes or rests after this note"},
    {"rtttl.for-name-cut", "{0} は {1} バイトまでの名前しか読まないので、名前を切りました: {2}",
     "{0} takes names of at most {1} bytes: the name is cut to {2}"},
    {"rtttl.for-tempo",
     "{0} はテンポ {1} を演奏できないので b={2}、d={3} で書きました（1 スロット {4} ミリ秒、"
     "{1} なら {5} ミリ秒）",
     "{0} cannot play tempo {1}: written b={2} with d={3}, a slot of {4} ms (at {1}: {5} ms)"},
};

consteval const Text& RtttlText(std::string_view id) { return Row(kRtttlTexts, id); }

// Reads the tune in [start.offset, end) of `text` into `melody`: its title, and its melody from
// slot `options.from` on; or why it is refused. `notes` is set to the number of its notes and
// pauses. Only the tune's own bytes are read.
std::optional<Refusal> ReadTuneInto(Imported& melody, std::string_view text,
                                    textscan::LineStart start, size_t end,
                                    std::string_view fileName, const ReadOptions& options,
                                    size_t* notes);

}  // namespace merin::formats::rtttl
