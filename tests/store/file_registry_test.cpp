#include "store/file_registry.h"
#include "store/histogram.h"
#include "store/settings_store.h"
#include "temporary_home.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace kelvaro {
namespace {

namespace fs = std::filesystem;

// Points XDG_CONFIG_HOME and HOME at a fresh temporary folder for the length of a test.
class FileRegistryTest : public TemporaryHome {
  protected:
    FileRegistryTest() : TemporaryHome("XDG_CONFIG_HOME", "config") {}
};

// Every field away from its start-up value; histograms of every length up to 499 characters.
void populate(Settings& settings, Statistics& statistics) {
    settings.language = 1;
    settings.difficulty = 1;
    settings.player = 1;
    settings.lineOkColour = 0x00C0FFEE;
    settings.lineViColour = 0x00BADF00;
    for (std::size_t p = 0; p < 2; ++p) {
        for (std::size_t d = 0; d < 3; ++d) {
            const auto n = static_cast<std::int32_t>(p * 3 + d + 1);
            statistics.bestTime[p][d] = 2'000'000'000 + n;
            statistics.gamesPlayed[p][d] = n;
            statistics.totalTime[p][d] = n * 654'321;
            statistics.totalPenalty[p][d] = n * 13;
        }
    }
    // Five records cover the lengths between them; the sixth is the longest possible.
    const std::size_t lengths[] = {0, 5, 120, 333, 498};
    for (std::size_t i = 0; i < 5; ++i) {
        HistogramText& text = statistics.histogram[i / 3][i % 3];
        text.fill(0);
        for (std::size_t k = 0; k < lengths[i]; ++k) text[k] = static_cast<char>('0' + k % 10);
    }
    statistics.histogram[1][2].fill(0);
    std::fill_n(statistics.histogram[1][2].begin(), 499, ';');
}

TEST_F(FileRegistryTest, PathFollowsXdgConfigHomeOrFallsBackToHome) {
    EXPECT_EQ(settingsFilePath(), root_ / "config" / "kelvaro" / "kelvaro.reg");
    ::setenv("XDG_CONFIG_HOME", "relative/path", 1);
    EXPECT_EQ(settingsFilePath(), root_ / "home" / ".config" / "kelvaro" / "kelvaro.reg");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(settingsFilePath(), root_ / "home" / ".config" / "kelvaro" / "kelvaro.reg");
}

TEST_F(FileRegistryTest, FirstSaveCreatesAPrivateFolderAndTheFile) {
    FileRegistry registry;
    Settings settings;
    Statistics statistics;
    EXPECT_EQ(loadSettings(settings, statistics, registry), -1);
    EXPECT_FALSE(fs::exists(root_ / "config")); // loading writes nothing

    saveSettings(settings, statistics, registry);
    const fs::path folder = root_ / "config" / "kelvaro";
    struct stat info {};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    // Only the file: no temporary or lock file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

    const std::string text = read(folder / "kelvaro.reg");
    EXPECT_EQ(text.rfind("Windows Registry Editor Version 5.00\n\n"
                         "[HKEY_CURRENT_USER\\Software\\Dravix\\Kelvaro]\n"
                         "\"version\"=\"1.1\"\n\"langue\"=dword:00000000\n",
                         0),
              0u);
    for (const char* line : {"\n\"player\"=hex(4):00,00\n", "\n\"lineOK\"=dword:00005000\n",
                             "\n\"histo00\"=hex(1):00\n", "\n\"totalpenal21\"=dword:00000000\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
}

TEST_F(FileRegistryTest, FullStoreRoundTripsByteForByte) {
    Settings settings;
    Statistics statistics;
    populate(settings, statistics);
    {
        FileRegistry registry;
        saveSettings(settings, statistics, registry);
    }
    const fs::path first = settingsFilePath();
    const std::string saved = read(first);

    Settings loaded;
    Statistics loadedStatistics;
    FileRegistry reader;
    initSettings(loaded, loadedStatistics, reader);
    EXPECT_EQ(loaded.lineOkColour, settings.lineOkColour);
    EXPECT_EQ(loaded.player, settings.player);
    EXPECT_EQ(loadedStatistics.bestTime, statistics.bestTime);
    EXPECT_EQ(loadedStatistics.histogram, statistics.histogram);

    const fs::path second = root_ / "elsewhere" / "kelvaro.reg";
    FileRegistry other(second);
    saveSettings(loaded, loadedStatistics, other);
    EXPECT_EQ(read(second), saved);

    // Saving the same records again leaves the file itself alone.
    struct stat before {};
    ASSERT_EQ(::stat(first.c_str(), &before), 0);
    FileRegistry again;
    saveSettings(loaded, loadedStatistics, again);
    struct stat after {};
    ASSERT_EQ(::stat(first.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(read(first), saved);
}

TEST_F(FileRegistryTest, SaveKeepsWhatOthersWroteInTheFile) {
    const std::string foreign = "Windows Registry Editor Version 5.00\r\n\r\n"
                                "[HKEY_CURRENT_USER\\Software\\Someone]\r\n"
                                "\"x\"=\"y\"\r\n\r\n"
                                "[HKEY_CURRENT_USER\\Software\\Dravix\\Kelvaro]\r\n"
                                "; my note\r\n"
                                "\"mine\"=hex:de,ad\r\n"
                                "\"langue\"=dword:00000001\r\n\r\n";
    write(settingsFilePath(), foreign);
    Settings settings;
    Statistics statistics;
    FileRegistry registry;
    initSettings(settings, statistics, registry);
    EXPECT_EQ(settings.language, 1);
    settings.language = 0;
    saveSettings(settings, statistics, registry);

    const std::string text = read(settingsFilePath());
    EXPECT_EQ(text.rfind(foreign.substr(0, foreign.find("; my note")), 0), 0u);
    EXPECT_NE(text.find("; my note\r\n\"mine\"=hex:de,ad\r\n\"langue\"=dword:00000000\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("\"langue\"", text.find("\"langue\"") + 1), std::string::npos);
}

TEST_F(FileRegistryTest, CorruptFilesLoadWhatCanBeReadAndNeverLoseBytes) {
    const std::string start = "Windows Registry Editor Version 5.00\n\n"
                              "[HKEY_CURRENT_USER\\Software\\Dravix\\Kelvaro]\n"
                              "\"langue\"=dword:00000001\n"
                              "\"totalplay01\"=dword:00000007\n";
    // What a case adds after the good lines, and the part of it that is not a value of ours,
    // which a save must keep as it was.
    struct Case {
        const char* name;
        std::string tail;
        std::string kept;
    };
    const std::string binary("\0\xFF\xFE\x01\n\x80\x81", 7);
    const Case cases[] = {
        {"truncated inside a value", "\"histo01\"=hex(1):30,3b,3", ""},
        {"truncated inside a name", "\"histo", "\"histo"},
        {"binary tail", binary + "\n\"size\"=dword:2\n", binary},
        {"wrong types", "\"player\"=\"1\"\n\"size\"=hex:01\n\"histo00\"=dword:00000000\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        write(settingsFilePath(), start + c.tail);
        Settings settings;
        Statistics statistics;
        FileRegistry registry;
        initSettings(settings, statistics, registry);
        EXPECT_EQ(settings.language, 1);
        EXPECT_EQ(statistics.gamesPlayed[1][0], 7);
        EXPECT_EQ(settings.player, 0);

        saveSettings(settings, statistics, registry);
        const std::string text = read(settingsFilePath());
        EXPECT_NE(text.find(c.kept), std::string::npos);
        Settings reloaded;
        Statistics reloadedStatistics;
        FileRegistry reader;
        initSettings(reloaded, reloadedStatistics, reader);
        EXPECT_EQ(reloadedStatistics.gamesPlayed, statistics.gamesPlayed);
        EXPECT_EQ(reloadedStatistics.histogram, statistics.histogram);
    }
}

TEST_F(FileRegistryTest, AFileItCannotReadIsNeverReplaced) {
    const std::string huge(FileRegistry::maxFileBytes + 1, 'x');
    write(settingsFilePath(), huge);
    Settings settings;
    Statistics statistics;
    FileRegistry registry;
    EXPECT_EQ(loadSettings(settings, statistics, registry), -1);
    saveSettings(settings, statistics, registry);
    EXPECT_EQ(fs::file_size(settingsFilePath()), huge.size());
}

TEST_F(FileRegistryTest, ASaveThatCannotWriteTellsTheSystemsReasonAndThePath) {
    // Root ignores file permissions, so the folders are made impossible by what stands in
    // their place.
    struct Case {
        const char* name;
        fs::path plainFile; // a plain file put here
        int error;
    };
    const fs::path file = settingsFilePath();
    const Case cases[] = {
        {"a file where the folder should be", file.parent_path(), ENOTDIR},
        {"a file where the configuration home should be", root_ / "config", ENOTDIR},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(root_ / "config");
        write(c.plainFile, "mine");
        Settings settings;
        Statistics statistics;
        FileRegistry registry;
        const SaveReport report = saveSettings(settings, statistics, registry);
        EXPECT_FALSE(report.saved);
        EXPECT_EQ(report.reason, std::generic_category().message(c.error));
        EXPECT_EQ(report.location, file.string());
        EXPECT_EQ(read(c.plainFile), "mine");
    }

    // A folder where the file should be cannot be read, so it is never replaced.
    fs::remove_all(root_ / "config");
    fs::create_directories(file / "inside");
    FileRegistry registry;
    const SaveReport report = saveSettings(Settings{}, Statistics{}, registry);
    EXPECT_FALSE(report.saved);
    EXPECT_EQ(report.reason, std::generic_category().message(EISDIR));
    EXPECT_TRUE(fs::is_directory(file / "inside"));

    // Once the way is clear the same registry saves again.
    fs::remove_all(root_ / "config");
    EXPECT_TRUE(saveSettings(Settings{}, Statistics{}, registry).saved);
    EXPECT_TRUE(fs::is_regular_file(file));
}

TEST_F(FileRegistryTest, AFileThatIsNoRegistryExportIsSetAsideWholeAndAFreshOneWritten) {
    // Sized from the literal: its zero bytes are part of the noise, its terminator is not.
    const char binaryBytes[] = "\x7F"
                               "ELF\x02\x01\x01\0\0\0\xFF\xFE";
    const std::string binary(binaryBytes, sizeof binaryBytes - 1);
    const std::string headless = "[HKEY_CURRENT_USER\\Software\\Dravix\\Kelvaro]\n"
                                 "\"langue\"=dword:00000001\n";
    for (const std::string& foreign :
         {binary, std::string("my shopping list\n- milk\n"), headless}) {
        SCOPED_TRACE(foreign);
        fs::remove_all(root_ / "config");
        const fs::path file = settingsFilePath();
        FileRegistry registry;
        write(registry.damagedFile(), "an older one");
        write(file, foreign);

        Settings settings;
        Statistics statistics;
        initSettings(settings, statistics, registry);
        EXPECT_EQ(settings.language, 0); // nothing is taken from it
        populate(settings, statistics);
        const SaveReport report = saveSettings(settings, statistics, registry);
        EXPECT_TRUE(report.saved);
        EXPECT_EQ(report.setAside, (root_ / "config" / "kelvaro" / "kelvaro.reg.damaged").string());
        EXPECT_EQ(read(report.setAside), foreign);

        const std::string fresh = read(file);
        EXPECT_EQ(fresh.rfind("Windows Registry Editor Version 5.00\n", 0), 0u);
        EXPECT_EQ(fresh.find(foreign), std::string::npos);
        Settings reloaded;
        Statistics reloadedStatistics;
        FileRegistry reader;
        initSettings(reloaded, reloadedStatistics, reader);
        EXPECT_EQ(reloaded.lineOkColour, settings.lineOkColour);
        EXPECT_EQ(reloadedStatistics.histogram, statistics.histogram);

        // The fresh file is a settings file: the next save sets nothing aside.
        EXPECT_TRUE(saveSettings(settings, statistics, registry).setAside.empty());
        EXPECT_EQ(read(report.setAside), foreign);
    }
}

TEST_F(FileRegistryTest, EveryExportHeaderAndAnEmptyFileAreKept) {
    const char utf16Bytes[] = "W\0i\0n\0d\0o\0w\0s\0 \0R\0e\0g\0i\0s\0t\0r\0y\0 \0"
                              "E\0d\0i\0t\0o\0r\0 \0V\0e\0r\0s\0i\0o\0n\0 \0"
                              "5\0.\0\x30\0\x30\0\r\0\n\0";
    const std::string utf16NoMark(utf16Bytes, sizeof utf16Bytes - 1);
    const std::string kept[] = {
        "",
        "\n\r\n  \n",
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n",
        "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n",
        "\n  Windows Registry Editor Version 5.00\n; a note\n",
        "\xFF\xFE" + utf16NoMark,
        utf16NoMark,
    };
    for (const std::string& bytes : kept) {
        SCOPED_TRACE(bytes);
        fs::remove_all(root_ / "config");
        write(settingsFilePath(), bytes);
        FileRegistry registry;
        const SaveReport report = saveSettings(Settings{}, Statistics{}, registry);
        EXPECT_TRUE(report.saved);
        EXPECT_TRUE(report.setAside.empty());
        EXPECT_FALSE(fs::exists(registry.damagedFile()));
        Settings settings;
        Statistics statistics;
        EXPECT_EQ(loadSettings(settings, statistics, registry), 0);
    }
}

TEST_F(FileRegistryTest, TwoCopiesSavingAtOnceKeepBothValues) {
    FileRegistry first;
    ASSERT_TRUE(first.createKey(settingsKeyPath, settingsKeyClass));
    const std::uint32_t one = 1;
    first.setValue("first", regDword, &one, 4);

    // The second copy reads the file only once the first has written it.
    std::thread second([] {
        FileRegistry registry;
        if (!registry.createKey(settingsKeyPath, settingsKeyClass)) return;
        const std::uint32_t two = 2;
        registry.setValue("second", regDword, &two, 4);
        registry.closeKey();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    first.closeKey();
    second.join();

    FileRegistry reader;
    ASSERT_TRUE(reader.openKey(settingsKeyPath));
    std::uint32_t value = 0;
    std::uint32_t room = 4;
    std::uint32_t type = 0;
    EXPECT_TRUE(reader.queryValue("first", &value, room, type));
    EXPECT_EQ(value, 1u);
    room = 4;
    EXPECT_TRUE(reader.queryValue("second", &value, room, type));
    EXPECT_EQ(value, 2u);
}

} // namespace
} // namespace kelvaro

namespace kelvaro {
namespace {

TEST_F(FileRegistryTest, APipeOrADeviceInTheFilesPlaceIsNeverOpenedNorReplaced) {
    const fs::path file = settingsFilePath();
    struct Case {
        const char* name;
        std::function<void()> make;
        std::string reason;
    };
    const Case cases[] = {
        {"a named pipe", [&file] { ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0); },
         "Is a named pipe, not a file"},
        {"a link to a device", [&file] { fs::create_symlink("/dev/zero", file); },
         "Is a device, not a file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(root_ / "config");
        fs::create_directories(file.parent_path());
        c.make();
        // At once: opening a pipe for reading would wait for a writer that never comes.
        auto loading = std::async(std::launch::async, [] {
            FileRegistry registry;
            Settings settings;
            Statistics statistics;
            initSettings(settings, statistics, registry);
            return std::make_pair(settings.language, saveSettings(settings, statistics, registry));
        });
        if (loading.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            ::close(::open(file.c_str(), O_WRONLY | O_NONBLOCK));
            FAIL() << "the start-up waited";
        }
        const auto [language, report] = loading.get();
        EXPECT_EQ(language, 0); // the start-up values stand
        EXPECT_FALSE(report.saved);
        EXPECT_EQ(report.reason, c.reason);
        EXPECT_EQ(report.location, file.string());
        EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(file)));
    }
}

TEST_F(FileRegistryTest, AFolderNamedLikeTheSetAsideFileDoesNotStopTheSaves) {
    const fs::path file = settingsFilePath();
    FileRegistry registry;
    fs::create_directories(registry.damagedFile() / "kept");
    write(file, "my shopping list\n");
    Settings settings;
    Statistics statistics;
    settings.language = 1;
    const SaveReport report = saveSettings(settings, statistics, registry);
    EXPECT_TRUE(report.saved) << report.reason;
    EXPECT_EQ(report.setAside, registry.damagedFile().string() + ".1");
    EXPECT_EQ(read(report.setAside), "my shopping list\n");
    EXPECT_TRUE(fs::is_directory(registry.damagedFile() / "kept"));
    // And every later save goes on working.
    settings.language = 0;
    EXPECT_TRUE(saveSettings(settings, statistics, registry).saved);
    Settings reloaded;
    initSettings(reloaded, statistics, registry);
    EXPECT_EQ(reloaded.language, 0);
}

} // namespace
} // namespace kelvaro
