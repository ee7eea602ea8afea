#include "ErrorOf.h"
#include "TestInstall.h"

#include "store/DataSource.h"
#include "store/Dataset.h"
#include "store/DatasetModel.h"
#include "store/MoneySum.h"
#include "store/PasswordHash.h"
#include "store/QuillError.h"
#include "store/RowStore.h"
#include "store/Statements.h"
#include "store/TextRules.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QTest>
#include <sodium.h>

class TestStore : public QObject {
    Q_OBJECT

private slots:
    void hostileValuesRoundTrip_data() { TestInstall::addBackendRows(); }
    void hostileValuesRoundTrip() {
        QFETCH(QString, backend);
        TestInstall install(backend);
        install.addExpense(QStringLiteral("张三"), QStringLiteral("2026-01-01"),
                           QStringLiteral("5"));
        const QStringList hostile{
            QStringLiteral("'; delete from db; --"),
            QStringLiteral("O'Brien \"the\" ''quoted''"),
            QString(50, QChar(0x8D26)), // 50 CJK characters, the column's size
            QStringLiteral("back\\slash %_ like ? :name"),
        };
        Dataset query(QStringLiteral("ADOQuery1"), DataSource::resolve());
        for (const QString& value : hostile) {
            query.setStatement(Statements::addExpense(value, QStringLiteral("2026-02-03 10:11:12"),
                                                      QStringLiteral("12.5"), value, value));
            QCOMPARE(query.execute(), 1);
        }
        QCOMPARE(install.ledgerCount(), 1 + hostile.size());
        for (const QString& value : hostile) {
            query.setStatement(Statements::ledgerOfMember(value));
            query.open();
            QCOMPARE(query.fetchedRowCount(), 1);
            QCOMPARE(query.text(QStringLiteral("name")), value);
            QCOMPARE(query.text(QStringLiteral("something")), value);
            QCOMPARE(query.text(QStringLiteral("info")), value);
            QCOMPARE(query.text(QStringLiteral("datetime")), QStringLiteral("2026-02-03 10:11:12"));
        }
        // A change and a delete aimed at one hostile row touch exactly that row.
        const qlonglong id =
            install.scalar(QStringLiteral("select idon from db where name = ?"), {hostile[0]})
                .toLongLong();
        query.setStatement(Statements::changeExpense(id, hostile[0], QStringLiteral("2026-02-04"),
                                                     QStringLiteral("1"), hostile[1], hostile[2]));
        QCOMPARE(query.execute(), 1);
        query.setStatement(Statements::deleteExpense(hostile[0], id));
        QCOMPARE(query.execute(), 1);
        QCOMPARE(install.ledgerCount(), hostile.size());
    }

    void moneySumOverRows_data() { TestInstall::addBackendRows(); }
    void moneySumOverRows() {
        QFETCH(QString, backend);
        TestInstall install(backend);
        for (const char* money : {"0.1", "0.2", "999.95", " 1e2 ", "-0.25"})
            install.addExpense(QStringLiteral("李四"), QStringLiteral("2026-03-01"),
                               QString::fromLatin1(money));
        Dataset query(QStringLiteral("ADOQuery1"), DataSource::resolve());
        query.setStatement(Statements::ledgerOldestFirst());
        query.open();
        QCOMPARE(TextRules::numberText(moneySum(query)), QStringLiteral("1100"));
        QVERIFY(query.eof());
        QCOMPARE(query.currentRow(), 4); // left on the last row

        install.addExpense(QStringLiteral("王五"), QStringLiteral("2026-03-02"),
                           QStringLiteral("1.2.3"));
        query.open();
        QCOMPARE(errorOf([&] { moneySum(query); }),
                 QStringLiteral("'1.2.3' is not a valid floating point value"));

        query.close();
        QCOMPARE(errorOf([&] { moneySum(query); }),
                 QStringLiteral("ADOQuery1: Cannot perform this operation on a closed dataset"));
    }

    void walksLargeResultsLazily_data() { TestInstall::addBackendRows(); }
    void walksLargeResultsLazily() {
        QFETCH(QString, backend);
        TestInstall install(backend, {});
        // 1000 rows through the program's own statement.
        Dataset writer(QStringLiteral("writer"), DataSource::resolve());
        for (int i = 0; i < 1000; ++i) {
            writer.setStatement(
                Statements::addExpense(QStringLiteral("张三"), QStringLiteral("2026-01-01"),
                                       QStringLiteral("0.01"), QStringLiteral("买菜"), {}));
            writer.execute();
        }
        Dataset query(QStringLiteral("ADOQuery1"), DataSource::resolve());
        query.setStatement(Statements::ledgerNewestFirst());
        query.open();
        QVERIFY(query.fetchedRowCount() < 1000); // the first rows only
        QVERIFY(query.canFetchMore());
        DatasetModel model(query, {{QStringLiteral("idon"), QStringLiteral("序号")},
                                   {QStringLiteral("money"), QStringLiteral("金额")}});
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        const int firstShown = model.rowCount();
        QCOMPARE(firstShown, query.fetchedRowCount());
        QCOMPARE(TextRules::numberText(moneySum(query)), QStringLiteral("10"));
        // The walk's rows reach the grid in one step, once control returns.
        QCOMPARE(model.rowCount(), firstShown);
        QTRY_COMPARE(model.rowCount(), 1000);
        QVERIFY(model.data(model.index(0, 0)).toLongLong() >
                model.data(model.index(999, 0)).toLongLong());
        query.close();
        QCOMPARE(model.rowCount(), 0);

        // An empty result is at its end at once.
        query.setStatement(Statements::ledgerOfMember(QStringLiteral("nobody")));
        query.open();
        QVERIFY(query.eof());
        QCOMPARE(query.currentRow(), -1);
        QCOMPARE(model.rowCount(), 0);
    }

    void tableCursorDeletesOneRow_data() { TestInstall::addBackendRows(); }
    void tableCursorDeletesOneRow() {
        QFETCH(QString, backend);
        TestInstall install(backend,
                            {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("乙")});
        Dataset members(QStringLiteral("ADOTable1"), DataSource::resolve());
        members.setTable(QStringLiteral("xmb"), {QStringLiteral("xingming")});
        members.open();
        members.setCurrentRow(1);
        members.deleteCurrent();
        QCOMPARE(install
                     .scalar(QStringLiteral("select count(*) from xmb where xingming = ?"),
                             {QStringLiteral("乙")})
                     .toInt(),
                 1);
        members.appendRecord({QStringLiteral("xingming")}, {QStringLiteral("丙")});
        QCOMPARE(members.text(QStringLiteral("xingming")), QStringLiteral("丙"));
        install.exec(QStringLiteral("delete from xmb"));
        members.open();
        QCOMPARE(errorOf([&] { members.deleteCurrent(); }),
                 QStringLiteral("ADOTable1: Cannot perform this operation on an empty dataset"));
    }

    void recordIdsAreNeverReused_data() { TestInstall::addBackendRows(); }
    void recordIdsAreNeverReused() {
        QFETCH(QString, backend);
        TestInstall install(backend);
        const qlonglong first = install.addExpense(
            QStringLiteral("张三"), QStringLiteral("2026-01-01"), QStringLiteral("1"));
        install.exec(QStringLiteral("delete from db"));
        const qlonglong second = install.addExpense(
            QStringLiteral("张三"), QStringLiteral("2026-01-01"), QStringLiteral("1"));
        QVERIFY(second > first);
    }

    void atomicStatementsLeaveNothingOnFailure_data() { TestInstall::addBackendRows(); }
    void atomicStatementsLeaveNothingOnFailure() {
        QFETCH(QString, backend);
        TestInstall install(backend);
        install.addExpense(QStringLiteral("张三"), QStringLiteral("2026-01-01"),
                           QStringLiteral("1"));
        Dataset archive(QStringLiteral("ADOQuery2"), DataSource::resolve());
        const QString message = errorOf([&] {
            archive.executeAtomically(
                {Statements::archiveLedger(), Statements::emptyLedger(),
                 Statement{QStringLiteral("insert into nowhere values (1)"), {}}});
        });
        QVERIFY(!message.isEmpty());
        QCOMPARE(install.ledgerCount(), 1);
        QCOMPARE(install.archiveCount(), 0);
        archive.executeAtomically({Statements::archiveLedger(), Statements::emptyLedger()});
        QCOMPARE(install.ledgerCount(), 0);
        QCOMPARE(install.archiveCount(), 1);
    }

    void rowStoreKeepsEveryCell() {
        RowStore store;
        store.reset(3, {true, false, false});
        const QString wide(3000, QChar(0x8D26)); // a row larger than a block's remainder
        for (int i = 0; i < 2000; ++i) {
            store.beginRow();
            const QByteArray id = QByteArray::number(i);
            store.addCell(id.constData(), std::size_t(id.size()));
            if (i % 3 == 0)
                store.addNull();
            else
                store.addCell("", 0);
            const QByteArray text = (i == 1000 ? wide : QStringLiteral("备注%1").arg(i)).toUtf8();
            store.addCell(text.constData(), std::size_t(text.size()));
            store.endRow();
        }
        QCOMPARE(store.size(), 2000);
        QCOMPARE(store.value(1999, 0), QVariant(qlonglong(1999)));
        QVERIFY(!store.value(3, 1).isValid());            // NULL stays NULL
        QCOMPARE(store.value(4, 1), QVariant(QString())); // empty text stays text
        QVERIFY(!store.value(4, 1).isNull());
        QCOMPARE(store.value(1000, 2).toString(), wide);
        QCOMPARE(store.value(1001, 2).toString(), QStringLiteral("备注1001"));
        QVERIFY(!store.value(2000, 0).isValid());
        QVERIFY(!store.value(0, 3).isValid());
    }

    void passwordHashes() {
        const QString stored = PasswordHash::hash(QStringLiteral("2468"));
        QVERIFY(PasswordHash::isHash(stored));
        QVERIFY(!stored.contains(QStringLiteral("2468")));
        QVERIFY(PasswordHash::matches(stored, QStringLiteral("2468")));
        QVERIFY(!PasswordHash::matches(stored, QStringLiteral("24680")));
        QVERIFY(!PasswordHash::matches(stored, QString()));
        QVERIFY(PasswordHash::hash(QStringLiteral("2468")) != stored); // salted
        // A hash made with another cost still verifies: the cost is in the string.
        char costly[crypto_pwhash_STRBYTES];
        QCOMPARE(crypto_pwhash_str(costly, "1357", 4, crypto_pwhash_OPSLIMIT_INTERACTIVE,
                                   crypto_pwhash_MEMLIMIT_INTERACTIVE),
                 0);
        QVERIFY(PasswordHash::matches(QString::fromLatin1(costly), QStringLiteral("1357")));
        // A plain stored code from an older ledger compares as text.
        QVERIFY(PasswordHash::matches(QStringLiteral("1357"), QStringLiteral("1357")));
        QVERIFY(!PasswordHash::matches(QStringLiteral("1357"), QStringLiteral("1357 ")));
    }

    void registeredSourceIsNeverSkipped() {
        // A "dateinfo" that cannot be reached is an error, not a quiet switch
        // to the embedded file that sits right there.
        TestInstall install;
        QFile ini(qEnvironmentVariable("ODBCINI"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[dateinfo]\nDriver=/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so\n"
                  "Servername=127.0.0.1\nPort=1\nDatabase=nothing\nUsername=nobody\n");
        ini.close();
        const DataSource source = DataSource::resolve();
        QCOMPARE(source.kind(), DataSource::Kind::Odbc);
        const QString message = errorOf([&] { source.connect(QStringLiteral("unreachable")); });
        QVERIFY2(!message.isEmpty(), "connecting to an unreachable source must fail");
        QSqlDatabase::removeDatabase(QStringLiteral("unreachable"));
    }

    void missingLedgerFileIsNotCreated() {
        TestInstall install;
        install.db().close();
        QVERIFY(QFile::remove(install.path() + QStringLiteral("/dateinfo.db")));
        const QString message =
            errorOf([] { DataSource::resolve().connect(QStringLiteral("missing-file")); });
        QSqlDatabase::removeDatabase(QStringLiteral("missing-file"));
        QVERIFY(message.contains(QStringLiteral("dateinfo.db")));
        QVERIFY(!QFile::exists(install.path() + QStringLiteral("/dateinfo.db")));
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "test_store.moc"
