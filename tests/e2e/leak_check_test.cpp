// A scripted session of the real program under valgrind: every block it allocates is freed
// or still reachable from Qt's own process-wide data at exit; nothing is lost.
#include "x_session.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kelvaro::e2e {
namespace {

TEST(LeakCheck, AScriptedSessionUnderValgrindLosesNoMemory) {
    const QString missing = missingTool(
        {QStringLiteral("Xvfb"), QStringLiteral("xdotool"), QStringLiteral("valgrind")});
    if (!missing.isEmpty()) GTEST_SKIP() << missing.toStdString() << " is not installed";
    XSession session;
    ASSERT_TRUE(session.running());
    QTemporaryDir config;
    QTemporaryDir logs;
    const QString log = logs.filePath(QStringLiteral("valgrind.log"));
    {
        Game game(session, config.path(),
                  {QStringLiteral("valgrind"), QStringLiteral("--leak-check=full"),
                   QStringLiteral("--show-leak-kinds=definite,indirect"),
                   QStringLiteral("--errors-for-leak-kinds=definite,indirect"),
                   QStringLiteral("--num-callers=30"), QStringLiteral("--log-file=") + log},
                  120000);
        ASSERT_TRUE(game.started()) << game.output().toStdString();
        game.key(QStringLiteral("ctrl+n"));
        game.drag(5, {{0, 0}, {1, 0}, {1, 1}, {2, 1}});
        game.key(QStringLiteral("h"));
        ASSERT_TRUE(game.answer(QStringLiteral("Info"), 30000));
        game.tapCell(5, 4, 4);
        game.key(QStringLiteral("p")); // pause
        game.tapCell(5, 3, 3);         // resume
        game.key(QStringLiteral("s")); // show the solution, confirmed
        game.answer(QStringLiteral("Warning"), 10000);
        game.key(QStringLiteral("F1")); // the rules, then the example
        ASSERT_TRUE(game.answer(QStringLiteral("Dialog"), 30000));
        game.key(QStringLiteral("ctrl+comma"));
        ASSERT_TRUE(game.answer(QStringLiteral("Options"), 30000));
        ASSERT_TRUE(game.exit(120000));
    }
    QFile report(log);
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QString text = QString::fromLocal8Bit(report.readAll());
    const QRegularExpression lost(QStringLiteral("(definitely|indirectly) lost: ([0-9,]+) bytes"));
    bool summarised = false;
    for (auto match = lost.globalMatch(text); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        summarised = true;
        EXPECT_EQ(m.captured(2), QStringLiteral("0")) << text.toStdString();
    }
    // A clean run prints "All heap blocks were freed" instead of the lost lines.
    EXPECT_TRUE(summarised || text.contains(QStringLiteral("All heap blocks were freed")))
        << text.toStdString();
}

} // namespace
} // namespace kelvaro::e2e
