#pragma once

#include "app/Unit1.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// Types the code into the authorisation panel and clicks "OK", as a person would.
inline void typeCodeAndConfirm(TForm1& form, const QString& code) {
    form.Edit6->clear();
    QTest::keyClicks(form.Edit6, code);
    QTest::mouseClick(form.Button22, Qt::LeftButton);
}

// Opens the gate with the test install's code.
inline void unlock(TForm1& form, const QString& code = QStringLiteral("1234")) {
    typeCodeAndConfirm(form, code);
    QVERIFY(form.isUnlocked());
}
