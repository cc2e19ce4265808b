// A test fixture whose HOME and one XDG base folder (XDG_CONFIG_HOME, XDG_STATE_HOME...) point at
// a fresh temporary folder for the length of a test, and are put back afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <stdlib.h>
#include <string>

namespace kelvaro {

class TemporaryHome : public ::testing::Test {
  protected:
    // `variable` is set to <root>/<folder>, HOME to <root>/home.
    TemporaryHome(const char* variable, const char* folder)
        : variable_(variable), folder_(folder) {}

    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kelvaro-home-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        save(variable_, savedBase_);
        save("HOME", savedHome_);
        ::setenv(variable_, (root_ / folder_).c_str(), 1);
        ::setenv("HOME", (root_ / "home").c_str(), 1);
    }
    void TearDown() override {
        restore(variable_, savedBase_);
        restore("HOME", savedHome_);
        std::filesystem::remove_all(root_);
    }

    static std::string read(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    static void write(const std::filesystem::path& path, const std::string& bytes) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }

    std::filesystem::path root_;

  private:
    static void save(const char* name, std::optional<std::string>& saved) {
        if (const char* value = std::getenv(name)) saved = value;
    }
    static void restore(const char* name, const std::optional<std::string>& saved) {
        if (saved)
            ::setenv(name, saved->c_str(), 1);
        else
            ::unsetenv(name);
    }

    const char* variable_;
    const char* folder_;
    std::optional<std::string> savedBase_;
    std::optional<std::string> savedHome_;
};

} // namespace kelvaro
