#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One note of a song: channel 0..15, key 0..127, velocity 1..127, and its
// start and length in ticks.
struct MidiNote {
    int channel = 0;
    int key = 60;
    int velocity = 80;
    int start = 0;
    int length = 0;
};

// The instrument (General MIDI program 0..127) a channel plays.
struct MidiProgram {
    int channel = 0;
    int program = 0;
};

// A song as a note list: everything needed to write it as a file.
struct MidiSong {
    int ticksPerQuarter = 480;
    int microsecondsPerQuarter = 500000;
    QList<MidiProgram> programs;
    QList<MidiNote> notes;
    // The track ends here (or at its last note off, whichever is later); a
    // player looping the file starts over from this point.
    int endTick = 0;
};

// Writing and checking Standard MIDI Files (format 0: one track).
namespace StandardMidiFile {

// Throws QuillError when the song holds a value MIDI cannot carry.
QByteArray write(const MidiSong& song);
// The variable-length quantity MIDI uses for delta times and lengths.
QByteArray variableLength(quint32 value);
// Empty when `bytes` is a complete Standard MIDI File; otherwise what is wrong.
QString problem(const QByteArray& bytes);
// Reads a MIDI file; throws QuillError saying why when it cannot be read or
// is not a complete Standard MIDI File.
QByteArray read(const QString& path);

} // namespace StandardMidiFile
