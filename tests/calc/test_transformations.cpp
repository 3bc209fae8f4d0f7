#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "calc/transformations.h"
#include "model/erreurs.h"
#include "proches.h"

namespace trazel {
namespace {

using essais::Proches;

constexpr Reel pi = std::numbers::pi_v<Reel>;

using essais::Points_proches;

// A figure whose transformation lists are filled by the test.
struct Transformations {
    TFigure figure;
    TListe_transformations& t = figure.transformations;

    Tpoint* Point(Tcoordonnees c)
    {
        Tpoint* p = figure.Nouveau<Tpoint>();
        Placer(*p, c);
        return p;
    }
    Tvecteur* Vecteur(Tcoordonnees c)
    {
        Tvecteur* u = figure.Nouveau<Tvecteur>();
        Placer(*u, c);
        return u;
    }
    Tsymetrie_axiale* Symetrie(const char* nom, Tcoordonnees point, Tcoordonnees direction)
    {
        Tdroite* axe = figure.Nouveau<Tdroite>();
        axe->point1 = Point(point);
        axe->vecteur = Vecteur(direction);
        return t.symetries_axiales.emplace_back(figure.Nouveau<Tsymetrie_axiale>({nom, axe}));
    }
    void Translation(const char* nom, Tcoordonnees u)
    {
        t.translations.push_back(figure.Nouveau<Ttranslation>({nom, Vecteur(u)}));
    }
    void Rotation(const char* nom, Tcoordonnees centre, Reel angle)
    {
        t.rotations.push_back(figure.Nouveau<Trotation>({nom, Point(centre), angle}));
    }
    void Homothetie(const char* nom, Tcoordonnees centre, Reel rapport)
    {
        t.homotheties.push_back(figure.Nouveau<Thomothetie>({nom, Point(centre), rapport}));
    }
    void Similitude(const char* nom, Tcoordonnees centre, Reel angle, Reel rapport)
    {
        t.similitudes_directes.push_back(
            figure.Nouveau<Tsimilitude_directe>({nom, Point(centre), angle, rapport}));
    }
    void Composee(const char* nom, const char* premiere, const char* seconde)
    {
        t.composees.push_back(
            figure.Nouveau<Tcomposee_transformations>({nom, {premiere, seconde}}));
    }
};

template <class F> void Attendre_erreur(F calcul, const std::string& message)
{
    try {
        calcul();
        ADD_FAILURE() << "aucune erreur";
    } catch (const Erreur_calcul& e) {
        ADD_FAILURE() << "Erreur_calcul inattendue : " << e.what();
    } catch (const Erreur_trazel& e) {
        EXPECT_EQ(e.what(), message);
    }
}

TEST(Chercher_transformation, ordre_des_listes_puis_ordre_dans_la_liste)
{
    Transformations f;
    f.Composee("k", "s", "r");
    f.Similitude("k", {0, 0}, 1, 2);
    f.Similitude("m", {0, 0}, 1, 2);
    f.Translation("k", {1, 0});
    f.Translation("m", {1, 0});
    f.Homothetie("h", {0, 0}, 2);
    f.Homothetie("k", {0, 0}, 2);
    f.Rotation("r", {0, 0}, 1);
    f.Rotation("k", {0, 0}, 1);
    f.Symetrie("s", {0, 0}, {1, 0});
    f.Symetrie("k", {0, 0}, {1, 0});
    using G = TGenre_transformation;
    struct Cas {
        const char* nom;
        G genre;
        std::size_t indice;
    } const cas[] = {
        {"k", G::symetrie_axiale, 1}, {"r", G::rotation, 0},        {"h", G::homothetie, 0},
        {"m", G::translation, 1},     {"s", G::symetrie_axiale, 0},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const auto trouvee = Chercher_transformation(c.nom, f.t);
        ASSERT_TRUE(trouvee);
        EXPECT_EQ(trouvee->genre, c.genre);
        EXPECT_EQ(trouvee->indice, c.indice);
    }
    f.t.symetries_axiales.clear();
    f.t.rotations.clear();
    f.t.homotheties.clear();
    f.t.translations.clear();
    EXPECT_EQ(Chercher_transformation("k", f.t)->genre, G::similitude_directe);
    f.t.similitudes_directes.clear();
    EXPECT_EQ(Chercher_transformation("k", f.t)->genre, G::composee);
    EXPECT_FALSE(Chercher_transformation("K", f.t)); // names are case-sensitive
}

TEST(Image_point, par_genre_de_transformation)
{
    Transformations f;
    f.Rotation("quart", {0, 0}, pi / 2);
    f.Rotation("tiers", {1, 1}, 2 * pi / 3);
    f.Homothetie("demi_tour", {1, 1}, -1);
    f.Homothetie("triple", {1, -1}, 3);
    f.Symetrie("premiere_bissectrice", {0, 0}, {2, 2});
    f.Symetrie("y_egal_1", {5, 1}, {-3, 0});
    f.Translation("t", {2, -3});
    f.Similitude("sim", {1, 0}, pi / 2, 2);
    const Reel c = std::cos(2 * pi / 3), s = std::sin(2 * pi / 3);
    struct Cas {
        const char* nom;
        Tcoordonnees p, attendu;
    } const cas[] = {
        {"quart", {1, 0}, {0, 1}},
        {"tiers", {3, 1}, {1 + 2 * c, 1 + 2 * s}},
        {"demi_tour", {2, 1}, {0, 1}},
        {"triple", {2, 0}, {4, 2}},
        {"premiere_bissectrice", {3, 1}, {1, 3}},
        {"y_egal_1", {2, 5}, {2, -3}},
        {"t", {1, 1}, {3, -2}},
        // O + k rot(theta) OP: (1, 0) + 2 (0, 1).
        {"sim", {2, 0}, {1, 2}},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.nom);
        EXPECT_TRUE(Points_proches(k.attendu, Image_point(k.nom, k.p, f.t)));
    }
}

// The rotated point is the point (cos t, sin t) of the frame O, OP, rot(OP): a point built
// that way elsewhere must coincide to the last digit.
TEST(Image_point, rotation_identique_au_point_du_repere)
{
    Transformations f;
    for (Reel angle : {0.3L, 1.0L, 2.5L, -4.0L}) {
        SCOPED_TRACE(std::to_string(static_cast<double>(angle)));
        f.t.rotations.clear();
        f.Rotation("r", {0.7L, -1.9L}, angle);
        Tpoint o{.nom = "O", .x = 0.7L, .y = -1.9L};
        Tvecteur op{.nom = "OP", .x = 3.3L - 0.7L, .y = 1.0L / 3 + 1.9L};
        Tvecteur normale = Quart_de_tour(op);
        const Trepere r{.nom = "R", .origine = &o, .vecteur1 = &op, .vecteur2 = &normale};
        const Tcoordonnees attendu = Repere_vers_absolu(r, {std::cos(angle), std::sin(angle)});
        const Tcoordonnees image = Image_point("r", {3.3L, 1.0L / 3}, f.t);
        EXPECT_EQ(attendu.x, image.x);
        EXPECT_EQ(attendu.y, image.y);
    }
}

TEST(Image_point, symetrie_avant_rotation_de_meme_nom)
{
    Transformations f;
    f.Rotation("s", {0, 0}, pi / 2);
    f.Symetrie("s", {0, 0}, {0, 1});
    EXPECT_TRUE(Points_proches({-3, 2}, Image_point("s", {3, 2}, f.t)));
}

TEST(Image_point, composees_dans_l_ordre_ecrit_et_imbriquees)
{
    Transformations f;
    f.Translation("t", {1, 0});
    f.Symetrie("s", {0, 0}, {0, 1}); // x = 0
    f.Rotation("r", {0, 0}, pi / 2);
    f.Composee("t_puis_s", "t", "s");
    f.Composee("s_puis_t", "s", "t");
    f.Composee("imbriquee", "t_puis_s", "r");
    f.Composee("deux_fois", "t_puis_s", "t_puis_s");
    struct Cas {
        const char* nom;
        Tcoordonnees attendu;
    } const cas[] = {
        {"t_puis_s", {-2, 5}},
        {"s_puis_t", {0, 5}},
        {"imbriquee", {-5, -2}},
        // Used twice side by side, a composition is no cycle.
        {"deux_fois", {1, 5}},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.nom);
        EXPECT_TRUE(Points_proches(k.attendu, Image_point(k.nom, {1, 5}, f.t)));
    }
}

TEST(Image_point, nom_inconnu_et_composees_circulaires)
{
    Transformations f;
    f.Translation("t", {1, 0});
    f.Composee("c", "c", "t");
    f.Composee("c1", "t", "c2");
    f.Composee("c2", "c3", "t");
    f.Composee("c3", "c1", "t");
    f.Composee("orpheline", "t", "z");
    struct Cas {
        const char* nom;
        const char* message;
    } const cas[] = {
        {"z", "La transformation \xAB z \xBB n'est pas d\xE9"
              "finie"},
        {"orpheline", "La transformation \xAB z \xBB n'est pas d\xE9"
                      "finie"},
        {"c", "La composition \xAB c \xBB fait appel \xE0 elle-m\xEAme"},
        {"c1", "La composition \xAB c1 \xBB fait appel \xE0 elle-m\xEAme"},
        {"c3", "La composition \xAB c3 \xBB fait appel \xE0 elle-m\xEAme"},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.nom);
        Attendre_erreur([&] { Image_point(k.nom, {0, 0}, f.t); }, k.message);
        Attendre_erreur([&] { Rapport_longueurs(k.nom, f.t, 1); }, k.message);
    }
}

TEST(Image_point, axe_sans_direction_erreur_calcul)
{
    Transformations f;
    f.Symetrie("s", {1, 1}, {0, 0});
    EXPECT_THROW(Image_point("s", {3, 2}, f.t), Erreur_calcul);
}

TEST(Image_droite, image_du_point_et_direction_entre_les_images)
{
    Transformations f;
    f.Rotation("r", {0, 0}, pi / 2);
    f.Symetrie("s", {0, 0}, {1, 0});
    f.Homothetie("h", {0, 0}, -2);
    struct Cas {
        const char* nom;
        Tcoordonnees point, direction;
    } const cas[] = {
        {"r", {0, 1}, {-1, 2}},
        {"s", {1, 0}, {2, -1}}, // a reflection reverses the turn of the direction
        {"h", {-2, 0}, {-4, -2}},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.nom);
        const Tligne d = Image_droite(k.nom, {{1, 0}, {2, 1}}, f.t);
        EXPECT_TRUE(Points_proches(k.point, d.point));
        EXPECT_TRUE(Points_proches(k.direction, d.direction));
    }
}

TEST(Rapport_longueurs, signe_garde_et_composees)
{
    Transformations f;
    f.Symetrie("s", {0, 0}, {1, 0});
    f.Rotation("r", {0, 0}, 1);
    f.Translation("t", {1, 0});
    f.Homothetie("h", {1, 1}, -3);
    f.Similitude("sim", {0, 0}, 2, 0.5L);
    f.Composee("h_puis_sim", "h", "sim");
    f.Composee("trois", "h_puis_sim", "r");
    struct Cas {
        const char* nom;
        Reel attendu;
    } const cas[] = {
        {"s", 2}, {"r", 2}, {"t", 2}, {"h", -6}, {"sim", 1}, {"h_puis_sim", -3}, {"trois", -3},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.nom);
        EXPECT_EQ(Rapport_longueurs(k.nom, f.t, 2), k.attendu);
    }
}

TEST(Image_cercle, centre_image_et_rayon_positif)
{
    Transformations f;
    f.Homothetie("h", {1, 1}, -3);
    f.Similitude("sim", {0, 0}, pi / 2, 0.5L);
    Tpoint centre{.nom = "O", .x = 2, .y = 1};
    const Tcercle c{.nom = "c", .centre = &centre, .rayon = 2};
    const TImage_cercle h = Image_cercle("h", c, f.t);
    EXPECT_TRUE(Points_proches({-2, 1}, h.centre));
    EXPECT_EQ(h.rayon, 6);
    const TImage_cercle s = Image_cercle("sim", c, f.t);
    EXPECT_TRUE(Points_proches({-0.5L, 1}, s.centre));
    EXPECT_EQ(s.rayon, 1);
    Attendre_erreur([&] { Image_cercle("z", c, f.t); },
                    "La transformation \xAB z \xBB n'est pas d\xE9"
                    "finie");
}

// A transformation given by its record lands where the lookup by its name does, to the last
// bit, and a symmetry whose axis has no direction fails the same way.
TEST(Image_point, par_l_enregistrement_comme_par_le_nom)
{
    Transformations f;
    f.Symetrie("s", {1, 2}, {1, 3});
    f.Translation("t", {-2.5L, 0.75L});
    f.Rotation("r", {1, -1}, 0.7L);
    f.Homothetie("h", {-3, 2}, -1.5L);
    f.Similitude("sim", {2, 2}, 2.1L, 0.4L);
    for (const Tcoordonnees p : {Tcoordonnees{0.3L, -7}, Tcoordonnees{12, 1.0L / 3}}) {
        auto pareils = [&](std::string_view nom, Tcoordonnees q) {
            const Tcoordonnees attendu = Image_point(nom, p, f.t);
            EXPECT_EQ(attendu.x, q.x) << nom;
            EXPECT_EQ(attendu.y, q.y) << nom;
        };
        pareils("s", Image_point(*f.t.symetries_axiales[0], p));
        pareils("t", Image_point(*f.t.translations[0], p));
        pareils("r", Image_point(*f.t.rotations[0], p));
        pareils("h", Image_point(*f.t.homotheties[0], p));
        pareils("sim", Image_point(*f.t.similitudes_directes[0], p));
    }
    const Tsymetrie_axiale* sans_direction = f.Symetrie("plate", {0, 0}, {0, 0});
    EXPECT_THROW(Image_point(*sans_direction, {1, 0}), Erreur_calcul);
}

// A locus changes a rotation's angle between samples: the record keeps the cosine and sine
// of the last angle it turned by, and must not serve them for another one.
TEST(Image_point, angle_change_entre_deux_images)
{
    Transformations f;
    f.Rotation("r", {1, -1}, 0.7L);
    f.Similitude("sim", {2, 2}, 0.7L, 1.5L);
    Trotation& r = *f.t.rotations[0];
    Tsimilitude_directe& sim = *f.t.similitudes_directes[0];
    const Tcoordonnees p{0.3L, -7};
    for (const Reel angle : {0.7L, 2.5L, 0.0L, -0.0L, 0.7L, -11.0L}) {
        SCOPED_TRACE(static_cast<double>(angle));
        r.angle = angle;
        sim.angle = angle;
        const Trotation neuve{"n", r.centre, angle};
        const Tsimilitude_directe neuve_sim{"m", sim.centre, angle, sim.rapport};
        for (int fois = 0; fois < 2; ++fois) {
            const Tcoordonnees q = Image_point(r, p), attendu = Image_point(neuve, p);
            EXPECT_EQ(q.x, attendu.x);
            EXPECT_EQ(q.y, attendu.y);
            const Tcoordonnees s = Image_point(sim, p), attendu_sim = Image_point(neuve_sim, p);
            EXPECT_EQ(s.x, attendu_sim.x);
            EXPECT_EQ(s.y, attendu_sim.y);
        }
    }
    // A quarter turn about (1, -1) of (0.3, -7), computed from the angle itself.
    r.angle = std::acos(-1.0L) / 2;
    EXPECT_TRUE(Points_proches({7, -1.7L}, Image_point(r, p)));
}

// Guards against compositions of compositions hanging the transcription (each using the
// previous one twice: 2^n expansions) or exhausting the stack (nested deep).
TEST(Image_point, composees_bornees_en_developpements_et_en_imbrication)
{
    Transformations f;
    f.Translation("t", {1, 0});
    // d0 = t then t, dk = d(k-1) twice: a translation by 2^(k+1) after 2^(k+1) - 1
    // expansions. e0 = t then t, ek = e(k-1) then t: k + 1 nested compositions.
    f.Composee("d0", "t", "t");
    f.Composee("e0", "t", "t");
    for (int k = 1; k <= 120; ++k) {
        const std::string d = "d" + std::to_string(k), d_avant = "d" + std::to_string(k - 1);
        const std::string e = "e" + std::to_string(k), e_avant = "e" + std::to_string(k - 1);
        f.Composee(d.c_str(), d_avant.c_str(), d_avant.c_str());
        f.Composee(e.c_str(), e_avant.c_str(), "t");
    }
    const struct {
        const char* nom;
        Reel decalage;
    } acceptees[] = {{"d12", 8192}, {"e99", 101}};
    for (const auto& k : acceptees) {
        SCOPED_TRACE(k.nom);
        EXPECT_TRUE(Points_proches({k.decalage, 0}, Image_point(k.nom, {0, 0}, f.t)));
    }
    const struct {
        const char* nom;
        const char* message;
    } refusees[] = {
        {"d13", "La composition \xAB d13 \xBB se d\xE9veloppe en plus de 10000 compositions"},
        {"d40", "La composition \xAB d40 \xBB se d\xE9veloppe en plus de 10000 compositions"},
        {"e100", "La composition \xAB e100 \xBB imbrique plus de 100 compositions"},
        {"e120", "La composition \xAB e120 \xBB imbrique plus de 100 compositions"},
    };
    for (const auto& k : refusees) {
        SCOPED_TRACE(k.nom);
        Attendre_erreur([&] { Image_point(k.nom, {0, 0}, f.t); }, k.message);
        Attendre_erreur([&] { Rapport_longueurs(k.nom, f.t, 1); }, k.message);
    }
}

} // namespace
} // namespace trazel
