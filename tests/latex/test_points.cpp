#include <cmath>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>

#include "latex/ecriture.h"
#include "latex/points.h"
#include "model/figure.h"

using namespace trazel;

namespace {

// The picture box of the default "Position de Roxy" window, frame 10 x 10.
const TCadre_image defaut{.xmin = -7.622951L, .ymin = -5, .xmax = 7.622951L, .ymax = 5};
const TCadre_latex cadre_10{10, 10};

// Whole lines, each ended by CR LF.
std::string Texte(std::initializer_list<std::string_view> lignes)
{
    std::string texte;
    for (const std::string_view ligne : lignes)
        texte.append(ligne).append("\r\n");
    return texte;
}

std::string Point_ecrit(const Tpoint& p, const TCadre_image& fenetre = defaut)
{
    std::string sortie;
    Ecrire_point(p, fenetre, sortie);
    return sortie;
}

// Mantissa and biased exponent of an x87 extended real.
struct Bits_etendus {
    std::uint64_t mantisse;
    std::uint16_t exposant;
};
Bits_etendus Bits(Reel x)
{
    Bits_etendus b{};
    std::memcpy(&b.mantisse, &x, sizeof b.mantisse);
    std::memcpy(&b.exposant, reinterpret_cast<const unsigned char*>(&x) + 8, sizeof b.exposant);
    return b;
}

} // namespace

TEST(Pi_etendu, mantisse_et_exposant_du_pi_des_figures)
{
    EXPECT_EQ(Bits(pi_etendu).mantisse, 0xC90FDAA22168C235u);
    EXPECT_EQ(Bits(pi_etendu).exposant, 0x4000u);
    EXPECT_EQ(Bits(deux_pi_etendu).mantisse, 0xC90FDAA22168C235u);
    EXPECT_EQ(Bits(deux_pi_etendu).exposant, 0x4001u);
}

TEST(Ecrire_point, lignes_selon_dessin_et_position)
{
    struct Cas {
        const char* nom;
        Tpoint point;
        std::string attendu;
    };
    const Cas cas[] = {
        {"visible_etiquette_automatique",
         {.nom = "A", .x = 1, .y = 2},
         Texte({"% Point A", "\\pscircle*[fillcolor=black, linecolor=black](1, 2){1pt}",
                "\\uput{1mm}[45](1, 2){\\black $A$}"})},
        {"cache_mais_nomme",
         {.nom = "A", .x = 1, .y = 2, .dessine = false},
         Texte({"% PointA Marque Non affich\xE9"
                "e",
                "\\uput{1mm}[45](1, 2){\\black $A$}"})},
        {"sur_le_bord_ni_dessine_ni_nomme",
         {.nom = "B", .x = 7.622951L, .y = 0},
         Texte({"% PointB Marque Non affich\xE9"
                "e"})},
        {"hors_fenetre",
         {.nom = "B", .x = 0, .y = -6},
         Texte({"% PointB Marque Non affich\xE9"
                "e"})},
        {"direction_donnee_imprimee_telle_quelle",
         {.nom = "C", .x = -0.5L, .y = 3, .couleur = "red", .position_nom = "90", .marque = "1.5"},
         Texte({"% Point C", "\\pscircle*[fillcolor=red, linecolor=red](-0.5, 3){1.5pt}",
                "\\uput{1mm}[90](-0.5, 3){\\red $C$}"})},
        {"nom_non_affiche",
         {.nom = "D", .x = 2, .y = -1, .nom_dessine = false},
         Texte({"% Point D", "\\pscircle*[fillcolor=black, linecolor=black](2, -1){1pt}"})},
        {"etiquette_en_indice",
         {.nom = "A12", .x = -1, .y = -1, .dessine = false},
         Texte({"% PointA12 Marque Non affich\xE9"
                "e",
                "\\uput{1mm}[-135](-1, -1){\\black $A_{12}$}"})},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(Point_ecrit(c.point), c.attendu);
    }
}

TEST(Direction_nom, s_eloigne_du_centre_de_la_fenetre)
{
    struct Cas {
        const char* nom;
        Reel x, y, centre_x, centre_y;
        const char* attendu;
    };
    const Cas cas[] = {
        {"haut_droite", 1, 2, 0, 0, "45"},
        {"bas_droite", 1, -2, 0, 0, "-45"},
        {"haut_gauche", -1, 2, 0, 0, "135"},
        {"bas_gauche", -1, -2, 0, 0, "-135"},
        {"au_centre_bas_gauche", 0, 0, 0, 0, "-135"},
        {"centre_deplace", 1, 2, 2, 3, "-135"},
        {"meme_abscisse_au_dessus", 2, 4, 2, 3, "135"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        TCadre_image fenetre = defaut;
        fenetre.centre_x = c.centre_x;
        fenetre.centre_y = c.centre_y;
        EXPECT_EQ(Direction_nom({.nom = "P", .x = c.x, .y = c.y}, fenetre), c.attendu);
    }
    EXPECT_EQ(Direction_nom({.nom = "P", .x = 1, .y = 2, .position_nom = "-90"}, defaut), "-90");
}

TEST(Nom_en_LaTeX, chiffres_en_indice_et_guillemet_en_primes)
{
    struct Cas {
        const char* nom;
        const char* attendu;
    };
    const Cas cas[] = {
        {"A", "A"},
        {"A1", "A_{1}"},
        {"A12", "A_{12}"},
        {"B1C2", "B_{1}C_{2}"},
        {"A\"", "A''"},
        {"A1\"", "A_{1}''"},
        {"12", "_{12}"},
        {"", ""},
        // Letters beyond ASCII, which math mode drops, as accent commands in italic text;
        // a byte that is no letter stays as it is.
        {"\xE9t\xE9", "\\mbox{\\itshape \\'e}t\\mbox{\\itshape \\'e}"},
        {"\xC9\xC7"
         "1",
         "\\mbox{\\itshape \\'E\\c{C}}_{1}"},
        {"\xEF\x9C\xB5", "\\mbox{\\itshape \\\"{\\i}\\oe{}\xB5}"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(Nom_en_LaTeX(c.nom), c.attendu);
    }
}

TEST(Trier_angles, ordonne_les_angles_sans_deplacer_les_points)
{
    TListe_arcs liste{{{1, 0}, 3}, {{2, 0}, 0.5L},  {{3, 0}, deux_pi_etendu},
                      {{4, 0}, 0}, {{5, 0}, 1.25L}, {{6, 0}, 0.5L},
                      {{7, 0}, 2}};
    Trier_angles(liste);
    const Reel attendus[] = {0, 0.5L, 0.5L, 1.25L, 2, 3, deux_pi_etendu};
    ASSERT_EQ(liste.size(), std::size(attendus));
    for (std::size_t i = 0; i < liste.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(liste[i].angle, attendus[i]);
        EXPECT_EQ(liste[i].point.x, static_cast<Reel>(i + 1));
    }
    TListe_arcs vide;
    Trier_angles(vide);
    EXPECT_TRUE(vide.empty());
}

namespace {

struct Cas_cercle {
    const char* nom;
    Tcoordonnees centre;
    Reel rayon;
    Reel debut, fin;
    std::string attendu;
};

// The circle named c, black and solid, in the default box with its 10 x 10 frame.
std::string Cercle_ecrit(const Cas_cercle& c)
{
    Tpoint centre{.nom = "O", .x = c.centre.x, .y = c.centre.y};
    const Tcercle cercle{.nom = "c", .centre = &centre, .rayon = c.rayon};
    std::string sortie;
    Ecrire_cercle(cercle, Trait_de(cercle), defaut, Unite_image(defaut, cadre_10), c.debut, c.fin,
                  sortie);
    return sortie;
}

const std::string trace = "[linewidth=1pt, linecolor=black, linestyle=solid]";

} // namespace

TEST(Ecrire_cercle, tour_complet_et_decoupe)
{
    // u = 10 / 15.245902 cm per figure unit in the default box.
    const Cas_cercle cas[] = {
        {"cercle_unite_entier",
         {0, 0},
         1,
         0,
         deux_pi_etendu,
         Texte({"% Cercle c", "\\pscircle" + trace + "(0, 0){0.655913962978379cm}"})},
        // The distance to the top and bottom edges equals the radius: cut, not whole.
        {"tangent_interieur_decoupe",
         {0, 0},
         5,
         0,
         deux_pi_etendu,
         Texte({"% Cercle c", "\\psarc" + trace + "(0, 0){3.2795698148919cm}{0}{90}",
                "\\psarc" + trace + "(0, 0){3.2795698148919cm}{90}{270}",
                "\\psarc" + trace + "(0, 0){3.2795698148919cm}{270}{360}"})},
        {"entoure_la_fenetre", {0, 0}, 100, 0, deux_pi_etendu, Texte({"% Cercle c"})},
        {"loin_de_la_fenetre", {20, 20}, 1, 0, deux_pi_etendu, Texte({"% Cercle c"})},
        // Centred on the top edge: the lower half is seen.
        {"coupe_garde_le_commentaire_cercle",
         {0, 5},
         2,
         0,
         deux_pi_etendu,
         Texte({"% Cercle c", "\\psarc" + trace + "(0, 5){1.31182792595676cm}{180}{360}"})},
        {"arc_par_zero_entier_en_deux",
         {2, 1},
         2,
         5 * pi_etendu / 3,
         pi_etendu / 3,
         Texte({"% Arc de cercle c", "\\psarc" + trace + "(2, 1){1.31182792595676cm}{300}{360}",
                "\\psarc" + trace + "(2, 1){1.31182792595676cm}{0}{60}"})},
        {"arc_entier_d_un_seul_tenant",
         {2, 1},
         2,
         pi_etendu / 4,
         pi_etendu / 2,
         Texte({"% Arc de cercle c", "\\psarc" + trace + "(2, 1){1.31182792595676cm}{45}{90}"})},
        {"arc_coupe",
         {0, 5},
         2,
         5 * pi_etendu / 4,
         7 * pi_etendu / 4,
         Texte({"% Arc de cercle c", "\\psarc" + trace + "(0, 5){1.31182792595676cm}{225}{315}"})},
        {"arc_coupe_par_zero",
         {0, 5},
         2,
         7 * pi_etendu / 4,
         pi_etendu / 4,
         Texte({"% Arc de cercle c", "\\psarc" + trace + "(0, 5){1.31182792595676cm}{315}{360}"})},
        {"arc_hors_fenetre",
         {0, 5},
         2,
         pi_etendu / 4,
         3 * pi_etendu / 4,
         Texte({"% Arc de cercle c"})},
    };
    for (const Cas_cercle& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(Cercle_ecrit(c), c.attendu);
    }
}

TEST(Ecrire_cercle, rayon_dans_l_unite_du_cercle_et_trait_donne)
{
    Tpoint centre{.nom = "O", .x = 1, .y = -1};
    Tvecteur v{.nom = "v", .x = 0, .y = 1.5L};
    Tunite u{.nom = "U", .vecteur = &v};
    const Tcercle cercle{.nom = "k",
                         .centre = &centre,
                         .rayon = 2,
                         .unite = &u,
                         .couleur = "blue",
                         .style = "dashed"};
    std::string sortie;
    Ecrire_cercle(cercle, {true, "red", "dashed"}, defaut, Unite_image(defaut, cadre_10), 0,
                  deux_pi_etendu, sortie);
    EXPECT_EQ(sortie, Texte({"% Cercle k", "\\pscircle[linewidth=1pt, linecolor=red, "
                                           "linestyle=dashed](1, -1){1.96774188893514cm}"}));

    sortie.clear();
    Ecrire_cercle(cercle, {false, "red", "solid"}, defaut, 1, 0, deux_pi_etendu, sortie);
    EXPECT_EQ(sortie, "");
}

TEST(Cercle_visible, portions_en_radians)
{
    const Trond rond{{0, 5}, 2};
    const TCercle_visible moitie = Cercle_visible(rond, defaut, 0, deux_pi_etendu);
    EXPECT_FALSE(moitie.tour_complet);
    ASSERT_EQ(moitie.portions.size(), 1u);
    EXPECT_EQ(moitie.portions[0].debut, pi_etendu);
    EXPECT_EQ(moitie.portions[0].fin, deux_pi_etendu);

    const TCercle_visible entier = Cercle_visible({{0, 0}, 1}, defaut, 0, deux_pi_etendu);
    EXPECT_TRUE(entier.tour_complet);
    EXPECT_TRUE(entier.portions.empty());

    // The whole turn asked as an arc ending just short of 2pi is not the closed circle.
    const Reel presque = std::nextafter(deux_pi_etendu, Reel(0));
    const TCercle_visible arc = Cercle_visible({{0, 0}, 1}, defaut, 0, presque);
    EXPECT_FALSE(arc.tour_complet);
    ASSERT_EQ(arc.portions.size(), 1u);
    EXPECT_EQ(arc.portions[0].fin, presque);
}
