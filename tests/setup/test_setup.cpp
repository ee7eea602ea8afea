#include "TestInstall.h"

#include "setup/Installer.h"
#include "store/PasswordHash.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Run {
    int exitCode;
    QString out;
    QString err;
};

Run runSetup(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(QUILLMERE_SETUP_PROGRAM), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class TestSetup : public QObject {
    Q_OBJECT

private slots:
    void runningAgainKeepsEverything_data() { TestInstall::addBackendRows(); }
    void runningAgainKeepsEverything() {
        QFETCH(QString, backend);
        TestInstall install(backend, {QStringLiteral("张三")}, QStringLiteral("2468"));
        install.addExpense(QStringLiteral("张三"), QStringLiteral("2026-01-01"),
                           QStringLiteral("5"));
        install.exec(
            QStringLiteral("insert into shenhe (idon, name, datetime, money, something, info) "
                           "values (7, 'x', '2025-01-01', '1', 'y', '')"));
        const QString stored = install.scalar(QStringLiteral("select mima from mima")).toString();
        QFile count(install.path() + QStringLiteral("/number.ini"));
        QVERIFY(count.open(QIODevice::WriteOnly));
        count.write("5\r\n");
        count.close();

        Installer::Options again;
        again.code = QStringLiteral("1111");
        again.headCount = QStringLiteral("9");
        again.members = {QStringLiteral("李四")};
        const Installer::Report report = Installer::run(again);

        QVERIFY(report.created.isEmpty());
        QVERIFY(report.found.join(QLatin1Char('\n')).contains(QStringLiteral("db in the")));
        QVERIFY(report.found.contains(install.path() + QStringLiteral("/number.ini")));
        QCOMPARE(install.ledgerCount(), 1);
        QCOMPARE(install.archiveCount(), 1);
        QCOMPARE(install.scalar(QStringLiteral("select count(*) from xmb")).toInt(), 1);
        QCOMPARE(install.scalar(QStringLiteral("select mima from mima")).toString(), stored);
        QVERIFY(PasswordHash::matches(stored, QStringLiteral("2468")));
        QCOMPARE(readFile(install.path() + QStringLiteral("/number.ini")), QByteArray("5\r\n"));
    }

    void newInstallHasEverything() {
        QTemporaryDir tmp;
        const QString home = tmp.path() + QStringLiteral("/deep/ferncask");
        TestInstall odbcSetting; // for its empty ODBC environment
        qputenv("FERNCASK_HOME", home.toUtf8());
        const Run run =
            runSetup({QStringLiteral("--code"), QStringLiteral("8642"), QStringLiteral("--people"),
                      QStringLiteral("4"), QStringLiteral("--member"), QStringLiteral("张三")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(
            run.out.contains(QStringLiteral("created: ") + home + QStringLiteral("/dateinfo.db")));
        QVERIFY(QFile::exists(home + QStringLiteral("/music")));
        QCOMPARE(readFile(home + QStringLiteral("/number.ini")), QByteArray("4\r\n"));
        const Run again = runSetup({});
        QCOMPARE(again.exitCode, 0);
        QVERIFY(!again.out.contains(QStringLiteral("created:")));
        QVERIFY(again.out.contains(QStringLiteral("found:")));
    }

    void refusesBadOptions_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("letters in the code") << QStringList{"--code", "12ab"} << "digits";
        QTest::newRow("empty code") << QStringList{"--code", ""} << "digits";
        QTest::newRow("no people") << QStringList{"--people", "0"} << "1 to 99";
        QTest::newRow("too many people") << QStringList{"--people", "100"} << "1 to 99";
        QTest::newRow("fraction of people") << QStringList{"--people", "2.5"} << "1 to 99";
        QTest::newRow("long member name")
            << QStringList{"--member", QString(51, QLatin1Char('x'))} << "50";
    }
    void refusesBadOptions() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QTemporaryDir tmp;
        const QString home = tmp.path() + QStringLiteral("/ferncask");
        qputenv("FERNCASK_HOME", home.toUtf8());
        const Run run = runSetup(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFile::exists(home)); // nothing half made
    }
};

QTEST_GUILESS_MAIN(TestSetup)
#include "test_setup.moc"
