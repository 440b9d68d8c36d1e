// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace merin::art {

// Every sound is mono 16-bit at this rate.
inline constexpr int kSampleRate = 44100;

// Every note and the rest last this long: the tone sounds for kToneMillis, then a short silence
// parts it from the next, so two equal notes in a row are heard as two.
inline constexpr int kNoteMillis = 280, kToneMillis = 250;
inline constexpr int kNoteSamples = kSampleRate * kNoteMillis / 1000;

// Equal-tempered pitch of a note code (A of the lower octave = 440 Hz); throws
// std::invalid_argument for a code that is not a note.
double NoteFrequency(std::string_view code);

// The handset voice: a soft pulse with a few harmonics, short attack and release.
std::vector<int16_t> Tone(double frequency, int totalMillis, int soundingMillis);

// The sound of a note code, kNoteSamples long.
std::vector<int16_t> NoteSound(std::string_view code);

// The sound of a rest or an empty slot: kNoteSamples of silence.
std::vector<int16_t> RestSound();

// The rising jingle played at start-up and the falling one played on closing.
std::vector<int16_t> OpeningJingle();
std::vector<int16_t> ClosingJingle();

}  // namespace merin::art
