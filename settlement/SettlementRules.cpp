#include "settlement/SettlementRules.h"

#include "store/QuillError.h"
#include "store/TextRules.h"

namespace SettlementRules {

using TextRules::dateTimeText;
using TextRules::numberText;

double equalShare(double total, const QString& headCount) {
    const double count = TextRules::parseNumber(headCount);
    if (count == 0) {
        throw QuillError(total == 0 ? QStringLiteral("Invalid floating point operation")
                                    : QStringLiteral("Floating point division by zero"));
    }
    return total / count;
}

QString headCountSet(const QString& count) {
    return QStringLiteral("您当前已经设置成") + count + QStringLiteral("个人参与记账！");
}

QString memberTotal(const QString& name, const QDateTime& from, const QDateTime& to, double sum) {
    return name + QStringLiteral("  在  ") + dateTimeText(from) + QStringLiteral("  至   ") +
           dateTimeText(to) + QStringLiteral("  的总金额为: ") + numberText(sum) +
           QStringLiteral(" 元 ");
}

QString splitLine(const QDateTime& from, const QDateTime& to, double total, double share) {
    return QStringLiteral(" 在  ") + dateTimeText(from) + QStringLiteral("  至   ") +
           dateTimeText(to) + QStringLiteral("  的总金额为: ") + numberText(total) +
           QStringLiteral(" 元 ，平均每人付") + numberText(share) + QStringLiteral("元");
}

QString balanceLine(const QString& name, const QDateTime& from, const QDateTime& to, double sum,
                    double balance) {
    return name + QStringLiteral(" 在 ") + dateTimeText(from) + QStringLiteral("  至   ") +
           dateTimeText(to) + QStringLiteral(" 的总金额为: ") + numberText(sum) +
           QStringLiteral(" 元 ，") + name + QStringLiteral(" 应得到  ") + numberText(balance) +
           QStringLiteral("元");
}

QString amountLine(const QString& name, const QDateTime& from, const QDateTime& to, double sum) {
    // The same words as a member's total, over the ledger's current rows.
    return memberTotal(name, from, to, sum);
}

} // namespace SettlementRules
