#include "app/DateTimePicker.h"

#include "store/TextRules.h"

DateTimePicker::DateTimePicker(QWidget* parent) : QDateEdit(parent) {
    setDisplayFormat(QString::fromLatin1(TextRules::dateFormat));
    setCalendarPopup(true);
    setMinimumDate(QDate(1900, 1, 1));
}

void DateTimePicker::setValue(const QDateTime& value) {
    timeOfDay = value.time();
    setDate(value.date());
}
