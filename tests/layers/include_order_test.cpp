// Keeps the folders in their order: no source file includes from a folder above its own.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Bottom up. Folders of one level are siblings and stay out of each other's way.
struct Layer {
    const char* folder;
    int level;
};
constexpr Layer layers[] = {
    {"engine", 0}, {"store", 0},   {"model", 1}, {"render", 2},
    {"game", 2},   {"dialogs", 3}, {"app", 4},   {"tools", 5},
};

std::optional<int> levelOf(const std::string& folder) {
    for (const Layer& layer : layers) {
        if (folder == layer.folder) return layer.level;
    }
    return std::nullopt;
}

// The quoted path of an #include line, or nothing for system includes and other lines.
std::optional<std::string> quotedInclude(const std::string& line) {
    std::size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line.compare(at, 1, "#") != 0) return std::nullopt;
    at = line.find_first_not_of(" \t", at + 1);
    if (at == std::string::npos || line.compare(at, 7, "include") != 0) return std::nullopt;
    const std::size_t open = line.find('"', at + 7);
    if (open == std::string::npos) return std::nullopt;
    const std::size_t close = line.find('"', open + 1);
    if (close == std::string::npos) return std::nullopt;
    return line.substr(open + 1, close - open - 1);
}

// Why the include breaks the order, or an empty text when it keeps it. `fromFolder` is the
// including file's top folder; includes without a folder are the file's own neighbours.
std::string orderFault(const std::string& fromFolder, const std::string& included) {
    const std::size_t slash = included.find('/');
    if (slash == std::string::npos) return {};
    const std::string toFolder = included.substr(0, slash);
    if (toFolder == fromFolder) return {};
    const std::optional<int> from = levelOf(fromFolder);
    const std::optional<int> to = levelOf(toFolder);
    if (!from || !to) return {};
    if (*to < *from) return {};
    return *to == *from ? fromFolder + " includes its sibling " + toFolder
                        : fromFolder + " includes " + toFolder + ", which sits above it";
}

TEST(IncludeOrder, ClassifiesIncludesByTheFoldersLevels) {
    struct Case {
        const char* from;
        const char* line;
        bool fault;
    };
    const Case cases[] = {
        {"render", "#include \"model/layout.h\"", false},
        {"game", "#include \"engine/board.h\"", false},
        {"app", "  #  include \"dialogs/options_dialog.h\" // why", false},
        {"tools", "#include \"app/main_frame.h\"", false},
        {"render", "#include \"text.h\"", false},
        {"render", "#include <QImage>", false},
        {"model", "#include \"render/canvas.h\"", true},
        {"game", "#include \"render/layout.h\"", true},
        {"render", "#include \"game/game_state.h\"", true},
        {"engine", "#include \"store/registry.h\"", true},
        {"dialogs", "#include \"app/commands.h\"", true},
        {"store", "#include \"model/game_state.h\"", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + ": " + c.line);
        const std::optional<std::string> included = quotedInclude(c.line);
        const std::string fault = included ? orderFault(c.from, *included) : std::string();
        EXPECT_EQ(!fault.empty(), c.fault) << fault;
    }
}

TEST(IncludeOrder, NoSourceFileIncludesFromAFolderAboveItsOwn) {
    const fs::path root = KELVARO_SOURCE_DIR;
    std::vector<std::string> faults;
    int filesRead = 0;
    for (const Layer& layer : layers) {
        const fs::path folder = root / layer.folder;
        ASSERT_TRUE(fs::is_directory(folder)) << folder;
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
            ++filesRead;
            std::ifstream in(entry.path());
            std::string line;
            int number = 0;
            while (std::getline(in, line)) {
                ++number;
                const std::optional<std::string> included = quotedInclude(line);
                if (!included) continue;
                const std::string fault = orderFault(layer.folder, *included);
                if (!fault.empty()) {
                    faults.push_back(fs::relative(entry.path(), root).string() + ":" +
                                     std::to_string(number) + ": " + fault);
                }
            }
        }
    }
    EXPECT_GT(filesRead, 0);
    for (const std::string& fault : faults) ADD_FAILURE() << fault;
}

} // namespace
