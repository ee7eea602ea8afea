#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// The program's message boxes. Each is a real modal QMessageBox.
namespace Dialogs {

// Centred on the screen, the application title as caption, no icon, OK.
void info(const QString& text);
// A box with its own caption; owned by `owner` when given.
void titled(QWidget* owner, const QString& caption, const QString& text,
            QMessageBox::Icon icon = QMessageBox::NoIcon);
// "Confirm", a question icon, "&Yes" and "&No"; true only for Yes.
bool confirm(const QString& text);
// The default error report for an error that escaped a handler.
void errorReport(const QString& text);
// The error text as the report shows it: "." appended when the last
// character sorts after ".".
QString reportText(const QString& text);

} // namespace Dialogs
