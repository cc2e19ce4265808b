#include "app/sharp_icon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <utility>

namespace kelvaro {

namespace {

class SharpIconEngine final : public QIconEngine {
  public:
    explicit SharpIconEngine(QImage imageIn) : image(std::move(imageIn)) {}

    // size is in device pixels: QIcon asks for the size times the display's density.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const QPixmap scaled =
            QPixmap::fromImage(image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        if (mode != QIcon::Disabled) return scaled;
        // Greyed out the way the style greys every other icon.
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, scaled, &option);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatio();
        QPixmap shown = pixmap(rect.size() * ratio, mode, state);
        shown.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect.topLeft(), shown);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }

    QIconEngine* clone() const override { return new SharpIconEngine(image); }

  private:
    QImage image;
};

} // namespace

QIcon sharpIcon(const QImage& image) {
    return QIcon(new SharpIconEngine(image));
}

} // namespace kelvaro
