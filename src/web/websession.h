// SPDX-License-Identifier: MIT
#pragma once

#include <emscripten/val.h>

#include <cstdint>
#include <string>

#include "session/session.h"
#include "web/webview.h"

namespace merin::web {

// A tab's session as the page meets it. Each action is one call that returns one result:
// {calls: the view's calls in order, for the page to carry out; changed: the slots whose note
// changed; step, titled, moved, queued, canUndo, canRedo; said: {ja, en} for a screen reader, or
// null; names: [{slot, name: {ja, en}}], the new names of the slots changed; replaced: the
// melodies ({codes, cursor, title}) to keep; refusal and pictureFailure: {ja, en} or null;
// melody: {codes, cursor, title}, empty, saved: the melody as it is now, for the keeper; and
// address: the fragment of the address, when the melody changed}.
class WebSession {
 public:
  WebSession(int32_t cellTop, int32_t cellHeight) : view_(cellTop, cellHeight), session_(view_) {}

  // The window opens (its sound is the page's own to play), undo starting here.
  emscripten::val Load();
  // Undo starts here again.
  void Forget() { session_.Forget(); }
  // A command by its name (session/commands.h: "white", "undo", "transpose" ...) and value.
  emscripten::val Command(const std::string& name, int value);
  // A button (1 left, 2 right, 4 middle) down on staff cell `slot` at row `y`, Shift as bit 1.
  emscripten::val StaffDown(int16_t slot, int16_t button, int16_t shift, float y);
  // A click on the marker of `slot`.
  emscripten::val Marker(int16_t slot);
  emscripten::val SetTitle(const std::string& title);
  emscripten::val New();
  // A melody ({codes, cursor, title}: a kept one, a closed tab's) in place of this one.
  emscripten::val Bring(const emscripten::val& melody);
  // The melody of an address's fragment (without '#'), or its refusal, nothing changed.
  emscripten::val BringAddress(const std::string& fragment);
  // Choice `number` of what `bytes` named `name` bring, from slot `from` on: the result, with
  // {format, import, report: {ja: [lines], en: [lines]}}, or its refusal, nothing changed.
  emscripten::val BringTaken(const emscripten::val& bytes, const std::string& name, size_t number,
                             size_t from);
  // The melody in the format of `extension`: {bytes, file, mime, nameChange: {ja, en} or null},
  // or {refusal}.
  emscripten::val Export(const std::string& extension) const;
  void MarkSaved() { session_.MarkSaved(); }
  bool Modified() const { return session_.Modified(); }
  std::string Address() const { return session_.Address(); }
  // {codes, cursor, title}.
  emscripten::val Snapshot() const;
  // [{ja, en}] of every slot, as a screen reader names it.
  emscripten::val Names() const;
  // Test play begins: {calls, steps: [{slot, wave}]}, nothing to play while it plays already.
  emscripten::val StartTestPlay();
  // Step `step` sounds: the view's calls.
  emscripten::val ShowTestPlayStep(size_t step);
  // Test play is over, by itself or `stopped`: the result of the input that waited, or none.
  emscripten::val EndTestPlay(bool stopped);
  bool Playing() const { return session_.playing(); }
  // Bytes from a MIDI keyboard (a Uint8Array) at `ms` milliseconds: the result, with the ids of
  // the keys pressed and let go of ({pressed, released}) and whether a note was moved into range
  // (shifted) the first time.
  emscripten::val Midi(const emscripten::val& bytes, double ms);

 private:
  emscripten::val ResultOf(const session::Outcome& outcome);

  WebView view_;
  session::Session session_;
};

// A snapshot as JavaScript sees it ({codes, cursor, title}).
emscripten::val ValOf(const MelodySnapshot& snapshot);

// The 30 codes of a JavaScript array of strings; a JavaScript error for anything else.
SlotCodes CodesOf(const emscripten::val& codes);

}  // namespace merin::web
