#include "stats.h"

#include "candidate_stream.h"
#include "engine/ladder.h"
#include "engine/solver.h"
#include "engine/unique_puzzle.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace kelvaro::puzzles {

namespace {

// The nearest-rank percentile of sorted values: the smallest value with at least `percent` of
// all values at or below it.
template <typename T> T percentile(const std::vector<T>& sorted, int percent) {
    const std::size_t rank = (sorted.size() * static_cast<std::size_t>(percent) + 99) / 100;
    return sorted[rank == 0 ? 0 : rank - 1];
}

std::string row(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string row(const char* format, ...) {
    char text[160];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return std::string(text) + "\n";
}

double share(long part, long whole) {
    return whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0;
}

std::string answerTable(const char* heading, long one, long several, long unknown, long unsound) {
    const long all = one + several + unknown + unsound;
    std::string table = row("%-16s %9s %8s", heading, "puzzles", "share");
    table += row("%-16s %9ld %7.1f%%", "one solution", one, share(one, all));
    table += row("%-16s %9ld %7.1f%%", "two or more", several, share(several, all));
    table += row("%-16s %9ld %7.1f%%", "unknown", unknown, share(unknown, all));
    if (unsound > 0)
        table += row("%-16s %9ld %7.1f%%", "not generated", unsound, share(unsound, all));
    return table;
}

// The share of each level among `all` puzzles; index 0 counts those that need guessing.
std::string levelTable(const long (&levels)[ladderTop + 1], long all) {
    std::string table = row("%-16s %9s %8s", "level", "puzzles", "share");
    for (int level = 1; level <= ladderTop; ++level)
        table += row("%-16d %9ld %7.1f%%", level, levels[level], share(levels[level], all));
    table += row("%-16s %9ld %7.1f%%", "needs guessing", levels[0], share(levels[0], all));
    return table;
}

void plainStats(const Options& options, std::uint32_t seed, std::ostream& out) {
    long answers[3] = {}, unknown = 0, unsound = 0;
    long levels[ladderTop + 1] = {};
    std::vector<std::int32_t> steps;
    const StreamPlan plan{options.size, seed, options.count, true, options.jobs};
    streamCandidates(plan, [&](const Candidate& candidate) {
        if (!candidate.answer.sound) {
            ++unsound;
            return true;
        }
        const SolveResult& result = candidate.answer.result;
        steps.push_back(result.steps);
        if (result.solutions == unknownSolutions)
            ++unknown;
        else
            ++answers[result.solutions];
        // The ladder's rules are sound, so it finishes no puzzle with two solutions: those need
        // guessing without being graded.
        ++levels[result.solutions == oneSolution ? candidate.answer.grade.level : needsGuessing];
        return true;
    });
    std::string text =
        row("%d x %d, seed %u, %u puzzles", options.size, options.size, seed, options.count);
    text +=
        answerTable("solutions as shown", answers[1], answers[2] + answers[0], unknown, unsound);
    if (!steps.empty()) {
        std::sort(steps.begin(), steps.end());
        text += row("%-16s %9s %8s", "solver steps", "median", "worst");
        text += row("%-16s %9d %8d", "", percentile(steps, 50), steps.back());
    }
    text += levelTable(levels, static_cast<long>(options.count));
    out << text;
}

const char* choiceName(UniqueChoice choice) {
    switch (choice) {
    case uniqueGentle:
        return "gentle";
    case uniqueDemanding:
        return "demanding";
    case uniqueAnyLevel:
        return "any level";
    default:
        return "that level";
    }
}

void uniqueStats(const Options& options, LevelRange levels, UniqueChoice choice, std::uint32_t seed,
                 std::ostream& out) {
    long candidates = 0, rejected = 0, undecided = 0, unsound = 0, graded = 0, gaveUp = 0;
    long found[ladderTop + 1] = {};
    std::vector<std::int32_t> tries;
    std::vector<double> millis;
    UniqueSearch search;
    search.levels = levels;
    double searchMillis = 0;
    std::uint32_t searches = 0;
    const StreamPlan plan{options.size, seed, UINT64_MAX, true, options.jobs, levels};
    if (options.count > 0) {
        streamCandidates(plan, [&](const Candidate& candidate) {
            // The time of a unique puzzle is the work on its candidates, wherever it was done.
            searchMillis += candidate.millis;
            const UniqueVerdict verdict = countCandidate(search, candidate.answer);
            if (verdict == uniqueSearching) return true;
            candidates += search.candidates;
            rejected += search.rejected;
            undecided += search.undecided;
            unsound += search.unsound;
            graded += search.graded;
            if (verdict == uniqueFound) {
                ++found[search.level];
                tries.push_back(search.candidates);
                millis.push_back(searchMillis);
            } else {
                ++gaveUp;
            }
            search = UniqueSearch{};
            search.levels = levels;
            searchMillis = 0;
            return ++searches < options.count;
        });
    }
    const long made = static_cast<long>(tries.size());
    std::string text = row("%d x %d, seed %u, %ld unique puzzles of %s (levels %d to %d) from %ld "
                           "candidates",
                           options.size, options.size, seed, made, choiceName(choice),
                           levels.lowest, levels.highest, candidates);
    text += answerTable("candidates", made, rejected - undecided - unsound - graded, undecided,
                        unsound);
    text += row("%-16s %9ld %7.1f%%", "other level", graded, share(graded, candidates));
    if (gaveUp > 0)
        text += row("no unique puzzle within %d candidates: %ld times", uniqueCandidateCap, gaveUp);
    if (!tries.empty()) {
        std::sort(tries.begin(), tries.end());
        std::sort(millis.begin(), millis.end());
        text += row("%-17s %8s %8s %8s", "per unique puzzle", "median", "95%", "worst");
        text += row("%-17s %8d %8d %8d", "candidates", percentile(tries, 50), percentile(tries, 95),
                    tries.back());
        text += row("%-17s %8.1f %8.1f %8.1f", "time (ms)", percentile(millis, 50),
                    percentile(millis, 95), millis.back());
    }
    for (int level = levels.lowest; level <= levels.highest; ++level)
        text += row("%-16s %9ld %7.1f%%", ("level " + std::to_string(level)).c_str(), found[level],
                    share(found[level], made));
    out << text;
}

} // namespace

void printStats(const Options& options, std::uint32_t seed, std::ostream& out) {
    if (!options.unique) {
        plainStats(options, seed, out);
        return;
    }
    if (options.levelGiven) {
        uniqueStats(options, options.levels, options.choice, seed, out);
        return;
    }
    // Without --level, what each of the game's choices costs.
    bool first = true;
    for (const UniqueChoice choice : {uniqueAnyLevel, uniqueGentle, uniqueDemanding}) {
        if (!first) out << "\n";
        first = false;
        uniqueStats(options, levelsFor(choice), choice, seed, out);
    }
}

} // namespace kelvaro::puzzles
