// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "core/text.h"

namespace merin {

// The word table of the libraries outside the window: every text they give a user, but those of
// a format or program with a table of its own.
inline constexpr Text kCoreTexts[] = {
    // Lists.
    {"list.and-then", "{0}、{1}", "{0}, {1}"},
    {"list.or", "{0} または {1}", "{0} or {1}"},
    // Reasons the system gives.
    {"system.error", "システムエラー {0}", "system error {0}"},
    {"system.no-such-file", "そのようなファイルやフォルダはありません", "no such file or folder"},
    {"system.permission-denied", "アクセスが許可されていません", "permission denied"},
    {"system.not-permitted", "その操作は許可されていません", "operation not permitted"},
    {"system.no-space", "ディスクに空きがありません", "no space left on the device"},
    {"system.quota", "ディスクの割り当てを超えました", "disk quota exceeded"},
    {"system.too-large", "ファイルが大きすぎます", "file too large"},
    {"system.is-folder", "フォルダです", "is a folder"},
    {"system.not-a-folder", "パスの途中がフォルダではありません",
     "a part of the path is not a folder"},
    {"system.read-only", "読み取り専用のファイルシステムです", "read-only file system"},
    {"system.name-too-long", "ファイル名が長すぎます", "file name too long"},
    {"system.link-loop", "シンボリックリンクの階層が深すぎます",
     "too many levels of symbolic links"},
    {"system.input-output", "入出力エラーです", "input/output error"},
    {"system.no-memory", "メモリが足りません", "not enough memory"},
    // The typing guide: one slot at a time, with the handset keys that type it in.
    {"guide.title", "キー入力ガイド", "Typing guide"},
    {"guide.slot", "スロット {0} / 30", "slot {0} of 30"},
    {"guide.rest", "休符", "rest"},
    {"guide.empty", "空き", "empty"},
    {"guide.previous", "前へ", "Previous"},
    {"guide.next", "次へ", "Next"},
    {"guide.keys", "スペースキーか → で次へ、← で前へ",
     "Space or the right arrow for the next slot, the left arrow for the one before"},
    {"guide.presses", "押すキー: {0}", "keys to press: {0}"},
    // Files that cannot be used as they are.
    {"file.too-large", "{0} KiB を超えています", "larger than {0} KiB"},
    {"file.binary", "テキストではありません（NUL バイトがあります）",
     "binary data (a NUL byte), not text"},
    {"file.not-utf8", "UTF-8 のテキストではありません（正しくないバイト列があります）",
     "not UTF-8 text (an invalid byte sequence)"},
    {"file.empty", "空のファイルです（メロディがありません）",
     "the file is empty (no melody in it)"},
    {"file.is-folder", "ファイルではなくフォルダです", "is a folder, not a file"},
    {"file.read-only", "ファイルは読み取り専用です", "the file is read-only"},
    {"file.not-a-file", "通常のファイルではありません (デバイス、ソケットまたはパイプ)",
     "not a regular file (a device, socket or pipe)"},
    {"file.socket", "ファイルではなくソケットです", "a socket, not a file"},
    {"file.owner-not-kept", "所有者またはグループを保てません",
     "its owner or group could not be kept"},
    {"file.name-not-utf8",
     "名前が UTF-8 ではありません。コマンドラインから開くか、ウィンドウにドロップしてください",
     "the name is not UTF-8; open the file from the command line or drop it on the window"},
    // What failed, around the file ({0}) and the reason ({1}).
    {"doing.write", "{0} を書き込めません: {1}", "cannot write {0}: {1}"},
    {"doing.read", "{0} を読み込めません: {1}", "cannot read {0}: {1}"},
    {"doing.make-folder", "フォルダ {0} を作れません: {1}", "cannot make the folder {0}: {1}"},
    // Where in a file.
    {"place.byte", "{0} バイト目", "byte {0}"},
    {"place.token", "{0} 番目のトークン \"{1}\": {2}", "token {0} \"{1}\": {2}"},
    // A melody text's tokens.
    {"token.not-a-token", "音符コード（11..72, 01, 99）でも音名（C4..B5, C#4, r, -）でもありません",
     "not a note code (11..72, 01, 99) or a pitch name (C4..B5, C#4, r, -)"},
    {"token.no-such-sharp", "E と B にシャープはありません", "E and B have no sharp"},
    {"token.outside-range", "電話機の音域 C4..B5 の外です", "outside the handset's range C4..B5"},
    {"token.too-many", "メロディは 30 個までです", "a melody has at most 30 slots"},
    // What a melody is read as, and what it is written as.
    {"melody.too-many-tokens", "{0} 個を超える音符があります", "more than {0} tokens"},
    {"melody.from-past-end", "開始位置 {0} は曲の終わりより後です（曲は {1} 個です）",
     "the start slot {0} is past the end (the tune has {1} slots)"},
    {"melody.no-parts", "パートがありません（パートがあるのは MIDI ファイルだけです）",
     "has no parts (only a MIDI file has them)"},
    {"write.no-extension", "形式を示す拡張子がありません（{0}）",
     "no extension to tell the format ({0})"},
    {"write.unknown-format", "\"{0}\" という形式はありません（{1} から選んでください）",
     "no such format \"{0}\" (choose {1})"},
    {"write.no-audio", "このビルドのプログラムは .{0} を書き出せません",
     "this build of the program cannot write .{0} files"},
    // What an import changed on the way in.
    {"report.skipped", "最初の {0} 個の音符・休符を飛ばしました",
     "skipped the first {0} notes and rests"},
    {"report.skipped-one", "最初の 1 個の音符・休符を飛ばしました",
     "skipped the first note or rest"},
    {"report.dropped", "31 番目以降の {0} 個の音符・休符を省きました",
     "dropped {0} notes and rests after slot 30"},
    {"report.dropped-one", "31 番目以降の 1 個の音符・休符を省きました",
     "dropped 1 note or rest after slot 30"},
    {"report.shifted-up", "全体を {0} オクターブ上げました", "moved everything up {0} octaves"},
    {"report.shifted-up-one", "全体を 1 オクターブ上げました", "moved everything up 1 octave"},
    {"report.shifted-down", "全体を {0} オクターブ下げました", "moved everything down {0} octaves"},
    {"report.shifted-down-one", "全体を 1 オクターブ下げました", "moved everything down 1 octave"},
    {"report.folded", "音域外の {0} 音をオクターブ移して収めました",
     "moved {0} notes outside the range by octaves to fit"},
    {"report.folded-one", "音域外の 1 音をオクターブ移して収めました",
     "moved 1 note outside the range by octaves to fit"},
    {"report.durations-dropped", "音の長さは使いません（すべて同じ長さになります）",
     "durations are not used (every note gets the same length)"},
    {"report.title-cleaned", "タイトルから制御文字を {0} 個除きました",
     "dropped {0} control characters from the title"},
    {"report.title-cleaned-one", "タイトルから制御文字を 1 個除きました",
     "dropped 1 control character from the title"},
    // Edits of the whole melody; a slot is named NOTE:1 .. NOTE:30 in both languages.
    {"edit.no-such-slot", "スロット番号 {0} はありません", "There is no slot number {0}"},
    {"edit.last-slot-taken",
     "最後の NOTE:{0} が空いていないので挿入できません。先に最後の音を消してください。",
     "Nothing can be inserted while the last slot, NOTE:{0}, is not empty. Clear the last note "
     "first."},
    {"edit.out-of-range", "NOTE:{0} の {1} が音域 C4〜B5 を外れるので移調できません。",
     "The melody cannot be transposed: {1} of NOTE:{0} would leave the range C4 to B5."},
    // Export.
    {"export.empty-melody", "メロディが空なので書き出すものがありません",
     "the melody is empty; there is nothing to export"},
    {"export.encoder-failed", "音声ライブラリがメロディを変換できませんでした",
     "the audio library could not encode the melody"},
    {"export.not-audio-name", "このプログラムが書き出す音声ファイルの名前ではありません（{0}）",
     "not an audio file name this program writes ({0})"},
    {"export.cannot-encode",
     "インストールされている libsndfile はこの形式をこの周波数で書き出せません",
     "the installed libsndfile cannot write this format at this rate"},
    // Pictures.
    {"picture.cannot-read", "読み込めません", "cannot be read"},
    {"picture.not-a-picture", "読み込める形式の画像ではありません",
     "not a picture in a format that can be read"},
    {"picture.cut", "ファイルが画像の途中で終わっています",
     "the file ends before its picture does"},
    // Sounds and the sound output.
    {"sound.not-a-sound-file", "読み込める音声ファイルではありません",
     "not a sound file that can be read"},
    {"sound.unlike", "音声ファイルはすべて同じ形式でなければなりません",
     "the sound files must all be alike"},
    {"sound.cut", "ファイルが音の途中で終わっています", "the file ends before its sound does"},
    {"sound.played-cut", "「{0}」: {1}。あるところまで再生します",
     "\"{0}\": {1}; playing what there is"},
    {"sound.no-output-device", "出力デバイスがありません", "no output device"},
    {"sound.cannot-open-output", "出力デバイスを開けません", "the output device cannot be opened"},
    {"sound.output-failed", "出力デバイスが止まりました", "the output device failed"},
    {"sound.off", "音は出ません ({0})", "sound is off ({0})"},
    {"doing.play", "「{0}」を再生できません: {1}", "cannot play \"{0}\": {1}"},
    // The web page's own buttons and fields, the names a screen reader gives the window's controls
    // (slot and key numbers count from 1), and the buttons a Qt dialog names by itself. OK, the
    // languages' names and the language menu are names, the same in both.
    {"page.ok", "OK", "OK"},
    {"page.cancel", "キャンセル", "Cancel"},
    {"page.copy", "コピー", "Copy"},
    {"page.stop", "停止", "Stop"},
    {"page.share", "共有", "Share"},
    {"page.format", "形式", "Format"},
    {"page.language", "言語 / Language", "言語 / Language"},
    {"page.japanese", "日本語", "日本語"},
    {"page.english", "English", "English"},
    {"page.paste-here", "RTTTL などのテキストはこのページに貼り付けても開けます",
     "An RTTTL tune or other text can also be pasted on this page"},
    {"page.slot.note", "スロット {0}: {1}", "Slot {0}: {1}"},
    {"page.slot.rest", "スロット {0}: 休符", "Slot {0}: rest"},
    {"page.slot.empty", "スロット {0}: 空き", "Slot {0}: empty"},
    {"page.marker", "スロット {0} を選ぶ", "Select slot {0}"},
    {"page.key", "{0} の鍵盤", "{0} key"},
    {"page.rest-pedal", "休符ペダル", "Rest pedal"},
    {"page.convert", "キー操作に変換", "Convert to key presses"},
    {"page.test-play", "テスト演奏", "Test play"},
    {"page.staff", "五線", "Staff"},
    {"page.keyboard", "鍵盤", "Keyboard"},
    {"page.roll", "ピアノロール", "Piano roll"},
    // A melody in the page's address (#m1.…), refused.
    {"page.address.prefix", "メロディのアドレスではありません（#m1. で始まりません）",
     "not the address of a melody (it does not begin with #m1.)"},
    {"page.address.slot", "スロットの文字は A〜X（C4〜B5）、r（休符）、-（空き）のどれかです",
     "a slot is one of A..X (C4..B5), r (a rest) or - (empty)"},
    {"page.address.too-many", "スロットは 30 までです", "there are at most 30 slots"},
    {"page.address.title", "タイトルが base64url ではありません", "the title is not base64url"},
    {"page.address.title-text", "タイトルが UTF-8 のテキストではないか、制御文字を含みます",
     "the title is not UTF-8 text or holds a control character"},
    {"page.address.too-long", "アドレスが長すぎます", "the address is too long"},
    {"page.address.refused", "アドレスのメロディを開けません。今のメロディはそのままです。",
     "The melody of the address cannot be opened. The melody stays as it was."},
    {"page.address.copied", "アドレスをコピーしました", "The address is copied"},
    {"page.sharp", "♯", "♯"},
    {"page.sharp-taps", "タップでシャープを書く（Shift と同じ）",
     "Taps write the sharp (as Shift does)"},
    {"page.about", "このページについて", "About"},
    {"page.version", "Merinkast98 {0}（ページの版 {1}）", "Merinkast98 {0} (page build {1})"},
    // A MIDI keyboard: its notes write the melody.
    {"midi-in.title", "MIDI 入力", "MIDI input"},
    {"midi-in.unavailable", "MIDI キーボードは使えません: {0}",
     "No MIDI keyboard can be used: {0}"},
    {"midi-in.no-system", "MIDI のシステム（ALSA のシーケンサも JACK も）が動いていません",
     "no MIDI system (neither ALSA's sequencer nor JACK) is running"},
    {"midi-in.no-port", "MIDI 入力 {0} はありません", "there is no MIDI input {0}"},
    {"midi-in.no-ports", "（MIDI 入力はありません）", "(no MIDI input)"},
    {"midi-in.shifted", "C4〜B5 の外の音はオクターブを移して入れました",
     "Notes outside C4 to B5 were moved by whole octaves into that range"},
    {"midi-in.refused", "MIDI キーボードを使う許可がありません", "MIDI keyboards were not allowed"},
    {"midi-in.failed", "MIDI キーボードを使えません（{0}）", "MIDI keyboards cannot be used ({0})"},
    {"midi-in.no-web-midi", "このブラウザでは MIDI キーボードを使えません",
     "This browser cannot use MIDI keyboards"},
    {"midi-in.listening", "MIDI 入力 {0} を聞いています。Ctrl+C で終わります",
     "Listening to MIDI input {0}; Ctrl+C ends"},
    // The window's captions and messages as the page shows them, in the window's words.
    {"page.caption", "Merinkast98   - DoCoMo携帯 作曲支援 -",
     "Merinkast98   - Ringtone composer for DoCoMo handsets -"},
    {"page.convert-button", "変  換", "Convert"},
    {"page.open", "開く...", "Open..."},
    {"page.export", "エクスポート...", "Export..."},
    {"page.undo", "元に戻す", "Undo"},
    {"page.redo", "やり直し", "Redo"},
    {"page.result", "変換結果", "Conversion result"},
    {"page.kept", "保管されたメロディ", "Kept melodies"},
    {"page.kept.titled", "{0}  {1}  「{2}」", "{0}  {1}  \"{2}\""},
    {"page.keep-failed", "メロディを保管できませんでした", "The melody could not be kept"},
    {"page.left", "前回の作業が残っています", "Work from an earlier run was kept"},
    {"page.restore", "戻す", "Restore"},
    {"page.open-failed", "ファイルを開けません。", "The file cannot be opened."},
    {"page.clipboard", "クリップボード", "clipboard"},
    {"page.clipboard-failed", "クリップボードの内容を読み込めません。",
     "The clipboard cannot be read as a melody."},
    {"page.import.read", "{0} を読み込みました: {1}\n\n{2}", "{0} read: {1}\n\n{2}"},
    {"page.import.unchanged", "変更はありません（すべての音がそのまま入りました）",
     "Nothing changed (every note went in as it was)"},
    {"page.choose-tune", "曲を選ぶ", "Choose a tune"},
    {"page.choose-part", "パートを選ぶ", "Choose a part"},
    {"page.tune.notes", "{0}. {1}（{2} 音）", "{0}. {1} ({2} notes)"},
    {"page.tune.refused", "{0}. {1} — {2}", "{0}. {1} — {2}"},
    {"page.part.number", "番号", "No."},
    {"page.part.track", "トラック名", "Track name"},
    {"page.part.channel", "チャンネル", "Channel"},
    {"page.part.instrument", "音色", "Instrument"},
    {"page.part.onsets", "音の数", "Onsets"},
    {"page.part.lowest", "最低音", "Lowest"},
    {"page.part.highest", "最高音", "Highest"},
    {"page.part.from", "曲の何番目の音から:", "From note N of the tune:"},
    {"page.export-failed", "エクスポートできませんでした", "Could not export"},
    {"page.exported", "{0} を書き出しました", "Exported {0}"},
    // The window program's command line.
    {"program.lang-values", "--lang には ja か en を指定します", "--lang takes ja or en"},
    {"program.usage",
     "使用法: merinkast98 [--lang ja|en] [ファイル]\n"
     "DoCoMo の携帯電話（1990 年代末）の 30 音の着メロを、ウィンドウで作曲します。五線と画面の\n"
     "鍵盤でメロディを入力して試聴し、携帯で打ち込むキー操作の一覧に変換します。\n"
     "\n"
     "ファイル（メロディファイル .mk98、または RTTTL、iMelody、Flipper、MIDI の曲）は、\n"
     "起動が終わってから開きます。作業中と保管したメロディは\n"
     "$XDG_DATA_HOME/merinkast98/kept/（ふつうは ~/.local/share/merinkast98/kept/）に残ります。\n"
     "\n"
     "  --lang ja|en   この実行だけウィンドウの言語を日本語か英語にする（なければ\n"
     "                 ヘルプの言語メニューで選んだ言語、はじめは日本語）\n"
     "  --help         この説明を表示して終わる\n"
     "  --version      バージョンを表示して終わる\n"
     "\n"
     "キー操作をコマンドラインで表示し、形式を変換するのは merinkast98-keys です。\n",
     "Usage: merinkast98 [--lang ja|en] [FILE]\n"
     "Composes a 30-note ringtone for a DoCoMo handset of the late 1990s in a window: the melody\n"
     "is entered on a staff from an on-screen keyboard, played, and converted into the list of\n"
     "handset key presses that types it in.\n"
     "\n"
     "FILE (a melody file, .mk98, or an RTTTL, iMelody, Flipper music or MIDI tune) is opened\n"
     "once start-up is done. The melodies being worked on and kept stay in\n"
     "$XDG_DATA_HOME/merinkast98/kept/ (usually ~/.local/share/merinkast98/kept/).\n"
     "\n"
     "  --lang ja|en   the window's language for this run only (else the one chosen in\n"
     "                 the Help menu, Japanese at first)\n"
     "  --help         show this help and exit\n"
     "  --version      show the version and exit\n"
     "\n"
     "merinkast98-keys lists the key presses on the command line and converts formats.\n"},
    // A reason with a library's own words after it.
    {"detail", "{0}（{1}）", "{0} ({1})"},
};

// The row of kCoreTexts with `id`.
consteval const Text& CoreText(std::string_view id) { return Row(kCoreTexts, id); }

}  // namespace merin
