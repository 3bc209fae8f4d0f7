// Fuzz target: a whole figure text, transcribed in memory as the command line does, then read
// again and turned into the scene the desktop program draws. Every expected failure is an
// Erreur_trazel; anything else escapes and is reported as a crash.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calc/conversion_chaines.h"
#include "latex/scene.h"
#include "lecture/transcription.h"
#include "model/erreurs.h"
#include "model/figure.h"

namespace {

// Larger texts only slow the search down: a figure's faults show in a few lines.
constexpr std::size_t taille_maximale_entree = 64 * 1024;

void Transcrire(std::string_view octets, trazel::TForm2& form2)
{
    std::vector<trazel::TLigne_ignoree> ignorees;
    try {
        trazel::Transcrire_texte(octets, "essai.fgr", form2, {}, &ignorees);
    } catch (const trazel::Erreur_trazel&) {
    }
}

// The desktop program's reading: the same text, then the scene of what could be computed.
void Dessiner(std::string_view octets, trazel::TForm2& form2)
{
    try {
        form2.Reinitialiser();
        trazel::TFigure figure;
        trazel::TEtape* premiere = trazel::Lire_texte_figure(octets, "essai.fgr", figure, form2);
        trazel::Scene_de_la_figure(premiere, figure, form2, {});
    } catch (const trazel::Erreur_trazel&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille)
{
    if (taille > taille_maximale_entree)
        return -1; // not added to the corpus
    const std::string_view octets(reinterpret_cast<const char*>(donnees), taille);
    trazel::TForm2 form2;
    form2.separateur_decimal('.');
    Transcrire(octets, form2);
    Dessiner(octets, form2);
    return 0;
}
