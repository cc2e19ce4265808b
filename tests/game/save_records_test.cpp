#include "game/save_records.h"
#include "game_fixture.h"
#include "store/file_registry.h"
#include "store/settings_store.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace kelvaro {
namespace {

class SaveRecordsTest : public GameFixture {
  protected:
    // A game of the fixture's puzzle, solved after seconds of play.
    void playAndSolve(std::uint32_t ms) {
        startPuzzle(smallPuzzle);
        startClock();
        window.advance(ms);
        setLayer(board.grid, smallPuzzle);
        finishGame(world);
        ASSERT_EQ(state.gamePhase, phaseFinished);
    }

    std::int32_t storedGames() {
        Settings settings;
        Statistics statistics;
        loadSettings(settings, statistics, registry);
        return statistics.gamesPlayed[0][0];
    }
};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(SaveRecordsTest, AFailedSaveIsToldOnceInTheLanguageWithItsReasonAndPath) {
    struct Case {
        std::int32_t language;
        const char* saying;
    } cases[] = {{0, "The records could not be saved."},
                 {1, "Les résultats n'ont pas pu être enregistrés."}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        GameWorld fresh{registry, window, random};
        registry.writeFailure = "No space left on device";
        window.messageBoxes.clear();
        fresh.settings.language = c.language;
        saveRecords(fresh);
        ASSERT_EQ(window.messageBoxes.size(), 1u);
        const MessageBoxCall& box = window.messageBoxes[0];
        EXPECT_EQ(box.caption, "Kelvaro");
        EXPECT_EQ(box.buttons, buttonsOk);
        EXPECT_EQ(box.text.rfind(c.saying, 0), 0u) << box.text;
        EXPECT_TRUE(contains(box.text, "No space left on device")) << box.text;
        EXPECT_TRUE(contains(box.text, std::string(settingsKeyPath))) << box.text;
        EXPECT_TRUE(fresh.saving.pending);

        // Failing again, in this run, says nothing more.
        saveRecords(fresh);
        learnRules(fresh);
        EXPECT_EQ(window.messageBoxes.size(), 1u);
    }
}

TEST_F(SaveRecordsTest, WhileASaveIsPendingNewGamesKeepTheRecordsAndTheNextGoodSaveWritesThem) {
    newGame(world);
    saveSettings(world.settings, world.statistics, registry); // the store holds no game yet
    registry.writeFailure = "Read-only file system";
    playAndSolve(20000);
    EXPECT_EQ(world.statistics.gamesPlayed[0][0], 1);
    EXPECT_EQ(window.messageBoxes.size(), 1u);
    EXPECT_EQ(storedGames(), 0);

    // A new game no longer reads the store, which lacks that game.
    world.settings.language = 1;
    newGame(world);
    EXPECT_EQ(world.statistics.gamesPlayed[0][0], 1);
    EXPECT_EQ(world.settings.language, 1);
    playAndSolve(30000);
    EXPECT_EQ(world.statistics.gamesPlayed[0][0], 2);
    EXPECT_EQ(world.statistics.bestTime[0][0], 20000);
    EXPECT_EQ(window.messageBoxes.size(), 1u); // told once

    // The next save that succeeds writes every value, and the store is read again after it.
    registry.writeFailure.clear();
    showOptions(world);
    EXPECT_FALSE(world.saving.pending);
    EXPECT_EQ(storedGames(), 2);
    Settings stored;
    Statistics storedStatistics;
    loadSettings(stored, storedStatistics, registry);
    EXPECT_EQ(stored.language, 1);
    EXPECT_EQ(storedStatistics.bestTime[0][0], 20000);
    EXPECT_EQ(storedStatistics.histogram[0][0], world.statistics.histogram[0][0]);
    world.statistics.gamesPlayed[0][0] = 99;
    newGame(world);
    EXPECT_EQ(world.statistics.gamesPlayed[0][0], 2);
}

TEST_F(SaveRecordsTest, SavesThatSucceedSayNothing) {
    newGame(world);
    playAndSolve(20000);
    learnRules(world);
    showOptions(world);
    EXPECT_TRUE(window.messageBoxes.empty());
    EXPECT_FALSE(world.saving.pending);
    EXPECT_EQ(storedGames(), 1);
}

// The real settings file, in a folder of the test's own.
class SaveRecordsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "kelvaro-save-XXXXXX");
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    static void write(const std::filesystem::path& path, const std::string& bytes) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string read(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    std::filesystem::path root;
    FakeWindow window;
    Mt19937Source random{7};
};

TEST_F(SaveRecordsFileTest, AFolderThatCannotBeWrittenIsToldWithTheSystemsReasonAndThePath) {
    // Root ignores permissions: a plain file stands where the folder should be.
    const std::filesystem::path file = root / "kelvaro" / "kelvaro.reg";
    write(file.parent_path(), "not a folder");
    FileRegistry registry(file);
    GameWorld world{registry, window, random};
    saveRecords(world);
    ASSERT_EQ(window.messageBoxes.size(), 1u);
    const std::string& text = window.messageBoxes[0].text;
    EXPECT_TRUE(contains(text, "Not a directory")) << text;
    EXPECT_TRUE(contains(text, file.string())) << text;
    EXPECT_TRUE(world.saving.pending);
    EXPECT_EQ(read(file.parent_path()), "not a folder");
}

TEST_F(SaveRecordsFileTest, AFileThatHeldNoSettingsIsToldOnceWithWhereItWent) {
    const std::filesystem::path file = root / "kelvaro" / "kelvaro.reg";
    write(file, "#!/bin/sh\necho hello\n");
    FileRegistry registry(file);
    GameWorld world{registry, window, random};
    world.settings.language = 1;
    saveRecords(world);
    ASSERT_EQ(window.messageBoxes.size(), 1u);
    const MessageBoxCall& box = window.messageBoxes[0];
    EXPECT_EQ(box.caption, "Kelvaro");
    EXPECT_EQ(box.buttons, buttonsOk);
    EXPECT_TRUE(contains(box.text, "ne contenait pas de réglages")) << box.text;
    EXPECT_TRUE(contains(box.text, file.string() + ".damaged")) << box.text;
    EXPECT_EQ(read(registry.damagedFile()), "#!/bin/sh\necho hello\n");
    EXPECT_FALSE(world.saving.pending);

    // Another foreign file in the same run is set aside too, without a word.
    write(file, "again");
    saveRecords(world);
    EXPECT_EQ(window.messageBoxes.size(), 1u);
    EXPECT_EQ(read(registry.damagedFile()), "again");
}

} // namespace
} // namespace kelvaro
