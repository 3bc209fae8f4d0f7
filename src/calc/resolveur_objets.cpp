// The resolver for lines, circles, arcs, polygons, vectors and transformations.

#include <cmath>
#include <numbers>

#include "calc/resolveur_interne.h"
#include "calc/transformations.h"
#include "calc/vecteurs.h"
#include "model/erreurs.h"

namespace trazel::resolveur {
namespace {

constexpr Reel pi = std::numbers::pi_v<Reel>;

Reel Longueur(const Tunite& unite)
{
    return Longueur_unite(&unite);
}

// A new direction for a line: its own frame turns with it.
void Orienter(Tdroite& d, Tcoordonnees direction)
{
    Placer(*d.vecteur, direction);
    if (d.repere != nullptr && d.repere->vecteur2 != nullptr)
        Placer(*d.repere->vecteur2, Quart_de_tour(direction));
}

void Placer_ligne(Tdroite& d, const Tligne& ligne)
{
    Placer(*d.point1, ligne.point);
    Orienter(d, ligne.direction);
}

// Every "X" of the equation replaced by x, every "Y" by y.
std::string Substituer(const std::string& equation, std::string_view x, std::string_view y)
{
    std::string texte;
    for (const char c : equation)
        texte += c == 'X' ? std::string(x) : c == 'Y' ? std::string(y) : std::string(1, c);
    return texte;
}

// The line a x + b y + e = 0 in frame R, with f(x, y) = a x + b y + e given as text: e, a
// and b come from f at (0, 0), (1, 0) and (0, 1), the differences formed in the text.
void Droite_d_equation(TEtape& etape, Tdroite& d, TContexte_calcul& contexte)
{
    const std::string& equation = Arg<std::string>(etape, 1);
    const Tunite& unite = Arg<Tunite>(etape, 2);
    const Trepere& r = Arg<Trepere>(etape, 3);
    const Reel e = Mesure(Substituer(equation, "(0)", "(0)"), unite, contexte);
    const std::string moins_e = "-(" + Reel_en_texte(e) + ")";
    const Reel a = Mesure(Substituer(equation, "(1)", "(0)") + moins_e, unite, contexte);
    const Reel b = Mesure(Substituer(equation, "(0)", "(1)") + moins_e, unite, contexte);
    const bool sur_l_axe_x = b == 0 || std::fabs(Diviser(a, b)) > 1;
    const Tcoordonnees point =
        sur_l_axe_x ? Tcoordonnees{Diviser(-e, a), 0} : Tcoordonnees{0, Diviser(-e, b)};
    Placer(*d.point1, Repere_vers_absolu(r, point));
    Orienter(d, Combinaison(Coordonnees(*r.vecteur1), Coordonnees(*r.vecteur2), -b, a));
}

// The direction of a reference line, from its two points when it has them.
Tcoordonnees Direction_de_reference(const Tdroite& reference)
{
    if (reference.point2 != nullptr)
        return Vecteur_de(Coordonnees(*reference.point1), Coordonnees(*reference.point2));
    return Coordonnees(*reference.vecteur);
}

bool Recalculer_droite(TEtape& etape, TContexte_calcul& contexte)
{
    Tdroite& d = Objet<Tdroite>(etape);
    switch (etape.code()) {
    case TCode::droite_deux_points:
    case TCode::demi_droite:
        Actualiser_droite(d);
        return true;
    case TCode::image_droite:
        Placer_ligne(d, Image_droite(Arg<std::string>(etape, 2),
                                     Actualiser_ligne(Arg<Tdroite>(etape, 1)),
                                     contexte.figure.transformations));
        return true;
    case TCode::droite_coefficient: {
        const Trepere& r = Arg<Trepere>(etape, 3);
        const Reel m = Mesure(Arg<std::string>(etape, 1), Arg<Tunite>(etape, 2), contexte);
        Orienter(d, Combinaison(Coordonnees(*r.vecteur1), Coordonnees(*r.vecteur2), 1, m));
        return true;
    }
    case TCode::parallele: {
        const Tcoordonnees u = Direction_de_reference(Arg<Tdroite>(etape, 1));
        const Reel n = Norme(u);
        const Tcoordonnees unitaire{Diviser(u.x, n), Diviser(u.y, n)};
        Placer(*d.point2, Point_plus_vecteur(Coordonnees(*d.point1), unitaire, 1));
        Actualiser_droite(d);
        return true;
    }
    case TCode::perpendiculaire:
        Orienter(d, Quart_de_tour(Actualiser_ligne(Arg<Tdroite>(etape, 1)).direction));
        return true;
    case TCode::droite_graduee: {
        const Tunite& unite = Arg<Tunite>(etape, 2);
        Orienter(d, Vecteur(Arg<std::string>(etape, 1), unite, contexte));
        d.pas = Mesure(Arg<std::string>(etape, 3), unite, contexte);
        return true;
    }
    case TCode::mediatrice: {
        const Tsegment& s = Arg<Tsegment>(etape, 1);
        Placer_ligne(d, Mediatrice(Coordonnees(*s.extremite1), Coordonnees(*s.extremite2)));
        return true;
    }
    case TCode::bissectrice: {
        const Tpolygone& angle = Arg<Tpolygone>(etape, 1);
        Placer_ligne(d, Bissectrice(Coordonnees(*angle.sommets.at(0)),
                                    Coordonnees(*angle.sommets.at(1)),
                                    Coordonnees(*angle.sommets.at(2))));
        return true;
    }
    case TCode::droite_equation:
        Droite_d_equation(etape, d, contexte);
        return true;
    default:
        return false;
    }
}

void Placer_rond(Tcercle& c, const Trond& rond)
{
    Placer(*c.centre, rond.centre);
    c.rayon = rond.rayon;
}

bool Recalculer_cercle(TEtape& etape, TContexte_calcul& contexte)
{
    Tcercle& c = Objet<Tcercle>(etape);
    const Tcoordonnees centre = c.centre != nullptr ? Coordonnees(*c.centre) : Tcoordonnees{};
    switch (etape.code()) {
    case TCode::image_cercle: {
        const Tcercle& source = Arg<Tcercle>(etape, 1);
        const TImage_cercle image =
            Image_cercle(Arg<std::string>(etape, 2), source, contexte.figure.transformations);
        Placer(*c.centre, image.centre);
        c.rayon = image.rayon;
        c.unite = source.unite;
        return true;
    }
    case TCode::cercle_rayon:
        c.rayon = Mesure(Arg<std::string>(etape, 1), *c.unite, contexte);
        return true;
    case TCode::cercle_passant:
        c.rayon = Norme(Vecteur_de(centre, Coordonnees(Arg<Tpoint>(etape, 1))));
        return true;
    case TCode::cercle_tangent:
        c.rayon = Distance_point_droite(centre, Actualiser_ligne(Arg<Tdroite>(etape, 1)));
        return true;
    case TCode::cercle_diametre: {
        const Tsegment& s = Arg<Tsegment>(etape, 1);
        const Tcoordonnees milieu = Milieu(Coordonnees(*s.extremite1), Coordonnees(*s.extremite2));
        Placer_rond(c, {milieu, Norme(Vecteur_de(milieu, Coordonnees(*s.extremite1)))});
        return true;
    }
    case TCode::cercle_circonscrit:
    case TCode::cercle_inscrit: {
        const Tpolygone& t = Arg<Tpolygone>(etape, 1);
        const Tcoordonnees a = Coordonnees(*t.sommets.at(0)), b = Coordonnees(*t.sommets.at(1)),
                           k = Coordonnees(*t.sommets.at(2));
        const std::optional<Trond> rond = etape.code() == TCode::cercle_circonscrit
                                              ? Cercle_circonscrit(a, b, k)
                                              : Cercle_inscrit(a, b, k);
        if (rond)
            Placer_rond(c, *rond);
        else
            Signaler_sans_solution(contexte, etape);
        return true;
    }
    default:
        return false;
    }
}

// An end at the centre has no angle: the fault says which end.
void Recalculer_arc(TEtape& etape)
{
    Tarc_de_cercle& arc = Objet<Tarc_de_cercle>(etape);
    Tcercle& cercle = *arc.cercle;
    const Tcoordonnees centre = Coordonnees(*cercle.centre);
    const Tpoint& origine = Arg<Tpoint>(etape, 1);
    const Tpoint& extremite = Arg<Tpoint>(etape, 2);
    const Tcoordonnees p = Coordonnees(origine), q = Coordonnees(extremite);
    for (const Tpoint* bout : {&origine, &extremite})
        if (Coordonnees(*bout).x == centre.x && Coordonnees(*bout).y == centre.y)
            throw Erreur_calcul(
                Erreur_calcul::Nature::operation_invalide,
                std::string(bout == &origine ? "l'origine " : "l'extr\xE9mit\xE9 ") +
                    Guillemets(bout->nom) +
                    " est au centre du cercle : elle n'y a pas de direction");
    if (etape.code() == TCode::arc_nouveau_cercle)
        cercle.rayon = Norme(Vecteur_de(centre, p));
    arc.angle_debut = Angle_polaire(centre, p);
    arc.angle_fin = Angle_polaire(centre, q);
}

void Recalculer_polygone(TEtape& etape, TContexte_calcul& contexte)
{
    Tpolygone& p = Objet<Tpolygone>(etape);
    auto placer_tous = [&](const auto& sommets) {
        for (std::size_t k = 0; k < sommets.size() && k < p.sommets.size(); ++k)
            Placer(*p.sommets[k], sommets[k]);
    };
    switch (etape.code()) {
    case TCode::polygone_regulier:
        placer_tous(Polygone_regulier(Coordonnees(Arg<Tpoint>(etape, 2)),
                                      Coordonnees(Arg<Tpoint>(etape, 3)),
                                      Arg<std::int32_t>(etape, 1)));
        break;
    case TCode::rectangle_diagonale: {
        // The corners 1 and 3 follow the diagonal's ends 0 and 2.
        const Tcoordonnees a = Coordonnees(*p.sommets.at(0)), c = Coordonnees(*p.sommets.at(2));
        Placer(*p.sommets.at(1), {a.x, c.y});
        Placer(*p.sommets.at(3), {c.x, a.y});
        break;
    }
    case TCode::rectangle_dimensions: {
        const Tunite& unite = Arg<Tunite>(etape, 5);
        auto valeur = [&](int k) { return Mesure(Arg<std::string>(etape, k), unite, contexte); };
        placer_tous(Rectangle(Arg<Trepere>(etape, 6), valeur(1), valeur(2), valeur(3), valeur(4)));
        break;
    }
    default: // 57: its vertices are points of the figure
        break;
    }
}

void Recalculer_vecteur(TEtape& etape, TContexte_calcul& contexte)
{
    Tvecteur& u = Objet<Tvecteur>(etape);
    if (etape.code() == TCode::vecteur_expression) {
        Placer(u, Vecteur(Arg<std::string>(etape, 2), Arg<Tunite>(etape, 3), contexte));
        return;
    }
    const Tunite& unite = Arg<Tunite>(etape, 3);
    const Trepere& r = Arg<Trepere>(etape, 5);
    const Tcoordonnees bout =
        Repere_vers_absolu(r, {Mesure(Arg<std::string>(etape, 2), unite, contexte),
                               Mesure(Arg<std::string>(etape, 4), unite, contexte)});
    Placer(u, Vecteur_de(Coordonnees(*r.origine), bout));
}

Reel Angle_lu(const std::string& texte, const std::string& unite_d_angle, const Tunite& unite,
              TContexte_calcul& contexte)
{
    const Reel angle = Mesure(texte, unite, contexte);
    return Est_en_degres(unite_d_angle) ? angle * pi / 180 : angle;
}

Reel Norme_actuelle(Tvecteur& u)
{
    Actualiser_vecteur(u);
    return Norme(Coordonnees(u));
}

} // namespace

int Nombre_arguments(const TEtape& etape)
{
    int n = 0;
    for (const TArgument* a = etape.arguments; a != nullptr; a = a->suivant)
        ++n;
    return n;
}

Tligne Actualiser_ligne(Tdroite& d)
{
    Actualiser_droite(d);
    return Ligne_de(d);
}

Reel Mesure(const std::string& texte, const Tunite& unite, TContexte_calcul& contexte)
{
    // A text kept in place holds no measure term, so its value needs neither a scan for
    // them nor the unit's length: the replays of a curve find their formulas this way.
    if (Reel valeur = 0; contexte.form2.Evaluer_en_place_si_retenu(texte, valeur))
        return valeur;
    return Evaluer_mesure(texte, Longueur(unite), contexte.figure, contexte.form2);
}

Tcoordonnees Vecteur(const std::string& texte, const Tunite& unite, TContexte_calcul& contexte)
{
    return Evaluer_vecteur(texte, Longueur(unite), contexte.figure, contexte.form2);
}

void Regler_transformation(TCode genre, const TEtape& etape, int k, TContexte_calcul& contexte)
{
    switch (genre) {
    case TCode::similitude_angle: {
        auto& s = Arg<Tsimilitude_directe>(etape, k + 4);
        const Tunite& unite = Arg<Tunite>(etape, k + 3);
        s.angle =
            Angle_lu(Arg<std::string>(etape, k), Arg<std::string>(etape, k + 1), unite, contexte);
        s.rapport = Mesure(Arg<std::string>(etape, k + 2), unite, contexte);
        break;
    }
    case TCode::similitude_points: {
        auto& s = Arg<Tsimilitude_directe>(etape, k + 4);
        s.angle = Angle_oriente(Coordonnees(Arg<Tpoint>(etape, k)), Coordonnees(*s.centre),
                                Coordonnees(Arg<Tpoint>(etape, k + 1)));
        const Reel oa = Norme_actuelle(Arg<Tvecteur>(etape, k + 2));
        s.rapport = Diviser(Norme_actuelle(Arg<Tvecteur>(etape, k + 3)), oa);
        break;
    }
    case TCode::homothetie_rapport:
        Arg<Thomothetie>(etape, k + 2).rapport =
            Mesure(Arg<std::string>(etape, k), Arg<Tunite>(etape, k + 1), contexte);
        break;
    case TCode::homothetie_points: {
        Tvecteur& u = Arg<Tvecteur>(etape, k + 2);
        Tvecteur& v = Arg<Tvecteur>(etape, k + 3);
        Actualiser_vecteur(u);
        Actualiser_vecteur(v);
        Arg<Thomothetie>(etape, k + 4).rapport =
            Diviser(Produit_scalaire(Coordonnees(u), Coordonnees(v)),
                    Produit_scalaire(Coordonnees(u), Coordonnees(u)));
        break;
    }
    case TCode::rotation_points: {
        const Tpolygone& angle = Arg<Tpolygone>(etape, k);
        Arg<Trotation>(etape, k + 1).angle =
            Angle_oriente(Coordonnees(*angle.sommets.at(0)), Coordonnees(*angle.sommets.at(1)),
                          Coordonnees(*angle.sommets.at(2)));
        break;
    }
    case TCode::rotation_angle:
        Arg<Trotation>(etape, k + 3).angle =
            Angle_lu(Arg<std::string>(etape, k), Arg<std::string>(etape, k + 2),
                     Arg<Tunite>(etape, k + 1), contexte);
        break;
    case TCode::translation_vecteur:
        Placer(*Arg<Ttranslation>(etape, k + 2).vecteur,
               Vecteur(Arg<std::string>(etape, k), Arg<Tunite>(etape, k + 1), contexte));
        break;
    case TCode::translation_points:
        Placer(
            *Arg<Ttranslation>(etape, k + 2).vecteur,
            Vecteur_de(Coordonnees(Arg<Tpoint>(etape, k)), Coordonnees(Arg<Tpoint>(etape, k + 1))));
        break;
    case TCode::symetrie_axiale:
        Actualiser_ligne(*Arg<Tsymetrie_axiale>(etape, k).axe);
        break;
    default: // a composition and a point reflection have nothing to recompute
        break;
    }
}

void Recalculer_objet(TEtape& etape, TContexte_calcul& contexte)
{
    switch (Construction(etape.genre).famille) {
    case TFamille::vecteur:
        Recalculer_vecteur(etape, contexte);
        break;
    case TFamille::transformation:
        Regler_transformation(etape.code(), etape, 1, contexte);
        break;
    case TFamille::arc:
        Recalculer_arc(etape);
        break;
    case TFamille::polygone:
        Recalculer_polygone(etape, contexte);
        break;
    case TFamille::droite:
        Recalculer_droite(etape, contexte);
        break;
    case TFamille::cercle:
        Recalculer_cercle(etape, contexte);
        break;
    default:
        break;
    }
}

} // namespace trazel::resolveur
