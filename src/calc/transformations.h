#pragma once
// Plane transformations: lookup by name in the six lists, and images of points, lines,
// lengths and circles. A name found in no list, and a composition that refers to itself
// (directly or through others), raise Erreur_trazel with a message naming it; so do
// compositions nested or expanded beyond the bounds below.

#include <cstddef>
#include <optional>
#include <string_view>

#include "calc/geometrie.h"
#include "model/figure.h"

namespace trazel {

// Bounds on the expansion of compositions for one image: their nesting, and the
// compositions expanded in all (a figure composes a handful).
inline constexpr std::size_t imbrication_maximale_composees = 100;
inline constexpr long developpements_maximaux = 10000;

// The kind codes of a transformation found by name.
enum class TGenre_transformation {
    symetrie_axiale = 0,
    similitude_directe = 1,
    rotation = 2,
    composee = 3,
    translation = 4,
    homothetie = 5,
};

struct TTransformation_trouvee {
    TGenre_transformation genre;
    std::size_t indice; // in the list of its kind
};

// Searches axial symmetries, rotations, homotheties, translations, direct similitudes, then
// compositions; in each list from the first; the first exact match wins.
std::optional<TTransformation_trouvee>
Chercher_transformation(std::string_view nom, const TListe_transformations& transformations);

Tcoordonnees Image_point(std::string_view nom, Tcoordonnees p,
                         const TListe_transformations& transformations);

// The image of a point by one transformation given by its record, as the lookup by name
// computes it once the record is found. A transformation described in place in a figure
// line is applied this way: whatever the figure's own transformations are named, none
// stands in for it. T is an axial symmetry, a translation, a rotation, a homothety or a
// direct similitude.
template <class T> Tcoordonnees Image_point(const T& transformation, Tcoordonnees p);

// The image of a line: the image of its point, and the direction from that image to the
// image of point + direction.
Tligne Image_droite(std::string_view nom, const Tligne& d,
                    const TListe_transformations& transformations);

// The image length of a length (sign kept).
Reel Rapport_longueurs(std::string_view nom, const TListe_transformations& transformations,
                       Reel longueur);

// The image of a circle: its centre's image, and |Rapport_longueurs| of its rayon (the
// radius stays measured in the circle's unit).
struct TImage_cercle {
    Tcoordonnees centre;
    Reel rayon = 0;
};
TImage_cercle Image_cercle(std::string_view nom, const Tcercle& c,
                           const TListe_transformations& transformations);

} // namespace trazel
