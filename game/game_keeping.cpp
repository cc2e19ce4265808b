#include "game/game_keeping.h"

#include "game/keeping_texts.h"
#include "game/kept_game_board.h"
#include "game/lifecycle.h"
#include "game/save_records.h"
#include "game/unique_puzzles.h"
#include "store/kept_game.h"

namespace kelvaro {

namespace {

void tellOnce(GameWorld& world, const std::string& text) {
    if (world.keeping.failureTold) return;
    world.keeping.failureTold = true;
    world.window.messageBox(text, keepingCaption, buttonsOk);
}

void setAsideDamaged(GameWorld& world) {
    const SaveReport report = world.keeping.store->setAside();
    const std::string failure = report.reason + "\r\n" + report.location;
    world.window.messageBox(keptGameDamagedText(world.settings.language, report.setAside, failure),
                            keepingCaption, buttonsOk);
}

// The game's text written, unless it is what the last write wrote and `skipSame` says that is
// enough: a tap that changed nothing need not touch the disk. A step's write (`soon`) never
// waits for the disk; at close, pause or a signal the write is done before this returns.
bool writeGame(GameWorld& world, bool quietly, bool skipSame, bool soon) {
    if (!keepingGames(world) || !gameWorthKeeping(world)) return false;
    GameKeeping& keeping = world.keeping;
    keeping.due = false;
    keeping.lastWriteTick = world.window.tickCount();
    keeping.written = true;
    std::string text = formatKeptGame(captureKeptGame(world));
    if (skipSame && text == keeping.lastText) return true;
    const SaveReport report = soon ? keeping.store->writeSoon(text) : keeping.store->write(text);
    if (!report.saved) {
        keeping.lastText.clear();
        if (!quietly)
            tellOnce(world,
                     keepFailedText(world.settings.language, report.location, report.reason));
        return false;
    }
    keeping.lastText = std::move(text);
    return true;
}

} // namespace

bool keepingGames(const GameWorld& world) {
    return world.settings.keepGame == 1 && world.keeping.store != nullptr;
}

bool gameWorthKeeping(const GameWorld& world) {
    const GameState& state = world.state;
    return state.exampleMode == 0 && !preparingPuzzle(world) && state.tapCount > 0 &&
           state.startTick != 0 &&
           (state.gamePhase == phasePlaying || state.gamePhase == phasePaused);
}

bool keepGameNow(GameWorld& world, bool quietly) {
    return writeGame(world, quietly, false, false);
}

void keepAfterStep(GameWorld& world) {
    if (!keepingGames(world) || !gameWorthKeeping(world)) return;
    const std::uint32_t now = world.window.tickCount();
    if (!world.keeping.written || now - world.keeping.lastWriteTick >= keepIntervalMs) {
        writeGame(world, false, true, true);
    } else {
        world.keeping.due = true;
    }
}

void keepIfDue(GameWorld& world) {
    if (!world.keeping.due) return;
    if (world.window.tickCount() - world.keeping.lastWriteTick < keepIntervalMs) return;
    writeGame(world, false, true, true);
}

void forgetKeptGame(GameWorld& world) {
    if (!keepingGames(world)) return;
    world.keeping.due = false;
    world.keeping.lastText.clear();
    world.keeping.store->remove();
}

bool resumeKeptGame(GameWorld& world) {
    if (!keepingGames(world)) return false;
    const KeptRead read = world.keeping.store->read();
    switch (read.state) {
    case KeptFileState::missing:
        return false;
    case KeptFileState::notAFile:
        world.keeping.failureTold = true;
        world.window.messageBox(keptGameNotAFileText(world.settings.language,
                                                     world.keeping.store->location(), read.reason),
                                keepingCaption, buttonsOk);
        return false;
    case KeptFileState::unreadable:
        setAsideDamaged(world);
        return false;
    case KeptFileState::present:
        break;
    }
    KeptGame kept;
    if (parseKeptGame(read.text, kept) == KeptGameParse::ok && restoreKeptGame(world, kept)) {
        world.keeping.lastText = read.text;
        return true;
    }
    setAsideDamaged(world);
    return false;
}

bool keepGameAtClose(GameWorld& world) {
    if (!keepingGames(world) || !gameWorthKeeping(world)) return false;
    if (!keepGameNow(world)) return false;
    stopWindowTimer(world);
    return true;
}

void toggleKeepGame(GameWorld& world) {
    endSplash(world);
    world.settings.keepGame = world.settings.keepGame == 1 ? 0 : 1;
    saveRecords(world);
    if (world.keeping.store == nullptr) return;
    if (world.settings.keepGame == 1) {
        keepGameNow(world);
    } else {
        world.keeping.due = false;
        world.keeping.lastText.clear();
        world.keeping.store->remove();
    }
}

} // namespace kelvaro
