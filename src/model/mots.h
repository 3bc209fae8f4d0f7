#pragma once
// The word scanner and the keyword table of the figure language. Positions are 1-based
// character indexes into the current line, shared by every reader of that line.

#include <optional>
#include <string>
#include <string_view>

namespace trazel {

// The seven delimiters: space ( ) , : [ ]. Every other character belongs to words.
bool Est_delimiteur(char c);

// The word at `position` up to the next delimiter; then, unless the line is empty, the
// position moves past every delimiter that follows. At or past the end the word is empty.
std::string Mot_suivant(std::string_view ligne, int& position);
// The same word, as a view into the line.
std::string_view Vue_du_mot_suivant(std::string_view ligne, int& position);

// Number of entries of the keyword table; the code of a keyword is its 1-based rank.
inline constexpr int nombre_mots_cles = 107;

// Keyword codes the readers test by name.
enum Mot_cle : int {
    mc_position = 1,
    mc_rouge = 2,
    mc_dessine = 3,
    mc_non = 4,
    mc_vide = 5,
    mc_point = 6,
    mc_libre = 7,
    mc_le = 8,
    mc_la = 9,
    mc_segment = 10,
    mc_droite = 11,
    mc_demi_droite = 12,
    mc_cercle = 13,
    mc_l_arc = 14,
    mc_de = 15,
    mc_unite = 16,
    mc_longueur = 17,
    mc_coordonnees = 18,
    mc_d_abscisse = 19,
    mc_sur = 20,
    mc_a = 21,
    mc_abscisse = 22,
    mc_d_intersection = 23,
    mc_des = 24,
    mc_droites = 25,
    mc_parallele = 26,
    mc_perpendiculaire = 27,
    mc_milieu = 28,
    mc_du = 29,
    mc_circonscrit = 30,
    mc_au = 31,
    mc_triangle = 32,
    mc_inscrit = 33,
    mc_centre = 34,
    mc_diametre = 35,
    mc_1 = 36,
    mc_2 = 37,
    mc_mediatrice = 38,
    mc_bissectrice = 39,
    mc_l_angle = 40,
    mc_gravite = 41,
    mc_orthocentre = 42,
    mc_polygone = 43,
    mc_regulier = 44,
    mc_rectangle = 45,
    mc_diagonale = 46,
    mc_arc = 47,
    mc_un = 48,
    mc_symetrie = 49,
    mc_d_axe = 50,
    mc_translation = 51,
    mc_transformant = 52,
    mc_vecteur = 53,
    mc_rotation = 54,
    mc_homothetie = 55,
    mc_et = 56,
    mc_similitude = 57,
    mc_composee = 58,
    mc_image = 59,
    mc_transformation = 60,
    mc_munie = 61,
    mc_nom = 62,
    mc_gauche = 63,
    mc_au_dessus = 64,
    mc_au_dessous = 65,
    mc_marque = 66,
    mc_epaisse = 67,
    mc_fine = 68,
    mc_dessinee = 69,
    mc_l_homothetie = 70,
    mc_projete = 71,
    mc_orthogonal = 72,
    mc_bleu = 73,
    mc_vert = 74,
    mc_jaune = 75,
    mc_gris = 76,
    mc_fonce = 77,
    mc_rose = 78,
    mc_ciel = 79,
    mc_passant = 80,
    mc_repere = 81,
    mc_egal = 82,
    mc_fonction = 83,
    mc_coefficient = 84,
    mc_directeur = 85,
    mc_entier = 86,
    mc_reel = 87,
    mc_rayon = 88,
    mc_aire = 89,
    mc_produit = 90,
    mc_scalaire = 91,
    mc_mesure = 92,
    mc_geometrique = 93,
    mc_distance = 94,
    mc_ordonnee = 95,
    mc_cadre = 96,
    mc_barycentre = 97,
    mc_cercles = 98,
    mc_lieu = 99,
    mc_points = 100,
    mc_lies = 101,
    mc_trait = 102,
    mc_epais = 103,
    mc_d_equation = 104,
    mc_avec = 105,
    mc_tirete = 106,
    mc_graphe = 107
};

// The keyword of a code (1 to 107), as Windows-1252 bytes.
std::string_view Mot_du_code(int code);

// The code of a keyword, compared byte for byte; the empty word is keyword 5, so the end of
// a line behaves as a keyword. No value when the word is not in the table.
std::optional<int> Code_mot(std::string_view mot);

// The text without the blanks at its ends.
std::string_view Sans_espaces_autour(std::string_view texte);

// The text from `position` up to the terminator met outside parentheses (not included) or
// the end of the line; the position then moves just past the terminator. With ")" as
// terminator the text is taken to be inside one open parenthesis already.
std::string Texte_equilibre(std::string_view ligne, int& position, char terminateur);

} // namespace trazel
