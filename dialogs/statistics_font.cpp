#include "dialogs/statistics_font.h"

#include "dialogs/statistics_text.h"
#include "store/time_text.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <cstdint>
#include <limits>

namespace kelvaro {

namespace {

// A game longer than this is never recorded, and a game has at most 144 penalty cells.
constexpr std::uint32_t longestRecordedTimeMs = 10'000'000 + 144 * 15'000;
constexpr int largestCount = 10'000'000;
// Below this the texts could no longer be read; the boxes are meant for far larger.
constexpr int smallestPixelSize = 6;

QString timeString(std::uint32_t milliseconds) {
    return QString::fromStdString(timeTextUtf8(milliseconds));
}

bool fitsEveryRoom(const QFont& font, const QList<TextRoom>& rooms) {
    const QFontMetricsF metrics(font);
    for (const TextRoom& room : rooms) {
        if (room.lines * metrics.lineSpacing() > room.size.height()) return false;
        for (const QString& text : room.texts)
            if (metrics.horizontalAdvance(text) > room.size.width()) return false;
    }
    return true;
}

} // namespace

QStringList statisticsLabelsOfBothLanguages() {
    QStringList labels;
    for (std::int32_t language : {0, 1}) {
        Settings settings;
        settings.language = language;
        labels += statisticsTexts(settings, Statistics{}).labelsText.split(QStringLiteral("\r\n"));
    }
    return labels;
}

QStringList longestStatisticsValues() {
    const QString count = QString::number(largestCount);
    const QString time = timeString(longestRecordedTimeMs);
    const QString timeSpent =
        timeString(static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()));
    return {count, time, time, time, count, timeSpent};
}

QFont fittedFont(const QFont& font, const QList<TextRoom>& rooms) {
    if (fitsEveryRoom(font, rooms)) return font;
    // A narrower face first, as long as it stays easy to read; only then a smaller one.
    QFont fitted = font;
    for (int size = QFontInfo(font).pixelSize(); size >= smallestPixelSize; --size) {
        fitted.setPixelSize(size);
        for (int stretch : {100, 90, 80}) {
            fitted.setStretch(stretch);
            if (fitsEveryRoom(fitted, rooms)) return fitted;
        }
    }
    return fitted;
}

} // namespace kelvaro
