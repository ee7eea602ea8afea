#include "store/MoneySum.h"

#include "store/Dataset.h"
#include "store/QuillError.h"
#include "store/TextRules.h"

#include <cmath>

void CompensatedSum::add(double value) {
    const double t = sum + value;
    if (std::fabs(sum) >= std::fabs(value))
        compensation += (sum - t) + value;
    else
        compensation += (value - t) + sum;
    sum = t;
}

double moneySum(Dataset& dataset) {
    if (!dataset.isOpen())
        throw QuillError(QStringLiteral("%1: Cannot perform this operation on a closed dataset")
                             .arg(dataset.name()));
    const int money = dataset.fieldIndex(QStringLiteral("money"));
    CompensatedSum total;
    dataset.first();
    while (!dataset.eof()) {
        total.add(TextRules::parseNumber(dataset.textAt(dataset.currentRow(), money)));
        dataset.next();
    }
    return total.result();
}
