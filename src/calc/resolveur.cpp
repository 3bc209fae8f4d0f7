#include "calc/resolveur.h"

#include <cmath>
#include <numbers>

#include "calc/noms.h"
#include "calc/resolveur_interne.h"
#include "model/erreurs.h"
#include "calc/transformations.h"
#include "calc/vecteurs.h"
#include "model/phrases.h"

namespace trazel {

using namespace resolveur;

namespace {

constexpr Reel pi = std::numbers::pi_v<Reel>;

// Two intersection points closer than this per coordinate are the same point: it decides
// which intersection is "the other one" than a given point.
constexpr Reel tolerance_meme_point = 1e-9L;

bool Meme_point(Tcoordonnees a, Tcoordonnees b)
{
    return std::fabs(a.x - b.x) < tolerance_meme_point &&
           std::fabs(a.y - b.y) < tolerance_meme_point;
}

// The point (u, v) of the axis-parallel rectangle spanned by the first four vertices, in
// fractions of its width and height from its lowest corner.
Tcoordonnees Point_du_cadre(const Tpolygone& cadre, Reel u, Reel v)
{
    Tcoordonnees bas = Coordonnees(*cadre.sommets.at(0));
    Tcoordonnees haut = bas;
    for (std::size_t k = 1; k < 4 && k < cadre.sommets.size(); ++k) {
        const Tcoordonnees s = Coordonnees(*cadre.sommets[k]);
        bas = {std::min(bas.x, s.x), std::min(bas.y, s.y)};
        haut = {std::max(haut.x, s.x), std::max(haut.y, s.y)};
    }
    return {bas.x + u * (haut.x - bas.x), bas.y + v * (haut.y - bas.y)};
}

Tcoordonnees Sommet(const Tpolygone& p, std::size_t k)
{
    return Coordonnees(*p.sommets.at(k));
}

// Intersections of a line and a circle, or of two circles, numbered as the figure text
// numbers them: 71 and 73 take M2 and M1 of a line and a circle, 72 and 74 M1 and M2 of
// two circles, 75 and 76 M2 unless it is the given point.
std::optional<Tcoordonnees> Intersection(TEtape& etape, TContexte_calcul&)
{
    const std::int32_t genre = etape.genre;
    const bool deux_cercles = genre == 72 || genre == 74 || genre == 76;
    const std::optional<Tdeux_points> m =
        deux_cercles ? Intersection_cercles(Rond_de(Arg<Tcercle>(etape, 1)),
                                            Rond_de(Arg<Tcercle>(etape, 2)))
                     : Intersection_droite_cercle(Ligne_actuelle(Arg<Tdroite>(etape, 1)),
                                                  Rond_de(Arg<Tcercle>(etape, 2)));
    if (!m)
        return std::nullopt;
    switch (genre) {
    case 71:
    case 74:
        return m->m2;
    case 72:
    case 73:
        return m->m1;
    default: // 75, 76: the other point than the one given, when one is
        if (Nombre_arguments(etape) == 4 && Meme_point(m->m2, Coordonnees(Arg<Tpoint>(etape, 3))))
            return m->m1;
        return m->m2;
    }
}

// Points defined by two or three other objects.
std::optional<Tcoordonnees> Point_construit(TEtape& etape, TContexte_calcul& contexte)
{
    switch (etape.genre) {
    case 26:
        return Projete_orthogonal(Coordonnees(Arg<Tpoint>(etape, 1)),
                                  Ligne_actuelle(Arg<Tdroite>(etape, 2)));
    case 27: {
        const Tligne direction = Ligne_actuelle(Arg<Tdroite>(etape, 3));
        return Intersection_droites(Ligne_actuelle(Arg<Tdroite>(etape, 2)),
                                    {Coordonnees(Arg<Tpoint>(etape, 1)), direction.direction});
    }
    case 70:
        return Intersection_droites(Ligne_actuelle(Arg<Tdroite>(etape, 1)),
                                    Ligne_actuelle(Arg<Tdroite>(etape, 2)));
    case 84: {
        const Tunite& unite = Arg<Tunite>(etape, 3);
        const Reel a = Mesure(Arg<std::string>(etape, 2), unite, contexte) *
                       Longueur_unite(&unite);
        const Tligne d = Ligne_actuelle(Arg<Tdroite>(etape, 1));
        return Point_plus_vecteur(d.point, d.direction, Diviser(a, Norme(d.direction)));
    }
    case 89: {
        const Tsegment& s = Arg<Tsegment>(etape, 1);
        return Milieu(Coordonnees(*s.extremite1), Coordonnees(*s.extremite2));
    }
    case 95:
        return Coordonnees(*Arg<Tcercle>(etape, 1).centre);
    default:
        return Intersection(etape, contexte);
    }
}

// Triangle centres also say whether they exist, in the point's dessine.
std::optional<Tcoordonnees> Centre_du_triangle(TEtape& etape, Tpoint& point)
{
    const Tpolygone& t = Arg<Tpolygone>(etape, 1);
    const Tcoordonnees a = Sommet(t, 0), b = Sommet(t, 1), c = Sommet(t, 2);
    std::optional<Tcoordonnees> centre;
    if (etape.genre == 92) {
        const Tcentre g = Centre_de_gravite(a, b, c);
        point.dessine = g.defini;
        return g.point;
    }
    centre = etape.genre == 93   ? Centre_inscrit(a, b, c)
             : etape.genre == 94 ? Centre_circonscrit(a, b, c)
                                 : Orthocentre(a, b, c);
    point.dessine = centre.has_value();
    return centre;
}

// A point at a parameter on an object, or given by its coordinates in a frame.
std::optional<Tcoordonnees> Point_repere(TEtape& etape, TContexte_calcul& contexte)
{
    switch (etape.genre) {
    case 59:
        return Point_du_cadre(Arg<Tpolygone>(etape, 1), Arg<Reel>(etape, 2), Arg<Reel>(etape, 3));
    case 60: {
        Tdroite& d = *Droite_du_nom(contexte.figure, Arg<Tsegment>(etape, 1).nom);
        Ligne_actuelle(d);
        return Repere_vers_absolu(*d.repere, {Arg<Reel>(etape, 2), 0});
    }
    case 61:
    case 62:
    case 69: {
        Tdroite& d = Arg<Tdroite>(etape, 1);
        Ligne_actuelle(d);
        return Repere_vers_absolu(*d.repere, {Arg<Reel>(etape, 2), 0});
    }
    case 63:
        return Point_du_cercle(Rond_de(Arg<Tcercle>(etape, 1)), Arg<Reel>(etape, 2));
    case 64:
        return Point_de_l_arc(Arg<Tarc_de_cercle>(etape, 1), Arg<Reel>(etape, 2));
    case 65:
        return Repere_vers_absolu(Arg<Trepere>(etape, 1), {Arg<Reel>(etape, 2), Arg<Reel>(etape, 3)});
    case 66:
    case 67: {
        const Tunite& unite = Arg<Tunite>(etape, etape.genre == 66 ? 4 : 3);
        const Reel a = Mesure(Arg<std::string>(etape, 2), unite, contexte);
        const Reel b = etape.genre == 66 ? Mesure(Arg<std::string>(etape, 3), unite, contexte) : 0;
        return Repere_vers_absolu(Arg<Trepere>(etape, 1), {a, b});
    }
    case 68: {
        Reel angle = Mesure(Arg<std::string>(etape, 2), Arg<Tunite>(etape, 3), contexte);
        if (Est_en_degres(Arg<std::string>(etape, 4)))
            angle = angle * pi / 180;
        return Point_du_cercle(Rond_de(Arg<Tcercle>(etape, 1)), angle);
    }
    default:
        return std::nullopt;
    }
}

// The transformation of an image step (29 to 38) and the named rule it mirrors.
std::int32_t Genre_nomme(std::int32_t genre_image)
{
    static constexpr std::int32_t nommes[] = {44, 45, 42, 43, 46, 47, 48, 49, 50, 51};
    return nommes[genre_image - 29];
}

// The image of a point by a transformation given in place, applied from its own record.
Tcoordonnees Image_par_transformation_donnee(TEtape& etape, TContexte_calcul& contexte)
{
    const std::int32_t nomme = Genre_nomme(etape.genre);
    Regler_transformation(nomme, etape, 2, contexte);
    const Tcoordonnees p = Coordonnees(Arg<Tpoint>(etape, 1));
    const int n = Nombre_arguments(etape) - 1; // the transformation, before the image point
    switch (nomme) {
    case 42:
    case 43:
        return Image_point(Arg<Tsimilitude_directe>(etape, n), p);
    case 46:
    case 47:
        return Image_point(Arg<Trotation>(etape, n), p);
    case 48:
    case 49:
        return Image_point(Arg<Ttranslation>(etape, n), p);
    case 50:
        return Image_point(Arg<Tsymetrie_axiale>(etape, n), p);
    default: // 44, 45, 51
        return Image_point(Arg<Thomothetie>(etape, n), p);
    }
}

bool Definit_un_point(const TEtape& etape)
{
    const TArgument* dernier = Dernier_argument(etape.arguments);
    return dernier != nullptr && dernier->nature == Nature_de<Tpoint>::valeur;
}

// Every genre that defines a point; false for the others.
bool Recalculer_point(TEtape& etape, TContexte_calcul& contexte)
{
    const std::int32_t g = etape.genre;
    Tpoint& point = Objet<Tpoint>(etape);
    std::optional<Tcoordonnees> position;
    if (g == 6) {
        const std::string& ligne = Arg<std::string>(etape, 1);
        const Tunite& unite = *Unite_du_nom(contexte.figure, Unite_de_longueur(ligne));
        position = Barycentre(ligne, Arg<std::int32_t>(etape, 2), Longueur_unite(&unite),
                              contexte.figure, contexte.form2);
    } else if (g >= 29 && g <= 38) {
        position = Image_par_transformation_donnee(etape, contexte);
    } else if (g == 39) {
        position = Image_point(Arg<std::string>(etape, 2), Coordonnees(Arg<Tpoint>(etape, 1)),
                               contexte.figure.transformations);
    } else if (g >= 92 && g <= 96 && g != 95) {
        position = Centre_du_triangle(etape, point);
    } else if (g >= 59 && g <= 69) {
        position = Point_repere(etape, contexte);
    } else if (g == 26 || g == 27 || g == 70 || (g >= 71 && g <= 76) || g == 84 || g == 89 ||
               g == 95) {
        position = Point_construit(etape, contexte);
    } else {
        return false;
    }
    if (position)
        Placer(point, *position);
    return true;
}

} // namespace

bool Est_en_degres(std::string_view unite_d_angle)
{
    return unite_d_angle == "degr\xE9";
}

void Recalculer_etape(TEtape& etape, TContexte_calcul& contexte)
{
    if (etape.genre <= 1 || etape.arguments == nullptr)
        return;
    // Number, function, frame and unit steps (7 to 25, 83) first; the others are tested
    // without a call.
    const std::int32_t g = etape.genre;
    if (((g >= 7 && g <= 25) || g == 83) && Recalculer_nombre(etape, contexte))
        return;
    if (Definit_un_point(etape) && Recalculer_point(etape, contexte))
        return;
    Recalculer_objet(etape, contexte);
}

void Recalculer_etapes(TEtape* premiere, const TEtape* derniere, TContexte_calcul& contexte)
{
    for (TEtape* etape = premiere; etape != nullptr; etape = etape->suivante) {
        Recalculer_etape(*etape, contexte);
        if (etape == derniere)
            break;
    }
}

TEtape* Chercher_etape_par_nom(TEtape* depart, std::string_view nom)
{
    for (TEtape* etape = depart; etape != nullptr && etape->genre != 0; etape = etape->suivante) {
        const TArgument* premier = etape->arguments;
        if (premier != nullptr && premier->nature == Nature_de<std::string>::valeur &&
            *static_cast<const std::string*>(premier->donnee) == nom)
            return etape;
    }
    return nullptr;
}

TEtape* Chercher_etape_par_objet(TEtape* depart, const void* objet)
{
    for (TEtape* etape = depart; etape != nullptr && etape->genre != 0; etape = etape->suivante) {
        const TArgument* dernier = Dernier_argument(etape->arguments);
        if (dernier != nullptr && dernier->donnee == objet)
            return etape;
    }
    return nullptr;
}

} // namespace trazel
