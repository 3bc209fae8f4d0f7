#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "calc/noms.h"
#include "calc/resolveur.h"
#include "dossier_temporaire.h"
#include "latex/courbes.h"
#include "latex/ecriture.h"
#include "latex/sortie_attendue.h"
#include "lecture/transcription.h"
#include "model/erreurs.h"
#include "model/texte_figure.h"
#include "proches.h"

using namespace trazel;
using essais::Lignes;
using essais::Points_proches;
using essais::Proches;

namespace {

const TCadre_image& defaut = essais::fenetre_par_defaut;
constexpr Reel pi = 3.14159265358979323846264338327950288L;

// A figure read from its text, with the calculation context the curves need.
struct Figure_lue {
    TForm2 form2;
    TFigure figure;
    TContexte_calcul contexte{figure, form2};
    TEtape* premiere = nullptr;

    explicit Figure_lue(const std::vector<std::string>& lignes)
    {
        std::string objets;
        for (const std::string& l : lignes)
            objets += (objets.empty() ? "" : "\r\n") + l;
        form2.separateur_decimal('.');
        premiere = Lire_texte_figure(essais::Texte_figure({objets}), "courbes.fgr", figure, form2);
    }
    Tpoint& Point(std::string_view nom) const { return Point_du_nom(figure.liste_points, nom); }
    TEchantillons Lieu(std::string_view trace, std::string_view pilote, long n)
    {
        const Tpoint* p = Chercher_point(figure.liste_points, pilote);
        return Echantillons_lieu(premiere, Point(trace), {p, pilote, p != nullptr}, n, contexte);
    }
    TEchantillons Graphe(long n, Reel debut, Reel fin, std::string_view repere = "Roxy")
    {
        return Echantillons_graphe("f", *Repere_du_nom(figure, repere), n, fin, debut, contexte);
    }
    std::string Fichier_du_graphe(const std::string& fonction, long n, Reel debut, Reel fin)
    {
        TEchantillons e =
            Echantillons_graphe(fonction, *Repere_du_nom(figure, "Roxy"), n, fin, debut, contexte);
        Marquer_bascules(e, defaut);
        return essais::Texte_du_fichier(e, 1);
    }
    std::string Image()
    {
        std::string sortie;
        Ecrire_figure(premiere, {}, contexte, sortie);
        return sortie;
    }
};

// A(-4, -3), B(4, -3), O(-2, 2), M on [AB] at 0.3, I the midpoint of [MO]; then `autres`.
std::vector<std::string> Base_lieu(const std::vector<std::string>& autres = {})
{
    std::vector<std::string> lignes = {"A point libre",
                                       "  Objet libre A, param\xE8tres: -4, -3",
                                       "B point libre",
                                       "  Objet libre B, param\xE8tres: 4, -3",
                                       "O point libre",
                                       "  Objet libre O, param\xE8tres: -2, 2",
                                       "Segment [AB]",
                                       "M point libre sur le segment [AB]",
                                       "  Objet libre M, param\xE8tre: 0.3",
                                       "I milieu du segment [MO]"};
    lignes.insert(lignes.end(), autres.begin(), autres.end());
    return lignes;
}

// The message of the exception of type E that `action` raises.
template <class E = Erreur_trazel> std::string Message(const std::function<void()>& action)
{
    try {
        action();
    } catch (const E& e) {
        return e.what();
    }
    return "(accept\xE9)";
}

std::string Courbe_ecrite(std::string_view temporaire, const TCourbe& courbe)
{
    TFichier_temporaire fichier;
    fichier.Reecrire(temporaire);
    std::string sortie;
    Ecrire_courbe(courbe, fichier, sortie);
    return sortie;
}

const std::string donnees = "\\savedata{\\macourbe}[";
const std::string trace_bleu = "\\dataplot[plotstyle=ecurve,linewidth=1pt,showpoints=false, "
                               "linecolor=blue, linestyle=dashed]{\\macourbe}";
const std::string q_de_k = "Q point de coordonn\xE9"
                           "es (k,1) dans le rep\xE8re Roxy";

} // namespace

TEST(TFichier_temporaire, reecrire_remplace_tout_le_contenu)
{
    TFichier_temporaire fichier;
    fichier.Reecrire("(1, 2) (3, 4) (5, 6) \n(7, 8) ");
    fichier.Reecrire("(9, 9) ");
    EXPECT_EQ(fichier.Relire(), "(9, 9) ");
    EXPECT_EQ(fichier.Relire(), "(9, 9) ");
}

namespace {
class Fichier_temporaire_des_courbes : public essais::Dossier_temporaire {};
} // namespace

TEST_F(Fichier_temporaire_des_courbes, rien_dans_le_dossier_courant)
{
    const std::filesystem::path avant = std::filesystem::current_path();
    std::filesystem::current_path(dossier_);
    Figure_lue f(Base_lieu({"L lieu du point I selon M (30 points)", "f fonction x|->x",
                            "Cf graphe de f sur [-2, 2] dans le rep\xE8re Roxy (20 points)"}));
    const std::string image = f.Image();
    std::filesystem::current_path(avant);
    EXPECT_NE(image.find("% Courbe L\r\n\\savedata"), std::string::npos);
    EXPECT_NE(image.find("% Courbe Cf\r\n\\savedata"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(dossier_));
}

TEST(Marquer_bascules, l_etat_part_de_dedans_et_un_indefini_est_dehors)
{
    TEchantillons e = {{0, 0}, {9, 0}, {10, 0}, {1, 1}, {.x = 2, .defini = false}, {2, 2}};
    Marquer_bascules(e, defaut);
    const bool attendu[] = {false, true, false, true, true, true};
    for (std::size_t i = 0; i < e.size(); ++i)
        EXPECT_EQ(e[i].bascule, attendu[i]) << i;
}

TEST(Ecrire_courbe, une_serie_de_donnees_par_passage_visible)
{
    struct Cas {
        const char* nom;
        std::string temporaire;
        std::string attendu;
    };
    const Cas cas[] = {
        {"entierement_dedans",
         "(-3, -1.5) \n(-2, -1) (-1, -0.5) (0, 0) (1, 0.5) (2, 1) \n(3, 1.5) ",
         Lignes({"% Courbe C", donnees, "{{-3, -1.5}, ",
                 "{-2, -1}, {-1, -0.5}, {0, 0}, {1, 0.5}, {2, 1}, ", "{3, 1.5}}]", trace_bleu})},
        // Nothing starts before the re-entry, whose data set opens on the last point outside.
        {"premier_echantillon_dehors",
         " HC (-6, -6) \n HC (-4, -4) (-2, -2) (0, 0) (2, 2) (4, 4) \n HC (6, 6) ",
         Lignes({"% Courbe C", donnees, "{{-6, -6}, {-4, -4}, {-2, -2}, {0, 0}, {2, 2}, {4, 4}, ",
                 "{6, 6}}]", trace_bleu})},
        {"entierement_dehors", " HC (9, 9) (10, 10) \n(11, 11) ", Lignes({"% Courbe C"})},
        // An undefined sample ends a run without a point and starts the next one bare.
        {"coupee_par_une_valeur_non_definie",
         "(-2, -0.5) (-1, -1)  HC (0, ND)  HC (1, 1) (2, 0.5) \n",
         Lignes({"% Courbe C", donnees, "{{-2, -0.5}, {-1, -1}}]", trace_bleu, donnees,
                 "{{1, 1}, {2, 0.5}}]", trace_bleu})},
        {"valeur_non_definie_en_debut_de_ligne", "(1, 1) \n(2, 2) (3, 3) \n HC (4, ND)  HC (5, 5) ",
         Lignes({"% Courbe C", donnees, "{{1, 1}, ", "{2, 2}, {3, 3}, ", "}]", trace_bleu, donnees,
                 "{{5, 5}}]", trace_bleu})},
        {"neuf_decimales", "(0.123456789012345, -1.23456789123) (12, 3.5) ",
         Lignes({"% Courbe C", donnees, "{{0.123456789, -1.234567891}, {12, 3.5}}]", trace_bleu})},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(Courbe_ecrite(c.temporaire, {.nom = "C", .couleur = "blue", .style = "dashed"}),
                  c.attendu);
    }
}

TEST(Ecrire_courbe, trace_selon_les_attributs)
{
    EXPECT_EQ(Courbe_ecrite("(1, 2) ", {.nom = "P", .points_lies = false, .couleur = "red"}),
              Lignes({"% Courbe P", donnees, "{{1, 2}}]",
                      "\\dataplot[plotstyle=dots, dotscale=0.5,showpoints=false, linecolor=red, "
                      "linestyle=solid]{\\macourbe}"}));
    EXPECT_EQ(Courbe_ecrite("(1, 2) ", {.nom = "H", .dessinee = false}), "");
}

TEST(Echantillons_graphe, echantillons_du_fichier_temporaire)
{
    Figure_lue f({"f fonction x|->x/2", "g fonction x|->1/x"});
    // One sample on the first line, then five per line, one step beyond each end.
    EXPECT_EQ(f.Fichier_du_graphe("f", 3, -2, 2),
              "(-3, -1.5) \n(-2, -1) (-1, -0.5) (0, 0) (1, 0.5) (2, 1) \n(3, 1.5) ");
    EXPECT_EQ(f.Fichier_du_graphe("g", 3, -2, 2),
              "(-3, -0.333333333333333) \n(-2, -0.5) (-1, -1)  HC (0, ND)  HC (1, 1) (2, 0.5) "
              "\n(3, 0.333333333333333) ");
}

TEST(Echantillons_graphe, nombre_d_intervalles)
{
    Figure_lue f({"f fonction x|->x"});
    struct Cas {
        long n;
        long intervalles;
    };
    for (const Cas c : {Cas{987, 10001}, Cas{986, 987}, Cas{0, 1}}) {
        SCOPED_TRACE(c.n);
        const TEchantillons e = f.Graphe(c.n, -3, 3);
        ASSERT_EQ(static_cast<long>(e.size()), c.intervalles + 3);
        const Reel pas = 6 / static_cast<Reel>(c.intervalles);
        EXPECT_TRUE(Proches(-3 - pas, e.front().x, 1e-17L));
        EXPECT_TRUE(Proches(3 + pas, e.back().x, 1e-15L));
        const std::string texte = f.Fichier_du_graphe("f", c.n, -3, 3);
        EXPECT_EQ(texte.find('\n'), texte.find(") ") + 2);
        EXPECT_EQ(std::count(texte.begin(), texte.end(), '\n'), 1 + (c.intervalles + 2) / 5);
    }
}

TEST(Echantillons_graphe, dans_le_repere_avec_les_variables_de_la_figure)
{
    struct Cas {
        const char* nom;
        std::vector<std::string> lignes;
    };
    // Each body comes to x^2 with the figure's values.
    const Cas cas[] = {
        {"sans_variable", {"f fonction x|->x^2"}},
        {"t_pris", {"t = 5", "f fonction x|->x^2+t-5"}},
        // Regression: the graph's "t" stood for the figure's "T" in the function's body.
        {"T_pris", {"T = 5", "f fonction x|->x^2+T-5"}},
        {"t_et_X1_pris", {"t = 5", "X1 = 7", "f fonction x|->x^2+t+X1-12"}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        std::vector<std::string> lignes = {"A point libre",
                                           "  Objet libre A, param\xE8tres: 1, 1",
                                           "B point libre",
                                           "  Objet libre B, param\xE8tres: 2, 1",
                                           "C point libre",
                                           "  Objet libre C, param\xE8tres: 1, 3",
                                           "R rep\xE8re (A, vec(AB), vec(AC)) graduations (1, 1)"};
        lignes.insert(lignes.end(), c.lignes.begin(), c.lignes.end());
        Figure_lue f(lignes);
        const TListe_variables::size_type variables = f.form2.Liste_variables.size();
        const TEchantillons e = f.Graphe(3, -2, 2, "R");
        ASSERT_EQ(e.size(), 7u);
        for (int k = 0; k < 7; ++k) {
            const Reel x = k - 3; // (x, x^2) in the frame of origin A and vectors (1, 0), (0, 2)
            EXPECT_TRUE(Points_proches({1 + x, 1 + 2 * x * x}, {e[k].x, e[k].y})) << k;
        }
        EXPECT_EQ(f.form2.Liste_variables.size(), variables);
    }
}

TEST(Echantillons_lieu, point_sur_un_segment_avec_50_points)
{
    Figure_lue f(Base_lieu());
    const TEchantillons e = f.Lieu("I", "M", 50);
    ASSERT_EQ(e.size(), 52u);
    for (std::size_t k = 0; k < e.size(); ++k) {
        // M runs from 1/49 before A to 1/49 beyond B; I is the midpoint of [MO].
        const Reel t = (static_cast<Reel>(k) - 1) / 49;
        EXPECT_TRUE(Points_proches({(-4 + 8 * t - 2) / 2, -0.5L}, {e[k].x, e[k].y}, 1e-17L)) << k;
    }
}

// A frame named after two points follows them from sample to sample: S = M + 2 (B - M) in
// the frame MB, so the locus of S is M's segment reflected through B.
TEST(Echantillons_lieu, repere_nomme_par_deux_points_qui_bougent)
{
    Figure_lue f(Base_lieu({"C point libre", "  Objet libre C, param\xE8tres: 4, 1",
                            "S point d'abscisse 2 dans le rep\xE8re MC"}));
    const TEchantillons e = f.Lieu("S", "M", 10);
    ASSERT_EQ(e.size(), 12u);
    for (std::size_t k = 0; k < e.size(); ++k) {
        const Reel t = (static_cast<Reel>(k) - 1) / 9;
        const Reel mx = -4 + 8 * t;
        EXPECT_TRUE(Points_proches({2 * 4 - mx, 2 * 1 - -3.0L}, {e[k].x, e[k].y}, 1e-17L)) << k;
    }
}

TEST(Echantillons_lieu, selon_chaque_element_pilote)
{
    const auto abscisses = [](std::initializer_list<Reel> xs) {
        std::vector<Tcoordonnees> points;
        for (const Reel x : xs)
            points.push_back({x, 1});
        return points;
    };
    std::vector<Tcoordonnees> sur_le_cercle; // angles from -2pi/3 to 2pi + 2pi/3
    for (int k = 0; k < 6; ++k)
        sur_le_cercle.push_back({-2 + 1.5L * std::cos((k - 1) * 2 * pi / 3),
                                 2 + 1.5L * std::sin((k - 1) * 2 * pi / 3)});
    // The arc from A about O ends on the radius towards B.
    const Reel oa = std::sqrt(29.0L), ob = std::sqrt(61.0L);
    struct Cas {
        const char* nom;
        std::vector<std::string> lignes;
        const char* trace;
        const char* pilote;
        long n;
        std::vector<Tcoordonnees> attendus;
    };
    const Cas cas[] = {
        {"point_sur_un_cercle",
         {"c cercle de centre O et de rayon 1.5 (unit\xE9 Uoxy)", "P point libre sur le cercle c",
          "  Objet libre P, param\xE8tre: 1"},
         "P",
         "P",
         4,
         sur_le_cercle},
        {"point_sur_un_arc",
         {"a arc d'origine A et d'extr\xE9mit\xE9 B sur un cercle de centre O",
          "P point libre sur l'arc a", "  Objet libre P, param\xE8tre: 0.5"},
         "P",
         "P",
         2,
         {{-4, -3}, {-2 + 6 * oa / ob, 2 - 5 * oa / ob}}},
        {"variable_reelle",
         {"k r\xE9"
          "el libre entre -3 et 3 valeur 1",
          q_de_k},
         "Q",
         "k",
         4,
         abscisses({-5, -3, -1, 1, 3, 5})},
        {"variable_entiere_croissante",
         {"k entier libre entre 0.5 et 4 valeur 2", q_de_k},
         "Q",
         "k",
         4,
         abscisses({1, 2, 3, 4})},
        // From the ceiling of the first value, in whole steps of floor(-3.5 / 3) = -2.
        {"variable_entiere_decroissante",
         {"k entier libre entre 3.5 et 0 valeur 2", q_de_k},
         "Q",
         "k",
         4,
         abscisses({4, 2, 0})},
        {"variable_entiere_pas_au_moins_1",
         {"k entier libre entre 0 et 3 valeur 2", q_de_k},
         "Q",
         "k",
         10,
         abscisses({0, 1, 2, 3})},
        // Regression: the step of a function whose parameter is "k" was taken for the variable.
        {"fonction_de_parametre_homonyme",
         {"f fonction k|->k^2",
          "k r\xE9"
          "el libre entre -1 et 1 valeur 0",
          "Q point de coordonn\xE9"
          "es (k,f(k)) dans le rep\xE8re Roxy"},
         "Q",
         "k",
         3,
         {{-2, 4}, {-1, 1}, {0, 0}, {1, 1}, {2, 4}}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Figure_lue f(Base_lieu(c.lignes));
        const TEchantillons e = f.Lieu(c.trace, c.pilote, c.n);
        ASSERT_EQ(e.size(), c.attendus.size());
        for (std::size_t k = 0; k < e.size(); ++k)
            EXPECT_TRUE(Points_proches(c.attendus[k], {e[k].x, e[k].y}, 1e-17L)) << k;
    }
}

TEST(Echantillons_lieu, la_figure_reste_la_meme)
{
    Figure_lue f(Base_lieu({"G centre de gravit\xE9 du triangle MBO",
                            "  Objet dessinable G, particularit\xE9s: non dessin\xE9",
                            "k r\xE9"
                            "el libre entre 0 et 2 valeur 0.25",
                            q_de_k}));
    std::vector<Tpoint> avant;
    for (const Tpoint* p : f.figure.liste_points)
        avant.push_back(*p);
    const TListe_variables variables = f.form2.Liste_variables;
    f.Lieu("G", "M", 20);
    f.Lieu("Q", "k", 20);
    for (std::size_t i = 0; i < avant.size(); ++i) {
        const Tpoint& p = *f.figure.liste_points[i];
        SCOPED_TRACE(p.nom);
        EXPECT_TRUE(Points_proches({avant[i].x, avant[i].y}, {p.x, p.y}));
        // Regression: replaying a triangle centre showed a centre the figure hides.
        EXPECT_EQ(p.dessine, avant[i].dessine);
    }
    ASSERT_EQ(f.form2.Liste_variables.size(), variables.size());
    for (std::size_t i = 0; i < variables.size(); ++i)
        EXPECT_EQ(f.form2.Liste_variables[i].valeur, variables[i].valeur) << variables[i].nom;
}

// A prepared replay leaves every point and variable as a plain replay does, sample after
// sample, bit for bit: with a function of fixed body, one with a distance (given again at
// every replay), one defined again after the chain, measures, and a sample that faults.
TEST(TRejeu, comme_le_rejeu_de_chaque_etape)
{
    const std::vector<std::string> lignes = {
        "OA point libre",
        "  Objet libre OA, param\xE8tres: -1, 2",
        "OB point libre",
        "  Objet libre OB, param\xE8tres: 3, 1",
        "cA cercle de centre OA et de rayon 1.5 (unit\xE9 Uoxy)",
        "MA point libre sur le cercle cA",
        "  Objet libre MA, param\xE8tre: 0.5",
        "xa abscisse de MA dans le rep\xE8re Roxy",
        "ka fonction t|->t^2",
        "ra fonction t|->1+sin(3t)^2/2",
        "da fonction t|->t+OBMA/2",
        "RA image de MA par la rotation de centre OA et d'angle 40xa+15 degr\xE9",
        "HA image de RA par l'homoth\xE9tie de centre OA et de rapport ra(xa)/2+da(0.5)",
        "ua abscisse de HA dans le rep\xE8re Roxy",
        "va ordonn\xE9"
        "e de HA dans le rep\xE8re Roxy",
        "PA point de coordonn\xE9"
        "es (ka(ua),va/int(xa+1.5)) dans le rep\xE8re Roxy",
        "ka fonction t|->t-1",
    };
    Figure_lue simple(lignes), prepare(lignes);
    const auto chaine = [](Figure_lue& f) {
        return std::pair{Chercher_etape_par_objet(f.premiere, &f.Point("MA")),
                         Chercher_etape_par_objet(f.premiere, &f.Point("PA"))};
    };
    const auto [pilote_simple, trace_simple] = chaine(simple);
    const auto [pilote_prepare, trace_prepare] = chaine(prepare);
    TRejeu rejeu(prepare.premiere, pilote_prepare, trace_prepare);
    Reel& t_simple = *Donnee<Reel>(Argument(pilote_simple, 2));
    Reel& t_prepare = *Donnee<Reel>(Argument(pilote_prepare, 2));
    const auto memes_bits = [](Reel a, Reel b) { return std::memcmp(&a, &b, 10) == 0; };
    int fautes = 0;
    for (int k = 0; k <= 400; ++k) {
        // A whole turn: va/int(xa+1.5) divides by zero on part of it.
        t_simple = t_prepare = static_cast<Reel>(k) * 2 * pi / 400;
        std::string faute_simple, faute_prepare;
        try {
            Recalculer_etapes(pilote_simple, trace_simple, simple.contexte);
        } catch (const Erreur_calcul& e) {
            faute_simple = e.what();
        }
        try {
            rejeu.Rejouer(prepare.contexte);
        } catch (const Erreur_calcul& e) {
            faute_prepare = e.what();
        }
        SCOPED_TRACE("k = " + std::to_string(k));
        ASSERT_EQ(faute_prepare, faute_simple);
        fautes += !faute_simple.empty();
        for (std::size_t i = 0; i < simple.figure.liste_points.size(); ++i) {
            const Tpoint& a = *simple.figure.liste_points[i];
            const Tpoint& b = *prepare.figure.liste_points[i];
            ASSERT_TRUE(memes_bits(a.x, b.x) && memes_bits(a.y, b.y)) << a.nom;
        }
        ASSERT_EQ(simple.form2.Liste_variables.size(), prepare.form2.Liste_variables.size());
        for (std::size_t i = 0; i < simple.form2.Liste_variables.size(); ++i)
            ASSERT_TRUE(memes_bits(simple.form2.Liste_variables[i].valeur,
                                   prepare.form2.Liste_variables[i].valeur))
                << simple.form2.Liste_variables[i].nom;
    }
    EXPECT_GT(fautes, 0);
    EXPECT_LT(fautes, 400);
}

TEST(Echantillons_lieu, refus)
{
    const std::string seuls =
        " : seuls une variable r\xE9"
        "elle ou enti\xE8re libre entre deux valeurs, ou un point "
        "libre sur un segment, un cercle ou un arc, peuvent faire varier un lieu";
    const std::string i_m = "lieu du point \xAB I \xBB selon \xAB M \xBB : ";
    const std::string q_k = "lieu du point \xAB Q \xBB selon \xAB k \xBB : ";
    struct Cas {
        const char* nom;
        std::vector<std::string> lignes;
        const char* trace;
        const char* pilote;
        long n;
        std::string message;
    };
    const Cas cas[] = {
        {"point_libre", {}, "I", "O", 10, "lieu du point \xAB I \xBB selon \xAB O \xBB" + seuls},
        {"variable_sans_bornes",
         {"k r\xE9"
          "el libre",
          "  Objet libre k, param\xE8tre: 0.5", q_de_k},
         "Q",
         "k",
         10,
         "lieu du point \xAB Q \xBB selon \xAB k \xBB" + seuls},
        {"pilote_inconnu",
         {},
         "I",
         "z",
         10,
         "lieu du point \xAB I \xBB selon \xAB z \xBB : \xAB z \xBB n'est d\xE9"
         "fini par aucune "
         "construction"},
        {"un_seul_point", {}, "I", "M", 1, i_m + "il faut au moins 2 points, pas 1"},
        {"trop_de_points",
         {},
         "I",
         "M",
         999999,
         i_m + "1000001 \xE9"
               "chantillons, une courbe en a au plus 1000000"},
        {"bornes_entieres_egales",
         {"k entier libre entre 2 et 2 valeur 2", q_de_k},
         "Q",
         "k",
         5,
         q_k + "la variable enti\xE8re a la m\xEAme valeur de d\xE9"
               "but et de fin (2)"},
        {"aucune_valeur_entiere",
         {"k entier libre entre 0.2 et 0.7 valeur 0", q_de_k},
         "Q",
         "k",
         5,
         q_k + "aucune valeur enti\xE8re entre 0.2 et 0.7"},
        {"trop_de_valeurs_entieres",
         {"k entier libre entre 0 et 2000000 valeur 0", q_de_k},
         "Q",
         "k",
         1000000,
         q_k + "plus de 1000000 valeurs enti\xE8res entre 0 et 2000000, une courbe a au plus "
               "autant d'\xE9"
               "chantillons"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Figure_lue f(Base_lieu(c.lignes));
        EXPECT_EQ(Message([&] { f.Lieu(c.trace, c.pilote, c.n); }), c.message);
    }
    Figure_lue f(Base_lieu());
    const Tpoint seul{.nom = "Z"};
    EXPECT_EQ(Message([&] {
                  Echantillons_lieu(f.premiere, seul, {&f.Point("M"), "M", true}, 10, f.contexte);
              }),
              "lieu du point \xAB Z \xBB selon \xAB M \xBB : le point trac\xE9 n'est d\xE9"
              "fini "
              "par aucune construction");
}

TEST(Echantillons_graphe, refus)
{
    Figure_lue f(
        {"f fonction x|->x", "Cf graphe de f sur [-2, 2] dans le rep\xE8re Roxy (10^9 points)"});
    const std::string sujet = "graphe de la fonction \xAB f \xBB : ";
    EXPECT_EQ(Message([&] { f.Graphe(-1, -3, 3); }),
              sujet + "le nombre de points ne peut pas \xEAtre n\xE9gatif (-1)");
    EXPECT_EQ(Message([&] { f.Graphe(999997, -3, 3); }),
              sujet + "1000001 \xE9"
                      "chantillons, une courbe en a au plus 1000000");
    EXPECT_EQ(Message([&] { f.Image(); }), "le nombre de points \xAB 10^9 \xBB vaut 1000000000 : "
                                           "une courbe en a au plus 1000000");
    // An unknown function would otherwise give a curve of undefined samples only.
    EXPECT_EQ(Message<Erreur_formule>([&] { f.Fichier_du_graphe("h", 3, -3, 3); }),
              "graphe de la fonction \xAB h \xBB impossible : \xAB h* \xBB ne d\xE9signe ni une "
              "variable, ni une fonction, ni deux points de la figure");
}

TEST(Ecrire_figure, courbes_a_la_place_de_leur_etape)
{
    // 3.9 points are truncated to 3: four intervals of 1 over [-2, 2].
    Figure_lue f({"f fonction x|->x/2",
                  "Cf graphe de f sur [-2, 2] dans le rep\xE8re Roxy (3.9 points)",
                  "  Objet dessinable Cf, particularit\xE9s: bleu, tiret\xE9", "A point libre",
                  "  Objet libre A, param\xE8tres: 1, 2"});
    const std::string image = f.Image();
    const std::string point_a = "% Point A";
    EXPECT_EQ(
        image.substr(image.find("% Courbe"), image.find(point_a) - image.find("% Courbe")),
        Lignes({"% Courbe Cf", donnees, "{{-3, -1.5}, ",
                "{-2, -1}, {-1, -0.5}, {0, 0}, {1, 0.5}, {2, 1}, ", "{3, 1.5}}]", trace_bleu}));
}
