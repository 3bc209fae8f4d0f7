#include <gtest/gtest.h>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

#include "latex/ecriture.h"
#include "latex/points.h"
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

namespace {

// Whole lines, each ended by CR LF.
std::string Texte(std::initializer_list<std::string_view> lignes)
{
    std::string texte;
    for (const std::string_view ligne : lignes)
        texte.append(ligne).append("\r\n");
    return texte;
}

const TCadre_image defaut{.xmin = -7.622951L, .ymin = -5, .xmax = 7.622951L, .ymax = 5};

std::string Marque(int n, std::string_view position, std::string_view couleur)
{
    const std::string c(couleur);
    return Texte({"% Point " + std::to_string(n), "\\pscircle*[fillcolor=" + c + ", linecolor=" +
                                                      c + "](" + std::string(position) + "){1pt}"});
}

std::string Marque_cachee(int n)
{
    return Texte({"% Point" + std::to_string(n) +
                  " Marque Non affich\xE9"
                  "e"});
}

} // namespace

TEST(Ecrire_repere, deux_axes_gradues_dans_le_trait_du_repere)
{
    Tpoint origine{.nom = "O", .x = 1, .y = 1};
    Tvecteur v1{.nom = "u", .x = 2, .y = 0};
    Tvecteur v2{.nom = "v", .x = 0, .y = 3};
    const Trepere repere{.nom = "R",
                         .origine = &origine,
                         .vecteur1 = &v1,
                         .vecteur2 = &v2,
                         .pas1 = 1,
                         .pas2 = 0.5L,
                         .couleur = "blue",
                         .style = "dashed",
                         .dessine = true};
    std::string sortie;
    Ecrire_repere(repere, defaut, sortie);

    const std::string trace = "\\psline[linewidth=1pt, linecolor=blue, linestyle=dashed]";
    std::string attendu = Texte({"% Trac\xE9 du rep\xE8re R", "% Droite Axe1",
                                 trace + "(-7.622951, 1)(7.622951, 1)", "% Graduations Axe1"});
    attendu += Marque(1, "3, 1", "blue") + Marque(2, "5, 1", "blue") + Marque(3, "7, 1", "blue") +
               Marque_cachee(4);
    attendu += Marque(-1, "-1, 1", "blue") + Marque(-2, "-3, 1", "blue") +
               Marque(-3, "-5, 1", "blue") + Marque(-4, "-7, 1", "blue") + Marque_cachee(-5);
    attendu += Texte({"% Droite Axe2", trace + "(1, -5)(1, 5)", "% Graduations Axe2"});
    attendu += Marque(1, "1, 2.5", "blue") + Marque(2, "1, 4", "blue") + Marque_cachee(3);
    // The mark on the bottom edge is hidden but still between the origin and the edge.
    attendu += Marque(-1, "1, -0.5", "blue") + Marque(-2, "1, -2", "blue") +
               Marque(-3, "1, -3.5", "blue") + Marque_cachee(-4) + Marque_cachee(-5);
    EXPECT_EQ(sortie, attendu);
}

TEST(Ecrire_repere, repere_cache_seulement_son_commentaire)
{
    Tpoint origine{.nom = "O", .x = 0, .y = 0};
    Tvecteur v1{.nom = "u", .x = 1, .y = 0};
    Tvecteur v2{.nom = "v", .x = 0, .y = 1};
    const Trepere repere{.nom = "R", .origine = &origine, .vecteur1 = &v1, .vecteur2 = &v2};
    std::string sortie;
    Ecrire_repere(repere, defaut, sortie);
    EXPECT_EQ(sortie, Texte({"% Trac\xE9 du rep\xE8re R"}));
}

namespace {

// A figure being recorded: its first step with the window and the Roxy record, then one
// step per object.
struct Figure_enregistree {
    TFigure figure;
    TForm2 form2;
    TContexte_calcul contexte{figure, form2};
    TEtape* premiere = figure.Nouvelle_etape();
    TEnregistreur_etapes etapes{figure, premiere};

    Figure_enregistree()
    {
        premiere->genre = 1;
        etapes.Ajouter(figure.Nouvel_argument(figure.Nouveau<TCadre_image>()));
        etapes.Ajouter(
            figure.Nouvel_argument(figure.Nouveau<TReperexoy>({.xmin = -5, .xmax = 5, .ymax = 5})));
        etapes.Fermer();
    }

    template <class T> T* Etape(std::int32_t genre, T objet)
    {
        T* record = figure.Nouveau<T>(std::move(objet));
        etapes.courante()->genre = genre;
        etapes.Ajouter(figure.Nouvel_argument(record));
        etapes.Fermer();
        return record;
    }
};

const std::string entete = Texte({"% Unit\xE9s Latex", "\\psset{xunit=0.655913962978379cm}",
                                  "\\psset{yunit=0.655913962978379cm}",
                                  "\\begin{pspicture}(-7.622951,-5)(7.622951,5)", "\\small"});

} // namespace

TEST(Ecrire_figure, chaque_objet_a_la_place_de_son_etape)
{
    Figure_enregistree f;
    Tpoint* a = f.Etape<Tpoint>(6, {.nom = "A", .x = 1, .y = 2});
    Tpoint* b = f.Etape<Tpoint>(6, {.nom = "B", .x = -1, .y = 0, .nom_dessine = false});
    f.Etape<Tvecteur>(2, {.nom = "u", .x = 1, .y = 0});
    f.Etape<Tcercle>(77, {.nom = "c", .centre = a, .rayon = 1});
    f.Etape<Tsegment>(5, {.nom = "AB", .extremite1 = a, .extremite2 = b});
    Tvecteur* ab = f.figure.Nouveau<Tvecteur>({.nom = "AB", .x = -2, .y = -2});
    f.Etape<Tdroite>(4, {.nom = "AB", .point1 = a, .point2 = b, .vecteur = ab});
    f.Etape<Tdroite>(99, {.nom = "[AB)", .point1 = a, .point2 = b, .vecteur = ab});
    f.Etape<Tpolygone>(57, {.nom = "P", .sommets = {}, .dessine = false});
    std::string sortie;
    Ecrire_figure(f.premiere, {}, f.contexte, sortie);

    const std::string trace = "[linewidth=1pt, linecolor=black, linestyle=solid]";
    EXPECT_EQ(sortie,
              entete +
                  Texte({"% Point A", "\\pscircle*[fillcolor=black, linecolor=black](1, 2){1pt}",
                         "\\uput{1mm}[45](1, 2){\\black $A$}", "% Point B",
                         "\\pscircle*[fillcolor=black, linecolor=black](-1, 0){1pt}", "% Cercle c",
                         "\\pscircle" + trace + "(1, 2){0.655913962978379cm}", "% Segment AB",
                         "\\psline" + trace + "(1, 2)(-1, 0)", "% Droite AB",
                         "\\psline" + trace + "(-6, -5)(4, 5)", "% Droite [AB)",
                         "\\psline" + trace + "(-6, -5)(1, 2)"}));
}

TEST(Ecrire_figure, arc_trace_avec_les_attributs_de_l_arc)
{
    Figure_enregistree f;
    Tpoint* o = f.Etape<Tpoint>(6, {.nom = "O", .dessine = false, .nom_dessine = false});
    Tcercle* k = f.Etape<Tcercle>(77, {.nom = "k",
                                       .centre = o,
                                       .rayon = 2,
                                       .dessine = false,
                                       .couleur = "blue",
                                       .style = "dashed"});
    f.Etape<Tarc_de_cercle>(52, {.nom = "a",
                                 .couleur = "red",
                                 .cercle = k,
                                 .angle_debut = pi_etendu / 2,
                                 .angle_fin = pi_etendu,
                                 .style = "solid"});
    std::string sortie;
    Ecrire_figure(f.premiere, {}, f.contexte, sortie);
    EXPECT_EQ(sortie, entete + Texte({"% PointO Marque Non affich\xE9"
                                      "e",
                                      "% Arc de cercle k",
                                      "\\psarc[linewidth=1pt, linecolor=red, linestyle=dashed]"
                                      "(0, 0){1.31182792595676cm}{90}{180}"}));
    EXPECT_FALSE(k->dessine);
    EXPECT_EQ(k->couleur, "blue");
}

TEST(Ecrire_figure, point_avant_la_fenetre)
{
    TFigure figure;
    TForm2 form2;
    TContexte_calcul contexte{figure, form2};
    std::string sortie;
    TEtape* seule = figure.Nouvelle_etape();
    TEnregistreur_etapes etapes(figure, seule);
    seule->genre = 6;
    etapes.Ajouter(figure.Nouvel_argument(figure.Nouveau<Tpoint>({.nom = "A"})));
    etapes.Fermer();
    try {
        Ecrire_figure(seule, {}, contexte, sortie);
        ADD_FAILURE() << "un point avant la fen\xEAtre est accept\xE9";
    } catch (const std::logic_error& e) {
        EXPECT_EQ(std::string(e.what()), "le genre 6 pr\xE9"
                                         "c\xE8"
                                         "de la fen\xEAtre de l'image");
    }
    EXPECT_EQ(sortie, "");
}
