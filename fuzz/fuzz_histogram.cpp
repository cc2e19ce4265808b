// Any 500 bytes as a histogram record, with any final time and difficulty: parsing stays in
// bounds, the peak is never negative, and adding a time counts it in the right bucket.
#include "store/histogram.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

using namespace kelvaro;

void require(bool condition) {
    if (!condition) std::abort();
}

bool sane(const HistogramRecord& record) {
    if (!record.hasHeader) return true;
    if (record.width < 1 || record.width > histogramMaxWidth) return false;
    return std::all_of(record.counts.begin(), record.counts.end(),
                       [](std::int32_t c) { return c >= 0 && c <= histogramMaxCount; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    const int difficulty = static_cast<std::int8_t>(data[0]);
    std::int32_t finalTime = 0;
    std::memcpy(&finalTime, data + 1, 4);
    // The record may fill all 500 bytes without a zero byte.
    HistogramText text{};
    std::memcpy(text.data(), data + 5, std::min(size - 5, text.size()));

    const HistogramRecord before = histogramParse(text);
    require(sane(before));
    require(histogramPeak(text) >= 0);

    histogramAdd(text, finalTime, difficulty);
    const auto* zero = static_cast<const char*>(std::memchr(text.data(), 0, text.size()));
    require(zero != nullptr && zero - text.data() <= histogramBytes - 1);
    const HistogramRecord after = histogramParse(text);
    require(after.hasHeader && sane(after));
    require(histogramPeak(text) >= 0);

    HistogramRecord expected = before;
    if (!before.hasHeader) {
        expected.origin = 0;
        expected.width = histogramWidthFor(difficulty);
        expected.counts.fill(0);
    }
    require(after.origin == expected.origin && after.width == expected.width);
    const std::int64_t bucket = (std::int64_t{finalTime} / 1000 - expected.origin) / expected.width;
    auto& counted =
        expected.counts[static_cast<std::size_t>(std::clamp<std::int64_t>(bucket, 0, 59))];
    counted = std::min(counted + 1, histogramMaxCount);
    // Pieces that no longer fit are dropped from the end, never from the middle.
    bool dropped = false;
    for (std::size_t i = 0; i < expected.counts.size(); ++i) {
        if (after.counts[i] != expected.counts[i]) {
            require(after.counts[i] == 0 && i > 0);
            dropped = true;
        } else if (dropped) {
            require(after.counts[i] == 0);
        }
    }
    return 0;
}
