#pragma once

#include <QSqlDatabase>
#include <QStringList>

// The four tables of a ledger, created where missing; existing tables and
// their rows are never dropped or changed.
namespace Schema {

inline const QStringList tables{QStringLiteral("db"), QStringLiteral("shenhe"),
                                QStringLiteral("xmb"), QStringLiteral("mima")};

struct Report {
    QStringList found;   // what was there already
    QStringList created; // what was made now
};

// Creates missing tables, and the password row (holding storedCode) when the
// password table has none. Throws QuillError with the driver's text.
Report ensure(QSqlDatabase& db, const QString& storedCode);
bool tableExists(QSqlDatabase& db, const QString& table);

} // namespace Schema
