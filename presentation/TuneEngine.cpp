#include "presentation/TuneEngine.h"

#include "presentation/StandardMidiFile.h"

#include <QFileInfo>
#include <QMutex>
#include <alsa/asoundlib.h>
#include <cstdarg>
#include <cstdio>
#include <fluidsynth.h>
#include <mutex>

namespace {

// FluidSynth, and ALSA beneath it, log through process-wide functions. Their
// complaints are kept here for lastError() instead of going to the terminal.
QMutex logLock;
QString lastLog;

void recordLog(int, const char* message, void*) {
    QMutexLocker locker(&logLock);
    lastLog = QString::fromLocal8Bit(message);
}

void recordAlsaError(const char*, int, const char*, int, const char* format, ...) {
    char message[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    recordLog(FLUID_ERR, message, nullptr);
}

void keepLogQuiet() {
    static std::once_flag once;
    std::call_once(once, [] {
        snd_lib_error_set_handler(recordAlsaError);
        fluid_set_log_function(FLUID_PANIC, recordLog, nullptr);
        fluid_set_log_function(FLUID_ERR, recordLog, nullptr);
        fluid_set_log_function(FLUID_WARN, recordLog, nullptr);
        fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
        fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
    });
}

QString takeLog() {
    QMutexLocker locker(&logLock);
    QString message = lastLog;
    lastLog.clear();
    return message;
}

} // namespace

TuneEngine::TuneEngine() : TuneEngine(Output{}) {}

TuneEngine::TuneEngine(Output out) : output(std::move(out)) {
    keepLogQuiet();
}

TuneEngine::~TuneEngine() {
    stop();
}

QStringList TuneEngine::defaultDrivers() {
    // PulseAudio (or PipeWire's stand-in for it) first: it shares the device
    // with other programs; bare ALSA and JACK after it.
    return {QStringLiteral("pulseaudio"), QStringLiteral("alsa"), QStringLiteral("jack"),
            QStringLiteral("oss")};
}

QStringList TuneEngine::defaultSoundFonts() {
    return {QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2"),
            QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"),
            QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2")};
}

bool TuneEngine::play(const QByteArray& midi) {
    stop();
    tune = midi;
    error.clear();
    restarts = 0;
    lastTick = 0;
    takeLog();
    // FluidSynth parses the file only while it plays, and retries a broken
    // one in its loop; check it before it gets that far.
    const QString trouble = StandardMidiFile::problem(tune);
    if (!trouble.isEmpty()) {
        error = QStringLiteral("Cannot play the tune: %1").arg(trouble);
        return false;
    }

    settings = new_fluid_settings();
    if (!settings) {
        error = QStringLiteral("FluidSynth cannot start: %1").arg(takeLog());
        return false;
    }
    fluid_settings_setnum(settings, "synth.gain",
                          0.5); // a quiet background, well clear of clipping
    for (const auto& [name, value] : output.settings)
        fluid_settings_setstr(settings, name.constData(), value.constData());
    synth = new_fluid_synth(settings);
    if (synth)
        player = new_fluid_player(synth);
    if (!player) {
        error = QStringLiteral("FluidSynth cannot start: %1").arg(takeLog());
        stop();
        return false;
    }
    fluid_player_set_loop(player, -1);
    fluid_player_set_tick_callback(player, &TuneEngine::onTick, this);
    if (fluid_player_add_mem(player, tune.constData(), size_t(tune.size())) != FLUID_OK ||
        fluid_player_play(player) != FLUID_OK) {
        error = QStringLiteral("FluidSynth cannot play the tune: %1").arg(takeLog());
        stop();
        return false;
    }
    // The player moves on only while a driver renders the synth, so a muted
    // or silent engine simply waits at the start.
    return !muted && openDriver();
}

void TuneEngine::stop() {
    closeDriver();
    if (player) {
        fluid_player_stop(player);
        delete_fluid_player(player);
        player = nullptr;
    }
    if (synth) {
        delete_fluid_synth(synth);
        synth = nullptr;
    }
    if (settings) {
        delete_fluid_settings(settings);
        settings = nullptr;
    }
}

void TuneEngine::setMuted(bool mute) {
    if (mute == muted)
        return;
    muted = mute;
    if (muted)
        closeDriver();
    else if (player)
        openDriver();
}

bool TuneEngine::openDriver() {
    if (driver)
        return true;
    QStringList reasons;
    for (const QString& name : output.drivers) {
        fluid_settings_setstr(settings, "audio.driver", name.toUtf8().constData());
        driver = new_fluid_audio_driver(settings, synth);
        if (driver)
            break;
        reasons << QStringLiteral("%1: %2").arg(name, takeLog());
    }
    if (!driver) {
        error = QStringLiteral("No sound device (%1)").arg(reasons.join(QStringLiteral("; ")));
        return false;
    }
    if (fluid_synth_sfcount(synth) > 0)
        return true;
    QString font;
    for (const QString& candidate : output.soundFonts) {
        if (QFileInfo(candidate).isReadable()) {
            font = candidate;
            break;
        }
    }
    if (font.isEmpty()) {
        error = QStringLiteral("No General MIDI SoundFont (looked for %1)")
                    .arg(output.soundFonts.join(QStringLiteral(", ")));
        closeDriver();
        return false;
    }
    if (fluid_synth_sfload(synth, QFile::encodeName(font).constData(), 1) == FLUID_FAILED) {
        error = QStringLiteral("Cannot load the SoundFont %1: %2").arg(font, takeLog());
        closeDriver();
        return false;
    }
    return true;
}

void TuneEngine::closeDriver() {
    if (!driver)
        return;
    delete_fluid_audio_driver(driver);
    driver = nullptr;
    if (synth)
        fluid_synth_all_sounds_off(synth, -1);
}

int TuneEngine::onTick(void* data, int tick) {
    // Runs on the audio thread. The tick falls back to the start each time
    // the player begins the tune again.
    auto* engine = static_cast<TuneEngine*>(data);
    if (tick < engine->lastTick.exchange(tick))
        ++engine->restarts;
    return FLUID_OK;
}
