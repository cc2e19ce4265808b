// Enlarged copies of the compiled-in pictures, and a mock frame that puts them
// together the way the game shows them, for a person to look at.
#pragma once

#include <QString>

namespace kelvaro::pictures {

// Writes <id>.png for every picture and frame.png; returns 0 on success.
int writePreview(const QString& folder);

} // namespace kelvaro::pictures
