#include "presentation/TunePlayer.h"

#include "app/Unit1.h"
#include "presentation/StandardMidiFile.h"
#include "store/InstallFolder.h"
#include "store/QuillError.h"

TunePlayer::TunePlayer(TForm1& form) : QWidget(form.clientArea()) {
    setObjectName(QStringLiteral("MediaPlayer1"));
    setGeometry(16, 392, 253, 30);
    hide();
}

void TunePlayer::openTune() {
    tune.clear();
    tune = StandardMidiFile::read(InstallFolder::tuneFile());
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
