#include "store/kept_game_file.h"
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

// Points XDG_STATE_HOME and HOME at a fresh temporary folder for the length of a test.
class KeptGameFileTest : public TemporaryHome {
  protected:
    KeptGameFileTest() : TemporaryHome("XDG_STATE_HOME", "state") {}
    fs::path folder() const { return root_ / "state" / "kelvaro"; }
    fs::path file() const { return folder() / "kept-game.json"; }
};

TEST_F(KeptGameFileTest, PathFollowsXdgStateHomeOrFallsBackToHome) {
    EXPECT_EQ(keptGameFilePath(), file());
    ::setenv("XDG_STATE_HOME", "relative", 1);
    EXPECT_EQ(keptGameFilePath(),
              root_ / "home" / ".local" / "state" / "kelvaro" / "kept-game.json");
    ::unsetenv("XDG_STATE_HOME");
    EXPECT_EQ(keptGameFilePath(),
              root_ / "home" / ".local" / "state" / "kelvaro" / "kept-game.json");
}

TEST_F(KeptGameFileTest, WritesWholeIntoAPrivateFolderReadsBackAndRemoves) {
    KeptGameFile kept;
    EXPECT_EQ(kept.read().state, KeptFileState::missing);
    EXPECT_FALSE(fs::exists(folder())); // reading writes nothing

    EXPECT_TRUE(kept.write("first").saved);
    struct stat info {};
    ASSERT_EQ(::stat(folder().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat(file().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    const SaveReport report = kept.write("second, longer");
    EXPECT_TRUE(report.saved);
    EXPECT_EQ(report.location, file().string());
    // Only the file: no temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder()), fs::directory_iterator()), 1);
    const KeptRead back = kept.read();
    EXPECT_EQ(back.state, KeptFileState::present);
    EXPECT_EQ(back.text, "second, longer");

    kept.remove();
    EXPECT_FALSE(fs::exists(file()));
    kept.remove(); // nothing left to remove: no harm
    EXPECT_EQ(kept.read().state, KeptFileState::missing);
}

TEST_F(KeptGameFileTest, AFailedWriteLeavesTheKeptTextAsItWas) {
    KeptGameFile kept;
    ASSERT_TRUE(kept.write("kept").saved);
    // A read-only folder refuses the temporary file; root writes anyway, so the folder's place
    // is taken instead for the second file.
    KeptGameFile blocked(root_ / "plain-file" / "kelvaro" / "kept-game.json");
    write(root_ / "plain-file", "in the way");
    const SaveReport report = blocked.write("new");
    EXPECT_FALSE(report.saved);
    EXPECT_FALSE(report.reason.empty());
    EXPECT_EQ(read(root_ / "plain-file"), "in the way");
    EXPECT_EQ(kept.read().text, "kept");
}

TEST_F(KeptGameFileTest, NeverOpensOrReplacesWhatIsNotAFile) {
    fs::create_directories(folder());
    struct Case {
        const char* name;
        std::function<void()> make;
        std::string reason;
    };
    const Case cases[] = {
        {"a folder", [this] { fs::create_directories(file() / "inside"); }, "Is a directory"},
        {"a named pipe", [this] { ASSERT_EQ(::mkfifo(file().c_str(), 0600), 0); },
         "Is a named pipe, not a file"},
        {"a link to a device", [this] { fs::create_symlink("/dev/null", file()); },
         "Is a device, not a file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(file());
        c.make();
        KeptGameFile kept;
        // Done at once: a pipe opened for reading would wait for a writer forever.
        auto reading = std::async(std::launch::async, [&kept] { return kept.read(); });
        if (reading.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            const int unblock = ::open(file().c_str(), O_WRONLY | O_NONBLOCK);
            ::close(unblock);
            FAIL() << "the read waited";
        }
        const KeptRead got = reading.get();
        EXPECT_EQ(got.state, KeptFileState::notAFile);
        EXPECT_EQ(got.reason, c.reason);
        const SaveReport report = kept.write("game");
        EXPECT_FALSE(report.saved);
        EXPECT_EQ(report.reason, c.reason);
        kept.remove();
        EXPECT_TRUE(fs::exists(fs::symlink_status(file())));
        EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(file())));
    }
    // A link to a regular file is read and written through.
    fs::remove_all(file());
    write(root_ / "elsewhere.json", "linked");
    fs::create_symlink(root_ / "elsewhere.json", file());
    KeptGameFile kept;
    EXPECT_EQ(kept.read().text, "linked");
}

TEST_F(KeptGameFileTest, SetsADamagedFileAsideWholeBesideIt) {
    KeptGameFile kept;
    const fs::path damaged = folder() / "kept-game.json.damaged";
    write(damaged, "an older one");
    write(file(), "garbage \xFF");
    SaveReport report = kept.setAside();
    EXPECT_TRUE(report.saved);
    EXPECT_EQ(report.setAside, damaged.string());
    EXPECT_EQ(read(damaged), "garbage \xFF");
    EXPECT_FALSE(fs::exists(file()));

    // A folder holding the name does not stop the next one.
    fs::remove(damaged);
    fs::create_directories(damaged / "inside");
    write(file(), "more garbage");
    report = kept.setAside();
    EXPECT_TRUE(report.saved);
    EXPECT_EQ(report.setAside, damaged.string() + ".1");
    EXPECT_EQ(read(report.setAside), "more garbage");
    EXPECT_TRUE(fs::is_directory(damaged / "inside"));
}

} // namespace
} // namespace kelvaro

namespace kelvaro {
namespace {

TEST_F(KeptGameFileTest, WritesAskedForSoonLandInOrderAndNeverAfterWhatFollowsThem) {
    {
        KeptGameFile kept;
        for (int i = 0; i < 50; ++i) EXPECT_TRUE(kept.writeSoon("step " + std::to_string(i)).saved);
        EXPECT_EQ(kept.read().text, "step 49"); // the newest, whatever was still waiting
        kept.writeSoon("step 50");
        kept.remove(); // after it: nothing comes back
        EXPECT_EQ(kept.read().state, KeptFileState::missing);
        kept.writeSoon("step 51");
        EXPECT_TRUE(kept.write("closed").saved);
        kept.writeSoon("last step");
    }
    // The file's end made the waiting write.
    EXPECT_EQ(read(file()), "last step");

    // A failed write on the thread is told by the next write.
    fs::remove_all(root_ / "state");
    write(root_ / "state", "a file where the folder goes");
    KeptGameFile blocked;
    blocked.writeSoon("lost");
    SaveReport report;
    for (int i = 0; i < 200 && report.saved; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        report = blocked.writeSoon("lost again");
    }
    EXPECT_FALSE(report.saved);
    EXPECT_EQ(report.reason, std::generic_category().message(ENOTDIR));
}

} // namespace
} // namespace kelvaro
