#pragma once

#include <QWidget>

class TForm1;

// The hidden player of the background tune.
class TunePlayer : public QWidget {
    Q_OBJECT

public:
    explicit TunePlayer(TForm1& form);

    // Opens the tune file; throws QuillError when it cannot be opened.
    void openTune();
    // Starts the tune, playing it again each time it ends.
    void startLooping();
};
