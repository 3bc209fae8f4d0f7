#pragma once
// What the drawing editor knows of a read figure, and the figure lines it writes.
//
// After a reading, each object line of the figure becomes one TObjet_edite: its name, its
// construction, the line it stands on, what it is drawn as, the objects it is built on, and
// for a point that the mouse may move, the support its parameters live on. The editor keeps
// this list (the figure itself is gone once read) to hit-test, move, delete and name.
//
// The phrases written are those of the figure language's reference phrasing; every text
// here is Windows-1252, lines separated by '\r' where a phrase takes several.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/geometrie.h"
#include "model/constructions.h"
#include "model/figure.h"

namespace trazel {

// What an object is, for the tools that pick it.
enum class TSorte_objet {
    point,
    droite,
    demi_droite,
    segment,
    cercle,
    arc,
    polygone,
    courbe,
    vecteur,
    transformation,
    nombre, // numbers, measures, functions
    repere,
    autre, // units, frames of a picture, anything the tools do not pick
};

// Where a movable point's parameters live: the position is a function of one or two
// parameters, and back. A frame maps (u, v) to origine + u e + v f; a line, a segment and a
// half-line map t to origine + t e (a segment for t in [0, 1], a half-line for t >= 0); a
// circle maps the angle t (radians) to its point; an arc maps t in [0, 1] from its start to
// its end angle, counter-clockwise.
struct TSupport {
    enum class TSorte { plan, repere, cadre, droite, segment, demi_droite, cercle, arc };
    TSorte sorte = TSorte::plan;
    Tcoordonnees origine{}, e{1, 0}, f{0, 1};
    Trond rond{};
    Reel debut = 0, fin = 0; // an arc's angles, radians, as the arc record holds them
};

// The parameters that put the point nearest to `cible` on the support: one value, or two for
// the plane, a frame and a "cadre". Segments, half-lines and arcs clamp to their ends.
std::vector<Reel> Parametres_du_point(const TSupport& support, Tcoordonnees cible);
// The position of the parameters on the support, computed as the resolver does.
Tcoordonnees Position_du_point(const TSupport& support, const std::vector<Reel>& parametres);

// An object's drawing attributes, as read: what an attribute line sets.
struct TAttributs {
    bool dessine = true;
    std::string couleur = "black"; // PSTricks name: black, red, blue, green, yellow,
                                   // magenta, cyan, lightgray, gray
    std::string style = "solid";   // "solid" or "dashed"; unused by points
    // Points only.
    bool nom_dessine = true;
    std::string position_nom = position_non_definie; // "0", "45", … "-135", or not set
    std::string marque = "1";                        // "1", "1.5" (épaisse), "0.5" (fine)
    // Curves only.
    bool points_lies = true;
};

struct TObjet_edite {
    std::string nom; // as the figure names it: "A", "d1", "AB" for "Segment [AB]"
    TCode code = TCode::fin;
    TSorte_objet sorte = TSorte_objet::autre;
    int ligne = 0; // its object line, 1-based
    // The objects it is built on, directly: indexes into the list, ascending.
    std::vector<std::size_t> appuis;
    TAttributs attributs;
    bool a_des_attributs = false; // its kind takes an attribute line
    // Geometry as computed, for the tools: a point's position; a line's, half-line's or
    // segment's carrier (segment: from its first to its second end); a circle's or an arc's
    // circle, and an arc's angles.
    Tcoordonnees position{};
    Tligne droite{};
    Tcoordonnees extremite1{}, extremite2{}; // segments and half-lines: the two points
    Trond cercle{};
    Reel debut = 0, fin = 0;
    std::vector<Tcoordonnees> sommets; // a polygon's vertices, in order
    // Movable points: where their parameters live, and how many they are. None for a
    // constructed point.
    std::optional<TSupport> support;
    // Lines, segments, half-lines, circles and arcs: the support of a point put on them, as
    // the resolver will place it. None for other objects.
    std::optional<TSupport> porteur;
};

// The objects of a read figure (its step list from its first step), one per object line in
// the order of the lines. Steps without a line (the default objects) are left out; when one
// line records several steps, the object is the one its last step defines.
std::vector<TObjet_edite> Objets_edites(TEtape* premiere, TFigure& figure);

// The objects built on `objet`, directly or through others, in figure order (indexes into
// the list), `objet` not included.
std::vector<std::size_t> Objets_dependants(const std::vector<TObjet_edite>& objets,
                                           std::size_t objet);

// Why a point cannot be dragged, in French: it is built from other objects.
std::string Raison_point_fixe(const TObjet_edite& point);

// The kinds of fresh names.
enum class TSorte_nom {
    point,          // A, B, …, Z, then A1, B1, …
    droite,         // d1, d2, …
    cercle,         // c1, …
    arc,            // a1, …
    polygone,       // p1, …
    transformation, // s1, …
    courbe,         // C1, … (graphs and loci)
    nombre,         // k1, …
    fonction,       // f, g, h, then f1, …
};
// The first name of its kind that no object of the list (nor `aussi_pris`) bears.
std::string Nom_libre(const std::vector<TObjet_edite>& objets, TSorte_nom sorte,
                      const std::vector<std::string>& aussi_pris = {});

// A real written with at most `decimales` decimals, rounded, without trailing zeros nor a
// negative zero, with a point: 1.25, -3, 0.333.
std::string Decimales(Reel x, int decimales);

// The lines of a figure text and the editing of its object lines. Lines are 0-based here.
// The range of lines an object holds: its object line and the indented lines after it.
struct TPlage {
    std::size_t debut = 0, fin = 0; // [debut, fin)
};
TPlage Plage_de_l_objet(const std::vector<std::string>& lignes, int ligne);

// "  Objet libre A, paramètres: 1.25, -3" (two values) or "  Objet libre M, paramètre: 0.5".
std::string Ligne_parametres(const std::string& nom, const std::vector<Reel>& valeurs,
                             int decimales);
// Rewrites the parameter line of the object whose object line is `ligne` (1-based); false
// when the object has none.
bool Remplacer_parametres(std::vector<std::string>& lignes, int ligne, const std::string& nouvelle);

// "  Objet dessinable A, particularités: rouge, tireté, …": the line that gives the object
// these attributes when read (the defaults are written too, so the line says it all).
std::string Ligne_particularites(const std::string& nom, const TAttributs& attributs,
                                 TSorte_objet sorte);
// Puts the attribute line in the object's range: in place of its "Objet dessinable" lines
// (the first replaced, others removed), or at the end of the range.
void Remplacer_particularites(std::vector<std::string>& lignes, int ligne,
                              const std::string& nouvelle);

// The "Position de Roxy" line for a range: "Position de Roxy: Xmin: -5, Xmax: 5, Ymax: 5".
std::string Ligne_position_roxy(Reel xmin, Reel xmax, Reel ymax, int decimales);

// The figure lines of the construction tools, in the reference phrasing. Names are figure
// names; a line name is what the figure calls it ("d1", or "AB" for "Droite (AB)").
namespace phrase {
std::string Point_libre(const std::string& nom, Tcoordonnees position, int decimales);
// A point on a line, segment, half-line, circle or arc at parameter t; empty for another
// kind of support.
std::string Point_sur(const std::string& nom, TSorte_objet sorte, const std::string& support,
                      Reel t, int decimales);
std::string Segment(const std::string& a, const std::string& b);
std::string Droite(const std::string& a, const std::string& b);
std::string Demi_droite(const std::string& a, const std::string& b);
std::string Cercle_centre_point(const std::string& nom, const std::string& centre,
                                const std::string& point);
std::string Cercle_centre_rayon(const std::string& nom, const std::string& centre,
                                const std::string& rayon);
std::string Cercle_diametre(const std::string& nom, const std::string& a, const std::string& b);
std::string Milieu(const std::string& nom, const std::string& a, const std::string& b);
// The centroid, and the circle through the three vertices, of the triangle ABC.
std::string Centre_de_gravite(const std::string& nom, const std::string& a, const std::string& b,
                              const std::string& c);
std::string Cercle_circonscrit(const std::string& nom, const std::string& a, const std::string& b,
                               const std::string& c);
std::string Intersection_droites(const std::string& nom, const std::string& d1,
                                 const std::string& d2);
// `numero` 1 or 2, as the resolver numbers the two common points.
std::string Intersection_droite_cercle(const std::string& nom, const std::string& d,
                                       const std::string& c, int numero);
std::string Intersection_cercles(const std::string& nom, const std::string& c1,
                                 const std::string& c2, int numero);
std::string Parallele(const std::string& nom, const std::string& d, const std::string& p);
std::string Perpendiculaire(const std::string& nom, const std::string& d, const std::string& p);
std::string Mediatrice(const std::string& nom, const std::string& a, const std::string& b);
std::string Bissectrice(const std::string& nom, const std::string& a, const std::string& o,
                        const std::string& b);
std::string Polygone(const std::string& nom, const std::vector<std::string>& sommets);
// Named transformations, for the images of lines and circles.
std::string Symetrie_axiale(const std::string& nom, const std::string& axe);
std::string Symetrie_centrale(const std::string& nom, const std::string& centre);
std::string Translation(const std::string& nom, const std::string& p, const std::string& q);
std::string Rotation(const std::string& nom, const std::string& centre, const std::string& angle);
std::string Homothetie(const std::string& nom, const std::string& centre,
                       const std::string& rapport);
// The image of a point by a transformation described in place: the text of the
// transformation after "par " ("la symétrie d'axe d", "l'homothétie de centre O et de
// rapport 2", …) comes from the function below.
std::string Image_point(const std::string& nom, const std::string& point, const std::string& par);
std::string Par_symetrie_axiale(const std::string& axe);
std::string Par_symetrie_centrale(const std::string& centre);
std::string Par_translation(const std::string& p, const std::string& q);
std::string Par_rotation(const std::string& centre, const std::string& angle_degres);
std::string Par_homothetie(const std::string& centre, const std::string& rapport);
// The image of a line or a circle by a named transformation.
std::string Image_droite(const std::string& nom, const std::string& droite,
                         const std::string& transformation);
std::string Image_cercle(const std::string& nom, const std::string& cercle,
                         const std::string& transformation);
std::string Graphe(const std::string& nom, const std::string& fonction, const std::string& de,
                   const std::string& a, int points);
std::string Lieu(const std::string& nom, const std::string& point, const std::string& selon,
                 int points);
std::string Nombre(const std::string& nom, const std::string& valeur);
std::string Fonction(const std::string& nom, const std::string& variable, const std::string& corps);
} // namespace phrase

} // namespace trazel
