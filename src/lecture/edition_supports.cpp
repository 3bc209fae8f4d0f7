// The supports of movable points: their parameters from a position, and back, by the
// resolver's own formulas.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "lecture/edition.h"

namespace trazel {
namespace {

constexpr Reel pi = std::numbers::pi_v<Reel>;

Reel Scalaire(Tcoordonnees u, Tcoordonnees v)
{
    return u.x * v.x + u.y * v.y;
}

// The direction of c seen from the centre, in [0, 2pi); 0 at the centre itself.
Reel Angle_de(Tcoordonnees centre, Tcoordonnees c)
{
    const Tcoordonnees u = Vecteur_de(centre, c);
    if (u.x == 0 && u.y == 0)
        return 0;
    const Reel angle = std::atan2(u.y, u.x);
    return angle < 0 ? angle + 2 * pi : angle;
}

// The parameter of the orthogonal projection of c on origine + t e.
Reel Parametre_sur_ligne(const TSupport& s, Tcoordonnees c)
{
    const Reel n = Scalaire(s.e, s.e);
    return n == 0 ? 0 : Scalaire(Vecteur_de(s.origine, c), s.e) / n;
}

// t in [0, 1] along the arc; a direction outside the arc gives its nearer end.
Reel Parametre_sur_arc(const TSupport& s, Tcoordonnees c)
{
    const Reel etendue = s.debut <= s.fin ? s.fin - s.debut : 2 * pi - (s.debut - s.fin);
    Reel ecart = std::fmod(Angle_de(s.rond.centre, c) - s.debut, 2 * pi);
    if (ecart < 0)
        ecart += 2 * pi;
    if (etendue <= 0)
        return 0;
    if (ecart <= etendue)
        return ecart / etendue;
    return ecart - etendue < 2 * pi - ecart ? 1 : 0;
}

// (u, v) with origine + u e + v f = c; a flat frame gives the projection on e.
std::vector<Reel> Parametres_dans_repere(const TSupport& s, Tcoordonnees c)
{
    const Reel det = s.e.x * s.f.y - s.e.y * s.f.x;
    if (det == 0)
        return {Parametre_sur_ligne(s, c), 0};
    const Tcoordonnees d = Vecteur_de(s.origine, c);
    return {(d.x * s.f.y - d.y * s.f.x) / det, (s.e.x * d.y - s.e.y * d.x) / det};
}

} // namespace

std::vector<Reel> Parametres_du_point(const TSupport& s, Tcoordonnees c)
{
    using S = TSupport::TSorte;
    switch (s.sorte) {
    case S::plan:
        return {c.x, c.y};
    case S::repere:
        return Parametres_dans_repere(s, c);
    case S::cadre:
        return {s.e.x == 0 ? 0 : (c.x - s.origine.x) / s.e.x,
                s.f.y == 0 ? 0 : (c.y - s.origine.y) / s.f.y};
    case S::droite:
        return {Parametre_sur_ligne(s, c)};
    case S::segment:
        return {std::clamp(Parametre_sur_ligne(s, c), Reel(0), Reel(1))};
    case S::demi_droite:
        return {std::max(Parametre_sur_ligne(s, c), Reel(0))};
    case S::cercle:
        return {Angle_de(s.rond.centre, c)};
    case S::arc:
        return {Parametre_sur_arc(s, c)};
    }
    return {};
}

// The formulas of Point_repere and Point_du_cadre in the resolver, term for term.
Tcoordonnees Position_du_point(const TSupport& s, const std::vector<Reel>& parametres)
{
    using S = TSupport::TSorte;
    const Reel u = parametres.empty() ? 0 : parametres[0];
    const Reel v = parametres.size() < 2 ? 0 : parametres[1];
    switch (s.sorte) {
    case S::plan:
        return {u, v};
    case S::repere:
        return Repere_vers_absolu(s.origine, s.e, s.f, {u, v});
    case S::cadre:
        return {s.origine.x + u * s.e.x, s.origine.y + v * s.f.y};
    case S::droite:
    case S::segment:
    case S::demi_droite:
        return Repere_vers_absolu(s.origine, s.e, s.f, {u, 0});
    case S::cercle:
        return Point_du_cercle(s.rond, u);
    case S::arc: {
        Tpoint centre;
        Placer(centre, s.rond.centre);
        Tcercle cercle{.centre = &centre, .rayon = s.rond.rayon};
        const Tarc_de_cercle arc{.cercle = &cercle, .angle_debut = s.debut, .angle_fin = s.fin};
        return Point_de_l_arc(arc, u);
    }
    }
    return {};
}

} // namespace trazel
