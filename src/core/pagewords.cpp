// SPDX-License-Identifier: MIT
#include "core/pagewords.h"

namespace merin {
namespace {

constexpr PageWord kPageWords[] = {
    // A dialog's buttons.
    {"ok", "OK", "OK"},
    {"cancel", "キャンセル", "Cancel"},
    // The page's own buttons and fields.
    {"copy", "コピー", "Copy"},
    {"stop", "停止", "Stop"},
    {"format", "形式", "Format"},
    {"language", "言語 / Language", "言語 / Language"},
    {"japanese", "日本語", "日本語"},
    {"english", "English", "English"},
    {"paste-here", "RTTTL などのテキストはこのページに貼り付けても開けます",
     "An RTTTL tune or other text can also be pasted on this page"},
    // What a screen reader calls the window's controls: slot and key numbers count from 1.
    {"slot.note", "スロット {0}: {1}", "Slot {0}: {1}"},
    {"slot.rest", "スロット {0}: 休符", "Slot {0}: rest"},
    {"slot.empty", "スロット {0}: 空き", "Slot {0}: empty"},
    {"marker", "スロット {0} を選ぶ", "Select slot {0}"},
    {"key", "{0} の鍵盤", "{0} key"},
    {"staff", "五線", "Staff"},
    {"keyboard", "鍵盤", "Keyboard"},
    {"roll", "ピアノロール", "Piano roll"},
};

}  // namespace

std::span<const PageWord> PageWords() { return kPageWords; }

}  // namespace merin
