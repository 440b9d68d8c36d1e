// SPDX-License-Identifier: MIT
#pragma once

#include <emscripten/val.h>

#include <cstdint>

#include "core/melody.h"
#include "core/melodyhistory.h"
#include "web/webview.h"

namespace merin::web {

// The melody and its cursor under the page's handlers. Each handler runs the program's own
// procedure on a WebView and returns the calls it made, in order, for the page to carry out.
// Form_Load comes first, as when the window opens.
class WebMelody {
 public:
  WebMelody(int32_t cellTop, int32_t cellHeight) : view_(cellTop, cellHeight) {}

  emscripten::val FormLoad();
  emscripten::val KenClick(int16_t index);
  emscripten::val BkeyClick(int16_t index);
  emscripten::val PedalSwClick();
  emscripten::val GosenMouseDown(int16_t index, int16_t button, int16_t shift, float x, float y);
  emscripten::val NpClick(int16_t index);
  // A cursor key: the slot `where` names ("previous", "next", "first", or "end", the slot after
  // the last one written) becomes current as a click on its marker makes it.
  emscripten::val Select(const std::string& where);
  emscripten::val Command2Click();
  // Puts a snapshot ({codes, cursor, title}, as Snapshot gives and MelodyHistory hands back) in
  // place through ApplyMelody; a JavaScript error for a code or cursor out of range.
  emscripten::val Apply(const emscripten::val& snapshot);

  // The melody as {codes: [30 codes], cursor, title}.
  emscripten::val Snapshot() const;
  // What test play sounds, for the page to schedule: [{slot, wave}], the wave a file name of
  // the program folder.
  emscripten::val TestPlaySteps() const;

 private:
  Melody melody_;
  WebView view_;
};

// A snapshot as JavaScript sees it, and back; a JavaScript error for one that is not.
emscripten::val ValOf(const MelodySnapshot& snapshot);
MelodySnapshot SnapshotOf(const emscripten::val& snapshot);

// The 30 codes of a JavaScript array of strings; a JavaScript error for anything else.
SlotCodes CodesOf(const emscripten::val& codes);

}  // namespace merin::web
