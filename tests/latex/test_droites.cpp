#include <gtest/gtest.h>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "latex/droites.h"
#include "latex/sortie_attendue.h"
#include "model/figure.h"
#include "proches.h"

using namespace trazel;

namespace {

const std::string trace = "\\psline[linewidth=1pt, linecolor=black, linestyle=solid]";
const TCadre_image& defaut = essais::fenetre_par_defaut;
const std::string& hors = essais::hors_fenetre;
using essais::Lignes;

// A line through P with direction u and its own frame, as the reader builds them; the
// records live as long as the object.
struct Droite_construite {
    Tpoint p;
    Tvecteur u;
    Tvecteur normale;
    Trepere repere;
    Tdroite droite;

    Droite_construite(Tcoordonnees point, Tcoordonnees direction)
    {
        Placer(p, point);
        Placer(u, direction);
        Placer(normale, Quart_de_tour(direction));
        repere.origine = &p;
        repere.vecteur1 = &u;
        repere.vecteur2 = &normale;
        droite.nom = "d";
        droite.point1 = &p;
        droite.vecteur = &u;
        droite.repere = &repere;
    }
    Droite_construite(const Droite_construite&) = delete;
};

void Attendre_point(Tcoordonnees attendu, Tcoordonnees obtenu)
{
    EXPECT_EQ(obtenu.x, attendu.x);
    EXPECT_EQ(obtenu.y, attendu.y);
}

} // namespace

TEST(Coins, composante_par_composante)
{
    Attendre_point({-1, 2}, Coin_min({3, 2}, {-1, 5}));
    Attendre_point({3, 5}, Coin_max({3, 2}, {-1, 5}));
}

TEST(Dans_boite, bornes_tolerantes)
{
    struct Cas {
        const char* nom;
        Tcoordonnees a, p, b;
        bool attendu;
    };
    const Cas cas[] = {
        {"interieur", {0, 0}, {1, 1}, {2, 3}, true},
        {"coins_inverses", {2, 3}, {1, 1}, {0, 0}, true},
        {"sur_un_coin", {0, 0}, {2, 3}, {2, 3}, true},
        {"boite_plate", {-1, 0}, {0.5L, 0}, {2, 0}, true},
        {"au_dessus_dans_la_tolerance", {0, 0}, {1, 3 + 5e-11L}, {2, 3}, true},
        {"au_dessus_hors_tolerance", {0, 0}, {1, 3 + 2e-10L}, {2, 3}, false},
        {"au_dessous_dans_la_tolerance", {0, 0}, {1, -5e-11L}, {2, 3}, true},
        {"a_droite_dans_la_tolerance", {0, 0}, {2 + 5e-11L, 1}, {2, 3}, true},
        {"a_gauche_dans_la_tolerance", {0, 0}, {-5e-11L, 1}, {2, 3}, true},
        {"a_gauche_hors_tolerance", {0, 0}, {-2e-10L, 1}, {2, 3}, false},
        {"au_dessous_hors_tolerance", {0, 0}, {1, -2e-10L}, {2, 3}, false},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(Dans_boite(c.a, c.p, c.b), c.attendu);
    }
}

// Guards against a visible segment parallel to an axis being dropped: its ends lay a
// rounding error outside the box of its computed crossings with the window.
TEST(Ecrire_segment, segment_vertical_dans_la_fenetre)
{
    Tpoint p{.nom = "P", .x = -7.3L, .y = 3};
    Tpoint q{.nom = "Q", .x = -7.3L, .y = 4.5L};
    Tsegment s{.nom = "PQ", .extremite1 = &p, .extremite2 = &q};
    std::string sortie;
    Ecrire_segment(s, defaut, sortie);
    EXPECT_EQ(sortie, Lignes({"% Segment PQ", trace + "(-7.3, 3)(-7.3, 4.5)"}));
}

TEST(Traversee_fenetre, deux_premiers_bords_franchis)
{
    struct Cas {
        const char* nom;
        Tligne porteuse;
        TCadre_image fenetre;
        std::optional<TTroncon> attendu;
    };
    const TCadre_image petite{.xmin = 0, .ymin = 0, .xmax = 4, .ymax = 2};
    const Cas cas[] = {
        {"premiere_bissectrice_bas_puis_haut",
         {{0, 0}, {1, 1}},
         defaut,
         TTroncon{{-5, -5}, {5, 5}}},
        {"horizontale_gauche_puis_droite",
         {{0, 0}, {1, 0}},
         defaut,
         TTroncon{{-7.622951L, 0}, {7.622951L, 0}}},
        {"verticale_bas_puis_haut", {{1, 0}, {0, -3}}, defaut, TTroncon{{1, -5}, {1, 5}}},
        {"verticale_sur_le_bord_gauche", {{-7.622951L, 0}, {0, 1}}, defaut, std::nullopt},
        // A crossing at a corner is strictly inside neither edge.
        {"diagonale_par_deux_coins", {{0, 0}, {4, 2}}, petite, std::nullopt},
        {"loin_de_la_fenetre", {{0, 10}, {1, 0}}, defaut, std::nullopt},
        {"sans_direction", {{0, 0}, {0, 0}}, defaut, std::nullopt},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const std::optional<TTroncon> t = Traversee_fenetre(c.porteuse, c.fenetre);
        ASSERT_EQ(t.has_value(), c.attendu.has_value());
        if (!t)
            continue;
        Attendre_point(c.attendu->a, t->a);
        Attendre_point(c.attendu->b, t->b);
    }
}

TEST(Traversee_fenetre, un_bord_non_compte_laisse_sa_place)
{
    // y = x - 3 in (0, 0)(4, 2): bottom at x = 3 counts, top at x = 5 and left at y = -3
    // do not, right at y = 1 takes the second place.
    const std::optional<TTroncon> t =
        Traversee_fenetre({{4, 1}, {1, 1}}, {.xmin = 0, .ymin = 0, .xmax = 4, .ymax = 2});
    ASSERT_TRUE(t);
    EXPECT_TRUE(essais::Proches(3, t->a.x, 1e-18L));
    EXPECT_TRUE(essais::Proches(0, t->a.y, 1e-18L));
    EXPECT_TRUE(essais::Proches(4, t->b.x, 1e-18L));
    EXPECT_TRUE(essais::Proches(1, t->b.y, 1e-18L));
}

TEST(Ecrire_droite, partie_visible_ou_hors_fenetre)
{
    struct Cas {
        const char* nom;
        Tcoordonnees point, direction;
        bool dessine;
        std::string attendu;
    };
    const Cas cas[] = {
        {"premiere_bissectrice",
         {0, 0},
         {1, 1},
         true,
         Lignes({"% Droite d", trace + "(-5, -5)(5, 5)"})},
        {"verticale_x_egal_xmin", {-7.622951L, 0}, {0, 1}, true, Lignes({"% Droite d", hors})},
        {"non_dessinee", {0, 0}, {1, 1}, false, ""},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Droite_construite d(c.point, c.direction);
        d.droite.dessine = c.dessine;
        std::string sortie;
        Ecrire_droite(d.droite, defaut, sortie);
        EXPECT_EQ(sortie, c.attendu);
    }
}

namespace {

// The two lines of a visible mark of rank n at abscissa x on the x-axis.
std::string Marque(int n, std::string_view x, std::string_view couleur)
{
    const std::string c(couleur);
    return Lignes({"% Point " + std::to_string(n), "\\pscircle*[fillcolor=" + c + ", linecolor=" +
                                                       c + "](" + std::string(x) + ", 0){1pt}"});
}

std::string Marque_cachee(int n)
{
    return Lignes({"% Point" + std::to_string(n) +
                   " Marque Non affich\xE9"
                   "e"});
}

} // namespace

TEST(Ecrire_droite, axe_gradue_jusqu_a_la_premiere_marque_sortie)
{
    Droite_construite d({0, 0}, {1, 0});
    d.droite.nom = "ox";
    d.droite.graduee = true;
    d.droite.pas = 1;
    d.droite.couleur = "red";
    std::string sortie;
    Ecrire_droite(d.droite, defaut, sortie);

    std::string attendu =
        Lignes({"% Droite ox",
                "\\psline[linewidth=1pt, linecolor=red, linestyle=solid](-7.622951, 0)"
                "(7.622951, 0)",
                "% Graduations ox"});
    const char* abscisses[] = {"1", "2", "3", "4", "5", "6", "7"};
    for (int n = 1; n <= 7; ++n)
        attendu += Marque(n, abscisses[n - 1], "red");
    attendu += Marque_cachee(8);
    for (int n = 1; n <= 7; ++n)
        attendu += Marque(-n, "-" + std::string(abscisses[n - 1]), "red");
    attendu += Marque_cachee(-8);
    EXPECT_EQ(sortie, attendu);
}

TEST(Ecrire_droite, graduations_le_long_du_repere_propre)
{
    // Frame origin (1, 0), step 2 of a vector (0.5, 0): marks every unit from x = 1.
    Droite_construite d({-3, 0}, {1, 0});
    Tpoint origine{.nom = "O", .x = 1, .y = 0};
    Tvecteur v{.nom = "v", .x = 0.5L, .y = 0};
    d.repere.origine = &origine;
    d.repere.vecteur1 = &v;
    d.droite.graduee = true;
    d.droite.pas = 2;
    std::string sortie;
    Ecrire_droite(d.droite, defaut, sortie);
    std::string attendu =
        Lignes({"% Droite d", trace + "(-7.622951, 0)(7.622951, 0)", "% Graduations d"});
    const char* positifs[] = {"2", "3", "4", "5", "6", "7"};
    for (int n = 1; n <= 6; ++n)
        attendu += Marque(n, positifs[n - 1], "black");
    attendu += Marque_cachee(7);
    const char* negatifs[] = {"0", "-1", "-2", "-3", "-4", "-5", "-6", "-7"};
    for (int n = 1; n <= 8; ++n)
        attendu += Marque(-n, negatifs[n - 1], "black");
    attendu += Marque_cachee(-9);
    EXPECT_EQ(sortie, attendu);
}

// Regression: a zero step or a zero frame vector put every mark on the origin and the
// mark loop never ended.
TEST(Ecrire_droite, pas_nul_ou_vecteur_nul_sans_marques)
{
    struct Cas {
        const char* nom;
        Reel pas;
        Tcoordonnees vecteur_repere;
    };
    const Cas cas[] = {{"pas_nul", 0, {1, 0}}, {"vecteur_nul", 1, {0, 0}}};
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Droite_construite d({0, 0}, {1, 0});
        Tvecteur v;
        Placer(v, c.vecteur_repere);
        d.repere.vecteur1 = &v;
        d.droite.graduee = true;
        d.droite.pas = c.pas;
        std::string sortie;
        Ecrire_droite(d.droite, defaut, sortie);
        EXPECT_EQ(sortie,
                  Lignes({"% Droite d", trace + "(-7.622951, 0)(7.622951, 0)", "% Graduations d"}));
    }
}

// Regression: a tiny step made a mark run so long that the writer seemed to hang.
TEST(Graduations, course_bornee_dans_chaque_sens)
{
    const TTroncon traversee{{-7.622951L, 0}, {7.622951L, 0}};
    const std::vector<TGraduation> marques = Graduations({0, 0}, {1, 0}, 1e-6L, traversee);
    ASSERT_EQ(marques.size(), 2u * graduations_max);
    EXPECT_EQ(marques.front().rang, 1);
    EXPECT_EQ(marques[graduations_max - 1].rang, graduations_max);
    EXPECT_EQ(marques[graduations_max].rang, -1);
    EXPECT_EQ(marques.back().rang, -graduations_max);
    EXPECT_TRUE(essais::Proches(-0.01L, marques.back().position.x, 1e-15L));
}

TEST(Graduations, rangs_et_positions)
{
    // The origin lies left of the window: the positive run crosses it, the negative run
    // stops at its first mark.
    const TTroncon traversee{{-2, 1}, {2, 1}};
    const std::vector<TGraduation> marques = Graduations({-3, 1}, {0.5L, 0}, 3, traversee);
    ASSERT_EQ(marques.size(), 5u);
    const int rangs[] = {1, 2, 3, 4, -1};
    const Reel abscisses[] = {-1.5L, 0, 1.5L, 3, -4.5L};
    for (std::size_t i = 0; i < marques.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(marques[i].rang, rangs[i]);
        Attendre_point({abscisses[i], 1}, marques[i].position);
    }
}

namespace {

struct Cas_bouts {
    const char* nom;
    Tcoordonnees p, q;
    std::string attendu;
};

} // namespace

TEST(Ecrire_segment, bouts_gardes_par_la_fenetre)
{
    const Cas_bouts cas[] = {
        {"dedans_inchange", {1, 1}, {-2, 3}, trace + "(1, 1)(-2, 3)"},
        {"traverse_toute_la_fenetre", {-10, 0}, {10, 0}, trace + "(-7.622951, 0)(7.622951, 0)"},
        {"sort_a_droite", {0, 0}, {10, 0}, trace + "(0, 0)(7.622951, 0)"},
        {"entre_par_la_droite", {10, 0}, {0, 0}, trace + "(0, 0)(7.622951, 0)"},
        {"entre_par_la_gauche", {-10, 0}, {0, 0}, trace + "(-7.622951, 0)(0, 0)"},
        {"sort_a_gauche", {0, 0}, {-10, 0}, trace + "(-7.622951, 0)(0, 0)"},
        {"verticale", {1, -10}, {1, 10}, trace + "(1, -5)(1, 5)"},
        {"hors_porteuse_traversante", {10, 0}, {12, 0}, hors},
        {"porteuse_hors_fenetre", {0, 6}, {1, 7}, hors},
        {"extremites_confondues", {1, 1}, {1, 1}, hors},
    };
    for (const Cas_bouts& c : cas) {
        SCOPED_TRACE(c.nom);
        Tpoint p{.nom = "P"};
        Tpoint q{.nom = "Q"};
        Placer(p, c.p);
        Placer(q, c.q);
        const Tsegment segment{.nom = "PQ", .extremite1 = &p, .extremite2 = &q};
        std::string sortie;
        Ecrire_segment(segment, defaut, sortie);
        EXPECT_EQ(sortie, Lignes({"% Segment PQ", c.attendu}));
    }
}

TEST(Ecrire_segment, non_dessine_rien)
{
    Tpoint p{.nom = "P", .x = 0, .y = 0};
    Tpoint q{.nom = "Q", .x = 1, .y = 1};
    const Tsegment segment{.nom = "PQ", .extremite1 = &p, .extremite2 = &q, .dessine = false};
    std::string sortie;
    Ecrire_segment(segment, defaut, sortie);
    EXPECT_EQ(sortie, "");
}

TEST(Ecrire_demi_droite, de_l_origine_vers_le_point)
{
    const Cas_bouts cas[] = {
        {"dedans_vers_la_droite", {0, 0}, {1, 0}, trace + "(0, 0)(7.622951, 0)"},
        {"dedans_vers_la_gauche", {0, 0}, {-1, 0}, trace + "(-7.622951, 0)(0, 0)"},
        {"dedans_point_dehors", {0, 0}, {10, 0}, trace + "(0, 0)(7.622951, 0)"},
        {"dehors_vers_la_fenetre", {-10, 0}, {-9, 0}, trace + "(-7.622951, 0)(7.622951, 0)"},
        {"dehors_point_au_dela", {-10, 0}, {10, 0}, trace + "(-7.622951, 0)(7.622951, 0)"},
        {"dehors_s_eloignant", {10, 0}, {11, 0}, hors},
        {"porteuse_hors_fenetre", {0, 6}, {1, 6}, hors},
    };
    for (const Cas_bouts& c : cas) {
        SCOPED_TRACE(c.nom);
        Droite_construite d(c.p, Vecteur_de(c.p, c.q));
        Tpoint q;
        Placer(q, c.q);
        d.droite.point2 = &q;
        std::string sortie;
        Ecrire_demi_droite(d.droite, defaut, sortie);
        EXPECT_EQ(sortie, Lignes({"% Droite d", c.attendu}));
    }
}

TEST(Ecrire_demi_droite, sans_second_point_suit_sa_direction)
{
    Droite_construite d({0, 0}, {-1, 0});
    std::string sortie;
    Ecrire_demi_droite(d.droite, defaut, sortie);
    EXPECT_EQ(sortie, Lignes({"% Droite d", trace + "(-7.622951, 0)(0, 0)"}));

    sortie.clear();
    d.droite.dessine = false;
    Ecrire_demi_droite(d.droite, defaut, sortie);
    EXPECT_EQ(sortie, "");
}
