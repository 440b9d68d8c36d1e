// SPDX-License-Identifier: MIT
#pragma once

#include "core/melody.h"
#include "core/melodyview.h"
#include "core/sounddevice.h"

namespace merin {

// Start-up of the main window: program folder, empty melody, markers under their cells, then the
// opening sound played to its end.
void Form_Load(Melody& melody, MelodyView& view, SoundDevice& sound);

// The main window is closing: the closing sound is played to its end.
void Form_Unload(SoundDevice& sound);

// The end menu item: the program ends at once, without the closing sound.
void EndMenu_Click(MelodyView& view);

}  // namespace merin
