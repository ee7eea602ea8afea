#include "store/Statements.h"

#include "store/TextRules.h"

namespace Statements {

namespace {

const QString ledgerColumns = QStringLiteral("idon, name, datetime, money, something, info");

Statement ledgerWhere(const QString& condition, const QVariantList& values) {
    return {QStringLiteral("select %1 from db where %2").arg(ledgerColumns, condition), values};
}

// A day range as two texts that bracket every date-time text of those days:
// from "yyyy-MM-dd" up to, not including, the day after the last.
// Texts are stored as texts: an empty entry becomes '', never NULL, so that
// a later change or delete that names the row by its text still finds it.
QVariant text(const QString& value) {
    return value.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(value);
}

QVariantList dayRange(const QDate& from, const QDate& to) {
    return {TextRules::dateText(from), TextRules::dateText(to.addDays(1))};
}

} // namespace

Statement ledgerNewestFirst() {
    return {QStringLiteral("select %1 from db order by idon desc").arg(ledgerColumns), {}};
}

Statement ledgerInStoredOrder() {
    return {QStringLiteral("select %1 from db").arg(ledgerColumns), {}};
}

Statement ledgerOldestFirst() {
    return {QStringLiteral("select %1 from db order by idon asc").arg(ledgerColumns), {}};
}

Statement ledgerOfMember(const QString& name) {
    return ledgerWhere(QStringLiteral("name = ?"), {text(name)});
}

Statement ledgerBetweenDays(const QDate& from, const QDate& to) {
    return ledgerWhere(QStringLiteral("datetime >= ? and datetime < ?"), dayRange(from, to));
}

Statement ledgerOfMemberBetweenDays(const QString& name, const QDate& from, const QDate& to) {
    return ledgerWhere(QStringLiteral("name = ? and datetime >= ? and datetime < ?"),
                       QVariantList{text(name)} + dayRange(from, to));
}

Statement addExpense(const QString& name, const QString& dateTime, const QString& money,
                     const QString& item, const QString& remark) {
    return {QStringLiteral(
                "insert into db (name, datetime, money, something, info) values (?, ?, ?, ?, ?)"),
            {text(name), text(dateTime), text(money), text(item), text(remark)}};
}

Statement changeExpense(qlonglong id, const QString& name, const QString& dateTime,
                        const QString& money, const QString& item, const QString& remark) {
    return {QStringLiteral("update db set name = ?, datetime = ?, money = ?, something = ?, "
                           "info = ? where idon = ?"),
            {text(name), text(dateTime), text(money), text(item), text(remark), id}};
}

Statement deleteExpense(const QString& name, qlonglong id) {
    return {QStringLiteral("delete from db where name = ? and idon = ?"), {text(name), id}};
}

Statement archiveLedger() {
    return {QStringLiteral("insert into shenhe (%1) select %1 from db").arg(ledgerColumns), {}};
}

Statement emptyLedger() {
    return {QStringLiteral("delete from db"), {}};
}

Statement archiveInStoredOrder() {
    return {QStringLiteral("select %1 from shenhe").arg(ledgerColumns), {}};
}

Statement archiveOldestFirst() {
    return {QStringLiteral("select %1 from shenhe order by idon asc").arg(ledgerColumns), {}};
}

Statement storedPassword() {
    return {QStringLiteral("select mima as data from mima"), {}};
}

Statement setPassword(const QString& stored) {
    return {QStringLiteral("update mima set mima = ?"), {stored}};
}

Statement members() {
    return {QStringLiteral("select xingming from xmb"), {}};
}

Statement addMember(const QString& name) {
    return {QStringLiteral("insert into xmb (xingming) values (?)"), {text(name)}};
}

} // namespace Statements
