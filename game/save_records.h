// Saving the settings and records, and telling the player when that fails.
#pragma once

#include "game/game_world.h"

namespace kelvaro {

// Saves the settings and records. When the save fails, they stay the truth in memory until
// a later save succeeds (world.saving.pending), and the player learns it once a run, in a
// message box with the system's reason and the file's path; a settings file that was set
// aside because it held no settings is told once too.
void saveRecords(GameWorld& world);

} // namespace kelvaro
