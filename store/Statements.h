#pragma once

#include "store/Statement.h"

#include <QDate>

// Every statement the program sends, in one place. Each is portable between
// SQLite and PostgreSQL, and every value is bound.
namespace Statements {

// The ledger table db.
Statement ledgerNewestFirst();
Statement ledgerInStoredOrder();
Statement ledgerOldestFirst();
Statement ledgerOfMember(const QString& name);
// Rows dated from the first day through the last day, whatever their time of day.
Statement ledgerBetweenDays(const QDate& from, const QDate& to);
Statement ledgerOfMemberBetweenDays(const QString& name, const QDate& from, const QDate& to);
Statement addExpense(const QString& name, const QString& dateTime, const QString& money,
                     const QString& item, const QString& remark);
Statement changeExpense(qlonglong id, const QString& name, const QString& dateTime,
                        const QString& money, const QString& item, const QString& remark);
Statement deleteExpense(const QString& name, qlonglong id);

// The audit: copy the ledger into the archive, then empty it (one transaction).
Statement archiveLedger();
Statement emptyLedger();

// The archive table shenhe.
Statement archiveInStoredOrder();
Statement archiveOldestFirst();

// The password table mima.
Statement storedPassword();
Statement setPassword(const QString& stored);

// The member table xmb.
Statement members();
Statement addMember(const QString& name);

} // namespace Statements
