#include "game/save_records.h"

#include "game/game_texts.h"
#include "store/settings_store.h"

#include <string>

namespace kelvaro {

namespace {

constexpr std::string_view saveCaption = "Kelvaro";

std::string saveFailedText(std::int32_t language, const SaveReport& report) {
    const std::string where = report.reason + "\r\n" + report.location + "\r\n\r\n";
    return isFrench(language) ? "Les résultats n'ont pas pu être enregistrés.\r\n\r\n" + where +
                                    "Ils sont gardés tant que Kelvaro reste ouvert, et la "
                                    "prochaine sauvegarde réussie les écrira tous."
                              : "The records could not be saved.\r\n\r\n" + where +
                                    "They are kept while Kelvaro stays open, and the next save "
                                    "that succeeds writes them all.";
}

std::string setAsideText(std::int32_t language, const SaveReport& report) {
    if (isFrench(language))
        return "Le fichier " + report.location +
               " ne contenait pas de réglages. Il a été mis de côté sous le nom\r\n" +
               report.setAside + (report.saved ? "\r\net un nouveau fichier a été écrit." : "");
    return "The file " + report.location + " held no settings. It was set aside as\r\n" +
           report.setAside + (report.saved ? "\r\nand a fresh file was written." : "");
}

} // namespace

void saveRecords(GameWorld& world) {
    const SaveReport report = saveSettings(world.settings, world.statistics, world.registry);
    world.saving.pending = !report.saved;
    const std::int32_t language = world.settings.language;
    if (!report.setAside.empty() && !world.saving.setAsideTold) {
        world.saving.setAsideTold = true;
        world.window.messageBox(setAsideText(language, report), saveCaption, buttonsOk);
    }
    if (!report.saved && !world.saving.failureTold) {
        world.saving.failureTold = true;
        world.window.messageBox(saveFailedText(language, report), saveCaption, buttonsOk);
    }
}

} // namespace kelvaro
