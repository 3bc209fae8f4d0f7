#include <gtest/gtest.h>

#include <set>

#include "model/constructions.h"
#include "model/figure.h"

using namespace trazel;

TEST(Dessin_du_genre, chaque_genre_a_son_dessin)
{
    struct Cas {
        std::int32_t genre;
        TDessin dessin;
    };
    const Cas cas[] = {
        {1, TDessin::entete},       {2, TDessin::rien},      {24, TDessin::rien},
        {41, TDessin::rien},        {51, TDessin::rien},     {83, TDessin::rien},
        {4, TDessin::droite},       {28, TDessin::droite},   {98, TDessin::droite},
        {5, TDessin::segment},      {25, TDessin::repere},   {40, TDessin::cercle},
        {82, TDessin::cercle},      {52, TDessin::arc},      {53, TDessin::arc},
        {54, TDessin::polygone},    {57, TDessin::polygone}, {97, TDessin::lieu},
        {99, TDessin::demi_droite}, {100, TDessin::graphe},  {6, TDessin::point},
        {26, TDessin::point},       {58, TDessin::point},    {84, TDessin::point},
        {89, TDessin::point},       {96, TDessin::point},    {101, TDessin::rien},
        {0, TDessin::rien},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.genre);
        EXPECT_EQ(Dessin_du_genre(c.genre), c.dessin);
    }
}

// Every row names a construction and says what its steps hold: a code without a name or
// without natures would leave the resolver and the tests guessing.
TEST(Constructions, chaque_code_a_son_nom_et_ses_natures)
{
    std::set<std::string_view> noms;
    for (const TConstruction& c : constructions) {
        SCOPED_TRACE(Genre(c.code));
        EXPECT_FALSE(c.nom.empty());
        EXPECT_TRUE(noms.insert(c.nom).second) << "nom en double : " << c.nom;
        if (c.code != TCode::fin) {
            EXPECT_FALSE(c.natures.empty());
        }
        // What is drawn is the defined object, the last argument: a point's step ends in a
        // point, a line's in a line, a curve's in a curve.
        const std::string_view n = c.natures;
        const std::string_view derniere =
            n.substr(n.rfind(' ') == std::string_view::npos ? 0 : n.rfind(' ') + 1);
        switch (c.dessin) {
        case TDessin::point:
            EXPECT_EQ(derniere, "5");
            break;
        case TDessin::droite:
        case TDessin::demi_droite:
            EXPECT_EQ(derniere, "7");
            break;
        case TDessin::segment:
            EXPECT_EQ(derniere, "10");
            break;
        case TDessin::repere:
            EXPECT_EQ(derniere, "4");
            break;
        case TDessin::cercle:
            EXPECT_EQ(derniere, "13");
            break;
        case TDessin::arc:
            EXPECT_EQ(derniere, "21");
            break;
        case TDessin::polygone:
            EXPECT_EQ(derniere, "12");
            break;
        case TDessin::lieu:
        case TDessin::graphe:
            EXPECT_EQ(derniere, "24");
            break;
        case TDessin::entete:
            EXPECT_EQ(derniere, "22");
            break;
        case TDessin::rien:
            break;
        }
        EXPECT_EQ(c.famille == TFamille::point, c.dessin == TDessin::point);
    }
}

// The ten images of a point by a transformation described in place mirror the ten named
// transformations, in the order of their codes.
TEST(Constructions, images_en_place_et_transformations_nommees)
{
    int images = 0;
    for (const TConstruction& c : constructions) {
        if (c.image == TCode::fin)
            continue;
        ++images;
        EXPECT_EQ(c.famille, TFamille::transformation);
        EXPECT_EQ(Construction(c.image).famille, TFamille::point);
        EXPECT_EQ(Construction(c.image).nommee, c.code);
    }
    EXPECT_EQ(images, 10);
    EXPECT_EQ(Construction(TCode::homothetie_rapport).image, TCode::image_homothetie_rapport);
    EXPECT_EQ(Construction(TCode::symetrie_centrale).image, TCode::image_symetrie_centrale);
    EXPECT_EQ(Construction(TCode::composee).image, TCode::fin);
}
