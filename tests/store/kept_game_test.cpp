#include "store/kept_game.h"

#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>

namespace kelvaro {
namespace {

using Json = nlohmann::json;

// A 5 x 5 game with a revealed line, two applied steps and one that can be redone.
KeptGame sampleGame() {
    KeptGame game;
    game.puzzle = "5-42";
    game.practice = true;
    game.clockMs = 83'400;
    game.penaltyCells = 3;
    game.tapCount = 57;
    game.side = 5;
    game.grid = {1,   -23, -34, 0, 2,   //
                 -12, 0,   0,   0, -24, //
                 3,   0,   -13, 0, 0,   //
                 0,   0,   -13, 0, 0,   //
                 0,   0,   3,   0, 4};
    game.revealed.assign(25, 0);
    game.revealed[0] = game.revealed[1] = game.revealed[2] = 1;
    game.steps = {
        {{1, 0, 0, -23}, {2, 0, 0, -34}}, {{2, 2, 0, -13}, {2, 3, -24, -13}}, {{4, 2, 0, -14}}};
    game.done = 2;
    game.cursorX = 4;
    game.cursorY = 3;
    game.cursorShown = true;
    return game;
}

TEST(KeptGameText, ReadsBackEveryFieldItWrote) {
    const KeptGame games[] = {sampleGame(), [] {
                                  KeptGame empty = sampleGame();
                                  empty.steps.clear();
                                  empty.done = 0;
                                  empty.practice = false;
                                  empty.cursorShown = false;
                                  empty.puzzle = "12u-4294967295";
                                  return empty;
                              }()};
    for (const KeptGame& game : games) {
        SCOPED_TRACE(game.puzzle);
        const std::string text = formatKeptGame(game);
        KeptGame read;
        ASSERT_EQ(parseKeptGame(text, read), KeptGameParse::ok);
        EXPECT_EQ(read, game);
        // Plain JSON that any tool reads, naming what it is and its version.
        const Json document = Json::parse(text);
        EXPECT_EQ(document.at("kelvaro"), "kept game");
        EXPECT_EQ(document.at("version"), 1);
        EXPECT_EQ(document.at("puzzle"), game.puzzle);
    }
}

TEST(KeptGameText, RefusesEveryDamagedOrForeignText) {
    const std::string good = formatKeptGame(sampleGame());
    const auto changed = [&good](const std::function<void(Json&)>& change) {
        Json document = Json::parse(good);
        change(document);
        return document.dump();
    };
    struct Case {
        const char* name;
        std::string text;
        KeptGameParse answer;
    };
    const Case cases[] = {
        {"empty", "", KeptGameParse::damaged},
        {"not JSON", "kelvaro kept game", KeptGameParse::damaged},
        {"cut short", good.substr(0, good.size() / 2), KeptGameParse::damaged},
        {"an array", "[1, 2]", KeptGameParse::damaged},
        {"another program's JSON", "{\"name\": \"x\"}", KeptGameParse::damaged},
        {"wrong mark", changed([](Json& d) { d["kelvaro"] = "settings"; }), KeptGameParse::damaged},
        {"version 0", changed([](Json& d) { d["version"] = 0; }), KeptGameParse::damaged},
        {"version as text", changed([](Json& d) { d["version"] = "1"; }), KeptGameParse::damaged},
        {"newer version", changed([](Json& d) { d["version"] = 2; }), KeptGameParse::newer},
        {"newer version with other fields", changed([](Json& d) {
             d["version"] = 7;
             d.erase("grid");
         }),
         KeptGameParse::newer},
        {"no puzzle", changed([](Json& d) { d.erase("puzzle"); }), KeptGameParse::damaged},
        {"puzzle as a number", changed([](Json& d) { d["puzzle"] = 42; }), KeptGameParse::damaged},
        {"puzzle too long", changed([](Json& d) { d["puzzle"] = std::string(40, '5'); }),
         KeptGameParse::damaged},
        {"practice as text", changed([](Json& d) { d["practice"] = "yes"; }),
         KeptGameParse::damaged},
        {"negative clock", changed([](Json& d) { d["clockMs"] = -1; }), KeptGameParse::damaged},
        {"clock past 32 bits", changed([](Json& d) { d["clockMs"] = 5'000'000'000LL; }),
         KeptGameParse::damaged},
        {"clock as a fraction", changed([](Json& d) { d["clockMs"] = 1.5; }),
         KeptGameParse::damaged},
        {"penalty beyond the board", changed([](Json& d) { d["penaltyCells"] = 145; }),
         KeptGameParse::damaged},
        {"no taps", changed([](Json& d) { d["taps"] = 0; }), KeptGameParse::damaged},
        {"grid not square", changed([](Json& d) { d["grid"][2].erase(0); }),
         KeptGameParse::damaged},
        {"grid of 13 rows",
         changed([](Json& d) { d["grid"] = Json::array_t(13, Json::array_t(13, 0)); }),
         KeptGameParse::damaged},
        {"cell beyond a byte", changed([](Json& d) { d["grid"][0][0] = 200; }),
         KeptGameParse::damaged},
        {"cell as text", changed([](Json& d) { d["grid"][0][0] = "1"; }), KeptGameParse::damaged},
        {"revealed 2", changed([](Json& d) { d["revealed"][0][0] = 2; }), KeptGameParse::damaged},
        {"revealed of another side",
         changed([](Json& d) { d["revealed"] = Json::array_t(4, Json::array_t(4, 0)); }),
         KeptGameParse::damaged},
        {"an empty step", changed([](Json& d) { d["history"]["steps"][0] = Json::array(); }),
         KeptGameParse::damaged},
        {"a change of three values", changed([](Json& d) {
             d["history"]["steps"][0][0] = Json::array({1, 0, 0});
         }),
         KeptGameParse::damaged},
        {"a change off the storage", changed([](Json& d) { d["history"]["steps"][0][0][0] = 12; }),
         KeptGameParse::damaged},
        {"more done than steps", changed([](Json& d) { d["history"]["done"] = 4; }),
         KeptGameParse::damaged},
        {"cursor off the storage", changed([](Json& d) { d["cursor"]["x"] = 12; }),
         KeptGameParse::damaged},
        {"cursor without shown", changed([](Json& d) { d["cursor"].erase("shown"); }),
         KeptGameParse::damaged},
        {"nested a thousand deep", std::string(1000, '[') + std::string(1000, ']'),
         KeptGameParse::damaged},
        {"broken UTF-8", "{\"kelvaro\": \"kept\xFF game\"}", KeptGameParse::damaged},
        {"zero bytes", std::string(64, '\0'), KeptGameParse::damaged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KeptGame read = sampleGame();
        read.puzzle = "untouched";
        EXPECT_EQ(parseKeptGame(c.text, read), c.answer);
        EXPECT_EQ(read.puzzle, "untouched"); // nothing is filled in from a refused text
    }
}

} // namespace
} // namespace kelvaro
