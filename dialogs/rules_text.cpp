#include "dialogs/rules_text.h"

namespace kelvaro {

namespace {

// The sentence about the home page follows the previous full stop without a blank, as the
// texts have always been laid out.
const char englishRules[] =
    "Link the symbols with the right number of cells.\r\n-no crossing\r\n-no empty cell\r\n\r\n"
    "You may ask for help and reveal one line, but it costs 15 seconds per cell.\r\n\r\n"
    "This version automatically computes grids. An easier version is Nemolt, where there is no "
    "length constraint."
    "More about Kelvaro on its home page, %1."
    "\r\n\r\nTry to finish the next example!";

const char frenchRules[] =
    "Reliez les symboles identiques avec le bon nombre de cases.\r\n- pas de croisement\r\n"
    "- pas de case vide\r\n\r\n"
    "Si vous demandez de l'aide, une ligne sera révélée au coût de 15 secondes par case.\r\n\r\n"
    "Cette version génère automatiquement les problèmes à l'infini. Nemolt est plus simple car "
    "il n'y a pas de contrainte de longueur."
    "Pour en savoir plus, voyez la page d'accueil de Kelvaro, %1."
    "\r\nEssayez de finir l'example suivant!";

} // namespace

QString rulesFor(std::int32_t language) {
    return QString::fromUtf8(language == 0 ? englishRules : frenchRules)
        .arg(QLatin1String(homePageAddress));
}

} // namespace kelvaro
