#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "latex/polygones.h"
#include "latex/sortie_attendue.h"
#include "model/figure.h"

using namespace trazel;

namespace {

const TCadre_image& defaut = essais::fenetre_par_defaut;
const std::string& hors = essais::hors_fenetre;
using essais::Lignes;

// A polygon over new points of the figure, named after its vertices.
Tpolygone* Polygone(TFigure& figure, std::initializer_list<Tpoint> sommets)
{
    Tpolygone* polygone = figure.Nouveau<Tpolygone>();
    for (const Tpoint& p : sommets) {
        polygone->sommets.push_back(figure.Nouveau<Tpoint>(p));
        polygone->nom += p.nom;
    }
    return polygone;
}

std::string Polygone_ecrit(const Tpolygone& polygone)
{
    std::string sortie;
    Ecrire_polygone(polygone, defaut, sortie);
    return sortie;
}

} // namespace

TEST(Ecrire_polygone, un_segment_par_cote_dans_le_trait_du_polygone)
{
    TFigure figure;
    Tpolygone* abc = Polygone(
        figure,
        {{.nom = "A", .x = 0, .y = 0}, {.nom = "B", .x = 2, .y = 0}, {.nom = "C", .x = 1, .y = 3}});
    abc->couleur = "red";
    abc->style = "dashed";
    const TListe_points sommets = abc->sommets;
    const std::string trace = "\\psline[linewidth=1pt, linecolor=red, linestyle=dashed]";
    EXPECT_EQ(Polygone_ecrit(*abc),
              Lignes({"% Polygone ABC", "% Segment AB", trace + "(0, 0)(2, 0)", "% Segment BC",
                      trace + "(2, 0)(1, 3)", "% Segment CA", trace + "(1, 3)(0, 0)"}));
    EXPECT_EQ(abc->sommets, sommets);
}

TEST(Ecrire_polygone, cotes_coupes_par_la_fenetre)
{
    TFigure figure;
    Tpolygone* rectangle = Polygone(figure, {{.nom = "A", .x = 0, .y = 0},
                                             {.nom = "B", .x = 10, .y = 0},
                                             {.nom = "C", .x = 10, .y = 2},
                                             {.nom = "D", .x = 0, .y = 2}});
    const std::string trace = "\\psline[linewidth=1pt, linecolor=black, linestyle=solid]";
    EXPECT_EQ(Polygone_ecrit(*rectangle),
              Lignes({"% Polygone ABCD", "% Segment AB", trace + "(0, 0)(7.622951, 0)",
                      "% Segment BC", hors, "% Segment CD", trace + "(0, 2)(7.622951, 2)",
                      "% Segment DA", trace + "(0, 2)(0, 0)"}));
}

TEST(Ecrire_polygone, non_dessine_ou_sans_sommet)
{
    TFigure figure;
    Tpolygone* cache = Polygone(
        figure,
        {{.nom = "A", .x = 0, .y = 0}, {.nom = "B", .x = 2, .y = 0}, {.nom = "C", .x = 1, .y = 3}});
    cache->dessine = false;
    EXPECT_EQ(Polygone_ecrit(*cache), "");

    Tpolygone* vide = figure.Nouveau<Tpolygone>({.nom = "P", .sommets = {}});
    EXPECT_EQ(Polygone_ecrit(*vide), Lignes({"% Polygone P"}));

    // A single vertex closes on itself: a segment without direction is seen nowhere.
    Tpolygone* seul = Polygone(figure, {{.nom = "A", .x = 1, .y = 1}});
    EXPECT_EQ(Polygone_ecrit(*seul), Lignes({"% Polygone A", "% Segment AA", hors}));
}
