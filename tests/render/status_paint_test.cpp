#include "paint_fixture.h"

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

struct ExpectedText {
    const char* text;
    Rect area;
    TextAlign align;
    Colour colour;
};

struct StatusCase {
    const char* name;
    int language = 0;
    int exampleMode = 0;
    std::uint32_t startTick = 0;
    int penaltyCells = 0;
    int hintMode = 0;
    std::int32_t ownBest = 0;
    std::int32_t otherBest = 0;
    std::vector<ExpectedText> texts;
};

constexpr std::uint32_t paintTick = 76300;

class StatusStrip : public PaintTest, public testing::WithParamInterface<StatusCase> {};

// The texts are checked as whole pixel rows above the 5 x 5 board: content, place,
// alignment and colour, and nothing else drawn there.
TEST_P(StatusStrip, ShowsTheTextsOfTheSituation) {
    const StatusCase& c = GetParam();
    settings.language = c.language;
    settings.player = 1;
    settings.difficulty = 2;
    statistics.bestTime[1][2] = c.ownBest;
    statistics.bestTime[0][2] = c.otherBest;
    statistics.bestTime[1][0] = 1000; // another difficulty's records never show
    state.exampleMode = static_cast<std::int16_t>(c.exampleMode);
    state.startTick = c.startTick;
    state.tapCount = c.startTick != 0 ? 1 : 0;
    state.penaltyCells = c.penaltyCells;
    state.hintMode = static_cast<std::int16_t>(c.hintMode);
    clock.now = paintTick;
    paint();

    QImage expected(screenWidth, 100, QImage::Format_RGB32);
    expected.fill(toQRgb(black));
    for (const ExpectedText& t : c.texts)
        drawText(expected, QString::fromUtf8(t.text), t.area, t.align, t.colour);
    EXPECT_EQ(buffer.image.copy(0, 0, screenWidth, 100), expected);
}

const ExpectedText connect{"Connect symbols", statusRect, TextAlign::centre, cyan};
const ExpectedText clockAt{"1'15\"3", clockRect, TextAlign::right, green};

INSTANTIATE_TEST_SUITE_P(
    BoardPaint, StatusStrip,
    testing::Values(
        StatusCase{.name = "BeforeTheFirstTap", .texts = {connect}},
        StatusCase{.name = "BeforeTheFirstTapFrench",
                   .language = 1,
                   .texts = {{"Connectez les symboles", statusRect, TextAlign::centre, cyan}}},
        StatusCase{
            .name = "ExampleBeforeTheFirstTap",
            .exampleMode = 1,
            .texts = {{"Finish the game, connect symbols", statusRect, TextAlign::centre, cyan}}},
        StatusCase{.name = "ExampleBeforeTheFirstTapFrench",
                   .language = 3,
                   .exampleMode = 1,
                   .texts = {{"Terminez le jeu, connectez les symboles", statusRect,
                              TextAlign::centre, cyan}}},
        StatusCase{.name = "ClockRunning", .startTick = 1000, .texts = {clockAt}},
        StatusCase{
            .name = "PenaltyAddsFifteenSecondsPerCell",
            .startTick = 1000,
            .penaltyCells = 7,
            .texts = {clockAt, {"+ 7 x 15\" = 3'0\"3", penaltyRect, TextAlign::right, cyan}}},
        StatusCase{.name = "HintPending",
                   .startTick = 1000,
                   .hintMode = 1,
                   .texts = {clockAt, {"Select one cell", statusRect, TextAlign::left, cyan}}},
        StatusCase{
            .name = "HintPendingFrench",
            .language = 1,
            .startTick = 1000,
            .hintMode = 1,
            .texts = {clockAt, {"Sélectionnez une case", statusRect, TextAlign::left, cyan}}},
        StatusCase{.name = "Proposal",
                   .startTick = 1000,
                   .hintMode = -1,
                   .texts = {clockAt, {"Your proposal", statusRect, TextAlign::left, green}}},
        StatusCase{.name = "ProposalFrench",
                   .language = 1,
                   .startTick = 1000,
                   .hintMode = -1,
                   .texts = {clockAt, {"Votre proposition", statusRect, TextAlign::left, green}}},
        StatusCase{.name = "ExampleShowsNoClockNorPenalty",
                   .exampleMode = 1,
                   .startTick = 1000,
                   .penaltyCells = 3,
                   .hintMode = 1,
                   .texts = {{"Select one cell", statusRect, TextAlign::left, cyan}}},
        StatusCase{.name = "OwnBestTimeOnly",
                   .ownBest = 83400,
                   .texts = {connect, {"1'23\"4", bestTimeRect, TextAlign::left, purple}}},
        StatusCase{.name = "EqualBestTimes",
                   .ownBest = 5000,
                   .otherBest = 5000,
                   .texts = {connect, {"5\"0", bestTimeRect, TextAlign::left, purple}}},
        StatusCase{.name = "OtherPlayerFaster",
                   .ownBest = 9000,
                   .otherBest = 5000,
                   .texts = {connect, {"5\"0 (9\"0)", bestTimeRect, TextAlign::left, purple}}},
        StatusCase{.name = "OtherPlayerSlower",
                   .ownBest = 5000,
                   .otherBest = 9000,
                   .texts = {connect, {"5\"0", bestTimeRect, TextAlign::left, purple}}},
        StatusCase{.name = "NoOwnBestTimeHidesTheOther", .otherBest = 5000, .texts = {connect}}),
    [](const testing::TestParamInfo<StatusCase>& param) { return param.param.name; });

TEST_F(PaintTest, BestTimeOfAPlayerOrDifficultyOutsideTheRecordsIsNotShown) {
    statistics.bestTime[0][0] = 5000;
    for (const auto& [player, difficulty] :
         {std::pair{2, 0}, std::pair{-1, 0}, std::pair{0, 3}, std::pair{0, -1}}) {
        SCOPED_TRACE(testing::Message() << player << " " << difficulty);
        settings.player = static_cast<std::int16_t>(player);
        settings.difficulty = difficulty;
        paint();
        QImage expected(screenWidth, 100, QImage::Format_RGB32);
        expected.fill(toQRgb(black));
        drawText(expected, QStringLiteral("Connect symbols"), statusRect, TextAlign::centre, cyan);
        EXPECT_EQ(buffer.image.copy(0, 0, screenWidth, 100), expected);
    }
}

} // namespace
} // namespace kelvaro
