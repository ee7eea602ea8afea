#pragma once

#include <QObject>
#include <optional>

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

    // The per-head share of the last equal split in this run, if any.
    std::optional<double> share() const { return perHead; }

    void Button6Click();
    void Button5Click();
    void Button18Click();
    void BitBtn5Click();
    void Button4Click();
    void Button16Click();
    void Button17Click();
    void Button3Click();
    void Button11Click();
    void Button12Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void readHeadCount();
    double memberSum();

    TForm1& form;
    std::optional<double> perHead;
};
