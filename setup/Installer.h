#pragma once

#include <QStringList>

// Creates an install folder and its ledger, or completes one that is partly
// there. Nothing that exists is dropped or changed.
namespace Installer {

struct Options {
    QString code = QStringLiteral("1234"); // the starting authorisation code
    QString headCount = QStringLiteral("3");
    QStringList members; // added only to an empty member table
};

struct Report {
    QStringList found;
    QStringList created;
};

// Throws QuillError with a clear message when something cannot be made.
Report run(const Options& options);

} // namespace Installer
