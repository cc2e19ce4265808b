// `cmake --install` of this build to a prefix of one's own, as someone without the .deb does:
// the programs land in the games folder under that prefix and the launcher names them there.
#include "package_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kelvaro::package {
namespace {

TEST(PlainInstall, ToAnotherPrefixTheLauncherStartsTheGameInstalledThere) {
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const ProgramRun install =
        runProgram(QStringLiteral(KELVARO_CMAKE),
                   {QStringLiteral("--install"), QStringLiteral(KELVARO_BUILD_DIR),
                    QStringLiteral("--prefix"), prefix.path()});
    ASSERT_EQ(install.status, 0) << install.out.toStdString() << install.err.toStdString();

    const QString games = QDir(prefix.path()).filePath(QStringLiteral(KELVARO_INSTALL_GAMESDIR));
    EXPECT_TRUE(isExecutableFile(games + QStringLiteral("/kelvaro")));
    EXPECT_TRUE(isExecutableFile(games + QStringLiteral("/kelvaro-puzzles")));
    EXPECT_EQ(desktopEntryValue(
                  prefix.filePath(QStringLiteral("share/applications/com.dravix.Kelvaro.desktop")),
                  QStringLiteral("Exec")),
              games + QStringLiteral("/kelvaro"));
}

} // namespace
} // namespace kelvaro::package
