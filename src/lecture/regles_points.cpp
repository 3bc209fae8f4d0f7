// Point constructions: free points, points given by coordinates, intersections, midpoints,
// triangle centres, projections, barycentres and points at a distance on a half-line.

#include "calc/noms.h"
#include "lecture/regles.h"
#include "model/erreurs.h"
#include "model/mots.h"
#include "model/phrases.h"

namespace trazel {

Tpoint& Point(TLecteur& l, std::string_view nom)
{
    return Point_du_nom(l.figure().liste_points, nom);
}

Tunite* Unite_de_la_ligne(TLecteur& l)
{
    return l.Unite(Unite_de_longueur(l.ligne()));
}

Trepere* Repere_de_la_ligne(TLecteur& l)
{
    return Repere_du_nom(l.figure(), Nom_apres_unite_ou_repere(l.ligne()));
}

namespace {

Tdroite* Droite(TLecteur& l, std::string_view nom)
{
    return Droite_du_nom(l.figure(), nom);
}

Tcercle* Cercle(TLecteur& l, std::string_view nom)
{
    return Cercle_du_nom(l.figure(), nom);
}

// Records the step with the point as its last argument, then reads the point's attribute
// lines (for every point rule: a point's colour or label is never lost).
void Finir(TLecteur& l, TCode genre, std::vector<TArgument*> arguments, Tpoint& point)
{
    arguments.push_back(l.Arg(&point));
    l.Enregistrer(genre, arguments);
    l.Lire_particularites_suivantes(point);
}

// "point libre sur le|la segment|droite|demi-droite|cercle D", "point libre sur l'arc A":
// the position comes from the parameter line that follows.
void Point_libre_sur(TLecteur& l, Tpoint& p)
{
    const std::string article = l.Mot();
    TCode genre = TCode::fin;
    TArgument* support = nullptr;
    if (article == Mot_du_code(mc_l_arc)) {
        genre = TCode::point_sur_arc;
        support = l.Arg(Arc_du_nom(l.figure(), l.Mot()));
    } else if (article == Mot_du_code(mc_le) || article == Mot_du_code(mc_la)) {
        const std::optional<int> objet = Code_mot(l.Mot());
        const std::string nom = l.Mot();
        if (objet == mc_segment) {
            genre = TCode::point_sur_segment;
            support = l.Arg(Segment_du_nom(l.figure(), nom));
        } else if (objet == mc_droite || objet == mc_demi_droite) {
            genre = objet == mc_droite ? TCode::point_sur_droite : TCode::point_sur_demi_droite;
            support = l.Arg(Droite(l, nom));
        } else if (objet == mc_cercle) {
            genre = TCode::point_sur_cercle;
            support = l.Arg(Cercle(l, nom));
        }
    }
    if (genre == TCode::fin)
        throw TPhrase_non_reconnue{};
    Finir(l, genre, {support, l.Arg_reel(l.Lire_valeur_parametre())}, p);
}

// "point libre", "point libre dans le cadre K", "point libre à coordonnées dans le repère R",
// "point libre sur …": the values come from the parameter line that follows.
void Point_libre(TLecteur& l, Tpoint& p)
{
    const std::string quatrieme = l.Mot();
    if (quatrieme.empty()) {
        Placer(p, l.Lire_parametres_point_libre());
        Finir(l, TCode::point_libre, {}, p);
    } else if (quatrieme == "dans") {
        const std::string nom = Mot_apres(l.ligne(), Mot_du_code(mc_cadre));
        Tpolygone* cadre = Polygone_du_nom(l.figure(), nom);
        if (cadre == nullptr || cadre->sommets.empty())
            throw Erreur_trazel("Le cadre \xAB " + nom +
                                " \xBB n'est pas d\xE9"
                                "fini");
        const Tcoordonnees uv = l.Lire_parametres_point_libre();
        Finir(l, TCode::point_libre_cadre, {l.Arg(cadre), l.Arg_reel(uv.x), l.Arg_reel(uv.y)}, p);
    } else if (quatrieme == Mot_du_code(mc_a)) {
        Trepere* repere = Repere_de_la_ligne(l);
        const Tcoordonnees xy = l.Lire_parametres_point_libre();
        Finir(l, TCode::point_libre_repere, {l.Arg(repere), l.Arg_reel(xy.x), l.Arg_reel(xy.y)}, p);
    } else if (quatrieme == Mot_du_code(mc_sur)) {
        Point_libre_sur(l, p);
    } else {
        throw TPhrase_non_reconnue{};
    }
}

// "autre que P" after an intersection: the point the intersection must differ from.
void Ajouter_autre_que(TLecteur& l, std::vector<TArgument*>& arguments)
{
    if (l.Mot() != "autre")
        return;
    l.Attendre("que");
    arguments.push_back(l.Arg(&Point(l, l.Mot())));
}

// "la droite D et du cercle C", compared on the raw characters.
std::vector<TArgument*> Droite_et_cercle(TLecteur& l)
{
    if (!l.Suivi_de("la droite"))
        throw TPhrase_non_reconnue{};
    Tdroite* d = Droite(l, l.Mot());
    if (!l.Suivi_de("et du cercle"))
        throw TPhrase_non_reconnue{};
    return {l.Arg(d), l.Arg(Cercle(l, l.Mot()))};
}

// "cercles C1 et C2".
std::vector<TArgument*> Deux_cercles(TLecteur& l)
{
    l.Attendre(Mot_du_code(mc_cercles));
    Tcercle* c1 = Cercle(l, l.Mot());
    l.Attendre(Mot_du_code(mc_et));
    return {l.Arg(c1), l.Arg(Cercle(l, l.Mot()))};
}

// "point d'intersection …": of two lines, of a line and a circle, of two circles, numbered
// 1 or 2, or other than a given point.
void Point_d_intersection(TLecteur& l, Tpoint& p)
{
    const std::string mot = l.Mot();
    if (mot == Mot_du_code(mc_des)) {
        const int position = l.position();
        if (l.Mot() == Mot_du_code(mc_droites)) {
            Tdroite* d1 = Droite(l, l.Mot());
            l.Attendre(Mot_du_code(mc_et));
            Finir(l, TCode::intersection_droites, {l.Arg(d1), l.Arg(Droite(l, l.Mot()))}, p);
            return;
        }
        l.position() = position;
        std::vector<TArgument*> arguments = Deux_cercles(l);
        Ajouter_autre_que(l, arguments);
        Finir(l, TCode::intersection_cercles_autre, arguments, p);
    } else if (mot == Mot_du_code(mc_de)) {
        std::vector<TArgument*> arguments = Droite_et_cercle(l);
        Ajouter_autre_que(l, arguments);
        Finir(l, TCode::intersection_droite_cercle_autre, arguments, p);
    } else if (mot == "1" || mot == "2") {
        const bool premier = mot == "1";
        const std::string suite = l.Mot();
        if (suite == Mot_du_code(mc_de))
            Finir(l,
                  premier ? TCode::intersection_droite_cercle_1
                          : TCode::intersection_droite_cercle_2,
                  Droite_et_cercle(l), p);
        else if (suite == Mot_du_code(mc_des))
            Finir(l, premier ? TCode::intersection_cercles_1 : TCode::intersection_cercles_2,
                  Deux_cercles(l), p);
        else
            throw TPhrase_non_reconnue{};
    } else {
        throw TPhrase_non_reconnue{};
    }
}

// The rules whose second word is "point".
void Point(TLecteur& l, Tpoint& p)
{
    const std::string troisieme = l.Mot();
    const std::optional<int> code = Code_mot(troisieme);
    if (code == mc_libre) {
        Point_libre(l, p);
    } else if (code == mc_de) {
        l.Attendre(Mot_du_code(mc_coordonnees));
        const std::string x = l.Texte(',');
        const std::string y = l.Texte(')');
        Finir(l, TCode::point_coordonnees,
              {l.Arg(Repere_de_la_ligne(l)), l.Arg_texte(x), l.Arg_texte(y),
               l.Arg(Unite_de_la_ligne(l))},
              p);
    } else if (code == mc_d_abscisse) {
        const std::string x = l.Texte(' ');
        Finir(l, TCode::point_abscisse,
              {l.Arg(Repere_de_la_ligne(l)), l.Arg_texte(x), l.Arg(Unite_de_la_ligne(l))}, p);
    } else if (code == mc_sur) {
        l.Attendre(Mot_du_code(mc_le));
        l.Attendre(Mot_du_code(mc_cercle));
        Tcercle* cercle = Cercle(l, l.Mot());
        const std::string unite_d_angle = Unite_d_angle(l.ligne());
        if (unite_d_angle.empty())
            throw TPhrase_non_reconnue{};
        Finir(l, TCode::point_angle_cercle,
              {l.Arg(cercle), l.Arg_texte(Mot_avant(l.ligne(), unite_d_angle)),
               l.Arg(Unite_de_la_ligne(l)), l.Arg_texte(unite_d_angle)},
              p);
    } else if (code == mc_a) {
        l.Attendre(Mot_du_code(mc_abscisse));
        Tdroite* d = Droite(l, Nom_apres_sur(l.ligne()));
        Finir(l, TCode::point_abscisse_droite, {l.Arg(d), l.Arg_reel(l.Lire_valeur_parametre())},
              p);
    } else if (code == mc_d_intersection) {
        Point_d_intersection(l, p);
    } else {
        throw TPhrase_non_reconnue{};
    }
}

// "centre de gravité du triangle ABC", "centre du cercle inscrit dans le triangle ABC",
// "centre du cercle circonscrit au triangle ABC", "centre du cercle c".
void Centre(TLecteur& l, Tpoint& p)
{
    const std::string mot = l.Mot();
    if (mot == Mot_du_code(mc_de)) {
        l.Attendre(Mot_du_code(mc_gravite));
        l.Attendre(Mot_du_code(mc_du));
        l.Attendre(Mot_du_code(mc_triangle));
        Finir(l, TCode::centre_gravite, {l.Arg(l.Triangle(l.Mot(), true))}, p);
        return;
    }
    if (mot != Mot_du_code(mc_du))
        throw TPhrase_non_reconnue{};
    l.Attendre(Mot_du_code(mc_cercle));
    const std::string quoi = l.Mot();
    if (quoi == Mot_du_code(mc_inscrit)) {
        l.Attendre("dans");
        l.Attendre(Mot_du_code(mc_le));
        l.Attendre(Mot_du_code(mc_triangle));
        Finir(l, TCode::centre_inscrit, {l.Arg(l.Triangle(l.Mot(), true))}, p);
    } else if (quoi == Mot_du_code(mc_circonscrit)) {
        l.Attendre(Mot_du_code(mc_au));
        l.Attendre(Mot_du_code(mc_triangle));
        Finir(l, TCode::centre_circonscrit, {l.Arg(l.Triangle(l.Mot(), true))}, p);
    } else {
        Finir(l, TCode::centre_cercle, {l.Arg(Cercle(l, quoi))}, p);
    }
}

// "projeté de P sur d1 parallèlement à d2", "projeté orthogonal de P sur d".
void Projete(TLecteur& l, Tpoint& p)
{
    const std::string mot = l.Mot();
    const bool orthogonal = mot == Mot_du_code(mc_orthogonal);
    if (!orthogonal && mot != Mot_du_code(mc_de))
        throw TPhrase_non_reconnue{};
    const std::string& ligne = l.ligne();
    Tpoint& source = Point(l, Mot_apres(ligne, Mot_du_code(mc_de)));
    Tdroite* sur = Droite(l, Nom_apres_sur(ligne));
    if (orthogonal)
        Finir(l, TCode::projete_orthogonal, {l.Arg(&source), l.Arg(sur)}, p);
    else
        Finir(l, TCode::projete,
              {l.Arg(&source), l.Arg(sur), l.Arg(Droite(l, Mot_apres(ligne, "\xE0")))}, p);
}

// "sur demi-droite [AB) à la distance EXPR (unité U)"; the point is made once the half-line
// is read.
void Sur_demi_droite(TLecteur& l, const std::string& nom)
{
    l.Attendre(Mot_du_code(mc_demi_droite));
    Tdroite* d = Droite(l, l.Mot());
    Tpoint& p = *l.Nouveau_point(nom);
    if (!l.Aller_apres(Mot_du_code(mc_distance)))
        throw TPhrase_non_reconnue{};
    const std::string distance = l.Texte(' ');
    Finir(l, TCode::point_distance_demi_droite,
          {l.Arg(d), l.Arg_texte(distance), l.Arg(Unite_de_la_ligne(l))}, p);
}

} // namespace

void Regle_point(TLecteur& l, const std::string& nom, int code)
{
    switch (code) {
    case mc_point:
        Point(l, *l.Nouveau_point(nom));
        break;
    case mc_milieu: {
        l.Attendre(Mot_du_code(mc_du));
        l.Attendre(Mot_du_code(mc_segment));
        Tsegment* s = Segment_du_nom(l.figure(), l.Mot());
        Finir(l, TCode::milieu, {l.Arg(s)}, *l.Nouveau_point(nom));
        break;
    }
    case mc_centre:
        Centre(l, *l.Nouveau_point(nom));
        break;
    case mc_orthocentre: {
        Tpoint& p = *l.Nouveau_point(nom);
        l.Attendre(Mot_du_code(mc_du));
        l.Attendre(Mot_du_code(mc_triangle));
        Finir(l, TCode::orthocentre, {l.Arg(l.Triangle(l.Mot(), true))}, p);
        break;
    }
    case mc_projete:
        Projete(l, *l.Nouveau_point(nom));
        break;
    case mc_barycentre: {
        Tpoint& p = *l.Nouveau_point(nom);
        // The list of weighted points starts after the word that follows (" de ").
        const int debut = l.position();
        const std::string mot = l.Mot();
        const auto liste = static_cast<std::int32_t>(debut + static_cast<int>(mot.size()) + 1);
        Finir(l, TCode::barycentre, {l.Arg_texte(l.ligne()), l.Arg_entier(liste)}, p);
        break;
    }
    default: // mc_sur
        Sur_demi_droite(l, nom);
        break;
    }
}

} // namespace trazel
