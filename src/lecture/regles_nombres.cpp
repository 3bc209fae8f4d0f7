// Named numbers (free, or measured on the figure), functions, units, frames and curves. A
// named number becomes a variable of the evaluator at once, so that later lines may use it.

#include <cmath>

#include "calc/noms.h"
#include "calc/vecteurs.h"
#include "lecture/regles.h"
#include "model/erreurs.h"
#include "model/mots.h"
#include "model/phrases.h"

namespace trazel {
namespace {

// A measured number: the step holds the name and the objects measured; the value computed
// now is recorded after them, and the variable is appended (a slope of a line parallel to
// the second axis has no value: neither is recorded).
void Mesurer(TLecteur& l, TCode genre, const std::string& nom, std::vector<TArgument*> arguments)
{
    arguments.insert(arguments.begin(), l.Arg_texte(nom));
    TEtape& etape = l.Enregistrer(genre, arguments, false);
    if (const std::optional<Reel> valeur = Valeur_de_variable(etape, l.contexte())) {
        Ajouter_argument(etape, l.Arg_reel(*valeur));
        l.form2().Ajouter_variable(nom, *valeur);
    }
    l.Passer_lignes_suivantes();
}

// A free number: its value is read, not measured.
void Nombre_libre(TLecteur& l, TCode genre, const std::string& nom,
                  std::vector<TArgument*> arguments, Reel valeur)
{
    arguments.insert(arguments.begin(), l.Arg_texte(nom));
    arguments.push_back(l.Arg_reel(valeur));
    l.Enregistrer(genre, arguments, false);
    l.form2().Ajouter_variable(nom, valeur);
}

// "entier libre entre 1 et 10 valeur 3" (19), "réel libre entre 0 et 2 valeur 0.5" (17), or
// "entier libre" / "réel libre" with the value on the next line (20, 18).
void Libre(TLecteur& l, const std::string& nom, bool entier)
{
    l.Attendre(Mot_du_code(mc_libre));
    auto valeur = [&](Reel v) { return entier ? std::trunc(v) : v; };
    if (l.Mot().empty()) {
        Nombre_libre(l, entier ? TCode::entier_libre : TCode::reel_libre, nom, {},
                     valeur(l.Lire_valeur_parametre()));
        l.Passer_lignes_suivantes();
        return;
    }
    const std::string& ligne = l.ligne();
    const std::string premier = Mot_apres(ligne, "entre");
    const std::string dernier = Mot_apres(ligne, Mot_du_code(mc_et));
    const std::string texte = Mot_apres(ligne, "valeur");
    if (premier.empty() || dernier.empty() || texte.empty())
        throw TPhrase_non_reconnue{};
    Tunite* unite = Unite_de_la_ligne(l);
    Nombre_libre(l, entier ? TCode::entier_borne : TCode::reel_borne, nom,
                 {l.Arg_texte(premier), l.Arg_texte(dernier), l.Arg(unite)},
                 valeur(l.Evaluer(texte, Longueur_unite(unite))));
    l.Passer_lignes_suivantes();
}

// "produit scalaire U1.U2": the two vectors on each side of the first "." after a non-digit.
std::string Produit_scalaire_ecrit(const std::string& texte)
{
    for (std::size_t i = 1; i < texte.size(); ++i)
        if (texte[i] == '.' && !(texte[i - 1] >= '0' && texte[i - 1] <= '9'))
            return "(" + texte.substr(0, i) + ")&(" + texte.substr(i + 1) + ")";
    throw TPhrase_non_reconnue{};
}

// "mesure de l'angle (V1, V2) en degré" (13), "mesure géométrique de l'angle ABC en degré" (12).
void Mesure_d_angle(TLecteur& l, const std::string& nom)
{
    const std::string& ligne = l.ligne();
    const std::string unite_d_angle = Unite_d_angle(ligne);
    if (l.Mot() == Mot_du_code(mc_geometrique)) {
        const TListe_points abc =
            Points_du_nom(l.figure().liste_points, Mot_apres(ligne, Mot_du_code(mc_l_angle)));
        if (abc.size() != 3)
            throw TPhrase_non_reconnue{};
        Mesurer(l, TCode::angle_geometrique, nom,
                {l.Arg(abc[0]), l.Arg(abc[1]), l.Arg(abc[2]), l.Arg_texte(unite_d_angle)});
        return;
    }
    if (!l.Aller_apres(Mot_du_code(mc_l_angle)))
        throw TPhrase_non_reconnue{};
    const std::string v1 = l.Texte(',');
    const std::string v2 = l.Texte(')');
    Mesurer(l, TCode::angle_vecteurs, nom,
            {l.Arg(Unite_de_la_ligne(l)), l.Arg_texte(v1), l.Arg_texte(v2),
             l.Arg_texte(unite_d_angle)});
}

// "abscisse|ordonnée de P dans le repère R" (9, 7) or "… de EXPR …" for a vector (10, 8).
void Coordonnee(TLecteur& l, const std::string& nom, bool abscisse)
{
    l.Attendre(Mot_du_code(mc_de));
    const int position = l.position();
    const std::string mot = l.Mot();
    Tpoint* point = Chercher_point(l.figure().liste_points, mot);
    Trepere* repere = Repere_de_la_ligne(l);
    if (point != nullptr) {
        Mesurer(l, abscisse ? TCode::abscisse_point : TCode::ordonnee_point, nom,
                {l.Arg(point), l.Arg(repere)});
        return;
    }
    l.position() = position;
    const std::string expression = l.Texte(' ');
    Mesurer(l, abscisse ? TCode::abscisse_vecteur : TCode::ordonnee_vecteur, nom,
            {l.Arg_texte(expression), l.Arg(repere), l.Arg(Unite_de_la_ligne(l))});
}

// "fonction VAR|->EXPR": the parameter up to "|->", the body from there to the next blank.
// The function is usable at once by every later line.
void Fonction(TLecteur& l, const std::string& nom)
{
    const std::string& ligne = l.ligne();
    const std::size_t debut = static_cast<std::size_t>(l.position() - 1);
    const std::size_t fleche = ligne.find("|->", debut);
    if (fleche == std::string::npos || fleche == debut)
        throw TPhrase_non_reconnue{};
    const std::string variable = ligne.substr(debut, fleche - debut);
    l.position() = static_cast<int>(fleche) + 4;
    const std::string corps = l.Texte(' ');
    if (corps.empty())
        throw TPhrase_non_reconnue{};
    Tunite* unite = Unite_de_la_ligne(l);
    l.form2().Ajouter_fonction(nom,
                               Reecrire_mesure(corps, Longueur_unite(unite), l.figure(), l.form2()),
                               l.figure().liste_points, 1, variable, corps, l.numero());
    l.Enregistrer(TCode::fonction,
                  {l.Arg_texte(variable), l.Arg_texte(corps), l.Arg(unite), l.Arg_texte(nom)},
                  false);
    l.Passer_lignes_suivantes();
}

// "unité de longueur de vecteur EXPR": a unit whose length is the norm of a vector.
void Unite_de_longueur_definie(TLecteur& l, const std::string& nom)
{
    Tunite& unite = *l.figure().Nouveau<Tunite>({.nom = nom});
    l.figure().liste_unites.push_back(&unite);
    if (l.Mot() != Mot_du_code(mc_de) || l.Mot() != Mot_du_code(mc_longueur))
        throw TPhrase_non_reconnue{}; // the unit stays, measuring as the first unit
    l.Mot();
    l.Mot();
    const std::string expression = l.Texte(' ');
    unite.vecteur = l.Vecteur_isole();
    l.Enregistrer(TCode::unite,
                  {l.Arg_texte(expression), l.Arg(Unite_de_la_ligne(l)), l.Arg(&unite)});
    l.Passer_lignes_suivantes();
}

// "repère (O, V1, V2) graduations (P1, P2)".
void Repere(TLecteur& l, const std::string& nom)
{
    Tpoint& origine = Point(l, l.Mot());
    const std::string v1 = l.Texte(',');
    const std::string v2 = l.Texte(')');
    if (!l.Aller_apres("graduations"))
        throw TPhrase_non_reconnue{};
    const std::string pas1 = l.Texte(',');
    const std::string pas2 = l.Texte(')');
    Trepere& r = *l.figure().Nouveau<Trepere>({.nom = nom,
                                               .origine = &origine,
                                               .vecteur1 = l.Vecteur_isole(),
                                               .vecteur2 = l.Vecteur_isole(),
                                               .dessine = true});
    l.figure().liste_reperes.push_back(&r);
    l.Enregistrer(TCode::repere, {l.Arg_texte(v1), l.Arg_texte(v2), l.Arg_texte(pas1),
                                  l.Arg_texte(pas2), l.Arg(Unite_de_la_ligne(l)), l.Arg(&r)});
    l.Lire_particularites_suivantes(r);
}

TCourbe& Nouvelle_courbe(TLecteur& l, const std::string& nom)
{
    TCourbe& courbe = *l.figure().Nouveau<TCourbe>({.nom = nom});
    l.figure().liste_courbes.push_back(&courbe);
    return courbe;
}

// "lieu du point P selon N (100 points)": P is the third word, N the fifth; N is a free
// point of the figure or a number's name.
void Lieu(TLecteur& l, const std::string& nom)
{
    std::vector<std::string> mots(6);
    for (std::size_t k = 1; k < mots.size(); ++k)
        mots[k] = l.Mot();
    Tpoint& trace = Point(l, mots[3]);
    const std::string& pilote = mots[5];
    if (pilote.empty())
        throw TPhrase_non_reconnue{};
    Tpoint* point_pilote = Chercher_point(l.figure().liste_points, pilote);
    const std::string nombre = l.Texte(' ');
    TCourbe& courbe = Nouvelle_courbe(l, nom);
    l.Enregistrer(TCode::lieu,
                  {l.Arg(&trace), l.Arg_texte(pilote), l.Arg_booleen(point_pilote != nullptr),
                   l.Arg(point_pilote), l.Arg_texte(nombre), l.Arg(Unite_de_la_ligne(l)),
                   l.Arg(&courbe)},
                  false);
    l.Lire_particularites_suivantes(courbe);
}

// "graphe de F sur [A, B] dans le repère R (N points)": the number of points is the text
// after the last "(".
void Graphe(TLecteur& l, const std::string& nom)
{
    l.Attendre(Mot_du_code(mc_de));
    const std::string fonction = l.Mot();
    l.Mot();
    const std::string premier = l.Texte(',');
    const std::string dernier = l.Texte(']');
    const std::string& ligne = l.ligne();
    const std::size_t parenthese = ligne.rfind('(');
    if (fonction.empty() || parenthese == std::string::npos)
        throw TPhrase_non_reconnue{};
    int position = static_cast<int>(parenthese) + 2;
    const std::string nombre = Texte_equilibre(ligne, position, ' ');
    Tunite* unite = Unite_de_la_ligne(l);
    Trepere* repere = Repere_de_la_ligne(l);
    TCourbe& courbe = Nouvelle_courbe(l, nom);
    l.Enregistrer(TCode::graphe,
                  {l.Arg_texte(fonction), l.Arg_texte(premier), l.Arg(unite), l.Arg_texte(dernier),
                   l.Arg(repere), l.Arg_texte(nombre), l.Arg(&courbe)},
                  false);
    l.Lire_particularites_suivantes(courbe);
}

// The measures of a figure that become variables.
void Mesure(TLecteur& l, const std::string& nom, int code)
{
    const std::string& ligne = l.ligne();
    switch (code) {
    case mc_egal: {
        // The expression starts two characters after "=", past its blank.
        int position = static_cast<int>(ligne.find('=')) + 3;
        const std::string texte = Texte_equilibre(ligne, position, ' ');
        Mesurer(l, TCode::reel_expression, nom, {l.Arg_texte(texte), l.Arg(Unite_de_la_ligne(l))});
        break;
    }
    case mc_coefficient:
        l.Attendre(Mot_du_code(mc_directeur));
        Mesurer(l, TCode::coefficient_directeur, nom,
                {l.Arg(Droite_du_nom(l.figure(), Mot_apres(ligne, Mot_du_code(mc_droite)))),
                 l.Arg(Repere_de_la_ligne(l))});
        break;
    case mc_longueur:
        l.Attendre(Mot_du_code(mc_du));
        l.Attendre(Mot_du_code(mc_segment));
        Mesurer(l, TCode::longueur_segment, nom,
                {l.Arg(Segment_du_nom(l.figure(), l.Mot())), l.Arg(Unite_de_la_ligne(l))});
        break;
    case mc_rayon:
        l.Attendre(Mot_du_code(mc_de));
        Mesurer(l, TCode::rayon_cercle, nom,
                {l.Arg(Cercle_du_nom(l.figure(), l.Mot())), l.Arg(Unite_de_la_ligne(l))});
        break;
    case mc_aire:
        l.Attendre(Mot_du_code(mc_du));
        l.Attendre(Mot_du_code(mc_triangle));
        Mesurer(l, TCode::aire_triangle, nom,
                {l.Arg(l.Triangle(l.Mot(), false)), l.Arg(Unite_de_la_ligne(l))});
        break;
    case mc_produit:
        l.Attendre(Mot_du_code(mc_scalaire));
        Mesurer(l, TCode::produit_scalaire, nom,
                {l.Arg_texte(Produit_scalaire_ecrit(l.Texte(' '))), l.Arg(Unite_de_la_ligne(l))});
        break;
    case mc_distance:
        l.Attendre(Mot_du_code(mc_du));
        l.Attendre(Mot_du_code(mc_point));
        Mesurer(l, TCode::distance_point_droite, nom,
                {l.Arg(&Point(l, l.Mot())),
                 l.Arg(Droite_du_nom(l.figure(), Mot_apres(ligne, Mot_du_code(mc_droite)))),
                 l.Arg(Unite_de_la_ligne(l))});
        break;
    default:
        throw TPhrase_non_reconnue{};
    }
}

} // namespace

void Regle_nombre(TLecteur& l, const std::string& nom, int code)
{
    switch (code) {
    case mc_entier:
    case mc_reel:
        Libre(l, nom, code == mc_entier);
        break;
    case mc_mesure:
        Mesure_d_angle(l, nom);
        break;
    case mc_abscisse:
    case mc_ordonnee:
        Coordonnee(l, nom, code == mc_abscisse);
        break;
    case mc_fonction:
        Fonction(l, nom);
        break;
    case mc_unite:
        Unite_de_longueur_definie(l, nom);
        break;
    case mc_repere:
        Repere(l, nom);
        break;
    case mc_lieu:
        Lieu(l, nom);
        break;
    case mc_graphe:
        Graphe(l, nom);
        break;
    default:
        Mesure(l, nom, code);
        break;
    }
}

} // namespace trazel
