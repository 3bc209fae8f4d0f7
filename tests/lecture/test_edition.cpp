#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <random>

#include "lecture/edition.h"
#include "lecture/transcription.h"
#include "proches.h"

using namespace trazel;
using essais::Points_proches;
using essais::Proches;

namespace {

constexpr Reel pi = std::numbers::pi_v<Reel>;

// A figure text as the desktop program's default figure, with these object lines (a line
// may hold several, separated by '\r' as the phrases write them).
std::string Texte_de(const std::vector<std::string>& objets, const std::string& fin = "\r\n")
{
    std::string texte = "Figure Figuro" + fin + "Num\xE9ro de version: 2" + fin + fin +
                        "Position de Roxy: Xmin: -5, Xmax: 5, Ymax: 5" + fin +
                        "Objet dessinable Roxy, particularit\xE9s: rouge, dessin\xE9" + fin;
    for (const std::string& ligne : objets)
        texte += ligne + fin;
    return texte + fin + "Commentaire" + fin + "Fin de la figure" + fin;
}

// A figure read, and the editor's objects of it.
struct Lu {
    TForm2 form2;
    TFigure figure;
    std::vector<TLigne_ignoree> ignorees;
    TEtape* premiere = nullptr;
    std::vector<TObjet_edite> objets;

    explicit Lu(const std::vector<std::string>& lignes, const std::string& fin = "\r\n")
    {
        form2.separateur_decimal('.');
        premiere = Lire_texte_figure(Texte_de(lignes, fin), "essai.fgr", figure, form2, &ignorees);
        objets = Objets_edites(premiere, figure);
    }
    // The last object of that name.
    std::size_t Indice(std::string_view nom) const
    {
        for (std::size_t k = objets.size(); k-- > 0;)
            if (objets[k].nom == nom)
                return k;
        throw std::runtime_error("pas d'objet " + std::string(nom));
    }
    const TObjet_edite& Objet(std::string_view nom) const { return objets[Indice(nom)]; }
    // The real arguments of the object's step: a movable point's parameters.
    std::vector<Reel> Parametres(const TObjet_edite& objet) const
    {
        std::vector<Reel> valeurs;
        for (const TEtape* e = premiere; e != nullptr && e->genre != 0; e = e->suivante)
            if (e->ligne == objet.ligne && e->genre > 1)
                for (const TArgument* a = e->arguments; a != nullptr; a = a->suivant)
                    if (a->nature == Nature_de<Reel>::valeur)
                        valeurs.push_back(*Donnee<Reel>(a));
        return valeurs;
    }
};

std::string Texte_ignore(const std::vector<TLigne_ignoree>& ignorees)
{
    std::string texte;
    for (const TLigne_ignoree& l : ignorees)
        texte += std::to_string(l.numero) + ": " + l.texte + " (" + l.raison + ")\n";
    return texte;
}

// A(1, 0), B(3, 0), C(1, 2), O(0, 0), D(2, 1); c: centre O through A; e: centre A through O;
// d: parallel to AB through C (y = 2); a: arc of centre O from A towards C; s: reflection in
// (AB); f(x) = x^2 - 1; M the middle of [AB], I the middle of [CM].
const std::vector<std::string> base = {
    "A point libre",
    "  Objet libre A, param\xE8tres: 1, 0",
    "B point libre",
    "  Objet libre B, param\xE8tres: 3, 0",
    "C point libre",
    "  Objet libre C, param\xE8tres: 1, 2",
    "O point libre",
    "  Objet libre O, param\xE8tres: 0, 0",
    "D point libre",
    "  Objet libre D, param\xE8tres: 2, 1",
    "c cercle de centre O passant par A",
    "e cercle de centre A passant par O",
    "d droite parall\xE8le \xE0 AB passant par C",
    "a arc d'origine A et d'extr\xE9mit\xE9 C sur un cercle de centre O",
    "s sym\xE9trie d'axe AB",
    "f fonction x|->x^2-1",
    "M point libre sur le segment [AB]",
    "  Objet libre M, param\xE8tre: 0.5",
    "I milieu du segment [CM]",
};

struct Cas_phrase {
    const char* nom_du_cas;
    std::string phrase;
    std::string nom;
    TSorte_objet sorte;
    std::optional<Tcoordonnees> position{}; // a point's
    std::optional<Trond> cercle{};
    Reel tolerance = 1e-15L;
};

std::vector<Cas_phrase> Cas_des_phrases()
{
    using S = TSorte_objet;
    const std::optional<Tdeux_points> droite_cercle =
        Intersection_droite_cercle({{1, 0}, {2, 0}}, {{0, 0}, 1});
    const std::optional<Tdeux_points> cercles = Intersection_cercles({{0, 0}, 1}, {{1, 0}, 1});
    return {
        {"point_libre", phrase::Point_libre("P", {1.25L, -3}, 2), "P", S::point, {{1.25L, -3}}},
        {"sur_segment",
         phrase::Point_sur("P", S::segment, "AB", 0.25L, 2),
         "P",
         S::point,
         {{1.5L, 0}}},
        {"sur_droite", phrase::Point_sur("P", S::droite, "d", 0.5L, 2), "P", S::point, {{1.5L, 2}}},
        {"sur_demi_droite",
         phrase::Point_sur("P", S::demi_droite, "AB", 2, 2),
         "P",
         S::point,
         {{5, 0}}},
        {"sur_cercle",
         phrase::Point_sur("P", S::cercle, "c", pi / 2, 12),
         "P",
         S::point,
         {{0, 1}},
         {},
         1e-12L},
        {"sur_arc", phrase::Point_sur("P", S::arc, "a", 0, 2), "P", S::point, {{1, 0}}},
        {"segment", phrase::Segment("A", "C"), "AC", S::segment},
        {"droite", phrase::Droite("B", "C"), "BC", S::droite},
        {"demi_droite", phrase::Demi_droite("O", "C"), "OC", S::demi_droite},
        {"cercle_centre_point",
         phrase::Cercle_centre_point("c1", "O", "C"),
         "c1",
         S::cercle,
         {},
         {{{0, 0}, std::sqrt(Reel(5))}}},
        {"cercle_centre_rayon",
         phrase::Cercle_centre_rayon("c2", "O", "2"),
         "c2",
         S::cercle,
         {},
         {{{0, 0}, 2}}},
        {"cercle_diametre",
         phrase::Cercle_diametre("c3", "A", "B"),
         "c3",
         S::cercle,
         {},
         {{{2, 0}, 1}}},
        {"milieu", phrase::Milieu("J", "A", "B"), "J", S::point, {{2, 0}}},
        {"intersection_droites",
         phrase::Intersection_droites("J", "d", "OD"),
         "J",
         S::point,
         {{4, 2}}},
        {"intersection_droite_cercle_1", phrase::Intersection_droite_cercle("K", "AB", "c", 1), "K",
         S::point, droite_cercle->m2},
        {"intersection_droite_cercle_2", phrase::Intersection_droite_cercle("K", "AB", "c", 2), "K",
         S::point, droite_cercle->m1},
        {"intersection_cercles_1", phrase::Intersection_cercles("K", "c", "e", 1), "K", S::point,
         cercles->m1},
        {"intersection_cercles_2", phrase::Intersection_cercles("K", "c", "e", 2), "K", S::point,
         cercles->m2},
        {"parallele", phrase::Parallele("d1", "OC", "A"), "d1", S::droite},
        {"perpendiculaire", phrase::Perpendiculaire("d1", "AB", "C"), "d1", S::droite},
        {"mediatrice", phrase::Mediatrice("d1", "A", "B"), "d1", S::droite},
        {"bissectrice", phrase::Bissectrice("d1", "B", "A", "C"), "d1", S::droite},
        {"polygone", phrase::Polygone("p1", {"A", "B", "C"}), "p1", S::polygone},
        {"symetrie_axiale", phrase::Symetrie_axiale("s1", "AB"), "s1", S::transformation},
        {"symetrie_centrale", phrase::Symetrie_centrale("s1", "O"), "s1", S::transformation},
        {"translation", phrase::Translation("s1", "A", "B"), "s1", S::transformation},
        {"rotation", phrase::Rotation("s1", "O", "90"), "s1", S::transformation},
        {"homothetie", phrase::Homothetie("s1", "O", "2"), "s1", S::transformation},
        {"image_symetrie_axiale",
         phrase::Image_point("P", "C", phrase::Par_symetrie_axiale("AB")),
         "P",
         S::point,
         {{1, -2}}},
        {"image_symetrie_centrale",
         phrase::Image_point("P", "C", phrase::Par_symetrie_centrale("O")),
         "P",
         S::point,
         {{-1, -2}}},
        {"image_translation",
         phrase::Image_point("P", "C", phrase::Par_translation("A", "B")),
         "P",
         S::point,
         {{3, 2}}},
        {"image_rotation",
         phrase::Image_point("P", "C", phrase::Par_rotation("O", "90")),
         "P",
         S::point,
         {{-2, 1}},
         {},
         1e-15L},
        {"image_homothetie",
         phrase::Image_point("P", "C", phrase::Par_homothetie("O", "2")),
         "P",
         S::point,
         {{2, 4}}},
        {"image_par_nom",
         phrase::Image_point("P", "C", "la transformation s"),
         "P",
         S::point,
         {{1, -2}}},
        {"image_droite", phrase::Image_droite("d1", "d", "s"), "d1", S::droite},
        {"image_cercle", phrase::Image_cercle("c1", "c3", "s"), "c1", S::cercle},
        {"graphe", phrase::Graphe("Cf", "f", "-3", "3", 200), "Cf", S::courbe},
        {"lieu", phrase::Lieu("L", "I", "M", 100), "L", S::courbe},
        {"nombre", phrase::Nombre("k1", "3"), "k1", S::nombre},
        {"nombre_mesure", phrase::Nombre("k1", "2AB"), "k1", S::nombre},
        {"fonction", phrase::Fonction("g", "x", "x^2-1"), "g", S::nombre},
    };
}

} // namespace

TEST(Edition_phrases, chaque_phrase_se_relit_sans_ligne_ignoree)
{
    for (const Cas_phrase& c : Cas_des_phrases()) {
        SCOPED_TRACE(c.nom_du_cas);
        std::vector<std::string> lignes = base;
        if (c.nom_du_cas == std::string("image_cercle")) // the circle imaged
            lignes.push_back(phrase::Cercle_diametre("c3", "A", "B"));
        lignes.push_back(c.phrase);
        const Lu lu(lignes);
        EXPECT_EQ(Texte_ignore(lu.ignorees), "");
        ASSERT_FALSE(lu.objets.empty());
        const TObjet_edite& objet = lu.objets.back();
        EXPECT_EQ(objet.nom, c.nom);
        EXPECT_EQ(objet.sorte, c.sorte);
        // The phrase's first line is the object line.
        EXPECT_EQ(objet.ligne, 6 + static_cast<int>(lignes.size() - 1));
        if (c.position) {
            EXPECT_TRUE(Points_proches(*c.position, objet.position, c.tolerance));
        }
        if (c.cercle) {
            EXPECT_TRUE(Points_proches(c.cercle->centre, objet.cercle.centre, c.tolerance));
            EXPECT_TRUE(Proches(c.cercle->rayon, objet.cercle.rayon, c.tolerance));
        }
    }
}

TEST(Edition_phrases, lignes_separees_par_cr_seul)
{
    std::vector<std::string> lignes = base;
    lignes.push_back(phrase::Point_libre("P", {-2.5L, 0.125L}, 3));
    lignes.push_back(phrase::Point_sur("Q", TSorte_objet::cercle, "c", pi, 6));
    const Lu lu(lignes, "\r");
    EXPECT_EQ(Texte_ignore(lu.ignorees), "");
    EXPECT_TRUE(Points_proches({-2.5L, 0.125L}, lu.Objet("P").position));
    EXPECT_TRUE(Points_proches({-1, 0}, lu.Objet("Q").position, 1e-6L));
}

TEST(Edition_phrases, textes_exacts)
{
    EXPECT_EQ(phrase::Point_libre("A", {1, 2}, 2),
              "A point libre\r  Objet libre A, param\xE8tres: 1, 2");
    EXPECT_EQ(phrase::Point_sur("M", TSorte_objet::cercle, "c", 0.25L, 3),
              "M point libre sur le cercle c\r  Objet libre M, param\xE8tre: 0.25");
    EXPECT_EQ(phrase::Point_sur("M", TSorte_objet::demi_droite, "AB", 1, 3),
              "M point libre sur la demi-droite [AB)\r  Objet libre M, param\xE8tre: 1");
    EXPECT_EQ(phrase::Point_sur("M", TSorte_objet::polygone, "p", 1, 3), "");
    EXPECT_EQ(phrase::Milieu("I", "A", "B"), "I milieu du segment [AB]");
    EXPECT_EQ(phrase::Droite("A", "B"), "Droite (AB)");
    EXPECT_EQ(phrase::Cercle_centre_point("c1", "O", "A"), "c1 cercle de centre O passant par A");
    EXPECT_EQ(phrase::Cercle_centre_rayon("c", "O", "2"),
              "c cercle de centre O et de rayon 2 (unit\xE9 Uoxy)");
    EXPECT_EQ(phrase::Image_point("B", "A", phrase::Par_symetrie_axiale("d")),
              "B image de A par la sym\xE9trie d'axe d");
    EXPECT_EQ(phrase::Graphe("Cf", "f", "-3", "3", 200),
              "Cf graphe de f sur [-3, 3] dans le rep\xE8re Roxy (200 points)");
    EXPECT_EQ(phrase::Lieu("L", "I", "M", 100), "L lieu du point I selon M (100 points)");
    EXPECT_EQ(phrase::Nombre("a", "3"), "a = 3");
    EXPECT_EQ(phrase::Fonction("f", "x", "x^2-1"), "f fonction x|->x^2-1");
}

namespace {

// A triangle ABC with built objects of every family.
const std::vector<std::string> triangle = {
    "A point libre",                                                  // 0, line 6
    "  Objet libre A, param\xE8tres: 0, 0",                           //
    "B point libre",                                                  // 1, line 8
    "  Objet libre B, param\xE8tres: 4, 0",                           //
    "C point libre",                                                  // 2, line 10
    "  Objet libre C, param\xE8tres: 0, 3",                           //
    "Segment [AB]",                                                   // 3, line 12
    "Segment [BC]",                                                   // 4
    "I milieu du segment [AB]",                                       // 5
    "G centre de gravit\xE9 du triangle ABC",                         // 6
    "M point libre sur le segment [BC]",                              // 7, line 16
    "  Objet libre M, param\xE8tre: 0.5",                             //
    "a = 2AB",                                                        // 8, line 18
    "k1 = a+1",                                                       // 9
    "A1 point libre",                                                 // 10
    "  Objet libre A1, param\xE8tres: 5, 5",                          //
    "b = A1B",                                                        // 11
    "f fonction x|->a*x",                                             // 12
    "Cf graphe de f sur [-3, 3] dans le rep\xE8re Roxy (200 points)", // 13
    "vec u (1, 2) dans le rep\xE8re Roxy",                            // 14
    "vec w = vec(AB)+2*vec(u)",                                       // 15
    "c cercle de centre A passant par B",                             // 16
    "N point libre sur le cercle c",                                  // 17
    "  Objet libre N, param\xE8tre: 1",                               //
    "Droite (AC)",                                                    // 18
    "H projet\xE9 orthogonal de B sur AC",                            // 19
    "t translation transformant A en B",                              // 20
    "P image de C par la transformation t",                           // 21
    "Q image de C par la sym\xE9trie de centre I",                    // 22
    "L lieu du point I selon M (50 points)",                          // 23
    "  Objet dessinable L, particularit\xE9s: bleu, points non li\xE9s",
    "G2 barycentre de (A, 1), (B, k1) (unit\xE9 Uoxy)", // 24
};

} // namespace

TEST(Objets_edites, noms_codes_lignes_et_sortes)
{
    const Lu lu(triangle);
    ASSERT_EQ(Texte_ignore(lu.ignorees), "");
    ASSERT_EQ(lu.objets.size(), 25u);
    const std::vector<std::string> noms = {"A",  "B",  "C", "AB", "BC", "I", "G", "M", "a",
                                           "k1", "A1", "b", "f",  "Cf", "u", "w", "c", "N",
                                           "AC", "H",  "t", "P",  "Q",  "L", "G2"};
    for (std::size_t k = 0; k < noms.size(); ++k)
        EXPECT_EQ(lu.objets[k].nom, noms[k]) << k;
    using S = TSorte_objet;
    const std::vector<S> sortes = {S::point,          S::point,  S::point,  S::segment, S::segment,
                                   S::point,          S::point,  S::point,  S::nombre,  S::nombre,
                                   S::point,          S::nombre, S::nombre, S::courbe,  S::vecteur,
                                   S::vecteur,        S::cercle, S::point,  S::droite,  S::point,
                                   S::transformation, S::point,  S::point,  S::courbe,  S::point};
    for (std::size_t k = 0; k < sortes.size(); ++k)
        EXPECT_EQ(lu.objets[k].sorte, sortes[k]) << k;
    EXPECT_EQ(lu.objets[0].ligne, 6);
    EXPECT_EQ(lu.objets[3].ligne, 12);
    EXPECT_EQ(lu.objets[7].ligne, 16);
    EXPECT_EQ(lu.objets[8].ligne, 18);
    EXPECT_EQ(lu.objets[5].code, TCode::milieu);
    EXPECT_EQ(lu.objets[6].code, TCode::centre_gravite);
    EXPECT_EQ(lu.objets[7].code, TCode::point_sur_segment);
    EXPECT_EQ(lu.objets[12].code, TCode::fonction);
    EXPECT_EQ(lu.objets[22].code, TCode::image_symetrie_centrale);
    EXPECT_TRUE(lu.objets[0].a_des_attributs);
    EXPECT_TRUE(lu.objets[23].a_des_attributs);
    EXPECT_FALSE(lu.objets[8].a_des_attributs);
    EXPECT_FALSE(lu.objets[20].a_des_attributs);
    EXPECT_FALSE(lu.objets[14].a_des_attributs);
}

TEST(Objets_edites, appuis_directs)
{
    const Lu lu(triangle);
    using V = std::vector<std::size_t>;
    const std::vector<V> appuis = {
        {},     {},      {},      {0, 1},  {1, 2}, {3},    {0, 1, 2},  {4},    {0, 1},
        {8},    {},      {1, 10}, {8},     {12},   {},     {0, 1, 14}, {0, 1}, {16},
        {0, 2}, {1, 18}, {0, 1},  {2, 20}, {2, 5}, {5, 7}, {0, 1, 9},
    };
    ASSERT_EQ(lu.objets.size(), appuis.size());
    for (std::size_t k = 0; k < appuis.size(); ++k)
        EXPECT_EQ(lu.objets[k].appuis, appuis[k]) << lu.objets[k].nom;
}

TEST(Objets_edites, dependants_transitifs)
{
    const Lu lu(triangle);
    using V = std::vector<std::size_t>;
    EXPECT_EQ(Objets_dependants(lu.objets, 0),
              (V{3, 5, 6, 8, 9, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}));
    EXPECT_EQ(Objets_dependants(lu.objets, 10), (V{11}));
    EXPECT_EQ(Objets_dependants(lu.objets, 4), (V{7, 23}));
    EXPECT_EQ(Objets_dependants(lu.objets, 14), (V{15}));
    EXPECT_EQ(Objets_dependants(lu.objets, 24), V{});
    EXPECT_EQ(Objets_dependants(lu.objets, 99), V{});
}

TEST(Objets_edites, geometrie_et_supports)
{
    const Lu lu(triangle);
    EXPECT_TRUE(Points_proches({2, 0}, lu.Objet("I").position));
    EXPECT_TRUE(Points_proches({Reel(4) / 3, 1}, lu.Objet("G").position));
    EXPECT_TRUE(Points_proches({2, 1.5L}, lu.Objet("M").position));
    const TObjet_edite& ab = lu.Objet("AB");
    EXPECT_TRUE(Points_proches({0, 0}, ab.extremite1));
    EXPECT_TRUE(Points_proches({4, 0}, ab.extremite2));
    EXPECT_TRUE(Points_proches({4, 0}, ab.droite.direction));
    EXPECT_TRUE(Points_proches({0, 0}, lu.Objet("c").cercle.centre));
    EXPECT_TRUE(Proches(4, lu.Objet("c").cercle.rayon, 1e-18L));
    EXPECT_TRUE(Points_proches({0, 3}, lu.Objet("AC").droite.direction));

    using T = TSupport::TSorte;
    ASSERT_TRUE(lu.Objet("A").support);
    EXPECT_EQ(lu.Objet("A").support->sorte, T::plan);
    const TObjet_edite& m = lu.Objet("M");
    ASSERT_TRUE(m.support);
    EXPECT_EQ(m.support->sorte, T::segment);
    EXPECT_TRUE(Points_proches({4, 0}, m.support->origine));
    EXPECT_TRUE(Points_proches({-4, 3}, m.support->e));
    ASSERT_TRUE(lu.Objet("N").support);
    EXPECT_EQ(lu.Objet("N").support->sorte, T::cercle);
    EXPECT_TRUE(Proches(4, lu.Objet("N").support->rond.rayon, 1e-18L));
    for (const char* fixe : {"I", "G", "H", "P", "Q", "G2"})
        EXPECT_FALSE(lu.Objet(fixe).support) << fixe;
}

TEST(Objets_edites, attributs_lus)
{
    const Lu lu({"A point libre", "  Objet libre A, param\xE8tres: 1, 1",
                 "  Objet dessinable A, particularit\xE9s: rouge, marque fine, nom \xE0 gauche",
                 "B point libre", "  Objet libre B, param\xE8tres: 2, 1", "Segment [AB]",
                 "  Objet dessinable AB, particularit\xE9s: vert, tiret\xE9"});
    const TAttributs& a = lu.Objet("A").attributs;
    EXPECT_EQ(a.couleur, "red");
    EXPECT_EQ(a.marque, "0.5");
    EXPECT_EQ(a.position_nom, "180");
    EXPECT_TRUE(a.dessine);
    const TAttributs& b = lu.Objet("B").attributs;
    EXPECT_EQ(b.couleur, "black");
    EXPECT_EQ(b.position_nom, position_non_definie);
    const TAttributs& ab = lu.Objet("AB").attributs;
    EXPECT_EQ(ab.couleur, "green");
    EXPECT_EQ(ab.style, "dashed");
}

TEST(Objets_edites, une_ligne_ignoree_ne_donne_pas_d_objet)
{
    const Lu lu({"A point libre", "  Objet libre A, param\xE8tres: 1, 1", "X truc inconnu",
                 "B point libre", "  Objet libre B, param\xE8tres: 2, 1"});
    ASSERT_EQ(lu.ignorees.size(), 1u);
    ASSERT_EQ(lu.objets.size(), 2u);
    EXPECT_EQ(lu.objets[1].nom, "B");
    EXPECT_EQ(lu.objets[1].ligne, 9);
}

TEST(Objets_edites, raison_point_fixe)
{
    const Lu lu(triangle);
    EXPECT_EQ(Raison_point_fixe(lu.Objet("I")),
              "I est construit (milieu) : d\xE9placez les points libres dont il d\xE9pend.");
    EXPECT_EQ(Raison_point_fixe(lu.Objet("G")),
              "G est construit (centre de gravit\xE9) : d\xE9placez les points libres dont il "
              "d\xE9pend.");
}

namespace {

// Movable points of every support, their parameters written with many decimals.
const std::vector<std::string> mobiles = [] {
    std::vector<std::string> lignes = base;
    const std::vector<std::string> suite = {
        "K polygone ABCO",
        "R rep\xE8re (O, vec(OB), vec(OC)) graduations (1, 1)",
        "P1 point libre",
        "  Objet libre P1, param\xE8tres: 1.3, -2.7",
        "P2 point libre dans le cadre K",
        "  Objet libre P2, param\xE8tres: 0.25, 0.7531",
        "P3 point libre \xE0 coordonn\xE9"
        "es dans le rep\xE8re R",
        "  Objet libre P3, param\xE8tres: 0.5123, -0.25",
        "P4 point libre sur le segment [BC]",
        "  Objet libre P4, param\xE8tre: 0.3",
        "P5 point libre sur la droite d",
        "  Objet libre P5, param\xE8tre: -1.7",
        "P6 point libre sur la demi-droite [OC)",
        "  Objet libre P6, param\xE8tre: 1.7",
        "P7 point libre sur le cercle e",
        "  Objet libre P7, param\xE8tre: 2.5",
        "P8 point libre sur l'arc a",
        "  Objet libre P8, param\xE8tre: 0.4",
        "P9 point \xE0 abscisse fixe sur d",
        "  Objet libre P9, param\xE8tre: 0.7",
    };
    lignes.insert(lignes.end(), suite.begin(), suite.end());
    return lignes;
}();

// A few ulps of the coordinates' size.
Reel Ulps(Tcoordonnees p)
{
    return 8 * std::numeric_limits<Reel>::epsilon() *
           std::max({Reel(1), std::fabs(p.x), std::fabs(p.y)});
}

} // namespace

TEST(Supports, position_du_point_est_celle_du_resolveur)
{
    const Lu lu(mobiles);
    ASSERT_EQ(Texte_ignore(lu.ignorees), "");
    using T = TSupport::TSorte;
    const std::vector<std::pair<const char*, T>> points = {
        {"P1", T::plan},    {"P2", T::cadre},  {"P3", T::repere},
        {"P4", T::segment}, {"P5", T::droite}, {"P6", T::demi_droite},
        {"P7", T::cercle},  {"P8", T::arc},    {"P9", T::droite}};
    for (const auto& [nom, sorte] : points) {
        SCOPED_TRACE(nom);
        const TObjet_edite& p = lu.Objet(nom);
        ASSERT_TRUE(p.support);
        EXPECT_EQ(p.support->sorte, sorte);
        const std::vector<Reel> parametres =
            sorte == T::plan ? std::vector<Reel>{p.position.x, p.position.y} : lu.Parametres(p);
        ASSERT_EQ(parametres.size(),
                  sorte == T::plan || sorte == T::cadre || sorte == T::repere ? 2u : 1u);
        EXPECT_TRUE(Points_proches(p.position, Position_du_point(*p.support, parametres),
                                   Ulps(p.position)));
        // And back.
        const std::vector<Reel> relus = Parametres_du_point(*p.support, p.position);
        ASSERT_EQ(relus.size(), parametres.size());
        for (std::size_t k = 0; k < relus.size(); ++k)
            EXPECT_TRUE(Proches(parametres[k], relus[k], 1e-15L));
    }
    EXPECT_TRUE(Points_proches({0.75L, 2 * 0.7531L}, lu.Objet("P2").position, 1e-17L));
    EXPECT_TRUE(Points_proches({3 * 0.5123L - 0.25L, -0.5L}, lu.Objet("P3").position, 1e-17L));
}

TEST(Supports, bornes_des_segments_demi_droites_et_arcs)
{
    const Lu lu(mobiles);
    const TSupport& segment = *lu.Objet("P4").support; // [BC]: B(3, 0), C(1, 2)
    EXPECT_EQ(Parametres_du_point(segment, {5, -2}), std::vector<Reel>{0});
    EXPECT_EQ(Parametres_du_point(segment, {-4, 3}), std::vector<Reel>{1});
    EXPECT_TRUE(Proches(0.5L, Parametres_du_point(segment, {3, 2})[0], 1e-18L));
    const TSupport& demi = *lu.Objet("P6").support; // [OC)
    EXPECT_EQ(Parametres_du_point(demi, {-1, -2}), std::vector<Reel>{0});
    EXPECT_TRUE(Proches(3, Parametres_du_point(demi, {3, 6})[0], 1e-18L));
    const TSupport& droite = *lu.Objet("P5").support; // d: through C, direction (1, 0)
    EXPECT_TRUE(Proches(-4, Parametres_du_point(droite, {-3, 7})[0], 1e-18L));

    TSupport arc;
    arc.sorte = TSupport::TSorte::arc;
    arc.rond = {{0, 0}, 1};
    arc.debut = 0;
    arc.fin = pi / 2;
    EXPECT_TRUE(Proches(0.5L, Parametres_du_point(arc, {1, 1})[0], 1e-18L));
    EXPECT_EQ(Parametres_du_point(arc, {-1, 0.2L}), std::vector<Reel>{1});
    EXPECT_EQ(Parametres_du_point(arc, {1, -0.1L}), std::vector<Reel>{0});
    // An arc across the angle 0, counter-clockwise from 3pi/2 to pi/2.
    arc.debut = 3 * pi / 2;
    arc.fin = pi / 2;
    EXPECT_TRUE(Proches(0.5L, Parametres_du_point(arc, {2, 0})[0], 1e-18L));
    EXPECT_TRUE(Points_proches({1, 0}, Position_du_point(arc, {0.5L}), 1e-18L));
    EXPECT_EQ(Parametres_du_point(arc, {-1, -0.1L}), std::vector<Reel>{0});
}

TEST(Supports, repere_et_cadre)
{
    TSupport repere;
    repere.sorte = TSupport::TSorte::repere;
    repere.origine = {1, 1};
    repere.e = {2, 0};
    repere.f = {1, 1};
    const std::vector<Reel> uv = Parametres_du_point(repere, {4, 3});
    ASSERT_EQ(uv.size(), 2u);
    EXPECT_TRUE(Proches(0.5L, uv[0], 1e-18L));
    EXPECT_TRUE(Proches(2, uv[1], 1e-18L));
    EXPECT_TRUE(Points_proches({4, 3}, Position_du_point(repere, uv), 1e-18L));
    TSupport plan;
    EXPECT_EQ(Parametres_du_point(plan, {1.5L, -2}), (std::vector<Reel>{1.5L, -2}));
    TSupport cadre;
    cadre.sorte = TSupport::TSorte::cadre;
    cadre.origine = {1, 2};
    cadre.e = {4, 0};
    cadre.f = {0, 2};
    EXPECT_EQ(Parametres_du_point(cadre, {3, 5}), (std::vector<Reel>{0.5L, 1.5L}));
}

namespace {

struct Cas_attributs {
    TSorte_objet sorte;
    std::string nom;
    std::vector<std::string> lignes;
};

const std::vector<Cas_attributs> cas_attributs = {
    {TSorte_objet::point, "P", {"P point libre", "  Objet libre P, param\xE8tres: 1, 1"}},
    {TSorte_objet::droite, "AB", {"Droite (AB)"}},
    {TSorte_objet::demi_droite, "AB", {"Demi-droite [AB)"}},
    {TSorte_objet::segment, "AB", {"Segment [AB]"}},
    {TSorte_objet::cercle, "c1", {"c1 cercle de centre O passant par A"}},
    {TSorte_objet::arc,
     "a1",
     {"a1 arc d'origine A et d'extr\xE9mit\xE9 C sur un cercle de centre O"}},
    {TSorte_objet::polygone, "p1", {"p1 polygone ABC"}},
    {TSorte_objet::courbe, "Cf", {"Cf graphe de f sur [-3, 3] dans le rep\xE8re Roxy (50 points)"}},
    {TSorte_objet::courbe, "L", {"L lieu du point I selon M (20 points)"}},
    {TSorte_objet::repere, "R", {"R rep\xE8re (O, vec(OB), vec(OC)) graduations (1, 1)"}},
};

TAttributs Attributs_au_hasard(std::mt19937& hasard, TSorte_objet sorte)
{
    static const std::vector<std::string> couleurs = {
        "black", "red", "blue", "green", "yellow", "magenta", "cyan", "lightgray", "gray"};
    static const std::vector<std::string> directions = {
        "0", "45", "90", "135", "180", "-135", "-90", "-45", position_non_definie};
    static const std::vector<std::string> marques = {"1", "1.5", "0.5"};
    auto un_de = [&](const std::vector<std::string>& liste, std::size_t n) {
        return liste[std::uniform_int_distribution<std::size_t>(0, n - 1)(hasard)];
    };
    auto pile = [&] { return std::uniform_int_distribution<int>(0, 1)(hasard) == 1; };
    TAttributs a;
    const bool point = sorte == TSorte_objet::point;
    a.dessine = pile();
    a.couleur = un_de(couleurs, point ? 7 : couleurs.size()); // points have no grey
    if (point) {
        a.nom_dessine = pile();
        a.position_nom = un_de(directions, directions.size());
        a.marque = un_de(marques, marques.size());
    } else {
        a.style = pile() ? "dashed" : "solid";
    }
    if (sorte == TSorte_objet::courbe)
        a.points_lies = pile();
    return a;
}

void Comparer(const TAttributs& attendu, const TAttributs& lu, TSorte_objet sorte)
{
    EXPECT_EQ(lu.dessine, attendu.dessine);
    EXPECT_EQ(lu.couleur, attendu.couleur);
    if (sorte == TSorte_objet::point) {
        EXPECT_EQ(lu.nom_dessine, attendu.nom_dessine);
        EXPECT_EQ(lu.position_nom, attendu.position_nom);
        EXPECT_EQ(lu.marque, attendu.marque);
    } else {
        EXPECT_EQ(lu.style, attendu.style);
    }
    if (sorte == TSorte_objet::courbe) {
        EXPECT_EQ(lu.points_lies, attendu.points_lies);
    }
}

} // namespace

TEST(Ligne_particularites, relue_donne_exactement_les_attributs)
{
    std::mt19937 hasard(20240611);
    for (int essai = 0; essai < 25; ++essai)
        for (const Cas_attributs& c : cas_attributs) {
            const TAttributs a = Attributs_au_hasard(hasard, c.sorte);
            const std::string ligne = Ligne_particularites(c.nom, a, c.sorte);
            SCOPED_TRACE(ligne);
            std::vector<std::string> lignes = base;
            lignes.insert(lignes.end(), c.lignes.begin(), c.lignes.end());
            lignes.push_back(ligne);
            const Lu lu(lignes);
            EXPECT_EQ(Texte_ignore(lu.ignorees), "");
            Comparer(a, lu.objets.back().attributs, c.sorte);
        }
}

TEST(Ligne_particularites, chaque_direction_du_nom)
{
    for (const char* direction : {"0", "45", "90", "135", "180", "-135", "-90", "-45"}) {
        TAttributs a;
        a.position_nom = direction;
        const Lu lu({"P point libre", "  Objet libre P, param\xE8tres: 1, 1",
                     Ligne_particularites("P", a, TSorte_objet::point)});
        EXPECT_EQ(lu.Objet("P").attributs.position_nom, direction);
    }
}

TEST(Ligne_particularites, textes_exacts)
{
    TAttributs a;
    a.couleur = "red";
    a.marque = "1.5";
    a.position_nom = "45";
    EXPECT_EQ(Ligne_particularites("A", a, TSorte_objet::point),
              "  Objet dessinable A, particularit\xE9s: dessin\xE9, rouge, marque \xE9paisse, "
              "nom \xE0 droite, nom au-dessus");
    TAttributs d;
    d.dessine = false;
    d.couleur = "gray";
    d.style = "dashed";
    EXPECT_EQ(Ligne_particularites("d", d, TSorte_objet::droite),
              "  Objet dessinable d, particularit\xE9s: non dessin\xE9, gris fonc\xE9, tiret\xE9");
    TAttributs p;
    p.dessine = false;
    p.nom_dessine = false;
    EXPECT_EQ(Ligne_particularites("M", p, TSorte_objet::point),
              "  Objet dessinable M, particularit\xE9s: marque non dessin\xE9"
              "e, nom non dessin\xE9");
}

TEST(Edition_lignes, plage_de_l_objet)
{
    const std::vector<std::string> lignes = {"A point libre",
                                             "  Objet libre A, param\xE8tres: 1, 2",
                                             "  Objet dessinable A, particularit\xE9s: rouge",
                                             "Segment [AB]",
                                             "",
                                             "Commentaire"};
    EXPECT_EQ(Plage_de_l_objet(lignes, 1).debut, 0u);
    EXPECT_EQ(Plage_de_l_objet(lignes, 1).fin, 3u);
    EXPECT_EQ(Plage_de_l_objet(lignes, 4).debut, 3u);
    EXPECT_EQ(Plage_de_l_objet(lignes, 4).fin, 4u);
    EXPECT_EQ(Plage_de_l_objet(lignes, 0).debut, lignes.size());
    EXPECT_EQ(Plage_de_l_objet(lignes, 7).fin, lignes.size());
}

TEST(Edition_lignes, remplacer_parametres)
{
    std::vector<std::string> lignes = {"A point libre", "  Objet libre A, param\xE8tres: 1, 2",
                                       "  Objet dessinable A, particularit\xE9s: rouge",
                                       "Segment [AB]",
                                       "  Objet dessinable AB, particularit\xE9s: vert"};
    const std::string nouvelle = Ligne_parametres("A", {1.256L, -3}, 2);
    EXPECT_EQ(nouvelle, "  Objet libre A, param\xE8tres: 1.26, -3");
    EXPECT_TRUE(Remplacer_parametres(lignes, 1, nouvelle));
    EXPECT_EQ(lignes, (std::vector<std::string>{
                          "A point libre", "  Objet libre A, param\xE8tres: 1.26, -3",
                          "  Objet dessinable A, particularit\xE9s: rouge", "Segment [AB]",
                          "  Objet dessinable AB, particularit\xE9s: vert"}));
    const std::vector<std::string> avant = lignes;
    EXPECT_FALSE(Remplacer_parametres(lignes, 4, Ligne_parametres("AB", {0.5L}, 2)));
    EXPECT_FALSE(Remplacer_parametres(lignes, 9, Ligne_parametres("AB", {0.5L}, 2)));
    EXPECT_EQ(lignes, avant);
    EXPECT_EQ(Ligne_parametres("M", {0.5L}, 3), "  Objet libre M, param\xE8tre: 0.5");
}

TEST(Edition_lignes, remplacer_particularites)
{
    const std::string rouge = "  Objet dessinable A, particularit\xE9s: rouge";
    const std::string bleu = "  Objet dessinable A, particularit\xE9s: bleu";
    const std::string neuve = "  Objet dessinable A, particularit\xE9s: vert";
    std::vector<std::string> lignes = {"A point libre", "  Objet libre A, param\xE8tres: 1, 2",
                                       rouge,           bleu,
                                       "B point libre", "  Objet libre B, param\xE8tres: 3, 2"};
    Remplacer_particularites(lignes, 1, neuve);
    EXPECT_EQ(lignes, (std::vector<std::string>{
                          "A point libre", "  Objet libre A, param\xE8tres: 1, 2", neuve,
                          "B point libre", "  Objet libre B, param\xE8tres: 3, 2"}));
    const std::string b = "  Objet dessinable B, particularit\xE9s: rose";
    Remplacer_particularites(lignes, 4, b);
    EXPECT_EQ(lignes, (std::vector<std::string>{
                          "A point libre", "  Objet libre A, param\xE8tres: 1, 2", neuve,
                          "B point libre", "  Objet libre B, param\xE8tres: 3, 2", b}));
    std::vector<std::string> segment = {"Segment [AB]", "", "Commentaire"};
    Remplacer_particularites(segment, 1, "  Objet dessinable AB, particularit\xE9s: tiret\xE9");
    EXPECT_EQ(segment, (std::vector<std::string>{
                           "Segment [AB]", "  Objet dessinable AB, particularit\xE9s: tiret\xE9",
                           "", "Commentaire"}));
}

TEST(Edition_lignes, particularites_remplacees_puis_relues)
{
    std::vector<std::string> lignes = {"A point libre", "  Objet libre A, param\xE8tres: 1, 2",
                                       "  Objet dessinable A, particularit\xE9s: rouge, nom "
                                       "\xE0 gauche, marque fine",
                                       "  Objet dessinable A, particularit\xE9s: nom non "
                                       "dessin\xE9"};
    TAttributs a; // back to every default
    a.couleur = "blue";
    Remplacer_particularites(lignes, 1, Ligne_particularites("A", a, TSorte_objet::point));
    ASSERT_EQ(lignes.size(), 3u);
    const Lu lu(lignes);
    Comparer(a, lu.Objet("A").attributs, TSorte_objet::point);
}

TEST(Edition_lignes, position_de_roxy)
{
    EXPECT_EQ(Ligne_position_roxy(-5, 5, 5, 2), "Position de Roxy: Xmin: -5, Xmax: 5, Ymax: 5");
    const std::string ligne = Ligne_position_roxy(-7.5L, 2.25L, 3.125L, 3);
    EXPECT_EQ(ligne, "Position de Roxy: Xmin: -7.5, Xmax: 2.25, Ymax: 3.125");
    std::string texte = Texte_de({});
    texte.replace(texte.find("Position"), texte.find("\r\nObjet") - texte.find("Position"), ligne);
    TForm2 form2;
    TFigure figure;
    TEtape* premiere = Lire_texte_figure(texte, "essai.fgr", figure, form2);
    const TReperexoy& roxy = *Donnee<TReperexoy>(Dernier_argument(premiere->arguments));
    EXPECT_EQ(roxy.xmin, -7.5L);
    EXPECT_EQ(roxy.xmax, 2.25L);
    EXPECT_EQ(roxy.ymax, 3.125L);
}

TEST(Decimales, arrondi_sans_zeros_ni_zero_negatif)
{
    EXPECT_EQ(Decimales(1.25L, 2), "1.25");
    EXPECT_EQ(Decimales(-3, 2), "-3");
    EXPECT_EQ(Decimales(Reel(1) / 3, 3), "0.333");
    EXPECT_EQ(Decimales(Reel(2) / 3, 3), "0.667");
    EXPECT_EQ(Decimales(-0.0001L, 2), "0");
    EXPECT_EQ(Decimales(-0.0L, 2), "0");
    EXPECT_EQ(Decimales(1234567.891L, 1), "1234567.9");
    EXPECT_EQ(Decimales(0.1L + 0.2L, 10), "0.3");
    EXPECT_EQ(Decimales(2.7L, 0), "3");
    EXPECT_EQ(Decimales(100, 3), "100");
}

namespace {

std::vector<TObjet_edite> Objets_nommes(const std::vector<std::string>& noms)
{
    std::vector<TObjet_edite> objets(noms.size());
    for (std::size_t k = 0; k < noms.size(); ++k)
        objets[k].nom = noms[k];
    return objets;
}

} // namespace

TEST(Nom_libre, par_sorte)
{
    EXPECT_EQ(Nom_libre({}, TSorte_nom::point), "A");
    EXPECT_EQ(Nom_libre(Objets_nommes({"A", "C"}), TSorte_nom::point), "B");
    EXPECT_EQ(Nom_libre(Objets_nommes({"A", "C"}), TSorte_nom::point, {"B"}), "D");
    std::vector<std::string> alphabet;
    for (char c = 'A'; c <= 'Z'; ++c)
        alphabet.emplace_back(1, c);
    EXPECT_EQ(Nom_libre(Objets_nommes(alphabet), TSorte_nom::point), "A1");
    alphabet.push_back("A1");
    EXPECT_EQ(Nom_libre(Objets_nommes(alphabet), TSorte_nom::point), "B1");
    EXPECT_EQ(Nom_libre(Objets_nommes({"d1", "d3"}), TSorte_nom::droite), "d2");
    EXPECT_EQ(Nom_libre({}, TSorte_nom::cercle), "c1");
    EXPECT_EQ(Nom_libre({}, TSorte_nom::arc), "a1");
    EXPECT_EQ(Nom_libre({}, TSorte_nom::polygone), "p1");
    EXPECT_EQ(Nom_libre({}, TSorte_nom::transformation), "s1");
    EXPECT_EQ(Nom_libre(Objets_nommes({"C1"}), TSorte_nom::courbe), "C2");
    EXPECT_EQ(Nom_libre({}, TSorte_nom::nombre), "k1");
    EXPECT_EQ(Nom_libre({}, TSorte_nom::fonction), "f");
    EXPECT_EQ(Nom_libre(Objets_nommes({"f", "g"}), TSorte_nom::fonction), "h");
    EXPECT_EQ(Nom_libre(Objets_nommes({"f", "g", "h"}), TSorte_nom::fonction), "f1");
    EXPECT_EQ(Nom_libre(Objets_nommes({"f", "h"}), TSorte_nom::fonction, {"g"}), "f1");
}

// A point put on a line, a segment, a half-line, a circle or an arc through its carrier's
// support and the phrase of the point tool reads back where the support placed it; the lines
// include one with a frame of its own (a parallel) and one with reversed points.
TEST(Supports, point_pose_sur_chaque_porteur)
{
    const std::vector<std::string> base = {
        "A point libre",
        "  Objet libre A, param\xE8tres: -2, -1",
        "B point libre",
        "  Objet libre B, param\xE8tres: 3, 1",
        "C point libre",
        "  Objet libre C, param\xE8tres: 0, 3",
        "Segment [AB]",
        "Droite (BC)",
        "Demi-droite [CA)",
        "d1 droite parall\xE8le \xE0 AB passant par C",
        "c1 cercle de centre A passant par C",
        "a1 arc d'origine B et d'extr\xE9mit\xE9 C sur un cercle de centre A"};
    const Lu lu(base);
    ASSERT_EQ(Texte_ignore(lu.ignorees), "");
    const Tcoordonnees cible{0.7L, 0.4L};
    for (const char* nom : {"AB", "BC", "CA", "d1", "c1", "a1"}) {
        SCOPED_TRACE(nom);
        const TObjet_edite& o = lu.Objet(nom);
        ASSERT_TRUE(o.porteur);
        const Reel t = Parametres_du_point(*o.porteur, cible).front();
        std::vector<std::string> lignes = base;
        lignes.push_back(phrase::Point_sur("M", o.sorte, o.nom, t, 6));
        const Lu relu(lignes);
        ASSERT_EQ(Texte_ignore(relu.ignorees), "");
        const Reel ecrit = std::stold(Decimales(t, 6));
        EXPECT_TRUE(Points_proches(relu.Objet("M").position, Position_du_point(*o.porteur, {ecrit}),
                                   1e-15L));
    }
    EXPECT_FALSE(lu.Objet("A").porteur);
}
