#pragma once

#include <QDateTime>
#include <QString>

// The arithmetic of the equal split and the texts the settlement centre
// shows. Every date appears as its date-time text, every amount as its
// number text; the runs of blanks belong to the texts.
namespace SettlementRules {

// The total divided by the head count, the count read with the number text
// rule. Throws QuillError for a count that is not a number, and for a count
// of 0 ("Floating point division by zero", or "Invalid floating point
// operation" when the total is 0 as well).
double equalShare(double total, const QString& headCount);

// The info box after the head count was written.
QString headCountSet(const QString& count);
// The info box of one member's total over the date range.
QString memberTotal(const QString& name, const QDateTime& from, const QDateTime& to, double sum);
// The result line of the equal split.
QString splitLine(const QDateTime& from, const QDateTime& to, double total, double share);
// The result line of one member's balance: what they paid minus the share.
QString balanceLine(const QString& name, const QDateTime& from, const QDateTime& to, double sum,
                    double balance);
// The result line of the amount over whatever the ledger shows.
QString amountLine(const QString& name, const QDateTime& from, const QDateTime& to, double sum);

} // namespace SettlementRules
