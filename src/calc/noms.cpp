#include "calc/noms.h"

#include <algorithm>
#include <string>

#include "calc/geometrie.h"
#include "model/erreurs.h"
#include "model/mots.h"

namespace trazel {
namespace {

// "Le cercle « c » n'est pas défini", "L'unité « U » n'est pas définie".
[[noreturn]] void Nom_inconnu(std::string_view genre, std::string_view nom, bool feminin = false)
{
    throw Erreur_trazel(std::string(genre) + " " + Guillemets(nom) +
                        " n'est pas d\xE9"
                        "fini" +
                        (feminin ? "e" : ""));
}

// First element of the list whose name is `nom`, searching from the first.
template <class T> T* Premier_du_nom(const std::vector<T*>& liste, std::string_view nom)
{
    const auto trouve =
        std::find_if(liste.begin(), liste.end(), [&](const T* objet) { return objet->nom == nom; });
    return trouve == liste.end() ? nullptr : *trouve;
}

struct Deux_points {
    Tpoint* premier;
    Tpoint* second;
};

// The two points a name like "AB" is made of: the longest prefix, then the rest exactly.
Deux_points Points_de_deux_noms(const TListe_points& points, std::string_view nom)
{
    // A line cut short (while it is being typed) leaves no name where one is expected.
    if (nom.empty())
        throw Erreur_trazel("un nom manque : la ligne s'arr\xEAte avant le nom attendu");
    Tpoint* premier = Point_plus_long_prefixe(points, nom);
    Tpoint* second =
        premier == nullptr ? nullptr : Chercher_point(points, nom.substr(premier->nom.size()));
    if (second == nullptr)
        throw Erreur_trazel(Guillemets(nom) + " ne d\xE9signe pas deux points de la figure");
    return {premier, second};
}

// The object of that name in its list; when absent, a new object named after the two points
// of the name, completed by `completer` and appended to the list.
template <class T, class Completer>
T* Trouver_ou_creer(TFigure& figure, std::vector<T*>& liste, TPremiers_du_nom<T>& index,
                    std::string_view nom, Completer completer)
{
    if (T* objet = index.Chercher(liste, nom))
        return objet;
    const Deux_points ab = Points_de_deux_noms(figure.liste_points, nom);
    T* objet = figure.Nouveau<T>();
    objet->nom = std::string(nom);
    completer(*objet, ab);
    liste.push_back(objet);
    return objet;
}

} // namespace

Tpoint* Chercher_point(const TListe_points& points, std::string_view nom)
{
    return points.Dernier_du_nom(nom);
}

Tpoint* Point_plus_long_prefixe(const TListe_points& points, std::string_view texte)
{
    for (std::size_t longueur = std::min(texte.size(), points.Longueur_maximale()); longueur >= 1;
         --longueur)
        if (Tpoint* p = points.Premier_du_nom(texte.substr(0, longueur)))
            return p;
    return nullptr;
}

TListe_points Points_du_nom(const TListe_points& points, std::string_view texte)
{
    TListe_points resultat;
    std::string_view reste = texte;
    while (!reste.empty()) {
        Tpoint* p = Point_plus_long_prefixe(points, reste);
        if (p == nullptr)
            throw Erreur_trazel(Guillemets(texte) + " ne se lit pas comme une suite de noms de "
                                                    "points de la figure");
        resultat.push_back(p);
        reste.remove_prefix(p->nom.size());
    }
    return resultat;
}

Tpoint& Point_du_nom(const TListe_points& points, std::string_view nom)
{
    Tpoint* p = Chercher_point(points, nom);
    if (p == nullptr)
        Nom_inconnu("Le point", nom);
    return *p;
}

Tdroite* Droite_du_nom(TFigure& figure, std::string_view nom)
{
    return Trouver_ou_creer(figure, figure.liste_droites, figure.index_droites, nom,
                            [&](Tdroite& d, Deux_points ab) {
                                d.point1 = ab.premier;
                                d.point2 = ab.second;
                                d.vecteur = figure.Nouveau(Vecteur_de(*ab.premier, *ab.second));
                                d.repere = figure.Nouveau<Trepere>();
                                d.repere->nom = d.nom;
                                d.repere->origine = ab.premier;
                                d.repere->vecteur1 = d.vecteur;
                                d.repere->vecteur2 = figure.Nouveau(Quart_de_tour(*d.vecteur));
                            });
}

Trepere* Repere_du_nom(TFigure& figure, std::string_view nom)
{
    return Trouver_ou_creer(figure, figure.liste_reperes, figure.index_reperes, nom,
                            [&](Trepere& r, Deux_points ab) {
                                r.origine = ab.premier;
                                r.point2 = ab.second;
                                r.vecteur1 = figure.Nouveau(Vecteur_de(*ab.premier, *ab.second));
                                r.vecteur2 = figure.Nouveau(Quart_de_tour(*r.vecteur1));
                            });
}

Tvecteur* Vecteur_du_nom(TFigure& figure, std::string_view texte)
{
    int position = 1;
    const std::string nom = Mot_suivant(texte, position);
    return Trouver_ou_creer(figure, figure.liste_vecteurs, figure.index_vecteurs, nom,
                            [&](Tvecteur& u, Deux_points ab) {
                                u = Vecteur_de(*ab.premier, *ab.second);
                                u.nom = nom;
                            });
}

Tsegment* Segment_du_nom(TFigure& figure, std::string_view nom)
{
    return Trouver_ou_creer(figure, figure.liste_segments, figure.index_segments, nom,
                            [](Tsegment& s, Deux_points ab) {
                                s.extremite1 = ab.premier;
                                s.extremite2 = ab.second;
                            });
}

Tcercle* Cercle_du_nom(const TFigure& figure, std::string_view nom)
{
    if (Tcercle* c = Premier_du_nom(figure.liste_cercles, nom))
        return c;
    Nom_inconnu("Le cercle", nom);
}

Tarc_de_cercle* Arc_du_nom(const TFigure& figure, std::string_view nom)
{
    if (Tarc_de_cercle* a = Premier_du_nom(figure.liste_arcs, nom))
        return a;
    Nom_inconnu("L'arc", nom);
}

Tunite* Unite_du_nom(const TFigure& figure, std::string_view nom)
{
    if (nom == "1" && !figure.liste_unites.empty())
        return figure.liste_unites.front();
    if (Tunite* u = Premier_du_nom(figure.liste_unites, nom))
        return u;
    Nom_inconnu("L'unit\xE9", nom, true);
}

Tpolygone* Polygone_du_nom(const TFigure& figure, std::string_view nom)
{
    for (auto p = figure.liste_polygones.rbegin(); p != figure.liste_polygones.rend(); ++p)
        if ((*p)->nom == nom)
            return *p;
    return nullptr;
}

} // namespace trazel
