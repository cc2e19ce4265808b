#include "app/preparing_note.h"

#include <QFont>
#include <QPainter>
#include <QString>

namespace kelvaro {

namespace {

constexpr QRgb notePlate = 0xFF202020;
constexpr QRgb noteInk = 0xFFFFFFFF;
constexpr QRgb noteEdge = 0xFF000000;
constexpr int noteTextBufferPixels = 11;
constexpr int noteMarginBufferPixels = 4;

} // namespace

void paintPreparingNote(QPainter& painter, const QRect& outer, int factor, std::string_view text,
                        bool edged) {
    // Opaque, so that painting it again over itself never changes a pixel.
    if (edged) painter.fillRect(outer, QColor::fromRgb(noteEdge));
    const QRect box = edged ? outer.adjusted(factor, factor, -factor, -factor) : outer;
    painter.fillRect(box, QColor::fromRgb(noteInk));
    painter.fillRect(box.adjusted(factor, factor, -factor, -factor), QColor::fromRgb(notePlate));
    QFont font = painter.font();
    font.setPixelSize(noteTextBufferPixels * factor);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(noteInk));
    const int margin = noteMarginBufferPixels * factor;
    painter.drawText(box.adjusted(margin, margin, -margin, -margin),
                     Qt::AlignCenter | Qt::TextWordWrap,
                     QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

} // namespace kelvaro
