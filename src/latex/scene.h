#pragma once
// What the picture shows, as drawing primitives in figure coordinates: the same pieces the
// PSTricks writer prints (clipped by the same routines), for an on-screen view.

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

struct TScene {
    TCadre_image fenetre; // the picture box, figure coordinates
    Reel unite = 1;       // centimetres per figure unit
    bool axes = false;    // the default axes through the origin
    std::string couleur_axes = "black";
    std::vector<TSegment_scene> segments;
    std::vector<TArc_scene> arcs;
    std::vector<TPoint_scene> points;
    std::vector<TCourbe_scene> courbes;
};

// The scene of a read figure (the step list from its first step). The window record of the
// first step is converted in place, as the writer does.
// A positive `echantillons_max` samples each curve at most that many times: a quick sketch,
// while a point is dragged.
TScene Scene_de_la_figure(TEtape* premiere, TFigure& figure, TForm2& form2,
                          const TCadre_latex& cadre, long echantillons_max = 0);

} // namespace trazel
