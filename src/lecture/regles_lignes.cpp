// Lines, half-lines, segments, vectors, circles, arcs, polygons, perpendicular bisectors and
// angle bisectors. An object is put in its list only once its phrase is recognised, so a
// line the reader skips never leaves an object without geometry behind.

#include <cmath>

#include "calc/noms.h"
#include "lecture/regles.h"
#include "model/erreurs.h"
#include "model/mots.h"
#include "model/phrases.h"

namespace trazel {
namespace {

// Generous for any figure, and a guard against a typo that would ask for millions.
constexpr int cotes_maximum = 10000;

// Records the step with the object last, then reads the object's attribute lines.
template <class T> void Finir(TLecteur& l, TCode genre, std::vector<TArgument*> arguments, T& objet)
{
    arguments.push_back(l.Arg(&objet));
    l.Enregistrer(genre, arguments);
    l.Lire_particularites_suivantes(objet);
}

void Finir_droite(TLecteur& l, TCode genre, std::vector<TArgument*> arguments, Tdroite& d)
{
    l.figure().liste_droites.push_back(&d);
    Finir(l, genre, std::move(arguments), d);
}

// "droite parallèle|perpendiculaire à D passant par P", "droite passant par P et de
// coefficient directeur EXPR (repère R)", "droite munie du repère d'origine P et de vecteur
// V, graduations EXPR", "droite d'équation EXPR1 = EXPR2 dans le repère R".
void Droite(TLecteur& l, const std::string& nom)
{
    const std::optional<int> code = Code_mot(l.Mot());
    if (code == mc_parallele || code == mc_perpendiculaire) {
        l.Attendre(Mot_du_code(mc_a));
        Tdroite* reference = Droite_du_nom(l.figure(), l.Mot());
        Tdroite& d =
            *l.Droite_isolee(nom, &Point(l, Mot_apres(l.ligne(), "par")), l.Vecteur_isole());
        if (code == mc_parallele)
            d.point2 = l.Point_isole();
        Finir_droite(l, code == mc_parallele ? TCode::parallele : TCode::perpendiculaire,
                     {l.Arg(reference)}, d);
    } else if (code == mc_passant) {
        l.Attendre("par");
        Tpoint& p = Point(l, l.Mot());
        for (const int mot : {mc_et, mc_de, mc_coefficient, mc_directeur})
            l.Attendre(Mot_du_code(mot));
        const std::string pente = l.Texte(' ');
        Tdroite& d = *l.Droite_isolee(nom, &p, l.Vecteur_isole());
        Finir_droite(
            l, TCode::droite_coefficient,
            {l.Arg_texte(pente), l.Arg(Unite_de_la_ligne(l)), l.Arg(Repere_de_la_ligne(l))}, d);
    } else if (code == mc_munie) {
        Tpoint& p = Point(l, Mot_apres(l.ligne(), "d'origine"));
        if (!l.Aller_apres(Mot_du_code(mc_vecteur)))
            throw TPhrase_non_reconnue{};
        const std::string vecteur = l.Texte(',');
        if (!l.Aller_apres("graduations"))
            throw TPhrase_non_reconnue{};
        const std::string pas = l.Texte(' ');
        Tdroite& d = *l.Droite_isolee(nom, &p, l.Vecteur_isole());
        d.graduee = true;
        Finir_droite(l, TCode::droite_graduee,
                     {l.Arg_texte(vecteur), l.Arg(Unite_de_la_ligne(l)), l.Arg_texte(pas)}, d);
    } else if (code == mc_d_equation) {
        const std::string gauche = l.Texte(' ');
        if (l.Texte(' ') != "=")
            throw TPhrase_non_reconnue{};
        const std::string droite = l.Texte(' ');
        Tdroite& d = *l.Droite_isolee(nom, l.Point_isole(), l.Vecteur_isole());
        Finir_droite(l, TCode::droite_equation,
                     {l.Arg_texte(gauche + "-(" + droite + ")"), l.Arg(Unite_de_la_ligne(l)),
                      l.Arg(Repere_de_la_ligne(l))},
                     d);
    } else {
        throw TPhrase_non_reconnue{};
    }
}

void Finir_cercle(TLecteur& l, TCode genre, std::vector<TArgument*> arguments, Tcercle& c)
{
    l.figure().liste_cercles.push_back(&c);
    Finir(l, genre, std::move(arguments), c);
}

// "cercle de centre P" followed by "et de rayon EXPR (unité U)", "passant par Q" or
// "tangent à D" (raw characters).
void Cercle_de_centre(TLecteur& l, Tcercle& c)
{
    c.centre = &Point(l, l.Mot());
    if (l.Suivi_de("et de rayon")) {
        const std::string rayon = l.Texte(' ');
        c.unite = l.Unite(Nom_apres_unite_ou_repere(l.ligne()));
        Finir_cercle(l, TCode::cercle_rayon, {l.Arg_texte(rayon)}, c);
    } else if (l.Suivi_de("passant par")) {
        Finir_cercle(l, TCode::cercle_passant, {l.Arg(&Point(l, l.Mot()))}, c);
    } else if (l.Suivi_de("tangent \xE0")) {
        Finir_cercle(l, TCode::cercle_tangent, {l.Arg(Droite_du_nom(l.figure(), l.Mot()))}, c);
    } else {
        // The circle keeps its centre, with no radius: later lines may still refer to it.
        l.figure().liste_cercles.push_back(&c);
        throw TPhrase_non_reconnue{};
    }
}

// "cercle de centre …", "cercle de diamètre [AB]", "cercle circonscrit au triangle ABC",
// "cercle inscrit dans le triangle ABC".
void Cercle(TLecteur& l, const std::string& nom)
{
    Tcercle& c = *l.figure().Nouveau<Tcercle>({.nom = nom});
    c.unite = l.Unite("1");
    const std::optional<int> code = Code_mot(l.Mot());
    if (code == mc_de) {
        const std::optional<int> quoi = Code_mot(l.Mot());
        if (quoi == mc_centre) {
            Cercle_de_centre(l, c);
            return;
        }
        if (quoi != mc_diametre)
            throw TPhrase_non_reconnue{};
        Tsegment* diametre = Segment_du_nom(l.figure(), l.Mot());
        c.centre = l.Point_isole();
        Finir_cercle(l, TCode::cercle_diametre, {l.Arg(diametre)}, c);
    } else if (code == mc_circonscrit) {
        l.Attendre(Mot_du_code(mc_au));
        l.Attendre(Mot_du_code(mc_triangle));
        c.centre = l.Point_isole();
        Finir_cercle(l, TCode::cercle_circonscrit, {l.Arg(l.Triangle(l.Mot(), false))}, c);
    } else if (code == mc_inscrit) {
        l.Attendre("dans");
        l.Attendre(Mot_du_code(mc_le));
        l.Attendre(Mot_du_code(mc_triangle));
        c.centre = l.Point_isole();
        Finir_cercle(l, TCode::cercle_inscrit, {l.Arg(l.Triangle(l.Mot(), false))}, c);
    } else {
        throw TPhrase_non_reconnue{};
    }
}

// "arc d'origine P et d'extrémité Q sur le cercle C" (the words are counted: P second, Q
// fifth, "le" seventh, C ninth) or "… sur un cercle de centre O" (a new circle through P).
void Arc(TLecteur& l, const std::string& nom)
{
    std::vector<std::string> mots(12);
    for (std::size_t k = 1; k < mots.size(); ++k)
        mots[k] = l.Mot();
    Tpoint& p = Point(l, mots[2]);
    Tpoint& q = Point(l, mots[5]);
    Tcercle* cercle = nullptr;
    TCode genre = TCode::arc_sur_cercle;
    if (mots[7] == Mot_du_code(mc_le)) {
        cercle = Cercle_du_nom(l.figure(), mots[9]);
    } else if (mots[7] == Mot_du_code(mc_un)) {
        genre = TCode::arc_nouveau_cercle;
        const std::string& centre = mots[10] == Mot_du_code(mc_centre) ? mots[11] : mots[10];
        cercle = l.figure().Nouveau<Tcercle>({.nom = nom, .centre = &Point(l, centre)});
        cercle->unite = l.Unite("1");
        l.figure().liste_cercles.push_back(cercle);
    } else {
        throw TPhrase_non_reconnue{};
    }
    Tarc_de_cercle& arc = *l.figure().Nouveau<Tarc_de_cercle>({.nom = nom, .cercle = cercle});
    l.figure().liste_arcs.push_back(&arc);
    Finir(l, genre, {l.Arg(&p), l.Arg(&q), l.Arg(cercle)}, arc);
}

// New vertices "0", "1", … that belong to the polygon only.
void Sommets_propres(TLecteur& l, Tpolygone& p, int nombre)
{
    for (int k = 0; k < nombre; ++k)
        p.sommets.push_back(l.Point_isole(std::to_string(k)));
}

void Finir_polygone(TLecteur& l, TCode genre, std::vector<TArgument*> arguments, Tpolygone& p)
{
    l.figure().liste_polygones.push_back(&p);
    Finir(l, genre, std::move(arguments), p);
}

// "rectangle de diagonale [AC]" and "rectangle de W par H de coin (X0, Y0) dans le repère R".
void Rectangle(TLecteur& l, Tpolygone& p)
{
    const std::string mot = l.Mot();
    if (mot == Mot_du_code(mc_diagonale)) {
        const std::string diagonale = l.Mot();
        const TListe_points bouts = Points_du_nom(l.figure().liste_points, diagonale);
        if (bouts.size() != 2)
            throw Erreur_trazel("\xAB " + diagonale +
                                " \xBB ne d\xE9signe pas deux points de la figure");
        p.sommets = {bouts[0], l.Point_isole("1"), bouts[1], l.Point_isole("3")};
        Finir_polygone(l, TCode::rectangle_diagonale, {l.Arg_texte(diagonale)}, p);
        return;
    }
    const std::string largeur = mot;
    l.Attendre("par");
    const std::string hauteur = l.Mot();
    l.Attendre(Mot_du_code(mc_de));
    l.Attendre("coin");
    const std::string x0 = l.Mot();
    const std::string y0 = l.Mot();
    Sommets_propres(l, p, 4);
    Finir_polygone(l, TCode::rectangle_dimensions,
                   {l.Arg_texte(largeur), l.Arg_texte(hauteur), l.Arg_texte(x0), l.Arg_texte(y0),
                    l.Arg(Unite_de_la_ligne(l)), l.Arg(Repere_de_la_ligne(l))},
                   p);
}

// "polygone régulier de centre O de sommet A à N côtés".
void Polygone_regulier(TLecteur& l, Tpolygone& p)
{
    const std::string& ligne = l.ligne();
    Tpoint& centre = Point(l, Mot_apres(ligne, Mot_du_code(mc_centre)));
    Tpoint& sommet = Point(l, Mot_apres(ligne, "sommet"));
    const std::string texte = Mot_avant(ligne, "c\xF4t\xE9s");
    const Reel n = l.Evaluer(texte);
    if (n != std::trunc(n) || n < 1 || n > cotes_maximum)
        throw Erreur_trazel("le nombre de c\xF4t\xE9s \xAB " + texte +
                            " \xBB doit \xEAtre un entier de 1 \xE0 " +
                            std::to_string(cotes_maximum));
    const auto cotes = static_cast<std::int32_t>(n);
    Sommets_propres(l, p, cotes);
    Finir_polygone(l, TCode::polygone_regulier,
                   {l.Arg_entier(cotes), l.Arg(&centre), l.Arg(&sommet)}, p);
}

// "polygone ABCD", "cadre ABCD", "rectangle de …", "polygone régulier …".
void Polygone(TLecteur& l, const std::string& nom)
{
    if (nom == "Double") {
        l.Passer_lignes_suivantes(); // the picture window, read before the header
        return;
    }
    Tpolygone& p = *l.figure().Nouveau<Tpolygone>({.nom = nom});
    const std::string mot = l.Mot();
    const std::optional<int> code = Code_mot(mot);
    if (!code) {
        p.sommets = Points_du_nom(l.figure().liste_points, mot);
        Finir_polygone(l, TCode::polygone, {}, p);
    } else if (code == mc_de) {
        Rectangle(l, p);
    } else if (code == mc_regulier) {
        Polygone_regulier(l, p);
    } else {
        throw TPhrase_non_reconnue{};
    }
}

// "médiatrice du segment [AB]" and "bissectrice de l'angle ABC".
void Mediatrice_ou_bissectrice(TLecteur& l, const std::string& nom, int code)
{
    if (code == mc_mediatrice) {
        l.Attendre(Mot_du_code(mc_du));
        l.Attendre(Mot_du_code(mc_segment));
        Tsegment* s = Segment_du_nom(l.figure(), l.Mot());
        Tdroite& d = *l.Droite_isolee(nom, l.Point_isole(), l.Vecteur_isole());
        Finir_droite(l, TCode::mediatrice, {l.Arg(s)}, d);
        return;
    }
    l.Attendre(Mot_du_code(mc_de));
    l.Attendre(Mot_du_code(mc_l_angle));
    Tpolygone* angle = l.Triangle(l.Mot(), false);
    Tdroite& d = *l.Droite_isolee(nom, angle->sommets[1], l.Vecteur_isole());
    Finir_droite(l, TCode::bissectrice, {l.Arg(angle)}, d);
}

// "vec u (a, b) dans le repère R" and "vec u = EXPR".
void Vecteur(TLecteur& l)
{
    const std::string nom = l.Mot();
    const int apres_le_nom = l.position();
    const bool par_expression = l.Mot() == "=";
    Tvecteur& u = *l.figure().Nouveau<Tvecteur>({.nom = nom});
    if (par_expression) {
        const std::string expression = l.Texte(' ');
        l.figure().liste_vecteurs.push_back(&u);
        l.Enregistrer(TCode::vecteur_expression, {l.Arg_texte(nom), l.Arg_texte(expression),
                                                  l.Arg(Unite_de_la_ligne(l)), l.Arg(&u)});
    } else {
        l.position() = apres_le_nom;
        if (apres_le_nom < 2 || l.ligne()[static_cast<std::size_t>(apres_le_nom - 2)] != '(')
            throw TPhrase_non_reconnue{};
        const std::string a = l.Texte(',');
        const std::string b = l.Texte(')');
        l.figure().liste_vecteurs.push_back(&u);
        l.Enregistrer(TCode::vecteur_coordonnees,
                      {l.Arg_texte(nom), l.Arg_texte(a), l.Arg(Unite_de_la_ligne(l)),
                       l.Arg_texte(b), l.Arg(Repere_de_la_ligne(l)), l.Arg(&u)});
    }
    l.Passer_lignes_suivantes();
}

} // namespace

void Lire_forme_fixe(TLecteur& l, const std::string& mot_fixe)
{
    if (mot_fixe == "vec") {
        Vecteur(l);
        return;
    }
    const std::string nom = l.Mot();
    if (mot_fixe == "Segment") {
        Tsegment& s = *Segment_du_nom(l.figure(), nom);
        Finir(l, TCode::segment, {l.Arg(s.extremite1), l.Arg(s.extremite2)}, s);
        return;
    }
    Tdroite& d = *Droite_du_nom(l.figure(), nom);
    if (mot_fixe == "Demi-droite") {
        Finir(l, TCode::demi_droite, {}, d);
        return;
    }
    Tpoint* p = d.point1;
    Tpoint* q = d.point2;
    if (p == nullptr || q == nullptr) {
        const TListe_points bouts = Points_du_nom(l.figure().liste_points, nom);
        if (bouts.size() != 2)
            throw Erreur_trazel("\xAB " + nom + " \xBB ne d\xE9signe pas deux points de la figure");
        p = bouts[0];
        q = bouts[1];
    }
    Finir(l, TCode::droite_deux_points, {l.Arg(p), l.Arg(q)}, d);
}

void Regle_ligne(TLecteur& l, const std::string& nom, int code)
{
    switch (code) {
    case mc_droite:
        Droite(l, nom);
        break;
    case mc_cercle:
        Cercle(l, nom);
        break;
    case mc_arc:
        Arc(l, nom);
        break;
    case mc_polygone:
    case mc_rectangle:
    case mc_cadre:
        Polygone(l, nom);
        break;
    default: // médiatrice, bissectrice
        Mediatrice_ou_bissectrice(l, nom, code);
        break;
    }
}

} // namespace trazel
