#pragma once

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

// Answers modal message boxes the way a person would: a timer finds the
// active modal box, notes what it says and presses a button. Answers are
// taken in order from the queue; with an empty queue it presses the box's
// default (or only) button.
class BoxAnswerer : public QObject {
    Q_OBJECT

public:
    struct Box {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        QStringList buttons;
    };

    BoxAnswerer();
    ~BoxAnswerer() override;

    // Queue the text of the button to press for the next box ("&Yes", "&No", ...).
    void answerNext(const QString& buttonText) { answers << buttonText; }
    const QList<Box>& boxes() const { return seen; }
    QStringList texts() const;
    // The one box seen since the last clear(); fails the test otherwise.
    Box only() const;
    void clear() { seen.clear(); }

private:
    void poll();

    QTimer timer;
    QStringList answers;
    QList<Box> seen;
};
