#include "settlement/Calculator.h"

#include <QStandardPaths>

namespace Calculator {

QStringList candidates() {
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
            QStringLiteral("galculator"), QStringLiteral("mate-calc"), QStringLiteral("xcalc")};
}

QString find() {
    for (const QString& name : candidates()) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

} // namespace Calculator
