#pragma once
// What the picture shows, as drawing primitives in figure coordinates: the same pieces the
// PSTricks writer prints (clipped by the same routines), for an on-screen view and for the
// writers of the other picture formats.

#include <string>
#include <vector>

#include "calc/conversion_chaines.h"
#include "calc/geometrie.h"
#include "latex/ecriture.h"
#include "model/figure.h"

namespace trazel {

// How a piece is stroked: PSTricks colour and line style names.
struct TTrait_scene {
    std::string couleur = "black";
    std::string style = "solid"; // "solid" or "dashed"
};

// Every piece names the figure line of the object it draws (0 for the default frame's axes
// and for pieces of no line), so a view can tell which object lies under the mouse.
struct TSegment_scene {
    Tcoordonnees a, b;
    TTrait_scene trait;
    int ligne = 0;
};

// An arc counter-clockwise from `debut` to `fin` (radians); a whole circle runs 0 to 2 pi.
struct TArc_scene {
    Tcoordonnees centre;
    Reel rayon = 0; // figure units
    Reel debut = 0, fin = 0;
    TTrait_scene trait;
    int ligne = 0;
};

// A point's mark and label; what is not drawn is not listed.
struct TPoint_scene {
    Tcoordonnees position;
    std::string couleur = "black";
    Reel marque = 1;       // radius of the mark in points (typographic), 0 when not drawn
    std::string etiquette; // the name as written in the figure, empty when not shown
    Reel direction = 0;    // of the label from the point, degrees
    int ligne = 0;
};

// A visible run of a curve: joined points, or dots.
struct TCourbe_scene {
    std::vector<Tcoordonnees> points;
    TTrait_scene trait;
    bool points_lies = true;
    int ligne = 0;
};

// One drawable object of the figure, in the order of its steps: the comment the PSTricks
// writer gives it and where its pieces start in each list of the scene (they run up to the
// next object's starts).
struct TObjet_scene {
    std::string commentaire; // "Point A", "Segment AB"...
    int ligne = 0;
    std::size_t segments = 0, arcs = 0, points = 0, courbes = 0;
};

struct TScene {
    TCadre_image fenetre; // the picture box, figure coordinates
    Reel unite = 1;       // centimetres per figure unit
    bool axes = false;    // the default axes through the origin
    std::string couleur_axes = "black";
    std::vector<TSegment_scene> segments;
    std::vector<TArc_scene> arcs;
    std::vector<TPoint_scene> points;
    std::vector<TCourbe_scene> courbes;
    std::vector<TObjet_scene> objets;
};

// The sizes PSTricks gives by default to what the picture's lines leave unsaid, in TeX
// points, for the writers that draw the scene in another format.
namespace pstricks {
inline constexpr Reel trait = 1;              // every line's width
inline constexpr Reel retrait_cercle = 1;     // a whole circle's path lies this far inside
                                              // its radius (its width measured outside in)
inline constexpr Reel fleche_longueur = 4.9L; // the axes' arrows: (1.5 pt + 2 widths) * 1.4
inline constexpr Reel fleche_demi_largeur = 1.75L;
inline constexpr Reel fleche_creux = 1.96L; // the inset: 0.4 of the length
inline constexpr Reel graduation = 4;       // each side of the axis
inline constexpr Reel trait_graduation = 0.5L;
// No tick this close to the arrow's end: measured on pst-plot's output, between 6.829 and
// 6.843 pt; the arrow's length times its length factor again, in PostScript points, is 6.834.
inline constexpr Reel sans_graduation = 4.9L * 1.4L * 72 / 72.27L;
inline constexpr Reel tiret = 5, blanc = 3;      // dashed lines
inline constexpr Reel rayon_point_courbe = 0.9L; // dots of a curve: (2 pt + 2 * 0.8 pt) / 4
} // namespace pstricks

// The whole values where an axis from `debut` to `fin` (figure units, its arrow at `fin`)
// has a tick: all but 0 and those under the arrow. `unite` in centimetres per figure unit.
// An axis longer than graduations_maximales units has none.
inline constexpr Reel graduations_maximales = 100000;
std::vector<Reel> Graduations_axe(Reel debut, Reel fin, Reel unite);

// Where the pieces of the k-th object end in each list: the next object's starts, or the
// lists' ends for the last one.
TObjet_scene Fin_de_l_objet(const TScene& scene, std::size_t k);

// How curves are cut. For a view, into the runs between undefined samples, which the view
// clips itself. For a picture, into the data sets the PSTricks writer plots: each visible
// run with the last point before it and the first after it (the writer prints their numbers
// cut to decimales_courbe).
enum class TCoupe_courbes { vue, image };

// The scene of a read figure (the step list from its first step). The window record of the
// first step is converted in place, as the writer does.
// A positive `echantillons_max` samples each curve at most that many times: a quick sketch,
// while a point is dragged.
TScene Scene_de_la_figure(TEtape* premiere, TFigure& figure, TForm2& form2,
                          const TCadre_latex& cadre, long echantillons_max = 0,
                          TCoupe_courbes coupe = TCoupe_courbes::vue);

} // namespace trazel
