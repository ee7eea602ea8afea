#pragma once

#include "presentation/StandardMidiFile.h"

// The program's own background tune: a short, quiet piece in F major that
// loops without a seam.
namespace BackgroundTune {

MidiSong song();
// The song as a Standard MIDI File, as the setup program writes it.
QByteArray midi();

} // namespace BackgroundTune
