// What the window shows of the back buffer, so that a paint copies (and scales) only the
// pixels that differ from it. Copying the whole 240 x 270 frame at a desktop's scale costs
// several times more than composing it.
#pragma once

#include <QImage>
#include <QRegion>

namespace kelvaro {

struct ShownFrame {
    QImage pixels; // buffer-sized copy of what was presented; null: nothing is known
};

// Whether shown holds the whole picture on the screen, for a buffer of this size and format.
bool knowsWholePicture(const ShownFrame& shown, const QImage& buffer);

// The parts of area (buffer pixels) where buffer differs from what is shown. All of area when
// nothing is known yet or the sizes differ.
QRegion changedRegion(const ShownFrame& shown, const QImage& buffer, const QRect& area);

// Records that area of buffer is now on the screen.
void markShown(ShownFrame& shown, const QImage& buffer, const QRegion& area);

} // namespace kelvaro
