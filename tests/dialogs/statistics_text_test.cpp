#include "dialogs/statistics_text.h"
#include "prepared_records.h"

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

struct TextsCase {
    std::int32_t language;
    std::int16_t player;
    std::int32_t difficulty;
    const char* values;
    const char* totals;
};

const char englishLabels[] =
    "Total played\r\nAverage time\r\nPeak time\r\nBest time\r\nPenalties\r\nReal time";
const char frenchLabels[] =
    "Parties jouées\r\nTemps moyen\r\nPic\r\nMeilleur temps\r\nPénalités\r\nTemps passé";

TEST(StatisticsTexts, FollowTheLanguagePlayerAndDifficulty) {
    const TextsCase cases[] = {
        // average (100,000 + 2 x 15,000) / 3; peak; best; penalty cells; time spent
        {0, 0, 1, "3\r\n43\"3\r\n29\"2\r\n25\"3\r\n2\r\n1'40\"0", "Total played: 5 during 2'41\"0"},
        {1, 0, 1, "3\r\n43\"3\r\n29\"2\r\n25\"3\r\n2\r\n1'40\"0", "5 parties jouées en 2'41\"0"},
        {0, 0, 0, "2\r\n30\"5\r\n30\"5\r\n30\"0\r\n0\r\n1'1\"0", "Total played: 5 during 2'41\"0"},
        {0, 0, 2, "0", "Total played: 5 during 2'41\"0"},
        {0, 1, 1, "0", "Total played: 1 during 3'20\"0"},
        {0, 1, 2, "1\r\n3'20\"0\r\n3'18\"0\r\n3'20\"0\r\n0\r\n3'20\"0",
         "Total played: 1 during 3'20\"0"},
        {5, 1, 0, "0", "1 parties jouées en 3'20\"0"}, // any language but 0 is French
    };
    const Statistics statistics = preparedRecords();
    for (const TextsCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.language << " " << c.player << " " << c.difficulty);
        Settings settings;
        settings.language = c.language;
        settings.player = c.player;
        settings.difficulty = c.difficulty;
        const StatisticsTexts texts = statisticsTexts(settings, statistics);
        EXPECT_EQ(texts.labelsText.toStdString(), c.language == 0 ? englishLabels : frenchLabels);
        EXPECT_EQ(texts.valuesText.toStdString(), c.values);
        EXPECT_EQ(texts.totalsText.toStdString(), c.totals);
    }
}

TEST(StatisticsTexts, APlayerWithoutGamesHasNoTotals) {
    Statistics statistics = preparedRecords();
    statistics.gamesPlayed[1] = {0, 0, 0};
    for (std::int32_t language : {0, 1}) {
        Settings settings;
        settings.language = language;
        settings.player = 1;
        EXPECT_EQ(statisticsTexts(settings, statistics).totalsText.toStdString(),
                  language == 0 ? "No played games" : "Pas de partie jouée");
    }
}

} // namespace
} // namespace kelvaro
