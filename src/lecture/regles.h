#pragma once
// The object-line rules of the reader, by family. Each reads the current line from the
// position after the word that selected it, records one construction step, reads the
// object's attribute lines and leaves the next line current; a phrase that does not match
// raises TPhrase_non_reconnue before anything is recorded.

#include <string>
#include <string_view>

#include "lecture/lecteur.h"

namespace trazel {

// Shared by the rule families: the point of that name (it must exist), and the unit and the
// frame the current line names after its unit and frame keywords.
Tpoint& Point(TLecteur& lecteur, std::string_view nom);
Tunite* Unite_de_la_ligne(TLecteur& lecteur);
Trepere* Repere_de_la_ligne(TLecteur& lecteur);

// "vec", "Droite", "Demi-droite", "Segment" (the object's name is the second word).
void Lire_forme_fixe(TLecteur& lecteur, const std::string& mot_fixe);

// Points: "point", "milieu", "centre", "orthocentre", "projeté", "barycentre", "sur".
void Regle_point(TLecteur& lecteur, const std::string& nom, int code);

// Lines, circles, arcs, polygons, perpendicular bisectors and angle bisectors.
void Regle_ligne(TLecteur& lecteur, const std::string& nom, int code);

// Named transformations and images.
void Regle_transformation(TLecteur& lecteur, const std::string& nom, int code);

// Named numbers, functions, units, frames and curves.
void Regle_nombre(TLecteur& lecteur, const std::string& nom, int code);

} // namespace trazel
