#pragma once

#include <QObject>

class QAction;
class SkinData;
class SkinStore;
class TForm1;

// The touches that leave the ledger alone: the window's skin, the pop-up
// menu's style entries, the mute entry and the about box.
class PresentationExtras : public QObject {
    Q_OBJECT

public:
    // The skin the window starts with, and "风格4" chooses again.
    static constexpr int startingSkin = 3;

    explicit PresentationExtras(TForm1& form);
    void wire();

    SkinStore* SkinStore1 = nullptr;
    SkinData* SkinData1 = nullptr;
    // "静音": mutes and unmutes the background tune for the rest of the run.
    QAction* N4 = nullptr;

    void N11Click();
    void N21Click();
    void N31Click();
    void N41Click();
    void N2Click();
    void N4Click();

private:
    TForm1& form;
};
