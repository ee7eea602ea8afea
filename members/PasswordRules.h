#pragma once

#include <QChar>
#include <QString>

// What a new authorisation code may hold: the ASCII digits "0" to "9" only.
namespace PasswordRules {

// Whether the key may be typed into the password box: a digit or backspace.
bool isAllowedKey(QChar key);
// Whether `code` is a non-empty string of digits.
bool isValidCode(const QString& code);

} // namespace PasswordRules
