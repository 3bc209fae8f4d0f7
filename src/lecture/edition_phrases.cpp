// The figure lines the drawing editor writes, in the reference phrasing, the editing of an
// object's lines, and fresh names.

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <unordered_set>

#include "lecture/edition.h"

namespace trazel {

std::string Decimales(Reel x, int decimales)
{
    // A double holds every digit an editor writes; its to_chars ignores the locale.
    const double valeur = static_cast<double>(x);
    if (!std::isfinite(valeur))
        return "0";
    std::array<char, 400> tampon{};
    const auto fin = std::to_chars(tampon.data(), tampon.data() + tampon.size(), valeur,
                                   std::chars_format::fixed, std::clamp(decimales, 0, 17))
                         .ptr;
    std::string texte(tampon.data(), fin);
    if (texte.find('.') != std::string::npos) {
        texte.erase(texte.find_last_not_of('0') + 1);
        if (texte.back() == '.')
            texte.pop_back();
    }
    return texte == "-0" ? "0" : texte;
}

namespace {

bool Ligne_d_attributs(std::string_view ligne)
{
    return ligne.starts_with("  ");
}

// An indented line that begins, after its blanks, with these words.
bool Commence_par(std::string_view ligne, std::string_view debut)
{
    const std::size_t premier = ligne.find_first_not_of(' ');
    return premier != std::string_view::npos && ligne.substr(premier).starts_with(debut);
}

std::string Joindre(const std::vector<std::string>& mots, std::string_view separateur)
{
    std::string texte;
    for (const std::string& mot : mots)
        texte += (texte.empty() ? "" : std::string(separateur)) + mot;
    return texte;
}

} // namespace

TPlage Plage_de_l_objet(const std::vector<std::string>& lignes, int ligne)
{
    const std::size_t n = lignes.size();
    if (ligne < 1 || static_cast<std::size_t>(ligne) > n)
        return {n, n};
    TPlage plage{static_cast<std::size_t>(ligne) - 1, static_cast<std::size_t>(ligne)};
    while (plage.fin < n && Ligne_d_attributs(lignes[plage.fin]))
        ++plage.fin;
    return plage;
}

std::string Ligne_parametres(const std::string& nom, const std::vector<Reel>& valeurs,
                             int decimales)
{
    const std::string debut = "  Objet libre " + nom + ", param\xE8tre";
    if (valeurs.size() >= 2)
        return debut + "s: " + Decimales(valeurs[0], decimales) + ", " +
               Decimales(valeurs[1], decimales);
    return debut + ": " + Decimales(valeurs.empty() ? 0 : valeurs[0], decimales);
}

// The reader takes the line right after the object line as its parameter line.
bool Remplacer_parametres(std::vector<std::string>& lignes, int ligne, const std::string& nouvelle)
{
    const TPlage plage = Plage_de_l_objet(lignes, ligne);
    const std::size_t k = plage.debut + 1;
    if (k >= plage.fin || !Commence_par(lignes[k], "Objet libre "))
        return false;
    lignes[k] = nouvelle;
    return true;
}

namespace {

// The colour word of a PSTricks colour; none for black (the default) and, for a point,
// for the greys it cannot have.
std::string Mot_de_couleur(const std::string& couleur, bool point)
{
    static constexpr std::array<std::array<const char*, 2>, 8> couleurs = {{
        {"red", "rouge"},
        {"blue", "bleu"},
        {"green", "vert"},
        {"yellow", "jaune"},
        {"magenta", "rose"},
        {"cyan", "ciel"},
        {"lightgray", "gris"},
        {"gray", "gris fonc\xE9"},
    }};
    if (point && (couleur == "lightgray" || couleur == "gray"))
        return {};
    for (const auto& [nom, mot] : couleurs)
        if (couleur == nom)
            return mot;
    return {};
}

// The label words whose scores add up to the direction (right 3, left -3, above 1, below -1).
std::vector<std::string> Mots_de_direction(const std::string& direction)
{
    const std::string droite = "nom \xE0 droite", gauche = "nom \xE0 gauche";
    const std::string dessus = "nom au-dessus", dessous = "nom au-dessous";
    if (direction == "0")
        return {droite};
    if (direction == "45")
        return {droite, dessus};
    if (direction == "90")
        return {dessus};
    if (direction == "135")
        return {gauche, dessus};
    if (direction == "180")
        return {gauche};
    if (direction == "-135")
        return {gauche, dessous};
    if (direction == "-90")
        return {dessous};
    if (direction == "-45")
        return {droite, dessous};
    return {};
}

// "non dessiné" would hide a point's name too: its mark is hidden alone.
std::vector<std::string> Mots_du_point(const TAttributs& a)
{
    std::vector<std::string> mots = {a.dessine ? "dessin\xE9"
                                               : "marque non dessin\xE9"
                                                 "e"};
    if (!a.nom_dessine)
        mots.push_back("nom non dessin\xE9");
    if (a.marque == "1.5")
        mots.push_back("marque \xE9paisse");
    else if (a.marque == "0.5")
        mots.push_back("marque fine");
    for (std::string& mot : Mots_de_direction(a.position_nom))
        mots.push_back(std::move(mot));
    return mots;
}

} // namespace

std::string Ligne_particularites(const std::string& nom, const TAttributs& a, TSorte_objet sorte)
{
    const bool point = sorte == TSorte_objet::point;
    std::vector<std::string> mots;
    if (point)
        mots = Mots_du_point(a);
    else
        mots.push_back(a.dessine ? "dessin\xE9" : "non dessin\xE9");
    if (std::string couleur = Mot_de_couleur(a.couleur, point); !couleur.empty())
        mots.insert(mots.begin() + 1, std::move(couleur));
    if (!point && a.style == "dashed")
        mots.push_back("tiret\xE9");
    if (sorte == TSorte_objet::courbe)
        mots.push_back(a.points_lies ? "points li\xE9s" : "points non li\xE9s");
    return "  Objet dessinable " + nom + ", particularit\xE9s: " + Joindre(mots, ", ");
}

void Remplacer_particularites(std::vector<std::string>& lignes, int ligne,
                              const std::string& nouvelle)
{
    const TPlage plage = Plage_de_l_objet(lignes, ligne);
    if (plage.debut >= lignes.size())
        return;
    std::vector<std::size_t> anciennes;
    for (std::size_t k = plage.debut + 1; k < plage.fin; ++k)
        if (Commence_par(lignes[k], "Objet dessinable "))
            anciennes.push_back(k);
    if (anciennes.empty()) {
        lignes.insert(lignes.begin() + static_cast<std::ptrdiff_t>(plage.fin), nouvelle);
        return;
    }
    lignes[anciennes.front()] = nouvelle;
    for (std::size_t k = anciennes.size() - 1; k > 0; --k)
        lignes.erase(lignes.begin() + static_cast<std::ptrdiff_t>(anciennes[k]));
}

std::string Ligne_position_roxy(Reel xmin, Reel xmax, Reel ymax, int decimales)
{
    return "Position de Roxy: Xmin: " + Decimales(xmin, decimales) +
           ", Xmax: " + Decimales(xmax, decimales) + ", Ymax: " + Decimales(ymax, decimales);
}

namespace {

// The k-th candidate name of a kind, from 0.
std::string Candidat(TSorte_nom sorte, std::size_t k)
{
    auto rang = [](std::size_t n) { return n == 0 ? std::string() : std::to_string(n); };
    switch (sorte) {
    case TSorte_nom::point:
        return std::string(1, static_cast<char>('A' + k % 26)) + rang(k / 26);
    case TSorte_nom::fonction:
        return std::string(1, "fgh"[k % 3]) + rang(k / 3);
    default:
        break;
    }
    static constexpr std::array<const char*, 9> prefixes = {"",  "d", "c", "a", "p",
                                                            "s", "C", "k", ""};
    return prefixes[static_cast<std::size_t>(sorte)] + std::to_string(k + 1);
}

} // namespace

std::string Nom_libre(const std::vector<TObjet_edite>& objets, TSorte_nom sorte,
                      const std::vector<std::string>& aussi_pris)
{
    std::unordered_set<std::string> pris(aussi_pris.begin(), aussi_pris.end());
    for (const TObjet_edite& objet : objets)
        pris.insert(objet.nom);
    for (std::size_t k = 0;; ++k)
        if (std::string nom = Candidat(sorte, k); !pris.contains(nom))
            return nom;
}

namespace phrase {

std::string Point_libre(const std::string& nom, Tcoordonnees position, int decimales)
{
    return nom + " point libre\r" + Ligne_parametres(nom, {position.x, position.y}, decimales);
}

std::string Point_sur(const std::string& nom, TSorte_objet sorte, const std::string& support,
                      Reel t, int decimales)
{
    std::string sur;
    switch (sorte) {
    case TSorte_objet::segment:
        sur = "le segment [" + support + "]";
        break;
    case TSorte_objet::droite:
        sur = "la droite " + support;
        break;
    case TSorte_objet::demi_droite:
        sur = "la demi-droite [" + support + ")";
        break;
    case TSorte_objet::cercle:
        sur = "le cercle " + support;
        break;
    case TSorte_objet::arc:
        sur = "l'arc " + support;
        break;
    default:
        return {};
    }
    return nom + " point libre sur " + sur + "\r" + Ligne_parametres(nom, {t}, decimales);
}

std::string Segment(const std::string& a, const std::string& b)
{
    return "Segment [" + a + b + "]";
}

std::string Droite(const std::string& a, const std::string& b)
{
    return "Droite (" + a + b + ")";
}

std::string Demi_droite(const std::string& a, const std::string& b)
{
    return "Demi-droite [" + a + b + ")";
}

std::string Cercle_centre_point(const std::string& nom, const std::string& centre,
                                const std::string& point)
{
    return nom + " cercle de centre " + centre + " passant par " + point;
}

std::string Cercle_centre_rayon(const std::string& nom, const std::string& centre,
                                const std::string& rayon)
{
    return nom + " cercle de centre " + centre + " et de rayon " + rayon + " (unit\xE9 Uoxy)";
}

std::string Cercle_diametre(const std::string& nom, const std::string& a, const std::string& b)
{
    return nom + " cercle de diam\xE8tre [" + a + b + "]";
}

std::string Milieu(const std::string& nom, const std::string& a, const std::string& b)
{
    return nom + " milieu du segment [" + a + b + "]";
}

std::string Centre_de_gravite(const std::string& nom, const std::string& a, const std::string& b,
                              const std::string& c)
{
    return nom + " centre de gravit\xE9 du triangle " + a + b + c;
}

std::string Cercle_circonscrit(const std::string& nom, const std::string& a, const std::string& b,
                               const std::string& c)
{
    return nom + " cercle circonscrit au triangle " + a + b + c;
}

std::string Intersection_droites(const std::string& nom, const std::string& d1,
                                 const std::string& d2)
{
    return nom + " point d'intersection des droites " + d1 + " et " + d2;
}

std::string Intersection_droite_cercle(const std::string& nom, const std::string& d,
                                       const std::string& c, int numero)
{
    return nom + " point d'intersection " + std::to_string(numero) + " de la droite " + d +
           " et du cercle " + c;
}

std::string Intersection_cercles(const std::string& nom, const std::string& c1,
                                 const std::string& c2, int numero)
{
    return nom + " point d'intersection " + std::to_string(numero) + " des cercles " + c1 + " et " +
           c2;
}

std::string Parallele(const std::string& nom, const std::string& d, const std::string& p)
{
    return nom + " droite parall\xE8le \xE0 " + d + " passant par " + p;
}

std::string Perpendiculaire(const std::string& nom, const std::string& d, const std::string& p)
{
    return nom + " droite perpendiculaire \xE0 " + d + " passant par " + p;
}

std::string Mediatrice(const std::string& nom, const std::string& a, const std::string& b)
{
    return nom +
           " m\xE9"
           "diatrice du segment [" +
           a + b + "]";
}

std::string Bissectrice(const std::string& nom, const std::string& a, const std::string& o,
                        const std::string& b)
{
    return nom + " bissectrice de l'angle " + a + o + b;
}

std::string Polygone(const std::string& nom, const std::vector<std::string>& sommets)
{
    return nom + " polygone " + Joindre(sommets, "");
}

std::string Symetrie_axiale(const std::string& nom, const std::string& axe)
{
    return nom + " sym\xE9trie d'axe " + axe;
}

std::string Symetrie_centrale(const std::string& nom, const std::string& centre)
{
    return nom + " sym\xE9trie de centre " + centre;
}

std::string Translation(const std::string& nom, const std::string& p, const std::string& q)
{
    return nom + " translation transformant " + p + " en " + q;
}

std::string Rotation(const std::string& nom, const std::string& centre, const std::string& angle)
{
    return nom + " rotation de centre " + centre + " et d'angle " + angle + " degr\xE9";
}

std::string Homothetie(const std::string& nom, const std::string& centre,
                       const std::string& rapport)
{
    return nom + " homoth\xE9tie de centre " + centre + " et de rapport " + rapport;
}

std::string Image_point(const std::string& nom, const std::string& point, const std::string& par)
{
    return nom + " image de " + point + " par " + par;
}

std::string Par_symetrie_axiale(const std::string& axe)
{
    return "la sym\xE9trie d'axe " + axe;
}

std::string Par_symetrie_centrale(const std::string& centre)
{
    return "la sym\xE9trie de centre " + centre;
}

std::string Par_translation(const std::string& p, const std::string& q)
{
    return "la translation transformant " + p + " en " + q;
}

std::string Par_rotation(const std::string& centre, const std::string& angle_degres)
{
    return "la rotation de centre " + centre + " et d'angle " + angle_degres + " degr\xE9";
}

std::string Par_homothetie(const std::string& centre, const std::string& rapport)
{
    return "l'homoth\xE9tie de centre " + centre + " et de rapport " + rapport;
}

std::string Image_droite(const std::string& nom, const std::string& droite,
                         const std::string& transformation)
{
    return nom + " image de la droite " + droite + " par la transformation " + transformation;
}

std::string Image_cercle(const std::string& nom, const std::string& cercle,
                         const std::string& transformation)
{
    return nom + " image du cercle " + cercle + " par la transformation " + transformation;
}

std::string Graphe(const std::string& nom, const std::string& fonction, const std::string& de,
                   const std::string& a, int points)
{
    return nom + " graphe de " + fonction + " sur [" + de + ", " + a +
           "] dans le rep\xE8re Roxy (" + std::to_string(points) + " points)";
}

std::string Lieu(const std::string& nom, const std::string& point, const std::string& selon,
                 int points)
{
    return nom + " lieu du point " + point + " selon " + selon + " (" + std::to_string(points) +
           " points)";
}

std::string Nombre(const std::string& nom, const std::string& valeur)
{
    return nom + " = " + valeur;
}

std::string Fonction(const std::string& nom, const std::string& variable, const std::string& corps)
{
    return nom + " fonction " + variable + "|->" + corps;
}

} // namespace phrase

} // namespace trazel
