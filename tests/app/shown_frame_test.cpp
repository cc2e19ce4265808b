#include "app/shown_frame.h"

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

QImage frameOf(QRgb colour) {
    QImage image(24, 16, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

TEST(ShownFrame, UnknownScreenMeansEverythingChanged) {
    const QImage buffer = frameOf(qRgb(1, 2, 3));
    ShownFrame shown;
    EXPECT_EQ(changedRegion(shown, buffer, QRect(2, 3, 5, 4)), QRegion(2, 3, 5, 4));
    // A part on the screen does not make the rest known.
    markShown(shown, buffer, QRegion(0, 0, 24, 8));
    EXPECT_EQ(changedRegion(shown, buffer, buffer.rect()), QRegion(buffer.rect()));
    markShown(shown, buffer, QRegion(buffer.rect()));
    EXPECT_TRUE(changedRegion(shown, buffer, buffer.rect()).isEmpty());
}

TEST(ShownFrame, ChangedRegionIsTheDifferingSpansWithinTheArea) {
    QImage buffer = frameOf(qRgb(0, 0, 0));
    ShownFrame shown;
    markShown(shown, buffer, QRegion(buffer.rect()));
    buffer.setPixel(3, 2, qRgb(255, 0, 0));
    buffer.setPixel(9, 2, qRgb(255, 0, 0));
    buffer.setPixel(20, 12, qRgb(0, 255, 0));
    EXPECT_EQ(changedRegion(shown, buffer, buffer.rect()),
              QRegion(3, 2, 7, 1) + QRegion(20, 12, 1, 1));
    // Only what the area covers.
    EXPECT_EQ(changedRegion(shown, buffer, QRect(0, 0, 24, 10)), QRegion(3, 2, 7, 1));
    EXPECT_EQ(changedRegion(shown, buffer, QRect(5, 0, 19, 16)),
              QRegion(9, 2, 1, 1) + QRegion(20, 12, 1, 1));

    // Once shown, a part no longer differs; the rest still does.
    markShown(shown, buffer, QRegion(0, 0, 24, 10));
    EXPECT_EQ(changedRegion(shown, buffer, buffer.rect()), QRegion(20, 12, 1, 1));
}

TEST(ShownFrame, AnotherBufferSizeIsUnknownAgain) {
    const QImage small = frameOf(qRgb(0, 0, 0));
    ShownFrame shown;
    markShown(shown, small, QRegion(small.rect()));
    QImage large(48, 16, QImage::Format_RGB32);
    large.fill(qRgb(0, 0, 0));
    EXPECT_EQ(changedRegion(shown, large, large.rect()), QRegion(large.rect()));
}

} // namespace
} // namespace kelvaro
