// The font of the two statistics boxes. The boxes keep their template size in dialog units;
// their text takes the largest and widest font, no larger than the dialog's, in which the
// longest texts they can hold fit whole: six lines high, as wide as the labels of either
// language and the values at their realistic limits.
#pragma once

#include <QFont>
#include <QSizeF>
#include <QStringList>

namespace kelvaro {

// The six labels of both languages.
QStringList statisticsLabelsOfBothLanguages();

// The six values at their realistic limits: counts of games and penalty cells up to
// 10,000,000; best, average and peak times up to the longest recorded game plus 144 penalty
// cells; the time spent up to the largest the record holds, 2^31 ms.
QStringList longestStatisticsValues();

// Room for texts: each must fit on one line of the room's width, and lines of them one
// under the other within its height.
struct TextRoom {
    QSizeF size;
    QStringList texts;
    int lines = 1;
};

// font itself when everything fits in it; otherwise, from its pixel size down, the first size
// that fits every room at full width or narrowed to 90% or 80% (the smallest and narrowest
// tried when none does).
QFont fittedFont(const QFont& font, const QList<TextRoom>& rooms);

} // namespace kelvaro
