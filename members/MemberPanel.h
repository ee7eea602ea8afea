#pragma once

#include <QChar>
#include <QObject>

class DBGrid;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class TForm1;

// The member panel: the member list and the password change.
class MemberPanel : public QObject {
    Q_OBJECT

public:
    explicit MemberPanel(TForm1& form);
    void wire();

    QFrame* Panel4 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label16 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button8 = nullptr;
    DBGrid* DBGrid1 = nullptr;
    QPushButton* Button9 = nullptr;
    QPushButton* Button10 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* Button21 = nullptr;

    void Button7Click();
    void Button10Click();
    void Button8Click();
    void Button9Click();
    void Button21Click();
    void Edit2KeyPress(QChar& key);

private:
    // Refills the name boxes, keeping the member grid's mark where it was.
    void refreshNameBoxes();

    TForm1& form;
};
