// The histogram record: the distribution of one slot's final times as compact text.
#pragma once

#include "store/settings.h"

#include <array>
#include <cstdint>

namespace kelvaro {

constexpr int histogramBuckets = 60;

// Records written here have origin 0 and a width of 1, 3 or 9. Anything read back is held
// to these bounds, so that every caller's arithmetic on a record (bucket of a time, chart
// pixel of a time, bar height) stays inside 32 bits and never divides by zero.
constexpr std::int32_t histogramMaxWidth = 60;
constexpr std::int32_t histogramMaxOrigin = 3'000'000; // seconds; beyond any 32-bit duration
constexpr std::int32_t histogramMaxCount = 10'000'000;

struct HistogramRecord {
    bool hasHeader = false;
    std::int32_t origin = 0; // seconds at which bucket 0 starts
    std::int32_t width = 0;  // seconds per bucket, 1..60 when there is a header
    std::array<std::int32_t, histogramBuckets> counts{}; // each 0..histogramMaxCount
};

// Bucket width of a record started for this difficulty: 1 easy, 3 medium, 9 hard.
std::int32_t histogramWidthFor(int difficulty);

// Reads the text up to its zero byte, and never beyond its 500 bytes. A header whose width
// is outside 1..60, whose origin is outside +-3,000,000, or that lacks its second ';' is no
// header; negative counts read as 0 and huge ones as histogramMaxCount.
HistogramRecord histogramParse(const HistogramText& text);

// Counts one final time (milliseconds, penalties included) and rewrites the text in place.
// difficulty only picks the width when the record has no header yet.
void histogramAdd(HistogramText& text, std::int32_t finalTime, int difficulty);

// Estimated most frequent final time in milliseconds, never below 0; 0 without a header.
std::int32_t histogramPeak(const HistogramText& text);

// Writes text (at most 499 characters) as a record, zero-filling the rest.
void setHistogramText(HistogramText& record, const char* text);

} // namespace kelvaro
