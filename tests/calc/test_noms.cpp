#include <gtest/gtest.h>

#include "calc/noms.h"
#include "model/erreurs.h"

using namespace trazel;

namespace {

// A figure holding the points of the given names at (k, 2k).
struct Points {
    TFigure figure;
    explicit Points(std::initializer_list<const char*> noms)
    {
        Reel k = 0;
        for (const char* nom : noms) {
            ++k;
            figure.liste_points.push_back(figure.Nouveau<Tpoint>({.nom = nom, .x = k, .y = 2 * k}));
        }
    }
};

std::string Noms(const TListe_points& points)
{
    std::string noms;
    for (const Tpoint* p : points)
        noms += p->nom + " ";
    return noms;
}

} // namespace

TEST(Point_plus_long_prefixe, prefere_le_nom_le_plus_long)
{
    Points p({"A", "AB", "B", "A1"});
    EXPECT_EQ(Point_plus_long_prefixe(p.figure.liste_points, "ABC")->nom, "AB");
    EXPECT_EQ(Point_plus_long_prefixe(p.figure.liste_points, "A1B")->nom, "A1");
    EXPECT_EQ(Point_plus_long_prefixe(p.figure.liste_points, "BA")->nom, "B");
    EXPECT_EQ(Point_plus_long_prefixe(p.figure.liste_points, "CA"), nullptr);
}

TEST(Points_du_nom, decoupe_en_noms_de_points)
{
    Points p({"A", "B", "C", "A1"});
    EXPECT_EQ(Noms(Points_du_nom(p.figure.liste_points, "ABC")), "A B C ");
    EXPECT_EQ(Noms(Points_du_nom(p.figure.liste_points, "A1BA")), "A1 B A ");
    EXPECT_THROW(Points_du_nom(p.figure.liste_points, "ABD"), Erreur_trazel);
}

TEST(Chercher_point, le_plus_recent_d_abord)
{
    Points p({"A", "B", "A"});
    EXPECT_EQ(Chercher_point(p.figure.liste_points, "A"), p.figure.liste_points[2]);
    EXPECT_EQ(Chercher_point(p.figure.liste_points, "C"), nullptr);
}

// The name index must give what a scan of the list gives: the prefix lookup takes the first
// point of a repeated name, the exact lookup the latest; emptying the list empties the index.
TEST(Chercher_point, index_des_noms_repetes_et_vide)
{
    Points p({"A", "AB", "B", "AB", "A"});
    const TListe_points& liste = p.figure.liste_points;
    EXPECT_EQ(Point_plus_long_prefixe(liste, "ABA"), liste[1]);
    EXPECT_EQ(Chercher_point(liste, "AB"), liste[3]);
    EXPECT_EQ(Chercher_point(liste, "A"), liste[4]);
    EXPECT_EQ(Point_plus_long_prefixe(liste, "ABCDEFGHIJ"), liste[1]); // longer than any name
    EXPECT_EQ(Point_plus_long_prefixe(liste, ""), nullptr);
    const TListe_points copie = liste;
    EXPECT_EQ(Chercher_point(copie, "AB"), liste[3]);
    p.figure.liste_points.clear();
    EXPECT_EQ(Chercher_point(p.figure.liste_points, "A"), nullptr);
    EXPECT_EQ(Point_plus_long_prefixe(p.figure.liste_points, "AB"), nullptr);
    EXPECT_EQ(Chercher_point(copie, "B"), copie[2]);
}

TEST(Droite_du_nom, creee_a_partir_de_deux_points)
{
    Points p({"A", "B"});
    Tdroite* d = Droite_du_nom(p.figure, "AB");
    ASSERT_EQ(p.figure.liste_droites.size(), 1u);
    EXPECT_EQ(d->point1->nom, "A");
    EXPECT_EQ(d->point2->nom, "B");
    EXPECT_EQ(d->vecteur->x, 1);
    EXPECT_EQ(d->vecteur->y, 2);
    EXPECT_EQ(d->repere->origine, d->point1);
    EXPECT_EQ(d->repere->vecteur1, d->vecteur);
    EXPECT_EQ(d->repere->vecteur2->x, -2); // quarter turn counter-clockwise
    EXPECT_EQ(d->repere->vecteur2->y, 1);
    EXPECT_FALSE(d->graduee);
    EXPECT_TRUE(d->dessine);
    EXPECT_EQ(Droite_du_nom(p.figure, "AB"), d); // found the second time
    EXPECT_THROW(Droite_du_nom(p.figure, "AC"), Erreur_trazel);
}

TEST(Noms, reperes_vecteurs_segments_crees_a_la_demande)
{
    Points p({"A", "B"});
    Trepere* r = Repere_du_nom(p.figure, "BA");
    EXPECT_EQ(r->origine->nom, "B");
    EXPECT_EQ(r->point2->nom, "A");
    EXPECT_EQ(r->vecteur1->x, -1);
    EXPECT_EQ(r->vecteur2->x, 2);
    Tvecteur* u = Vecteur_du_nom(p.figure, "AB reste");
    EXPECT_EQ(u->nom, "AB");
    EXPECT_EQ(u->origine, nullptr);
    EXPECT_EQ(p.figure.liste_vecteurs.size(), 1u);
    Tsegment* s = Segment_du_nom(p.figure, "AB");
    EXPECT_EQ(s->extremite2->nom, "B");
    EXPECT_EQ(Segment_du_nom(p.figure, "AB"), s);
}

TEST(Noms, cercles_arcs_unites_doivent_exister)
{
    Points p({"A"});
    Tunite* uoxy = p.figure.Nouveau<Tunite>({.nom = "Uoxy"});
    Tunite* u2 = p.figure.Nouveau<Tunite>({.nom = "U2"});
    p.figure.liste_unites = {uoxy, u2};
    EXPECT_EQ(Unite_du_nom(p.figure, "1"), uoxy);
    EXPECT_EQ(Unite_du_nom(p.figure, "U2"), u2);
    try {
        Cercle_du_nom(p.figure, "c");
        ADD_FAILURE() << "no error";
    } catch (const Erreur_trazel& e) {
        EXPECT_EQ(std::string(e.what()), "Le cercle \xAB c \xBB n'est pas d\xE9"
                                         "fini");
    }
    EXPECT_THROW(Arc_du_nom(p.figure, "a"), Erreur_trazel);
    EXPECT_THROW(Unite_du_nom(p.figure, "U3"), Erreur_trazel);
    EXPECT_EQ(Polygone_du_nom(p.figure, "p"), nullptr);
}
