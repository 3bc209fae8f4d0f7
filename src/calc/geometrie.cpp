#include "calc/geometrie.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/erreurs.h"

namespace trazel {
namespace {

constexpr Reel pi = std::numbers::pi_v<Reel>;

// Below this, a component of a vector that should vanish is taken for zero: the line
// through a circle's centre, aligned points in a bisector. It measures figure units.
constexpr Reel tolerance_nulle = 1e-9L;

// A triangle whose doubled area is below this has aligned vertices: its centroid is
// marked undefined.
constexpr Reel tolerance_alignement = 1e-9L;

// A line farther from a circle's centre than the radius by less than this fraction of the
// radius is tangent to it, and so are two circles whose centres are that much farther apart
// than the sum of their radii. Distances come from rounded coordinates (a few units of 2^-64
// times the coordinates' size over the radius), so a constructed tangent lands on either
// side of the radius; a line 1e-12 radii away still misses.
constexpr Reel tolerance_tangence = 1e-14L;

Tcoordonnees Plus(Tcoordonnees a, Tcoordonnees b)
{
    return {a.x + b.x, a.y + b.y};
}

Tcoordonnees Fois(Reel k, Tcoordonnees u)
{
    return {k * u.x, k * u.y};
}

// An angle brought from [0, 2pi] into [0, 2pi): a direction below the axis by less than half
// a unit in the last place of 2pi rounds to 2pi, which is the direction 0.
Reel Moins_d_un_tour(Reel alpha)
{
    return alpha >= 2 * pi ? 0 : alpha;
}

// The causes of the faults of degenerate figures, as a user can act on them.
constexpr const char* vecteur_nul = "vecteur nul, sans direction : deux points confondus";
constexpr const char* droite_sans_direction =
    "droite sans direction : ses deux points sont confondus";

// The vector divided by its norm; a zero vector has no direction.
Tcoordonnees Unitaire(Tcoordonnees u)
{
    const Reel n = Norme(u);
    if (n == 0)
        throw Erreur_calcul(Erreur_calcul::Nature::operation_invalide, vecteur_nul);
    return {Diviser(u.x, n), Diviser(u.y, n)};
}

} // namespace

Reel Rayon_reel(const Tcercle& c)
{
    return Controler(c.rayon * Longueur_unite(c.unite));
}

Trond Rond_de(const Tcercle& c)
{
    return {Coordonnees(*c.centre), Rayon_reel(c)};
}

Tvecteur Vecteur_de(const Tpoint& a, const Tpoint& b)
{
    Tvecteur u;
    u.nom = a.nom + b.nom;
    Placer(u, Vecteur_de(Coordonnees(a), Coordonnees(b)));
    return u;
}

Tvecteur Quart_de_tour(const Tvecteur& u)
{
    Tvecteur v;
    Placer(v, Quart_de_tour(Coordonnees(u)));
    return v;
}

Reel Carre(Reel t)
{
    return Controler(t * t);
}

Tcoordonnees Point_plus_vecteur(Tcoordonnees a, Tcoordonnees u, Reel t)
{
    return {a.x + t * u.x, a.y + t * u.y};
}

Tcoordonnees Combinaison(Tcoordonnees u, Tcoordonnees v, Reel a, Reel b)
{
    return {a * u.x + b * v.x, a * u.y + b * v.y};
}

// The expansion's own sums for a 2x2 matrix: "0 +" keeps the sign of a zero product as the
// expansion gives it.
Reel Determinant_de(Tcoordonnees u, Tcoordonnees v)
{
    return Controler((0 + u.x * v.y) - u.y * v.x);
}

Tcoordonnees Coordonnees_dans_repere(const Trepere& r, Tcoordonnees u)
{
    const Tcoordonnees e = Coordonnees(*r.vecteur1);
    const Tcoordonnees f = Coordonnees(*r.vecteur2);
    const Reel d = e.x * f.y - f.x * e.y;
    return {Diviser(u.x * f.y - u.y * f.x, d), Diviser(u.y * e.x - u.x * e.y, d)};
}

// Near +-1 the square root s is small and x/s would blow up: the complementary arctangent
// of s/x is used there instead. 1 - x^2 is formed as (1 - x)(1 + x): 1 - x is exact for
// x in [1/2, 1], where x*x would have lost the last digits that s depends on.
Reel Arc_sinus(Reel x)
{
    if (!(x >= -1 && x <= 1))
        throw Erreur_calcul(Erreur_calcul::Nature::operation_invalide,
                            "arc sinus d'un nombre hors de [-1, 1]");
    const Reel s = std::sqrt((1 - x) * (1 + x));
    if (s < 0.7071L)
        return x >= 0 ? pi / 2 - std::atan(s / x) : -std::atan(s / x) - pi / 2;
    return std::atan(x / s);
}

Reel Arc_cosinus(Reel x)
{
    return pi / 2 - Arc_sinus(x);
}

Reel Angle_polaire(Tcoordonnees p, Tcoordonnees q)
{
    const Tcoordonnees u = Unitaire(Vecteur_de(p, q));
    Reel alpha = Arc_cosinus(u.x);
    if (u.y < 0)
        alpha = Moins_d_un_tour(2 * pi - alpha);
    return alpha;
}

Reel Angle_oriente(Tcoordonnees a, Tcoordonnees o, Tcoordonnees b)
{
    Reel alpha = Angle_polaire(o, b) - Angle_polaire(o, a);
    while (alpha < 0)
        alpha += 2 * pi;
    return Moins_d_un_tour(alpha);
}

Reel Angle_vecteurs(Tcoordonnees u, Tcoordonnees v)
{
    return Angle_oriente(u, {0, 0}, v);
}

// With the normals p and q, the point solves p.M = p.P1 and q.M = q.P2, by Cramer's rule.
// A zero determinant (parallel or equal lines, or a zero direction) means no single point;
// no tolerance is applied.
std::optional<Tcoordonnees> Intersection_droites(const Tligne& d1, const Tligne& d2)
{
    const Tcoordonnees p = Quart_de_tour(d1.direction);
    const Tcoordonnees q = Quart_de_tour(d2.direction);
    const Reel a = Produit_scalaire(p, d1.point);
    const Reel b = Produit_scalaire(q, d2.point);
    const Reel d = Determinant_de({p.x, q.x}, {p.y, q.y});
    if (d == 0)
        return std::nullopt;
    return Tcoordonnees{Diviser(Determinant_de({a, b}, {p.y, q.y}), d),
                        Diviser(Determinant_de({p.x, q.x}, {a, b}), d)};
}

Tligne Perpendiculaire(const Tligne& d, Tcoordonnees p)
{
    return {p, Quart_de_tour(d.direction)};
}

std::optional<Tcoordonnees> Projete_orthogonal(Tcoordonnees p, const Tligne& d)
{
    return Intersection_droites(d, Perpendiculaire(d, p));
}

// A line without direction has no foot of perpendicular: that is an invalid operation.
Reel Distance_point_droite(Tcoordonnees p, const Tligne& d)
{
    const std::optional<Tcoordonnees> h = Projete_orthogonal(p, d);
    if (!h)
        throw Erreur_calcul(Erreur_calcul::Nature::operation_invalide, droite_sans_direction);
    return Norme(Vecteur_de(p, *h));
}

// i is a radius vector pointing to the foot H of the perpendicular from the centre (or
// across the line when it passes through the centre), c the distance to H in radii (|i| is
// the radius by construction). A line just outside by rounding is tangent: c is then 1. A
// circle of radius 0 meets only the lines through its centre.
std::optional<Tdeux_points> Intersection_droite_cercle(const Tligne& d, const Trond& c)
{
    const std::optional<Tcoordonnees> h = Projete_orthogonal(c.centre, d);
    if (!h)
        throw Erreur_calcul(Erreur_calcul::Nature::operation_invalide, droite_sans_direction);
    const Tcoordonnees oh = Vecteur_de(c.centre, *h);
    Tcoordonnees i;
    Reel cosinus = 0;
    if (std::fabs(oh.x) < tolerance_nulle && std::fabs(oh.y) < tolerance_nulle) {
        i = Fois(Diviser(c.rayon, Norme(d.direction)), Quart_de_tour(d.direction));
    } else {
        const Reel distance = Norme(oh);
        const Reel rayon = std::fabs(c.rayon);
        if (distance > rayon * (1 + tolerance_tangence))
            return std::nullopt;
        i = Fois(Diviser(c.rayon, distance), oh);
        cosinus = std::min(Diviser(distance, rayon), Reel(1));
    }
    const Tcoordonnees j = Quart_de_tour(i);
    const Reel s = std::sqrt((1 - cosinus) * (1 + cosinus));
    const Tcoordonnees pied = Plus(c.centre, Fois(cosinus, i));
    return Tdeux_points{Plus(pied, Fois(s, j)), Plus(pied, Fois(-s, j))};
}

// The common points lie on the radical line, perpendicular to the line of centres at H.
// When one circle lies inside the other the radical line misses the first: no point.
// Circles apart by rounding only are tangent.
std::optional<Tdeux_points> Intersection_cercles(const Trond& c1, const Trond& c2)
{
    const Tcoordonnees u = Vecteur_de(c1.centre, c2.centre);
    const Reel d = Norme(u);
    if (d > (c1.rayon + c2.rayon) * (1 + tolerance_tangence))
        return std::nullopt;
    const Reel t = Diviser(d * d + c1.rayon * c1.rayon - c2.rayon * c2.rayon, 2 * (d * d));
    const Tligne radicale{Point_plus_vecteur(c1.centre, u, t), Quart_de_tour(u)};
    return Intersection_droite_cercle(radicale, c1);
}

Tligne Mediatrice(Tcoordonnees a, Tcoordonnees b)
{
    return {Milieu(a, b), Quart_de_tour(Vecteur_de(a, b))};
}

// The sum of the two unit vectors bisects the angle; it vanishes when O lies between A and
// B, and the bisector is then perpendicular to (AB).
Tligne Bissectrice(Tcoordonnees a, Tcoordonnees o, Tcoordonnees b)
{
    Tcoordonnees w = Plus(Unitaire(Vecteur_de(o, a)), Unitaire(Vecteur_de(o, b)));
    if (std::fabs(w.x) < tolerance_nulle && std::fabs(w.y) < tolerance_nulle)
        w = Quart_de_tour(Vecteur_de(b, o));
    return {o, w};
}

Tcoordonnees Point_du_cercle(const Trond& c, Reel theta)
{
    return {c.centre.x + c.rayon * std::cos(theta), c.centre.y + c.rayon * std::sin(theta)};
}

// An arc whose start angle exceeds its end angle runs through the direction 0.
Tcoordonnees Point_de_l_arc(const Tarc_de_cercle& arc, Reel t)
{
    const Reel a = arc.angle_debut;
    const Reel b = arc.angle_fin;
    const Reel angle = a <= b ? a + t * (b - a) : a + t * (2 * pi - (a - b));
    return Point_du_cercle(Rond_de(*arc.cercle), angle);
}

Tcentre Centre_de_gravite(Tcoordonnees a, Tcoordonnees b, Tcoordonnees c)
{
    const Tcoordonnees vers_milieu = Vecteur_de(a, Milieu(b, c));
    const Reel det = Determinant_de(Vecteur_de(a, b), Vecteur_de(a, c));
    return {Point_plus_vecteur(a, vers_milieu, Reel(2) / 3),
            std::fabs(det) >= tolerance_alignement};
}

std::optional<Tcoordonnees> Centre_inscrit(Tcoordonnees a, Tcoordonnees b, Tcoordonnees c)
{
    return Intersection_droites(Bissectrice(b, a, c), Bissectrice(a, b, c));
}

std::optional<Tcoordonnees> Centre_circonscrit(Tcoordonnees a, Tcoordonnees b, Tcoordonnees c)
{
    return Intersection_droites(Mediatrice(a, b), Mediatrice(a, c));
}

// The altitudes from A and B, each through its vertex and its foot on the opposite side.
std::optional<Tcoordonnees> Orthocentre(Tcoordonnees a, Tcoordonnees b, Tcoordonnees c)
{
    const std::optional<Tcoordonnees> ha = Projete_orthogonal(a, {b, Vecteur_de(b, c)});
    const std::optional<Tcoordonnees> hb = Projete_orthogonal(b, {a, Vecteur_de(a, c)});
    if (!ha || !hb)
        return std::nullopt;
    return Intersection_droites({a, Vecteur_de(a, *ha)}, {b, Vecteur_de(b, *hb)});
}

std::optional<Trond> Cercle_circonscrit(Tcoordonnees a, Tcoordonnees b, Tcoordonnees c)
{
    const std::optional<Tcoordonnees> centre =
        Intersection_droites(Mediatrice(a, b), Mediatrice(b, c));
    if (!centre)
        return std::nullopt;
    return Trond{*centre, Norme(Vecteur_de(b, *centre))};
}

std::optional<Trond> Cercle_inscrit(Tcoordonnees a, Tcoordonnees b, Tcoordonnees c)
{
    const std::optional<Tcoordonnees> centre = Centre_inscrit(a, b, c);
    if (!centre)
        return std::nullopt;
    return Trond{*centre, Distance_point_droite(*centre, {a, Vecteur_de(a, b)})};
}

Reel Aire_triangle(Tcoordonnees a, Tcoordonnees b, Tcoordonnees c, Reel longueur_unite)
{
    const Reel det = Determinant_de(Vecteur_de(a, b), Vecteur_de(a, c));
    return Diviser(std::fabs(det) / 2, Carre(longueur_unite));
}

std::vector<Tcoordonnees> Polygone_regulier(Tcoordonnees o, Tcoordonnees a, int n)
{
    const Tcoordonnees oa = Vecteur_de(o, a);
    const Tcoordonnees normale = Quart_de_tour(oa);
    std::vector<Tcoordonnees> sommets;
    for (int k = 0; k < n; ++k) {
        const Reel angle = 2 * pi * k / n;
        sommets.push_back(Plus(o, Combinaison(oa, normale, std::cos(angle), std::sin(angle))));
    }
    return sommets;
}

std::array<Tcoordonnees, 4> Rectangle(const Trepere& r, Reel w, Reel h, Reel x0, Reel y0)
{
    return {Repere_vers_absolu(r, {x0, y0}), Repere_vers_absolu(r, {x0, y0 + h}),
            Repere_vers_absolu(r, {x0 + w, y0 + h}), Repere_vers_absolu(r, {x0 + w, y0})};
}

bool Dans_le_cadre(Tcoordonnees p, const TCadre_image& cadre)
{
    return cadre.xmin < p.x && p.x < cadre.xmax && cadre.ymin < p.y && p.y < cadre.ymax;
}

void Actualiser_droite(Tdroite& d)
{
    if (d.point2 == nullptr)
        return;
    Placer(*d.vecteur, Vecteur_de(Coordonnees(*d.point1), Coordonnees(*d.point2)));
    if (d.repere != nullptr && d.repere->vecteur2 != nullptr)
        Placer(*d.repere->vecteur2, Quart_de_tour(Coordonnees(*d.vecteur)));
}

void Actualiser_repere(Trepere& r)
{
    if (r.point2 == nullptr || r.origine == nullptr)
        return;
    Placer(*r.vecteur1, Vecteur_de(Coordonnees(*r.origine), Coordonnees(*r.point2)));
    Placer(*r.vecteur2, Quart_de_tour(Coordonnees(*r.vecteur1)));
}

void Actualiser_vecteur(Tvecteur& u)
{
    if (u.origine == nullptr || u.extremite == nullptr)
        return;
    Placer(u, Vecteur_de(Coordonnees(*u.origine), Coordonnees(*u.extremite)));
}

} // namespace trazel
