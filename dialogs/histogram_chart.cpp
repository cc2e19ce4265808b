#include "dialogs/histogram_chart.h"

#include "dialogs/chart_pens.h"
#include "dialogs/current_slot.h"
#include "render/canvas.h"
#include "store/histogram.h"
#include "store/statistics.h"

#include <algorithm>

namespace kelvaro {

namespace {

constexpr ChartPen axisPen{chartAxisColour, 1, false};
constexpr ChartPen tickPen{chartTickColour, 2, false};
constexpr ChartPen barPen{chartBarColour, 2, false};
constexpr ChartPen lastGamePen{chartLastGameColour, 1, true};
constexpr ChartPen averagePen{chartAverageColour, 1, false};

void line(QImage& image, int x1, int y1, int x2, int y2, const ChartPen& pen) {
    drawChartLine(image, Point{x1, y1}, Point{x2, y2}, pen);
}

struct ChartScale {
    std::int64_t origin = 0;
    std::int64_t width = 1;
    std::array<std::int64_t, histogramBuckets> counts{};
    std::int64_t largest = 0;
};

// Without a record the chart is laid out as a new record of this difficulty would be.
ChartScale readScale(const HistogramText& text, int difficulty) {
    ChartScale scale;
    scale.width = histogramWidthFor(difficulty);
    const HistogramRecord record = histogramParse(text);
    if (!record.hasHeader) return scale;
    scale.origin = record.origin;
    scale.width = record.width;
    for (int k = 0; k < histogramBuckets; ++k) {
        scale.counts[k] = record.counts[k];
        scale.largest = std::max(scale.largest, scale.counts[k]);
    }
    return scale;
}

// x of a time in whole seconds, before the 4-pixel offset of the vertical axis.
std::int64_t timeX(std::int64_t seconds, const ChartScale& scale) {
    return (2 * (seconds - scale.origin)) / scale.width;
}

// Markers left of the chart would only be clipped away.
bool markerShown(std::int64_t x) {
    return x < chartMarkerLimit && x > -8;
}

void drawAxes(QImage& image) {
    line(image, 3, 0, 3, 76, axisPen);
    line(image, 2, 1, 2, 3, axisPen);
    line(image, 4, 1, 4, 3, axisPen);
    line(image, 1, 2, 1, 3, axisPen);
    line(image, 5, 2, 5, 3, axisPen);
    line(image, 0, chartAxisY, 127, chartAxisY, axisPen);
    line(image, 124, 71, 126, 71, axisPen);
    line(image, 124, 73, 126, 73, axisPen);
    line(image, 124, 70, 125, 70, axisPen);
    line(image, 124, 74, 125, 74, axisPen);
}

// A tick every whole minute: every (60 div width) buckets, under the bar before it.
void drawTicks(QImage& image, const ChartScale& scale) {
    const std::int64_t every = 60 / scale.width;
    for (int i = 2; i < histogramBuckets; ++i)
        if (i % every == 1) line(image, 2 * i + 3, 73, 2 * i + 3, 75, tickPen);
}

// Bars are scaled to the fullest bucket; a count that is not positive has no bar.
void drawBars(QImage& image, const ChartScale& scale) {
    if (scale.largest <= 0) return;
    for (int k = 0; k < histogramBuckets; ++k) {
        const std::int64_t count = scale.counts[k];
        if (count <= 0) continue;
        const int h = std::max<int>(1, static_cast<int>(count * chartAxisY / scale.largest));
        line(image, 2 * k + 5, chartAxisY, 2 * k + 5, chartAxisY - h, barPen);
    }
}

void drawAverageArrow(QImage& image, int x) {
    line(image, x + 4, 75, x + 4, 67, averagePen);
    line(image, x + 3, 75, x + 3, 72, averagePen);
    line(image, x + 5, 75, x + 5, 72, averagePen);
    line(image, x + 2, 75, x + 2, 73, averagePen);
    line(image, x + 6, 75, x + 6, 73, averagePen);
    line(image, x + 1, 75, x + 1, 74, averagePen);
    line(image, x + 7, 75, x + 7, 74, averagePen);
}

} // namespace

void paintHistogram(QImage& image, const Settings& settings, const Statistics& statistics,
                    const ChartMarks& marks) {
    const CurrentSlot slot = currentSlot(settings);
    const ChartScale scale =
        readScale(statistics.histogram[slot.player][slot.difficulty], slot.difficulty);

    fillRect(image, Rect{0, 0, chartWidth, chartHeight}, chartBackground);
    drawAxes(image);
    drawTicks(image, scale);
    drawBars(image, scale);

    if (marks.finalTime != 0 && settings.difficulty == marks.openDifficulty &&
        settings.player == marks.openPlayer) {
        const std::int64_t x = timeX(marks.finalTime / 1000, scale);
        if (markerShown(x)) {
            const int left = static_cast<int>(x) + 4;
            line(image, left, 0, left, chartAxisY, lastGamePen);
        }
    }

    // Records read from outside may hold any number of games; a count that is not positive
    // has no average.
    if (statistics.gamesPlayed[slot.player][slot.difficulty] > 0 && scale.largest != 0) {
        const std::int64_t x =
            timeX(averageSeconds(statistics, slot.player, slot.difficulty), scale);
        if (markerShown(x)) drawAverageArrow(image, static_cast<int>(x));
    }
}

} // namespace kelvaro
