// The View menu, after "Puzzle": how the board looks. Its texts follow the language like the
// rest of the command bar.
#pragma once

#include "app/commands.h"
#include "game/game_world.h"

#include <map>

class QAction;
class QMenu;
class QMenuBar;

namespace kelvaro {

constexpr const char* viewMenuTitle = "View";
constexpr const char* viewMenuTitleFrench = "Affichage";
constexpr const char* clearColoursText = "Clear colours";
constexpr const char* clearColoursTextFrench = "Couleurs contrastées";

// Adds the menu to the bar; its one item, an option, goes into `actions` by command id.
QMenu* createViewMenu(QMenuBar& bar, std::map<int, QAction*>& actions);

// Texts in the language and the option's check, as the settings now stand.
void updateViewMenu(QMenu& menu, const std::map<int, QAction*>& actions, const GameWorld& world);

} // namespace kelvaro
