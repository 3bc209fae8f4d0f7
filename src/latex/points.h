#pragma once
// Points and circles of the picture. The geometry (where a label goes, which arcs of a circle
// the window leaves visible) is computed by pure routines that the on-screen view can share;
// the emitters only format their results as PSTricks lines.

#include <numbers>
#include <string>
#include <string_view>
#include <vector>

#include "calc/geometrie.h"
#include "model/figure.h"
#include "model/reel.h"

namespace trazel {

// The extended pi (mantissa C90FDAA22168C235, exponent 4000 hex) and its double, which only
// raises the exponent: "whole circle" is an exact comparison with it.
inline constexpr Reel pi_etendu = std::numbers::pi_v<Reel>;
inline constexpr Reel deux_pi_etendu = 2 * pi_etendu;

// How a stroked object is drawn; the texts are printed unchanged. An arc lends its own
// `dessine` and colour to its supporting circle, so they travel apart from the record.
struct TTrait {
    bool dessine = true;
    std::string_view couleur = "black";
    std::string_view style = "solid";
};
TTrait Trait_de(const Tcercle& cercle);

// The label direction in degrees, as text: the point's own, or pointing away from the centre
// of the editor's window when it is "Non definie".
std::string Direction_nom(const Tpoint& p, const TCadre_image& fenetre);

// The name as LaTeX math text: digit runs become subscripts, a double quote two primes.
// A run of letters beyond ASCII (\xC9, \xC7) goes in italic text inside the math: the math
// fonts have no such letter, and LaTeX drops it there.
std::string Nom_en_LaTeX(std::string_view nom);

// A point as a picture line writes it: "(x, y)", each number by Reel_en_texte.
std::string Couple(Tcoordonnees p);

// An angle in degrees as printed in an arc line: 8 decimals at most.
std::string Degres(Reel angle);

// Where a label sits from its point, for a direction in degrees ("-135"...): the label's
// box lies on the side of the direction, its nearest corner or edge middle 1 mm away along
// it. -1, 0 or 1 for each axis: 1 in x puts the box's left edge at that point (the box is
// to the right), 0 centres it; likewise in y with its bottom edge. A direction between the
// eight of the figure language counts as the nearest of them.
struct TPlacement_etiquette {
    int x = 0, y = 0;
};
TPlacement_etiquette Placement_etiquette(Reel direction);
// The distance from the point to that corner or edge middle, in millimetres.
inline constexpr Reel ecart_etiquette_mm = 1;

// Comment, filled mark when drawn and inside, label when shown and inside.
void Ecrire_point(const Tpoint& p, const TCadre_image& fenetre, std::string& sortie);

// One entry of the cut list of a circle: a crossing with an edge and its direction.
struct TArcs {
    Tcoordonnees point;
    Reel angle = 0; // radians
};
using TListe_arcs = std::vector<TArcs>;

// Sorts the angle values in ascending order; the points stay where they are.
void Trier_angles(TListe_arcs& liste);

// A visible piece of a circle, counter-clockwise from `debut` to `fin` (radians).
struct TPortion {
    Reel debut = 0, fin = 0;
};

// What the window shows of a circle between two angles: the closed circle when the whole
// turn is asked for and fits, otherwise the visible pieces in increasing angle (none when
// the circle misses the window or surrounds it).
struct TCercle_visible {
    bool tour_complet = false;
    std::vector<TPortion> portions;
};
TCercle_visible Cercle_visible(const Trond& rond, const TCadre_image& fenetre, Reel debut,
                               Reel fin);

// Writes the circle (or the arc from `debut` to `fin`) with the given stroke; `unite` is the
// picture unit in centimetres per figure unit, so radii are given in centimetres.
void Ecrire_cercle(const Tcercle& cercle, const TTrait& trait, const TCadre_image& fenetre,
                   Reel unite, Reel debut, Reel fin, std::string& sortie);

} // namespace trazel
