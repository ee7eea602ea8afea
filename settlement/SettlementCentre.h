#pragma once

#include <QObject>

class DateTimePicker;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class TForm1;

// The settlement centre: head count, member totals, the equal split and each
// member's balance.
class SettlementCentre : public QObject {
    Q_OBJECT

public:
    explicit SettlementCentre(TForm1& form);
    void wire();

    QFrame* Panel3 = nullptr;
    QLabel* Label10 = nullptr;
    QComboBox* ComboBox4 = nullptr;
    QLabel* Label11 = nullptr;
    DateTimePicker* DateTimePicker4 = nullptr;
    QLabel* Label14 = nullptr;
    DateTimePicker* DateTimePicker5 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QPushButton* Button18 = nullptr;
    QPushButton* BitBtn5 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button16 = nullptr;
    QPushButton* Button17 = nullptr;
    QPushButton* Button12 = nullptr;
    QPushButton* Button11 = nullptr;
    QPushButton* Button5 = nullptr;

private:
    TForm1& form;
};
