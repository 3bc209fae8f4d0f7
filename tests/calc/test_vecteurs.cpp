#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calc/vecteurs.h"
#include "model/erreurs.h"
#include "proches.h"

namespace trazel {
namespace {

using essais::Proches;

using essais::Points_proches;

// o = (0, 0), A = (1, 2), B = (4, 6), C = (-1, 5) and the defined vector u = (2, -1):
// AB = (3, 4), AC = (-2, 3), AB.AC = 6, |AB| = 5.
struct Figure {
    TFigure figure;
    TForm2 form2;
    Figure()
    {
        form2.separateur_decimal('.');
        Point("o", 0, 0);
        Point("A", 1, 2);
        Point("B", 4, 6);
        Point("C", -1, 5);
        Vecteur("u", 2, -1);
    }
    Tpoint* Point(const char* nom, Reel x, Reel y)
    {
        return figure.liste_points.emplace_back(
            figure.Nouveau<Tpoint>({.nom = nom, .x = x, .y = y}));
    }
    void Vecteur(const char* nom, Reel x, Reel y)
    {
        figure.liste_vecteurs.push_back(figure.Nouveau<Tvecteur>({.nom = nom, .x = x, .y = y}));
    }
    Tcoordonnees Vecteur_de(const std::string& texte, Reel l = 1)
    {
        return Evaluer_vecteur(texte, l, figure, form2);
    }
    Reel Mesure(const std::string& texte, Reel l = 1)
    {
        return Evaluer_mesure(texte, l, figure, form2);
    }
};

TEST(Evaluer_vecteur, combinaisons_de_vecteurs)
{
    Figure f;
    f.Vecteur("CA", 7, 7); // a defined vector wins over the points it is named after
    struct Cas {
        const char* texte;
        Tcoordonnees attendu;
    } const cas[] = {
        {"vec(AB)", {3, 4}},
        {"vec(A,B)", {3, 4}},
        {"vec(A, B)", {3, 4}},
        {"vec(AB)+2*vec(u)", {7, 2}},
        {"2vec(u)-vec(BA)", {7, 2}},
        {"-vec(AC)/2", {1, -1.5L}},
        {"vec(CA)", {7, 7}},
        {"AB*vec(u)", {10, -5}},
        {"norm(vec(AB))*vec(u)", {10, -5}},
        {"(vec(AB)&vec(AC))*vec(u)", {12, -6}},
        {"vec(u)*((vec(AB))&(vec(AC)))", {12, -6}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.texte);
        EXPECT_TRUE(Points_proches(c.attendu, f.Vecteur_de(c.texte)));
    }
}

TEST(Evaluer_mesure, distances_normes_et_produits_scalaires)
{
    Figure f;
    struct Cas {
        const char* texte;
        Reel attendu;
    } const cas[] = {
        {"dist(AB)", 2.5L},
        {"dist(A,B)", 2.5L},
        {"norm(vec(AB))", 2.5L},
        {"norm(vec(AB)+vec(u))", std::sqrt(34.0L) / 2},
        {"vec(AB)&vec(AC)", 1.5L},
        {"(vec(AB))&(vec(AC))", 1.5L},
        {"2*vec(AB)&vec(AC)+1", 4},
        {"vec(AB)&2*vec(AC)", 3},
        {"(vec(AB)+vec(u))&(vec(AC))", -0.25L},
        {"vec(AB)&vec(AC)+vec(u)&vec(u)", 2.75L},
        {"AB/dist(AB)", 1},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.texte);
        EXPECT_TRUE(Proches(c.attendu, f.Mesure(c.texte, 2), 1e-18L));
    }
}

TEST(Reecrire_mesure, termes_remplaces_sans_evaluer)
{
    Figure f;
    struct Cas {
        const char* texte;
        Reel l;
        const char* attendu;
    } const cas[] = {
        {"dist(AB)*t", 2, "(2.5)*t"},
        {"vec(AB)&vec(AC)+norm(vec(AB))", 1, "(6)+(5)"},
        {"t^2-dist(B,A)", 10, "t^2-(0.5)"},
        {"norm(vec(AB)-vec(AB))", 1, "(0)"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.texte);
        EXPECT_EQ(Reecrire_mesure(c.texte, c.l, f.figure, f.form2), c.attendu);
    }
}

// vec(AB) of two points was created once and kept: after the points moved (a locus replays
// the construction) it kept its old value.
TEST(Evaluer_vecteur, suit_les_points_deplaces)
{
    Figure f;
    EXPECT_TRUE(Points_proches({3, 4}, f.Vecteur_de("vec(AB)")));
    Tpoint* a = f.figure.liste_points[1];
    a->x = -2;
    a->y = 10;
    EXPECT_TRUE(Points_proches({6, -4}, f.Vecteur_de("vec(AB)")));
    EXPECT_TRUE(Proches(std::sqrt(52.0L), f.Mesure("dist(AB)"), 1e-18L));
    EXPECT_EQ(f.figure.liste_vecteurs.size(), 1u);
}

// "vec(A,B)" read as the name AB was taken for the point AB when one exists.
TEST(Evaluer_vecteur, virgule_separe_les_deux_points)
{
    Figure f;
    f.Point("AB", 100, 100);
    EXPECT_TRUE(Points_proches({3, 4}, f.Vecteur_de("vec(A,B)")));
    EXPECT_TRUE(Proches(5, f.Mesure("dist(A,B)"), 1e-18L));
}

// Components written with 15 digits lost the last four digits of the extended reals.
TEST(Evaluer_vecteur, composantes_sans_perte_de_chiffres)
{
    struct Cas {
        const char* nom;
        Reel x, y;
        char separateur;
    } const cas[] = {
        {"tiers", 1.0L / 3, -2.0L / 3, '.'},
        {"tiers_virgule", 1.0L / 3, -2.0L / 3, ','},
        {"tres_petit_tres_grand", 1e-25L / 3, 1e30L / 7, '.'},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Figure f;
        f.form2.separateur_decimal(c.separateur);
        f.Point("E", c.x, c.y); // an exponent letter would be read as this point's name
        const Tcoordonnees v = f.Vecteur_de("vec(oE)");
        EXPECT_TRUE(Proches(c.x, v.x, std::fabs(c.x) * 1e-19L));
        EXPECT_TRUE(Proches(c.y, v.y, std::fabs(c.y) * 1e-19L));
        const Reel norme = std::sqrt(c.x * c.x + c.y * c.y);
        EXPECT_TRUE(Proches(norme, f.Mesure("dist(oE)"), norme * 1e-19L));
    }
}

TEST(Evaluer_vecteur, noms_inconnus_nommes)
{
    Figure f;
    struct Cas {
        const char* texte;
        const char* message;
    } const cas[] = {
        {"vec(AZ)", "\xAB AZ \xBB ne d\xE9signe ni un vecteur, ni deux points de la figure"},
        {"vec(v)+vec(u)", "\xAB v \xBB ne d\xE9signe ni un vecteur, ni deux points de la figure"},
        {"norm(vec(A,Z))",
         "\xAB A,Z \xBB ne d\xE9signe ni un vecteur, ni deux points de la figure"},
        {"dist(AZ)", "\xAB AZ \xBB ne d\xE9signe pas deux points de la figure"},
        {"dist(u)", "\xAB u \xBB ne d\xE9signe pas deux points de la figure"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.texte);
        try {
            f.Vecteur_de(c.texte);
            ADD_FAILURE() << "aucune erreur";
        } catch (const Erreur_formule& e) {
            ADD_FAILURE() << "Erreur_formule inattendue : " << e.what();
        } catch (const Erreur_trazel& e) {
            EXPECT_EQ(e.what(), std::string(c.message));
        }
    }
}

TEST(Evaluer_vecteur, texte_mal_forme_erreur_formule)
{
    Figure f;
    for (const char* texte : {"vec(AB", "vec(AB)&", "&vec(AB)", "2&vec(AB)", "norm(vec(AB)",
                              "(vec(AB)&)", "norm(vec(AB)&)+1", "dist(AB"}) {
        SCOPED_TRACE(texte);
        for (bool mesure : {false, true}) {
            try {
                if (mesure)
                    f.Mesure(texte);
                else
                    f.Vecteur_de(texte);
                ADD_FAILURE() << "texte accepte";
            } catch (const Erreur_formule& e) {
                // A measure leaves "vec(" to the evaluator, which words its own message.
                if (!mesure) {
                    EXPECT_EQ(e.what(), std::string(Erreur_formule::message_syntaxe));
                }
                EXPECT_EQ(e.formule(), texte);
            }
        }
    }
}

TEST(Barycentre, points_ponderes)
{
    Figure f;
    struct Cas {
        const char* ligne;
        int position;
        Tcoordonnees attendu;
    } const cas[] = {
        {"(A, 1), (B, 1)", 1, {2.5L, 4}},
        {"(A, 2), (B, 3), (C, -1) (unit\xE9 Uoxy)", 1, {3.75L, 4.25L}},
        {"G barycentre de (A, 1), (B, 1)", 17, {2.5L, 4}},
        {"(A,3),(B,1)", 1, {1.75L, 3}},
        {"(A, (1+1)/2), (B, 2-1)", 1, {2.5L, 4}},
        {"(A, dist(A,B)), (B, 5)", 1, {2.5L, 4}},
        {"(A, AB), (B, 0.5*10)", 1, {2.5L, 4}},
        {"(C, 4)", 1, {-1, 5}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.ligne);
        EXPECT_TRUE(
            Points_proches(c.attendu, Barycentre(c.ligne, c.position, 1, f.figure, f.form2)));
    }
}

TEST(Barycentre, poids_de_somme_nulle_erreur_calcul)
{
    Figure f;
    try {
        Barycentre("(A, 1), (B, -1)", 1, 1, f.figure, f.form2);
        ADD_FAILURE() << "aucune Erreur_calcul";
    } catch (const Erreur_calcul& e) {
        EXPECT_EQ(e.nature(), Erreur_calcul::Nature::division_par_zero);
    }
}

TEST(Barycentre, liste_illisible_ou_point_inconnu)
{
    Figure f;
    for (const char* ligne : {"", "A, 1", "(A, 1", "(A 1)", "(A, 1) (B, 1)", "(A, 1),", "(, 1)",
                              "(A, )", "(A, 1) xyz", "(A, (1)"}) {
        SCOPED_TRACE(ligne);
        try {
            Barycentre(ligne, 1, 1, f.figure, f.form2);
            ADD_FAILURE() << "liste acceptee";
        } catch (const Erreur_trazel& e) {
            EXPECT_EQ(e.what(),
                      "Points pond\xE9r\xE9s illisibles dans \xAB " + std::string(ligne) + " \xBB");
        }
    }
    EXPECT_THROW(Barycentre("(A, 1)", 9, 1, f.figure, f.form2), Erreur_trazel);
    try {
        Barycentre("(A, 1), (Z, 1)", 1, 1, f.figure, f.form2);
        ADD_FAILURE() << "point inconnu accepte";
    } catch (const Erreur_trazel& e) {
        EXPECT_EQ(e.what(), std::string("Le point \xAB Z \xBB n'est pas d\xE9"
                                        "fini"));
    }
}

// Guards against nested "norm(" and "&" exhausting the stack of the reader: past the bound
// the expression is refused with a message instead.
TEST(Evaluer_mesure, imbrication_bornee)
{
    Figure f;
    const auto repete = [](const std::string& motif, int n) {
        std::string texte;
        for (int k = 0; k < n; ++k)
            texte += motif;
        return texte;
    };
    // Each "norm(" of a scalar makes the vector (s, s), of norm s sqrt(2); each
    // "(vec(u)&" of 5 gives u.(5, 5) = 5 again.
    const auto normes = [&](int n) { return repete("norm(", n) + "vec(u)" + repete(")", n); };
    const auto produits = [&](int n) { return repete("(vec(u)&", n) + "vec(u)" + repete(")", n); };
    EXPECT_TRUE(Proches(std::sqrt(5.0L) * std::pow(2.0L, 9.5L), f.Mesure(normes(20)), 1e-12L));
    EXPECT_TRUE(Proches(5, f.Mesure(produits(20)), 1e-15L));
    EXPECT_TRUE(Points_proches({10, -5}, f.Vecteur_de("(" + produits(20) + ")*vec(u)"), 1e-15L));
    const std::string message = "expression vectorielle trop imbriqu\xE9"
                                "e : plus de 100 "
                                "niveaux de \xAB norm( \xBB ou de \xAB & \xBB";
    const struct {
        const char* nom;
        std::string texte;
        bool vecteur;
    } cas[] = {
        {"normes", normes(101), false},
        {"produits", produits(101), false},
        {"vecteur", normes(5000) + "*vec(u)", true},
        {"produits_profonds", produits(5000), false},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        try {
            if (c.vecteur)
                f.Vecteur_de(c.texte);
            else
                f.Mesure(c.texte);
            ADD_FAILURE() << "aucune erreur";
        } catch (const Erreur_formule& e) {
            ADD_FAILURE() << "Erreur_formule inattendue : " << e.what();
        } catch (const Erreur_trazel& e) {
            EXPECT_EQ(e.what(), message);
        }
    }
}

} // namespace
} // namespace trazel
