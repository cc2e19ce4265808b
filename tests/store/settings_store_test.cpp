#include "store/histogram.h"
#include "store/memory_registry.h"
#include "store/settings_store.h"
#include "store/statistics.h"

#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kelvaro {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes word(std::uint32_t v) {
    return {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
}

Bytes text8(const std::string& text) {
    Bytes bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

std::string slot(const char* stem, int p, int d) {
    return stem + std::to_string(d) + std::to_string(p);
}

// Every field differs from its start-up value, and the six histograms have different lengths.
void populate(Settings& settings, Statistics& statistics) {
    settings.language = 1;
    settings.difficulty = 2;
    settings.player = 1;
    settings.lineOkColour = 0x123456;
    settings.lineViColour = 0xABCDEF;
    settings.unique = 1;
    settings.clearColours = 1;
    settings.keepGame = 1;
    std::int32_t n = 1;
    for (std::size_t p = 0; p < 2; ++p) {
        for (std::size_t d = 0; d < 3; ++d) {
            statistics.bestTime[p][d] = n * 1'000;
            statistics.gamesPlayed[p][d] = n;
            statistics.totalTime[p][d] = n * 100'000;
            statistics.totalPenalty[p][d] = n * 7;
            for (std::int32_t k = 0; k < n * 10; ++k) {
                histogramAdd(statistics.histogram[p][d], k * 1'000 * n, static_cast<int>(d));
            }
            ++n;
        }
    }
}

TEST(SaveSettings, FirstSaveCreatesTheKeyWithAllValuesInOrder) {
    MemoryRegistry registry;
    Settings settings;
    settings.player = 1;
    Statistics statistics;
    saveSettings(settings, statistics, registry);

    MemoryKey* key = registry.findKey(settingsKeyPath);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->className, "parameters");
    struct Expected {
        std::string name;
        std::uint32_t type;
        Bytes data;
    };
    std::vector<Expected> expected = {
        {"version", regSz, {'1', 0, '.', 0, '1', 0, 0, 0}},
        {"langue", regDword, word(0)},
        {"size", regDword, word(0)},
        {"player", regDword, {1, 0}},
        {"lineVI", regDword, word(0x000080)},
        {"lineOK", regDword, word(0x005000)},
    };
    for (int p = 0; p < 2; ++p) {
        for (int d = 0; d < 3; ++d) {
            expected.push_back({slot("besttime", p, d), regDword, word(0)});
            expected.push_back({slot("totalplay", p, d), regDword, word(0)});
            expected.push_back({slot("totaltime", p, d), regDword, word(0)});
            expected.push_back({slot("totalpenal", p, d), regDword, word(0)});
            expected.push_back({slot("histo", p, d), regSz, {0}});
        }
    }
    expected.push_back({"unique", regDword, word(0)});       // newer than the other 36: after them
    expected.push_back({"keepgame", regDword, word(0)});     // newer still: after unique
    expected.push_back({"clearcolours", regDword, word(0)}); // the newest option: last
    ASSERT_EQ(key->values.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(key->values[i].name, expected[i].name);
        EXPECT_EQ(key->values[i].type, expected[i].type);
        EXPECT_EQ(key->values[i].data, expected[i].data);
    }
    EXPECT_EQ(registry.openCount, 0);
}

TEST(SaveSettings, WritesHistogramTextWithOneZeroByte) {
    MemoryRegistry registry;
    Settings settings;
    Statistics statistics;
    histogramAdd(statistics.histogram[0][1], 15'000, 1);
    resetStatistics(statistics, 1);
    saveSettings(settings, statistics, registry);

    EXPECT_EQ(registry.findValue(settingsKeyPath, "histo10")->data, text8("0;3;0;0;0;0;0;1;"));
    for (int d = 0; d < 3; ++d) {
        SCOPED_TRACE(d);
        EXPECT_EQ(registry.findValue(settingsKeyPath, slot("histo", 1, d))->data, text8("reset"));
    }

    // A record that lost its zero byte still goes out as 499 characters and one zero.
    statistics.histogram[0][0].fill('1');
    saveSettings(settings, statistics, registry);
    EXPECT_EQ(registry.findValue(settingsKeyPath, "histo00")->data, text8(std::string(499, '1')));
}

TEST(SaveSettings, WritesNothingWhenTheKeyCannotBeCreatedAndSaysSo) {
    MemoryRegistry registry;
    registry.refuseCreate = true;
    Settings settings;
    Statistics statistics;
    const SaveReport report = saveSettings(settings, statistics, registry);
    EXPECT_TRUE(registry.keys.empty());
    EXPECT_FALSE(report.saved);
    EXPECT_FALSE(report.reason.empty());
    EXPECT_EQ(report.location, settingsKeyPath);
}

TEST(SaveSettings, ReportsAFailedWriteWithItsReasonAndASaveThatSucceeds) {
    MemoryRegistry registry;
    Settings settings;
    Statistics statistics;
    settings.language = 1;
    const SaveReport first = saveSettings(settings, statistics, registry);
    EXPECT_TRUE(first.saved);
    EXPECT_TRUE(first.setAside.empty());

    registry.writeFailure = "No space left on device";
    settings.language = 0;
    const SaveReport failed = saveSettings(settings, statistics, registry);
    EXPECT_FALSE(failed.saved);
    EXPECT_EQ(failed.reason, "No space left on device");
    EXPECT_EQ(failed.location, settingsKeyPath);
    EXPECT_EQ(registry.openCount, 0);
    Settings stored;
    Statistics storedStatistics;
    loadSettings(stored, storedStatistics, registry);
    EXPECT_EQ(stored.language, 1); // the store keeps what the last good save wrote
}

TEST(LoadSettings, ReadsBackEverythingSaved) {
    MemoryRegistry registry;
    Settings settings;
    Statistics statistics;
    populate(settings, statistics);
    saveSettings(settings, statistics, registry);

    Settings loaded;
    Statistics loadedStatistics;
    EXPECT_EQ(loadSettings(loaded, loadedStatistics, registry), 0);
    EXPECT_EQ(loaded.language, 1);
    EXPECT_EQ(loaded.difficulty, 2);
    EXPECT_EQ(loaded.player, 1);
    EXPECT_EQ(loaded.lineOkColour, 0x123456u);
    EXPECT_EQ(loaded.lineViColour, 0xABCDEFu);
    EXPECT_EQ(loaded.unique, 1);
    EXPECT_EQ(loaded.clearColours, 1);
    EXPECT_EQ(loaded.keepGame, 1);
    EXPECT_EQ(loadedStatistics.bestTime, statistics.bestTime);
    EXPECT_EQ(loadedStatistics.gamesPlayed, statistics.gamesPlayed);
    EXPECT_EQ(loadedStatistics.totalTime, statistics.totalTime);
    EXPECT_EQ(loadedStatistics.totalPenalty, statistics.totalPenalty);
    EXPECT_EQ(loadedStatistics.histogram, statistics.histogram);
    EXPECT_EQ(registry.openCount, 0);
}

TEST(LoadSettings, WithoutTheKeyChangesNothing) {
    MemoryRegistry registry;
    Settings settings;
    Statistics statistics;
    populate(settings, statistics);
    const Settings before = settings;
    const Statistics beforeStatistics = statistics;
    EXPECT_EQ(loadSettings(settings, statistics, registry), -1);
    EXPECT_EQ(settings.language, before.language);
    EXPECT_EQ(settings.player, before.player);
    EXPECT_EQ(statistics.histogram, beforeStatistics.histogram);
}

TEST(InitSettings, StartsFromStartUpValuesAndLoadsWhatIsThere) {
    MemoryRegistry registry;
    registry.putValue(settingsKeyPath, {"langue", regDword, word(1)});
    registry.putValue(settingsKeyPath, {"totalplay21", regDword, word(4)});
    registry.putValue(settingsKeyPath, {"version", regSz, {'9', 0, '.', 0, '9', 0, 0, 0}});
    Settings settings;
    settings.difficulty = 2;
    settings.lineOkColour = 1;
    Statistics statistics;
    statistics.bestTime[0][0] = 99;
    initSettings(settings, statistics, registry);

    EXPECT_EQ(settings.language, 1);
    EXPECT_EQ(statistics.gamesPlayed[1][2], 4);
    EXPECT_EQ(settings.difficulty, 0);
    EXPECT_EQ(settings.lineOkColour, defaultLineOkColour);
    EXPECT_EQ(statistics.bestTime[0][0], 0);
    EXPECT_EQ(settings.versionText, (std::array<char16_t, 4>{u'1', u'.', u'1', 0}));
}

enum class Field { language, difficulty, player, gamesPlayed };

std::int32_t fieldValue(Field field, const Settings& settings, const Statistics& statistics) {
    switch (field) {
    case Field::language:
        return settings.language;
    case Field::difficulty:
        return settings.difficulty;
    case Field::player:
        return settings.player;
    case Field::gamesPlayed:
        break;
    }
    return statistics.gamesPlayed[0][1];
}

void setField(Field field, Settings& settings, Statistics& statistics, std::int32_t value) {
    switch (field) {
    case Field::language:
        settings.language = value;
        break;
    case Field::difficulty:
        settings.difficulty = value;
        break;
    case Field::player:
        settings.player = static_cast<std::int16_t>(value);
        break;
    case Field::gamesPlayed:
        statistics.gamesPlayed[0][1] = value;
        break;
    }
}

TEST(LoadSettings, KeepsFieldsInRangeAndIgnoresWhatCannotBeUsed) {
    struct Case {
        const char* name;
        Field field;
        RegValue stored;
        std::int32_t before;
        std::int32_t after;
    };
    const Case cases[] = {
        {"language", Field::language, {"langue", regDword, word(1)}, 0, 1},
        {"language out of range", Field::language, {"langue", regDword, word(5)}, 1, 1},
        {"language as text", Field::language, {"langue", regSz, {'1', 0, 0, 0}}, 1, 1},
        {"one byte replaces the low byte", Field::language, {"langue", regDword, {0}}, 1, 0},
        {"too large for its room", Field::language, {"langue", regDword, Bytes(8, 0)}, 1, 1},
        {"value names ignore case", Field::language, {"LANGUE", regDword, word(1)}, 0, 1},
        {"difficulty above 2", Field::difficulty, {"size", regDword, word(7)}, 0, 2},
        {"difficulty below 0", Field::difficulty, {"size", regDword, word(0xFFFFFFFF)}, 1, 0},
        {"player in two bytes", Field::player, {"player", regDword, {1, 0}}, 0, 1},
        {"player in four bytes", Field::player, {"player", regDword, word(1)}, 0, 1},
        {"player from the low 16 bits", Field::player, {"player", regDword, word(0x70000)}, 1, 0},
        {"player out of range", Field::player, {"player", regDword, {2, 0}}, 1, 1},
        {"negative count", Field::gamesPlayed, {"totalplay10", regDword, word(0xFFFFFFFF)}, 3, 3},
        {"count", Field::gamesPlayed, {"totalplay10", regDword, word(12)}, 3, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryRegistry registry;
        registry.putValue(settingsKeyPath, c.stored);
        Settings settings;
        Statistics statistics;
        setField(c.field, settings, statistics, c.before);
        loadSettings(settings, statistics, registry);
        EXPECT_EQ(fieldValue(c.field, settings, statistics), c.after);
    }
}

// The options newer than the first 36 values: Unique puzzles and Clear colours.
struct NewerOption {
    const char* name;
    std::int32_t Settings::*field;
    std::int32_t highest; // the largest value it takes; 0 up to it are read as stored
};
constexpr NewerOption newerOptions[] = {
    {"unique", &Settings::unique, 3}, // off, any level, gentle, demanding
    {"keepgame", &Settings::keepGame, 1},
    {"clearcolours", &Settings::clearColours, 1},
};

TEST(LoadSettings, TakesANewerOptionOnlyFromAStoredOne) {
    struct Case {
        const char* name;
        std::optional<std::pair<std::uint32_t, Bytes>> stored; // type and bytes
        std::int32_t before;
        std::int32_t after; // when the option takes it; 0 otherwise
    };
    const Case cases[] = {
        {"written before the value existed", std::nullopt, 1, 0},
        {"off", std::pair{regDword, word(0)}, 1, 0},
        {"on", std::pair{regDword, word(1)}, 0, 1},
        {"two", std::pair{regDword, word(2)}, 1, 2},
        {"three", std::pair{regDword, word(3)}, 1, 3},
        {"four", std::pair{regDword, word(4)}, 1, 0},
        {"all bits set", std::pair{regDword, word(0xFFFFFFFF)}, 1, 0},
        {"one in the high byte", std::pair{regDword, word(0x01000000)}, 1, 0},
        {"as text", std::pair{regSz, Bytes{'1', 0}}, 1, 0},
        {"too large for its room", std::pair{regDword, Bytes(8, 0)}, 1, 0},
    };
    for (const NewerOption& option : newerOptions) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(option.name) + ": " + c.name);
            MemoryRegistry registry;
            registry.putValue(settingsKeyPath, {"langue", regDword, word(1)});
            if (c.stored)
                registry.putValue(settingsKeyPath,
                                  {option.name, c.stored->first, c.stored->second});
            Settings settings;
            Statistics statistics;
            settings.*option.field = c.before;
            loadSettings(settings, statistics, registry);
            EXPECT_EQ(settings.*option.field, c.after <= option.highest ? c.after : 0);
            EXPECT_EQ(settings.language, 1);
        }
        // Without the key nothing is read, the option included.
        MemoryRegistry empty;
        Settings settings;
        Statistics statistics;
        settings.*option.field = 1;
        EXPECT_EQ(loadSettings(settings, statistics, empty), -1);
        EXPECT_EQ(settings.*option.field, 1);
    }
}

TEST(LoadSettings, TheNewerOptionsAreReadEachFromItsOwnValue) {
    for (const NewerOption& option : newerOptions) {
        SCOPED_TRACE(option.name);
        MemoryRegistry registry;
        registry.putValue(settingsKeyPath, {option.name, regDword, word(1)});
        Settings settings;
        Statistics statistics;
        loadSettings(settings, statistics, registry);
        for (const NewerOption& other : newerOptions)
            EXPECT_EQ(settings.*other.field, other.field == option.field ? 1 : 0) << other.name;
    }
}

TEST(LoadSettings, KeepsUnfinishedGamesOnlyForAStoredOne) {
    struct Case {
        const char* name;
        std::optional<RegValue> stored;
        std::int32_t before;
        std::int32_t after;
    };
    const Case cases[] = {
        {"written before the value existed", std::nullopt, 1, 0},
        {"off", RegValue{"keepgame", regDword, word(0)}, 1, 0},
        {"on", RegValue{"keepgame", regDword, word(1)}, 0, 1},
        {"two", RegValue{"keepgame", regDword, word(2)}, 1, 0},
        {"minus one", RegValue{"keepgame", regDword, word(0xFFFFFFFF)}, 1, 0},
        {"as text", RegValue{"keepgame", regSz, {'1', 0}}, 1, 0},
        {"two bytes", RegValue{"keepgame", regDword, {1, 0}}, 0, 1},
        {"too large for its room", RegValue{"keepgame", regDword, Bytes(8, 1)}, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryRegistry registry;
        registry.putValue(settingsKeyPath, {"unique", regDword, word(1)});
        if (c.stored) registry.putValue(settingsKeyPath, *c.stored);
        Settings settings;
        Statistics statistics;
        settings.keepGame = c.before;
        loadSettings(settings, statistics, registry);
        EXPECT_EQ(settings.keepGame, c.after);
        EXPECT_EQ(settings.unique, 1); // its neighbour is read on its own
    }
}

TEST(LoadSettings, TakesOnlyHistogramsThatFitWithTheirZeroByte) {
    const std::string previous = "0;1;5;";
    struct Case {
        const char* name;
        RegValue stored;
        std::string loaded;
    };
    Bytes fullWithZero(500, '2');
    fullWithZero.back() = 0;
    // Typed by hand as a quoted string, the text arrives as UTF-16.
    const Bytes wide = {'0', 0, ';', 0, '3', 0, ';', 0, '2', 0, ';', 0, 0, 0};
    const Case cases[] = {
        {"short text", {"histo00", regSz, text8("0;1;1;")}, "0;1;1;"},
        {"reset", {"histo00", regSz, text8("reset")}, "reset"},
        {"empty", {"histo00", regSz, {0}}, ""},
        {"no value bytes", {"histo00", regSz, {}}, previous},
        {"500 bytes with the zero last", {"histo00", regSz, fullWithZero}, std::string(499, '2')},
        {"500 bytes without a zero", {"histo00", regSz, Bytes(500, '2')}, previous},
        {"longer than 500 bytes", {"histo00", regSz, text8(std::string(500, '3'))}, previous},
        {"text after the zero byte", {"histo00", regSz, {'7', ';', 0, '8', 0}}, "7;"},
        {"UTF-16 text", {"histo00", regSz, wide}, "0;3;2;"},
        {"UTF-16 bytes of another type", {"histo00", regBinary, wide}, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryRegistry registry;
        registry.putValue(settingsKeyPath, c.stored);
        Settings settings;
        Statistics statistics;
        statistics.histogram[0][0].fill('#'); // stale bytes after the text must not survive
        std::strcpy(statistics.histogram[0][0].data(), previous.c_str());
        loadSettings(settings, statistics, registry);
        const HistogramText& text = statistics.histogram[0][0];
        if (c.loaded == previous) {
            EXPECT_STREQ(text.data(), previous.c_str());
        } else {
            EXPECT_EQ(std::string(text.data(), c.loaded.size()), c.loaded);
            for (std::size_t i = c.loaded.size(); i < text.size(); ++i) ASSERT_EQ(text[i], 0);
        }
    }
}

} // namespace
} // namespace kelvaro
