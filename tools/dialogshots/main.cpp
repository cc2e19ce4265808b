// dialogshots [folder]: writes options-english.png, options-french.png, rules-english.png and
// rules-french.png into folder (docs/screenshots by default), drawn offscreen.
#include "dialogs/options_dialog.h"
#include "dialogs/rules_dialog.h"
#include "store/histogram.h"

#include <QApplication>
#include <QDir>
#include <QWidget>
#include <cstdio>

using namespace kelvaro;

namespace {

// Twenty medium games of the first player, most of them around forty seconds.
Statistics preparedHistory() {
    Statistics statistics;
    const std::int32_t times[] = {31'200, 35'800, 38'100, 39'900, 40'400,  41'700, 42'300,
                                  43'000, 44'600, 45'200, 47'900, 52'100,  55'500, 58'000,
                                  63'300, 71'800, 84'200, 97'600, 104'000, 129'500};
    for (std::int32_t time : times) {
        histogramAdd(statistics.histogram[0][1], time, 1);
        statistics.gamesPlayed[0][1] += 1;
        statistics.totalTime[0][1] += time;
    }
    statistics.totalTime[0][1] -= 2 * 15'000; // two of the times include a penalty cell
    statistics.totalPenalty[0][1] = 2;
    statistics.bestTime[0][1] = times[0];
    statistics.gamesPlayed[0][0] = 6;
    statistics.totalTime[0][0] = 95'000;
    histogramAdd(statistics.histogram[0][0], 15'000, 0);
    return statistics;
}

bool save(QWidget& dialog, const QString& path) {
    dialog.show();
    QApplication::processEvents();
    const bool saved = dialog.grab().save(path);
    dialog.hide();
    if (!saved) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1])
                               : QStringLiteral("docs/screenshots"));
    bool saved = true;
    for (std::int32_t language : {0, 1}) {
        const QString name = language == 0 ? QStringLiteral("english") : QStringLiteral("french");
        Settings settings;
        settings.language = language;
        settings.difficulty = 1;
        Statistics statistics = preparedHistory();
        GameState state;
        state.finalTime = 47'900; // the last game, marked by the dashed line
        OptionsDialog options(settings, statistics, state);
        saved &= save(options, folder.filePath(QStringLiteral("options-%1.png").arg(name)));
        RulesDialog rules(settings);
        saved &= save(rules, folder.filePath(QStringLiteral("rules-%1.png").arg(name)));
    }
    return saved ? 0 : 1;
}
