// The one-bit pictures made of words: the two banners, the pause sign, the name and
// the credit line.
#include "mask.h"
#include "pictures.h"

namespace kelvaro::pictures {

QImage drawPerfectBanner() {
    // Letters white on black: the painter turns white into the banner colour.
    Mask m(65, 26);
    const QFont font = uiFont(13, true);
    text(m, QStringLiteral("Parfait!"), font, 32.5, 11);
    text(m, QStringLiteral("Perfect!"), font, 32.5, 13 + 11);
    return monoImage(m, 1);
}

QImage drawAcceptedBanner() {
    Mask m(156, 36);
    const QFont font = uiFont(13, true);
    text(m, QStringLiteral("Solution acceptée!"), font, 78, 13);
    text(m, QStringLiteral("Accepted solution!"), font, 78, 19 + 12);
    // Row 18 divides the two lines and stays blank whatever the font does.
    for (int x = 0; x < m.width; ++x) m.set(x, 18, false);
    return monoImage(m, 1);
}

QImage drawPausePicture() {
    // Drawn black on white: the painter inks the black pixels.
    Mask m(91, 15);
    rect(m, 2, 1, 4, 13);
    rect(m, 9, 1, 4, 13);
    text(m, QStringLiteral("Pause"), uiFont(14, true), 44, 12);
    polygon(m, {{76, 1}, {89, 7.5}, {76, 14}});
    return monoImage(m, 0);
}

QImage drawNamePicture() {
    Mask m(75, 13);
    text(m, QStringLiteral("Kelvaro"), uiFont(13, true), 37.5, 11);
    return monoImage(m, 0);
}

QImage drawCreditPicture() {
    Mask m(194, 18);
    text(m, QStringLiteral("a puzzle by the Kelvaro team"), uiFont(12, false), 97, 13);
    return monoImage(m, 0);
}

} // namespace kelvaro::pictures
