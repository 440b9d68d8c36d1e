// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "core/text.h"

namespace merin::keys {

// What merinkast98-keys says in its own words: its help and the mistakes in its arguments.
inline constexpr Text kKeysTexts[] = {
    {"keys.usage",
     "使用法: merinkast98-keys [トークン]...\n"
     "または: merinkast98-keys [-i ファイル]... [-o ファイル]\n"
     "または: merinkast98-keys -o フォルダ/ -f 形式 [-i] ファイル...\n"
     "30 スロットまでのメロディを打ち込む携帯のキー操作を、1 スロット 1 行で表示します\n"
     "（行末は CR LF）。-o を付けると、メロディを別の形式で書き出します。\n"
     "\n"
     "メロディはトークンから、または -i のファイルから、なければ標準入力から読みます。\n"
     "トークンは音符コード（11〜72、休符は 01、空きスロットは 99）か音名です:\n"
     "C4〜B5、# でシャープ（C#4）、r で休符、- で空きスロット。足りないスロットは空きです。\n"
     "ファイルと標準入力には、メロディファイルか下の形式の曲を入れます。中身で見分けます\n"
     "（バイナリの形式は拡張子でも）:\n"
     "  -  メロディファイル（.mk98）は UTF-8 のテキストです。# で始まる行は注釈で、\n"
     "     その後に上のトークンを 30 個まで、空白で区切って書きます。大文字小文字は\n"
     "     問いません。例: 1 行目に # Merinkast98 melody、2 行目に C4 C4 D4 - r C#5 B5\n"
     "  -  曲（RTTTL なら \"name:d=4,o=5,b=225:8e6,8d6,f#\"）は、音符と休符の初めの\n"
     "     30 個を 1 つずつスロットに入れ、オクターブ単位で C4〜B5 に移します。\n"
     "     変えたことは標準エラーに出します。\n"
     "\n"
     "  -i ファイル         メロディをファイルから読む（- は標準入力）。\n"
     "                      -o フォルダ/ と一緒なら何度でも指定でき、多くの\n"
     "                      ファイルを変換する\n"
     "  -o ファイル         キー操作を表示する代わりに、拡張子の形式（下を参照。\n"
     "                      音声は libsndfile が書ける場合だけ）でメロディを\n"
     "                      ファイルに書く。メロディファイル以外は最後の音符か\n"
     "                      休符で終わる\n"
     "  -o フォルダ/        入力ファイル（-i か引数で指定）をそれぞれフォルダ\n"
     "                      （なければ作る）に、元の名前と -f の拡張子で書く:\n"
     "                      -o out/ -f mid a/song.rtttl は out/song.mid を書く。\n"
     "                      失敗したファイルは名前を出し、残りは続け、最後に\n"
     "                      書けた数と失敗した数を標準エラーに出す\n"
     "  -f 形式             書き出す形式（拡張子で指定）。-o フォルダ/ と使う\n"
     "  --part N            MIDI ファイルのパート N（1 つのトラックの 1 つの\n"
     "                      チャンネルの音）を取る。トラック順、チャンネル順に\n"
     "                      1 から数える。指定しなければ melody、lead、vocal、\n"
     "                      voice、solo と名付けられたパート、なければ一番高い\n"
     "                      パートを取る\n"
     "  --from N            曲のスロット N から 30 スロットを取る（1 が最初）\n"
     "  --parts             MIDI ファイルのパートを 1 行に 1 つ表示し、変換は\n"
     "                      しない\n"
     "  --tune N            RTTTL のテキストの N 曲目を取る（RTTTL のテキストは\n"
     "                      どれも 1 曲以上の曲集）。指定しなければ最初の曲を\n"
     "                      取り、-o フォルダ/ では曲ごとにタイトルの名前で書く\n"
     "  --tunes             RTTTL のテキストの曲を 1 行に 1 つ表示し、変換は\n"
     "                      しない\n"
     "  --for 再生機        RTTTL を再生機（esphome, flipper, arduino, micropython,\n"
     "                      circuitpython）がそのとおり演奏する形で書く。portable\n"
     "                      はどれでも演奏できる形、standard は RTTTL の元の文書\n"
     "                      どおりの形。名前を切る、テンポを変えるなどしたことは\n"
     "                      標準エラーに出す。RTTTL を書くとき（-o ファイル.rtttl\n"
     "                      か -f rtttl）だけ使える\n"
     "  --check 再生機 ファイル...\n"
     "                      RTTTL のテキスト（曲集も）を読み、再生機がこのプログラム\n"
     "                      の読み方（既定値 d=4, o=6, b=63、付点はオクターブの前\n"
     "                      でも後でもよい）と違って演奏するところを、曲ごとに行と\n"
     "                      桁で表示する。portable は全部の再生機について調べる。\n"
     "                      変換はしない\n"
     "  --midi-in [ポート]  MIDI キーボードで弾いた音を入れる（ポートを指定しなければ\n"
     "                      すべての入力）。1 音ごとにその行を標準エラーに、Ctrl+C\n"
     "                      かスロット 30 の後に全体を標準出力に出す\n"
     "  --                  これより後は - で始まってもオプションではない\n"
     "  --help              この説明を表示して終わる\n"
     "  --version           バージョンを表示して終わる\n"
     "\n"
     "終了コード: 0 完了。2 入力かオプションが正しくないか読めない（メッセージにファイル、\n"
     "行、桁を示す）。-o フォルダ/ で一部のファイルだけ失敗したときと、空のメロディを\n"
     ".mk98 以外の形式で書こうとしたときも 2。1 出力を書けない（同じ名前のファイルは\n"
     "元のまま残る）。3 --check で再生機が違って演奏するところがある。\n"
     "\n"
     "形式（拡張子と、できること）:\n",
     "Usage: merinkast98-keys [TOKEN]...\n"
     "   or: merinkast98-keys [-i FILE]... [-o FILE]\n"
     "   or: merinkast98-keys -o DIR/ -f FORMAT [-i] FILE...\n"
     "Prints the handset key presses that type a melody of up to 30 slots, one line per slot\n"
     "(lines end in CR LF), or with -o writes the melody in another format.\n"
     "\n"
     "The melody comes from the TOKENs, or from the file of -i, or else from standard input.\n"
     "A token is a note code (11..72, 01 for a rest, 99 for an empty slot) or a pitch name:\n"
     "C4..B5, with # for a sharp (C#4), r for a rest, - for an empty slot. Missing slots are "
     "empty.\n"
     "A file or standard input holds a melody file or a tune of a format below, told apart by\n"
     "content (a binary format by its extension too):\n"
     "  -  a melody file (.mk98) is UTF-8 text: lines starting with # are comments,\n"
     "     then up to 30 tokens as above separated by any white space, letters in\n"
     "     either case, e.g. a line \"# Merinkast98 melody\" and then \"C4 C4 D4 - r C#5 B5\"\n"
     "  -  a tune (\"name:d=4,o=5,b=225:8e6,8d6,f#\" in RTTTL) takes one slot per note\n"
     "     or pause, the first 30 of them, moved by whole octaves into C4..B5; what\n"
     "     changed is told on stderr.\n"
     "\n"
     "  -i FILE        read the melody from FILE (- for standard input); may be given again\n"
     "                 with -o DIR/ to convert many files\n"
     "  -o FILE        write the melody to FILE instead of printing the key presses, in the\n"
     "                 format of its extension (see below; audio only where the installed\n"
     "                 libsndfile writes it); all but the melody file stop at the last note\n"
     "                 or rest\n"
     "  -o DIR/        write each input FILE (named by -i or as an argument) into the folder\n"
     "                 DIR (made if missing) under its base name with the extension of -f:\n"
     "                 -o out/ -f mid a/song.rtttl writes out/song.mid; a file that fails is\n"
     "                 named and the others are done, and a last line on stderr counts the\n"
     "                 files written and failed\n"
     "  -f FORMAT      the format for -o DIR/, by its extension\n"
     "  --part N       take part N of a MIDI file (the notes of one channel in one track),\n"
     "                 numbered from 1 by track, then channel; without it the part named as a\n"
     "                 melody, lead, vocal, voice or solo, else the highest, is taken\n"
     "  --from N       take the 30 slots of a tune from its slot N on (1 is the first)\n"
     "  --parts        list the parts of the MIDI FILE, one a line, and convert nothing\n"
     "  --tune N       take tune N of an RTTTL text (any RTTTL text is a collection of one\n"
     "                 tune or more); without it the first is taken, and -o DIR/ writes\n"
     "                 every tune under its title\n"
     "  --tunes        list the tunes of the RTTTL text, one a line, and convert nothing\n"
     "  --for PLAYER   write RTTTL as PLAYER (esphome, flipper, arduino, micropython,\n"
     "                 circuitpython) plays it as meant; portable: as every one of them\n"
     "                 does; standard: as the format's own text says; what is written\n"
     "                 otherwise (a name cut, another tempo) is told on stderr. Only with\n"
     "                 RTTTL output (-o FILE.rtttl or -f rtttl)\n"
     "  --check PLAYER FILE...\n"
     "                 read RTTTL text (collections too) and list, per tune, with line and\n"
     "                 column, what PLAYER plays otherwise than this program reads it\n"
     "                 (defaults d=4, o=6, b=63, a dot before or after the octave);\n"
     "                 portable checks for every player; converts nothing\n"
     "  --midi-in [PORT]\n"
     "                 take the melody played on a MIDI keyboard (every input, or PORT): each\n"
     "                 slot's line goes to standard error as it is played, the listing to\n"
     "                 standard output at Ctrl+C or after slot 30\n"
     "  --             what follows is no option, even when it starts with -\n"
     "  --help         show this help and exit\n"
     "  --version      show the version and exit\n"
     "\n"
     "Exit status: 0 done; 2 bad or unreadable input or options (the message names the "
     "file,\n"
     "line and column), also when only some files of -o DIR/ failed, and for an empty melody\n"
     "written in any format but .mk98; 1 output that cannot be written (a file of the same\n"
     "name is left as it was); 3 --check found what the player plays otherwise.\n"
     "\n"
     "Formats (extensions, what is done with them):\n"},
    {"keys.argument", "引数 {0} \"{1}\": ", "argument {0} \"{1}\": "},
    {"keys.needs-value", "値がありません（--help を参照）", "needs a value (try --help)"},
    {"keys.given-twice", "2 回指定されています", "given twice"},
    {"keys.unknown-option", "知らないオプションです（--help を参照）",
     "unknown option (try --help)"},
    {"keys.tokens-with-inputs", "トークンと -i は一緒に指定できません（--help を参照）",
     "tokens and -i cannot be given together (try --help)"},
    {"keys.folder-needs-format", "-o {0} には -f 形式 が要ります（--help を参照）",
     "-o {0} needs -f FORMAT (try --help)"},
    {"keys.format-needs-folder", "-f は -o フォルダ/ と一緒に使います（--help を参照）",
     "-f goes with -o DIR/ (try --help)"},
    {"keys.folder-needs-inputs", "-o フォルダ/ には入力ファイルが要ります（--help を参照）",
     "-o DIR/ needs input files (try --help)"},
    {"keys.folder-needs-named-files",
     "-o フォルダ/ には -i で名前を付けたファイルが要ります。標準入力には名前がありません",
     "-o DIR/ needs files named by -i; standard input has no name"},
    {"keys.several-inputs", "複数の -i には -o フォルダ/ -f 形式 が要ります（--help を参照）",
     "several -i need -o DIR/ -f FORMAT (try --help)"},
    {"keys.parts-needs-one-file", "--parts はファイルを一つだけ取ります（--help を参照）",
     "--parts takes one file (try --help)"},
    {"keys.already-written", "{0}: 変換しません。{1} はもう {2} から書きました",
     "{0}: not converted, {1} is already written from {2}"},
    {"keys.cannot-write-output", "標準出力に書けません", "cannot write standard output"},
    {"keys.needs-number", "1 以上の数が要ります（--help を参照）",
     "needs a number from 1 (try --help)"},
    {"keys.tunes-need-one-input", "--tunes は 1 つの入力の曲を並べます（--help を参照）",
     "--tunes lists the tunes of one input (try --help)"},
    {"keys.midi-in-alone", "--midi-in はほかの入力も出力もとりません（--help を参照）",
     "--midi-in takes no other input or output (try --help)"},
    {"keys.tune-notes", "（{0} 音）", " ({0} notes)"},
    {"keys.tune-notes-one", "（1 音）", " (1 note)"},
    {"keys.no-tunes", "選べる曲がありません（曲を選べるのは RTTTL のテキストだけです）",
     "no tunes to choose (only RTTTL text holds tunes)"},
    {"keys.batch-summary", "{0} 個のファイルを書き出しました。失敗は {1} 個です",
     "wrote {0} files, {1} failed"},
    {"keys.batch-summary-one", "{0} 個のファイルを書き出しました。失敗は {1} 個です",
     "wrote {0} file, {1} failed"},
    {"keys.empty-melody", "{0}: メロディが空です（音符も休符もありません）",
     "{0}: the melody is empty (no notes or rests)"},
    {"keys.onsets", "出だし {0} 個", "{0} onsets"},
    {"keys.onsets-one", "出だし 1 個", "1 onset"},
    {"keys.read-and-written", "、読み書き", ", read and written"},
    {"keys.read", "、読み込み", ", read"},
    {"keys.written", "、書き出し", ", written"},
    {"keys.part-line", "{0}: トラック {1} \"{2}\"、チャンネル {3}、{4}、{5}、{6}..{7}\n",
     "{0}: track {1} \"{2}\", channel {3}, {4}, {5}, {6}..{7}\n"},
    {"keys.standard-input", "標準入力", "standard input"},
    {"keys.unknown-player", "\"{0}\" という再生機はありません（{1} から選んでください）",
     "no such player \"{0}\" (choose {1})"},
    {"keys.for-needs-rtttl",
     "--for は RTTTL を書くときだけ使えます（-o ファイル.rtttl か -f rtttl）",
     "--for goes with RTTTL output only (-o FILE.rtttl or -f rtttl)"},
    {"keys.check-alone",
     "--check は入力ファイルだけを取ります（-o、-f、--for、--part、--tune などは使えません）",
     "--check takes input files only (no -o, -f, --for, --part, --tune and the like)"},
    {"keys.check-tune", "{0}: {1} 曲目「{2}」（{3} 行目から）",
     "{0}: tune {1} \"{2}\" (from line {3})"},
};

// The row of kKeysTexts with `id`.
consteval const Text& KeysText(std::string_view id) { return Row(kKeysTexts, id); }

}  // namespace merin::keys
