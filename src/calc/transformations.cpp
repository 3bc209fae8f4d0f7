#include "calc/transformations.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "model/erreurs.h"

namespace trazel {
namespace {

// The expansion of one image. `chaine` holds the compositions being expanded, outermost
// first: a composition met again while it is on it refers to itself; one used twice side
// by side (c = d then d) is not a cycle, so a chain is kept rather than a set of every
// composition seen. `developpees` counts the compositions expanded so far.
struct TChaine_composees {
    std::vector<std::string_view> chaine;
    long developpees = 0;
};

TTransformation_trouvee Trouver(std::string_view nom, const TListe_transformations& t)
{
    if (const auto trouvee = Chercher_transformation(nom, t))
        return *trouvee;
    throw Erreur_trazel("La transformation " + Guillemets(nom) +
                        " n'est pas d\xE9"
                        "finie");
}

// The composition at `indice`, put on the chain; the caller takes it off once both
// components are applied.
const Tcomposee_transformations& Entrer(const TListe_transformations& t, std::size_t indice,
                                        TChaine_composees& chaine)
{
    const Tcomposee_transformations& c = *t.composees[indice];
    if (std::find(chaine.chaine.begin(), chaine.chaine.end(), c.nom) != chaine.chaine.end())
        throw Erreur_trazel("La composition " + Guillemets(c.nom) +
                            " fait appel \xE0 elle-m\xEAme");
    // Each level is a frame of Image or Rapport on the stack; and as compositions are
    // expanded at every use, n of them each using the previous one twice expand 2^n times.
    // The messages name the composition the image was asked for.
    const std::string_view demandee = chaine.chaine.empty() ? c.nom : chaine.chaine.front();
    if (chaine.chaine.size() >= imbrication_maximale_composees)
        throw Erreur_trazel("La composition " + Guillemets(demandee) + " imbrique plus de " +
                            std::to_string(imbrication_maximale_composees) + " compositions");
    if (++chaine.developpees > developpements_maximaux)
        throw Erreur_trazel("La composition " + Guillemets(demandee) +
                            " se d\xE9veloppe en "
                            "plus de " +
                            std::to_string(developpements_maximaux) + " compositions");
    chaine.chaine.push_back(c.nom);
    return c;
}

// P + 2 (H - P), H the foot of the perpendicular from P; an axis without direction has no
// foot.
Tcoordonnees Symetrique(Tcoordonnees p, const Tdroite& axe)
{
    const std::optional<Tcoordonnees> h = Projete_orthogonal(p, Ligne_de(axe));
    if (!h)
        throw Erreur_calcul(Erreur_calcul::Nature::operation_invalide);
    return {p.x + 2 * (h->x - p.x), p.y + 2 * (h->y - p.y)};
}

// The point (cos t, sin t) of the frame of origin O and basis OP, rot(OP), made absolute by
// the frame formula itself, so a rotated point and the same point built in a frame agree to
// the last digit.
Tcoordonnees Tourner(Tcoordonnees o, Reel angle, TSinus_cosinus& trigo, Tcoordonnees p)
{
    const Tcoordonnees op = Vecteur_de(o, p);
    Reel cosinus = 1, sinus = 0;
    trigo.Les_deux(angle, cosinus, sinus);
    return Repere_vers_absolu(o, op, Quart_de_tour(op), {cosinus, sinus});
}

Tcoordonnees Homothetique(Tcoordonnees o, Reel rapport, Tcoordonnees p)
{
    return {o.x + rapport * (p.x - o.x), o.y + rapport * (p.y - o.y)};
}

// One transformation applied, its record given; the values are checked by the caller.
Tcoordonnees Appliquer(const Tsymetrie_axiale& s, Tcoordonnees p)
{
    return Symetrique(p, *s.axe);
}

Tcoordonnees Appliquer(const Ttranslation& t, Tcoordonnees p)
{
    const Tcoordonnees u = Coordonnees(*t.vecteur);
    return {p.x + u.x, p.y + u.y};
}

Tcoordonnees Appliquer(const Trotation& r, Tcoordonnees p)
{
    return Tourner(Coordonnees(*r.centre), r.angle, r.trigo, p);
}

Tcoordonnees Appliquer(const Thomothetie& h, Tcoordonnees p)
{
    return Homothetique(Coordonnees(*h.centre), h.rapport, p);
}

Tcoordonnees Appliquer(const Tsimilitude_directe& s, Tcoordonnees p)
{
    const Tcoordonnees o = Coordonnees(*s.centre);
    return Tourner(o, s.angle, s.trigo, Homothetique(o, s.rapport, p));
}

Tcoordonnees Controlees(Tcoordonnees q)
{
    return {Controler(q.x), Controler(q.y)};
}

Tcoordonnees Image(std::string_view nom, Tcoordonnees p, const TListe_transformations& t,
                   TChaine_composees& chaine)
{
    const TTransformation_trouvee f = Trouver(nom, t);
    switch (f.genre) {
    case TGenre_transformation::symetrie_axiale:
        return Appliquer(*t.symetries_axiales[f.indice], p);
    case TGenre_transformation::translation:
        return Appliquer(*t.translations[f.indice], p);
    case TGenre_transformation::rotation:
        return Appliquer(*t.rotations[f.indice], p);
    case TGenre_transformation::homothetie:
        return Appliquer(*t.homotheties[f.indice], p);
    case TGenre_transformation::similitude_directe:
        return Appliquer(*t.similitudes_directes[f.indice], p);
    case TGenre_transformation::composee: {
        const Tcomposee_transformations& c = Entrer(t, f.indice, chaine);
        const Tcoordonnees q = Image(c.composantes[0], p, t, chaine);
        const Tcoordonnees r = Image(c.composantes[1], q, t, chaine);
        chaine.chaine.pop_back();
        return r;
    }
    }
    return p; // not reached: every kind is handled above
}

Reel Rapport(std::string_view nom, const TListe_transformations& t, Reel longueur,
             TChaine_composees& chaine)
{
    const TTransformation_trouvee f = Trouver(nom, t);
    switch (f.genre) {
    case TGenre_transformation::symetrie_axiale:
    case TGenre_transformation::rotation:
    case TGenre_transformation::translation:
        return longueur;
    case TGenre_transformation::homothetie:
        return Controler(t.homotheties[f.indice]->rapport * longueur);
    case TGenre_transformation::similitude_directe:
        return Controler(t.similitudes_directes[f.indice]->rapport * longueur);
    case TGenre_transformation::composee: {
        const Tcomposee_transformations& c = Entrer(t, f.indice, chaine);
        const Reel l = Rapport(c.composantes[0], t, longueur, chaine);
        const Reel m = Rapport(c.composantes[1], t, l, chaine);
        chaine.chaine.pop_back();
        return m;
    }
    }
    return longueur; // not reached
}

template <class T>
std::optional<std::size_t> Indice_du_nom(const std::vector<T*>& liste, std::string_view nom)
{
    for (std::size_t i = 0; i < liste.size(); ++i)
        if (liste[i]->nom == nom)
            return i;
    return std::nullopt;
}

} // namespace

std::optional<TTransformation_trouvee>
Chercher_transformation(std::string_view nom, const TListe_transformations& transformations)
{
    using G = TGenre_transformation;
    const auto& t = transformations;
    const std::pair<G, std::optional<std::size_t>> ordre[] = {
        {G::symetrie_axiale, Indice_du_nom(t.symetries_axiales, nom)},
        {G::rotation, Indice_du_nom(t.rotations, nom)},
        {G::homothetie, Indice_du_nom(t.homotheties, nom)},
        {G::translation, Indice_du_nom(t.translations, nom)},
        {G::similitude_directe, Indice_du_nom(t.similitudes_directes, nom)},
        {G::composee, Indice_du_nom(t.composees, nom)},
    };
    for (const auto& [genre, indice] : ordre)
        if (indice)
            return TTransformation_trouvee{genre, *indice};
    return std::nullopt;
}

Tcoordonnees Image_point(std::string_view nom, Tcoordonnees p,
                         const TListe_transformations& transformations)
{
    TChaine_composees chaine;
    return Controlees(Image(nom, p, transformations, chaine));
}

template <class T> Tcoordonnees Image_point(const T& transformation, Tcoordonnees p)
{
    return Controlees(Appliquer(transformation, p));
}

template Tcoordonnees Image_point(const Tsymetrie_axiale&, Tcoordonnees);
template Tcoordonnees Image_point(const Ttranslation&, Tcoordonnees);
template Tcoordonnees Image_point(const Trotation&, Tcoordonnees);
template Tcoordonnees Image_point(const Thomothetie&, Tcoordonnees);
template Tcoordonnees Image_point(const Tsimilitude_directe&, Tcoordonnees);

// The direction is the vector between the images of two points of the line, so it is right
// for every kind, a symmetry reversing orientation included.
Tligne Image_droite(std::string_view nom, const Tligne& d,
                    const TListe_transformations& transformations)
{
    const Tcoordonnees a = Image_point(nom, d.point, transformations);
    const Tcoordonnees m = {d.point.x + d.direction.x, d.point.y + d.direction.y};
    return {a, Vecteur_de(a, Image_point(nom, m, transformations))};
}

Reel Rapport_longueurs(std::string_view nom, const TListe_transformations& transformations,
                       Reel longueur)
{
    TChaine_composees chaine;
    return Rapport(nom, transformations, longueur, chaine);
}

TImage_cercle Image_cercle(std::string_view nom, const Tcercle& c,
                           const TListe_transformations& transformations)
{
    return {Image_point(nom, Coordonnees(*c.centre), transformations),
            std::fabs(Rapport_longueurs(nom, transformations, c.rayon))};
}

} // namespace trazel
