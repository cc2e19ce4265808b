// The .deb the suite built, unpacked with dpkg-deb into a temporary root: every file sits where
// a Linux desktop and Debian look for it, the launcher starts the installed game, and the
// programs and the changelog carry the project's version.
#include "package_files.h"

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kelvaro::package {
namespace {

const int iconSizes[] = {16, 32, 48, 64, 128, 256};

QString iconPath(int size) {
    return QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/com.dravix.Kelvaro.png").arg(size);
}

class UnpackedPackage : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        const QStringList debs = QDir(QStringLiteral(KELVARO_PACKAGE_DIR))
                                     .entryList({QStringLiteral("*.deb")}, QDir::Files);
        ASSERT_EQ(debs.size(), 1) << "packages in " KELVARO_PACKAGE_DIR ": "
                                  << debs.join(QLatin1Char(' ')).toStdString();
        const QString deb = QStringLiteral(KELVARO_PACKAGE_DIR "/") + debs.first();
        const ProgramRun unpack =
            runProgram(QStringLiteral(KELVARO_DPKG_DEB), {QStringLiteral("-x"), deb, root.path()});
        ASSERT_EQ(unpack.status, 0) << unpack.err.toStdString();
    }

    QString path(const QString& relative) const { return root.filePath(relative); }

    QTemporaryDir root;
};

TEST_F(UnpackedPackage, HoldsEveryFileWhereTheDesktopLooksForItAndNothingElse) {
    const QStringList programs = {QStringLiteral("usr/games/kelvaro"),
                                  QStringLiteral("usr/games/kelvaro-puzzles")};
    QStringList expected = programs;
    expected << QStringLiteral("usr/share/applications/com.dravix.Kelvaro.desktop")
             << QStringLiteral("usr/share/metainfo/com.dravix.Kelvaro.metainfo.xml")
             << QStringLiteral("usr/share/man/man6/kelvaro.6.gz")
             << QStringLiteral("usr/share/man/man6/kelvaro-puzzles.6.gz")
             << QStringLiteral("usr/share/doc/kelvaro/copyright")
             << QStringLiteral("usr/share/doc/kelvaro/changelog.gz");
    for (const int size : iconSizes) expected << iconPath(size);
    expected.sort();

    EXPECT_EQ(filesUnder(root.path()), expected);
    for (const QString& program : programs) {
        SCOPED_TRACE(program.toStdString());
        EXPECT_TRUE(isExecutableFile(path(program)));
    }
}

TEST_F(UnpackedPackage, EachIconHasTheSizeOfItsFolder) {
    for (const int size : iconSizes) {
        SCOPED_TRACE(size);
        EXPECT_EQ(QImageReader(path(iconPath(size))).size(), QSize(size, size));
    }
}

TEST_F(UnpackedPackage, LauncherStartsTheInstalledGameWithItsIcon) {
    const QString entry = path(QStringLiteral("usr/share/applications/com.dravix.Kelvaro.desktop"));
    const QString exec = desktopEntryValue(entry, QStringLiteral("Exec"));
    EXPECT_EQ(exec, QStringLiteral("/usr/games/kelvaro"));
    EXPECT_TRUE(isExecutableFile(path(exec.mid(1))));
    const QString icon = desktopEntryValue(entry, QStringLiteral("Icon"));
    EXPECT_TRUE(
        QFile::exists(path(QStringLiteral("usr/share/icons/hicolor/48x48/apps/%1.png").arg(icon))))
        << icon.toStdString();
}

TEST_F(UnpackedPackage, PuzzleToolAndChangelogCarryTheProjectVersion) {
    const ProgramRun version = runProgram(path(QStringLiteral("usr/games/kelvaro-puzzles")),
                                          {QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0) << version.err.toStdString();
    EXPECT_EQ(version.out, QStringLiteral(KELVARO_VERSION "\n"));

    const ProgramRun changelog = runProgram(
        QStringLiteral("gzip"),
        {QStringLiteral("-dc"), path(QStringLiteral("usr/share/doc/kelvaro/changelog.gz"))});
    ASSERT_EQ(changelog.status, 0) << changelog.err.toStdString();
    EXPECT_TRUE(changelog.out.startsWith(QStringLiteral("kelvaro (" KELVARO_VERSION ") ")))
        << changelog.out.left(80).toStdString();
}

} // namespace
} // namespace kelvaro::package
