#include "presentation/TunePlayer.h"

#include "app/Unit1.h"
#include "presentation/StandardMidiFile.h"
#include "store/InstallFolder.h"
#include "store/QuillError.h"

#include <QFileInfo>

TunePlayer::TunePlayer(TForm1& form) : QWidget(form.clientArea()) {
    setObjectName(QStringLiteral("MediaPlayer1"));
    setGeometry(16, 392, 253, 30);
    hide();
}

void TunePlayer::openTune() {
    tune.clear();
    const QString path = InstallFolder::tuneFile();
    try {
        tune = StandardMidiFile::read(path);
    } catch (const QuillError& error) {
        // An install folder made before the tune existed lacks it; the setup
        // program adds what is missing and leaves the rest alone.
        if (QFileInfo::exists(path))
            throw;
        throw QuillError(error.message() + QStringLiteral(" (run quillmere-setup to write it)"));
    }
}

void TunePlayer::startLooping() {
    openError.clear();
    engine.stop();
    try {
        openTune();
    } catch (const QuillError& error) {
        openError = error.message();
        return;
    }
    engine.play(tune);
}

QString TunePlayer::lastError() const {
    return openError.isEmpty() ? engine.lastError() : openError;
}
