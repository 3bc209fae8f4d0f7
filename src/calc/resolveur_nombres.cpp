// The resolver for named numbers and functions, units and frames. A number step's first
// argument is the variable's name; the value it computes goes to the most recent variable of
// that name.

#include <cmath>
#include <numbers>

#include "calc/resolveur_interne.h"
#include "calc/vecteurs.h"
#include "model/erreurs.h"

namespace trazel::resolveur {
namespace {

constexpr Reel pi = std::numbers::pi_v<Reel>;

Reel En_degres_si_demande(Reel angle, const std::string& unite_d_angle)
{
    return Est_en_degres(unite_d_angle) ? angle * 180 / pi : angle;
}

// Coordinates in a frame: of a point (7, 9) or of a vector expression (8, 10); the
// abscissa for 9 and 10, the ordinate for 7 and 8.
Reel Coordonnee(const TEtape& etape, TContexte_calcul& contexte)
{
    const std::int32_t g = etape.genre;
    const Trepere& r = Arg<Trepere>(etape, 3);
    const Tcoordonnees u =
        g == 7 || g == 9
            ? Vecteur_de(Coordonnees(*r.origine), Coordonnees(Arg<Tpoint>(etape, 2)))
            : Vecteur(Arg<std::string>(etape, 2), Arg<Tunite>(etape, 4), contexte);
    const Tcoordonnees ab = Coordonnees_dans_repere(r, u);
    return g == 9 || g == 10 ? ab.x : ab.y;
}

// Angles measured between 0 and pi: geometric (12, between three points) and oriented
// between two vectors (13, brought into (-pi, pi]).
Reel Angle(const TEtape& etape, TContexte_calcul& contexte)
{
    if (etape.genre == 12) {
        Reel alpha = Angle_oriente(Coordonnees(Arg<Tpoint>(etape, 2)),
                                   Coordonnees(Arg<Tpoint>(etape, 3)),
                                   Coordonnees(Arg<Tpoint>(etape, 4)));
        if (alpha > pi)
            alpha = 2 * pi - alpha;
        return En_degres_si_demande(alpha, Arg<std::string>(etape, 5));
    }
    const Tunite& unite = Arg<Tunite>(etape, 2);
    Reel alpha = Angle_vecteurs(Vecteur(Arg<std::string>(etape, 3), unite, contexte),
                                Vecteur(Arg<std::string>(etape, 4), unite, contexte));
    if (alpha > pi)
        alpha = alpha - 2 * pi;
    return En_degres_si_demande(alpha, Arg<std::string>(etape, 5));
}

// The slope of a line in a frame: dy / dx of its direction there; none when dx is 0.
std::optional<Reel> Pente(const TEtape& etape)
{
    const Tligne d = Ligne_actuelle(Arg<Tdroite>(etape, 2));
    const Tcoordonnees ab = Coordonnees_dans_repere(Arg<Trepere>(etape, 3), d.direction);
    if (ab.x == 0)
        return std::nullopt;
    return Diviser(ab.y, ab.x);
}

} // namespace

// Shared with the reader, which records the value once and appends the variable.
std::optional<Reel> Valeur_mesuree(const TEtape& etape, TContexte_calcul& contexte)
{
    switch (etape.genre) {
    case 7: case 8: case 9: case 10:
        return Coordonnee(etape, contexte);
    case 11:
        return Diviser(Distance_point_droite(Coordonnees(Arg<Tpoint>(etape, 2)),
                                             Ligne_actuelle(Arg<Tdroite>(etape, 3))),
                       Longueur_unite(&Arg<Tunite>(etape, 4)));
    case 12: case 13:
        return Angle(etape, contexte);
    case 14: case 24:
        return Mesure(Arg<std::string>(etape, 2), Arg<Tunite>(etape, 3), contexte);
    case 15: {
        const Tpolygone& t = Arg<Tpolygone>(etape, 2);
        return Aire_triangle(Coordonnees(*t.sommets.at(0)), Coordonnees(*t.sommets.at(1)),
                             Coordonnees(*t.sommets.at(2)), Longueur_unite(&Arg<Tunite>(etape, 3)));
    }
    case 16: // the radius in figure units: a circle may be given in another unit
        return Diviser(Rayon_reel(Arg<Tcercle>(etape, 2)), Longueur_unite(&Arg<Tunite>(etape, 3)));
    case 17: case 19:
        return Arg<Reel>(etape, 5);
    case 18: case 20:
        return Arg<Reel>(etape, 2);
    case 21: {
        const Tsegment& s = Arg<Tsegment>(etape, 2);
        return Diviser(Norme(Vecteur_de(Coordonnees(*s.extremite1), Coordonnees(*s.extremite2))),
                       Longueur_unite(&Arg<Tunite>(etape, 3)));
    }
    case 22:
        return Pente(etape);
    default:
        return std::nullopt;
    }
}

bool Recalculer_nombre(TEtape& etape, TContexte_calcul& contexte)
{
    const std::int32_t g = etape.genre;
    if ((g >= 7 && g <= 22) || g == 24) {
        if (const std::optional<Reel> valeur = Valeur_mesuree(etape, contexte))
            contexte.form2.Affecter_variable(Arg<std::string>(etape, 1), *valeur);
        return true;
    }
    if (g == 23) {
        // The body is stored with its distances and scalar products already written out.
        const Tunite& unite = Arg<Tunite>(etape, 3);
        contexte.form2.Affecter_fonction(
            Arg<std::string>(etape, 4),
            Reecrire_mesure(Arg<std::string>(etape, 2), Longueur_unite(&unite), contexte.figure,
                            contexte.form2),
            contexte.figure.liste_points, 1, Arg<std::string>(etape, 1));
        return true;
    }
    if (g == 25) {
        Trepere& r = Objet<Trepere>(etape);
        const Tunite& unite = Arg<Tunite>(etape, 5);
        Placer(*r.vecteur1, Vecteur(Arg<std::string>(etape, 1), unite, contexte));
        Placer(*r.vecteur2, Vecteur(Arg<std::string>(etape, 2), unite, contexte));
        r.pas1 = Mesure(Arg<std::string>(etape, 3), unite, contexte);
        r.pas2 = Mesure(Arg<std::string>(etape, 4), unite, contexte);
        return true;
    }
    if (g == 83) {
        Placer(*Objet<Tunite>(etape).vecteur,
               Vecteur(Arg<std::string>(etape, 1), Arg<Tunite>(etape, 2), contexte));
        return true;
    }
    return false;
}

} // namespace trazel::resolveur

namespace trazel {

std::optional<Reel> Valeur_de_variable(const TEtape& etape, TContexte_calcul& contexte)
{
    return resolveur::Valeur_mesuree(etape, contexte);
}

} // namespace trazel
