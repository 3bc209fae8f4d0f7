#include <gtest/gtest.h>

#include <cmath>

#include "lecture/transcription.h"
#include "model/erreurs.h"
#include "model/texte_figure.h"
#include "proches.h"

using namespace trazel;
using essais::Texte_figure;

namespace {

struct Lecture {
    TForm2 form2;
    TFigure figure;
    std::vector<TLigne_ignoree> ignorees;
    TEtape* premiere = nullptr;

    explicit Lecture(std::string_view texte)
    {
        premiere = Lire_texte_figure(texte, "essai.fgr", figure, form2, &ignorees);
    }
    std::vector<std::string> Noms_des_points() const
    {
        std::vector<std::string> noms;
        for (const Tpoint* p : figure.liste_points)
            noms.push_back(p->nom);
        return noms;
    }
};

std::vector<int> Numeros(const std::vector<TLigne_ignoree>& ignorees)
{
    std::vector<int> numeros;
    for (const TLigne_ignoree& ligne : ignorees)
        numeros.push_back(ligne.numero);
    return numeros;
}

} // namespace

TEST(Lire_figure, figure_vide_tient_les_objets_par_defaut)
{
    Lecture l(Texte_figure({}));
    const TFigure& f = l.figure;
    EXPECT_EQ(l.Noms_des_points(), (std::vector<std::string>{"o", "xinf", "yinf"}));
    for (const Tpoint* p : f.liste_points) {
        EXPECT_FALSE(p->dessine);
        EXPECT_EQ(p->couleur, "black");
    }
    EXPECT_EQ(f.liste_points[1]->x, 1);
    EXPECT_EQ(f.liste_points[2]->y, 1);
    ASSERT_EQ(f.liste_vecteurs.size(), 2u);
    EXPECT_EQ(f.liste_vecteurs[0]->nom, "i");
    EXPECT_EQ(f.liste_vecteurs[0]->x, 1);
    EXPECT_EQ(f.liste_vecteurs[1]->nom, "j");
    EXPECT_EQ(f.liste_vecteurs[1]->y, 1);
    EXPECT_EQ(f.liste_vecteurs[0]->origine, nullptr);

    ASSERT_EQ(f.liste_droites.size(), 2u);
    const Tdroite& ox = *f.liste_droites[0];
    const Tdroite& oy = *f.liste_droites[1];
    EXPECT_EQ(ox.point1, f.liste_points[0]);
    EXPECT_EQ(ox.point2, f.liste_points[1]);
    EXPECT_EQ(ox.vecteur, f.liste_vecteurs[0]);
    EXPECT_TRUE(ox.graduee && oy.graduee);
    EXPECT_EQ(ox.pas, 1);
    EXPECT_EQ(ox.repere->vecteur2, f.liste_vecteurs[1]);
    EXPECT_EQ(oy.vecteur, f.liste_vecteurs[1]);
    EXPECT_EQ(oy.repere->vecteur1, f.liste_vecteurs[1]);
    EXPECT_EQ(oy.repere->vecteur2->x, -1);
    EXPECT_EQ(oy.repere->vecteur2->y, 0);

    ASSERT_EQ(f.liste_unites.size(), 1u);
    EXPECT_EQ(f.liste_unites[0]->nom, "Uoxy");
    EXPECT_EQ(f.liste_unites[0]->vecteur, f.liste_vecteurs[0]);
    ASSERT_EQ(f.liste_reperes.size(), 1u);
    const Trepere& roxy = *f.liste_reperes[0];
    EXPECT_EQ(roxy.nom, "Roxy");
    EXPECT_EQ(roxy.origine, f.liste_points[0]);
    EXPECT_EQ(roxy.pas1, 1);
    EXPECT_EQ(roxy.pas2, 1);
    EXPECT_TRUE(f.liste_cercles.empty() && f.liste_segments.empty() && f.liste_courbes.empty());
}

TEST(Lire_figure, premiere_etape_porte_les_objets_par_defaut)
{
    Lecture l(Texte_figure({}));
    const TEtape* e = l.premiere;
    ASSERT_EQ(e, l.figure.premiere_etape);
    EXPECT_EQ(e->genre, 1);
    std::vector<int> natures;
    for (const TArgument* a = e->arguments; a != nullptr; a = a->suivant)
        natures.push_back(a->nature);
    EXPECT_EQ(natures, (std::vector<int>{3, 5, 5, 5, 6, 6, 4, 7, 7, 8, 22}));
    EXPECT_EQ(Donnee<TCadre_image>(e->arguments), l.figure.cadre_image);
    // Then only the closing empty step.
    ASSERT_NE(e->suivante, nullptr);
    EXPECT_EQ(e->suivante->genre, 0);
    EXPECT_EQ(e->suivante->arguments, nullptr);
    EXPECT_EQ(e->suivante->suivante, nullptr);
}

TEST(Lire_figure, position_de_roxy_et_centre)
{
    Lecture l(Texte_figure({}));
    const TReperexoy& r = *Donnee<TReperexoy>(Dernier_argument(l.premiere->arguments));
    EXPECT_EQ(r.xmin, -5);
    EXPECT_EQ(r.xmax, 5);
    EXPECT_EQ(r.ymax, 5);
    EXPECT_TRUE(r.dessine);
    EXPECT_EQ(r.couleur, "red");
    EXPECT_EQ(l.figure.cadre_image->centre_x, 0);
    EXPECT_EQ(l.figure.cadre_image->centre_y, 0);

    Lecture decale(Texte_figure({}, "Position de Roxy: Xmin: -2, Xmax: 6, Ymax: 2*3",
                                "Objet dessinable Roxy, particularit\xE9s: non dessin\xE9"));
    const TReperexoy& r2 = *Donnee<TReperexoy>(Dernier_argument(decale.premiere->arguments));
    EXPECT_EQ(r2.ymax, 6);
    EXPECT_FALSE(r2.dessine);
    EXPECT_EQ(r2.couleur, "black");
    EXPECT_EQ(decale.figure.cadre_image->centre_x, 2);
    EXPECT_EQ(decale.figure.cadre_image->centre_y, 2); // 6 - 8/2
}

TEST(Lire_figure, double_cadre)
{
    const std::string ligne =
        "Double cadre limitant l'image (impression ou copie) : (0.1, 0.2) et (0.7, 0.9)";
    Lecture avec(Texte_figure({ligne}));
    const TCadre_image& c = *avec.figure.cadre_image;
    EXPECT_TRUE(c.double_cadre);
    EXPECT_EQ(c.xmin, 0.1L);
    EXPECT_EQ(c.ymin, 0.2L);
    EXPECT_EQ(c.xmax, 0.7L);
    EXPECT_EQ(c.ymax, 0.9L);
    EXPECT_TRUE(avec.ignorees.empty()); // the window line is no skipped object line
    EXPECT_TRUE(avec.figure.liste_polygones.empty());

    // One character short of the first number: not the window line.
    Lecture courte(Texte_figure({"Double cadre limitant l'image (impression ou copie) : ("}));
    EXPECT_FALSE(courte.figure.cadre_image->double_cadre);
    Lecture sans(Texte_figure({}));
    const TCadre_image& d = *sans.figure.cadre_image;
    EXPECT_FALSE(d.double_cadre);
    EXPECT_EQ(d.xmin, 0);
    EXPECT_EQ(d.ymin, 0);
    EXPECT_EQ(d.xmax, 1);
    EXPECT_EQ(d.ymax, 1);
}

TEST(Lire_figure, commentaire_termine_la_description)
{
    std::string texte = Texte_figure({"A droite inconnue"});
    texte += "B bidule\r\nC truc\r\n"; // after "Commentaire": the figure's comment
    Lecture l(texte);
    EXPECT_EQ(Numeros(l.ignorees), std::vector<int>{6});
    EXPECT_EQ(l.ignorees[0].texte, "A droite inconnue");
}

TEST(Lire_figure, lignes_ignorees_et_raisons)
{
    Lecture l(Texte_figure({"A truc machin", "", "B", "d droite bizarre", "x entier"}));
    EXPECT_EQ(Numeros(l.ignorees), (std::vector<int>{6, 8, 9, 10}));
    EXPECT_EQ(l.ignorees[0].raison, "mot \xAB truc \xBB inconnu");
    EXPECT_EQ(l.ignorees[1].raison, "nom seul, sans construction");
    EXPECT_EQ(l.ignorees[2].raison, "phrase non reconnue");
    EXPECT_TRUE(l.figure.liste_droites.size() == 2); // no line without geometry is left
    // No step is recorded by a skipped line.
    EXPECT_EQ(l.premiere->suivante->genre, 0);
    EXPECT_EQ(l.premiere->suivante->suivante, nullptr);
}

TEST(Lire_figure, utf8_et_fins_de_ligne_se_lisent_pareil)
{
    const std::string cp1252 = Texte_figure({"X truc"});
    std::string utf8 = "\xEF\xBB\xBF"
                       "Figure Figuro\nNum\xC3\xA9ro de version: 2\n\n"
                       "Position de Roxy: Xmin: -5, Xmax: 5, Ymax: 5\n"
                       "Objet dessinable Roxy, particularit\xC3\xA9s: rouge, dessin\xC3\xA9\n"
                       "X truc\n\nCommentaire\nFin de la figure";
    std::string cr = cp1252;
    std::erase(cr, '\n');
    for (const std::string& texte : {utf8, cr}) {
        Lecture l(texte);
        const TReperexoy& r = *Donnee<TReperexoy>(Dernier_argument(l.premiere->arguments));
        EXPECT_TRUE(r.dessine);
        EXPECT_EQ(r.couleur, "red");
        EXPECT_EQ(Numeros(l.ignorees), std::vector<int>{6});
    }
}

TEST(Lire_figure, derniere_ligne_sans_fin_de_ligne_est_lue)
{
    std::string texte = "Figure Figuro\r\nNum\xE9ro de version: 2\r\n\r\n";
    texte += "Position de Roxy: Xmin: -5, Xmax: 5, Ymax: 5\r\nA truc";
    Lecture l(texte);
    // Without its attribute line, the first object line is not taken for it.
    EXPECT_EQ(Numeros(l.ignorees), std::vector<int>{5});
}

TEST(Lire_figure, erreurs_nomment_le_fichier_et_la_ligne)
{
    struct Cas {
        const char* nom;
        std::string texte;
        int ligne;
        const char* debut_message;
    };
    const Cas cas[] = {
        {"pas_une_figure", "Bonjour\r\nceci est une lettre\r\n\r\nCordialement\r\n", 4,
         "ce fichier n'est pas une figure"},
        {"fichier_vide", "", 0, "ce fichier n'est pas une figure"},
        {"formule_fausse", Texte_figure({}, "Position de Roxy: Xmin: 2*-3, Xmax: 5, Ymax: 5"), 4,
         "Error in formula. (formule \xAB 2*-3 \xBB)"},
        {"nombre_absent", Texte_figure({}, "Position de Roxy"), 4, "Expression vide"},
        {"division_par_zero", Texte_figure({}, "Position de Roxy: Xmin: 1/0, Xmax: 5, Ymax: 5"), 4,
         "Division par z\xE9ro"},
        {"double_cadre_faux",
         Texte_figure({"Double cadre limitant l'image (impression ou copie) : (0.1, x) et (1, 1)"}),
         6, ""},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        try {
            Lecture l(c.texte);
            ADD_FAILURE() << "no error";
        } catch (const Erreur_figure& e) {
            EXPECT_EQ(e.chemin(), "essai.fgr");
            EXPECT_EQ(e.ligne(), c.ligne);
            EXPECT_TRUE(std::string(e.what()).starts_with(c.debut_message)) << e.what();
        }
    }
}

TEST(TLecteur, lignes_de_parametres)
{
    TForm2 form2;
    TFigure figure;
    TLecteur lecteur(figure, form2,
                     "A point libre\r\n  Objet libre A, param\xE8tres: 2pi, -1.5\r\n"
                     "  Objet libre M, angle /ox: 90 degr\xE9\r\n  Objet libre N, param\xE8tre:",
                     "essai.fgr");
    lecteur.Ligne_suivante();
    const Tcoordonnees a = lecteur.Lire_parametres_point_libre();
    EXPECT_EQ(lecteur.numero(), 2);
    EXPECT_TRUE(essais::Proches(2 * 3.14159265358979323846L, a.x, 1e-18L));
    EXPECT_EQ(a.y, -1.5L);
    EXPECT_TRUE(
        essais::Proches(3.14159265358979323846L / 2, lecteur.Lire_valeur_parametre(), 1e-18L));
    EXPECT_THROW(lecteur.Lire_valeur_parametre(), Erreur_figure); // no value at all
}
