// Fuzz target: the evaluator on an arbitrary formula. The first line is the formula; each
// following line "nom;variable;corps" defines a user function (at most eight), on top of two
// fixed ones. The formula is compiled with "." then "," as decimal separator and evaluated
// for a few sets of values of its variables x, y and t. Every expected failure is an
// Erreur_trazel; anything else escapes and is reported as a crash.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calc_express.h"
#include "model/erreurs.h"
#include "model/reel.h"

namespace {

constexpr std::size_t taille_maximale_entree = 16 * 1024;
constexpr std::size_t fonctions_maximales = 8;

// Values chosen to reach the edges: zero, negatives, huge and tiny magnitudes.
constexpr std::array<std::array<trazel::Reel, 3>, 4> jeux_de_valeurs = {{
    {0.5L, -2, 3},
    {0, 0, 0},
    {-1e4000L, 1e-4000L, 1e30L},
    {1, -1, 0x1p63L},
}};

trazel::TCalc_liste_fonction_init Fonctions(std::string_view lignes)
{
    trazel::TCalc_liste_fonction_init fonctions = {{"f", "x^2+1", "x"}, {"g", "f(t)*f(t)-t", "t"}};
    while (!lignes.empty() && fonctions.size() < fonctions_maximales + 2) {
        const std::size_t fin = std::min(lignes.find('\n'), lignes.size());
        const std::string_view ligne = lignes.substr(0, fin);
        lignes.remove_prefix(std::min(fin + 1, lignes.size()));
        const std::size_t a = ligne.find(';');
        const std::size_t b = a == std::string_view::npos ? a : ligne.find(';', a + 1);
        if (b == std::string_view::npos)
            continue;
        fonctions.push_back({std::string(ligne.substr(0, a)), std::string(ligne.substr(b + 1)),
                             std::string(ligne.substr(a + 1, b - a - 1))});
    }
    return fonctions;
}

void Evaluer(trazel::TCalcExpress& calcul, const std::string& formule, char separateur)
{
    calcul.separateur_decimal = separateur;
    try {
        calcul.Formula(formule);
    } catch (const trazel::Erreur_trazel&) {
        return;
    }
    for (const auto& valeurs : jeux_de_valeurs) {
        try {
            calcul.Evaluate({valeurs.begin(), valeurs.end()});
        } catch (const trazel::Erreur_trazel&) {
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille)
{
    if (taille > taille_maximale_entree)
        return -1;
    const std::string_view texte(reinterpret_cast<const char*>(donnees), taille);
    const std::size_t fin = std::min(texte.find('\n'), texte.size());
    trazel::TCalcExpress calcul;
    calcul.Variables({"x", "y", "t"});
    calcul.Fonctions(Fonctions(texte.substr(std::min(fin + 1, texte.size()))));
    const std::string formule(texte.substr(0, fin));
    Evaluer(calcul, formule, '.');
    Evaluer(calcul, formule, ',');
    return 0;
}
