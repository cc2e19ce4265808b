#include "pictures.h"

#include <QFontDatabase>

namespace kelvaro::pictures {

const std::vector<PictureKind>& pictureKinds() {
    static const std::vector<PictureKind> kinds{
        {114, 65, 26, 1, drawPerfectBanner},  {115, 156, 36, 1, drawAcceptedBanner},
        {118, 194, 18, 1, drawCreditPicture}, {119, 70, 70, 8, drawFlarePicture},
        {120, 240, 100, 4, drawRingTexture},  {128, 102, 17, 4, drawToolbarStrip},
        {134, 75, 13, 1, drawNamePicture},    {137, 600, 40, 1, drawGlyphAtlas},
        {144, 140, 20, 8, drawSegmentTiles},  {147, 91, 15, 1, drawPausePicture},
    };
    return kinds;
}

const std::vector<int>& iconSizes() {
    static const std::vector<int> sizes{16, 32, 48, 64, 128, 256};
    return sizes;
}

namespace {
QString regularFamily;
QString boldFamily;
} // namespace

bool registerFonts() {
    const int regular = QFontDatabase::addApplicationFont(":/fonts/DejaVuSans.ttf");
    const int bold = QFontDatabase::addApplicationFont(":/fonts/DejaVuSans-Bold.ttf");
    if (regular < 0 || bold < 0) return false;
    regularFamily = QFontDatabase::applicationFontFamilies(regular).value(0);
    boldFamily = QFontDatabase::applicationFontFamilies(bold).value(0);
    return !regularFamily.isEmpty() && !boldFamily.isEmpty();
}

QFont uiFont(int pixelSize, bool bold) {
    QFont font(bold ? boldFamily : regularFamily);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

} // namespace kelvaro::pictures
