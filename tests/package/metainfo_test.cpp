// The AppStream metainfo's screenshots, which software centres show before anyone installs the
// game: the pictures kept in docs/screenshots, published on the project's host, captioned in
// both languages of the game.
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <vector>

namespace kelvaro {
namespace {

struct Screenshot {
    bool isDefault = false;
    QString englishCaption;
    QString frenchCaption;
    QString url;
    QSize size;
};

std::vector<Screenshot> metainfoScreenshots(const QString& path) {
    std::vector<Screenshot> shots;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return shots;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("screenshot")) {
            shots.push_back({});
            shots.back().isDefault =
                xml.attributes().value(QLatin1String("type")) == QLatin1String("default");
        } else if (xml.name() == QLatin1String("caption") && !shots.empty()) {
            const bool french =
                xml.attributes().value(QLatin1String("xml:lang")) == QLatin1String("fr");
            const bool english = !xml.attributes().hasAttribute(QLatin1String("xml:lang"));
            const QString text = xml.readElementText();
            if (french) shots.back().frenchCaption = text;
            if (english) shots.back().englishCaption = text;
        } else if (xml.name() == QLatin1String("image") && !shots.empty()) {
            const QXmlStreamAttributes attributes = xml.attributes();
            shots.back().size = QSize(attributes.value(QLatin1String("width")).toInt(),
                                      attributes.value(QLatin1String("height")).toInt());
            shots.back().url = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return shots;
}

TEST(Metainfo, ScreenshotsAreTheRepositoryPicturesOnTheProjectHostCaptionedInBothLanguages) {
    const std::vector<Screenshot> shots = metainfoScreenshots(
        QStringLiteral(KELVARO_SOURCE_DIR "/resources/desktop/com.dravix.Kelvaro.metainfo.xml"));
    ASSERT_GE(shots.size(), 3U);
    int defaults = 0;
    const QString host = QStringLiteral("https://kelvaro.example.org/screenshots/");
    for (const Screenshot& shot : shots) {
        SCOPED_TRACE(shot.url.toStdString());
        defaults += shot.isDefault ? 1 : 0;
        EXPECT_FALSE(shot.englishCaption.isEmpty());
        EXPECT_FALSE(shot.frenchCaption.isEmpty());
        ASSERT_TRUE(shot.url.startsWith(host));
        const QString picture =
            QStringLiteral(KELVARO_SOURCE_DIR "/docs/screenshots/") + shot.url.mid(host.size());
        ASSERT_TRUE(QFile::exists(picture));
        EXPECT_EQ(QImageReader(picture).size(), shot.size);
    }
    EXPECT_EQ(defaults, 1);
}

} // namespace
} // namespace kelvaro
