// Checks the pictures, icons and fonts compiled into the program: each decodes with
// QImage at its size, depth and palette, and holds the drawing its users rely on.
#pragma once

namespace kelvaro::pictures {

// Prints every fault found; returns 0 when there is none, else 1.
int checkResources();

} // namespace kelvaro::pictures
