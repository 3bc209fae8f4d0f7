#include "model/mots.h"

#include <array>
#include <cstddef>

namespace trazel {
namespace {

// One row per keyword, in code order; the empty word is a keyword, so that the end of a
// line reads as one.
struct TMot_de_la_table {
    Mot_cle code;
    std::string_view texte;
};
// clang-format off
constexpr std::array<TMot_de_la_table, nombre_mots_cles> table_mots = {{
    {mc_position, "Position"},
    {mc_rouge, "rouge"},
    {mc_dessine, "dessin\xE9"},
    {mc_non, "non"},
    {mc_vide, ""},
    {mc_point, "point"},
    {mc_libre, "libre"},
    {mc_le, "le"},
    {mc_la, "la"},
    {mc_segment, "segment"},
    {mc_droite, "droite"},
    {mc_demi_droite, "demi-droite"},
    {mc_cercle, "cercle"},
    {mc_l_arc, "l'arc"},
    {mc_de, "de"},
    {mc_unite, "unit\xE9"},
    {mc_longueur, "longueur"},
    {mc_coordonnees, "coordonn\xE9" "es"},
    {mc_d_abscisse, "d'abscisse"},
    {mc_sur, "sur"},
    {mc_a, "\xE0"},
    {mc_abscisse, "abscisse"},
    {mc_d_intersection, "d'intersection"},
    {mc_des, "des"},
    {mc_droites, "droites"},
    {mc_parallele, "parall\xE8le"},
    {mc_perpendiculaire, "perpendiculaire"},
    {mc_milieu, "milieu"},
    {mc_du, "du"},
    {mc_circonscrit, "circonscrit"},
    {mc_au, "au"},
    {mc_triangle, "triangle"},
    {mc_inscrit, "inscrit"},
    {mc_centre, "centre"},
    {mc_diametre, "diam\xE8tre"},
    {mc_1, "1"},
    {mc_2, "2"},
    {mc_mediatrice, "m\xE9" "diatrice"},
    {mc_bissectrice, "bissectrice"},
    {mc_l_angle, "l'angle"},
    {mc_gravite, "gravit\xE9"},
    {mc_orthocentre, "orthocentre"},
    {mc_polygone, "polygone"},
    {mc_regulier, "r\xE9gulier"},
    {mc_rectangle, "rectangle"},
    {mc_diagonale, "diagonale"},
    {mc_arc, "arc"},
    {mc_un, "un"},
    {mc_symetrie, "sym\xE9trie"},
    {mc_d_axe, "d'axe"},
    {mc_translation, "translation"},
    {mc_transformant, "transformant"},
    {mc_vecteur, "vecteur"},
    {mc_rotation, "rotation"},
    {mc_homothetie, "homoth\xE9tie"},
    {mc_et, "et"},
    {mc_similitude, "similitude"},
    {mc_composee, "compos\xE9" "e"},
    {mc_image, "image"},
    {mc_transformation, "transformation"},
    {mc_munie, "munie"},
    {mc_nom, "nom"},
    {mc_gauche, "gauche"},
    {mc_au_dessus, "au-dessus"},
    {mc_au_dessous, "au-dessous"},
    {mc_marque, "marque"},
    {mc_epaisse, "\xE9paisse"},
    {mc_fine, "fine"},
    {mc_dessinee, "dessin\xE9" "e"},
    {mc_l_homothetie, "l'homoth\xE9tie"},
    {mc_projete, "projet\xE9"},
    {mc_orthogonal, "orthogonal"},
    {mc_bleu, "bleu"},
    {mc_vert, "vert"},
    {mc_jaune, "jaune"},
    {mc_gris, "gris"},
    {mc_fonce, "fonc\xE9"},
    {mc_rose, "rose"},
    {mc_ciel, "ciel"},
    {mc_passant, "passant"},
    {mc_repere, "rep\xE8re"},
    {mc_egal, "="},
    {mc_fonction, "fonction"},
    {mc_coefficient, "coefficient"},
    {mc_directeur, "directeur"},
    {mc_entier, "entier"},
    {mc_reel, "r\xE9" "el"},
    {mc_rayon, "rayon"},
    {mc_aire, "aire"},
    {mc_produit, "produit"},
    {mc_scalaire, "scalaire"},
    {mc_mesure, "mesure"},
    {mc_geometrique, "g\xE9om\xE9trique"},
    {mc_distance, "distance"},
    {mc_ordonnee, "ordonn\xE9" "e"},
    {mc_cadre, "cadre"},
    {mc_barycentre, "barycentre"},
    {mc_cercles, "cercles"},
    {mc_lieu, "lieu"},
    {mc_points, "points"},
    {mc_lies, "li\xE9s"},
    {mc_trait, "trait"},
    {mc_epais, "\xE9pais"},
    {mc_d_equation, "d'\xE9quation"},
    {mc_avec, "avec"},
    {mc_tirete, "tiret\xE9"},
    {mc_graphe, "graphe"},
}};
// clang-format on

constexpr bool Table_en_ordre()
{
    for (std::size_t k = 0; k < table_mots.size(); ++k)
        if (static_cast<std::size_t>(table_mots[k].code) != k + 1)
            return false;
    return true;
}
static_assert(Table_en_ordre(), "each keyword's row stands at its code");

constexpr auto delimiteurs = [] {
    std::array<bool, 256> d{};
    for (const char c : std::string_view(" (),:[]"))
        d[static_cast<unsigned char>(c)] = true;
    return d;
}();

// Index of a 1-based position into the line.
std::size_t Indice(int position)
{
    return static_cast<std::size_t>(position - 1);
}

int Longueur(std::string_view ligne)
{
    return static_cast<int>(ligne.size());
}

} // namespace

bool Est_delimiteur(char c)
{
    return delimiteurs[static_cast<unsigned char>(c)];
}

std::string_view Vue_du_mot_suivant(std::string_view ligne, int& position)
{
    if (position < 1)
        position = 1;
    // Every word of every figure line goes through here: indices, not 1-based positions.
    std::size_t i = Indice(position);
    const std::size_t debut = i;
    while (i < ligne.size() && !Est_delimiteur(ligne[i]))
        ++i;
    // Past the end (i == debut) the word is empty and the position stays.
    const std::string_view mot = i > debut ? ligne.substr(debut, i - debut) : std::string_view();
    while (i < ligne.size() && Est_delimiteur(ligne[i]))
        ++i;
    position = static_cast<int>(i) + 1;
    return mot;
}

std::string Mot_suivant(std::string_view ligne, int& position)
{
    return std::string(Vue_du_mot_suivant(ligne, position));
}

std::string_view Mot_du_code(int code)
{
    return table_mots.at(static_cast<std::size_t>(code - 1)).texte;
}

std::optional<int> Code_mot(std::string_view mot)
{
    for (const TMot_de_la_table& m : table_mots)
        if (m.texte == mot)
            return m.code;
    return std::nullopt;
}

std::string_view Sans_espaces_autour(std::string_view texte)
{
    const std::size_t debut = texte.find_first_not_of(' ');
    if (debut == std::string_view::npos)
        return {};
    return texte.substr(debut, texte.find_last_not_of(' ') - debut + 1);
}

std::string Texte_equilibre(std::string_view ligne, int& position, char terminateur)
{
    std::string texte;
    int profondeur = terminateur == ')' ? 1 : 0;
    if (position < 1)
        position = 1;
    while (position <= Longueur(ligne)) {
        const char c = ligne[Indice(position)];
        ++position;
        if (c == '(')
            ++profondeur;
        else if (c == ')')
            --profondeur;
        if (c == terminateur && profondeur == 0)
            break;
        texte += c;
    }
    return texte;
}

} // namespace trazel
