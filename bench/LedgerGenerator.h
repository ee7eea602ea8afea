#pragma once

#include <QString>
#include <QStringList>

// Fills a ledger file with `rows` generated expenses: a fixed seed, six
// members, dates over three years, amounts with two decimals, the record
// editor's items, remarks of 0 to 30 Chinese characters.
namespace LedgerGenerator {

inline const QStringList members{QStringLiteral("张三"), QStringLiteral("李四"),
                                 QStringLiteral("王五"), QStringLiteral("赵六"),
                                 QStringLiteral("孙七"), QStringLiteral("周八")};

void fill(const QString& file, int rows);

} // namespace LedgerGenerator
