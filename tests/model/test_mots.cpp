#include <gtest/gtest.h>

#include <vector>

#include "model/mots.h"

using namespace trazel;

namespace {

std::vector<std::string> Mots(std::string_view ligne, int position, int combien)
{
    std::vector<std::string> mots;
    for (int i = 0; i < combien; ++i)
        mots.push_back(Mot_suivant(ligne, position));
    return mots;
}

} // namespace

TEST(Mot_suivant, decoupe_la_ligne_de_position)
{
    const std::vector<std::string> attendus = {"Position", "de", "Roxy", "Xmin", "-5",
                                               "Xmax",     "5",  "",     ""};
    EXPECT_EQ(Mots("Position de Roxy: Xmin: -5, Xmax: 5", 1, 9), attendus);
}

TEST(Mot_suivant, delimiteurs_et_bords_de_ligne)
{
    struct Cas {
        const char* nom;
        std::string_view ligne;
        std::vector<std::string> mots;
    };
    const Cas cas[] = {
        {"parentheses_de_l_unite",
         "a = 2AB (unit\xE9 Uoxy)",
         {"a", "=", "2AB", "unit\xE9", "Uoxy", ""}},
        {"crochets", "Segment [AB]", {"Segment", "AB", ""}},
        {"ligne_commencant_par_des_blancs", "  Objet libre A", {"", "Objet", "libre", "A"}},
        {"ligne_vide", "", {"", ""}},
        {"mots_avec_apostrophe_et_fleche", "f fonction x|->x^2-1", {"f", "fonction", "x|->x^2-1"}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(Mots(c.ligne, 1, static_cast<int>(c.mots.size())), c.mots);
    }
}

TEST(Mot_suivant, avance_apres_les_delimiteurs)
{
    int position = 1;
    EXPECT_EQ(Mot_suivant("A (B) C", position), "A");
    EXPECT_EQ(position, 4); // past " ("
    EXPECT_EQ(Mot_suivant("A (B) C", position), "B");
    EXPECT_EQ(position, 7);
    EXPECT_EQ(Mot_suivant("A (B) C", position), "C");
    EXPECT_EQ(position, 8); // one past the end
    // Before the start, reading starts at the first character (here a delimiter, so the word
    // is empty and the position moves past it); past the end the word is empty, in place.
    for (const int depart : {0, -3}) {
        position = depart;
        EXPECT_EQ(Mot_suivant("(A) B", position), "");
        EXPECT_EQ(position, 2);
    }
    position = 12;
    EXPECT_EQ(Mot_suivant("A (B) C", position), "");
    EXPECT_EQ(position, 12);
}

TEST(Code_mot, table_exacte)
{
    EXPECT_EQ(Code_mot("Position"), 1);
    EXPECT_EQ(Code_mot(""), 5);
    EXPECT_EQ(Code_mot("dessin\xE9"), 3);
    EXPECT_EQ(Code_mot("dessin\xE9"
                       "e"),
              69);
    EXPECT_EQ(Code_mot("1"), 36);
    EXPECT_EQ(Code_mot("="), 82);
    EXPECT_EQ(Code_mot("rep\xE8re"), 81);
    EXPECT_EQ(Code_mot("graphe"), 107);
    EXPECT_EQ(Code_mot("position"), std::nullopt);       // case-sensitive
    EXPECT_EQ(Code_mot("dessine"), std::nullopt);        // accents matter
    EXPECT_EQ(Code_mot("dessin\xC3\xA9"), std::nullopt); // UTF-8 bytes are not the keyword
    for (int code = 1; code <= nombre_mots_cles; ++code) {
        SCOPED_TRACE(code);
        EXPECT_EQ(Code_mot(Mot_du_code(code)), code); // no entry shadows a later one
    }
}

TEST(Texte_equilibre, lit_les_coordonnees_entre_parentheses)
{
    // As the tangent construction writes a point of coordinates.
    const std::string_view ligne = "P point de coordonn\xE9"
                                   "es (1.5,f(1.5)) dans le rep\xE8re R";
    int position = 1;
    for (int i = 0; i < 4; ++i)
        Mot_suivant(ligne, position);
    EXPECT_EQ(Texte_equilibre(ligne, position, ','), "1.5");
    EXPECT_EQ(Texte_equilibre(ligne, position, ')'), "f(1.5)");
    EXPECT_EQ(Mot_suivant(ligne, position), "");
    EXPECT_EQ(Mot_suivant(ligne, position), "dans");
}

TEST(Texte_equilibre, virgules_et_blancs_entre_parentheses)
{
    int position = 1;
    EXPECT_EQ(Texte_equilibre("f(1,2),g", position, ','), "f(1,2)");
    EXPECT_EQ(position, 8);
    position = 1;
    EXPECT_EQ(Texte_equilibre("2*(a + b) c", position, ' '), "2*(a + b)");
    position = 1;
    EXPECT_EQ(Texte_equilibre("(a)+(b)) reste", position, ')'), "(a)+(b)");
    EXPECT_EQ(position, 9);
    position = 1;
    EXPECT_EQ(Texte_equilibre("sans fin", position, ','), "sans fin");
}
