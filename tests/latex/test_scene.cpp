#include <gtest/gtest.h>

#include "latex/scene.h"
#include "lecture/transcription.h"
#include "model/texte_figure.h"
#include "proches.h"

using namespace trazel;

// The on-screen view draws what the picture holds: marks and labels where the picture puts
// them, the visible pieces of lines and circles, and the runs of curves.
TEST(Scene_de_la_figure, memes_morceaux_que_l_image)
{
    TForm2 form2;
    form2.separateur_decimal('.');
    TFigure figure;
    const std::string texte = essais::Texte_figure(
        {"A point libre", "  Objet libre A, param\xE8tres: 1, 2",
         "  Objet dessinable A, particularit\xE9s: rouge, marque \xE9paisse", "B point libre",
         "  Objet libre B, param\xE8tres: -2, -1",
         "  Objet dessinable B, particularit\xE9s: non dessin\xE9", "Segment [AB]",
         "c cercle de centre A et de rayon 4 (unit\xE9 Uoxy)", "M point libre sur le segment [AB]",
         "  Objet libre M, param\xE8tre: 0.5", "I milieu du segment [MA]",
         "L lieu du point I selon M (10 points)"});
    TEtape* premiere = Lire_texte_figure(texte, "s.fgr", figure, form2);
    const TScene s = Scene_de_la_figure(premiere, figure, form2, {});

    EXPECT_TRUE(s.axes);
    EXPECT_EQ(s.couleur_axes, "red");
    EXPECT_TRUE(essais::Proches(-7.622951L, s.fenetre.xmin, 1e-15L));
    // A with its thick mark and label; B hidden altogether; M and I with theirs.
    ASSERT_EQ(s.points.size(), 3u);
    EXPECT_EQ(s.points[0].etiquette, "A");
    EXPECT_EQ(s.points[0].couleur, "red");
    EXPECT_EQ(s.points[0].marque, 1.5L);
    EXPECT_EQ(s.points[0].direction, 45);
    ASSERT_EQ(s.segments.size(), 1u);
    EXPECT_TRUE(essais::Points_proches({1, 2}, s.segments[0].a));
    EXPECT_TRUE(essais::Points_proches({-2, -1}, s.segments[0].b));
    // The circle of radius 4 around (1, 2) crosses the top edge: visible pieces, no whole turn.
    ASSERT_GE(s.arcs.size(), 1u);
    for (const TArc_scene& arc : s.arcs) {
        EXPECT_EQ(arc.rayon, 4);
        EXPECT_LT(arc.debut, arc.fin);
    }
    // The locus: one run of its 12 samples, from one step before M's range to one after.
    ASSERT_EQ(s.courbes.size(), 1u);
    EXPECT_EQ(s.courbes[0].points.size(), 12u);
    EXPECT_TRUE(s.courbes[0].points_lies);
}

// The view of a figure whose window is flat names the range's line, as the picture does.
TEST(Scene_de_la_figure, fenetre_sans_surface_a_sa_ligne)
{
    TForm2 form2;
    TFigure figure;
    TEtape* premiere =
        Lire_texte_figure(essais::Texte_figure({}, "Position de Roxy: Xmin: 3, Xmax: 3, Ymax: 5"),
                          "s.fgr", figure, form2);
    try {
        Scene_de_la_figure(premiere, figure, form2, {});
        ADD_FAILURE() << "no error";
    } catch (const Erreur_etape& e) {
        EXPECT_EQ(e.ligne(), 4);
        EXPECT_TRUE(std::string(e.what()).starts_with("l'image n'a pas de surface"));
    }
}

// Ticks at whole values but 0, none within 6.834 pt of the arrow's end: at 1 cm a unit
// (28.45 pt), 3 is dropped on an axis ending at 3.2 (5.7 pt) and kept on one ending at
// 3.25 (7.1 pt). A window of a billion units gives no tick rather than a billion steps.
TEST(Graduations_axe, sous_la_fleche_et_sans_fin)
{
    EXPECT_EQ(Graduations_axe(-2.5L, 3.2L, 1), (std::vector<Reel>{-2, -1, 1, 2}));
    EXPECT_EQ(Graduations_axe(-2.5L, 3.25L, 1), (std::vector<Reel>{-2, -1, 1, 2, 3}));
    EXPECT_EQ(Graduations_axe(-1, 3, 2), (std::vector<Reel>{-1, 1, 2}));
    EXPECT_TRUE(Graduations_axe(-1e9L, 1e9L, 1e-8L).empty());
}
