#pragma once

#include <QDateTime>
#include <QString>
#include <optional>
#include <string_view>

// Fixed text forms for dates and numbers, independent of the user's locale, so
// that stored texts sort as the dates they stand for and every machine writes
// the same amounts.
namespace TextRules {

inline constexpr auto dateFormat = "yyyy-MM-dd";
inline constexpr auto timeFormat = "HH:mm:ss";

// The date, followed by the time when the time of day is not midnight.
QString dateTimeText(const QDateTime& value);
// Reads a text written by dateTimeText (date alone, or date and time).
std::optional<QDateTime> parseDateTimeText(const QString& text);
// The plain date text of a day, as stored for a day with no time.
QString dateText(const QDate& day);

// Text to number; throws QuillError "'text' is not a valid floating point value".
double parseNumber(const QString& text);
// The same for UTF-8 text, as a dataset holds it.
double parseNumber(std::string_view utf8);
bool isNumber(const QString& text);
// Number to text: general format, at most 15 significant digits.
QString numberText(double value);

} // namespace TextRules
