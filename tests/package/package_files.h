// Reading an installed tree the way a desktop does: its files, the launcher entry's keys, and
// the programs in it run to their end.
#pragma once

#include <QString>
#include <QStringList>

namespace kelvaro::package {

struct ProgramRun {
    int status = -1; // -1 when the program could not start or did not end in time
    QString out;
    QString err;
};

ProgramRun runProgram(const QString& program, const QStringList& arguments);

// Every file under root (symbolic links included), as sorted paths relative to it.
QStringList filesUnder(const QString& root);

// The value of key in the [Desktop Entry] group, empty when it is missing.
QString desktopEntryValue(const QString& entryPath, const QString& key);

bool isExecutableFile(const QString& path);

} // namespace kelvaro::package
