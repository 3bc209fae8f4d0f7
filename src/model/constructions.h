#pragma once
// The construction codes: the value of a step's genre says what the step builds. The numbers
// are stored in figures' steps and fixed for good; each has one row below, which says how the
// picture draws its object, which part of the resolver recomputes it and the natures of its
// arguments. Adding a construction is adding a code and its row.

#include <array>
#include <cstdint>
#include <string_view>

namespace trazel {

enum class TCode : std::int32_t {
    fin = 0,      // the closing empty step
    premiere = 1, // the default objects
    vecteur_expression = 2,
    vecteur_coordonnees = 3,
    droite_deux_points = 4,
    segment = 5,
    barycentre = 6,
    ordonnee_point = 7,
    ordonnee_vecteur = 8,
    abscisse_point = 9,
    abscisse_vecteur = 10,
    distance_point_droite = 11,
    angle_geometrique = 12,
    angle_vecteurs = 13,
    produit_scalaire = 14,
    aire_triangle = 15,
    rayon_cercle = 16,
    reel_borne = 17,
    reel_libre = 18,
    entier_borne = 19,
    entier_libre = 20,
    longueur_segment = 21,
    coefficient_directeur = 22,
    fonction = 23,
    reel_expression = 24,
    repere = 25,
    projete_orthogonal = 26,
    projete = 27,
    image_droite = 28,
    // Images of a point by a transformation described in place, as the named rules 44 to 51.
    image_homothetie_rapport = 29,
    image_homothetie_points = 30,
    image_similitude_angle = 31,
    image_similitude_points = 32,
    image_rotation_points = 33,
    image_rotation_angle = 34,
    image_translation_vecteur = 35,
    image_translation_points = 36,
    image_symetrie_axiale = 37,
    image_symetrie_centrale = 38,
    image_par_nom = 39,
    image_cercle = 40,
    // Named transformations.
    composee = 41,
    similitude_angle = 42,
    similitude_points = 43,
    homothetie_rapport = 44,
    homothetie_points = 45,
    rotation_points = 46,
    rotation_angle = 47,
    translation_vecteur = 48,
    translation_points = 49,
    symetrie_axiale = 50,
    symetrie_centrale = 51,
    arc_sur_cercle = 52,
    arc_nouveau_cercle = 53,
    polygone_regulier = 54,
    rectangle_diagonale = 55,
    rectangle_dimensions = 56,
    polygone = 57,
    point_libre = 58,
    point_libre_cadre = 59,
    point_sur_segment = 60,
    point_sur_droite = 61,
    point_sur_demi_droite = 62,
    point_sur_cercle = 63,
    point_sur_arc = 64,
    point_libre_repere = 65,
    point_coordonnees = 66,
    point_abscisse = 67,
    point_angle_cercle = 68,
    point_abscisse_droite = 69,
    intersection_droites = 70,
    intersection_droite_cercle_1 = 71,
    intersection_cercles_1 = 72,
    intersection_droite_cercle_2 = 73,
    intersection_cercles_2 = 74,
    intersection_droite_cercle_autre = 75,
    intersection_cercles_autre = 76,
    cercle_rayon = 77,
    cercle_passant = 78,
    cercle_tangent = 79,
    cercle_diametre = 80,
    cercle_circonscrit = 81,
    cercle_inscrit = 82,
    unite = 83,
    point_distance_demi_droite = 84,
    droite_coefficient = 85,
    parallele = 86,
    perpendiculaire = 87,
    droite_graduee = 88,
    milieu = 89,
    mediatrice = 90,
    bissectrice = 91,
    centre_gravite = 92,
    centre_inscrit = 93,
    centre_circonscrit = 94,
    centre_cercle = 95,
    orthocentre = 96,
    lieu = 97,
    droite_equation = 98,
    demi_droite = 99,
    graphe = 100,
};

inline constexpr std::int32_t code_maximal = 100;

constexpr std::int32_t Genre(TCode code)
{
    return static_cast<std::int32_t>(code);
}

// What the picture draws for a step.
enum class TDessin : std::uint8_t {
    rien,
    entete,
    point,
    droite,
    demi_droite,
    segment,
    repere,
    cercle,
    arc,
    polygone,
    lieu,
    graphe
};

// What the resolver recomputes for a step: the value of a variable (a measure or a number),
// another number object (a function, a frame, a unit), a point, a vector, the parameters of
// a transformation, a line, a circle, an arc or a polygon; nothing for the others.
enum class TFamille : std::uint8_t {
    aucune,
    mesure,
    nombre,
    point,
    vecteur,
    transformation,
    droite,
    cercle,
    arc,
    polygone
};

// One construction. `natures` lists the natures of the step's arguments in order, the defined
// object last, as numbers separated by blanks; "?" after a nature marks an argument that may
// be absent, and "*" stands for any run of arguments (the texts of a phrase of varying
// length). `image` is, for a named transformation, the code of the image of a point by the
// same transformation described in place; `nommee` is the reverse.
struct TConstruction {
    TCode code;
    std::string_view nom;
    TDessin dessin;
    TFamille famille;
    std::string_view natures;
    TCode image = TCode::fin;
    TCode nommee = TCode::fin;
};

namespace constructions_detail {
using D = TDessin;
using F = TFamille;
using C = TCode;
// clang-format off
inline constexpr std::array<TConstruction, code_maximal + 1> table = {{
    {C::fin, "fin de la liste", D::rien, F::aucune, ""},
    {C::premiere, "objets par d\xE9" "faut", D::entete, F::aucune, "3 5 5 5 6 6 4 7 7 8 22"},
    {C::vecteur_expression, "vecteur d'une expression", D::rien, F::vecteur, "9 9 8 6"},
    {C::vecteur_coordonnees, "vecteur de coordonn\xE9" "es", D::rien, F::vecteur, "9 9 8 9 4 6"},
    {C::droite_deux_points, "droite par deux points", D::droite, F::droite, "5 5 7"},
    {C::segment, "segment", D::segment, F::aucune, "5 5 10"},
    {C::barycentre, "barycentre", D::point, F::point, "9 1 5"},
    {C::ordonnee_point, "ordonn\xE9" "e d'un point", D::rien, F::mesure, "9 5 4 11"},
    {C::ordonnee_vecteur, "ordonn\xE9" "e d'un vecteur", D::rien, F::mesure, "9 9 4 8 11"},
    {C::abscisse_point, "abscisse d'un point", D::rien, F::mesure, "9 5 4 11"},
    {C::abscisse_vecteur, "abscisse d'un vecteur", D::rien, F::mesure, "9 9 4 8 11"},
    {C::distance_point_droite, "distance d'un point \xE0 une droite", D::rien, F::mesure, "9 5 7 8 11"},
    {C::angle_geometrique, "angle g\xE9om\xE9trique", D::rien, F::mesure, "9 5 5 5 9 11"},
    {C::angle_vecteurs, "angle de deux vecteurs", D::rien, F::mesure, "9 8 9 9 9 11"},
    {C::produit_scalaire, "produit scalaire", D::rien, F::mesure, "9 9 8 11"},
    {C::aire_triangle, "aire d'un triangle", D::rien, F::mesure, "9 12 8 11"},
    {C::rayon_cercle, "rayon d'un cercle", D::rien, F::mesure, "9 13 8 11"},
    {C::reel_borne, "r\xE9" "el libre entre deux bornes", D::rien, F::mesure, "9 *"},
    {C::reel_libre, "r\xE9" "el libre", D::rien, F::mesure, "9 11"},
    {C::entier_borne, "entier libre entre deux bornes", D::rien, F::mesure, "9 *"},
    {C::entier_libre, "entier libre", D::rien, F::mesure, "9 11"},
    {C::longueur_segment, "longueur d'un segment", D::rien, F::mesure, "9 10 8 11"},
    {C::coefficient_directeur, "coefficient directeur", D::rien, F::mesure, "9 7 4 11?"},
    {C::fonction, "fonction", D::rien, F::nombre, "9 9 8 9"},
    {C::reel_expression, "nombre d'une expression", D::rien, F::mesure, "9 9 8 11"},
    {C::repere, "rep\xE8re", D::repere, F::nombre, "9 9 9 9 8 4"},
    {C::projete_orthogonal, "projet\xE9 orthogonal", D::point, F::point, "5 7 5"},
    {C::projete, "projet\xE9 selon une direction", D::point, F::point, "5 7 7 5"},
    {C::image_droite, "image d'une droite", D::droite, F::droite, "7 9 7"},
    {C::image_homothetie_rapport, "image par une homoth\xE9tie de rapport donn\xE9", D::point, F::point, "5 9 8 15 5", C::fin, C::homothetie_rapport},
    {C::image_homothetie_points, "image par une homoth\xE9tie transformant un point en un autre", D::point, F::point, "5 5 5 6 6 15 5", C::fin, C::homothetie_points},
    {C::image_similitude_angle, "image par une similitude d'angle et de rapport donn\xE9s", D::point, F::point, "5 9 9 9 8 16 5", C::fin, C::similitude_angle},
    {C::image_similitude_points, "image par une similitude transformant un point en un autre", D::point, F::point, "5 5 5 6 6 16 5", C::fin, C::similitude_points},
    {C::image_rotation_points, "image par une rotation d'angle donn\xE9 par trois points", D::point, F::point, "5 12 17 5", C::fin, C::rotation_points},
    {C::image_rotation_angle, "image par une rotation d'angle donn\xE9", D::point, F::point, "5 9 8 9 17 5", C::fin, C::rotation_angle},
    {C::image_translation_vecteur, "image par une translation de vecteur donn\xE9", D::point, F::point, "5 9 8 18 5", C::fin, C::translation_vecteur},
    {C::image_translation_points, "image par une translation transformant un point en un autre", D::point, F::point, "5 5 5 18 5", C::fin, C::translation_points},
    {C::image_symetrie_axiale, "image par une sym\xE9trie axiale", D::point, F::point, "5 19 5", C::fin, C::symetrie_axiale},
    {C::image_symetrie_centrale, "image par une sym\xE9trie centrale", D::point, F::point, "5 15 5", C::fin, C::symetrie_centrale},
    {C::image_par_nom, "image par une transformation nomm\xE9" "e", D::point, F::point, "5 9 5"},
    {C::image_cercle, "image d'un cercle", D::cercle, F::cercle, "13 9 13"},
    {C::composee, "compos\xE9" "e de deux transformations", D::rien, F::transformation, "20"},
    {C::similitude_angle, "similitude d'angle et de rapport donn\xE9s", D::rien, F::transformation, "9 9 9 8 16", C::image_similitude_angle},
    {C::similitude_points, "similitude transformant un point en un autre", D::rien, F::transformation, "5 5 6 6 16", C::image_similitude_points},
    {C::homothetie_rapport, "homoth\xE9tie de rapport donn\xE9", D::rien, F::transformation, "9 8 15", C::image_homothetie_rapport},
    {C::homothetie_points, "homoth\xE9tie transformant un point en un autre", D::rien, F::transformation, "5 5 6 6 15", C::image_homothetie_points},
    {C::rotation_points, "rotation d'angle donn\xE9 par trois points", D::rien, F::transformation, "12 17", C::image_rotation_points},
    {C::rotation_angle, "rotation d'angle donn\xE9", D::rien, F::transformation, "9 8 9 17", C::image_rotation_angle},
    {C::translation_vecteur, "translation de vecteur donn\xE9", D::rien, F::transformation, "9 8 18", C::image_translation_vecteur},
    {C::translation_points, "translation transformant un point en un autre", D::rien, F::transformation, "5 5 18", C::image_translation_points},
    {C::symetrie_axiale, "sym\xE9trie axiale", D::rien, F::transformation, "19", C::image_symetrie_axiale},
    {C::symetrie_centrale, "sym\xE9trie centrale", D::rien, F::transformation, "15", C::image_symetrie_centrale},
    {C::arc_sur_cercle, "arc d'un cercle", D::arc, F::arc, "5 5 13 21"},
    {C::arc_nouveau_cercle, "arc d'un nouveau cercle", D::arc, F::arc, "5 5 13 21"},
    {C::polygone_regulier, "polygone r\xE9gulier", D::polygone, F::polygone, "1 5 5 12"},
    {C::rectangle_diagonale, "rectangle de diagonale donn\xE9" "e", D::polygone, F::polygone, "9 12"},
    {C::rectangle_dimensions, "rectangle de dimensions donn\xE9" "es", D::polygone, F::polygone, "9 9 9 9 8 4 12"},
    {C::polygone, "polygone", D::polygone, F::polygone, "12"},
    {C::point_libre, "point libre", D::point, F::point, "5"},
    {C::point_libre_cadre, "point libre dans un cadre", D::point, F::point, "12 11 11 5"},
    {C::point_sur_segment, "point libre sur un segment", D::point, F::point, "10 11 5"},
    {C::point_sur_droite, "point libre sur une droite", D::point, F::point, "7 11 5"},
    {C::point_sur_demi_droite, "point libre sur une demi-droite", D::point, F::point, "7 11 5"},
    {C::point_sur_cercle, "point libre sur un cercle", D::point, F::point, "13 11 5"},
    {C::point_sur_arc, "point libre sur un arc", D::point, F::point, "21 11 5"},
    {C::point_libre_repere, "point libre dans un rep\xE8re", D::point, F::point, "4 11 11 5"},
    {C::point_coordonnees, "point de coordonn\xE9" "es donn\xE9" "es", D::point, F::point, "4 9 9 8 5"},
    {C::point_abscisse, "point d'abscisse donn\xE9" "e", D::point, F::point, "4 9 8 5"},
    {C::point_angle_cercle, "point d'un cercle \xE0 un angle donn\xE9", D::point, F::point, "13 9 8 9 5"},
    {C::point_abscisse_droite, "point d'une droite \xE0 une abscisse donn\xE9" "e", D::point, F::point, "7 11 5"},
    {C::intersection_droites, "intersection de deux droites", D::point, F::point, "7 7 5"},
    {C::intersection_droite_cercle_1, "intersection 1 d'une droite et d'un cercle", D::point, F::point, "7 13 5"},
    {C::intersection_cercles_1, "intersection 1 de deux cercles", D::point, F::point, "13 13 5"},
    {C::intersection_droite_cercle_2, "intersection 2 d'une droite et d'un cercle", D::point, F::point, "7 13 5"},
    {C::intersection_cercles_2, "intersection 2 de deux cercles", D::point, F::point, "13 13 5"},
    {C::intersection_droite_cercle_autre, "intersection d'une droite et d'un cercle autre qu'un point", D::point, F::point, "7 13 5? 5"},
    {C::intersection_cercles_autre, "intersection de deux cercles autre qu'un point", D::point, F::point, "13 13 5? 5"},
    {C::cercle_rayon, "cercle de centre et de rayon donn\xE9s", D::cercle, F::cercle, "9 13"},
    {C::cercle_passant, "cercle de centre donn\xE9 passant par un point", D::cercle, F::cercle, "5 13"},
    {C::cercle_tangent, "cercle de centre donn\xE9 tangent \xE0 une droite", D::cercle, F::cercle, "7 13"},
    {C::cercle_diametre, "cercle de diam\xE8tre donn\xE9", D::cercle, F::cercle, "10 13"},
    {C::cercle_circonscrit, "cercle circonscrit", D::cercle, F::cercle, "12 13"},
    {C::cercle_inscrit, "cercle inscrit", D::cercle, F::cercle, "12 13"},
    {C::unite, "unit\xE9 de longueur", D::rien, F::nombre, "9 8 8"},
    {C::point_distance_demi_droite, "point d'une demi-droite \xE0 une distance donn\xE9" "e", D::point, F::point, "7 9 8 5"},
    {C::droite_coefficient, "droite de coefficient directeur donn\xE9", D::droite, F::droite, "9 8 4 7"},
    {C::parallele, "parall\xE8le", D::droite, F::droite, "7 7"},
    {C::perpendiculaire, "perpendiculaire", D::droite, F::droite, "7 7"},
    {C::droite_graduee, "droite gradu\xE9" "e", D::droite, F::droite, "9 8 9 7"},
    {C::milieu, "milieu", D::point, F::point, "10 5"},
    {C::mediatrice, "m\xE9" "diatrice", D::droite, F::droite, "10 7"},
    {C::bissectrice, "bissectrice", D::droite, F::droite, "12 7"},
    {C::centre_gravite, "centre de gravit\xE9", D::point, F::point, "12 5"},
    {C::centre_inscrit, "centre du cercle inscrit", D::point, F::point, "12 5"},
    {C::centre_circonscrit, "centre du cercle circonscrit", D::point, F::point, "12 5"},
    {C::centre_cercle, "centre d'un cercle", D::point, F::point, "13 5"},
    {C::orthocentre, "orthocentre", D::point, F::point, "12 5"},
    {C::lieu, "lieu", D::lieu, F::aucune, "5 9 23 5 9 8 24"},
    {C::droite_equation, "droite d'\xE9quation donn\xE9" "e", D::droite, F::droite, "9 8 4 7"},
    {C::demi_droite, "demi-droite", D::demi_droite, F::droite, "7"},
    {C::graphe, "graphe", D::graphe, F::aucune, "9 9 8 9 4 9 24"},
}};
// clang-format on

// Row k holds code k; a named transformation and its image in place name each other.
constexpr bool Table_coherente()
{
    for (std::size_t k = 0; k < table.size(); ++k) {
        const TConstruction& c = table[k];
        if (static_cast<std::size_t>(c.code) != k)
            return false;
        if (c.image != C::fin && table[static_cast<std::size_t>(c.image)].nommee != c.code)
            return false;
        if (c.nommee != C::fin && table[static_cast<std::size_t>(c.nommee)].image != c.code)
            return false;
    }
    return true;
}
static_assert(Table_coherente());
} // namespace constructions_detail

// The row of each code, in code order.
inline constexpr const std::array<TConstruction, code_maximal + 1>& constructions =
    constructions_detail::table;

constexpr bool Code_connu(std::int32_t genre)
{
    return genre >= 0 && genre <= code_maximal;
}

// The row of a code; genre must be known.
constexpr const TConstruction& Construction(std::int32_t genre)
{
    return constructions[static_cast<std::size_t>(genre)];
}
constexpr const TConstruction& Construction(TCode code)
{
    return Construction(Genre(code));
}

// What the picture draws for a step of this genre: unknown genres draw nothing.
constexpr TDessin Dessin_du_genre(std::int32_t genre)
{
    return Code_connu(genre) ? Construction(genre).dessin : TDessin::rien;
}

} // namespace trazel
