#pragma once

#include <QString>
#include <QStringList>

// The desktop calculator the settlement centre starts.
namespace Calculator {

// The calculators looked for on PATH, in order of preference.
QStringList candidates();
// The full path of the first candidate found on PATH, or empty when none is.
QString find();

} // namespace Calculator
