// Enlarged copies of the compiled-in pictures, for a person to look at. Whole frames as the
// game paints them come from kelvaro-scenes, which runs the real painters.
#pragma once

#include <QString>

namespace kelvaro::pictures {

// Writes <id>.png for every picture; returns 0 on success.
int writePreview(const QString& folder);

} // namespace kelvaro::pictures
