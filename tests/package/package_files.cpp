#include "package_files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTextStream>

namespace kelvaro::package {

ProgramRun runProgram(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    ProgramRun run;
    // Long enough for `cmake --install` of the whole build on a busy machine.
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        run.err = process.errorString();
        return run;
    }
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    if (process.exitStatus() == QProcess::NormalExit) run.status = process.exitCode();
    return run;
}

QStringList filesUnder(const QString& root) {
    QStringList files;
    const QDir base(root);
    QDirIterator it(root, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) files << base.relativeFilePath(it.next());
    files.sort();
    return files;
}

QString desktopEntryValue(const QString& entryPath, const QString& key) {
    QFile file(entryPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QTextStream in(&file);
    bool inEntry = false;
    const QString prefix = key + QLatin1Char('=');
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.startsWith(QLatin1Char('[')))
            inEntry = line == QLatin1String("[Desktop Entry]");
        else if (inEntry && line.startsWith(prefix))
            return line.mid(prefix.size());
    }
    return {};
}

bool isExecutableFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

} // namespace kelvaro::package
