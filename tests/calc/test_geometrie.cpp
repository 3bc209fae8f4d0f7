#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "calc/geometrie.h"
#include "model/erreurs.h"
#include "proches.h"

namespace trazel {
namespace {

using essais::Proches;

constexpr Reel pi = std::numbers::pi_v<Reel>;
// Results that go through a few roundings of 64-bit mantissas on values of size ~1.
constexpr Reel precision = 1e-18L;

::testing::AssertionResult Points_proches(Tcoordonnees attendu, Tcoordonnees obtenu,
                                          Reel tolerance = precision)
{
    return essais::Points_proches(attendu, obtenu, tolerance);
}

// A frame whose records the test owns.
struct Repere {
    Tpoint origine;
    Tvecteur e, f;
    Trepere r;
    Repere(Tcoordonnees o, Tcoordonnees v1, Tcoordonnees v2)
    {
        Placer(origine, o);
        Placer(e, v1);
        Placer(f, v2);
        r.origine = &origine;
        r.vecteur1 = &e;
        r.vecteur2 = &f;
    }
};

template <class F> void Attendre_erreur_calcul(F calcul)
{
    try {
        calcul();
        ADD_FAILURE() << "aucune Erreur_calcul";
    } catch (const Erreur_calcul& e) {
        EXPECT_FALSE(std::string(e.what()).empty());
    }
}

TEST(Vecteur_de, nom_des_deux_points_et_composantes_b_moins_a)
{
    const Tpoint a{.nom = "A", .x = 1, .y = 5};
    const Tpoint b{.nom = "B1", .x = -2, .y = 7};
    const Tvecteur ab = Vecteur_de(a, b);
    EXPECT_EQ(ab.nom, "AB1");
    EXPECT_EQ(ab.x, -3);
    EXPECT_EQ(ab.y, 2);
    EXPECT_EQ(ab.origine, nullptr);
}

TEST(Operations_vectorielles, signes_et_ordre_des_arguments)
{
    EXPECT_EQ(Norme({3, -4}), 5);
    EXPECT_EQ(Produit_scalaire({1, 2}, {3, -5}), -7);
    const Tcoordonnees rot = Quart_de_tour({1, 2}); // counter-clockwise
    EXPECT_EQ(rot.x, -2);
    EXPECT_EQ(rot.y, 1);
    EXPECT_EQ(Carre(-3), 9);
    EXPECT_TRUE(Points_proches({7, -1}, Point_plus_vecteur({1, 2}, {2, -1}, 3)));
    EXPECT_TRUE(Points_proches({5, 1}, Combinaison({1, 0}, {1, 1}, 4, 1)));
    EXPECT_TRUE(Points_proches({0.5L, -1}, Milieu({-1, 2}, {2, -4})));
    Attendre_erreur_calcul([] { Norme({1e3000L, 1e3000L}); });
}

namespace {

// The reference the intersections' determinant is held to: a square matrix expanded by
// cofactors along its first column.
using Tmatrice = std::vector<std::vector<Reel>>;

Tmatrice Matrice_de(Tcoordonnees u, Tcoordonnees v) // the vectors in columns
{
    return {{u.x, v.x}, {u.y, v.y}};
}

Reel Determinant(const Tmatrice& m)
{
    if (m.size() == 1)
        return m[0][0];
    Reel somme = 0;
    for (std::size_t i = 0; i < m.size(); ++i) {
        Tmatrice mineur;
        for (std::size_t k = 0; k < m.size(); ++k)
            if (k != i)
                mineur.emplace_back(m[k].begin() + 1, m[k].end());
        const Reel terme = m[i][0] * Determinant(mineur);
        somme = i % 2 == 0 ? somme + terme : somme - terme;
    }
    return somme;
}

} // namespace

TEST(Determinant, developpement_selon_la_premiere_colonne)
{
    struct Cas {
        const char* nom;
        Tmatrice m;
        Reel attendu;
    } const cas[] = {
        {"un_par_un", {{7}}, 7},
        {"deux_par_deux", {{1, 2}, {3, 4}}, -2},
        {"trois_par_trois", {{2, -3, 1}, {2, 0, -1}, {1, 4, 5}}, 49},
        {"zero_en_tete_de_colonne", {{0, 1, 2}, {3, 4, 5}, {6, 7, 9}}, -3},
        {"lignes_liees", {{1, 2, 3}, {2, 4, 6}, {1, 0, 1}}, 0},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(Determinant(c.m), c.attendu);
    }
    // Matrice_de puts the vectors in columns: det = u.x v.y - v.x u.y.
    EXPECT_EQ(Determinant(Matrice_de({1, 2}, {3, 5})), -1);
}

// The intersections use the direct 2x2 form: it must give the expansion's value to the last
// bit, signed zeros and cancellations included, or the pictures would change.
TEST(Determinant, forme_directe_identique_au_developpement)
{
    std::mt19937_64 hasard(20261208);
    std::uniform_real_distribution<double> tirage(-1e6, 1e6);
    std::vector<std::pair<Tcoordonnees, Tcoordonnees>> cas = {
        {{0, 0}, {0, 0}}, {{-0.0L, 1}, {1, 0}},         {{0, -0.0L}, {-0.0L, 0}},
        {{1, 3}, {1, 3}}, {{0.1L, 0.3L}, {0.2L, 0.6L}}, {{1e-4000L, 1}, {1, 1e-4000L}},
    };
    for (int k = 0; k < 10000; ++k)
        cas.push_back({{tirage(hasard) / 3.0L, tirage(hasard) / 7.0L},
                       {tirage(hasard) / 11.0L, tirage(hasard) / 13.0L}});
    for (const auto& [u, v] : cas) {
        const Reel attendu = Determinant(Matrice_de(u, v));
        const Reel obtenu = Determinant_de(u, v);
        ASSERT_EQ(obtenu, attendu) << static_cast<double>(u.x) << " " << static_cast<double>(v.y);
        ASSERT_EQ(std::signbit(obtenu), std::signbit(attendu));
    }
    Attendre_erreur_calcul([] { Determinant_de({1e3000L, 0}, {0, 1e3000L}); });
}

TEST(Repere_vers_absolu, aller_retour_dans_un_repere_oblique)
{
    const Repere r({1, 2}, {2, 1}, {1, 3});
    EXPECT_TRUE(Points_proches({4, 1}, Repere_vers_absolu(r.r, {2, -1})));
    const Tcoordonnees ab = Coordonnees_dans_repere(r.r, {3, -1});
    EXPECT_TRUE(Points_proches({2, -1}, ab));
    for (Reel a : {-3.25L, 0.0L, 1.0L / 3, 7.5L})
        for (Reel b : {-1.0L / 7, 0.0L, 2.0L}) {
            SCOPED_TRACE(std::to_string(static_cast<double>(a)) + " " +
                         std::to_string(static_cast<double>(b)));
            const Tcoordonnees p = Repere_vers_absolu(r.r, {a, b});
            const Tcoordonnees q = Coordonnees_dans_repere(r.r, {p.x - 1, p.y - 2});
            EXPECT_TRUE(Points_proches({a, b}, q, 1e-17L));
        }
}

TEST(Coordonnees_dans_repere, base_degeneree_erreur_calcul)
{
    const Repere r({0, 0}, {1, 2}, {-2, -4});
    Attendre_erreur_calcul([&] { Coordonnees_dans_repere(r.r, {1, 1}); });
}

// The two formulas meet at 0.7071; near +-1 the result depends on 1 - x^2, whose last digits
// were lost when it was formed as 1 - x*x.
TEST(Arc_sinus, egal_a_asin_de_part_et_d_autre_du_seuil)
{
    const Reel x[] = {-1,       -0.9999999L, -0.9L,      -0.70712L, -0.70708L, -0.5L,
                      0,        1e-10L,      0.3L,       0.70708L,  0.7071L,   0.70712L,
                      0.99999L, 0.9999999L,  1 - 1e-15L, 1};
    for (Reel v : x) {
        SCOPED_TRACE(std::to_string(static_cast<double>(v)));
        EXPECT_TRUE(Proches(std::asin(v), Arc_sinus(v), 1e-18L));
        EXPECT_TRUE(Proches(std::acos(v), Arc_cosinus(v), 1e-18L));
    }
    Attendre_erreur_calcul([] { Arc_sinus(1.0000001L); });
    Attendre_erreur_calcul([] { Arc_cosinus(-1.0000001L); });
}

TEST(Angle_polaire, les_quatre_quadrants_et_les_axes)
{
    struct Cas {
        const char* nom;
        Tcoordonnees p, q;
        Reel attendu;
    } const cas[] = {
        {"est", {1, 1}, {3, 1}, 0},
        {"premier_quadrant", {1, 1}, {2, 2}, pi / 4},
        {"nord", {1, 1}, {1, 4}, pi / 2},
        {"deuxieme_quadrant", {1, 1}, {0, 2}, 3 * pi / 4},
        {"ouest", {1, 1}, {-1, 1}, pi},
        {"troisieme_quadrant", {1, 1}, {0, 0}, 5 * pi / 4},
        {"sud", {0, 0}, {0, -1}, 3 * pi / 2},
        {"quatrieme_quadrant", {1, 1}, {2, 0}, 7 * pi / 4},
        {"trente_degres", {0, 0}, {std::sqrt(3.0L), 1}, pi / 6},
        {"moins_trente_degres", {0, 0}, {std::sqrt(3.0L), -1}, 11 * pi / 6},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_TRUE(Proches(c.attendu, Angle_polaire(c.p, c.q), 4e-18L));
    }
}

// A direction below the axis by less than the rounding of 2pi came out as 2pi, outside
// [0, 2pi).
TEST(Angle_polaire, reste_sous_deux_pi)
{
    for (Reel y : {-1e-30L, -1e-12L, -1e-9L}) {
        SCOPED_TRACE(std::to_string(static_cast<double>(y)));
        const Reel alpha = Angle_polaire({0, 0}, {27, y});
        EXPECT_GE(alpha, 0);
        EXPECT_LT(alpha, 2 * pi);
        EXPECT_TRUE(Proches(1, std::cos(alpha), 1e-9L)); // still the direction of the axis
    }
    Attendre_erreur_calcul([] { Angle_polaire({1, 2}, {1, 2}); });
}

TEST(Angle_oriente, de_oa_vers_ob_dans_zero_deux_pi)
{
    struct Cas {
        const char* nom;
        Tcoordonnees a, o, b;
        Reel attendu;
    } const cas[] = {
        {"meme_point", {3, 4}, {1, 1}, {3, 4}, 0},
        {"quart_de_tour_direct", {2, 0}, {0, 0}, {0, 5}, pi / 2},
        {"quart_de_tour_indirect", {0, 5}, {0, 0}, {2, 0}, 3 * pi / 2},
        {"demi_tour", {2, 1}, {1, 1}, {-3, 1}, pi},
        {"par_dessus_l_axe", {1, -1}, {0, 0}, {1, 1}, pi / 2},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_TRUE(Proches(c.attendu, Angle_oriente(c.a, c.o, c.b), 4e-18L));
    }
    EXPECT_TRUE(Proches(3 * pi / 4, Angle_vecteurs({0, 2}, {-1, -1}), 4e-18L));
}

// OB one unit in the last place clockwise of OA gave 2pi, outside [0, 2pi).
TEST(Angle_oriente, reste_sous_deux_pi)
{
    const Reel alpha = Angle_oriente({0, 1}, {0, 0}, {1.5e-19L, 1});
    EXPECT_GE(alpha, 0);
    EXPECT_LT(alpha, 2 * pi);
}

TEST(Intersection_droites, point_commun_ou_aucun)
{
    const Tligne y_nul{{5, 0}, {1, 0}};
    const Tligne x_un{{1, 7}, {0, 1}};
    ASSERT_TRUE(Intersection_droites(y_nul, x_un));
    EXPECT_TRUE(Points_proches({1, 0}, *Intersection_droites(y_nul, x_un)));
    EXPECT_TRUE(Points_proches({1, 0}, *Intersection_droites(x_un, y_nul)));
    const auto m = Intersection_droites({{0, 1}, {1, 1}}, {{4, 0}, {-1, 1}});
    ASSERT_TRUE(m);
    EXPECT_TRUE(Points_proches({1.5L, 2.5L}, *m));
    EXPECT_FALSE(Intersection_droites(y_nul, {{0, 3}, {-2, 0}})); // parallel
    EXPECT_FALSE(Intersection_droites(y_nul, {{-1, 0}, {3, 0}})); // the same line
    EXPECT_FALSE(Intersection_droites(y_nul, {{2, 2}, {0, 0}}));  // no direction
}

TEST(Projete_orthogonal, pied_de_la_perpendiculaire)
{
    const auto h = Projete_orthogonal({3, 4}, {{0, 0}, {1, 1}});
    ASSERT_TRUE(h);
    EXPECT_TRUE(Points_proches({3.5L, 3.5L}, *h));
    EXPECT_TRUE(Proches(std::sqrt(0.5L), Distance_point_droite({3, 4}, {{0, 0}, {1, 1}}), 1e-18L));
    EXPECT_EQ(Distance_point_droite({3, 4}, {{-1, 1}, {2, 0}}), 3);
    const Tligne p = Perpendiculaire({{0, 0}, {1, 2}}, {5, 5});
    EXPECT_TRUE(Points_proches({5, 5}, p.point));
    EXPECT_TRUE(Points_proches({-2, 1}, p.direction));
    Attendre_erreur_calcul([] { Distance_point_droite({1, 1}, {{0, 0}, {0, 0}}); });
}

TEST(Intersection_droite_cercle, secante_tangente_exterieure)
{
    const Trond c{{1, 1}, 2};
    const Reel s = std::sqrt(0.75L);
    struct Cas {
        const char* nom;
        Tligne d;
        bool coupe;
        Tcoordonnees m1, m2;
    } const cas[] = {
        // Through the centre: M1 = centre + rot(i), i = R rot(d)/|d|.
        {"par_le_centre", {{5, 1}, {3, 0}}, true, {-1, 1}, {3, 1}},
        {"secante", {{0, 2}, {1, 0}}, true, {1 - 2 * s, 2}, {1 + 2 * s, 2}},
        {"secante_sens_inverse", {{0, 2}, {-1, 0}}, true, {1 - 2 * s, 2}, {1 + 2 * s, 2}},
        {"secante_verticale", {{2, 0}, {0, 1}}, true, {2, 1 + 2 * s}, {2, 1 - 2 * s}},
        {"tangente", {{0, 3}, {1, 0}}, true, {1, 3}, {1, 3}},
        {"exterieure_de_1e-12", {{0, 3 + 1e-12L}, {1, 0}}, false, {}, {}},
        {"exterieure", {{0, -4}, {1, 1}}, false, {}, {}},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.nom);
        const auto m = Intersection_droite_cercle(k.d, c);
        ASSERT_EQ(m.has_value(), k.coupe);
        if (!m)
            continue;
        EXPECT_TRUE(Points_proches(k.m1, m->m1, 2e-18L));
        EXPECT_TRUE(Points_proches(k.m2, m->m2, 2e-18L));
    }
}

// A tangent built from the circle (perpendicular to a radius at its end) missed the circle
// whenever rounding put it a unit in the last place outside.
TEST(Intersection_droite_cercle, tangente_construite_touche_le_cercle)
{
    for (Reel r : {0.1L, 0.3L, 1.7L, 2.9L, 7.3L})
        for (Reel a : {0.0L, 0.3L, 1.0L, 2.5L, 4.0L, 5.9L}) {
            SCOPED_TRACE(std::to_string(static_cast<double>(r)) + " " +
                         std::to_string(static_cast<double>(a)));
            const Trond c{{0.4L, -1.3L}, r};
            const Tcoordonnees t = Point_du_cercle(c, a);
            const auto m =
                Intersection_droite_cercle({t, Quart_de_tour(Vecteur_de(c.centre, t))}, c);
            ASSERT_TRUE(m);
            EXPECT_TRUE(Points_proches(t, m->m1, 1e-8L * r));
            EXPECT_TRUE(Points_proches(t, m->m2, 1e-8L * r));
        }
}

// A circle of radius 0 off the line raised a division by zero instead of meeting nothing.
TEST(Intersection_droite_cercle, cas_degeneres)
{
    const auto centre = Intersection_droite_cercle({{0, 2}, {1, 1}}, {{1, 3}, 0});
    ASSERT_TRUE(centre); // a circle of radius 0 on the line
    EXPECT_TRUE(Points_proches({1, 3}, centre->m1));
    EXPECT_TRUE(Points_proches({1, 3}, centre->m2));
    EXPECT_FALSE(Intersection_droite_cercle({{0, 0}, {1, 0}}, {{1, 3}, 0}));
    Attendre_erreur_calcul([] { Intersection_droite_cercle({{0, 0}, {0, 0}}, {{1, 1}, 1}); });
}

TEST(Intersection_cercles, ordre_des_points_et_cas_limites)
{
    const Reel s = std::sqrt(0.75L);
    struct Cas {
        const char* nom;
        Trond c1, c2;
        bool coupe;
        Tcoordonnees m1, m2;
    } const cas[] = {
        {"unite_ordonnee_positive_d_abord", {{0, 0}, 1}, {{1, 0}, 1}, true, {0.5L, s}, {0.5L, -s}},
        {"cercles_echanges", {{1, 0}, 1}, {{0, 0}, 1}, true, {0.5L, -s}, {0.5L, s}},
        {"tangents_exterieurement", {{0, 0}, 1}, {{2, 0}, 1}, true, {1, 0}, {1, 0}},
        {"tangents_interieurement", {{0, 0}, 2}, {{1, 0}, 1}, true, {2, 0}, {2, 0}},
        {"eloignes", {{0, 0}, 1}, {{3, 0}, 1}, false, {}, {}},
        {"l_un_dans_l_autre", {{0, 0}, 3}, {{0.5L, 0}, 1}, false, {}, {}},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.nom);
        const auto m = Intersection_cercles(k.c1, k.c2);
        ASSERT_EQ(m.has_value(), k.coupe);
        if (!m)
            continue;
        EXPECT_TRUE(Points_proches(k.m1, m->m1, 2e-18L));
        EXPECT_TRUE(Points_proches(k.m2, m->m2, 2e-18L));
    }
    Attendre_erreur_calcul([] { Intersection_cercles({{1, 1}, 1}, {{1, 1}, 2}); });
    Attendre_erreur_calcul([] { Intersection_cercles({{1, 1}, 1}, {{1, 1}, 1}); });
}

// Circles whose centres are exactly the sum of the radii apart, up to rounding, touched or
// not depending on the last digit.
TEST(Intersection_cercles, tangents_construits_se_touchent)
{
    for (Reel a : {0.2L, 1.1L, 2.3L, 3.7L, 5.0L}) {
        SCOPED_TRACE(std::to_string(static_cast<double>(a)));
        const Trond c1{{0.3L, 0.7L}, 0.3L};
        const Trond c2{Point_du_cercle({c1.centre, 1.0L}, a), 0.7L};
        const auto m = Intersection_cercles(c1, c2);
        ASSERT_TRUE(m);
        EXPECT_TRUE(Points_proches(Point_du_cercle(c1, a), m->m1, 1e-8L));
    }
}

TEST(Mediatrice, par_le_milieu_perpendiculaire)
{
    const Tligne m = Mediatrice({1, 1}, {3, 5});
    EXPECT_TRUE(Points_proches({2, 3}, m.point));
    EXPECT_TRUE(Points_proches({-4, 2}, m.direction));
}

TEST(Bissectrice, direction_de_la_somme_des_unitaires)
{
    const Tligne b = Bissectrice({3, 0}, {0, 0}, {0, 0.5L});
    EXPECT_TRUE(Points_proches({0, 0}, b.point));
    EXPECT_TRUE(Proches(b.direction.x, b.direction.y, 1e-18L));
    EXPECT_GT(b.direction.x, 0);
    const Tligne plat = Bissectrice({-1, 2}, {0, 2}, {4, 2}); // O between A and B
    EXPECT_TRUE(Points_proches({0, -4}, plat.direction));     // rot(BO)
    Attendre_erreur_calcul([] { Bissectrice({1, 1}, {1, 1}, {2, 3}); });
}

TEST(Point_de_l_arc, parcours_dans_le_sens_direct)
{
    Tvecteur trois{.nom = "u", .x = 3};
    Tunite u{.nom = "U", .vecteur = &trois};
    Tpoint centre{.nom = "O", .x = 1, .y = -1};
    Tcercle c{.nom = "c", .centre = &centre, .rayon = 2, .unite = &u}; // real radius 6
    struct Cas {
        const char* nom;
        Reel debut, fin, t;
        Reel angle;
    } const cas[] = {
        {"par_la_direction_zero", 3 * pi / 2, pi / 2, 0.5L, 2 * pi},
        {"debut_avant_fin", pi / 2, pi, 0.5L, 3 * pi / 4},
        {"premiere_extremite", pi / 2, pi, 0, pi / 2},
        {"seconde_extremite", 3 * pi / 2, pi / 2, 1, 5 * pi / 2},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.nom);
        Tarc_de_cercle arc{.nom = "a", .cercle = &c, .angle_debut = k.debut, .angle_fin = k.fin};
        EXPECT_TRUE(Points_proches({1 + 6 * std::cos(k.angle), -1 + 6 * std::sin(k.angle)},
                                   Point_de_l_arc(arc, k.t), 1e-17L));
    }
    EXPECT_TRUE(Points_proches({1, 5}, Point_du_cercle(Rond_de(c), pi / 2), 1e-17L));
}

TEST(Centres_du_triangle, triangle_rectangle_3_4_5)
{
    const Tcoordonnees a{0, 0}, b{4, 0}, c{0, 3};
    const Tcentre g = Centre_de_gravite(a, b, c);
    EXPECT_TRUE(g.defini);
    EXPECT_TRUE(Points_proches({4.0L / 3, 1}, g.point));
    ASSERT_TRUE(Centre_circonscrit(a, b, c));
    EXPECT_TRUE(Points_proches({2, 1.5L}, *Centre_circonscrit(a, b, c))); // middle of [BC]
    ASSERT_TRUE(Centre_inscrit(a, b, c));
    EXPECT_TRUE(Points_proches({1, 1}, *Centre_inscrit(a, b, c)));
    ASSERT_TRUE(Orthocentre(a, b, c));
    EXPECT_TRUE(Points_proches(a, *Orthocentre(a, b, c)));
    const auto circonscrit = Cercle_circonscrit(a, b, c);
    ASSERT_TRUE(circonscrit);
    EXPECT_TRUE(Points_proches({2, 1.5L}, circonscrit->centre));
    EXPECT_TRUE(Proches(2.5L, circonscrit->rayon, 1e-18L));
    const auto inscrit = Cercle_inscrit(a, b, c);
    ASSERT_TRUE(inscrit);
    EXPECT_TRUE(Points_proches({1, 1}, inscrit->centre));
    EXPECT_TRUE(Proches(1, inscrit->rayon, 1e-18L));
    EXPECT_EQ(Aire_triangle(a, b, c, 1), 6);
    EXPECT_EQ(Aire_triangle(c, b, a, 2), 1.5L); // orientation and unit
}

TEST(Centres_du_triangle, triangle_quelconque)
{
    const Tcoordonnees a{0, 0}, b{4, 0}, c{1, 3};
    EXPECT_TRUE(Points_proches({5.0L / 3, 1}, Centre_de_gravite(a, b, c).point));
    EXPECT_TRUE(Points_proches({2, 1}, *Centre_circonscrit(a, b, c)));
    EXPECT_TRUE(Points_proches({1, 1}, *Orthocentre(a, b, c)));
    // The incentre weighs each vertex by the opposite side.
    const Reel la = std::sqrt(18.0L), lb = std::sqrt(10.0L), lc = 4;
    const Tcoordonnees i{(la * a.x + lb * b.x + lc * c.x) / (la + lb + lc),
                         (la * a.y + lb * b.y + lc * c.y) / (la + lb + lc)};
    EXPECT_TRUE(Points_proches(i, *Centre_inscrit(a, b, c), 1e-17L));
    EXPECT_TRUE(Proches(std::sqrt(5.0L), Cercle_circonscrit(a, b, c)->rayon, 1e-17L));
}

TEST(Centres_du_triangle, points_alignes_ou_confondus_sans_centre)
{
    const Tcoordonnees a{0, 0}, b{1, 1}, c{3, 3};
    EXPECT_FALSE(Centre_de_gravite(a, b, c).defini);
    EXPECT_TRUE(Points_proches({4.0L / 3, 4.0L / 3}, Centre_de_gravite(a, b, c).point));
    EXPECT_FALSE(Centre_circonscrit(a, b, c));
    EXPECT_FALSE(Cercle_circonscrit(a, b, c));
    EXPECT_FALSE(Orthocentre(a, b, c));
    EXPECT_FALSE(Centre_circonscrit(a, a, c));
    EXPECT_EQ(Aire_triangle(a, b, c, 1), 0);
    Attendre_erreur_calcul([&] { Aire_triangle(a, {1, 0}, c, 0); });
}

TEST(Polygone_regulier, sommets_dans_le_sens_direct)
{
    const auto carre = Polygone_regulier({0, 0}, {1, 0}, 4);
    ASSERT_EQ(carre.size(), 4u);
    const Tcoordonnees attendus[] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    for (std::size_t k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(Points_proches(attendus[k], carre[k]));
    }
    const auto hexagone = Polygone_regulier({1, 1}, {1, 3}, 6); // first vertex straight up
    ASSERT_EQ(hexagone.size(), 6u);
    for (std::size_t k = 0; k < 6; ++k) {
        SCOPED_TRACE(k);
        const Reel angle = pi / 2 + pi * static_cast<Reel>(k) / 3;
        EXPECT_TRUE(Points_proches({1 + 2 * std::cos(angle), 1 + 2 * std::sin(angle)}, hexagone[k],
                                   1e-17L));
    }
    EXPECT_TRUE(Polygone_regulier({0, 0}, {1, 0}, 0).empty());
}

TEST(Rectangle, coins_dans_l_ordre_du_repere)
{
    const Repere r({1, 1}, {2, 0}, {1, 3});
    const auto coins = Rectangle(r.r, 2, 1, 0.5L, -1);
    // (x0, y0), (x0, y0 + h), (x0 + w, y0 + h), (x0 + w, y0) in the frame.
    const Tcoordonnees attendus[] = {{1, -2}, {2, 1}, {6, 1}, {5, -2}};
    for (std::size_t k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(Points_proches(attendus[k], coins[k]));
    }
}

TEST(Dans_le_cadre, strictement_interieur)
{
    const TCadre_image cadre{.xmin = -1, .ymin = 0, .xmax = 2, .ymax = 1};
    struct Cas {
        const char* nom;
        Tcoordonnees p;
        bool dedans;
    } const cas[] = {
        {"interieur", {0, 0.5L}, true},
        {"bord_gauche", {-1, 0.5L}, false},
        {"bord_droit", {2, 0.5L}, false},
        {"bord_bas", {0, 0}, false},
        {"bord_haut", {0, 1}, false},
        {"dehors", {3, 0.5L}, false},
        {"juste_dedans", {1.9999999L, 0.999999L}, true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(Dans_le_cadre(c.p, cadre), c.dedans);
    }
}

TEST(Actualiser_droite, direction_et_second_vecteur_du_repere)
{
    Tpoint a{.nom = "A", .x = 1, .y = 1}, b{.nom = "B", .x = 4, .y = 3};
    Tvecteur u{.nom = "AB", .x = 9, .y = 9}, v{.nom = "", .x = 9, .y = 9};
    Trepere r{.nom = "AB", .origine = &a, .vecteur1 = &u, .vecteur2 = &v};
    Tdroite d{.nom = "AB", .point1 = &a, .point2 = &b, .vecteur = &u, .repere = &r};
    Actualiser_droite(d);
    EXPECT_TRUE(Points_proches({3, 2}, Coordonnees(u)));
    EXPECT_TRUE(Points_proches({-2, 3}, Coordonnees(v)));
    d.point2 = nullptr; // a line without second point keeps its direction
    b.x = 100;
    Actualiser_droite(d);
    EXPECT_TRUE(Points_proches({3, 2}, Coordonnees(u)));

    Tvecteur w{.nom = "AB", .origine = &a, .extremite = &b};
    Actualiser_vecteur(w);
    EXPECT_TRUE(Points_proches({99, 2}, Coordonnees(w)));
    Tvecteur libre{.nom = "w", .x = 5, .y = 6};
    Actualiser_vecteur(libre);
    EXPECT_TRUE(Points_proches({5, 6}, Coordonnees(libre)));
}

} // namespace
} // namespace trazel
