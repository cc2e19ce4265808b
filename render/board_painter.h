// The paint handler of the main window: composes the status strip and the board in the back
// buffer and tells the window which part of it to show.
#pragma once

#include "engine/board.h"
#include "model/game_state.h"
#include "model/tick_source.h"
#include "render/back_buffer.h"
#include "model/layout.h"
#include "store/settings.h"

#include <functional>

namespace kelvaro {

// Draws one splash frame into the buffer (which may be absent: the splash still counts the
// paint) and returns the area to present.
using SplashPainter = std::function<Rect(BackBuffer&)>;

// The positions of the fixed pictures and the tile size of the board.
constexpr Point pausePicturePlace{75, 100};
constexpr Point perfectBannerPlace{90, 13};
constexpr Point acceptedBannerPlace{40, 13};

// Composes one frame as state.repaintMode asks: 1 the whole frame, 0 the status strip and
// the current, previous and partner cells, 2 the status strip alone. Reads the tick count
// into state.nowTick while playing and changes nothing else. While state.splashTick is set
// the frame belongs to paintSplash. Returns the area of the buffer the window must show: the
// whole buffer, the status strip, or an empty area when nothing was drawn.
Rect onPaint(BackBuffer& buffer, GameState& state, const Board& board, const Settings& settings,
             const Statistics& statistics, TickSource& ticks,
             const SplashPainter& paintSplash = {});

// Which segment tile shows a cell code: 0 for empty cells, endpoints and unknown codes.
int segmentTileFor(int code);

// The colour a cell's glyph or bars take: traced over revealed over error over normal.
Colour cellColour(const Board& board, const Settings& settings, int x, int y);

} // namespace kelvaro
