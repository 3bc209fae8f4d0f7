#include <gtest/gtest.h>

#include <cmath>

#include "calc/noms.h"
#include "lecture/transcription.h"
#include "model/encodage.h"
#include "model/erreurs.h"
#include "model/texte_figure.h"
#include "natures_attendues.h"
#include "proches.h"

using namespace trazel;
using essais::Proches;

namespace {

// Points every case can use: A(1, 0), B(3, 0), C(1, 2), O(0, 0).
const std::vector<std::string> base = {
    "A point libre", "  Objet libre A, param\xE8tres: 1, 0",
    "B point libre", "  Objet libre B, param\xE8tres: 3, 0",
    "C point libre", "  Objet libre C, param\xE8tres: 1, 2",
    "O point libre", "  Objet libre O, param\xE8tres: 0, 0",
};

struct Lecture {
    TForm2 form2;
    TFigure figure;
    std::vector<TLigne_ignoree> ignorees;
    TEtape* premiere = nullptr;

    explicit Lecture(std::vector<std::string> lignes, bool avec_base = true)
    {
        if (avec_base)
            lignes.insert(lignes.begin(), base.begin(), base.end());
        std::string texte = "Figure Figuro\r\nNum\xE9ro de version: 2\r\n\r\n";
        texte += std::string(essais::position_par_defaut) + "\r\n" +
                 std::string(essais::roxy_rouge) + "\r\n";
        for (const std::string& ligne : lignes)
            texte += ligne + "\r\n";
        texte += "\r\nCommentaire\r\nFin de la figure\r\n";
        form2.separateur_decimal('.');
        premiere = Lire_texte_figure(texte, "essai.fgr", figure, form2, &ignorees);
        EXPECT_EQ(essais::Natures_non_conformes(premiere), "");
    }

    // The step whose defined object (last argument) has this name.
    const TEtape* Etape(std::string_view nom) const
    {
        for (const TEtape* e = premiere->suivante; e != nullptr && e->genre != 0; e = e->suivante) {
            const TArgument* dernier = Dernier_argument(e->arguments);
            if (Nom_de(*dernier) == nom)
                return e;
        }
        return nullptr;
    }
    std::vector<int> Natures(std::string_view nom) const
    {
        std::vector<int> natures;
        if (const TEtape* e = Etape(nom))
            for (const TArgument* a = e->arguments; a != nullptr; a = a->suivant)
                natures.push_back(a->nature);
        return natures;
    }
    template <class T> T& Objet(std::string_view nom) const
    {
        const TEtape* e = Etape(nom);
        if (e == nullptr)
            throw std::runtime_error("pas d'\xE9tape pour " + std::string(nom));
        return *Donnee<T>(Dernier_argument(e->arguments));
    }

  private:
    static std::string Nom_de(const TArgument& a)
    {
        switch (a.nature) {
        case 5:
            return static_cast<const Tpoint*>(a.donnee)->nom;
        case 6:
            return static_cast<const Tvecteur*>(a.donnee)->nom;
        case 7:
            return static_cast<const Tdroite*>(a.donnee)->nom;
        case 10:
            return static_cast<const Tsegment*>(a.donnee)->nom;
        case 12:
            return static_cast<const Tpolygone*>(a.donnee)->nom;
        case 13:
            return static_cast<const Tcercle*>(a.donnee)->nom;
        case 15:
            return static_cast<const Thomothetie*>(a.donnee)->nom;
        case 16:
            return static_cast<const Tsimilitude_directe*>(a.donnee)->nom;
        case 17:
            return static_cast<const Trotation*>(a.donnee)->nom;
        case 18:
            return static_cast<const Ttranslation*>(a.donnee)->nom;
        case 19:
            return static_cast<const Tsymetrie_axiale*>(a.donnee)->nom;
        case 20:
            return static_cast<const Tcomposee_transformations*>(a.donnee)->nom;
        case 21:
            return static_cast<const Tarc_de_cercle*>(a.donnee)->nom;
        default:
            return {};
        }
    }
};

constexpr Reel pi = 3.14159265358979323846264338327950288L;

struct Cas_point {
    const char* nom;
    std::vector<std::string> lignes; // the last one defines the point "P"
    int genre;
    std::vector<int> natures;
    Reel x, y;
};

} // namespace

TEST(Regles, constructions_de_points)
{
    const std::vector<std::string> cercle = {"Segment [AB]", "c cercle de centre A passant par B"};
    auto avec = [](std::vector<std::string> debut, std::vector<std::string> fin) {
        debut.insert(debut.end(), fin.begin(), fin.end());
        return debut;
    };
    const Cas_point cas[] = {
        {"libre",
         {"P point libre", "  Objet libre P, param\xE8tres: -1.5, 2pi"},
         58,
         {5},
         -1.5L,
         2 * pi},
        {"dans_un_cadre",
         {"K cadre ABC", "P point libre dans le cadre K",
          "  Objet libre P, param\xE8tres: 0.25, 0.5"},
         59,
         {12, 11, 11, 5},
         1.5L,
         1},
        {"dans_un_repere",
         {"P point libre \xE0 coordonn\xE9"
          "es dans le rep\xE8re AC",
          "  Objet libre P, param\xE8tres: 0.5, 1"},
         65,
         {4, 11, 11, 5},
         -1,
         1},
        {"sur_un_segment",
         {"P point libre sur le segment [BC]", "  Objet libre P, param\xE8tre: 0.25"},
         60,
         {10, 11, 5},
         2.5L,
         0.5L},
        {"sur_une_droite",
         {"P point libre sur la droite AC", "  Objet libre P, param\xE8tre: -1"},
         61,
         {7, 11, 5},
         1,
         -2},
        {"sur_une_demi_droite",
         {"P point libre sur la demi-droite BA", "  Objet libre P, param\xE8tre: 2"},
         62,
         {7, 11, 5},
         -1,
         0},
        {"sur_un_cercle",
         avec(cercle, {"P point libre sur le cercle c", "  Objet libre P, param\xE8tre: pi/2"}),
         63,
         {13, 11, 5},
         1,
         2},
        {"sur_un_arc",
         avec(cercle, {"a arc d'origine B et d'extr\xE9mit\xE9 C sur le cercle c",
                       "P point libre sur l'arc a", "  Objet libre P, param\xE8tre: 1"}),
         64,
         {21, 11, 5},
         1,
         2},
        {"de_coordonnees",
         {"P point de coordonn\xE9"
          "es (2,3*(1+1)) dans le rep\xE8re AB"},
         66,
         {4, 9, 9, 8, 5},
         5,
         12},
        {"d_abscisse", {"P point d'abscisse 1.5 dans le rep\xE8re AB"}, 67, {4, 9, 8, 5}, 4, 0},
        {"angle_polaire",
         avec(cercle, {"P point sur le cercle c d'angle polaire 90 degr\xE9"}),
         68,
         {13, 9, 8, 9, 5},
         1,
         2},
        {"abscisse_fixe",
         {"P point \xE0 abscisse fixe sur AB", "  Objet libre P, param\xE8tre: 0.5"},
         69,
         {7, 11, 5},
         2,
         0},
        {"deux_droites", {"P point d'intersection des droites AC et OB"}, 70, {7, 7, 5}, 1, 0},
        {"droite_cercle_1",
         avec(cercle, {"P point d'intersection 1 de la droite AC et du cercle c"}),
         71,
         {7, 13, 5},
         1,
         2},
        {"droite_cercle_2",
         avec(cercle, {"P point d'intersection 2 de la droite AC et du cercle c"}),
         73,
         {7, 13, 5},
         1,
         -2},
        {"droite_cercle_autre",
         avec(cercle, {"D point libre", "  Objet libre D, param\xE8tres: 1, 2",
                       "P point d'intersection de la droite AC et du cercle c autre que D"}),
         75,
         {7, 13, 5, 5},
         1,
         -2},
        {"milieu", {"P milieu du segment [BC]"}, 89, {10, 5}, 2, 1},
        {"gravite", {"P centre de gravit\xE9 du triangle ABC"}, 92, {12, 5}, 5.0L / 3, 2.0L / 3},
        {"circonscrit", {"P centre du cercle circonscrit au triangle ABC"}, 94, {12, 5}, 2, 1},
        {"centre_du_cercle", avec(cercle, {"P centre du cercle c"}), 95, {13, 5}, 1, 0},
        {"orthocentre", {"P orthocentre du triangle ABC"}, 96, {12, 5}, 1, 0},
        {"projete_oblique",
         {"P projet\xE9 de C sur OB parall\xE8lement \xE0 BC"},
         27,
         {5, 7, 7, 5},
         3,
         0},
        {"projete_orthogonal", {"P projet\xE9 orthogonal de C sur OB"}, 26, {5, 7, 5}, 1, 0},
        {"barycentre",
         {"P barycentre de (A, 1), (B, 2), (C, 1) (unit\xE9 Uoxy)"},
         6,
         {9, 1, 5},
         2,
         0.5L},
        {"distance_sur_demi_droite",
         {"P sur demi-droite [AB) \xE0 la distance 3 (unit\xE9 Uoxy)"},
         84,
         {7, 9, 8, 5},
         4,
         0},
    };
    for (const Cas_point& c : cas) {
        SCOPED_TRACE(c.nom);
        Lecture l(c.lignes);
        EXPECT_TRUE(l.ignorees.empty()) << l.ignorees.front().texte;
        const TEtape* e = l.Etape("P");
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->genre, c.genre);
        EXPECT_EQ(l.Natures("P"), c.natures);
        const Tpoint& p = l.Objet<Tpoint>("P");
        EXPECT_TRUE(Proches(c.x, p.x, 1e-15L));
        EXPECT_TRUE(Proches(c.y, p.y, 1e-15L));
    }
}

TEST(Regles, intersections_de_cercles_et_centres_non_definis)
{
    Lecture l({"c1 cercle de centre O et de rayon 1 (unit\xE9 Uoxy)", "D point libre",
               "  Objet libre D, param\xE8tres: 1, 0",
               "c2 cercle de centre D et de rayon 1 (unit\xE9 Uoxy)",
               "P1 point d'intersection 1 des cercles c1 et c2",
               "P2 point d'intersection 2 des cercles c1 et c2",
               "P3 point d'intersection des cercles c1 et c2 autre que P1", "E point libre",
               "  Objet libre E, param\xE8tres: 2, 0", "G centre de gravit\xE9 du triangle OBE",
               "I centre du cercle inscrit dans le triangle OBE"});
    EXPECT_EQ(l.Etape("P1")->genre, 72);
    EXPECT_EQ(l.Etape("P2")->genre, 74);
    EXPECT_EQ(l.Etape("P3")->genre, 76);
    const Reel h = std::sqrt(0.75L);
    EXPECT_TRUE(Proches(h, l.Objet<Tpoint>("P1").y, 1e-18L)); // positive ordinate first
    EXPECT_TRUE(Proches(-h, l.Objet<Tpoint>("P2").y, 1e-18L));
    EXPECT_TRUE(Proches(-h, l.Objet<Tpoint>("P3").y, 1e-18L));
    // Aligned vertices: the centres are marked undefined.
    EXPECT_FALSE(l.Objet<Tpoint>("G").dessine);
    EXPECT_FALSE(l.Objet<Tpoint>("I").dessine);
}

TEST(Regles, droites)
{
    Lecture l({"Droite (AB)", "  Objet dessinable AB, particularit\xE9s: bleu, tiret\xE9",
               "Demi-droite [CA)", "Segment [BC]",
               "  Objet dessinable BC, particularit\xE9s: rouge",
               "d1 droite parall\xE8le \xE0 AB passant par C",
               "d2 droite perpendiculaire \xE0 AB passant par C",
               "T droite passant par A et de coefficient directeur -0.5 (rep\xE8re Roxy)",
               "g droite munie du rep\xE8re d'origine C et de vecteur vec(AB), graduations 0.5",
               "e droite d'\xE9quation Y = 2X+1 dans le rep\xE8re Roxy",
               "m m\xE9"
               "diatrice du segment [AB]",
               "b bissectrice de l'angle ABC"});
    EXPECT_TRUE(l.ignorees.empty());
    struct Cas {
        const char* nom;
        int genre;
        std::vector<int> natures;
        Reel px, py, ux, uy; // a point and the direction (up to a positive factor)
    };
    const Cas cas[] = {
        {"AB", 4, {5, 5, 7}, 1, 0, 2, 0},
        {"CA", 99, {7}, 1, 2, 0, -2},
        {"d1", 86, {7, 7}, 1, 2, 1, 0},
        {"d2", 87, {7, 7}, 1, 2, 0, 2},
        {"T", 85, {9, 8, 4, 7}, 1, 0, 1, -0.5L},
        {"g", 88, {9, 8, 9, 7}, 1, 2, 2, 0},
        {"e", 98, {9, 8, 4, 7}, -0.5L, 0, -1, -2},
        {"m", 90, {10, 7}, 2, 0, 0, 2},
        {"b", 91, {12, 7}, 3, 0, -1 - std::sqrt(0.5L), std::sqrt(0.5L)},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(l.Etape(c.nom)->genre, c.genre);
        EXPECT_EQ(l.Natures(c.nom), c.natures);
        const Tdroite& d = l.Objet<Tdroite>(c.nom);
        EXPECT_TRUE(Proches(c.px, d.point1->x, 1e-15L));
        EXPECT_TRUE(Proches(c.py, d.point1->y, 1e-15L));
        // Same direction: zero cross product, positive dot product.
        EXPECT_TRUE(Proches(0, d.vecteur->x * c.uy - d.vecteur->y * c.ux, 1e-15L));
        EXPECT_GT(d.vecteur->x * c.ux + d.vecteur->y * c.uy, 0);
        EXPECT_EQ(d.repere->vecteur1, d.vecteur); // abscissas on the line use its direction
    }
    EXPECT_EQ(l.Objet<Tdroite>("AB").couleur, "blue");
    EXPECT_EQ(l.Objet<Tdroite>("AB").style, "dashed");
    EXPECT_EQ(l.Objet<Tsegment>("BC").couleur, "red");
    EXPECT_EQ(l.Objet<Tdroite>("g").pas, 0.5L);
    EXPECT_TRUE(l.Objet<Tdroite>("g").graduee);
}

TEST(Regles, vecteurs)
{
    Lecture l({"vec u (2, -1) dans le rep\xE8re AC", "vec w = vec(AB)+2*vec(u)"});
    EXPECT_EQ(l.Natures("u"), (std::vector<int>{9, 9, 8, 9, 4, 6}));
    EXPECT_EQ(l.Natures("w"), (std::vector<int>{9, 9, 8, 6}));
    // u = 2 AC - rot(AC) in the frame (A, AC, rot AC) = 2(0, 2) - (-2, 0) = (2, 4).
    EXPECT_TRUE(Proches(2, l.Objet<Tvecteur>("u").x, 1e-18L));
    EXPECT_TRUE(Proches(4, l.Objet<Tvecteur>("u").y, 1e-18L));
    EXPECT_TRUE(Proches(6, l.Objet<Tvecteur>("w").x, 1e-18L));
    EXPECT_TRUE(Proches(8, l.Objet<Tvecteur>("w").y, 1e-18L));
}

TEST(Regles, cercles_et_arcs)
{
    Lecture l({"Droite (AB)", "c1 cercle de centre O et de rayon 2.5 (unit\xE9 Uoxy)",
               "  Objet dessinable c1, particularit\xE9s: bleu, tiret\xE9",
               "c2 cercle de centre C passant par O", "c3 cercle de centre C tangent \xE0 AB",
               "c4 cercle de diam\xE8tre [AB]", "c5 cercle circonscrit au triangle ABC",
               "c6 cercle inscrit dans le triangle ABC",
               "a1 arc d'origine B et d'extr\xE9mit\xE9 C sur le cercle c5",
               "a2 arc d'origine B et d'extr\xE9mit\xE9 C sur un cercle de centre A",
               "  Objet dessinable a2, particularit\xE9s: rouge"});
    EXPECT_TRUE(l.ignorees.empty());
    struct Cas {
        const char* nom;
        int genre;
        std::vector<int> natures;
        Reel cx, cy, rayon;
    };
    const Reel r6 =
        4 / (2 + 2 + std::sqrt(8.0L)); // area / half-perimeter of the 2-2-2sqrt2 triangle
    const Cas cas[] = {
        {"c1", 77, {9, 13}, 0, 0, 2.5L},
        {"c2", 78, {5, 13}, 1, 2, std::sqrt(5.0L)},
        {"c3", 79, {7, 13}, 1, 2, 2},
        {"c4", 80, {10, 13}, 2, 0, 1},
        {"c5", 81, {12, 13}, 2, 1, std::sqrt(2.0L)},
        {"c6", 82, {12, 13}, 1 + r6, r6, r6},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(l.Etape(c.nom)->genre, c.genre);
        EXPECT_EQ(l.Natures(c.nom), c.natures);
        const Tcercle& k = l.Objet<Tcercle>(c.nom);
        EXPECT_TRUE(Proches(c.cx, k.centre->x, 1e-15L));
        EXPECT_TRUE(Proches(c.cy, k.centre->y, 1e-15L));
        EXPECT_TRUE(Proches(c.rayon, k.rayon, 1e-15L));
    }
    EXPECT_EQ(l.Objet<Tcercle>("c1").couleur, "blue");
    EXPECT_EQ(l.Objet<Tcercle>("c1").style, "dashed");
    const Tarc_de_cercle& a1 = l.Objet<Tarc_de_cercle>("a1");
    EXPECT_EQ(l.Etape("a1")->genre, 52);
    EXPECT_EQ(l.Natures("a1"), (std::vector<int>{5, 5, 13, 21}));
    EXPECT_TRUE(Proches(7 * pi / 4, a1.angle_debut, 1e-17L)); // B seen from (2, 1)
    EXPECT_TRUE(Proches(3 * pi / 4, a1.angle_fin, 1e-17L));
    const Tarc_de_cercle& a2 = l.Objet<Tarc_de_cercle>("a2");
    EXPECT_EQ(l.Etape("a2")->genre, 53);
    EXPECT_EQ(a2.cercle->centre->nom, "A");
    EXPECT_TRUE(Proches(2, a2.cercle->rayon, 1e-18L));
    EXPECT_TRUE(Proches(pi / 2, a2.angle_fin, 1e-17L));
    EXPECT_EQ(a2.couleur, "red");
}

TEST(Regles, polygones)
{
    Lecture l({"p polygone ABCO", "  Objet dessinable p, particularit\xE9s: vert",
               "r rectangle de diagonale [OC]",
               "s rectangle de 4 par 2 de coin (1, -4) dans le rep\xE8re Roxy",
               "h polygone r\xE9gulier de centre O de sommet A \xE0 4 c\xF4t\xE9s",
               "Double cadre limitant l'image (impression ou copie) : (0, 0) et (1, 1)"});
    EXPECT_TRUE(l.ignorees.empty());
    auto sommets = [&](std::string_view nom) {
        std::vector<std::pair<Reel, Reel>> s;
        for (const Tpoint* p : l.Objet<Tpolygone>(nom).sommets)
            s.emplace_back(std::round(p->x * 1e12L) / 1e12L, std::round(p->y * 1e12L) / 1e12L);
        return s;
    };
    using S = std::vector<std::pair<Reel, Reel>>;
    EXPECT_EQ(l.Etape("p")->genre, 57);
    EXPECT_EQ(sommets("p"), (S{{1, 0}, {3, 0}, {1, 2}, {0, 0}}));
    EXPECT_EQ(l.Objet<Tpolygone>("p").couleur, "green");
    EXPECT_EQ(l.Natures("r"), (std::vector<int>{9, 12}));
    EXPECT_EQ(sommets("r"), (S{{0, 0}, {0, 2}, {1, 2}, {1, 0}}));
    EXPECT_EQ(l.Natures("s"), (std::vector<int>{9, 9, 9, 9, 8, 4, 12}));
    EXPECT_EQ(sommets("s"), (S{{1, -4}, {1, -2}, {5, -2}, {5, -4}}));
    EXPECT_EQ(l.Natures("h"), (std::vector<int>{1, 5, 5, 12}));
    EXPECT_EQ(sommets("h"), (S{{1, 0}, {0, 1}, {-1, 0}, {0, -1}}));
    // The window line is never a polygon; the corners of the rectangles are no figure points.
    EXPECT_EQ(l.figure.liste_polygones.size(), 4u);
    EXPECT_EQ(l.figure.liste_points.size(), 3u + 4u);
}

TEST(Regles, transformations_nommees)
{
    Lecture l({"Droite (OC)", "s1 sym\xE9trie de centre A", "s2 sym\xE9trie d'axe OC",
               "t1 translation de vecteur vec(AB)+vec(OC)", "t2 translation transformant A en C",
               "r1 rotation de centre O et d'angle 90 degr\xE9",
               "r2 rotation de centre A et d'angle BAC",
               "h1 homoth\xE9tie de centre O transformant A en B",
               "h2 homoth\xE9tie de centre O et de rapport -2",
               "k1 similitude de centre O transformant A en C",
               "k2 similitude de centre O d'angle 45 degr\xE9 et de rapport 2",
               "f compos\xE9"
               "e des transformations r1 et t2"});
    EXPECT_TRUE(l.ignorees.empty());
    const TListe_transformations& t = l.figure.transformations;
    EXPECT_EQ(l.Etape("s1")->genre, 51);
    EXPECT_EQ(t.homotheties.at(0)->rapport, -1);
    EXPECT_EQ(l.Etape("s2")->genre, 50);
    EXPECT_EQ(t.symetries_axiales.at(0)->axe->nom, "OC");
    EXPECT_EQ(l.Natures("t1"), (std::vector<int>{9, 8, 18}));
    EXPECT_TRUE(Proches(3, t.translations.at(0)->vecteur->x, 1e-18L));
    EXPECT_EQ(l.Natures("t2"), (std::vector<int>{5, 5, 18}));
    EXPECT_EQ(l.Natures("r1"), (std::vector<int>{9, 8, 9, 17}));
    EXPECT_TRUE(Proches(pi / 2, t.rotations.at(0)->angle, 1e-18L));
    EXPECT_EQ(l.Natures("r2"), (std::vector<int>{12, 17}));
    EXPECT_TRUE(Proches(pi / 2, t.rotations.at(1)->angle, 1e-18L));
    EXPECT_EQ(l.Natures("h1"), (std::vector<int>{5, 5, 6, 6, 15}));
    EXPECT_TRUE(Proches(3, t.homotheties.at(1)->rapport, 1e-18L));
    EXPECT_TRUE(Proches(-2, t.homotheties.at(2)->rapport, 1e-18L));
    EXPECT_EQ(l.Natures("k1"), (std::vector<int>{5, 5, 6, 6, 16}));
    EXPECT_TRUE(Proches(std::atan2(2.0L, 1.0L), t.similitudes_directes.at(0)->angle, 1e-18L));
    EXPECT_TRUE(Proches(std::sqrt(5.0L), t.similitudes_directes.at(0)->rapport, 1e-18L));
    EXPECT_EQ(l.Natures("k2"), (std::vector<int>{9, 9, 9, 8, 16}));
    EXPECT_TRUE(Proches(pi / 4, t.similitudes_directes.at(1)->angle, 1e-18L));
    EXPECT_EQ(t.composees.at(0)->composantes[0], "r1");
    EXPECT_EQ(t.composees.at(0)->composantes[1], "t2");
}

TEST(Regles, images)
{
    Lecture l({"Droite (OC)", "r1 rotation de centre O et d'angle 90 degr\xE9",
               "h2 homoth\xE9tie de centre O et de rapport -2",
               "P1 image de B par la transformation r1",
               "P2 image de B par la sym\xE9trie de centre A",
               "P3 image de B par la sym\xE9trie d'axe OC",
               "  Objet dessinable P3, particularit\xE9s: rouge",
               "P4 image de B par la translation de vecteur vec(OC)",
               "P5 image de B par la translation transformant A en C",
               "P6 image de B par la rotation de centre O et d'angle 90 degr\xE9",
               "P7 image de B par la rotation de centre A et d'angle BAC",
               "P8 image de B par la similitude de centre O transformant A en C",
               "P9 image de B par la similitude de centre O d'angle 90 degr\xE9 et de rapport 2",
               "Q1 image de B par l'homoth\xE9tie de centre O transformant A en C",
               "Q2 image de B par l'homoth\xE9tie de centre O et de rapport -2",
               "d image de la droite OC par la transformation r1",
               "c cercle de centre C et de rayon 1 (unit\xE9 Uoxy)",
               "c' image du cercle c par la transformation h2"});
    EXPECT_TRUE(l.ignorees.empty());
    struct Cas {
        const char* nom;
        int genre;
        std::vector<int> natures;
        Reel x, y;
    };
    const Cas cas[] = {
        {"P1", 39, {5, 9, 5}, 0, 3},
        {"P2", 38, {5, 15, 5}, -1, 0},
        {"P3", 37, {5, 19, 5}, -1.8L, 2.4L},
        {"P4", 35, {5, 9, 8, 18, 5}, 4, 2},
        {"P5", 36, {5, 5, 5, 18, 5}, 3, 2},
        {"P6", 34, {5, 9, 8, 9, 17, 5}, 0, 3},
        {"P7", 33, {5, 12, 17, 5}, 1, 2},
        {"P8", 32, {5, 5, 5, 6, 6, 16, 5}, 3, 6},
        {"P9", 31, {5, 9, 9, 9, 8, 16, 5}, 0, 6},
        {"Q1", 30, {5, 5, 5, 6, 6, 15, 5}, 3, 0},
        {"Q2", 29, {5, 9, 8, 15, 5}, -6, 0},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(l.Etape(c.nom)->genre, c.genre);
        EXPECT_EQ(l.Natures(c.nom), c.natures);
        EXPECT_TRUE(Proches(c.x, l.Objet<Tpoint>(c.nom).x, 1e-15L));
        EXPECT_TRUE(Proches(c.y, l.Objet<Tpoint>(c.nom).y, 1e-15L));
    }
    EXPECT_EQ(l.Objet<Tpoint>("P3").couleur, "red");
    // A transformation described in place is never left in a list.
    const TListe_transformations& t = l.figure.transformations;
    EXPECT_EQ(t.rotations.size(), 1u);
    EXPECT_EQ(t.homotheties.size(), 1u);
    EXPECT_TRUE(t.symetries_axiales.empty() && t.translations.empty() &&
                t.similitudes_directes.empty());
    EXPECT_EQ(l.Natures("d"), (std::vector<int>{7, 9, 7}));
    const Tdroite& d = l.Objet<Tdroite>("d");
    EXPECT_TRUE(Proches(-2, d.vecteur->x, 1e-15L)); // OC = (1, 2) turned a quarter
    EXPECT_TRUE(Proches(1, d.vecteur->y, 1e-15L));
    EXPECT_EQ(l.Natures("c'"), (std::vector<int>{13, 9, 13}));
    EXPECT_TRUE(Proches(-2, l.Objet<Tcercle>("c'").centre->x, 1e-18L));
    EXPECT_TRUE(Proches(2, l.Objet<Tcercle>("c'").rayon, 1e-18L));
}

// The lines a tangent construction adds for f(x) = x^2 at x0 = 1, read back.
TEST(Regles, lignes_de_la_construction_d_une_tangente)
{
    const std::vector<std::string> tangente = {
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
        "Segment [nn2]"};
    TForm2 form2;
    form2.separateur_decimal('.');
    form2.Ajouter_fonction("f", "x^2", {}, 1, "x");
    TFigure figure;
    std::string texte = essais::Texte_figure({});
    texte.erase(texte.find("\r\nCommentaire"));
    for (const std::string& ligne : tangente)
        texte += "\r\n" + ligne;
    TLecteur lecteur(figure, form2, texte, "tangente.fgr");
    lecteur.Lire();
    EXPECT_TRUE(lecteur.Lignes_ignorees().empty()) << lecteur.Lignes_ignorees().front().texte;
    auto point = [&](const char* nom) { return *Chercher_point(figure.liste_points, nom); };
    EXPECT_EQ(point("n").y, 1);
    EXPECT_FALSE(point("n").dessine);
    EXPECT_FALSE(point("n1").nom_dessine); // attributes after the parameter line
    EXPECT_EQ(point("n1").marque, "0.5");
    EXPECT_FALSE(point("n3").nom_dessine);
    // Parameters count in lengths of the direction vector (1, 2) of the slope 2.
    EXPECT_TRUE(Proches(2, point("n1").x, 1e-18L));
    EXPECT_TRUE(Proches(3, point("n1").y, 1e-18L));
    EXPECT_TRUE(Proches(0, point("n2").x, 1e-18L));
    // n4 and n6 are mirror images in the tangent (direction (1, 2) through n): the middle of
    // each pair lies on it and the pair is perpendicular to it.
    for (const auto& [a, b] : {std::pair{"n3", "n4"}, std::pair{"n5", "n6"}}) {
        SCOPED_TRACE(a);
        const Tpoint p = point(a), q = point(b);
        const Reel mx = (p.x + q.x) / 2 - 1, my = (p.y + q.y) / 2 - 1;
        EXPECT_TRUE(Proches(0, mx * 2 - my, 1e-15L));
        EXPECT_TRUE(Proches(0, (q.x - p.x) + 2 * (q.y - p.y), 1e-15L));
        EXPECT_GT(std::fabs(q.x - p.x) + std::fabs(q.y - p.y), 1e-3L); // two distinct points
    }
    EXPECT_EQ(figure.liste_segments.size(), 6u);
}

TEST(Regles, commentaire_apres_une_forme_fixe)
{
    // Without an empty line, "Commentaire" is an object line with no construction and the
    // comment that follows is read as figure lines.
    std::string texte = essais::Texte_figure({});
    texte.erase(texte.find("\r\n\r\nCommentaire"));
    texte += "\r\nA point libre\r\n  Objet libre A, param\xE8tres: 0, 0\r\nB point libre\r\n"
             "  Objet libre B, param\xE8tres: 1, 1\r\nSegment [AB]\r\n"
             "  Objet dessinable AB, particularit\xE9s: rouge\r\nCommentaire\r\n"
             "C point libre\r\n  Objet libre C, param\xE8tres: 2, 2\r\nFin de la figure\r\n";
    TForm2 form2;
    TFigure figure;
    std::vector<TLigne_ignoree> ignorees;
    Lire_texte_figure(texte, "f.fgr", figure, form2, &ignorees);
    EXPECT_EQ(figure.liste_points.size(), 3u + 3u);
    ASSERT_EQ(ignorees.size(), 2u);
    EXPECT_EQ(ignorees[0].texte, "Commentaire");
    EXPECT_EQ(ignorees[1].texte, "Fin de la figure");
    // With an empty line before it, "Commentaire" ends the figure.
    Lecture l({"Segment [AB]", "", "Commentaire", "D point libre",
               "  Objet libre D, param\xE8tres: 2, 2"});
    EXPECT_EQ(Chercher_point(l.figure.liste_points, "D"), nullptr);
}

TEST(Regles, phrases_non_reconnues_et_noms_inconnus)
{
    Lecture l(
        {"c cercle de centre A et de diametre 2", "d droite parall\xE8le AB", "P point truc"});
    ASSERT_EQ(l.ignorees.size(), 3u);
    EXPECT_EQ(l.ignorees[0].raison, "phrase non reconnue");
    // The circle keeps its centre and no radius; the point made before the phrase failed too.
    ASSERT_EQ(l.figure.liste_cercles.size(), 1u);
    EXPECT_EQ(l.figure.liste_cercles[0]->centre->nom, "A");
    EXPECT_EQ(l.figure.liste_cercles[0]->rayon, 0);
    EXPECT_EQ(l.figure.liste_droites.size(), 2u); // no line without geometry
    EXPECT_NE(Chercher_point(l.figure.liste_points, "P"), nullptr);
    int etapes = 0; // only the four base points were recorded
    for (const TEtape* e = l.premiere->suivante; e->genre != 0; e = e->suivante)
        ++etapes;
    EXPECT_EQ(etapes, 4);

    struct Cas {
        const char* nom;
        std::string ligne;
        const char* message;
    };
    const Cas cas[] = {
        {"cercle", "P point libre sur le cercle k",
         "Le cercle \xAB k \xBB n'est pas d\xE9"
         "fini"},
        {"arc", "P point libre sur l'arc k",
         "L'arc \xAB k \xBB n'est pas d\xE9"
         "fini"},
        {"unite", "c cercle de centre A et de rayon 2 (unit\xE9 U)",
         "L'unit\xE9 \xAB U \xBB n'est pas d\xE9"
         "finie"},
        {"transformation", "P image de A par la transformation t", "La transformation \xAB t \xBB"},
        {"deux_points", "Droite (AZ)", "\xAB AZ \xBB ne d\xE9signe pas deux points"},
        {"parametre_absent", "P point libre sur la droite AB", "la ligne \xAB  Objet libre"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        try {
            Lecture erreur({c.ligne});
            ADD_FAILURE() << "no error";
        } catch (const Erreur_figure& e) {
            EXPECT_GE(e.ligne(), 14);
            EXPECT_TRUE(std::string(e.what()).starts_with(c.message)) << e.what();
        }
    }
}
