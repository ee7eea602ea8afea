#pragma once

#include <QObject>

class DBGrid;
class QFrame;
class QPushButton;
class TForm1;

// The audit panel: moves the ledger into the archive and lists the archive.
class AuditPanel : public QObject {
    Q_OBJECT

public:
    explicit AuditPanel(TForm1& form);
    void wire();

    QFrame* Panel5 = nullptr;
    DBGrid* DBGrid4 = nullptr;
    QPushButton* Button14 = nullptr;
    QPushButton* Button15 = nullptr;
    QPushButton* Button13 = nullptr;

    void Button14Click();
    void Button15Click();
    void Button13Click();

private:
    TForm1& form;
};
