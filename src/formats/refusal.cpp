// SPDX-License-Identifier: MIT
#include "formats/refusal.h"

#include <array>
#include <cstdlib>

#include "core/errorwords.h"
#include "core/escape.h"
#include "formats/fileio.h"

namespace merin::formats {
namespace {

// Tokens longer than this are shown cut, so that a message stays one readable line.
constexpr size_t kShownTokenBytes = 40;

// The token as it can be shown: quotes and backslashes escaped, then as Escaped, cut after
// kShownTokenBytes at a character boundary.
std::string Shown(const std::string& token) {
  std::string shown;
  size_t end = token.size();
  bool cut = false;
  if (end > kShownTokenBytes) {
    end = kShownTokenBytes;
    while (end > 0 && (static_cast<unsigned char>(token[end]) & 0xC0) == 0x80) --end;
    cut = true;
  }
  for (size_t i = 0; i < end; ++i) {
    const auto c = static_cast<unsigned char>(token[i]);
    if (c == '"' || c == '\\') shown += '\\';
    shown += static_cast<char>(c);
  }
  shown = Escaped(shown);
  if (cut) shown += "...";
  return shown;
}

std::string N(const std::vector<int64_t>& values, size_t i) {
  return i < values.size() ? std::to_string(values[i]) : "?";
}

}  // namespace

std::string Reason(const Refusal& r, Language language) {
  const bool en = language == Language::English;
  const auto& v = r.values;
  // Values that came from the input are shown escaped, as tokens are.
  const std::string text = Escaped(r.text), detail = Escaped(r.detail);
  switch (r.fault) {
    case Fault::TooLarge:
      return en ? "larger than " + N(v, 0) + " KiB" : N(v, 0) + " KiB を超えています";
    case Fault::Binary:
      return en ? "binary data (a NUL byte), not text"
                : "テキストではありません（NUL バイトがあります）";
    case Fault::NotUtf8:
      return en ? "not UTF-8 text (an invalid byte sequence)"
                : "UTF-8 のテキストではありません（正しくないバイト列があります）";
    case Fault::IsFolder:
      return en ? "is a folder, not a file" : "ファイルではなくフォルダです";
    case Fault::SystemError:
      return ErrorWords(v.empty() ? 0 : static_cast<int>(v[0]), language);
    case Fault::CannotWrite:
      // The writer's words name the file.
      return WriteFailure{r.file, static_cast<WriteFailure::Doing>(v.empty() ? 0 : v[0]),
                          v.size() > 1 ? static_cast<int>(v[1]) : 0, text}
          .Message(language);
    case Fault::EmptyMelody:
      return ErrorWords(kEmptyMelody, language);
    case Fault::NoExtension:
      return en ? "no extension to tell the format (" + text + ")"
                : "形式を示す拡張子がありません（" + text + "）";
    case Fault::UnknownFormat:
      return en ? "no such format \"" + text + "\" (choose " + detail + ")"
                : "\"" + text + "\" という形式はありません（" + detail + " から選んでください）";
    case Fault::NoAudio:
      return en ? "this build of the program cannot write ." + text + " files"
                : "このビルドのプログラムは ." + text + " を書き出せません";
    case Fault::FromPastEnd:
      return en ? "the start slot " + N(v, 0) + " is past the end (the tune has " + N(v, 1) +
                      " slots)"
                : "開始位置 " + N(v, 0) + " は曲の終わりより後です（曲は " + N(v, 1) + " 個です）";
    case Fault::TooManyTokens:
      return en ? "more than " + N(v, 0) + " tokens" : N(v, 0) + " 個を超える音符があります";
    case Fault::NotAToken:
      return ErrorWords(kNotAToken, language);
    case Fault::NoSuchSharp:
      return ErrorWords(kNoSuchSharp, language);
    case Fault::OutsideRange:
      return ErrorWords(kOutsideRange, language);
    case Fault::NoNameColon:
      return en ? "not RTTTL: no ':' after the name"
                : "RTTTL ではありません: 名前の後に ':' がありません";
    case Fault::NoSettingsColon:
      return en ? "not RTTTL: no ':' after the settings (name:settings:notes)"
                : "RTTTL ではありません: 設定の後に ':' がありません（名前:設定:音符）";
    case Fault::EmptySetting:
      return en ? "empty setting" : "設定が空です";
    case Fault::UnknownSetting:
      return en ? "unknown setting (d, o, b, v or s)"
                : "知らない設定です（d, o, b, v, s のどれか）";
    case Fault::EqualsExpected:
      return en ? "'=' expected after the setting" : "設定の後に '=' が必要です";
    case Fault::ValueExpected:
      return en ? "value expected" : "値が必要です";
    case Fault::NumberExpected:
      return en ? "number expected" : "数が必要です";
    case Fault::BadDuration:
      return en ? "duration is not one of 1, 2, 4, 8, 16, 32, 64"
                : "長さが 1, 2, 4, 8, 16, 32, 64 のどれでもありません";
    case Fault::BadOctave:
      return en ? "octave outside 1..8" : "オクターブが 1..8 の外です";
    case Fault::TempoZero:
      return en ? "tempo must be above 0" : "テンポは 0 より大きくなければなりません";
    case Fault::CommaBetweenSettings:
      return en ? "',' expected between settings" : "設定の間に ',' が必要です";
    case Fault::EmptyNote:
      return en ? "empty note" : "音符が空です";
    case Fault::LetterExpected:
      return en ? "a note letter expected after the duration" : "長さの後に音名が必要です";
    case Fault::NotANoteLetter:
      return en ? "not a note letter (a..g, h) or a pause (p)"
                : "音名（a..g, h）でも休符（p）でもありません";
    case Fault::PauseSharp:
      return en ? "a pause has no sharp" : "休符にシャープはありません";
    case Fault::CommaAfterNote:
      return en ? "a comma expected after the note (sharp, dot and octave come before it)"
                : "音符の後にはコンマが必要です（シャープ・付点・オクターブはその前に書きます）";
    case Fault::NoSuchTune:
      return en ? "no tune " + N(v, 0) + " (the text has " + N(v, 1) + ")"
                : N(v, 0) + " 曲目はありません（" + N(v, 1) + " 曲です）";
    case Fault::ImyNoBegin:
      return en ? "not iMelody: it does not start with BEGIN:IMELODY"
                : "iMelody ではありません: BEGIN:IMELODY で始まっていません";
    case Fault::ImyHeaderLine:
      return en ? "a line of the form KEY:value expected" : "「キー:値」の形の行が必要です";
    case Fault::ImyVersion:
      return en ? "iMelody version " + text + " is not read (1.0 and 1.2 are)"
                : "iMelody のバージョン " + text + " は読み込めません（1.0 と 1.2 を読みます）";
    case Fault::ImyNoMelody:
      return en ? "no MELODY line" : "MELODY 行がありません";
    case Fault::ImyNoEnd:
      return en ? "no END:IMELODY line" : "END:IMELODY 行がありません";
    case Fault::ImyNotAToken:
      return en ? "not a note, a rest (r), a repeat or an effect of iMelody"
                : "iMelody の音符・休符（r）・繰り返し・効果のどれでもありません";
    case Fault::ImyBadOctave:
      return en ? "octave outside *0..*8" : "オクターブが *0..*8 の外です";
    case Fault::ImyNestedRepeat:
      return en ? "a repeat block inside a repeat block" : "繰り返しの中に繰り返しがあります";
    case Fault::ImyUnclosedRepeat:
      return en ? "a repeat block without its end (@n)" : "繰り返しの終わり（@n）がありません";
    case Fault::ImyStrayRepeatEnd:
      return en ? "the end of a repeat block that was not begun with '('"
                : "'(' で始まっていない繰り返しの終わりです";
    case Fault::MidiNoHeader:
      return en ? "not a Standard MIDI File (no \"MThd\" header)"
                : "標準 MIDI ファイルではありません（\"MThd\" ヘッダがありません）";
    case Fault::MidiShortHeader:
      return en ? "the header is " + N(v, 0) + " bytes long, not 6"
                : "ヘッダの長さが 6 ではなく " + N(v, 0) + " バイトです";
    case Fault::MidiFormat:
      return en ? "format " + N(v, 0) + " is not read (only formats 0 and 1)"
                : "フォーマット " + N(v, 0) + " は読み込めません（0 と 1 だけです）";
    case Fault::MidiDivision:
      return en ? "the time division is not in ticks per quarter note"
                : "時間単位が四分音符あたりのティック数ではありません";
    case Fault::MidiRunsPast: {
      const bool file = v.empty() || v[0] == 0;
      return en ? std::string("runs past the end of the ") + (file ? "file" : "track")
                : std::string(file ? "ファイル" : "トラック") + "の終わりを越えています";
    }
    case Fault::MidiNoStatus:
      return en ? "byte " + N(v, 0) + " does not start an event"
                : "バイト値 " + N(v, 0) + " はイベントの始まりではありません";
    case Fault::MidiBadNumber:
      return en ? "a variable-length number longer than 4 bytes"
                : "可変長の数が 4 バイトを超えています";
    case Fault::MidiNoNotes:
      return en ? "no note outside channel 10" : "チャンネル 10 以外に音符がありません";
    case Fault::NoSuchPart:
      return en ? "no part " + N(v, 0) + " (the file has " + N(v, 1) + ")"
                : "パート " + N(v, 0) + " はありません（パートは " + N(v, 1) + " 個です）";
    case Fault::NoParts:
      return en ? "has no parts (only a MIDI file has them)"
                : "パートがありません（パートがあるのは MIDI ファイルだけです）";
  }
  return {};
}

std::string Words(const Refusal& r, Language language) {
  if (r.fault == Fault::CannotWrite) return Reason(r, language);
  std::string message;
  if (!r.file.empty()) message += Escaped(r.file) + ":";
  if (r.offset) {
    message += language == Language::English ? " byte " + std::to_string(*r.offset) + ":"
                                             : " " + std::to_string(*r.offset) + " バイト目:";
  } else if (r.line > 0) {
    message += std::to_string(r.line) + ":";
    if (r.column > 0) message += std::to_string(r.column) + ":";
  }
  if (!message.empty()) message += " ";
  if (!r.token.empty()) message += "\"" + Shown(r.token) + "\": ";
  return message + Reason(r, language);
}

std::string Words(const ReportLine& line, Language language) {
  const bool en = language == Language::English;
  const auto& v = line.values;
  switch (line.change) {
    case Change::Skipped:
      return en ? "skipped the first " + N(v, 0) + " notes and rests"
                : "最初の " + N(v, 0) + " 個の音符・休符を飛ばしました";
    case Change::Dropped:
      return en ? "dropped " + N(v, 0) + " notes and rests after slot 30"
                : "31 番目以降の " + N(v, 0) + " 個の音符・休符を省きました";
    case Change::ShiftedUp:
      return en ? "moved everything up " + N(v, 0) + " octave(s)"
                : "全体を " + N(v, 0) + " オクターブ上げました";
    case Change::ShiftedDown:
      return en ? "moved everything down " + N(v, 0) + " octave(s)"
                : "全体を " + N(v, 0) + " オクターブ下げました";
    case Change::Folded:
      return en ? "moved " + N(v, 0) + " notes outside the range by octaves to fit"
                : "音域外の " + N(v, 0) + " 音をオクターブ移して収めました";
    case Change::DurationsDropped:
      return en ? "durations are not used (every note gets the same length)"
                : "音の長さは使いません（すべて同じ長さになります）";
    case Change::PartTaken: {
      const std::string name = line.text.empty() ? (en ? "(no name)" : "（名前なし）") : line.text;
      const std::string instrument(InstrumentName(static_cast<int>(v.size() > 2 ? v[2] : 0)));
      return en ? "took part " + N(v, 0) + ": " + name + ", channel " + N(v, 1) + ", " + instrument
                : "パート " + N(v, 0) + " を取り込みました: " + name + "、チャンネル " + N(v, 1) +
                      "、" + instrument;
    }
    case Change::Chords:
      return en ? "kept the highest note of " + N(v, 0) + " chords"
                : N(v, 0) + " 個の和音から一番高い音を取りました";
    case Change::TuneTaken:
      return en ? "took tune " + N(v, 0) + " of " + N(v, 1) + ": " + line.text
                : N(v, 1) + " 曲のうち " + N(v, 0) + " 曲目を取り込みました: " + line.text;
    case Change::TitleCleaned:
      return en ? "dropped " + N(v, 0) + " control characters from the title"
                : "タイトルから制御文字を " + N(v, 0) + " 個除きました";
  }
  return {};
}

std::vector<std::string> Words(const Report& report, Language language) {
  std::vector<std::string> lines;
  for (const ReportLine& line : report) lines.push_back(Words(line, language));
  return lines;
}

std::string_view InstrumentName(int program) {
  static constexpr std::array<std::string_view, 128> kNames = {"Acoustic Grand Piano",
                                                               "Bright Acoustic Piano",
                                                               "Electric Grand Piano",
                                                               "Honky-tonk Piano",
                                                               "Electric Piano 1",
                                                               "Electric Piano 2",
                                                               "Harpsichord",
                                                               "Clavinet",
                                                               "Celesta",
                                                               "Glockenspiel",
                                                               "Music Box",
                                                               "Vibraphone",
                                                               "Marimba",
                                                               "Xylophone",
                                                               "Tubular Bells",
                                                               "Dulcimer",
                                                               "Drawbar Organ",
                                                               "Percussive Organ",
                                                               "Rock Organ",
                                                               "Church Organ",
                                                               "Reed Organ",
                                                               "Accordion",
                                                               "Harmonica",
                                                               "Tango Accordion",
                                                               "Acoustic Guitar (nylon)",
                                                               "Acoustic Guitar (steel)",
                                                               "Electric Guitar (jazz)",
                                                               "Electric Guitar (clean)",
                                                               "Electric Guitar (muted)",
                                                               "Overdriven Guitar",
                                                               "Distortion Guitar",
                                                               "Guitar Harmonics",
                                                               "Acoustic Bass",
                                                               "Electric Bass (finger)",
                                                               "Electric Bass (pick)",
                                                               "Fretless Bass",
                                                               "Slap Bass 1",
                                                               "Slap Bass 2",
                                                               "Synth Bass 1",
                                                               "Synth Bass 2",
                                                               "Violin",
                                                               "Viola",
                                                               "Cello",
                                                               "Contrabass",
                                                               "Tremolo Strings",
                                                               "Pizzicato Strings",
                                                               "Orchestral Harp",
                                                               "Timpani",
                                                               "String Ensemble 1",
                                                               "String Ensemble 2",
                                                               "Synth Strings 1",
                                                               "Synth Strings 2",
                                                               "Choir Aahs",
                                                               "Voice Oohs",
                                                               "Synth Voice",
                                                               "Orchestra Hit",
                                                               "Trumpet",
                                                               "Trombone",
                                                               "Tuba",
                                                               "Muted Trumpet",
                                                               "French Horn",
                                                               "Brass Section",
                                                               "Synth Brass 1",
                                                               "Synth Brass 2",
                                                               "Soprano Sax",
                                                               "Alto Sax",
                                                               "Tenor Sax",
                                                               "Baritone Sax",
                                                               "Oboe",
                                                               "English Horn",
                                                               "Bassoon",
                                                               "Clarinet",
                                                               "Piccolo",
                                                               "Flute",
                                                               "Recorder",
                                                               "Pan Flute",
                                                               "Blown Bottle",
                                                               "Shakuhachi",
                                                               "Whistle",
                                                               "Ocarina",
                                                               "Lead 1 (square)",
                                                               "Lead 2 (sawtooth)",
                                                               "Lead 3 (calliope)",
                                                               "Lead 4 (chiff)",
                                                               "Lead 5 (charang)",
                                                               "Lead 6 (voice)",
                                                               "Lead 7 (fifths)",
                                                               "Lead 8 (bass + lead)",
                                                               "Pad 1 (new age)",
                                                               "Pad 2 (warm)",
                                                               "Pad 3 (polysynth)",
                                                               "Pad 4 (choir)",
                                                               "Pad 5 (bowed)",
                                                               "Pad 6 (metallic)",
                                                               "Pad 7 (halo)",
                                                               "Pad 8 (sweep)",
                                                               "FX 1 (rain)",
                                                               "FX 2 (soundtrack)",
                                                               "FX 3 (crystal)",
                                                               "FX 4 (atmosphere)",
                                                               "FX 5 (brightness)",
                                                               "FX 6 (goblins)",
                                                               "FX 7 (echoes)",
                                                               "FX 8 (sci-fi)",
                                                               "Sitar",
                                                               "Banjo",
                                                               "Shamisen",
                                                               "Koto",
                                                               "Kalimba",
                                                               "Bagpipe",
                                                               "Fiddle",
                                                               "Shanai",
                                                               "Tinkle Bell",
                                                               "Agogo",
                                                               "Steel Drums",
                                                               "Woodblock",
                                                               "Taiko Drum",
                                                               "Melodic Tom",
                                                               "Synth Drum",
                                                               "Reverse Cymbal",
                                                               "Guitar Fret Noise",
                                                               "Breath Noise",
                                                               "Seashore",
                                                               "Bird Tweet",
                                                               "Telephone Ring",
                                                               "Helicopter",
                                                               "Applause",
                                                               "Gunshot"};
  return program >= 0 && program < 128 ? kNames[static_cast<size_t>(program)] : "";
}

}  // namespace merin::formats
