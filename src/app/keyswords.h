// SPDX-License-Identifier: MIT
#pragma once

#include <initializer_list>
#include <string>

#include "core/language.h"

namespace merin::keys {

// What merinkast98-keys says in its own words: its help and the mistakes in its arguments.
enum class Text {
  Usage,
  Argument,           // {1} number, {2} the argument; goes before what is wrong with it
  NeedsValue,         // the option has no value after it
  GivenTwice,         // the option is given twice
  UnknownOption,      // no such option
  TokensWithInputs,   // tokens and -i both
  FolderNeedsFormat,  // {1} the folder of -o
  FormatNeedsFolder,
  FolderNeedsInputs,
  FolderNeedsNamedFiles,
  SeveralInputs,
  PartsNeedsOneFile,  // --parts with more than one file or with -o
  AlreadyWritten,     // {1} input, {2} target, {3} the earlier input
  CannotWriteOutput,
  NeedsNumber,        // --part, --from or --tune without a number from 1
  TunesNeedOneInput,  // --tunes with tokens, several inputs or -o
  TuneNotes,          // {1} notes; after a tune's title in --tunes
  ReadAndWritten,     // after a format's name in the help
  Read,               //
  Written,            //
  PartLine,       // {1} part, {2} track, {3} track name, {4} channel, {5} instrument, {6} onsets,
                  // {7} lowest, {8} highest note; one line of --parts
  StandardInput,  // the name standard input goes by in messages
};

// The converter's language: Japanese when the first non-empty of LC_ALL, LC_MESSAGES and LANG
// (null when unset) begins with "ja", else English. Only the text counts, not whether such a
// locale is installed.
Language LanguageOf(const char* lcAll, const char* lcMessages, const char* lang);

// `text` in `language`, each {n} replaced by the n-th of `values`.
std::string Words(Text text, Language language, std::initializer_list<std::string> values = {});

}  // namespace merin::keys
