#include "store/InstallFolder.h"

#include <QDir>
#include <QFileInfo>

namespace InstallFolder {

QString path() {
    const QString fromEnv = qEnvironmentVariable("FERNCASK_HOME");
    if (!fromEnv.isEmpty())
        return QDir::cleanPath(fromEnv);
    return QDir::homePath() + QStringLiteral("/.local/share/ferncask");
}

bool exists() {
    return QFileInfo(path()).isDir();
}
QString ledgerFile() {
    return path() + QStringLiteral("/dateinfo.db");
}
QString headCountFile() {
    return path() + QStringLiteral("/number.ini");
}
QString musicFolder() {
    return path() + QStringLiteral("/music");
}
QString tuneFile() {
    return musicFolder() + QStringLiteral("/music.mid");
}

} // namespace InstallFolder
