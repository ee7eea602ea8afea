#include "members/PasswordRules.h"

#include <algorithm>

namespace PasswordRules {

namespace {

// QChar::isDigit() would let in full-width and other scripts' digits.
bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

bool isAllowedKey(QChar key) {
    return isAsciiDigit(key) || key.unicode() == 8;
}

bool isValidCode(const QString& code) {
    return !code.isEmpty() && std::all_of(code.begin(), code.end(), isAsciiDigit);
}

} // namespace PasswordRules
