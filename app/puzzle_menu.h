// The Puzzle menu, after "Menu": undo and redo, restart, play by number, copy the number, print,
// and the number itself. Its texts follow the language like the rest of the command bar.
#pragma once

#include "app/commands.h"
#include "game/game_world.h"

#include <array>
#include <map>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace kelvaro {

struct PuzzleMenuItem {
    int commandId; // 0: a separator
    const char* text;
    const char* french;
};

constexpr const char* puzzleMenuTitle = "Puzzle";
constexpr const char* puzzleMenuTitleFrench = "Grille";
// The number item's text while the Learn rules example is on the board.
constexpr const char* exampleItemText = "Example";
constexpr const char* exampleItemTextFrench = "Exemple";

// In position order. The number item's text is made from the puzzle on the board; the items
// after the last separator are options, checked while they are on, and the Reasoning submenu of
// the Unique puzzles option.
constexpr std::array<PuzzleMenuItem, 12> puzzleMenuItems{{
    {commandUndo, "Undo", "Annuler"},
    {commandRedo, "Redo", "Rétablir"},
    {0, nullptr, nullptr},
    {commandRestart, "Restart this puzzle", "Recommencer cette grille"},
    {commandPlayByNumber, "Play a puzzle by number...", "Jouer une grille par son numéro..."},
    {commandCopyNumber, "Copy puzzle number", "Copier le numéro de la grille"},
    {commandPrint, "Print...", "Imprimer..."},
    {commandPuzzleNumber, "Puzzle", "Grille"},
    {0, nullptr, nullptr},
    {commandUniquePuzzles, "Unique puzzles", "Grilles à solution unique"},
    {commandUniqueReasoning, "Reasoning", "Raisonnement"},
    {commandKeepGame, "Keep unfinished game", "Garder la partie en cours"},
}};

// The Reasoning submenu: how hard the reasoning a unique puzzle needs may be. Choosing one turns
// Unique puzzles on; the one chosen is checked while the option is on.
constexpr std::array<PuzzleMenuItem, 3> reasoningMenuItems{{
    {commandUniqueAnyLevel, "Any level", "Tous niveaux"},
    {commandUniqueGentle, "Gentle: no look-ahead", "Douce : sans anticipation"},
    {commandUniqueDemanding, "Demanding: look-ahead needed", "Exigeante : anticipation requise"},
}};

// Follows the number in the number item when the puzzle is unique: "Puzzle 12u-77, level 3".
constexpr const char* levelItemText = ", level ";
constexpr const char* levelItemTextFrench = ", niveau ";

// Adds the menu to the bar; its actions (keys working while the menu is closed) go into
// `actions` by command id and onto `keyOwner`.
QMenu* createPuzzleMenu(QMenuBar& bar, QWidget& keyOwner, std::map<int, QAction*>& actions);

// Texts, the number, what is enabled and the option's check, as the game now stands.
void updatePuzzleMenu(QMenu& menu, const std::map<int, QAction*>& actions, const GameWorld& world);

} // namespace kelvaro
