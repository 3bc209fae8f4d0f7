#pragma once
// Plane-geometry routines from which every object of a figure gets its coordinates. Pure:
// values in, value (or "no solution") out; they never print, never look up names and never
// read window state. Points and vectors travel as Tcoordonnees; a routine that finds no
// solution says so by its result and the caller applies the rule for that case. A division
// by zero or an invalid operation in a degenerate configuration raises Erreur_calcul, so no
// NaN or infinity ever reaches a figure.

#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "model/erreurs.h"
#include "model/figure.h"
#include "model/reel.h"

namespace trazel {

struct Tcoordonnees {
    Reel x = 0, y = 0;
};

// A straight line through `point` with direction `direction`.
struct Tligne {
    Tcoordonnees point;
    Tcoordonnees direction;
};

// A circle in figure units.
struct Trond {
    Tcoordonnees centre;
    Reel rayon = 0;
};

// From and to the records, and the basic vector operations: inline, as every step of every
// locus sample goes through several of them.
inline Tcoordonnees Coordonnees(const Tpoint& p)
{
    return {p.x, p.y};
}
inline Tcoordonnees Coordonnees(const Tvecteur& u)
{
    return {u.x, u.y};
}
// Placer writes x and y only.
inline void Placer(Tpoint& p, Tcoordonnees c)
{
    p.x = c.x;
    p.y = c.y;
}
inline void Placer(Tvecteur& u, Tcoordonnees c)
{
    u.x = c.x;
    u.y = c.y;
}
// Through point1, directed by vecteur.
inline Tligne Ligne_de(const Tdroite& d)
{
    return {Coordonnees(*d.point1), Coordonnees(*d.vecteur)};
}
inline Reel Norme(Tcoordonnees u)
{
    return Controler(std::sqrt(u.x * u.x + u.y * u.y));
}
// The norm of its vector; 1 without a unit.
inline Reel Longueur_unite(const Tunite* u)
{
    if (u == nullptr || u->vecteur == nullptr)
        return 1;
    return Norme(Coordonnees(*u->vecteur));
}
Reel Rayon_reel(const Tcercle& c); // rayon times the length of its unit
Trond Rond_de(const Tcercle& c);

// Basic vector operations.
Tvecteur Vecteur_de(const Tpoint& a, const Tpoint& b); // named A.nom + B.nom, components B - A
inline Tcoordonnees Vecteur_de(Tcoordonnees a, Tcoordonnees b)
{
    return {b.x - a.x, b.y - a.y};
}
inline Reel Produit_scalaire(Tcoordonnees u, Tcoordonnees v)
{
    return Controler(u.x * v.x + u.y * v.y);
}
inline Tcoordonnees Quart_de_tour(Tcoordonnees u) // (-y, x)
{
    return {-u.y, u.x};
}
Tvecteur Quart_de_tour(const Tvecteur& u); // an unnamed vector
Reel Carre(Reel t);
Tcoordonnees Point_plus_vecteur(Tcoordonnees a, Tcoordonnees u, Reel t);  // a + t u
Tcoordonnees Combinaison(Tcoordonnees u, Tcoordonnees v, Reel a, Reel b); // a u + b v
inline Tcoordonnees Milieu(Tcoordonnees a, Tcoordonnees b)
{
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}
// The 2x2 determinant u.x v.y - u.y v.x, summed as a cofactor expansion along the first
// column sums it (signed zeros included).
Reel Determinant_de(Tcoordonnees u, Tcoordonnees v);

// Frames.
// Origin + x v1 + y v2, for a frame given by its origin o and basis e, f, or by its record:
// one formula for both, so a point computed either way agrees to the last digit.
inline Tcoordonnees Repere_vers_absolu(Tcoordonnees o, Tcoordonnees e, Tcoordonnees f,
                                       Tcoordonnees p)
{
    return {o.x + p.x * e.x + p.y * f.x, o.y + p.x * e.y + p.y * f.y};
}
inline Tcoordonnees Repere_vers_absolu(const Trepere& r, Tcoordonnees p)
{
    return Repere_vers_absolu(Coordonnees(*r.origine), Coordonnees(*r.vecteur1),
                              Coordonnees(*r.vecteur2), p);
}
Tcoordonnees Coordonnees_dans_repere(const Trepere& r, Tcoordonnees u); // u in (v1, v2)

// Angles, in [0, 2pi).
Reel Arc_sinus(Reel x);   // switches formula at 0.7071 to keep its quotient bounded
Reel Arc_cosinus(Reel x); // pi/2 - Arc_sinus(x)
Reel Angle_polaire(Tcoordonnees p, Tcoordonnees q);                 // direction of PQ
Reel Angle_oriente(Tcoordonnees a, Tcoordonnees o, Tcoordonnees b); // from OA to OB
Reel Angle_vecteurs(Tcoordonnees u, Tcoordonnees v);

// Lines, circles and intersections.
std::optional<Tcoordonnees> Intersection_droites(const Tligne& d1, const Tligne& d2);
Tligne Perpendiculaire(const Tligne& d, Tcoordonnees p);
std::optional<Tcoordonnees> Projete_orthogonal(Tcoordonnees p, const Tligne& d);
Reel Distance_point_droite(Tcoordonnees p, const Tligne& d);
// The two common points M1, M2 (equal for a tangent line).
struct Tdeux_points {
    Tcoordonnees m1, m2;
};
std::optional<Tdeux_points> Intersection_droite_cercle(const Tligne& d, const Trond& c);
std::optional<Tdeux_points> Intersection_cercles(const Trond& c1, const Trond& c2);
Tligne Mediatrice(Tcoordonnees a, Tcoordonnees b);
Tligne Bissectrice(Tcoordonnees a, Tcoordonnees o, Tcoordonnees b);
Tcoordonnees Point_du_cercle(const Trond& c, Reel theta);
Tcoordonnees Point_de_l_arc(const Tarc_de_cercle& arc, Reel t);

// Triangles (vertices A, B, C in order).
struct Tcentre {
    Tcoordonnees point;
    bool defini = false; // written into the point's dessine
};
Tcentre Centre_de_gravite(Tcoordonnees a, Tcoordonnees b, Tcoordonnees c);
std::optional<Tcoordonnees> Centre_inscrit(Tcoordonnees a, Tcoordonnees b, Tcoordonnees c);
std::optional<Tcoordonnees> Centre_circonscrit(Tcoordonnees a, Tcoordonnees b, Tcoordonnees c);
std::optional<Tcoordonnees> Orthocentre(Tcoordonnees a, Tcoordonnees b, Tcoordonnees c);
// Centre and radius (figure units) of the circumscribed and inscribed circles.
std::optional<Trond> Cercle_circonscrit(Tcoordonnees a, Tcoordonnees b, Tcoordonnees c);
std::optional<Trond> Cercle_inscrit(Tcoordonnees a, Tcoordonnees b, Tcoordonnees c);
// |det(AB, AC)| / 2 divided by the square of a unit length.
Reel Aire_triangle(Tcoordonnees a, Tcoordonnees b, Tcoordonnees c, Reel longueur_unite);

// Polygons.
std::vector<Tcoordonnees> Polygone_regulier(Tcoordonnees o, Tcoordonnees a, int n);
std::array<Tcoordonnees, 4> Rectangle(const Trepere& r, Reel w, Reel h, Reel x0, Reel y0);
bool Dans_le_cadre(Tcoordonnees p, const TCadre_image& cadre); // strictly inside

// Refreshing derived data.
void Actualiser_droite(Tdroite& d);   // direction from its two points, frame's second vector
void Actualiser_vecteur(Tvecteur& u); // from its origin and end, when it has them
// A frame named after two points: its first vector from them, the second its quarter turn.
void Actualiser_repere(Trepere& r);

} // namespace trazel
