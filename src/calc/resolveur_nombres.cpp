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

// Coordinates in a frame, of a point or of a vector expression: the abscissa or the ordinate.
Reel Coordonnee(const TEtape& etape, TContexte_calcul& contexte)
{
    const TCode g = etape.code();
    const Trepere& r = Arg<Trepere>(etape, 3);
    const Tcoordonnees u =
        g == TCode::ordonnee_point || g == TCode::abscisse_point
            ? Vecteur_de(Coordonnees(*r.origine), Coordonnees(Arg<Tpoint>(etape, 2)))
            : Vecteur(Arg<std::string>(etape, 2), Arg<Tunite>(etape, 4), contexte);
    const Tcoordonnees ab = Coordonnees_dans_repere(r, u);
    return g == TCode::abscisse_point || g == TCode::abscisse_vecteur ? ab.x : ab.y;
}

// Angles measured between 0 and pi: geometric (between three points) and oriented between
// two vectors (brought into (-pi, pi]).
Reel Angle(const TEtape& etape, TContexte_calcul& contexte)
{
    if (etape.code() == TCode::angle_geometrique) {
        Reel alpha =
            Angle_oriente(Coordonnees(Arg<Tpoint>(etape, 2)), Coordonnees(Arg<Tpoint>(etape, 3)),
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
    const Tligne d = Actualiser_ligne(Arg<Tdroite>(etape, 2));
    const Tcoordonnees ab = Coordonnees_dans_repere(Arg<Trepere>(etape, 3), d.direction);
    if (ab.x == 0)
        return std::nullopt;
    return Diviser(ab.y, ab.x);
}

} // namespace

// Shared with the reader, which records the value once and appends the variable.
std::optional<Reel> Valeur_mesuree(const TEtape& etape, TContexte_calcul& contexte)
{
    switch (etape.code()) {
    case TCode::ordonnee_point:
    case TCode::ordonnee_vecteur:
    case TCode::abscisse_point:
    case TCode::abscisse_vecteur:
        return Coordonnee(etape, contexte);
    case TCode::distance_point_droite:
        return Diviser(Distance_point_droite(Coordonnees(Arg<Tpoint>(etape, 2)),
                                             Actualiser_ligne(Arg<Tdroite>(etape, 3))),
                       Longueur_unite(&Arg<Tunite>(etape, 4)));
    case TCode::angle_geometrique:
    case TCode::angle_vecteurs:
        return Angle(etape, contexte);
    case TCode::produit_scalaire:
    case TCode::reel_expression:
        return Mesure(Arg<std::string>(etape, 2), Arg<Tunite>(etape, 3), contexte);
    case TCode::aire_triangle: {
        const Tpolygone& t = Arg<Tpolygone>(etape, 2);
        return Aire_triangle(Coordonnees(*t.sommets.at(0)), Coordonnees(*t.sommets.at(1)),
                             Coordonnees(*t.sommets.at(2)), Longueur_unite(&Arg<Tunite>(etape, 3)));
    }
    case TCode::rayon_cercle: // the radius in figure units: a circle may be given in another unit
        return Diviser(Rayon_reel(Arg<Tcercle>(etape, 2)), Longueur_unite(&Arg<Tunite>(etape, 3)));
    case TCode::reel_borne:
    case TCode::entier_borne:
        return Arg<Reel>(etape, 5);
    case TCode::reel_libre:
    case TCode::entier_libre:
        return Arg<Reel>(etape, 2);
    case TCode::longueur_segment: {
        const Tsegment& s = Arg<Tsegment>(etape, 2);
        return Diviser(Norme(Vecteur_de(Coordonnees(*s.extremite1), Coordonnees(*s.extremite2))),
                       Longueur_unite(&Arg<Tunite>(etape, 3)));
    }
    case TCode::coefficient_directeur:
        return Pente(etape);
    default:
        return std::nullopt;
    }
}

// The body is stored with its distances and scalar products already written out.
bool Recalculer_fonction(const TEtape& etape, TContexte_calcul& contexte)
{
    const Tunite& unite = Arg<Tunite>(etape, 3);
    return contexte.form2.Affecter_fonction(
        Arg<std::string>(etape, 4),
        Reecrire_mesure(Arg<std::string>(etape, 2), Longueur_unite(&unite), contexte.figure,
                        contexte.form2),
        contexte.figure.liste_points, 1, Arg<std::string>(etape, 1));
}

void Recalculer_nombre(TEtape& etape, TContexte_calcul& contexte)
{
    const TCode g = etape.code();
    if (Construction(g).famille == TFamille::mesure) {
        if (const std::optional<Reel> valeur = Valeur_mesuree(etape, contexte))
            contexte.form2.Affecter_variable(Arg<std::string>(etape, 1), *valeur);
        else
            Signaler_sans_solution(contexte, etape);
        return;
    }
    if (g == TCode::fonction) {
        Recalculer_fonction(etape, contexte);
        return;
    }
    if (g == TCode::repere) {
        Trepere& r = Objet<Trepere>(etape);
        const Tunite& unite = Arg<Tunite>(etape, 5);
        Placer(*r.vecteur1, Vecteur(Arg<std::string>(etape, 1), unite, contexte));
        Placer(*r.vecteur2, Vecteur(Arg<std::string>(etape, 2), unite, contexte));
        r.pas1 = Mesure(Arg<std::string>(etape, 3), unite, contexte);
        r.pas2 = Mesure(Arg<std::string>(etape, 4), unite, contexte);
        return;
    }
    if (g == TCode::unite) {
        Placer(*Objet<Tunite>(etape).vecteur,
               Vecteur(Arg<std::string>(etape, 1), Arg<Tunite>(etape, 2), contexte));
        return;
    }
}

} // namespace trazel::resolveur

namespace trazel {

std::optional<Reel> Valeur_de_variable(const TEtape& etape, TContexte_calcul& contexte)
{
    return resolveur::Valeur_mesuree(etape, contexte);
}

} // namespace trazel
