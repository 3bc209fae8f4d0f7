#pragma once
// Plane-geometry routines on the figure's records. Pure: values in, value out; they never
// print and never look up names.

#include "model/figure.h"
#include "model/reel.h"

namespace trazel {

// The vector from A to B, named after the two points ("AB"), with no origin or end attached.
Tvecteur Vecteur_de(const Tpoint& a, const Tpoint& b);

// The quarter turn counter-clockwise: (x, y) -> (-y, x).
Tvecteur Quart_de_tour(const Tvecteur& u);

} // namespace trazel
