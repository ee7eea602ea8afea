#include "setup/Installer.h"
#include "store/DataSource.h"
#include "store/InstallFolder.h"
#include "store/QuillError.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillmere-setup"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Creates the Quillmere install folder ($FERNCASK_HOME, else ~/.local/share/ferncask) "
        "and its ledger. Run it again at any time: it only adds what is missing."));
    parser.addHelpOption();
    const QCommandLineOption code({QStringLiteral("c"), QStringLiteral("code")},
                                  QStringLiteral("Starting authorisation code (digits) for a new "
                                                 "ledger. Default: 1234."),
                                  QStringLiteral("digits"), QStringLiteral("1234"));
    const QCommandLineOption people({QStringLiteral("p"), QStringLiteral("people")},
                                    QStringLiteral("Head count for a new number.ini (1 to 99). "
                                                   "Default: 3."),
                                    QStringLiteral("count"), QStringLiteral("3"));
    const QCommandLineOption member({QStringLiteral("m"), QStringLiteral("member")},
                                    QStringLiteral("A member to add when the member table is "
                                                   "empty; repeat for several."),
                                    QStringLiteral("name"));
    const QCommandLineOption dsn(
        QStringLiteral("dsn"),
        QStringLiteral("Set up the shared ledger on the registered ODBC data source \"dateinfo\", "
                       "and stop with an error when it is not registered, instead of making "
                       "the embedded ledger file. Without it the data source is still used when "
                       "it is registered."));
    parser.addOptions({code, people, member, dsn});
    parser.process(application);

    Installer::Options options;
    options.code = parser.value(code);
    options.headCount = parser.value(people);
    options.members = parser.values(member);

    if (!QRegularExpression(QStringLiteral("^[0-9]+$")).match(options.code).hasMatch()) {
        std::fprintf(stderr, "quillmere-setup: the code must be a non-empty string of digits\n");
        return 2;
    }
    bool countOk = false;
    const int count = options.headCount.toInt(&countOk);
    if (!countOk || count < 1 || count > 99) {
        std::fprintf(stderr,
                     "quillmere-setup: the head count must be a whole number from 1 to 99\n");
        return 2;
    }
    for (const QString& name : options.members) {
        if (name.isEmpty() || name.size() > 50) {
            std::fprintf(stderr, "quillmere-setup: a member name takes 1 to 50 characters\n");
            return 2;
        }
    }

    if (parser.isSet(dsn) &&
        !DataSource::odbcSourceRegistered(QString::fromLatin1(DataSource::odbcName))) {
        std::fprintf(stderr,
                     "quillmere-setup: no ODBC data source \"dateinfo\" is registered; add it to "
                     "odbc.ini (odbcinst -q -s lists the registered ones) and run again\n");
        return 1;
    }

    try {
        const Installer::Report report = Installer::run(options);
        std::printf("Install folder: %s\n", qPrintable(InstallFolder::path()));
        for (const QString& item : report.found)
            std::printf("  found:   %s\n", qPrintable(item));
        for (const QString& item : report.created)
            std::printf("  created: %s\n", qPrintable(item));
    } catch (const QuillError& error) {
        std::fprintf(stderr, "quillmere-setup: %s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
