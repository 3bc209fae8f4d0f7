#include "calc/resolveur.h"

#include <cmath>
#include <numbers>
#include <string_view>
#include <unordered_map>

#include "calc/noms.h"
#include "calc/resolveur_interne.h"
#include "calc/transformations.h"
#include "calc/vecteurs.h"
#include "model/erreurs.h"
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

// The point (u, v) of a cadre's rectangle.
Tcoordonnees Point_du_cadre(const Tpolygone& cadre, Reel u, Reel v)
{
    const auto [bas, haut] = Boite_du_cadre(cadre);
    return {bas.x + u * (haut.x - bas.x), bas.y + v * (haut.y - bas.y)};
}

Tcoordonnees Sommet(const Tpolygone& p, std::size_t k)
{
    return Coordonnees(*p.sommets.at(k));
}

// Intersections of a line and a circle, or of two circles, numbered as the figure text
// numbers them: the first and second of a line and a circle are M2 and M1, of two circles M1
// and M2; "the other one" is M2 unless it is the given point.
std::optional<Tcoordonnees> Intersection(TEtape& etape, TContexte_calcul&)
{
    const TCode genre = etape.code();
    const bool deux_cercles = genre == TCode::intersection_cercles_1 ||
                              genre == TCode::intersection_cercles_2 ||
                              genre == TCode::intersection_cercles_autre;
    const std::optional<Tdeux_points> m =
        deux_cercles
            ? Intersection_cercles(Rond_de(Arg<Tcercle>(etape, 1)), Rond_de(Arg<Tcercle>(etape, 2)))
            : Intersection_droite_cercle(Actualiser_ligne(Arg<Tdroite>(etape, 1)),
                                         Rond_de(Arg<Tcercle>(etape, 2)));
    if (!m)
        return std::nullopt;
    switch (genre) {
    case TCode::intersection_droite_cercle_1:
    case TCode::intersection_cercles_2:
        return m->m2;
    case TCode::intersection_cercles_1:
    case TCode::intersection_droite_cercle_2:
        return m->m1;
    default: // the other point than the one given, when one is
        if (Nombre_arguments(etape) == 4 && Meme_point(m->m2, Coordonnees(Arg<Tpoint>(etape, 3))))
            return m->m1;
        return m->m2;
    }
}

// Points defined by two or three other objects.
std::optional<Tcoordonnees> Point_construit(TEtape& etape, TContexte_calcul& contexte)
{
    switch (etape.code()) {
    case TCode::projete_orthogonal:
        return Projete_orthogonal(Coordonnees(Arg<Tpoint>(etape, 1)),
                                  Actualiser_ligne(Arg<Tdroite>(etape, 2)));
    case TCode::projete: {
        const Tligne direction = Actualiser_ligne(Arg<Tdroite>(etape, 3));
        return Intersection_droites(Actualiser_ligne(Arg<Tdroite>(etape, 2)),
                                    {Coordonnees(Arg<Tpoint>(etape, 1)), direction.direction});
    }
    case TCode::intersection_droites:
        return Intersection_droites(Actualiser_ligne(Arg<Tdroite>(etape, 1)),
                                    Actualiser_ligne(Arg<Tdroite>(etape, 2)));
    case TCode::point_distance_demi_droite: {
        const Tunite& unite = Arg<Tunite>(etape, 3);
        const Reel a = Mesure(Arg<std::string>(etape, 2), unite, contexte) * Longueur_unite(&unite);
        const Tligne d = Actualiser_ligne(Arg<Tdroite>(etape, 1));
        return Point_plus_vecteur(d.point, d.direction, Diviser(a, Norme(d.direction)));
    }
    case TCode::milieu: {
        const Tsegment& s = Arg<Tsegment>(etape, 1);
        return Milieu(Coordonnees(*s.extremite1), Coordonnees(*s.extremite2));
    }
    case TCode::centre_cercle:
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
    if (etape.code() == TCode::centre_gravite) {
        const Tcentre g = Centre_de_gravite(a, b, c);
        point.dessine = g.defini;
        return g.point;
    }
    centre = etape.code() == TCode::centre_inscrit       ? Centre_inscrit(a, b, c)
             : etape.code() == TCode::centre_circonscrit ? Centre_circonscrit(a, b, c)
                                                         : Orthocentre(a, b, c);
    point.dessine = centre.has_value();
    return centre;
}

// A point at a parameter on an object, or given by its coordinates in a frame.
std::optional<Tcoordonnees> Point_repere(TEtape& etape, TContexte_calcul& contexte)
{
    switch (etape.code()) {
    case TCode::point_libre_cadre:
        return Point_du_cadre(Arg<Tpolygone>(etape, 1), Arg<Reel>(etape, 2), Arg<Reel>(etape, 3));
    case TCode::point_sur_segment: {
        Tdroite& d = *Droite_du_nom(contexte.figure, Arg<Tsegment>(etape, 1).nom);
        Actualiser_ligne(d);
        return Repere_vers_absolu(*d.repere, {Arg<Reel>(etape, 2), 0});
    }
    case TCode::point_sur_droite:
    case TCode::point_sur_demi_droite:
    case TCode::point_abscisse_droite: {
        Tdroite& d = Arg<Tdroite>(etape, 1);
        Actualiser_ligne(d);
        return Repere_vers_absolu(*d.repere, {Arg<Reel>(etape, 2), 0});
    }
    case TCode::point_sur_cercle:
        return Point_du_cercle(Rond_de(Arg<Tcercle>(etape, 1)), Arg<Reel>(etape, 2));
    case TCode::point_sur_arc:
        return Point_de_l_arc(Arg<Tarc_de_cercle>(etape, 1), Arg<Reel>(etape, 2));
    case TCode::point_libre_repere:
        return Repere_vers_absolu(Arg<Trepere>(etape, 1),
                                  {Arg<Reel>(etape, 2), Arg<Reel>(etape, 3)});
    case TCode::point_coordonnees:
    case TCode::point_abscisse: {
        const Tunite& unite = Arg<Tunite>(etape, etape.code() == TCode::point_coordonnees ? 4 : 3);
        const Reel a = Mesure(Arg<std::string>(etape, 2), unite, contexte);
        const Reel b = etape.code() == TCode::point_coordonnees
                           ? Mesure(Arg<std::string>(etape, 3), unite, contexte)
                           : 0;
        return Repere_vers_absolu(Arg<Trepere>(etape, 1), {a, b});
    }
    case TCode::point_angle_cercle: {
        Reel angle = Mesure(Arg<std::string>(etape, 2), Arg<Tunite>(etape, 3), contexte);
        if (Est_en_degres(Arg<std::string>(etape, 4)))
            angle = angle * pi / 180;
        return Point_du_cercle(Rond_de(Arg<Tcercle>(etape, 1)), angle);
    }
    default:
        return std::nullopt;
    }
}

// The image of a point by a transformation given in place, applied from its own record.
Tcoordonnees Image_par_transformation_donnee(TEtape& etape, TContexte_calcul& contexte)
{
    // The transformation is set as the named rule it mirrors.
    const TCode nomme = Construction(etape.genre).nommee;
    Regler_transformation(nomme, etape, 2, contexte);
    const Tcoordonnees p = Coordonnees(Arg<Tpoint>(etape, 1));
    const int n = Nombre_arguments(etape) - 1; // the transformation, before the image point
    switch (nomme) {
    case TCode::similitude_angle:
    case TCode::similitude_points:
        return Image_point(Arg<Tsimilitude_directe>(etape, n), p);
    case TCode::rotation_points:
    case TCode::rotation_angle:
        return Image_point(Arg<Trotation>(etape, n), p);
    case TCode::translation_vecteur:
    case TCode::translation_points:
        return Image_point(Arg<Ttranslation>(etape, n), p);
    case TCode::symetrie_axiale:
        return Image_point(Arg<Tsymetrie_axiale>(etape, n), p);
    default: // homotheties and point reflections
        return Image_point(Arg<Thomothetie>(etape, n), p);
    }
}

// A step of the point family; a free point has nothing to recompute.
void Recalculer_point(TEtape& etape, TContexte_calcul& contexte)
{
    Tpoint& point = Objet<Tpoint>(etape);
    std::optional<Tcoordonnees> position;
    switch (etape.code()) {
    case TCode::point_libre:
        return;
    case TCode::barycentre: {
        const std::string& ligne = Arg<std::string>(etape, 1);
        const Tunite& unite = *Unite_du_nom(contexte.figure, Unite_de_longueur(ligne));
        position = Barycentre(ligne, Arg<std::int32_t>(etape, 2), Longueur_unite(&unite),
                              contexte.figure, contexte.form2);
        break;
    }
    case TCode::image_par_nom:
        position = Image_point(Arg<std::string>(etape, 2), Coordonnees(Arg<Tpoint>(etape, 1)),
                               contexte.figure.transformations);
        break;
    case TCode::centre_gravite:
    case TCode::centre_inscrit:
    case TCode::centre_circonscrit:
    case TCode::orthocentre:
        position = Centre_du_triangle(etape, point);
        break;
    case TCode::point_libre_cadre:
    case TCode::point_sur_segment:
    case TCode::point_sur_droite:
    case TCode::point_sur_demi_droite:
    case TCode::point_sur_cercle:
    case TCode::point_sur_arc:
    case TCode::point_libre_repere:
    case TCode::point_coordonnees:
    case TCode::point_abscisse:
    case TCode::point_angle_cercle:
    case TCode::point_abscisse_droite:
        position = Point_repere(etape, contexte);
        break;
    default:
        // Images by a transformation described in place, then the points built from others.
        position = Construction(etape.genre).nommee != TCode::fin
                       ? Image_par_transformation_donnee(etape, contexte)
                       : Point_construit(etape, contexte);
        break;
    }
    if (position)
        Placer(point, *position);
    else
        Signaler_sans_solution(contexte, etape);
}

} // namespace

Tboite Boite_du_cadre(const Tpolygone& cadre)
{
    Tcoordonnees bas = Coordonnees(*cadre.sommets.at(0));
    Tcoordonnees haut = bas;
    for (std::size_t k = 1; k < 4 && k < cadre.sommets.size(); ++k) {
        const Tcoordonnees s = Coordonnees(*cadre.sommets[k]);
        bas = {std::min(bas.x, s.x), std::min(bas.y, s.y)};
        haut = {std::max(haut.x, s.x), std::max(haut.y, s.y)};
    }
    return {bas, haut};
}

bool Est_en_degres(std::string_view unite_d_angle)
{
    return unite_d_angle == "degr\xE9";
}

namespace {

// The name of the object in an argument, for messages: empty for a number or a text.
std::string Nom_de_l_objet(const TArgument* objet)
{
    switch (objet->nature) {
    case Nature_de<Tpoint>::valeur:
        return Donnee<Tpoint>(objet)->nom;
    case Nature_de<Tdroite>::valeur:
        return Donnee<Tdroite>(objet)->nom;
    case Nature_de<Tsegment>::valeur:
        return Donnee<Tsegment>(objet)->nom;
    case Nature_de<Tcercle>::valeur:
        return Donnee<Tcercle>(objet)->nom;
    case Nature_de<Tarc_de_cercle>::valeur:
        return Donnee<Tarc_de_cercle>(objet)->nom;
    case Nature_de<Tpolygone>::valeur:
        return Donnee<Tpolygone>(objet)->nom;
    case Nature_de<Tvecteur>::valeur:
        return Donnee<Tvecteur>(objet)->nom;
    case Nature_de<Trepere>::valeur:
        return Donnee<Trepere>(objet)->nom;
    case Nature_de<TCourbe>::valeur:
        return Donnee<TCourbe>(objet)->nom;
    default:
        return {};
    }
}

void Recalculer_selon_la_famille(TEtape& etape, TContexte_calcul& contexte)
{
    switch (Construction(etape.genre).famille) {
    case TFamille::mesure:
    case TFamille::nombre:
        Recalculer_nombre(etape, contexte);
        break;
    case TFamille::point:
        Recalculer_point(etape, contexte);
        break;
    default:
        Recalculer_objet(etape, contexte);
        break;
    }
}

} // namespace

// A floating-point fault says which object it arose in, and of what construction: the
// message then names what the user can change.
void Recalculer_etape(TEtape& etape, TContexte_calcul& contexte)
{
    if (etape.genre <= Genre(TCode::premiere) || !Code_connu(etape.genre) ||
        etape.arguments == nullptr)
        return;
    try {
        Recalculer_selon_la_famille(etape, contexte);
    } catch (const Erreur_calcul& erreur) {
        if (erreur.objet_nomme())
            throw;
        const std::string nom = Nom_de_l_objet(Dernier_argument(etape.arguments));
        if (nom.empty())
            throw;
        throw erreur.Pour_l_objet(Guillemets(nom) + " (" +
                                  std::string(Construction(etape.genre).nom) + ")");
    }
}

void Recalculer_etapes(TEtape* premiere, const TEtape* derniere, TContexte_calcul& contexte)
{
    for (TEtape* etape = premiere; etape != nullptr; etape = etape->suivante) {
        Recalculer_etape(*etape, contexte);
        if (etape == derniere)
            break;
    }
}

TRejeu::TRejeu(TEtape* figure, TEtape* premiere, const TEtape* derniere)
{
    const auto calculee = [](const TEtape& e) {
        return e.genre > Genre(TCode::premiere) && Code_connu(e.genre) && e.arguments != nullptr;
    };
    const auto fonction = [&](const TEtape& e) {
        return calculee(e) && e.code() == TCode::fonction;
    };
    // A function defined by one step only: no other step gives its name another body. The
    // figure's function steps are counted by name once, and only for a chain that has one.
    std::unordered_map<std::string_view, int> definitions;
    for (const TEtape* e = premiere; e != nullptr && definitions.empty(); e = e->suivante) {
        if (fonction(*e))
            for (const TEtape* f = figure; f != nullptr; f = f->suivante)
                if (fonction(*f))
                    ++definitions[resolveur::Arg<std::string>(*f, 4)];
        if (e == derniere)
            break;
    }
    for (TEtape* etape = premiere; etape != nullptr; etape = etape->suivante) {
        TSorte sorte = TSorte::autre;
        if (calculee(*etape)) {
            if (fonction(*etape) && Sans_termes_de_mesure(resolveur::Arg<std::string>(*etape, 2)) &&
                definitions[resolveur::Arg<std::string>(*etape, 4)] == 1)
                sorte = TSorte::fonction_fixe;
            else if (Construction(etape->genre).famille == TFamille::mesure)
                sorte = TSorte::mesure;
        }
        pas_.push_back({etape, sorte});
        if (etape == derniere)
            break;
    }
}

// A function's converted body, unless it holds a distance written as two point names,
// depends only on its text and on the names known, and a measure's variable is the most
// recent of its name: both stay while the names do.
void TRejeu::Rejouer(TContexte_calcul& contexte)
{
    TForm2& form2 = contexte.form2;
    // Only a full replay of a step can change the names.
    std::uint64_t version = form2.Version_des_noms();
    for (TPas& p : pas_) {
        const bool noms_inchanges = p.version == version;
        if (p.sorte == TSorte::fonction_fixe) {
            if (!noms_inchanges || !p.fixe) {
                p.fixe = resolveur::Recalculer_fonction(*p.etape, contexte);
                version = form2.Version_des_noms();
            }
            p.version = version;
            continue;
        }
        if (p.sorte == TSorte::mesure && noms_inchanges && p.indice_connu) {
            if (const std::optional<Reel> valeur = Valeur_de_variable(*p.etape, contexte))
                form2.Affecter_variable(p.indice, *valeur);
            else
                Signaler_sans_solution(contexte, *p.etape);
            continue;
        }
        Recalculer_etape(*p.etape, contexte);
        version = p.version = form2.Version_des_noms();
        if (p.sorte == TSorte::mesure) {
            const std::optional<std::size_t> i =
                form2.Indice_variable(resolveur::Arg<std::string>(*p.etape, 1));
            p.indice_connu = i.has_value();
            p.indice = i.value_or(0);
        }
    }
}

TEtape* Chercher_etape_par_nom(TEtape* depart, std::string_view nom)
{
    for (TEtape* etape = depart; etape != nullptr && etape->code() != TCode::fin;
         etape = etape->suivante) {
        const TArgument* premier = etape->arguments;
        if (premier != nullptr && premier->nature == Nature_de<std::string>::valeur &&
            *static_cast<const std::string*>(premier->donnee) == nom)
            return etape;
    }
    return nullptr;
}

TEtape* Chercher_etape_par_objet(TEtape* depart, const void* objet)
{
    for (TEtape* etape = depart; etape != nullptr && etape->code() != TCode::fin;
         etape = etape->suivante) {
        const TArgument* dernier = Dernier_argument(etape->arguments);
        if (dernier != nullptr && dernier->donnee == objet)
            return etape;
    }
    return nullptr;
}

} // namespace trazel
