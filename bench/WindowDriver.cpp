#include "WindowDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

WindowDriver::WindowDriver() {
    clock.start();
    qApp->installEventFilter(this);
}

bool WindowDriver::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        if (auto* box = qobject_cast<QMessageBox*>(watched)) {
            shownAt << clock.nsecsElapsed();
            texts << box->text();
            if (box->icon() == QMessageBox::Critical)
                errorTexts << box->text();
            QAbstractButton* press = box->defaultButton();
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() == QLatin1String("&Yes"))
                    press = button;
            }
            if (!press && !box->buttons().isEmpty())
                press = box->buttons().front();
            QTimer::singleShot(0, press, &QAbstractButton::click);
        }
    }
    return QObject::eventFilter(watched, event);
}

double WindowDriver::untilPainted(const std::function<QWidget*()>& action) {
    const qint64 start = clock.nsecsElapsed();
    QWidget* grid = action();
    QCoreApplication::processEvents();
    grid->repaint();
    return double(clock.nsecsElapsed() - start) / 1e6;
}

double WindowDriver::untilLastBox(const std::function<void()>& action, bool fromFirstBox) {
    const qsizetype before = shownAt.size();
    const qint64 start = clock.nsecsElapsed();
    action();
    const qint64 returned = clock.nsecsElapsed();
    if (shownAt.size() == before)
        return double(returned - start) / 1e6;
    const qint64 from = fromFirstBox ? shownAt[before] : start;
    return double(shownAt.back() - from) / 1e6;
}
