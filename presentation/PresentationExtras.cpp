#include "presentation/PresentationExtras.h"

#include "app/Branding.h"
#include "app/Dialogs.h"
#include "app/EventBoundary.h"
#include "app/Unit1.h"
#include "ledger/LedgerView.h"
#include "presentation/SkinData.h"
#include "presentation/SkinStore.h"
#include "presentation/TunePlayer.h"

#include <QAction>
#include <QMenu>

PresentationExtras::PresentationExtras(TForm1& owner) : QObject(&owner), form(owner) {
    setObjectName(QStringLiteral("PresentationExtras"));
    SkinStore1 = new SkinStore(this);
    SkinStore1->setObjectName(QStringLiteral("SkinStore1"));
    SkinData1 = new SkinData(form, this);
    SkinData1->setObjectName(QStringLiteral("SkinData1"));
    SkinData1->loadFromStore(*SkinStore1, startingSkin);

    QMenu* menu = form.ledger->PopupMenu1;
    menu->addSeparator();
    N4 = menu->addAction(QStringLiteral("静音"));
    N4->setObjectName(QStringLiteral("N4"));
    N4->setCheckable(true);
}

void PresentationExtras::wire() {
    using EventBoundary::guard;
    const LedgerView& ledger = *form.ledger;
    connect(ledger.N11, &QAction::triggered, this, guard(this, &PresentationExtras::N11Click));
    connect(ledger.N21, &QAction::triggered, this, guard(this, &PresentationExtras::N21Click));
    connect(ledger.N31, &QAction::triggered, this, guard(this, &PresentationExtras::N31Click));
    connect(ledger.N41, &QAction::triggered, this, guard(this, &PresentationExtras::N41Click));
    connect(ledger.N2, &QAction::triggered, this, guard(this, &PresentationExtras::N2Click));
    connect(N4, &QAction::triggered, this, guard(this, &PresentationExtras::N4Click));
}

void PresentationExtras::N11Click() {
    SkinData1->loadFromStore(*SkinStore1, 0);
}

void PresentationExtras::N21Click() {
    SkinData1->loadFromStore(*SkinStore1, 1);
}

void PresentationExtras::N31Click() {
    SkinData1->loadFromStore(*SkinStore1, 2);
}

void PresentationExtras::N41Click() {
    SkinData1->loadFromStore(*SkinStore1, 3);
}

void PresentationExtras::N2Click() {
    Dialogs::info(Branding::creditLine);
}

void PresentationExtras::N4Click() {
    form.tunePlayer->setMuted(N4->isChecked());
}
