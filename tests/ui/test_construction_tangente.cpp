// The tangent construction: its 31 figure lines, the names it picks, the one-sided slopes,
// the refusals, and the lines read back by the figure reader.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <typeinfo>
#include <vector>

#include "calc/noms.h"
#include "lecture/transcription.h"
#include "model/erreurs.h"
#include "model/texte_figure.h"
#include "proches.h"
#include "ui/construction_tangente.h"

using namespace trazel;
using essais::Proches;

namespace {

const std::string fonction_carre = "f fonction x|->x^2";

// Three points, a unit twice as long as Uoxy and a frame on them, and two functions.
const std::string figure_complete = essais::Texte_figure({
    "A point libre",
    "  Objet libre A, param\xE8tres: 0, 0",
    "B point libre",
    "  Objet libre B, param\xE8tres: 2, 0",
    "C point libre",
    "  Objet libre C, param\xE8tres: 0, 2",
    "U unit\xE9 de longueur de vecteur vec(AB)",
    "R rep\xE8re (A, vec(AB), vec(AC)) graduations (1, 1)",
    fonction_carre,
    "g fonction x|->abs(x-1)+1",
});

// The lines of a construction text; every line must end in one CR.
std::vector<std::string> Lignes(const std::string& texte)
{
    std::vector<std::string> lignes;
    std::size_t debut = 0;
    while (debut < texte.size()) {
        const std::size_t fin = texte.find('\r', debut);
        if (fin == std::string::npos) {
            ADD_FAILURE() << "la derni\xE8re ligne n'a pas de CR : " << texte.substr(debut);
            break;
        }
        lignes.push_back(texte.substr(debut, fin - debut));
        debut = fin + 1;
    }
    return lignes;
}

// Line n (1-based) of the construction for f = x^2 at x = 1 with these chevrons.
std::string Ligne(const std::string& figure, const std::string& chevrons, std::size_t n,
                  const std::string& fonction = "f", const std::string& abscisse = "1")
{
    const std::vector<std::string> lignes =
        Lignes(ConstruireTangente(figure, fonction, "Uoxy", "Roxy", abscisse, chevrons));
    return n <= lignes.size() ? lignes[n - 1] : "(absente)";
}

} // namespace

// The whole text as the figure editor expects it.
TEST(ConstruireTangente, lignes_pour_x_carre_en_1)
{
    const std::vector<std::string> attendues = {
        "n point de coordonn\xE9"
        "es (1,f(1)) dans le rep\xE8re Roxy",
        "  Objet dessinable n, particularit\xE9s: marque \xE9paisse, non dessin\xE9",
        "T droite passant par n et de coefficient directeur 2 (rep\xE8re Roxy)",
        "  Objet dessinable T, particularit\xE9s: non dessin\xE9",
        "n1 point libre sur la droite T",
        "  Objet libre n1, param\xE8tre: 1",
        "  Objet dessinable n1, particularit\xE9s: marque fine, nom non dessin\xE9",
        "T1 droite passant par n et de coefficient directeur 2 (rep\xE8re Roxy)",
        "  Objet dessinable T1, particularit\xE9s: non dessin\xE9",
        "n2 point libre sur la droite T1",
        "  Objet libre n2, param\xE8tre: -1",
        "  Objet dessinable n2, particularit\xE9s: marque fine, nom non dessin\xE9",
        "r cercle de centre n1 et de rayon 1/7 (unit\xE9 Uoxy)",
        "  Objet dessinable r, particularit\xE9s: non dessin\xE9",
        "n3 point libre sur le cercle r",
        "Objet libre n3, param\xE8tre: 1",
        "  Objet dessinable n3, particularit\xE9s: marque fine, nom non dessin\xE9",
        "n4 image de n3 par la sym\xE9trie d'axe T",
        "  Objet dessinable n4, particularit\xE9s: non dessin\xE9",
        "Segment [n1n3]",
        "Segment [n1n4]",
        "n7 image de n3 par la rotation de centre n1 et d'angle n1nn2",
        "  Objet dessinable n7, particularit\xE9s: non dessin\xE9",
        "n5 image de n7 par la translation transformant n1 en n2",
        "  Objet dessinable n5, particularit\xE9s: non dessin\xE9",
        "n6 image de n5 par la sym\xE9trie d'axe T1",
        "  Objet dessinable n6, particularit\xE9s: non dessin\xE9",
        "Segment [n2n5]",
        "Segment [n2n6]",
        "Segment [nn1]",
        "Segment [nn2]",
    };
    const std::string texte =
        ConstruireTangente(essais::Texte_figure({fonction_carre}), "f", "Uoxy", "Roxy", "1", "1/7");
    EXPECT_EQ(texte.find('\n'), std::string::npos);
    EXPECT_EQ(Lignes(texte), attendues);
}

// The unit, the frame and the point names are printed as given; values through the unit.
TEST(ConstruireTangente, unite_repere_et_distances)
{
    // x0 = AB in U (length 2) is 1; the chevrons AB/2 are 0.5 of U, so L = 3.5.
    const std::vector<std::string> lignes =
        Lignes(ConstruireTangente(figure_complete, "f", "U", "R", "AB", "AB/2"));
    ASSERT_EQ(lignes.size(), 31u);
    EXPECT_EQ(lignes[0], "n point de coordonn\xE9"
                         "es (1,f(1)) dans le rep\xE8re R");
    EXPECT_EQ(lignes[2], "T droite passant par n et de coefficient directeur 2 (rep\xE8re R)");
    EXPECT_EQ(lignes[5], "  Objet libre n1, param\xE8tre: 3.5");
    EXPECT_EQ(lignes[10], "  Objet libre n2, param\xE8tre: -3.5");
    EXPECT_EQ(lignes[12], "r cercle de centre n1 et de rayon AB/2 (unit\xE9 U)");
    // "1" designates the first unit, Uoxy, of length 1: AB is then 2.
    const std::vector<std::string> premiere =
        Lignes(ConstruireTangente(figure_complete, "f", "1", "Roxy", "AB/4", "1/7"));
    ASSERT_EQ(premiere.size(), 31u);
    EXPECT_EQ(premiere[0], "n point de coordonn\xE9"
                           "es (0.5,f(0.5)) dans le rep\xE8re Roxy");
    EXPECT_EQ(premiere[2], "T droite passant par n et de coefficient directeur 1 (rep\xE8re Roxy)");
    EXPECT_EQ(premiere[12], "r cercle de centre n1 et de rayon 1/7 (unit\xE9 1)");
}

// The parameters of lines 6 and 11 are 7 times the chevron length, 1 when that is 0; line
// 13 keeps the length as typed.
TEST(ConstruireTangente, longueur_des_chevrons)
{
    struct Cas {
        const char* nom;
        const char* chevrons;
        const char* ligne6;
        const char* ligne11;
        const char* ligne13;
    };
    const Cas cas[] = {
        {"par_defaut", "1/7", "  Objet libre n1, param\xE8tre: 1",
         "  Objet libre n2, param\xE8tre: -1",
         "r cercle de centre n1 et de rayon 1/7 (unit\xE9 Uoxy)"},
        {"nulle", "0", "  Objet libre n1, param\xE8tre: 1", "  Objet libre n2, param\xE8tre: -1",
         "r cercle de centre n1 et de rayon 0 (unit\xE9 Uoxy)"},
        {"nulle_calculee", "2-2", "  Objet libre n1, param\xE8tre: 1",
         "  Objet libre n2, param\xE8tre: -1",
         "r cercle de centre n1 et de rayon 2-2 (unit\xE9 Uoxy)"},
        {"double", "2/7", "  Objet libre n1, param\xE8tre: 2", "  Objet libre n2, param\xE8tre: -2",
         "r cercle de centre n1 et de rayon 2/7 (unit\xE9 Uoxy)"},
        {"decimale", "0.1", "  Objet libre n1, param\xE8tre: 0.7",
         "  Objet libre n2, param\xE8tre: -0.7",
         "r cercle de centre n1 et de rayon 0.1 (unit\xE9 Uoxy)"},
        // Guards against "--3", which the reader cannot read: the opposite is its own number.
        {"negative", "-3/7", "  Objet libre n1, param\xE8tre: -3",
         "  Objet libre n2, param\xE8tre: 3",
         "r cercle de centre n1 et de rayon -3/7 (unit\xE9 Uoxy)"},
    };
    const std::string figure = essais::Texte_figure({fonction_carre});
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(Ligne(figure, c.chevrons, 6), c.ligne6);
        EXPECT_EQ(Ligne(figure, c.chevrons, 11), c.ligne11);
        EXPECT_EQ(Ligne(figure, c.chevrons, 13), c.ligne13);
    }
}

// Names already used in the figure are skipped, each list on its own.
TEST(ConstruireTangente, noms_deja_pris)
{
    const std::string figure = essais::Texte_figure({
        "n point libre",
        "  Objet libre n, param\xE8tres: 0, 0",
        "n1 point libre",
        "  Objet libre n1, param\xE8tres: 1, 0",
        "T droite passant par n et de coefficient directeur 1 (rep\xE8re Roxy)",
        "r cercle de centre n et de rayon 1 (unit\xE9 Uoxy)",
        fonction_carre,
    });
    const std::vector<std::string> lignes =
        Lignes(ConstruireTangente(figure, "f", "Uoxy", "Roxy", "1", "1/7"));
    ASSERT_EQ(lignes.size(), 31u);
    EXPECT_EQ(lignes[0], "n2 point de coordonn\xE9"
                         "es (1,f(1)) dans le rep\xE8re Roxy");
    EXPECT_EQ(lignes[2], "T1 droite passant par n2 et de coefficient directeur 2 (rep\xE8re Roxy)");
    EXPECT_EQ(lignes[4], "n3 point libre sur la droite T1");
    EXPECT_EQ(lignes[7], "T2 droite passant par n2 et de coefficient directeur 2 (rep\xE8re Roxy)");
    EXPECT_EQ(lignes[12], "r1 cercle de centre n3 et de rayon 1/7 (unit\xE9 Uoxy)");
    EXPECT_EQ(lignes[21], "n9 image de n5 par la rotation de centre n3 et d'angle n3n2n4");
    EXPECT_EQ(lignes[30], "Segment [n2n4]");
}

// D1 carries the right-hand slope, D2 the left-hand one unless both agree within 1e-11.
TEST(ConstruireTangente, pentes_des_deux_demi_tangentes)
{
    struct Cas {
        const char* nom;
        const char* fonction;
        const char* pente_d1;
        const char* pente_d2;
    };
    const Cas cas[] = {
        {"lisse", "x^2", "2", "2"},
        {"point_anguleux", "abs(x-1)+1", "1", "-1"},
        // Slopes 1 +- 1e-12: within the agreement, both lines take the right-hand one.
        {"ecart_sous_le_seuil", "x+abs(x-1)/1000000000000", "1.000000000001", "1.000000000001"},
        {"ecart_au_dessus", "x+abs(x-1)/10000000000", "1.0000000001", "0.9999999999"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const std::string figure =
            essais::Texte_figure({std::string("f fonction x|->") + c.fonction});
        const std::string debut = "droite passant par n et de coefficient directeur ";
        EXPECT_EQ(Ligne(figure, "1/7", 3), "T " + debut + c.pente_d1 + " (rep\xE8re Roxy)");
        EXPECT_EQ(Ligne(figure, "1/7", 8), "T1 " + debut + c.pente_d2 + " (rep\xE8re Roxy)");
    }
}

// Every refusal: the exception's type and its message, which names what is wrong.
TEST(ConstruireTangente, refus)
{
    enum class Genre { trazel, formule, calcul };
    struct Cas {
        const char* nom;
        std::string figure;
        const char* fonction;
        const char* unite;
        const char* abscisse;
        const char* chevrons;
        Genre genre;
        const char* message;
    };
    const std::string sans_fonction = essais::Texte_figure({});
    const std::string ln = essais::Texte_figure({"h fonction x|->ln(x)"});
    const std::string racine = essais::Texte_figure({"q fonction x|->sqrt(x)"});
    const std::string saut = essais::Texte_figure({"e fonction x|->int(x)"});
    const Cas cas[] = {
        {"unite_inconnue", figure_complete, "f", "V", "1", "1/7", Genre::trazel,
         "L'unit\xE9 \xAB V \xBB n'est pas d\xE9"
         "finie"},
        {"unite_vide", figure_complete, "f", "", "1", "1/7", Genre::trazel,
         "L'unit\xE9 \xAB  \xBB n'est pas d\xE9"
         "finie"},
        {"aucune_fonction", sans_fonction, "", "Uoxy", "1", "1/7", Genre::trazel,
         "La figure ne d\xE9"
         "finit aucune fonction"},
        {"fonction_inconnue", figure_complete, "k", "Uoxy", "1", "1/7", Genre::trazel,
         "La fonction \xAB k \xBB n'est pas d\xE9"
         "finie"},
        {"abscisse_vide", figure_complete, "f", "Uoxy", "", "1/7", Genre::formule,
         "Abscisse du point de tangence : Expression vide"},
        {"abscisse_blanche", figure_complete, "f", "Uoxy", "  ", "1/7", Genre::formule,
         "Abscisse du point de tangence : Expression vide"},
        {"abscisse_fausse", figure_complete, "f", "Uoxy", "1+", "1/7", Genre::formule,
         "Abscisse du point de tangence : Error in formula."},
        {"abscisse_infinie", figure_complete, "f", "Uoxy", "1/0", "1/7", Genre::calcul,
         "Division par z\xE9ro"},
        {"chevrons_vides", figure_complete, "f", "Uoxy", "1", "", Genre::formule,
         "Longueur des chevrons : Expression vide"},
        {"chevrons_faux", figure_complete, "f", "Uoxy", "1", "1)+(2", Genre::formule,
         "Longueur des chevrons : Error in formula."},
        {"hors_du_domaine", ln, "h", "Uoxy", "0", "1/7", Genre::calcul,
         "Division par z\xE9ro (logarithme de z\xE9ro)"},
        {"domaine_d_un_seul_cote", racine, "q", "Uoxy", "0", "1/7", Genre::calcul,
         "Op\xE9ration en virgule flottante invalide (racine carr\xE9"
         "e d'un nombre n\xE9gatif)"},
        {"saut", saut, "e", "Uoxy", "1", "1/7", Genre::trazel,
         "La fonction \xAB e \xBB n'a pas de nombre d\xE9riv\xE9 \xE0 gauche en 1"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        try {
            ConstruireTangente(c.figure, c.fonction, c.unite, "Roxy", c.abscisse, c.chevrons);
            ADD_FAILURE() << "aucune exception";
        } catch (const Erreur_trazel& erreur) {
            const std::type_info& attendu = c.genre == Genre::formule  ? typeid(Erreur_formule)
                                            : c.genre == Genre::calcul ? typeid(Erreur_calcul)
                                                                       : typeid(Erreur_trazel);
            EXPECT_EQ(typeid(erreur), attendu) << typeid(erreur).name();
            EXPECT_STREQ(erreur.what(), c.message);
        }
    }
}

TEST(ListesTangente, noms_dans_l_ordre_de_la_figure)
{
    const TListes_tangente listes = ListesTangente(figure_complete);
    EXPECT_EQ(listes.fonctions, (std::vector<std::string>{"f", "g"}));
    EXPECT_EQ(listes.unites, (std::vector<std::string>{"Uoxy", "U"}));
    EXPECT_EQ(listes.reperes, (std::vector<std::string>{"Roxy", "R"}));
    const TListes_tangente vide = ListesTangente(essais::Texte_figure({}));
    EXPECT_TRUE(vide.fonctions.empty());
    EXPECT_EQ(vide.unites, std::vector<std::string>{"Uoxy"});
}

TEST(NomUnique, premier_nom_libre)
{
    struct Cas {
        const char* nom;
        std::vector<std::string> existants;
        const char* attendu;
    };
    const Cas cas[] = {
        {"liste_vide", {}, "n"},
        {"base_prise", {"n"}, "n1"},
        {"suite_prise", {"n", "n1", "n2"}, "n3"},
        {"trou", {"n", "n2"}, "n1"},
        {"seulement_la_suite", {"n1"}, "n"},
        {"casse_differente", {"N"}, "n"},
        {"prefixe_n_est_pas_le_nom", {"nn", "n1x"}, "n"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        TFigure figure;
        for (const std::string& nom : c.existants)
            figure.liste_points.push_back(figure.Nouveau<Tpoint>({.nom = nom}));
        EXPECT_EQ(NomUnique(figure, figure.liste_points, "n"), c.attendu);
        ASSERT_EQ(figure.liste_points.size(), c.existants.size() + 1);
        EXPECT_EQ(figure.liste_points.back()->nom, c.attendu);
    }
}

// Regression: the slopes went through 15-digit texts and steps down to 1e-14, and came out
// wrong from about the sixth digit (x^2 at 1 gave two different slopes).
TEST(DeriveesLaterales, exactes_a_douze_chiffres)
{
    struct Cas {
        const char* nom;
        const char* corps;
        Reel x0;
        std::function<Reel(Reel)> derivee;
    };
    const Cas cas[] = {
        {"carre_en_1", "x^2", 1, [](Reel x) { return 2 * x; }},
        {"carre_en_moins_0_3", "x^2", -0.3L, [](Reel x) { return 2 * x; }},
        {"cube_moins_2x", "x^3-2x", 0.3L, [](Reel x) { return 3 * x * x - 2; }},
        {"sinus_en_0_7", "sin(x)", 0.7L, [](Reel x) { return std::cos(x); }},
        {"sinus_en_2", "sin(x)", 2, [](Reel x) { return std::cos(x); }},
        {"sinus_rapide", "sin(10x)", -1.2L, [](Reel x) { return 10 * std::cos(10 * x); }},
        {"exp_en_0", "exp(x)", 0, [](Reel x) { return std::exp(x); }},
        {"exp_en_1_5", "exp(x)", 1.5L, [](Reel x) { return std::exp(x); }},
        {"exp_en_moins_3", "exp(x)", -3, [](Reel x) { return std::exp(x); }},
        {"inverse_en_0_1", "1/x", 0.1L, [](Reel x) { return -1 / (x * x); }},
        {"racine_pres_du_bord", "sqrt(x)", 0.01L, [](Reel x) { return 0.5L / std::sqrt(x); }},
        {"ln_pres_du_bord", "ln(x)", 0.01L, [](Reel x) { return 1 / x; }},
        {"grande_abscisse", "x^2", 1e6L, [](Reel x) { return 2 * x; }},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        TForm2 form2;
        form2.separateur_decimal('.');
        form2.Ajouter_fonction("f", c.corps, {}, 1, "x");
        const std::size_t variables = form2.Liste_variables.size();
        const TDerivees m = DeriveesLaterales(form2, {}, "f", c.x0);
        const Reel exacte = c.derivee(c.x0);
        const Reel tolerance = 1e-12L * std::max(Reel{1}, std::fabs(exacte));
        EXPECT_TRUE(Proches(exacte, m.gauche, tolerance));
        EXPECT_TRUE(Proches(exacte, m.droite, tolerance));
        EXPECT_LT(std::fabs(m.gauche - m.droite), 1e-11L);
        EXPECT_EQ(form2.Liste_variables.size(), variables); // the abscissa variable is gone
    }
}

// A corner keeps its two slopes; the variable name of the figure does not disturb the
// abscissa's (the evaluator ignores case: T or t1 would otherwise stand for it).
TEST(DeriveesLaterales, point_anguleux_et_variables_de_la_figure)
{
    TForm2 form2;
    form2.Ajouter_variable("T", 5);
    form2.Ajouter_variable("t1", 7);
    form2.Ajouter_fonction("g", "abs(x-1)+1", {}, 1, "x");
    const TDerivees m = DeriveesLaterales(form2, {}, "g", 1);
    EXPECT_EQ(m.droite, 1);
    EXPECT_EQ(m.gauche, -1);
    EXPECT_EQ(form2.Liste_variables.back().nom, "t1");
}

// The lines sent to the editor must read back: appended to the figure, no line is skipped
// and the objects are where the construction puts them.
TEST(ConstruireTangente, lignes_relues_par_le_lecteur)
{
    struct Cas {
        const char* nom;
        const char* fonction;
        const char* abscisse;
        const char* chevrons;
        Reel x, y;      // the point of tangency
        Reel md, mg, l; // the slopes and the parameter of n1
    };
    const Cas cas[] = {
        {"carre", "f", "1", "1/7", 1, 1, 2, 2, 1},
        {"point_anguleux", "g", "1", "1/7", 1, 1, 1, -1, 1},
        {"chevrons_nuls", "f", "-0.5", "0", -0.5L, 0.25L, -1, -1, 1},
        {"distance", "f", "AB/4", "AB/7", 0.5L, 0.25L, 1, 1, 2},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        std::string texte = figure_complete;
        const std::string construction =
            ConstruireTangente(figure_complete, c.fonction, "Uoxy", "Roxy", c.abscisse, c.chevrons);
        std::string lignes;
        for (const std::string& ligne : Lignes(construction))
            lignes += ligne + "\r\n";
        texte.insert(texte.find("\r\nCommentaire"), lignes);
        TForm2 form2;
        form2.separateur_decimal('.');
        TFigure figure;
        std::vector<TLigne_ignoree> ignorees;
        Lire_texte_figure(texte, "tangente.fgr", figure, form2, &ignorees);
        for (const TLigne_ignoree& ligne : ignorees)
            ADD_FAILURE() << ligne.numero << " : " << ligne.texte << " (" << ligne.raison << ")";
        const Tpoint& n = Point_du_nom(figure.liste_points, "n");
        EXPECT_TRUE(Proches(c.x, n.x, 1e-15L));
        EXPECT_TRUE(Proches(c.y, n.y, 1e-15L));
        EXPECT_FALSE(n.dessine);
        // The ends of the half-tangents: n1 at l times (1, md) from n, n2 at -l times (1, mg).
        const Tpoint& n1 = Point_du_nom(figure.liste_points, "n1");
        const Tpoint& n2 = Point_du_nom(figure.liste_points, "n2");
        EXPECT_TRUE(essais::Points_proches({c.x + c.l, c.y + c.l * c.md}, {n1.x, n1.y}, 1e-15L));
        EXPECT_TRUE(essais::Points_proches({c.x - c.l, c.y - c.l * c.mg}, {n2.x, n2.y}, 1e-15L));
        EXPECT_EQ(figure.liste_segments.size(), 6u);
    }
}
