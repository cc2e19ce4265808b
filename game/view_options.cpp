#include "game/view_options.h"

#include "game/lifecycle.h"
#include "game/save_records.h"

namespace kelvaro {

void toggleClearColours(GameWorld& world) {
    // A command ends the splash, as every menu command does; the board then shows at once.
    endSplash(world);
    world.settings.clearColours = world.settings.clearColours == 1 ? 0 : 1;
    saveRecords(world);
    requestWholeRepaint(world);
}

} // namespace kelvaro
