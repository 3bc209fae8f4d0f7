#include <gtest/gtest.h>

#include <cmath>

#include "calc/noms.h"
#include "calc/resolveur.h"
#include "lecture/transcription.h"
#include "model/erreurs.h"
#include "model/texte_figure.h"
#include "natures_attendues.h"
#include "proches.h"

using namespace trazel;
using essais::Proches;

namespace {

constexpr Reel pi = 3.14159265358979323846264338327950288L;

// A(0, 0), B(3, 4), C(-4, 3) (AB and AC are perpendicular, both of length 5).
struct Lecture {
    TForm2 form2;
    TFigure figure;
    std::vector<TLigne_ignoree> ignorees;
    TEtape* premiere = nullptr;

    explicit Lecture(const std::vector<std::string>& lignes)
    {
        std::string texte = "Figure Figuro\r\nNum\xE9ro de version: 2\r\n\r\n";
        texte += std::string(essais::position_par_defaut) + "\r\n" +
                 std::string(essais::roxy_rouge) + "\r\n";
        for (const char* base : {"A point libre", "  Objet libre A, param\xE8tres: 0, 0",
                                 "B point libre", "  Objet libre B, param\xE8tres: 3, 4",
                                 "C point libre", "  Objet libre C, param\xE8tres: -4, 3"})
            texte += std::string(base) + "\r\n";
        for (const std::string& ligne : lignes)
            texte += ligne + "\r\n";
        texte += "\r\nCommentaire\r\nFin de la figure\r\n";
        form2.separateur_decimal('.');
        premiere = Lire_texte_figure(texte, "nombres.fgr", figure, form2, &ignorees);
        EXPECT_EQ(essais::Natures_non_conformes(premiere), "");
    }
    // The most recent value of a variable.
    std::optional<Reel> Variable(std::string_view nom) const
    {
        for (auto v = form2.Liste_variables.rbegin(); v != form2.Liste_variables.rend(); ++v)
            if (v->nom == nom)
                return v->valeur;
        return std::nullopt;
    }
    const TEtape& Etape(std::string_view nom) const
    {
        const TEtape* e = Chercher_etape_par_nom(premiere, nom);
        if (e == nullptr)
            throw std::runtime_error("pas d'\xE9tape " + std::string(nom));
        return *e;
    }
    std::vector<int> Natures(std::string_view nom) const
    {
        std::vector<int> natures;
        for (const TArgument* a = Etape(nom).arguments; a != nullptr; a = a->suivant)
            natures.push_back(a->nature);
        return natures;
    }
    Tpoint& Point(std::string_view nom) const { return *Chercher_point(figure.liste_points, nom); }
};

} // namespace

TEST(Regles_nombres, mesures_et_nombres_libres)
{
    Lecture l({"Droite (AB)",
               "c cercle de centre A passant par B",
               "U2 unit\xE9 de longueur de vecteur vec(AB)",
               "a = 2AB (unit\xE9 Uoxy)",
               "b = 2AB (unit\xE9 U2)",
               "m coefficient directeur de la droite AB dans le rep\xE8re Roxy",
               "n entier libre entre 1 et 10 valeur 3.7",
               "n2 entier libre",
               "  Objet libre n2, param\xE8tre: 7",
               "k r\xE9"
               "el libre entre 0 et 2 valeur 0.5",
               "k2 r\xE9"
               "el libre",
               "  Objet libre k2, param\xE8tre: 1/4",
               "l longueur du segment [BC] (unit\xE9 Uoxy)",
               "r rayon de c (unit\xE9 U2)",
               "s aire du triangle ABC (unit\xE9 Uoxy)",
               "p produit scalaire vec(AB).vec(AC) (unit\xE9 Uoxy)",
               "g mesure de l'angle (vec(AB), vec(AC)) en degr\xE9",
               "h mesure g\xE9om\xE9trique de l'angle BAC en radian",
               "e distance du point C \xE0 la droite AB (unit\xE9 Uoxy)",
               "x abscisse de B dans le rep\xE8re AC",
               "y ordonn\xE9"
               "e de B dans le rep\xE8re Roxy",
               "x2 abscisse de vec(BC) dans le rep\xE8re Roxy",
               "y2 ordonn\xE9"
               "e de vec(BC) dans le rep\xE8re Roxy"});
    EXPECT_TRUE(l.ignorees.empty()) << l.ignorees.front().texte;
    struct Cas {
        const char* nom;
        int genre;
        std::vector<int> natures;
        Reel valeur;
    };
    const Cas cas[] = {
        {"a", 24, {9, 9, 8, 11}, 10},
        {"b", 24, {9, 9, 8, 11}, 2}, // AB measured in the unit of length AB
        {"m", 22, {9, 7, 4, 11}, 4.0L / 3},
        {"n", 19, {9, 9, 9, 8, 11}, 3},
        {"n2", 20, {9, 11}, 7},
        {"k", 17, {9, 9, 9, 8, 11}, 0.5L},
        {"k2", 18, {9, 11}, 0.25L},
        {"l", 21, {9, 10, 8, 11}, std::sqrt(50.0L)},
        {"r", 16, {9, 13, 8, 11}, 1},
        {"s", 15, {9, 12, 8, 11}, 12.5L},
        {"p", 14, {9, 9, 8, 11}, 0},
        {"g", 13, {9, 8, 9, 9, 9, 11}, 90},
        {"h", 12, {9, 5, 5, 5, 9, 11}, pi / 2},
        {"e", 11, {9, 5, 7, 8, 11}, 5},
        {"x", 9, {9, 5, 4, 11}, 0},
        {"y", 7, {9, 5, 4, 11}, 4},
        {"x2", 10, {9, 9, 4, 8, 11}, -7},
        {"y2", 8, {9, 9, 4, 8, 11}, -1},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(l.Etape(c.nom).genre, c.genre);
        EXPECT_EQ(l.Natures(c.nom), c.natures);
        ASSERT_TRUE(l.Variable(c.nom).has_value());
        EXPECT_TRUE(Proches(c.valeur, *l.Variable(c.nom), 1e-15L));
    }
}

TEST(Regles_nombres, une_variable_sert_aux_lignes_suivantes)
{
    Lecture l({"a = 3",
               "P point de coordonn\xE9"
               "es (a,2a) dans le rep\xE8re Roxy",
               "a = a+1",
               "Q point de coordonn\xE9"
               "es (a,0) dans le rep\xE8re Roxy"});
    EXPECT_TRUE(Proches(6, l.Point("P").y, 1e-18L));
    EXPECT_TRUE(Proches(4, l.Point("Q").x, 1e-18L));    // the most recent "a"
    EXPECT_EQ(l.form2.Liste_variables.size(), 4u + 2u); // a name defined twice: two entries
}

TEST(Regles_nombres, fonction_et_pente_d_une_verticale)
{
    Lecture l({"f fonction t|->t^2-AB",
               "P point de coordonn\xE9"
               "es (2,f(2)) dans le rep\xE8re Roxy",
               "D point libre", "  Objet libre D, param\xE8tres: 0, 5", "Droite (AD)",
               "m coefficient directeur de la droite AD dans le rep\xE8re Roxy"});
    EXPECT_TRUE(Proches(-1, l.Point("P").y, 1e-18L));
    // The slope of a vertical line: no variable and no recorded value.
    EXPECT_FALSE(l.Variable("m").has_value());
    EXPECT_EQ(l.Natures("m"), (std::vector<int>{9, 7, 4}));
}

TEST(Regles_nombres, unites_reperes_et_courbes)
{
    Lecture l({"U unit\xE9 de longueur de vecteur vec(AB)",
               "R rep\xE8re (A, vec(AB), vec(AC)) graduations (1, 0.5)",
               "  Objet dessinable R, particularit\xE9s: bleu, tiret\xE9", "f fonction x|->x^2-1",
               "Cf graphe de f sur [-3, 3] dans le rep\xE8re R (200 points)",
               "  Objet dessinable Cf, particularit\xE9s: rouge, points non li\xE9s",
               "M point libre sur le segment [BC]", "  Objet libre M, param\xE8tre: 0.25",
               "I milieu du segment [AM]", "L lieu du point I selon M (100 points)",
               "k r\xE9"
               "el libre entre 0 et 1 valeur 0.5",
               "L2 lieu du point I selon k (50 points)"});
    EXPECT_TRUE(l.ignorees.empty()) << l.ignorees.front().texte;
    const Tunite& u = *l.figure.liste_unites.at(1);
    EXPECT_EQ(u.nom, "U");
    EXPECT_TRUE(Proches(3, u.vecteur->x, 1e-18L));
    const Trepere& r = *l.figure.liste_reperes.back();
    EXPECT_EQ(r.nom, "R");
    EXPECT_TRUE(r.dessine);
    EXPECT_EQ(r.couleur, "blue");
    EXPECT_EQ(r.style, "dashed");
    EXPECT_TRUE(Proches(-4, r.vecteur2->x, 1e-18L));
    EXPECT_EQ(r.pas2, 0.5L);
    ASSERT_EQ(l.figure.liste_courbes.size(), 3u);
    const TCourbe& cf = *l.figure.liste_courbes[0];
    EXPECT_EQ(cf.couleur, "red");
    EXPECT_FALSE(cf.points_lies);
    // The curves' steps, as the sampler reads them.
    auto natures = [&](const TCourbe* courbe) {
        std::vector<int> n;
        for (const TArgument* a = Chercher_etape_par_objet(l.premiere, courbe)->arguments;
             a != nullptr; a = a->suivant)
            n.push_back(a->nature);
        return n;
    };
    EXPECT_EQ(natures(&cf), (std::vector<int>{9, 9, 8, 9, 4, 9, 24}));
    EXPECT_EQ(natures(l.figure.liste_courbes[1]), (std::vector<int>{5, 9, 23, 5, 9, 8, 24}));
    const TEtape& lieu = *Chercher_etape_par_objet(l.premiere, l.figure.liste_courbes[1]);
    EXPECT_TRUE(*Donnee<bool>(Argument(&lieu, 3)));
    EXPECT_EQ(Donnee<Tpoint>(Argument(&lieu, 4)), &l.Point("M"));
    EXPECT_EQ(*Donnee<std::string>(Argument(&lieu, 5)), "100");
    const TEtape& lieu2 = *Chercher_etape_par_objet(l.premiere, l.figure.liste_courbes[2]);
    EXPECT_FALSE(*Donnee<bool>(Argument(&lieu2, 3)));
    EXPECT_EQ(Donnee<Tpoint>(Argument(&lieu2, 4)), nullptr);
    const TEtape& graphe = *Chercher_etape_par_objet(l.premiere, &cf);
    EXPECT_EQ(*Donnee<std::string>(Argument(&graphe, 2)), "-3");
    EXPECT_EQ(*Donnee<std::string>(Argument(&graphe, 6)), "200");
}

// A replay from a free point on a circle to a midpoint moves the midpoint and nothing else.
TEST(Recalculer_etapes, rejoue_une_chaine_a_partir_d_un_point_libre)
{
    Lecture l({"c cercle de centre A passant par B", "M point libre sur le cercle c",
               "  Objet libre M, param\xE8tre: 0", "I milieu du segment [MC]",
               "J milieu du segment [AB]"});
    TContexte_calcul contexte{l.figure, l.form2};
    TEtape* depart = Chercher_etape_par_objet(l.premiere, &l.Point("M"));
    TEtape* fin = Chercher_etape_par_objet(l.premiere, &l.Point("I"));
    ASSERT_TRUE(depart != nullptr && fin != nullptr);
    EXPECT_TRUE(Proches(0.5L, l.Point("I").x, 1e-18L));
    *Donnee<Reel>(Argument(depart, 2)) = pi / 2;
    Recalculer_etapes(depart, fin, contexte);
    EXPECT_TRUE(Proches(0, l.Point("M").x, 1e-17L));
    EXPECT_TRUE(Proches(5, l.Point("M").y, 1e-17L));
    EXPECT_TRUE(Proches(-2, l.Point("I").x, 1e-17L));
    EXPECT_TRUE(Proches(4, l.Point("I").y, 1e-17L));
    EXPECT_EQ(l.Point("J").x, 1.5L); // outside the chain
    EXPECT_EQ(l.Point("C").x, -4);
}

// Guards against reading the moved value of a free number from the wrong argument.
TEST(Recalculer_etape, nombre_libre_et_pente_verticale)
{
    Lecture l({"k r\xE9"
               "el libre entre 0 et 2 valeur 0.5",
               "D point libre", "  Objet libre D, param\xE8tres: 1, 1", "Droite (AD)",
               "m coefficient directeur de la droite AD dans le rep\xE8re Roxy"});
    TContexte_calcul contexte{l.figure, l.form2};
    TEtape& k = const_cast<TEtape&>(l.Etape("k"));
    *Donnee<Reel>(Argument(&k, 5)) = 1.5L;
    Recalculer_etape(k, contexte);
    EXPECT_EQ(*l.Variable("k"), 1.5L);
    // The line turns vertical: the slope keeps its previous value.
    EXPECT_EQ(*l.Variable("m"), 1);
    l.Point("D").x = 0;
    Recalculer_etape(const_cast<TEtape&>(l.Etape("m")), contexte);
    EXPECT_EQ(*l.Variable("m"), 1);
    l.Point("D").x = 2;
    Recalculer_etape(const_cast<TEtape&>(l.Etape("m")), contexte);
    EXPECT_EQ(*l.Variable("m"), 0.5L);
}

// A function whose body measures the figure follows it when replayed.
TEST(Recalculer_etape, fonction_redefinie_avec_la_figure)
{
    Lecture l({"f fonction t|->t+AB", "P point de coordonn\xE9"
                                      "es (0,f(0)) dans le rep\xE8re Roxy"});
    EXPECT_TRUE(Proches(5, l.Point("P").y, 1e-18L));
    TContexte_calcul contexte{l.figure, l.form2};
    l.Point("B").x = 0;
    TEtape* f = l.premiere;
    while (f->genre != 23)
        f = f->suivante;
    Recalculer_etapes(f, nullptr, contexte);
    EXPECT_TRUE(Proches(4, l.Point("P").y, 1e-18L));
}
