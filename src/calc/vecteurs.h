#pragma once
// Vector and measure expressions written in a figure: "vec(AB)", "dist(AB)", "norm(...)"
// and the scalar product "&", over the figure's points and vectors, evaluated through the
// numeric front end with a unit length L.

#include <string>
#include <string_view>

#include "calc/conversion_chaines.h"
#include "calc/geometrie.h"
#include "model/figure.h"

namespace trazel {

// The most "norm(" and "&" an expression may nest; figures nest a few.
inline constexpr int imbrication_maximale_vecteurs = 100;

// The vector a vector expression gives ("vec(AB)+2*vec(u)"). Expressions nested deeper
// than imbrication_maximale_vecteurs raise Erreur_trazel.
Tcoordonnees Evaluer_vecteur(std::string_view texte, Reel longueur_unite, TFigure& figure,
                             TForm2& form2);

// The number a measure expression gives ("dist(AB)/2", "vec(AB)&vec(AC)").
Reel Evaluer_mesure(std::string_view texte, Reel longueur_unite, TFigure& figure, TForm2& form2);

// The measure expression with its "&", "dist(" and "norm(" terms replaced by their values,
// not evaluated further (for the body of a user function).
std::string Reecrire_mesure(std::string_view texte, Reel longueur_unite, TFigure& figure,
                            TForm2& form2);

// A text without "&", "dist(" or "norm(": its own rewritten measure, whatever the points.
bool Sans_termes_de_mesure(std::string_view texte);

// The barycentre of the weighted points listed in `ligne` from `position` (1-based):
// "(A, 2), (B, 3), (C, -1)", weights in figure notation, with the unit length L.
Tcoordonnees Barycentre(std::string_view ligne, int position, Reel longueur_unite, TFigure& figure,
                        TForm2& form2);

} // namespace trazel
