#pragma once

#include <QString>

namespace Branding {

inline const QString applicationTitle = QStringLiteral("Quillmere");
inline const QString creditLine =
    QStringLiteral("Quillmere 合租记账 · Quillmere 开发组 出品  ver: 1.5");
inline const QString windowCaption =
    applicationTitle + QStringLiteral(" [") + creditLine + QStringLiteral("]");

} // namespace Branding
