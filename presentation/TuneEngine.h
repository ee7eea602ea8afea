#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>
#include <utility>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_audio_driver_t fluid_audio_driver_t;
typedef struct _fluid_player_t fluid_player_t;

// Plays a MIDI file through FluidSynth, over and over until stopped. Where no
// sound can be made (no sound device, no SoundFont, a file FluidSynth cannot
// play) it stays silent and keeps the reason in lastError(); it never throws.
class TuneEngine {
public:
    struct Output {
        // Audio drivers to try, in order; the first that opens is used.
        QStringList drivers = defaultDrivers();
        QStringList soundFonts = defaultSoundFonts();
        // Further FluidSynth string settings, e.g. the file driver's file name.
        QList<std::pair<QByteArray, QByteArray>> settings;
    };

    TuneEngine();
    explicit TuneEngine(Output output);
    ~TuneEngine();
    TuneEngine(const TuneEngine&) = delete;
    TuneEngine& operator=(const TuneEngine&) = delete;

    static QStringList defaultDrivers();
    static QStringList defaultSoundFonts();

    // Stops whatever plays and starts `midi` from its beginning, looping.
    // Returns whether it sounds; while muted it starts paused.
    bool play(const QByteArray& midi);
    void stop();

    // Muting pauses the tune and gives the sound device back; unmuting goes
    // on where it paused.
    void setMuted(bool muted);
    bool isMuted() const { return muted; }

    bool isSounding() const { return driver != nullptr; }
    // How often the tune has started over since play().
    int rounds() const { return restarts.load(); }
    QString lastError() const { return error; }

private:
    bool openDriver();
    void closeDriver();
    static int onTick(void* data, int tick);

    Output output;
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;
    fluid_audio_driver_t* driver = nullptr;
    QByteArray tune;
    bool muted = false;
    QString error;
    std::atomic<int> restarts{0};
    std::atomic<int> lastTick{0};
};
