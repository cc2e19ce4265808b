#include "store/histogram.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstddef>
#include <cstring>
#include <limits>
#include <string_view>

namespace kelvaro {

namespace {

// The text of a record: up to its zero byte, or all 500 bytes when it has none.
std::string_view recordText(const HistogramText& text) {
    const void* zero = std::memchr(text.data(), 0, text.size());
    const std::size_t length =
        zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - text.data()) : text.size();
    return {text.data(), length};
}

std::int64_t clampWide(std::int64_t value, std::int64_t low, std::int64_t high) {
    return std::min(std::max(value, low), high);
}

// Reads a decimal number as "%d" does: leading blanks, an optional sign, digits. The value
// saturates far outside the 32-bit range instead of overflowing, so callers can reject it.
bool readNumber(std::string_view text, std::size_t& pos, std::int64_t& value) {
    std::size_t at = pos;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    if (at >= text.size() || !std::isdigit(static_cast<unsigned char>(text[at]))) return false;
    constexpr std::int64_t ceiling = std::int64_t{1} << 40;
    std::int64_t magnitude = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
        magnitude = std::min(magnitude * 10 + (text[at] - '0'), ceiling);
        ++at;
    }
    value = negative ? -magnitude : magnitude;
    pos = at;
    return true;
}

void appendNumber(char* out, std::size_t& length, std::int32_t value) {
    auto result = std::to_chars(out + length, out + length + 12, value);
    length = static_cast<std::size_t>(result.ptr - out);
}

} // namespace

std::int32_t histogramWidthFor(int difficulty) {
    if (difficulty == 1) return 3;
    if (difficulty == 2) return 9;
    return 1;
}

HistogramRecord histogramParse(const HistogramText& text) {
    HistogramRecord record;
    const std::string_view all = recordText(text);
    std::size_t pos = 0;
    std::int64_t origin = 0;
    std::int64_t width = 0;
    if (!readNumber(all, pos, origin)) return record;
    if (pos >= all.size() || all[pos] != ';') return record;
    ++pos;
    if (!readNumber(all, pos, width)) return record;
    if (width < 1 || width > histogramMaxWidth) return record;
    if (origin < -histogramMaxOrigin || origin > histogramMaxOrigin) return record;
    // The counts begin after the second ';' of the text, wherever it stands.
    const std::size_t first = all.find(';');
    const std::size_t second = all.find(';', first + 1);
    if (second == std::string_view::npos) return record;

    record.hasHeader = true;
    record.origin = static_cast<std::int32_t>(origin);
    record.width = static_cast<std::int32_t>(width);
    pos = second + 1;
    for (std::int32_t& count : record.counts) {
        if (all.size() - pos < 2) break;
        std::size_t at = pos;
        std::int64_t value = 0;
        if (readNumber(all, at, value)) {
            count = static_cast<std::int32_t>(clampWide(value, 0, histogramMaxCount));
        }
        const std::size_t end = all.find(';', pos);
        if (end == std::string_view::npos) break;
        pos = end + 1;
    }
    return record;
}

void histogramAdd(HistogramText& text, std::int32_t finalTime, int difficulty) {
    HistogramRecord record = histogramParse(text);
    if (!record.hasHeader) {
        record.origin = 0;
        record.width = histogramWidthFor(difficulty);
        record.counts.fill(0);
    }
    // A time before the origin, only possible in a record from outside, counts in bucket 0.
    const std::int64_t bucket = (std::int64_t{finalTime} / 1000 - record.origin) / record.width;
    std::int32_t& count = record.counts[static_cast<std::size_t>(clampWide(bucket, 0, 59))];
    count = std::min(count + 1, histogramMaxCount);

    int used = 1;
    for (int i = histogramBuckets - 1; i >= 1; --i) {
        if (record.counts[static_cast<std::size_t>(i)] != 0) {
            used = i + 1;
            break;
        }
    }

    HistogramText out{};
    std::size_t length = 0;
    appendNumber(out.data(), length, record.origin);
    out[length++] = ';';
    appendNumber(out.data(), length, record.width);
    out[length++] = ';';
    for (int i = 0; i < used; ++i) {
        char piece[16];
        std::size_t pieceLength = 0;
        appendNumber(piece, pieceLength, record.counts[static_cast<std::size_t>(i)]);
        piece[pieceLength++] = ';';
        if (length + pieceLength >= histogramBytes) break;
        std::memcpy(out.data() + length, piece, pieceLength);
        length += pieceLength;
    }
    text = out;
}

std::int32_t histogramPeak(const HistogramText& text) {
    const HistogramRecord record = histogramParse(text);
    if (!record.hasHeader) return 0;
    std::size_t a = 0;
    std::int32_t best = 0;
    for (std::size_t i = 0; i < record.counts.size(); ++i) {
        if (record.counts[i] > best) {
            best = record.counts[i];
            a = i;
        }
    }
    const std::int64_t width = record.width;
    const std::int64_t base = 1000 * (record.origin + static_cast<std::int64_t>(a) * width);
    // Counts are never negative, so the larger of dl and dr is positive whenever they differ.
    const std::int64_t dl = a > 0 ? std::int64_t{record.counts[a]} - record.counts[a - 1] : 0;
    const std::int64_t dr = a < 59 ? std::int64_t{record.counts[a]} - record.counts[a + 1] : 0;
    std::int64_t peak = base;
    if (dl > dr) peak = base + ((dl - dr) * width * 500) / dl;
    if (dl < dr) peak = base - ((dr - dl) * width * 500) / dr;
    // Below 0 the unsigned clock text would read about 1193 hours.
    return static_cast<std::int32_t>(clampWide(peak, 0, std::numeric_limits<std::int32_t>::max()));
}

void setHistogramText(HistogramText& record, const char* text) {
    record.fill(0);
    const std::size_t length = std::string_view(text).substr(0, histogramBytes - 1).size();
    std::memcpy(record.data(), text, length);
}

} // namespace kelvaro
