#include <gtest/gtest.h>

#include "lecture/particularites.h"
#include "model/phrases.h"

using namespace trazel;

namespace {

std::string Ligne(std::string_view nom, std::string_view attributs)
{
    return "  Objet dessinable " + std::string(nom) +
           ", particularit\xE9s: " + std::string(attributs);
}

} // namespace

TEST(Lire_particularites, couleurs_et_style_d_une_droite)
{
    struct Cas {
        const char* nom;
        std::string_view attributs;
        const char* couleur;
        const char* style;
        bool dessine;
    };
    const Cas cas[] = {
        {"rouge_en_fin_de_ligne", "rouge", "red", "solid", true},
        {"gris_fonce_tirete", "gris, fonc\xE9, tiret\xE9", "gray", "dashed", true},
        {"gris_seul", "gris", "lightgray", "solid", true},
        {"bleu_puis_ciel", "bleu ciel", "cyan", "solid", true},
        {"couleur_suivie_d_un_mot_inconnu", "vert clair", "black", "solid", true},
        {"couleur_suivie_d_un_attribut", "jaune, non dessin\xE9", "yellow", "solid", false},
        {"rose", "rose", "magenta", "solid", true},
        {"non_dessine", "non dessin\xE9", "black", "solid", false},
        {"dessine_apres_non_dessine", "non dessin\xE9, dessin\xE9", "black", "solid", true},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Tdroite d;
        Lire_particularites(Ligne("d", c.attributs), Particularites_de(d));
        EXPECT_EQ(d.couleur, c.couleur);
        EXPECT_EQ(d.style, c.style);
        EXPECT_EQ(d.dessine, c.dessine);
    }
}

TEST(Lire_particularites, ligne_sans_particularites)
{
    Tcercle c;
    Lire_particularites("  Objet dessinable c, rouge, non dessin\xE9", Particularites_de(c));
    EXPECT_EQ(c.couleur, "black");
    EXPECT_TRUE(c.dessine);
    Tpoint p;
    Lire_particularites("  Pas de particularit\xE9s: rouge", Particularites_de(p));
    EXPECT_EQ(p.couleur, "black");
}

TEST(Lire_particularites, points)
{
    struct Cas {
        const char* nom;
        std::string_view attributs;
        const char* couleur;
        const char* position;
        const char* marque;
        bool dessine;
        bool nom_dessine;
    };
    const char* nd = position_non_definie;
    const Cas cas[] = {
        {"gris_fonce_donne_noir", "gris fonc\xE9", "black", nd, "1", true, true},
        {"gris_donne_noir", "rouge, gris", "black", nd, "1", true, true},
        {"droite_et_dessus", "nom \xE0 droite, nom au-dessus", "black", "45", "1", true, true},
        {"dessous_seul", "nom au-dessous", "black", "-90", "1", true, true},
        {"gauche", "nom \xE0 gauche", "black", "180", "1", true, true},
        {"gauche_et_dessus", "nom \xE0 gauche, nom au-dessus", "black", "135", "1", true, true},
        {"droite_et_dessous", "nom \xE0 droite, nom au-dessous", "black", "-45", "1", true, true},
        {"scores_qui_s_annulent", "nom \xE0 droite, nom \xE0 gauche", "black", nd, "1", true, true},
        {"marque_epaisse", "rouge, marque \xE9paisse, nom \xE0 droite", "red", "0", "1.5", true,
         true},
        {"tangente", "marque fine, nom non dessin\xE9", "black", nd, "0.5", true, false},
        {"non_dessine_cache_aussi_le_nom", "marque \xE9paisse, non dessin\xE9", "black", nd, "1.5",
         false, false},
        {"marque_non_dessinee",
         "marque non dessin\xE9"
         "e",
         "black", nd, "1", false, true},
        {"tirete_sans_effet", "tiret\xE9", "black", nd, "1", true, true},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Tpoint p{.nom = "A"};
        Lire_particularites(Ligne("A", c.attributs), Particularites_de(p));
        EXPECT_EQ(p.couleur, c.couleur);
        EXPECT_EQ(p.position_nom, c.position);
        EXPECT_EQ(p.marque, c.marque);
        EXPECT_EQ(p.dessine, c.dessine);
        EXPECT_EQ(p.nom_dessine, c.nom_dessine);
    }
}

TEST(Lire_particularites, courbes)
{
    TCourbe courbe;
    Lire_particularites(Ligne("Cf", "bleu, points non li\xE9s, tiret\xE9"),
                        Particularites_de(courbe));
    EXPECT_FALSE(courbe.points_lies);
    EXPECT_EQ(courbe.couleur, "blue");
    EXPECT_EQ(courbe.style, "dashed");
    Lire_particularites(Ligne("Cf", "points li\xE9s, non dessin\xE9"), Particularites_de(courbe));
    EXPECT_TRUE(courbe.points_lies);
    EXPECT_FALSE(courbe.dessinee);
}

TEST(Lire_particularites_roxy, couleur_et_visibilite)
{
    TReperexoy roxy;
    Lire_particularites_roxy("Objet dessinable Roxy, particularit\xE9s: rouge, dessin\xE9", roxy);
    EXPECT_EQ(roxy.couleur, "red");
    EXPECT_TRUE(roxy.dessine);
    TReperexoy cache;
    Lire_particularites_roxy("Objet dessinable Roxy, particularit\xE9s: non dessin\xE9", cache);
    EXPECT_EQ(cache.couleur, "black");
    EXPECT_FALSE(cache.dessine);
}

TEST(Unite_de_longueur, formes_de_l_unite)
{
    EXPECT_EQ(Unite_de_longueur("a = 2AB (unit\xE9 de longueur U2)"), "U2");
    EXPECT_EQ(Unite_de_longueur("a = 2AB (unit\xE9 U2)"), "U2");
    EXPECT_EQ(Unite_de_longueur("a = 2AB"), "1");
    // "unité" without "(" before it is not the unit phrase.
    EXPECT_EQ(Unite_de_longueur("U unit\xE9 de longueur de vecteur vec(AB)"), "1");
    EXPECT_EQ(Unite_de_longueur("a = 2 (unit\xE9"), "1");
}

TEST(Phrases, noms_apres_un_mot)
{
    EXPECT_EQ(Nom_apres_unite_ou_repere("M point libre \xE0 coordonn\xE9"
                                        "es dans le rep\xE8re R1"),
              "R1");
    EXPECT_EQ(Nom_apres_unite_ou_repere("c cercle de centre O (unit\xE9 U)"), "U");
    EXPECT_EQ(Nom_apres_unite_ou_repere("A point libre"), "");
    EXPECT_EQ(Nom_apres_sur("M point \xE0 abscisse fixe sur d"), "d");
    EXPECT_EQ(Unite_d_angle("r rotation de centre O et d'angle 30 degr\xE9"), "degr\xE9");
    EXPECT_EQ(Unite_d_angle("r rotation de centre O et d'angle 1 radian"), "radian");
    EXPECT_EQ(Unite_d_angle("r rotation de centre O et d'angle ABC"), "");
}

TEST(Phrases, valeurs_de_parametres)
{
    EXPECT_EQ(Texte_valeur_parametre("  Objet libre M, param\xE8tre: 0.25"), "0.25");
    EXPECT_EQ(Texte_valeur_parametre("  Objet libre M, angle /ox: 30 degr\xE9"), "Pi/180*30");
    EXPECT_EQ(Texte_valeur_parametre("  Objet libre M, angle /ox: 2 radian"), "2");
    EXPECT_EQ(Texte_valeur_parametre("  Objet libre M"), "");
    const Tdeux_textes xy = Textes_parametres("  Objet libre A, param\xE8tres: -1.5, 2");
    EXPECT_EQ(xy.premier, "-1.5");
    EXPECT_EQ(xy.second, "2");
}
