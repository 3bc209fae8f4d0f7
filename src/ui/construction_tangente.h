#pragma once
// The tangent to the graph of one of a figure's functions: the figure lines that draw it as
// two half-tangents ending in arrow heads, built from the figure text, without any window.

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "calc/conversion_chaines.h"
#include "model/figure.h"
#include "model/reel.h"

namespace trazel {

// The copy of the figure text the main window writes for the tangent dialog, in the
// current folder.
inline constexpr const char* fichier_figure_tangente = "temp2.~";

// What the dialog offers: the names of the figure's functions, units and frames, in order.
struct TListes_tangente {
    std::vector<std::string> fonctions;
    std::vector<std::string> unites;
    std::vector<std::string> reperes;
};

// Reads the figure text (bytes as saved) with a fresh set of variables and lists its names.
// A figure the reader cannot read raises Erreur_figure.
TListes_tangente ListesTangente(std::string_view figure);

// The 31 construction lines, each ended by one CR, Windows-1252. `fonction`, `unite` and
// `repere` are names of the figure ("1" is its first unit); `abscisse` and `chevrons` are
// expressions in figure notation, in the unit `unite`. The half-tangents' parameter is 7
// chevron lengths, or 1 when that is 0.
// A function, unit or frame the figure does not define raises Erreur_trazel naming it (a
// frame may be named after two points, as in the figure's lines); an empty or
// invalid expression raises Erreur_formule naming the field; a function undefined at the
// abscissa raises Erreur_calcul.
std::string ConstruireTangente(std::string_view figure, const std::string& fonction,
                               const std::string& unite, const std::string& repere,
                               const std::string& abscisse, const std::string& chevrons);

struct TDerivees {
    Reel gauche = 0; // slope of the chord from the left, in the limit
    Reel droite = 0;
};

// The one-sided slopes of the user function `fonction` at x0, each extrapolated to a zero
// step so that a smooth function's two slopes agree to rounding. A function undefined near
// x0 raises Erreur_calcul; a slope that does not settle (a jump or a vertical tangent)
// raises Erreur_trazel. `form2` holds the function; it is left as it was.
TDerivees DeriveesLaterales(TForm2& form2, const TListe_points& points, const std::string& fonction,
                            Reel x0);

// The first of base, base1, base2, … that no record of `liste` carries (exact comparison);
// a new record of the list's kind, owned by the figure, is appended under that name, so the
// names handed out earlier count as used.
template <class Liste> std::string NomUnique(TFigure& figure, Liste& liste, const std::string& base)
{
    using T = std::remove_pointer_t<typename Liste::value_type>;
    const auto pris = [&](const std::string& nom) {
        for (const T* objet : liste)
            if (objet->nom == nom)
                return true;
        return false;
    };
    std::string nom = base;
    for (int compteur = 1; pris(nom); ++compteur)
        nom = base + std::to_string(compteur);
    liste.push_back(figure.Nouveau<T>({.nom = nom}));
    return nom;
}

} // namespace trazel
