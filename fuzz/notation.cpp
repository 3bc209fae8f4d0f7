// Fuzz target: the conversion of figure notation (implicit products, distances written as two
// point names) and its evaluation, with a few points, variables and user functions. The first
// line is the text; a second line, when present, is first defined as the body of a user
// function "h" of parameter "t". Both decimal separators are tried. Every expected failure
// is an Erreur_trazel; anything else escapes and is reported as a crash.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calc/conversion_chaines.h"
#include "model/erreurs.h"
#include "model/figure.h"

namespace {

constexpr std::size_t taille_maximale_entree = 16 * 1024;

// Point names that start one another ("A", "A1", "AB"), so that the longest-prefix rule
// and the coincident points of a distance are reached.
struct TPoints_essai {
    std::array<trazel::Tpoint, 6> points{{{.nom = "A", .x = 0, .y = 0},
                                          {.nom = "B", .x = 3, .y = 4},
                                          {.nom = "C", .x = -1, .y = 2},
                                          {.nom = "A1", .x = 1, .y = 1},
                                          {.nom = "AB", .x = 0, .y = 0},
                                          {.nom = "M", .x = 1e300L, .y = -1e300L}}};
    trazel::TListe_points liste;
    TPoints_essai()
    {
        for (trazel::Tpoint& p : points)
            liste.push_back(&p);
    }
    // The list points into this object.
    TPoints_essai(const TPoints_essai&) = delete;
    TPoints_essai& operator=(const TPoints_essai&) = delete;
};

void Essayer(std::string texte, std::string_view corps, char separateur,
             const trazel::TListe_points& points)
{
    trazel::TForm2 form2;
    form2.separateur_decimal(separateur);
    form2.Ajouter_variable("a", 2);
    form2.Ajouter_variable("k", -0.5L);
    form2.Ajouter_variable("x1", 1e-30L);
    try {
        form2.Ajouter_fonction("f", "x^2", points, 1, "x");
        if (!corps.empty())
            form2.Ajouter_fonction("h", std::string(corps), points, 2, "t");
    } catch (const trazel::Erreur_trazel&) {
    }
    try {
        std::string converti = texte;
        form2.Convertir_notation(converti, points, 1);
    } catch (const trazel::Erreur_trazel&) {
    }
    try {
        form2.Evaluer_expression(std::move(texte), points, 0.5L);
    } catch (const trazel::Erreur_trazel&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille)
{
    if (taille > taille_maximale_entree)
        return -1;
    const TPoints_essai points;
    const std::string_view texte(reinterpret_cast<const char*>(donnees), taille);
    const std::size_t fin = std::min(texte.find('\n'), texte.size());
    const std::string_view reste = texte.substr(std::min(fin + 1, texte.size()));
    const std::string_view corps = reste.substr(0, std::min(reste.find('\n'), reste.size()));
    Essayer(std::string(texte.substr(0, fin)), corps, '.', points.liste);
    Essayer(std::string(texte.substr(0, fin)), corps, ',', points.liste);
    return 0;
}
