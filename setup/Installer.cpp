#include "setup/Installer.h"

#include "presentation/BackgroundTune.h"
#include "store/DataSource.h"
#include "store/InstallFolder.h"
#include "store/PasswordHash.h"
#include "store/QuillError.h"
#include "store/Schema.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>

namespace Installer {

namespace {

void makeFolder(const QString& path, Report& report) {
    if (QFileInfo(path).isDir()) {
        report.found << path;
        return;
    }
    if (!QDir().mkpath(path))
        throw QuillError(QStringLiteral("Cannot create the folder %1").arg(path));
    report.created << path;
}

void writeFileOnce(const QString& path, const QByteArray& content, Report& report) {
    if (QFileInfo::exists(path)) {
        report.found << path;
        return;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        throw QuillError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    report.created << path;
}

QSqlDatabase connectForSetup(const DataSource& source, Report& report) {
    const QString name = QStringLiteral("quillmere-setup");
    if (source.kind() == DataSource::Kind::Odbc)
        return source.connect(name);
    const QString file = InstallFolder::ledgerFile();
    if (QFileInfo::exists(file)) {
        report.found << file;
        return source.connect(name);
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(file);
    if (!db.open())
        throw QuillError(QStringLiteral("%1: %2").arg(file, db.lastError().text()));
    report.created << file;
    return db;
}

void addMembers(QSqlDatabase& db, const QStringList& members, Report& report) {
    QSqlQuery count(db);
    if (!count.exec(QStringLiteral("select count(*) from xmb")) || !count.next())
        throw QuillError(count.lastError().text());
    if (count.value(0).toLongLong() > 0) {
        report.found << QStringLiteral("members");
        return;
    }
    for (const QString& member : members) {
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("insert into xmb (xingming) values (?)"));
        insert.addBindValue(member);
        if (!insert.exec())
            throw QuillError(insert.lastError().text());
        report.created << QStringLiteral("member %1").arg(member);
    }
}

} // namespace

Report run(const Options& options) {
    Report report;
    makeFolder(InstallFolder::path(), report);
    makeFolder(InstallFolder::musicFolder(), report);
    writeFileOnce(InstallFolder::headCountFile(), options.headCount.toUtf8() + "\r\n", report);
    writeFileOnce(InstallFolder::tuneFile(), BackgroundTune::midi(), report);

    const DataSource source = DataSource::resolve();
    {
        QSqlDatabase db = connectForSetup(source, report);
        const Schema::Report schema = Schema::ensure(db, PasswordHash::hash(options.code));
        for (const QString& table : schema.found)
            report.found << QStringLiteral("%1 in the %2").arg(table, source.describe());
        for (const QString& table : schema.created)
            report.created << QStringLiteral("%1 in the %2").arg(table, source.describe());
        if (!options.members.isEmpty())
            addMembers(db, options.members, report);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("quillmere-setup"));
    return report;
}

} // namespace Installer
