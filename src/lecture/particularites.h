#pragma once
// Attribute lines ("  Objet dessinable A, particularités: rouge, tireté"): colour, line
// style, visibility, and for points their label and mark.

#include <string>
#include <string_view>

#include "model/figure.h"

namespace trazel {

// The fields an attribute line may set; a null field is one the object's kind lacks.
struct TParticularites {
    bool* dessine = nullptr;
    std::string* couleur = nullptr;
    std::string* style = nullptr;
    bool* points_lies = nullptr;
    Tpoint* point = nullptr; // a point: name, label direction and mark too
};

TParticularites Particularites_de(Tpoint& point);
TParticularites Particularites_de(Tdroite& droite);
TParticularites Particularites_de(Tsegment& segment);
TParticularites Particularites_de(Tcercle& cercle);
TParticularites Particularites_de(Tarc_de_cercle& arc);
TParticularites Particularites_de(Tpolygone& polygone);
TParticularites Particularites_de(Trepere& repere);
TParticularites Particularites_de(TCourbe& courbe);

// Reads one attribute line into the object's fields. A line without "particularités" (or,
// for a point, whose first word is "Pas") sets nothing.
void Lire_particularites(std::string_view ligne, const TParticularites& cibles);

// The attribute line of the default frame, scanned from character 40: "rouge", "dessiné"
// and "non dessiné".
void Lire_particularites_roxy(std::string_view ligne, TReperexoy& roxy);

} // namespace trazel
