#pragma once

#include "presentation/TuneEngine.h"

#include <QWidget>

class TForm1;

// The hidden player of the background tune, music/music.mid in the install
// folder. It plays the tune over and over until the program ends; on a
// machine without sound it stays silent and says nothing.
class TunePlayer : public QWidget {
    Q_OBJECT

public:
    explicit TunePlayer(TForm1& form);

    // Opens the tune file; throws QuillError when it is missing, unreadable
    // or not a MIDI file.
    void openTune();
    // Opens the tune again and starts it, playing it again each time it ends.
    // Problems are kept in lastError(), never reported.
    void startLooping();

    void setMuted(bool muted) { engine.setMuted(muted); }
    bool isMuted() const { return engine.isMuted(); }
    bool isSounding() const { return engine.isSounding(); }
    int rounds() const { return engine.rounds(); }
    QString lastError() const;

private:
    TuneEngine engine;
    QByteArray tune;
    QString openError;
};
