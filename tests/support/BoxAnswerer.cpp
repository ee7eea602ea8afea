#include "BoxAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QTest>

BoxAnswerer::BoxAnswerer() {
    timer.setInterval(10);
    connect(&timer, &QTimer::timeout, this, &BoxAnswerer::poll);
    timer.start();
}

BoxAnswerer::~BoxAnswerer() {
    timer.stop();
}

QStringList BoxAnswerer::texts() const {
    QStringList result;
    for (const Box& box : seen)
        result << box.text;
    return result;
}

BoxAnswerer::Box BoxAnswerer::only() const {
    if (seen.size() != 1) {
        QTest::qFail(qPrintable(QStringLiteral("expected one box, saw %1: %2")
                                    .arg(seen.size())
                                    .arg(texts().join(QStringLiteral(" | ")))),
                     __FILE__, __LINE__);
        return {};
    }
    return seen.front();
}

void BoxAnswerer::poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || box->property("answered").toBool())
        return;
    box->setProperty("answered", true);
    Box noted{box->windowTitle(), box->text(), box->icon(), {}};
    for (QAbstractButton* button : box->buttons())
        noted.buttons << button->text();
    seen << noted;

    QAbstractButton* press = box->defaultButton();
    if (!answers.isEmpty()) {
        const QString wanted = answers.takeFirst();
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == wanted)
                press = button;
        }
    }
    if (!press && !box->buttons().isEmpty())
        press = box->buttons().front();
    if (press)
        QMetaObject::invokeMethod(press, &QAbstractButton::click, Qt::QueuedConnection);
}
