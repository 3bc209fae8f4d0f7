#pragma once
// The conversion of figure notation into evaluator syntax, shared by TForm2's evaluation of
// texts and function bodies (variables.cpp) and Convertir_notation (notation.cpp). Included
// only by calc sources.

#include <string>

#include "calc/conversion_chaines.h"
#include "model/figure.h"
#include "model/reel.h"

namespace trazel {

struct TTexte_converti {
    std::string texte;
    // Two point names were replaced by their distance, a value of the points' current
    // positions: the same text converts otherwise once they move.
    bool distances = false;
};

// The text rewritten against the form's functions and variables, in four passes: built-in
// function names, user function names, variable names with the products they imply, then
// whatever letters are left as two point names. A text whose letters name nothing raises
// Erreur_formule naming it; a distance beyond the reals raises Erreur_calcul.
TTexte_converti Convertir_en_formule(std::string texte, const TForm2& form,
                                     const TListe_points& points, Reel echelle);

} // namespace trazel
