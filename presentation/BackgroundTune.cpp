#include "presentation/BackgroundTune.h"

#include <initializer_list>

namespace BackgroundTune {

namespace {

constexpr int quarter = 480;
constexpr int bar = 4 * quarter;

enum Channel { melody = 0, bass = 1, pad = 2 };

// A note by its name and octave ("A4", "Bb3", "C#5"), as a MIDI key.
int key(const char* name) {
    static const int steps[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    int k = steps[name[0] - 'A'];
    int i = 1;
    if (name[i] == 'b')
        --k, ++i;
    else if (name[i] == '#')
        ++k, ++i;
    const int octave = name[i] - '0';
    return 12 * (octave + 1) + k;
}

struct Step {
    const char* note; // nullptr for a rest
    double beats;
};

// Appends a line of notes, one after the other, from `start`; returns its end.
int line(MidiSong& song, int channel, int velocity, int start, std::initializer_list<Step> steps) {
    int at = start;
    for (const Step& step : steps) {
        const int length = int(step.beats * quarter);
        if (step.note)
            song.notes.append({channel, key(step.note), velocity, at, length - quarter / 16});
        at += length;
    }
    return at;
}

void chord(MidiSong& song, int start, int beats, std::initializer_list<const char*> notes) {
    for (const char* note : notes)
        song.notes.append({pad, key(note), 38, start, beats * quarter - quarter / 8});
}

} // namespace

MidiSong song() {
    MidiSong s;
    s.ticksPerQuarter = quarter;
    s.microsecondsPerQuarter = 625000;                  // 96 beats a minute
    s.programs = {{melody, 10}, {bass, 32}, {pad, 89}}; // music box, acoustic bass, warm pad

    line(s, melody, 84, 0, {{"A4", 1},   {"C5", 1},    {"F5", 1.5}, {"E5", 0.5}, // F
                            {"D5", 1},   {"C5", 1},    {"A4", 2},                // Dm
                            {"Bb4", 1},  {"D5", 1},    {"F5", 1},   {"D5", 1},   // Bb
                            {"C5", 1.5}, {"Bb4", 0.5}, {"A4", 1},   {"G4", 1},   // C
                            {"A4", 1},   {"C5", 1},    {"F5", 1},   {"G5", 1},   // F
                            {"A5", 1.5}, {"G5", 0.5},  {"E5", 2},                // Am
                            {"D5", 1},   {"F5", 1},    {"E5", 1},   {"C5", 1},   // Bb C
                            {"F5", 3},   {nullptr, 1}});                         // F

    // clang-format off
    line(s, bass, 70, 0,
         {{"F2", 2},  {"C3", 2}, {"D2", 2}, {"A2", 2},        // F, Dm
          {"Bb1", 2}, {"F2", 2}, {"C2", 2}, {"G2", 2},        // Bb, C
          {"F2", 2},  {"C3", 2}, {"A1", 2}, {"E2", 2},        // F, Am
          {"Bb1", 2}, {"C2", 2}, {"F2", 3}, {nullptr, 1}});   // Bb C, F
    // clang-format on

    const std::initializer_list<std::initializer_list<const char*>> chords{
        {"F3", "A3", "C4"}, {"D3", "F3", "A3"}, {"Bb2", "D3", "F3"},
        {"C3", "E3", "G3"}, {"F3", "A3", "C4"}, {"A2", "C3", "E3"}};
    int at = 0;
    for (const auto& notes : chords) {
        chord(s, at, 4, notes);
        at += bar;
    }
    chord(s, at, 2, {"Bb2", "D3", "F3"});
    chord(s, at + 2 * quarter, 2, {"C3", "E3", "G3"});
    chord(s, at + bar, 3, {"F3", "A3", "C4"});

    s.endTick = 8 * bar;
    return s;
}

QByteArray midi() {
    return StandardMidiFile::write(song());
}

} // namespace BackgroundTune
