// The command ids of the menu and the toolbar, and the menu's texts in both languages.
#pragma once

#include <array>

namespace kelvaro {

enum CommandId : int {
    commandExit = 40001,
    commandAbout = 40003,
    commandOptions = 40004,
    commandNewGame = 40005,
    commandShowSolution = 40007,
    commandLearnRules = 40008,
    toolbarLearnRules = 40009,
    toolbarOptions = 40010,
    toolbarNewGame = 40011,
    toolbarPause = 40012,
    commandHint = 40013,
    toolbarHint = 40014,
    commandPause = 40015,
    toolbarShowSolution = 40016,
    // The Puzzle menu.
    commandUndo = 40101,
    commandRedo = 40102,
    commandRestart = 40103,
    commandPlayByNumber = 40104,
    commandCopyNumber = 40105,
    commandPuzzleNumber = 40106,  // shows the number; never enabled
    commandUniquePuzzles = 40107, // checkable: new games have puzzles with one solution
    commandPrint = 40108,         // the puzzle on paper
    // The reasoning a unique puzzle needs, in a submenu of its own.
    commandUniqueReasoning = 40120, // the submenu's item
    commandUniqueAnyLevel = 40121,
    commandUniqueGentle = 40122,
    commandUniqueDemanding = 40123,
    // The View menu.
    commandClearColours = 40201, // checkable: the board in colours every eye reads
    commandKeepGame = 40109,     // checkable: the unfinished game is kept between runs
};

struct MenuItem {
    int commandId;
    const char* text;   // the resource text, which is English
    const char* french; // nullptr: the item keeps its resource text in every language
};

constexpr const char* menuTitle = "Menu"; // never translated

// Menu 128's one pop-up, in position order.
constexpr std::array<MenuItem, 8> menuItems{{
    {commandNewGame, "New Game", "Nouvelle partie"},
    {commandPause, "Pause", nullptr},
    {commandHint, "Hint", "Suggestion"},
    {commandShowSolution, "Show solution", "Donner la solution"},
    {commandLearnRules, "Learn rules", "Apprentissage"},
    {commandOptions, "Options", nullptr},
    {commandAbout, "About", "A propos"},
    {commandExit, "Exit", "Quitter"},
}};

// Toolbar 128: 0 is the separator. Button i shows image i of picture 128.
constexpr std::array<int, 7> toolbarEntries{toolbarLearnRules, toolbarOptions, 0,
                                            toolbarNewGame,    toolbarHint,    toolbarShowSolution,
                                            toolbarPause};

constexpr int toolbarButtonPixels = 17;

// String resources: the frame's title until start-up names it, and command 40012's text.
constexpr const char* initialTitle = "generic";
constexpr const char* programTitle = "Kelvaro";
constexpr const char* pauseButtonText = "Pause";
constexpr const char* versionText = "1.1";

} // namespace kelvaro
