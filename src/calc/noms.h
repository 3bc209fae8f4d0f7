#pragma once
// Resolution of the names a figure text uses. Lines, frames, vectors and segments may be
// named after two points ("AB"): when such a name is not in its list, the object is made
// from the two points and appended. Circles, arcs and units must have been defined before.
// A name that designates nothing raises Erreur_trazel with a message naming it.

#include <string_view>

#include "model/figure.h"

namespace trazel {

// The most recent point of that exact name, or null.
Tpoint* Chercher_point(const TListe_points& points, std::string_view nom);

// The point whose name is the longest prefix of the text (points compared in list order for
// each length), or null.
Tpoint* Point_plus_long_prefixe(const TListe_points& points, std::string_view texte);

// The text split into consecutive point names by repeated longest-prefix lookup ("ABC" gives
// A, B, C).
TListe_points Points_du_nom(const TListe_points& points, std::string_view texte);

// A point that must exist (exact name).
Tpoint& Point_du_nom(const TListe_points& points, std::string_view nom);

Tdroite* Droite_du_nom(TFigure& figure, std::string_view nom);
Trepere* Repere_du_nom(TFigure& figure, std::string_view nom);
// The name is the first word of the text.
Tvecteur* Vecteur_du_nom(TFigure& figure, std::string_view texte);
Tsegment* Segment_du_nom(TFigure& figure, std::string_view nom);

Tcercle* Cercle_du_nom(const TFigure& figure, std::string_view nom);
Tarc_de_cercle* Arc_du_nom(const TFigure& figure, std::string_view nom);
// "1" designates the first unit.
Tunite* Unite_du_nom(const TFigure& figure, std::string_view nom);
// The most recent polygon of that name, or null.
Tpolygone* Polygone_du_nom(const TFigure& figure, std::string_view nom);

} // namespace trazel
