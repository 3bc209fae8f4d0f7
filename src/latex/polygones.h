#pragma once
// Polygons of the picture: the outline as one segment per edge, each cut to the window.

#include <string>

#include "model/figure.h"

namespace trazel {

// Comment, then one segment per edge, the last one closing the outline; nothing when the
// polygon is not drawn.
void Ecrire_polygone(const Tpolygone& polygone, const TCadre_image& fenetre, std::string& sortie);

} // namespace trazel
