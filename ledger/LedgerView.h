#pragma once

#include <QObject>

class DBGrid;
class DateTimePicker;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
struct Statement;
class TForm1;

// The ledger grid and the command bar below it, with the name and date
// filters and the grid's pop-up menu.
class LedgerView : public QObject {
    Q_OBJECT

public:
    explicit LedgerView(TForm1& form);
    void wire();
    // Grid on top, command bar filling the rest of the client area.
    void layout(int width, int height);

    // Gives the ledger query a new statement and opens it; the grid shows its rows.
    void showInLedger(const Statement& statement);

    QFrame* Panel1 = nullptr;
    DBGrid* DBGrid2 = nullptr;

    QPushButton* BitBtn7 = nullptr;
    QPushButton* BitBtn8 = nullptr;
    QPushButton* BitBtn9 = nullptr;
    QLabel* Label12 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QPushButton* BitBtn6 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button6 = nullptr;
    QPushButton* Button7 = nullptr;
    QLabel* Label13 = nullptr;
    DateTimePicker* DateTimePicker2 = nullptr;
    QLabel* Label7 = nullptr;
    DateTimePicker* DateTimePicker3 = nullptr;
    QPushButton* BitBtn4 = nullptr;
    QLabel* Label9 = nullptr;

    QMenu* PopupMenu1 = nullptr;
    QAction* N3 = nullptr;
    QAction* N1 = nullptr;
    QAction* N11 = nullptr;
    QAction* N21 = nullptr;
    QAction* N31 = nullptr;
    QAction* N41 = nullptr;
    QAction* N2 = nullptr;

    void BitBtn6Click();
    void BitBtn4Click();
    void N1Click();
    void N3Click();

private:
    void buildGrid();
    void buildCommandBar();
    void buildMenu();

    TForm1& form;
};
