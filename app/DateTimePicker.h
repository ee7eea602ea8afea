#pragma once

#include <QDateEdit>
#include <QDateTime>

// A date picker that shows and edits only the date but holds a time of day as
// well; setting the date, by the user or from code, keeps the time of day.
class DateTimePicker : public QDateEdit {
    Q_OBJECT

public:
    explicit DateTimePicker(QWidget* parent = nullptr);

    QDateTime value() const { return QDateTime(date(), timeOfDay); }
    void setValue(const QDateTime& value);
    QTime heldTime() const { return timeOfDay; }

private:
    QTime timeOfDay{0, 0};
};
