#include "store/TextRules.h"

#include "store/QuillError.h"

#include <charconv>
#include <cmath>

namespace TextRules {

QString dateTimeText(const QDateTime& value) {
    QString text = value.date().toString(dateFormat);
    const QTime t = value.time();
    if (t.hour() != 0 || t.minute() != 0 || t.second() != 0)
        text += QLatin1Char(' ') + t.toString(timeFormat);
    return text;
}

QString dateText(const QDate& day) {
    return day.toString(dateFormat);
}

std::optional<QDateTime> parseDateTimeText(const QString& text) {
    const QString trimmed = text.trimmed();
    QDateTime value = QDateTime::fromString(trimmed, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!value.isValid()) {
        const QDate day = QDate::fromString(trimmed, QString::fromLatin1(dateFormat));
        if (!day.isValid())
            return std::nullopt;
        value = QDateTime(day, QTime(0, 0));
    }
    return value;
}

namespace {

// Optional blanks, optional sign, digits with at most one ".", optional
// exponent, optional blanks; at least one digit before the exponent.
std::optional<double> readNumber(std::string_view text) {
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end && *p == ' ')
        ++p;
    while (end > p && end[-1] == ' ')
        --end;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    const char* body = p;
    int digits = 0;
    bool point = false;
    for (; p < end; ++p) {
        if (*p >= '0' && *p <= '9')
            ++digits;
        else if (*p == '.' && !point)
            point = true;
        else
            break;
    }
    if (digits == 0)
        return std::nullopt;
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p < end && (*p == '+' || *p == '-'))
            ++p;
        const char* expDigits = p;
        while (p < end && *p >= '0' && *p <= '9')
            ++p;
        if (p == expDigits)
            return std::nullopt;
    }
    if (p != end)
        return std::nullopt;
    // from_chars reads neither a sign nor a leading ".": hand it the unsigned body.
    double value = 0;
    std::from_chars_result result;
    if (*body == '.') {
        std::string number(body, end);
        number.insert(number.begin(), '0');
        result = std::from_chars(number.data(), number.data() + number.size(), value);
        if (result.ec != std::errc() || result.ptr != number.data() + number.size())
            return std::nullopt;
    } else {
        result = std::from_chars(body, end, value);
        if (result.ec != std::errc() || result.ptr != end)
            return std::nullopt;
    }
    return negative ? -value : value;
}

} // namespace

bool isNumber(const QString& text) {
    return readNumber(text.toStdString()).has_value();
}

double parseNumber(const QString& text) {
    if (const auto value = readNumber(text.toStdString()))
        return *value;
    throw QuillError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

double parseNumber(std::string_view utf8) {
    if (const auto value = readNumber(utf8))
        return *value;
    throw QuillError(QStringLiteral("'%1' is not a valid floating point value")
                         .arg(QString::fromUtf8(utf8.data(), qsizetype(utf8.size()))));
}

QString numberText(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0)
        return QStringLiteral("0");
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    QString text = QString::fromLatin1(buf, int(result.ptr - buf));
    // "1.5e-07" -> "1.5E-7", "1e+20" -> "1E20"
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        QString mantissa = text.left(e);
        QString exponent = text.mid(e + 1);
        const bool minus = exponent.startsWith(QLatin1Char('-'));
        if (exponent.startsWith(QLatin1Char('+')) || minus)
            exponent.remove(0, 1);
        while (exponent.size() > 1 && exponent.startsWith(QLatin1Char('0')))
            exponent.remove(0, 1);
        text = mantissa + QLatin1Char('E') + (minus ? QStringLiteral("-") : QString()) + exponent;
    }
    return text;
}

} // namespace TextRules
