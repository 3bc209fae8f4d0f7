#include <gtest/gtest.h>

#include "latex/ecriture.h"
#include "model/erreurs.h"

using namespace trazel;

TEST(Tronquer_decimales, coupe_apres_le_point)
{
    EXPECT_EQ(Tronquer_decimales("123.456789012345", 8), "123.45678901");
    EXPECT_EQ(Tronquer_decimales("360", 8), "360");
    EXPECT_EQ(Tronquer_decimales("0.1", 8), "0.1");
    EXPECT_EQ(Tronquer_decimales("-1.23456789123", 9), "-1.234567891");
    EXPECT_EQ(Tronquer_decimales("5.", 3), "5.");
}

TEST(Ecrire_entete, convertit_la_fenetre_double_cadre)
{
    // The right half of the editor's window, top half: x from the centre to the right edge.
    const TReperexoy roxy{.xmin = -5, .xmax = 5, .ymax = 5, .dessine = true, .couleur = "red"};
    TCadre_image fenetre{.xmin = 0.5L, .ymin = 0, .xmax = 1, .ymax = 0.5L, .double_cadre = true};
    std::string sortie;
    Ecrire_entete(roxy, fenetre, {}, sortie);
    EXPECT_NEAR(static_cast<double>(fenetre.xmin), 0.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(fenetre.xmax), 7.622951, 1e-15);
    EXPECT_EQ(fenetre.ymax, 5);
    EXPECT_EQ(fenetre.ymin, 0);
    // The origin is on the box's edge: no default axes.
    EXPECT_EQ(sortie.find("psaxes"), std::string::npos);
    EXPECT_NE(sortie.find("\\begin{pspicture}(0,0)(7.622951,5)\r\n"), std::string::npos);
}

TEST(Ecrire_entete, axes_selon_roxy)
{
    TReperexoy roxy{.xmin = -5, .xmax = 5, .ymax = 5, .dessine = false};
    TCadre_image fenetre;
    std::string sortie;
    Ecrire_entete(roxy, fenetre, {}, sortie);
    EXPECT_EQ(sortie.find('%', 1), std::string::npos); // only the units comment
    EXPECT_EQ(std::count(sortie.begin(), sortie.end(), '\n'), 5);
}

TEST(Ecrire_entete, refuse_un_cadre_sans_taille)
{
    const TReperexoy roxy{.xmin = -5, .xmax = 5, .ymax = 5};
    for (const TCadre_latex cadre : {TCadre_latex{0, 10}, TCadre_latex{10, -1}}) {
        TCadre_image fenetre;
        std::string sortie;
        EXPECT_THROW(Ecrire_entete(roxy, fenetre, cadre, sortie), Erreur_trazel);
        EXPECT_TRUE(sortie.empty());
    }
}

TEST(Unite_image, le_cote_le_plus_contraint_decide)
{
    const TCadre_image fenetre{.xmin = 0, .ymin = 0, .xmax = 4, .ymax = 2};
    EXPECT_EQ(Unite_image(fenetre, {8, 8}), 2);
    EXPECT_EQ(Unite_image(fenetre, {8, 2}), 1);
}

TEST(Dessin_du_genre, chaque_genre_a_son_dessin)
{
    struct Cas {
        std::int32_t genre;
        TDessin dessin;
    };
    const Cas cas[] = {
        {1, TDessin::entete},    {2, TDessin::rien},        {24, TDessin::rien},
        {41, TDessin::rien},     {51, TDessin::rien},       {83, TDessin::rien},
        {4, TDessin::droite},    {28, TDessin::droite},     {98, TDessin::droite},
        {5, TDessin::segment},   {25, TDessin::repere},     {40, TDessin::cercle},
        {82, TDessin::cercle},   {52, TDessin::arc},        {53, TDessin::arc},
        {54, TDessin::polygone}, {57, TDessin::polygone},   {97, TDessin::lieu},
        {99, TDessin::demi_droite}, {100, TDessin::graphe}, {6, TDessin::point},
        {26, TDessin::point},    {58, TDessin::point},      {84, TDessin::point},
        {89, TDessin::point},    {96, TDessin::point},      {101, TDessin::rien},
        {0, TDessin::rien},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.genre);
        EXPECT_EQ(Dessin_du_genre(c.genre), c.dessin);
    }
}
