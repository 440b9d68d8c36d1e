// SPDX-License-Identifier: MIT
#include "core/errorwords.h"

#include <cerrno>

namespace merin {
namespace {

struct Words {
  int error;
  const char* english;
  const char* japanese;
};

constexpr Words kWords[] = {
    {ENOENT, "no such file or folder", "そのようなファイルやフォルダはありません"},
    {EACCES, "permission denied", "アクセスが許可されていません"},
    {EPERM, "operation not permitted", "その操作は許可されていません"},
    {ENOSPC, "no space left on the device", "ディスクに空きがありません"},
    {EDQUOT, "disk quota exceeded", "ディスクの割り当てを超えました"},
    {EFBIG, "file too large", "ファイルが大きすぎます"},
    {EISDIR, "is a folder", "フォルダです"},
    {ENOTDIR, "a part of the path is not a folder", "パスの途中がフォルダではありません"},
    {EROFS, "read-only file system", "読み取り専用のファイルシステムです"},
    {ENAMETOOLONG, "file name too long", "ファイル名が長すぎます"},
    {ELOOP, "too many levels of symbolic links", "シンボリックリンクの階層が深すぎます"},
    {EIO, "input/output error", "入出力エラーです"},
    {ENOMEM, "not enough memory", "メモリが足りません"},
    {kReadOnlyFile, "the file is read-only", "ファイルは読み取り専用です"},
    {kNotAFile, "not a regular file (a device, socket or pipe)",
     "通常のファイルではありません (デバイス、ソケットまたはパイプ)"},
    {kEmptyMelody, "the melody is empty; there is nothing to export",
     "メロディが空なので書き出すものがありません"},
    {kEncoderFailed, "the audio library could not encode the melody",
     "音声ライブラリがメロディを変換できませんでした"},
    {kNotAToken, "not a note code (11..72, 01, 99) or a pitch name (C4..B5, C#4, r, -)",
     "音符コード（11..72, 01, 99）でも音名（C4..B5, C#4, r, -）でもありません"},
    {kNoSuchSharp, "E and B have no sharp", "E と B にシャープはありません"},
    {kOutsideRange, "outside the handset's range C4..B5", "電話機の音域 C4..B5 の外です"},
    {kTooManySlots, "a melody has at most 30 slots", "メロディは 30 個までです"},
    {kCannotRead, "cannot be read", "読み込めません"},
    {kNotAPicture, "not a picture in a format that can be read",
     "読み込める形式の画像ではありません"},
    {kPictureCut, "the file ends before its picture does", "ファイルが画像の途中で終わっています"},
    {kNotASoundFile, "not a sound file that can be read", "読み込める音声ファイルではありません"},
    {kUnlikeSounds, "the sound files must all be alike",
     "音声ファイルはすべて同じ形式でなければなりません"},
    {kNotAudioName, "not an audio file name this program writes",
     "このプログラムが書き出す音声ファイルの名前ではありません"},
    {kCannotEncode, "the installed libsndfile cannot write this format at this rate",
     "インストールされている libsndfile はこの形式をこの周波数で書き出せません"},
    {kSoundCut, "the file ends before its sound does", "ファイルが音の途中で終わっています"},
    {kNoOutputDevice, "no output device", "出力デバイスがありません"},
    {kCannotOpenOutput, "the output device cannot be opened", "出力デバイスを開けません"},
    {kOutputFailed, "the output device failed", "出力デバイスが止まりました"},
    {kSocket, "a socket, not a file", "ファイルではなくソケットです"},
    {kOwnerNotKept, "its owner or group could not be kept", "所有者またはグループを保てません"},
    {kNameNotUtf8,
     "the name is not UTF-8; open the file from the command line or drop it on the window",
     "名前が UTF-8 ではありません。コマンドラインから開くか、ウィンドウにドロップしてください"},
};

}  // namespace

std::string ErrorWords(int error, Language language) {
  for (const Words& w : kWords) {
    if (w.error == error) return language == Language::English ? w.english : w.japanese;
  }
  const std::string number = std::to_string(error);
  return language == Language::English ? "system error " + number : "システムエラー " + number;
}

std::string ErrorWords(int error, Language language, const std::string& detail) {
  std::string words = ErrorWords(error, language);
  if (!detail.empty()) {
    words += language == Language::English ? " (" + detail + ")" : "（" + detail + "）";
  }
  return words;
}

}  // namespace merin
