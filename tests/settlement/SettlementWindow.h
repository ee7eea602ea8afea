#pragma once

#include "BoxAnswerer.h"
#include "TestInstall.h"
#include "Unlock.h"

#include "app/DBGrid.h"
#include "app/Unit1.h"
#include "ledger/LedgerView.h"
#include "settlement/AuditPanel.h"
#include "settlement/SettlementCentre.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QSqlQuery>
#include <memory>

// An unlocked main window over a fresh install, its two grids watched by the
// model tester.
struct SettlementWindow {
    explicit SettlementWindow(const QString& backend) : install(backend) {}

    void open() {
        form = std::make_unique<TForm1>();
        form->show();
        unlock(*form);
        for (DBGrid* grid : {form->ledger->DBGrid2, form->auditPanel->DBGrid4})
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                grid->model(), QAbstractItemModelTester::FailureReportingMode::QtTest));
    }

    SettlementCentre& centre() { return *form->settlement; }
    AuditPanel& audit() { return *form->auditPanel; }
    LedgerView& bar() { return *form->ledger; }

    QString headCountPath() const { return install.path() + QStringLiteral("/number.ini"); }
    QByteArray headCountBytes() const {
        QFile file(headCountPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void writeHeadCount(const QByteArray& bytes) const {
        QFile file(headCountPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    // Every row of a ledger-shaped table, "idon|name|datetime|money|something|info", by id.
    QStringList tableRows(const QString& table) {
        QSqlQuery q(install.db());
        if (!q.exec(QStringLiteral("select idon, name, datetime, money, something, info from %1 "
                                   "order by idon, name, datetime, money")
                        .arg(table)))
            return {QStringLiteral("<cannot read %1>").arg(table)};
        QStringList rows;
        while (q.next()) {
            QStringList cells;
            for (int c = 0; c < 6; ++c)
                cells << q.value(c).toString();
            rows << cells.join(QLatin1Char('|'));
        }
        return rows;
    }

    TestInstall install;
    std::unique_ptr<TForm1> form;
    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
};

// The values of one field in every row a grid shows, fetching them all.
inline QStringList gridColumn(DBGrid* grid, const QString& field) {
    QAbstractItemModel* model = grid->model();
    while (model->canFetchMore({}))
        model->fetchMore({});
    int column = -1;
    for (int c = 0; c < model->columnCount(); ++c) {
        if (grid->datasetModel()->boundField(c) == field)
            column = c;
    }
    QStringList values;
    for (int r = 0; r < model->rowCount(); ++r)
        values << model->data(model->index(r, column)).toString();
    return values;
}
