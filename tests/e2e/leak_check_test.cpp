// A scripted session of the real program under valgrind: no block allocated through our code
// is lost at exit.
#include "x_session.h"

#include <QDir>
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
    const QString log = logs.filePath(QStringLiteral("valgrind.%p.log"));
    {
        Game game(session, config.path(),
                  {QStringLiteral("valgrind"), QStringLiteral("--leak-check=full"),
                   QStringLiteral("--show-leak-kinds=definite,indirect"),
                   QStringLiteral("--errors-for-leak-kinds=definite,indirect"),
                   QStringLiteral("--num-callers=30"), QStringLiteral("--log-file=") + log},
                  120000);
        ASSERT_TRUE(game.started()) << game.whyNotStarted().toStdString();
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
    // Glib and D-Bus threads that Qt starts keep a few blocks of their own at exit; a leak is
    // ours when our code is on the stack that allocated it.
    const QStringList reports = QDir(logs.path()).entryList({QStringLiteral("valgrind.*.log")});
    ASSERT_FALSE(reports.isEmpty());
    int summaries = 0;
    QStringList ours;
    for (const QString& name : reports) {
        QFile report(logs.filePath(name));
        ASSERT_TRUE(report.open(QIODevice::ReadOnly));
        const QString text = QString::fromLocal8Bit(report.readAll());
        if (text.contains(QStringLiteral("LEAK SUMMARY")) ||
            text.contains(QStringLiteral("All heap blocks were freed")))
            ++summaries;
        // Records are separated by an empty "==pid== " line.
        static const QRegularExpression separator(QStringLiteral("\\n==\\d+== \\n"));
        for (const QString& record : text.split(separator)) {
            const bool lost = record.contains(QStringLiteral("are definitely lost")) ||
                              record.contains(QStringLiteral("are indirectly lost"));
            if (lost && record.contains(QStringLiteral("kelvaro::"))) ours << record;
        }
    }
    EXPECT_GT(summaries, 0) << "valgrind did not report on the program's exit";
    EXPECT_TRUE(ours.isEmpty()) << ours.join(QStringLiteral("\n")).toStdString();
}

} // namespace
} // namespace kelvaro::e2e
