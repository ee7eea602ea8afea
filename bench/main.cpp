// quillmere-bench: times the window's own handlers on generated ledgers of
// several sizes against the same statements run straight through SQLite.
#include "LedgerGenerator.h"
#include "RawBaseline.h"
#include "WindowDriver.h"

#include "app/DBGrid.h"
#include "app/DateTimePicker.h"
#include "app/Unit1.h"
#include "ledger/LedgerView.h"
#include "ledger/RecordEditor.h"
#include "settlement/AuditPanel.h"
#include "settlement/SettlementCentre.h"
#include "setup/Installer.h"
#include "store/InstallFolder.h"
#include "store/Statements.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int screenful = 40;

struct Measure {
    QString operation;
    QString kind; // "interactive" or "full scan"
    double quillmere = 0;
    double baseline = 0;
};

QJsonObject runOneSize(int rows) {
    QTemporaryDir tmp;
    const QString home = tmp.path() + QStringLiteral("/ferncask");
    qputenv("FERNCASK_HOME", home.toUtf8());
    // The embedded ledger, whatever data sources this machine registers.
    QDir().mkpath(tmp.path() + QStringLiteral("/odbc"));
    QFile(tmp.path() + QStringLiteral("/odbc/odbc.ini")).open(QIODevice::WriteOnly);
    QFile(tmp.path() + QStringLiteral("/odbc/odbcinst.ini")).open(QIODevice::WriteOnly);
    qputenv("ODBCSYSINI", (tmp.path() + QStringLiteral("/odbc")).toUtf8());
    qputenv("ODBCINI", (tmp.path() + QStringLiteral("/odbc/odbc.ini")).toUtf8());

    Installer::Options options;
    options.members = LedgerGenerator::members;
    Installer::run(options);
    const QString ledger = InstallFolder::ledgerFile();
    LedgerGenerator::fill(ledger, rows);
    const qint64 fileSize = QFileInfo(ledger).size();
    const QString copy = tmp.path() + QStringLiteral("/baseline.db");
    QFile::copy(ledger, copy);

    const QString member = LedgerGenerator::members.front();
    const QDate monthFrom(2025, 6, 1), monthTo(2025, 6, 30);
    const QDate yearFrom(2025, 1, 1), yearTo(2025, 12, 31);

    QList<Measure> measures;
    auto note = [&](const char* operation, const char* kind, double quillmere, double baseline) {
        measures.append(
            {QString::fromUtf8(operation), QString::fromLatin1(kind), quillmere, baseline});
    };

    // The baseline first, on its own copy of the same file.
    RawBaseline raw(copy);
    const auto b = [&](const Statement& s, long long limit = -1) {
        return raw.select(s, limit).ms;
    };
    const double bOpen = b(Statements::ledgerNewestFirst(), screenful);
    const double bName = b(Statements::ledgerOfMember(member), screenful);
    const double bDates = b(Statements::ledgerBetweenDays(monthFrom, monthTo), screenful);
    const double bRefresh = b(Statements::ledgerOldestFirst(), screenful);
    const double bAdd =
        raw.execute(
               {Statements::addExpense(member, QStringLiteral("2026-12-11"), QStringLiteral("12.5"),
                                       QStringLiteral("买菜"), QStringLiteral("bench"))})
            .ms +
        b(Statements::ledgerInStoredOrder(), screenful);
    const double bChange =
        raw.execute({Statements::changeExpense(1, member, QStringLiteral("2026-12-11"),
                                               QStringLiteral("12.5"), QStringLiteral("其他"),
                                               QStringLiteral("bench"))})
            .ms +
        b(Statements::ledgerInStoredOrder(), screenful);
    const double bDelete = raw.execute({Statements::deleteExpense(member, 1)}).ms +
                           b(Statements::ledgerInStoredOrder(), screenful);
    const double bSum = b(Statements::ledgerOldestFirst());
    const double bSplit = b(Statements::ledgerOldestFirst());
    const double bMember = b(Statements::ledgerOfMemberBetweenDays(member, yearFrom, yearTo));
    const double bSettle = b(Statements::ledgerOfMemberBetweenDays(member, yearFrom, yearTo));
    const double bAudit =
        raw.execute({Statements::archiveLedger(), Statements::emptyLedger()}, true).ms;

    WindowDriver driver;
    std::unique_ptr<TForm1> form;
    const double qOpen = driver.untilPainted([&]() -> QWidget* {
        form = std::make_unique<TForm1>();
        form->show();
        form->Edit6->setText(QStringLiteral("1234"));
        form->Button22->click();
        return form->ledger->DBGrid2;
    });
    DBGrid* grid = form->ledger->DBGrid2;
    note("open window and gate, first screenful", "interactive", qOpen, bOpen);
    LedgerView& bar = *form->ledger;
    RecordEditor& editor = *form->recordEditor;
    SettlementCentre& centre = *form->settlement;

    note("name filter", "interactive", driver.untilPainted([&]() -> QWidget* {
        bar.ComboBox2->setCurrentIndex(bar.ComboBox2->findText(member));
        bar.BitBtn6->click();
        return grid;
    }),
         bName);
    note("date filter, one month", "interactive", driver.untilPainted([&]() -> QWidget* {
        bar.DateTimePicker2->setDate(monthFrom);
        bar.DateTimePicker3->setDate(monthTo);
        bar.BitBtn4->click();
        return grid;
    }),
         bDates);
    note("refresh", "interactive", driver.untilPainted([&]() -> QWidget* {
        bar.N1->trigger();
        return grid;
    }),
         bRefresh);

    bar.BitBtn7->click();
    editor.ComboBox1->setCurrentText(member);
    editor.Edit3->setText(QStringLiteral("12.5"));
    editor.ComboBox3->setCurrentText(QStringLiteral("买菜"));
    editor.Edit5->setText(QStringLiteral("bench"));
    note("add one expense", "interactive", driver.untilLastBox([&] { editor.Button1->click(); }),
         bAdd);
    bar.BitBtn8->click();
    editor.ComboBox3->setCurrentText(QStringLiteral("其他"));
    note("change it", "interactive", driver.untilLastBox([&] { editor.Button1->click(); }),
         bChange);
    note("delete it", "interactive", driver.untilLastBox([&] { bar.BitBtn9->click(); }, true),
         bDelete);

    bar.N1->trigger();
    note("计算金额, whole ledger", "full scan", driver.untilLastBox([&] { bar.Button3->click(); }),
         bSum);
    bar.Button6->click();
    note("A A", "full scan", driver.untilLastBox([&] { centre.Button16->click(); }), bSplit);
    centre.ComboBox4->setCurrentText(member);
    centre.DateTimePicker4->setDate(yearFrom);
    centre.DateTimePicker5->setDate(yearTo);
    note("计算, one member over a year", "full scan",
         driver.untilLastBox([&] { centre.Button4->click(); }), bMember);
    note("结算, one member over a year", "full scan",
         driver.untilLastBox([&] { centre.Button17->click(); }), bSettle);
    centre.Button12->click();
    note("audit, whole ledger", "full scan",
         driver.untilLastBox([&] { form->auditPanel->Button14->click(); }), bAudit);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    QJsonArray list;
    for (const Measure& m : measures) {
        list.append(QJsonObject{{"operation", m.operation},
                                {"kind", m.kind},
                                {"quillmere_ms", m.quillmere},
                                {"baseline_ms", m.baseline},
                                {"ratio", m.baseline > 0 ? m.quillmere / m.baseline : 0.0}});
    }
    return QJsonObject{{"rows", rows},
                       {"operations", list},
                       {"peak_memory_bytes", double(usage.ru_maxrss) * 1024.0},
                       {"database_bytes", double(fileSize)},
                       {"errors", QJsonArray::fromStringList(driver.errors())}};
}

void printTable(const QJsonObject& size) {
    const int rows = size["rows"].toInt();
    std::printf("\n%-40s %9s %14s %13s %7s\n", "operation", "rows", "Quillmere ms", "baseline ms",
                "ratio");
    for (const QJsonValue& value : size["operations"].toArray()) {
        const QJsonObject op = value.toObject();
        std::printf("%-40s %9d %14.1f %13.1f %7.2f\n", qPrintable(op["operation"].toString()), rows,
                    op["quillmere_ms"].toDouble(), op["baseline_ms"].toDouble(),
                    op["ratio"].toDouble());
    }
    const double peak = size["peak_memory_bytes"].toDouble() / 1048576.0;
    const double file = size["database_bytes"].toDouble() / 1048576.0;
    std::printf("peak memory %.1f MiB, database file %.1f MiB, ratio %.2f\n", peak, file,
                file > 0 ? peak / file : 0.0);
    for (const QJsonValue& error : size["errors"].toArray())
        std::printf("ERROR BOX: %s\n", qPrintable(error.toString()));
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);

    // One size per child process, so that each size's peak memory is its own.
    if (arguments.size() == 2 && arguments[0] == QLatin1String("--child")) {
        const QJsonObject result = runOneSize(arguments[1].toInt());
        std::printf("RESULT %s\n",
                    QJsonDocument(result).toJson(QJsonDocument::Compact).constData());
        return 0;
    }

    QString jsonFile;
    QList<int> sizes;
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--json") && i + 1 < arguments.size()) {
            jsonFile = arguments[++i];
        } else if (arguments[i] == QLatin1String("--help")) {
            std::printf("usage: quillmere-bench [--json FILE] [ROWS ...]\n"
                        "Default sizes: 10000 100000 1000000 rows.\n");
            return 0;
        } else {
            bool ok = false;
            const int rows = arguments[i].toInt(&ok);
            if (!ok || rows < 10) {
                std::fprintf(stderr, "quillmere-bench: not a ledger size: %s\n",
                             qPrintable(arguments[i]));
                return 2;
            }
            sizes << rows;
        }
    }
    if (sizes.isEmpty())
        sizes = {10000, 100000, 1000000};

    QJsonArray all;
    for (int rows : sizes) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--child"), QString::number(rows)});
        child.waitForFinished(-1);
        const QByteArray out = child.readAllStandardOutput();
        const qsizetype at = out.indexOf("RESULT ");
        if (child.exitCode() != 0 || at < 0) {
            std::fprintf(stderr, "quillmere-bench: the run with %d rows failed\n", rows);
            return 1;
        }
        const QJsonObject result = QJsonDocument::fromJson(out.mid(at + 7)).object();
        printTable(result);
        std::fflush(stdout);
        all.append(result);
    }
    if (!jsonFile.isEmpty()) {
        QFile file(jsonFile);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(QJsonDocument(QJsonObject{{"sizes", all}}).toJson()) < 0) {
            std::fprintf(stderr, "quillmere-bench: cannot write %s\n", qPrintable(jsonFile));
            return 1;
        }
    }
    return 0;
}
