#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <functional>

class QWidget;

// Times the window's own handlers. Message boxes are answered the moment
// they are shown ("&Yes" for a confirmation), and the time each appeared is
// noted, so a handler that ends with a box is timed until its box shows.
class WindowDriver : public QObject {
    Q_OBJECT

public:
    WindowDriver();

    // Runs `action`, then paints the grid it names at once; returns the
    // milliseconds taken.
    double untilPainted(const std::function<QWidget*()>& action);
    // Runs `action`; returns the milliseconds until the last box it showed
    // appeared, counted from the first box when `fromFirstBox` is set (the
    // work after a confirmation), or until it returned when it showed none.
    double untilLastBox(const std::function<void()>& action, bool fromFirstBox = false);

    const QStringList& boxTexts() const { return texts; }
    // Boxes with an error icon seen so far.
    const QStringList& errors() const { return errorTexts; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QElapsedTimer clock;
    QList<qint64> shownAt;
    QStringList texts;
    QStringList errorTexts;
};
