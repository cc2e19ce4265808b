// kelvaro-puzzles print, read back with poppler's tools and Qt's SVG renderer: the pages, the
// paper, every number on them and the cells of the grids; and --jobs, which must change nothing
// the tool writes.
#include "engine/puzzle_number.h"
#include "gui_application.h"
#include "tool_run.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace kelvaro {
namespace {

ToolRun runTool(const std::string& args) {
    return runProgram(KELVARO_PUZZLES_PATH, args);
}

// A fresh folder for one test's files.
std::string freshFolder(const std::string& name) {
    const std::string path =
        ::testing::TempDir() + "/print-" + name + "-" + std::to_string(getpid());
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
}

// The endpoint lengths of a numbered puzzle, as the game shows them at its start.
std::vector<std::string> lengthsOf(const char* numberText) {
    PuzzleNumber number;
    EXPECT_TRUE(parsePuzzleNumber(numberText, number));
    Board board;
    Mt19937Source random(0);
    generateNumberedPuzzle(board, random, number);
    std::vector<std::string> lengths;
    for (int x = 0; x < number.size; ++x)
        for (int y = 0; y < number.size; ++y)
            if (cellAt(board, board.solution, x, y) > 0)
                lengths.push_back(std::to_string(cellAt(board, board.solutionLength, x, y)));
    return lengths;
}

std::vector<std::string> wordsOf(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string word; in >> word;) words.push_back(word);
    std::sort(words.begin(), words.end());
    return words;
}

// The cells across the first grid of a page: the longest dark run of a row marks the grid's
// top edge; just under it, above any number, each dark run is one line between two cells.
int cellsAcross(const QImage& page) {
    const QImage gray = page.convertToFormat(QImage::Format_Grayscale8);
    // Ink, even where a thin line falls between two pixels and is drawn half grey.
    const auto dark = [&](int x, int y) { return gray.constScanLine(y)[x] < 200; };
    for (int y = 0; y < gray.height(); ++y) {
        int start = -1, longest = 0, left = 0;
        for (int x = 0; x <= gray.width(); ++x) {
            const bool isDark = x < gray.width() && dark(x, y);
            if (isDark && start < 0) start = x;
            if (!isDark && start >= 0) {
                if (x - start > longest) longest = x - start, left = start;
                start = -1;
            }
        }
        if (longest < gray.width() / 4) continue;
        // Below the frame's thickness, a little into the first row: measured inside the first
        // cell (a cell is at least a twelfth of the grid), where no inner line runs down.
        const int inFirstCell = left + longest * 3 / 100;
        int row = y;
        while (row < gray.height() && dark(inFirstCell, row)) ++row;
        row += 2;
        int runs = 0;
        for (int x = left; x < left + longest; ++x)
            if (dark(x, row) && (x == left || !dark(x - 1, row))) ++runs;
        return runs - 1;
    }
    return 0;
}

// A page of a PDF as poppler renders it, in gray.
QImage renderedPdfPage(const std::string& pdf, int page, const std::string& folder) {
    const std::string stem = folder + "/page";
    const ToolRun run = runProgram("pdftoppm", "-gray -r 72 -f " + std::to_string(page) + " -l " +
                                                   std::to_string(page) + " -singlefile '" + pdf +
                                                   "' '" + stem + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    return QImage(QString::fromStdString(stem + ".pgm"));
}

TEST(PuzzlePrint, PdfHasItsPagesPaperNumbersAndLengths) {
    struct Case {
        const char* args;
        int pages;
        const char* paper;
        std::vector<const char*> numbers; // every puzzle number on the pages
    };
    const Case cases[] = {
        {"--puzzle 8-3141592653", 1, "595 x 842", {"8-3141592653"}},
        {"--size 5 --seed 7 --count 5 --per-page 2 --paper letter",
         3,
         "612 x 792",
         {"5-7", "5-8", "5-9", "5-10", "5-11"}},
        {"--size 12 --seed 4294967290 --count 6 --per-page 4 --solutions",
         4,
         "595 x 842",
         {"12-4294967290", "12-4294967291", "12-4294967292", "12-4294967293", "12-4294967294",
          "12-4294967295"}},
        {"--puzzle 12u-3141592653 --per-page 6 --paper=a4", 1, "595 x 842", {"12u-3141592653"}},
    };
    const std::string folder = freshFolder("pdf");
    const std::string pdf = folder + "/puzzles.pdf";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const ToolRun run = runTool(std::string("print -o '") + pdf + "' " + c.args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(run.out.empty() && run.err.empty()) << run.out << run.err;

        const ToolRun info = runProgram("pdfinfo", "'" + pdf + "'");
        EXPECT_NE(info.out.find("Pages:           " + std::to_string(c.pages) + "\n"),
                  std::string::npos)
            << info.out;
        EXPECT_NE(info.out.find(std::string("Page size:       ") + c.paper), std::string::npos)
            << info.out;

        // The puzzle pages hold each puzzle's lengths and its number, and nothing else; the
        // solution pages, when there are any, the same again.
        std::vector<std::string> expected;
        for (const char* number : c.numbers) {
            for (const std::string& length : lengthsOf(number)) expected.push_back(length);
            expected.push_back(number);
        }
        const std::string text = runProgram("pdftotext", "'" + pdf + "' -").out;
        std::vector<std::string> doubled = expected;
        if (std::string(c.args).find("--solutions") != std::string::npos)
            doubled.insert(doubled.end(), expected.begin(), expected.end());
        std::sort(doubled.begin(), doubled.end());
        EXPECT_EQ(wordsOf(text), doubled);
    }
}

TEST(PuzzlePrint, ARenderedPageShowsTheGridsCells) {
    ensureGuiApplication();
    const std::string folder = freshFolder("cells");
    for (const char* number : {"5-1", "8-2", "12-3"}) {
        SCOPED_TRACE(number);
        const std::string pdf = folder + "/one.pdf";
        ASSERT_EQ(runTool(std::string("print --puzzle ") + number + " -o '" + pdf + "'").status, 0);
        const int side = number[0] == '1' ? 12 : number[0] - '0';
        EXPECT_EQ(cellsAcross(renderedPdfPage(pdf, 1, folder)), side);
    }
}

TEST(PuzzlePrint, SvgWritesOneNumberedFilePerPageWithTheCells) {
    const std::string folder = freshFolder("svg");
    const ToolRun run = runTool("print --format svg --size 8 --seed 20 --count 3 --per-page 2 "
                                "--solutions -o '" +
                                folder + "/sheet.svg'");
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"sheet-1.svg", "sheet-2.svg", "sheet-3.svg",
                                               "sheet-4.svg"}));
    ensureGuiApplication();
    for (const char* page : {"sheet-1.svg", "sheet-4.svg"}) {
        SCOPED_TRACE(page);
        QSvgRenderer svg(QString::fromStdString(folder + "/" + page));
        ASSERT_TRUE(svg.isValid());
        QImage image(svg.defaultSize().scaled(600, 900, Qt::KeepAspectRatio), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        svg.render(&painter);
        painter.end();
        EXPECT_EQ(cellsAcross(image), 8);
    }
}

// Whatever is wrong, one line says so, the status is 2 and nothing is left at the output.
TEST(PuzzlePrint, BadArgumentsAndUnwritableOutputsLeaveNoFile) {
    struct Case {
        const char* args;
        const char* named;
    };
    const Case cases[] = {
        {"--size 8 --paper a5", "a5"},
        {"--size 8 --per-page 3", "3"},
        {"--size 8 --per-page=twelve", "twelve"},
        {"--size 8 --count 0", "count"},
        {"--size 5 --count 1001", "1001 puzzles make 1001 pages"},
        {"--size 5 --count 600 --per-page 1 --solutions", "1200 pages"},
        {"--size 5 --count 6001 --per-page 6", "1001 pages"},
        {"--size 5 --seed 4294967295 --count 2", "4294967295"},
        {"--size 5 --format png", "png"},
        {"--size 5 --format json", "json"},
        {"--size 5 --solution", "--solution"},
        {"--puzzle 7-1", "7-1"},
        {"--size 5 --jobs 0", "0"},
    };
    const std::string folder = freshFolder("bad");
    const std::string pdf = folder + "/never.pdf";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const ToolRun run = runTool(std::string("print -o '") + pdf + "' " + c.args);
        EXPECT_EQ(run.status, 2);
        ASSERT_EQ(linesOf(run.err).size(), 1u) << run.err;
        EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(pdf));
    }
    const ToolRun missing = runTool("print --size 5");
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("-o"), std::string::npos) << missing.err;

    // Outputs that cannot be written: a missing folder, a file where a folder should be (a
    // folder without write permission would not stop root), a folder in the way of the PDF and
    // of the second SVG page, after the first was written.
    std::filesystem::create_directory(folder + "/taken.pdf");
    std::filesystem::create_directory(folder + "/taken-2.svg");
    std::ofstream(folder + "/plain-file") << "x";
    const std::pair<std::string, const char*> outputs[] = {
        {folder + "/missing/out.pdf", "pdf"},    {folder + "/missing/out.svg", "svg"},
        {folder + "/plain-file/out.pdf", "pdf"}, {folder + "/plain-file/out.svg", "svg"},
        {folder + "/taken.pdf", "pdf"},          {folder + "/taken.svg", "svg"},
    };
    for (const auto& [path, format] : outputs) {
        SCOPED_TRACE(path);
        const ToolRun run = runTool("print --size 5 --count 3 --format " + std::string(format) +
                                    " -o '" + path + "'");
        EXPECT_EQ(run.status, 2);
        ASSERT_EQ(linesOf(run.err).size(), 1u) << run.err;
        EXPECT_NE(run.err.find("cannot write"), std::string::npos) << run.err;
    }
    // Of all that, only what the test made itself is there.
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"plain-file", "taken-2.svg", "taken.pdf"}));
}

// The same bytes for one thread and several, in every command that takes --jobs.
TEST(PuzzleTool, JobsChangeNothingThatIsWritten) {
    const std::string folder = freshFolder("jobs");
    const std::string made =
        runTool("generate --size 12 --seed 8 --count 60 --format json --jobs 1").out;
    const std::string input = folder + "/made.jsonl";
    std::ofstream(input) << made;
    const std::string commands[] = {
        "generate --size 12 --seed 8 --count 60 --format json",
        "generate --size 8 --seed 2 --count 40 --unique --format json",
        "generate --size 5 --seed 2 --count 9 --unique --solution",
        "stats --size 8 --seed 5 --count 500",
        "solve '" + input + "'",
    };
    for (const std::string& command : commands) {
        SCOPED_TRACE(command);
        const ToolRun one = runTool(command + " --jobs 1");
        ASSERT_EQ(one.status, 0) << one.err;
        EXPECT_FALSE(one.out.empty());
        for (const char* jobs : {" --jobs 2", " --jobs 7", ""}) {
            SCOPED_TRACE(jobs);
            const ToolRun many = runTool(command + jobs);
            EXPECT_EQ(many.status, 0);
            EXPECT_EQ(many.out, one.out);
        }
    }
    // Unique stats keep their counts; only the measured times may differ.
    const auto counts = [](const std::string& table) {
        return std::regex_replace(table, std::regex("\ntime \\(ms\\).*"), "");
    };
    const ToolRun uniqueOne = runTool("stats --size 8 --seed 5 --count 50 --unique --jobs 1");
    const ToolRun uniqueMany = runTool("stats --size 8 --seed 5 --count 50 --unique --jobs 3");
    EXPECT_EQ(counts(uniqueMany.out), counts(uniqueOne.out));

    for (const char* jobs : {"1", "3"}) {
        const std::string stem = folder + "/jobs" + jobs;
        ASSERT_EQ(runTool(std::string("print --size 8 --seed 9 --count 7 --per-page 4 --solutions "
                                      "--unique --format svg -o '") +
                          stem + ".svg' --jobs " + jobs)
                      .status,
                  0);
        // The PDF is dated as reproducible builds ask, or it would differ from one second to the
        // next.
        ASSERT_EQ(runProgram("env", std::string("SOURCE_DATE_EPOCH=1765000000 '") +
                                        KELVARO_PUZZLES_PATH +
                                        "' print --size 8 --seed 9 --count 7 --unique -o '" + stem +
                                        ".pdf' --jobs " + jobs)
                      .status,
                  0);
    }
    for (int page = 1; page <= 4; ++page) {
        const std::string name = "-" + std::to_string(page) + ".svg";
        EXPECT_EQ(slurp(folder + "/jobs3" + name), slurp(folder + "/jobs1" + name)) << page;
        EXPECT_FALSE(slurp(folder + "/jobs1" + name).empty());
    }
    EXPECT_EQ(slurp(folder + "/jobs3.pdf"), slurp(folder + "/jobs1.pdf"));
    const ToolRun info = runProgram("pdfinfo", "'" + folder + "/jobs1.pdf'");
    // 1765000000 is early in December 2025, in every time zone.
    EXPECT_TRUE(std::regex_search(info.out, std::regex("CreationDate: +.*Dec +[4-7] .*2025")))
        << info.out;
}

} // namespace
} // namespace kelvaro
