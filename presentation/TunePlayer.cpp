#include "presentation/TunePlayer.h"

#include "app/Unit1.h"

TunePlayer::TunePlayer(TForm1& form) : QWidget(form.clientArea()) {
    setObjectName(QStringLiteral("MediaPlayer1"));
    setGeometry(16, 392, 253, 30);
    hide();
}

void TunePlayer::openTune() {}

void TunePlayer::startLooping() {}
