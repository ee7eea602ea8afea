#pragma once

#include "store/DataSource.h"

#include <QMainWindow>

class AuditPanel;
class Dataset;
class DatasetModel;
class LedgerView;
class MemberPanel;
class PresentationExtras;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class RecordEditor;
class SettlementCentre;
class TunePlayer;

// The main window. It owns every panel and dataset for the whole run and
// starts locked behind the authorisation panel. The constructor throws
// StartupError when start-up cannot go on; it never ends the process itself.
class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Datasets, each on a connection of its own.
    Dataset* ADOQuery1 = nullptr; // ledger query
    Dataset* ADOQuery2 = nullptr; // archive query
    Dataset* ADOQuery3 = nullptr; // password query
    Dataset* ADOTable1 = nullptr; // member cursor

    // Panels: the command bar with the ledger grid, and the floating panels.
    LedgerView* ledger = nullptr;
    RecordEditor* recordEditor = nullptr;
    SettlementCentre* settlement = nullptr;
    TunePlayer* tunePlayer = nullptr;
    MemberPanel* memberPanel = nullptr;
    AuditPanel* auditPanel = nullptr;
    PresentationExtras* presentation = nullptr; // skins, mute entry, about box

    // Authorisation panel.
    QFrame* Panel6 = nullptr;
    QLabel* Label17 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QPushButton* Button22 = nullptr;
    QPushButton* Button20 = nullptr;

    const DataSource& dataSource() const { return source; }
    QWidget* clientArea() const { return client; }
    bool isUnlocked() const;

    // Fills the three name boxes with the member table's names, in table order.
    void fillNameBoxes();

    void FormCreate();
    void FormShow();
    void Panel6Enter();
    void Edit6KeyDown(int key);
    void Button22Click();
    void Button20Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildGate();
    void layoutClient();

    DataSource source;
    QWidget* client = nullptr;
    bool shownBefore = false;
};
