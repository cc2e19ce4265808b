#include "engine/puzzle_number.h"

#include "engine/generator.h"
#include "engine/unique_puzzle.h"

namespace kelvaro {

namespace {

constexpr std::size_t maxSeedDigits = 10;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool parseSeed(std::string_view digits, std::uint32_t& seed) {
    if (digits.empty() || digits.size() > maxSeedDigits) return false;
    std::uint64_t value = 0;
    for (const char c : digits) {
        if (!isDigit(c)) return false;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > UINT32_MAX) return false;
    seed = static_cast<std::uint32_t>(value);
    return true;
}

UniqueChoice choiceForLetter(char letter) {
    switch (letter) {
    case 'u':
    case 'U':
        return uniqueAnyLevel;
    case 'g':
    case 'G':
        return uniqueGentle;
    case 'd':
    case 'D':
        return uniqueDemanding;
    default:
        return uniqueOff;
    }
}

// The size part, before the dash: exactly "5", "8" or "12", then the letter of a unique choice.
bool parseSize(std::string_view text, std::int16_t& size, UniqueChoice& unique) {
    unique = text.empty() ? uniqueOff : choiceForLetter(text.back());
    if (unique != uniqueOff) text.remove_suffix(1);
    if (text.empty() || text.size() > 2) return false;
    int value = 0;
    for (const char c : text) {
        if (!isDigit(c)) return false;
        value = value * 10 + (c - '0');
    }
    if (text.front() == '0' || !isPuzzleSize(value)) return false;
    size = static_cast<std::int16_t>(value);
    return true;
}

std::size_t writeDecimal(std::uint32_t value, char* out) {
    char reversed[maxSeedDigits];
    std::size_t count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    for (std::size_t i = 0; i < count; ++i) out[i] = reversed[count - 1 - i];
    return count;
}

} // namespace

bool parsePuzzleNumber(std::string_view text, PuzzleNumber& number) {
    text = trimmed(text);
    PuzzleNumber read;
    std::string_view seedDigits = text;
    if (const std::size_t dash = text.find('-'); dash != std::string_view::npos) {
        if (!parseSize(text.substr(0, dash), read.size, read.unique)) return false;
        seedDigits = text.substr(dash + 1);
    }
    if (!parseSeed(seedDigits, read.seed)) return false;
    number = read;
    return true;
}

char uniqueLetter(UniqueChoice choice) {
    switch (choice) {
    case uniqueAnyLevel:
        return 'u';
    case uniqueGentle:
        return 'g';
    case uniqueDemanding:
        return 'd';
    default:
        return 0;
    }
}

PuzzleNumberText formatPuzzleNumber(const PuzzleNumber& number) {
    PuzzleNumberText text;
    if (number.size > 0) {
        text.length = writeDecimal(static_cast<std::uint32_t>(number.size), text.chars);
        if (number.unique != uniqueOff) text.chars[text.length++] = uniqueLetter(number.unique);
        text.chars[text.length++] = '-';
    }
    text.length += writeDecimal(number.seed, text.chars + text.length);
    return text;
}

bool generateNumberedPuzzle(Board& board, RandomSource& random, const PuzzleNumber& number) {
    board.boardSize = number.size;
    random.reseed(number.seed);
    if (number.unique != uniqueOff) {
        UniqueSearch search;
        search.levels = levelsFor(number.unique);
        if (generateUniquePuzzle(board, random, search)) return true;
        random.reseed(number.seed);
    }
    generatePuzzle(board, random);
    return number.unique == uniqueOff;
}

} // namespace kelvaro
