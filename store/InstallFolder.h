#pragma once

#include <QString>

// The folder that holds the embedded ledger, the head-count file and the tune:
// $FERNCASK_HOME when set, else ~/.local/share/ferncask.
namespace InstallFolder {

QString path();
bool exists();
QString ledgerFile();    // dateinfo.db
QString headCountFile(); // number.ini
QString musicFolder();   // music/
QString tuneFile();      // music/music.mid

} // namespace InstallFolder
