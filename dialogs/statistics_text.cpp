#include "dialogs/statistics_text.h"

#include "dialogs/current_slot.h"
#include "store/histogram.h"
#include "store/statistics.h"
#include "store/time_text.h"

namespace kelvaro {

namespace {

QString timeString(std::int32_t milliseconds) {
    // The time text reads its argument as unsigned, as the records have always been shown.
    return QString::fromStdString(timeTextUtf8(static_cast<std::uint32_t>(milliseconds)));
}

QString valuesFor(const Statistics& statistics, CurrentSlot slot) {
    const int p = slot.player;
    const int d = slot.difficulty;
    if (statistics.gamesPlayed[p][d] == 0) return QStringLiteral("0");
    return QStringLiteral("%1\r\n").arg(statistics.gamesPlayed[p][d]) +
           timeString(averageTime(statistics, p, d)) + QStringLiteral("\r\n") +
           timeString(histogramPeak(statistics.histogram[p][d])) + QStringLiteral("\r\n") +
           timeString(statistics.bestTime[p][d]) +
           QStringLiteral("\r\n%1\r\n").arg(statistics.totalPenalty[p][d]) +
           timeString(statistics.totalTime[p][d]);
}

QString totalsFor(const Statistics& statistics, int player, bool french) {
    const std::int32_t games = playerGames(statistics, player);
    if (games <= 0)
        return french ? QStringLiteral("Pas de partie jouée") : QStringLiteral("No played games");
    const QString time = timeString(playerTime(statistics, player));
    return french ? QStringLiteral("%1 parties jouées en %2").arg(games).arg(time)
                  : QStringLiteral("Total played: %1 during %2").arg(games).arg(time);
}

} // namespace

StatisticsTexts statisticsTexts(const Settings& settings, const Statistics& statistics) {
    const bool french = settings.language != 0;
    const CurrentSlot slot = currentSlot(settings);
    StatisticsTexts texts;
    texts.labelsText =
        french ? QStringLiteral("Parties jouées\r\nTemps moyen\r\nPic\r\nMeilleur temps\r\n"
                                "Pénalités\r\nTemps passé")
               : QStringLiteral("Total played\r\nAverage time\r\nPeak time\r\nBest time\r\n"
                                "Penalties\r\nReal time");
    texts.valuesText = valuesFor(statistics, slot);
    texts.totalsText = totalsFor(statistics, slot.player, french);
    return texts;
}

const std::array<ControlCaption, 6> languageCaptions{{
    {1008, "Reset statistics", "Remise à zéro des statistiques"},
    {1026, "Player 1", "Joueur 1"},
    {1029, "Player 2", "Joueur 2"},
    {1018, "Easy", "Facile"},
    {1019, "Medium", "Medium"},
    {1020, "Hard", "Difficile"},
}};

QString captionText(const ControlCaption& caption, std::int32_t language) {
    return QString::fromUtf8(language == 0 ? caption.english : caption.french);
}

} // namespace kelvaro
