#pragma once

#include <QObject>

class DateTimePicker;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class TForm1;

// The floating editor that adds an expense or changes the current one, and
// the command bar's delete.
class RecordEditor : public QObject {
    Q_OBJECT

public:
    enum Mode { Adding = 0, Changing = 1 };

    explicit RecordEditor(TForm1& form);
    void wire();

    Mode mode() const { return editorMode; }

    QFrame* Panel2 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* Label3 = nullptr;
    DateTimePicker* DateTimePicker1 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

    void BitBtn7Click();
    void BitBtn8Click();
    void BitBtn9Click();
    void Button1Click();
    void Button2Click();
    void Edit3KeyPress(QChar& key);

private:
    // Asks the user to pick a record when the ledger has no current row.
    bool requireCurrentRow();
    // Refuses an amount that is not a number, or is negative, with a message.
    bool amountAccepted(const QString& amount);
    void confirmChange();
    void confirmAdd();

    TForm1& form;
    Mode editorMode = Adding;
    qlonglong changingId = 0; // the row "修改" loaded
};
