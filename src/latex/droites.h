#pragma once
// Straight objects of the picture: lines (with their graduation marks), half-lines and
// segments, each reduced to the piece the window shows. The pure routines find where a
// carrier line crosses the window, which two ends a piece keeps and where the marks fall;
// the emitters only format those results.

#include <optional>
#include <string>
#include <vector>

#include "calc/geometrie.h"
#include "model/figure.h"
#include "model/reel.h"

namespace trazel {

// The corners of the axis-parallel box spanned by two points.
Tcoordonnees Coin_min(Tcoordonnees a, Tcoordonnees b);
Tcoordonnees Coin_max(Tcoordonnees a, Tcoordonnees b);

// P lies in the box spanned by A and B, within 1e-10 on each bound (the crossings with the
// window are computed, hence rounded).
bool Dans_boite(Tcoordonnees a, Tcoordonnees p, Tcoordonnees b);

// A visible piece: the two ends of one picture line.
struct TTroncon {
    Tcoordonnees a, b;
};

// The first two crossings of a carrier line with the window's edges, taken in the order
// bottom, top, left, right, each strictly inside its edge; none when fewer than two.
std::optional<TTroncon> Traversee_fenetre(const Tligne& porteuse, const TCadre_image& fenetre);

// The visible piece of the half-line that starts at `debut` and runs through `passage` on
// `porteuse`; none when the window shows nothing of it.
std::optional<TTroncon> Troncon_demi_droite(const Tligne& porteuse, Tcoordonnees debut,
                                            Tcoordonnees passage, const TCadre_image& fenetre);

// The visible piece of the segment PQ; none when the window shows nothing of it.
std::optional<TTroncon> Troncon_segment(Tcoordonnees p, Tcoordonnees q,
                                        const TCadre_image& fenetre);

// One graduation mark: its rank n (never 0) and its place origin + n step vector.
struct TGraduation {
    int rang = 0;
    Tcoordonnees position;
};

// No run of marks goes past this many in either direction, whatever the step.
inline constexpr int graduations_max = 10000;

// The marks of a graduated line whose visible piece is `traversee`: n = 1, 2, ... while the
// previous mark lay between the origin and an end of the piece, then n = -1, -2, ... the
// same way. The first mark past the piece is included. A zero step or vector gives none.
std::vector<TGraduation> Graduations(Tcoordonnees origine, Tcoordonnees vecteur, Reel pas,
                                     const TTroncon& traversee);

// Comment, visible piece (or the outside comment), then for a graduated line its marks.
void Ecrire_droite(const Tdroite& droite, const TCadre_image& fenetre, std::string& sortie);

// Comment and visible piece of the half-line from point1 through point2.
void Ecrire_demi_droite(const Tdroite& demi_droite, const TCadre_image& fenetre,
                        std::string& sortie);

// Comment and visible piece of the segment.
void Ecrire_segment(const Tsegment& segment, const TCadre_image& fenetre, std::string& sortie);

} // namespace trazel
