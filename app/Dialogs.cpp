#include "app/Dialogs.h"

#include "app/Branding.h"

#include <QPushButton>

namespace Dialogs {

void info(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, Branding::applicationTitle, text, QMessageBox::Ok);
    box.exec();
}

void titled(QWidget* owner, const QString& caption, const QString& text, QMessageBox::Icon icon) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, owner);
    box.exec();
}

bool confirm(const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text);
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

QString reportText(const QString& text) {
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void errorReport(const QString& text) {
    QMessageBox box(QMessageBox::Critical, Branding::applicationTitle, reportText(text),
                    QMessageBox::Ok);
    box.exec();
}

} // namespace Dialogs
