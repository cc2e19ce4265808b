// The note "Preparing a puzzle with one solution...", drawn by the shell over the presented
// picture while the game waits for its puzzle, and never into the back buffer.
#pragma once

#include "model/layout.h"

#include <QRect>
#include <string_view>

class QPainter;

namespace kelvaro {

// A band across the game area, over the middle of every board (each board's centre is at
// row 150), in buffer pixels.
constexpr Rect preparingNoteRect{10, 130, 230, 170};

// Paints the note into `box` (device pixels, `factor` device pixels per buffer pixel): a
// dark plate with a light frame, the UTF-8 text centred on it, broken into lines as needed.
// With `edged` (Clear colours) a black line runs outside the light frame, so that the frame
// stands out against whatever the board shows around it.
void paintPreparingNote(QPainter& painter, const QRect& box, int factor, std::string_view text,
                        bool edged = false);

} // namespace kelvaro
