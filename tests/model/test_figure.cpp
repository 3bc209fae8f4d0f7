#include <gtest/gtest.h>

#include "model/figure.h"

using namespace trazel;

TEST(TEnregistreur_etapes, chaine_les_arguments_et_ferme_les_etapes)
{
    TFigure figure;
    TEtape* premiere = figure.Nouvelle_etape();
    TEnregistreur_etapes etapes(figure, premiere);
    Tpoint* a = figure.Nouveau<Tpoint>({.nom = "A"});
    etapes.Ajouter(figure.Argument_texte("d"));
    etapes.Ajouter(figure.Argument_reel(2.5L));
    etapes.Ajouter(figure.Nouvel_argument(a));
    etapes.Fermer();

    ASSERT_NE(premiere->arguments, nullptr);
    EXPECT_EQ(*Donnee<std::string>(premiere->arguments), "d");
    EXPECT_EQ(*Donnee<Reel>(Argument(premiere, 2)), 2.5L);
    EXPECT_EQ(Donnee<Tpoint>(Dernier_argument(premiere->arguments)), a);
    EXPECT_EQ(Argument(premiere, 4), nullptr);
    ASSERT_NE(premiere->suivante, nullptr);
    EXPECT_EQ(premiere->suivante, etapes.courante());
    EXPECT_EQ(etapes.courante()->genre, 0);
    EXPECT_EQ(etapes.courante()->arguments, nullptr);
}

TEST(Donnee, refuse_une_autre_nature)
{
    TFigure figure;
    TArgument* texte = figure.Argument_texte("x");
    EXPECT_EQ(texte->nature, 9);
    EXPECT_THROW(Donnee<Tpoint>(texte), std::logic_error);
    EXPECT_THROW(Donnee<Reel>(nullptr), std::logic_error);
    EXPECT_EQ(figure.Argument_entier(3)->nature, 1);
    EXPECT_EQ(figure.Argument_booleen(true)->nature, 23);
    EXPECT_EQ(figure.Nouvel_argument(figure.Nouveau<TCourbe>())->nature, 24);
}

TEST(TFigure, liberer_vide_toutes_les_listes)
{
    TFigure figure;
    figure.liste_points.push_back(figure.Nouveau<Tpoint>());
    figure.liste_droites.push_back(figure.Nouveau<Tdroite>());
    figure.transformations.rotations.push_back(figure.Nouveau<Trotation>());
    figure.cadre_image = figure.Nouveau<TCadre_image>();
    figure.premiere_etape = figure.Nouvelle_etape();
    figure.Liberer();
    EXPECT_TRUE(figure.liste_points.empty());
    EXPECT_TRUE(figure.liste_droites.empty());
    EXPECT_TRUE(figure.transformations.rotations.empty());
    EXPECT_EQ(figure.cadre_image, nullptr);
    EXPECT_EQ(figure.premiere_etape, nullptr);
}

// The index must give what a scan from the first element gives, whatever happened to the
// list between two lookups.
TEST(TPremiers_du_nom, comme_une_recherche_depuis_le_debut)
{
    TFigure figure;
    TPremiers_du_nom<Tdroite> index;
    std::vector<Tdroite*> liste;
    Tdroite* ab = figure.Nouveau<Tdroite>({.nom = "AB"});
    Tdroite* ab_bis = figure.Nouveau<Tdroite>({.nom = "AB"});
    Tdroite* cd = figure.Nouveau<Tdroite>({.nom = "CD"});
    liste = {ab, ab_bis};
    EXPECT_EQ(index.Chercher(liste, "AB"), ab); // the first of two
    EXPECT_EQ(index.Chercher(liste, "CD"), nullptr);
    liste.push_back(cd); // grown after a lookup
    EXPECT_EQ(index.Chercher(liste, "CD"), cd);
    liste = {ab_bis}; // emptied and filled again, shorter
    EXPECT_EQ(index.Chercher(liste, "AB"), ab_bis);
    EXPECT_EQ(index.Chercher(liste, "CD"), nullptr);
    liste = {cd, ab_bis, ab}; // emptied and filled again, longer: the owner empties it
    index.Vider();
    EXPECT_EQ(index.Chercher(liste, "AB"), ab_bis);
    cd->nom = "EF"; // a record renamed in place
    EXPECT_EQ(index.Chercher(liste, "CD"), nullptr);
    EXPECT_EQ(index.Chercher(liste, "EF"), cd);
}
