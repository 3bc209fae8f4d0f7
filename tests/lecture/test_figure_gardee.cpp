// A kept figure taking a moved point's parameters in place must leave the figure, the
// variables and the scene bit for bit as a fresh reading of the moved text does; where it
// cannot, it must say so.

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "latex/scene.h"
#include "lecture/figure_gardee.h"
#include "lecture/transcription.h"
#include "model/encodage.h"
#include "model/fichiers.h"

using namespace trazel;
namespace fs = std::filesystem;

namespace {

// Exact and readable: the real's hexadecimal form.
void Ajouter(std::string& e, Reel r)
{
    char texte[64];
    const auto fin = std::to_chars(texte, texte + sizeof texte, r, std::chars_format::hex).ptr;
    e.append(texte, fin);
    e += ' ';
}

void Ajouter(std::string& e, Tcoordonnees c)
{
    Ajouter(e, c.x);
    Ajouter(e, c.y);
}

void Ajouter(std::string& e, const std::string& texte)
{
    e += texte;
    e += '\n';
}

// Everything a scene shows, every real by its bits.
std::string Empreinte(const TScene& s)
{
    std::string e;
    for (Reel r : {s.fenetre.xmin, s.fenetre.xmax, s.fenetre.ymin, s.fenetre.ymax, s.unite})
        Ajouter(e, r);
    e += s.axes ? 'A' : 'a';
    for (const TSegment_scene& g : s.segments) {
        Ajouter(e, g.a);
        Ajouter(e, g.b);
        Ajouter(e, g.trait.couleur + g.trait.style + std::to_string(g.ligne));
    }
    for (const TArc_scene& a : s.arcs) {
        Ajouter(e, a.centre);
        for (Reel r : {a.rayon, a.debut, a.fin})
            Ajouter(e, r);
        Ajouter(e, a.trait.couleur + a.trait.style + std::to_string(a.ligne));
    }
    for (const TPoint_scene& p : s.points) {
        Ajouter(e, p.position);
        Ajouter(e, p.marque);
        Ajouter(e, p.direction);
        Ajouter(e, p.couleur + p.etiquette + std::to_string(p.ligne));
    }
    for (const TCourbe_scene& c : s.courbes) {
        for (Tcoordonnees p : c.points)
            Ajouter(e, p);
        Ajouter(e, c.trait.couleur + c.trait.style + (c.points_lies ? "L" : "l") +
                       std::to_string(c.ligne));
    }
    return e;
}

// The figure's points and the variables, by their bits.
std::string Etat(const TFigure& figure, const TForm2& form2)
{
    std::string e;
    for (const Tpoint* p : figure.liste_points) {
        Ajouter(e, p->nom + (p->dessine ? "D" : "d"));
        Ajouter(e, Tcoordonnees{p->x, p->y});
    }
    for (const Tvariable& v : form2.Liste_variables) {
        Ajouter(e, v.nom);
        Ajouter(e, v.valeur);
    }
    return e;
}

struct TLu {
    std::string etat, scene;
};

TLu Lire_a_neuf(const std::string& texte, long echantillons_max)
{
    TForm2 form2;
    form2.separateur_decimal('.');
    TFigure figure;
    form2.Reinitialiser();
    TEtape* premiere = Lire_texte_figure(texte, "figure", figure, form2);
    TLu lu{Etat(figure, form2), {}};
    lu.scene = Empreinte(Scene_de_la_figure(premiere, figure, form2, {}, echantillons_max));
    return lu;
}

// "  Objet libre A, paramètres: 0.5, -2" or "…, paramètre: 1": the index of the first
// value in the line, and the values.
struct TParametres {
    std::size_t ligne = 0, debut = 0;
    std::vector<double> valeurs;
};

std::vector<TParametres> Lignes_de_parametres(const std::string& texte)
{
    std::vector<TParametres> lignes;
    const std::vector<std::string_view> vues = Vues_des_lignes(texte);
    for (std::size_t i = 0; i < vues.size(); ++i) {
        const std::string_view l = vues[i];
        const std::size_t deux_points = l.find(": ");
        if (!l.starts_with("  Objet libre ") || deux_points == std::string_view::npos)
            continue;
        TParametres p{i, deux_points + 2, {}};
        const char* c = l.data() + p.debut;
        const char* fin = l.data() + l.size();
        while (c < fin) {
            double v = 0;
            const auto [suite, erreur] = std::from_chars(c, fin, v);
            if (erreur != std::errc())
                break;
            p.valeurs.push_back(v);
            c = suite;
            while (c < fin && (*c == ',' || *c == ' '))
                ++c;
        }
        if (!p.valeurs.empty())
            lignes.push_back(p);
    }
    return lignes;
}

// A value in thousandths, as the editor writes one: "-6.125".
std::string Milliemes(long m)
{
    const long a = std::labs(m);
    std::string fraction = std::to_string(a % 1000);
    fraction.insert(0, 3 - fraction.size(), '0');
    return (m < 0 ? "-" : "") + std::to_string(a / 1000) + "." + fraction;
}

// The text with line `p` giving each value moved by `pas` thousandths.
std::string Deplace(const std::string& texte, const TParametres& p, long pas)
{
    std::vector<std::string> lignes = Decouper_lignes(texte);
    std::string valeurs;
    for (double v : p.valeurs)
        valeurs += (valeurs.empty() ? "" : ", ") + Milliemes(std::lround(v * 1000) + pas);
    lignes[p.ligne] = lignes[p.ligne].substr(0, p.debut) + valeurs;
    std::string nouveau;
    for (const std::string& l : lignes)
        nouveau += l + "\r\n";
    return nouveau;
}

struct TBilan {
    int pris = 0, refuses = 0;
};

// Drags every parameter line of the figure along `pas`, one kept figure per line, and
// compares each position taken in place with a fresh reading of the same text.
TBilan Comparer_deplacements(const std::string& texte, const std::vector<long>& pas,
                             long echantillons_max, std::size_t lignes_max = 1000)
{
    TBilan bilan;
    std::vector<TParametres> lignes = Lignes_de_parametres(texte);
    lignes.resize(std::min(lignes.size(), lignes_max));
    for (const TParametres& p : lignes) {
        TForm2 form2;
        form2.separateur_decimal('.');
        auto gardee = std::make_unique<TFigure_gardee>(texte, "figure", form2);
        for (long d : pas) {
            const std::string deplace = Deplace(texte, p, d);
            SCOPED_TRACE("ligne " + std::to_string(p.ligne + 1) + ", pas " + std::to_string(d));
            std::optional<TLu> a_neuf;
            try {
                a_neuf = Lire_a_neuf(deplace, echantillons_max);
            } catch (const std::exception&) {
                // A text that does not read must not be taken in place either.
            }
            if (!gardee->Prendre(deplace, form2)) {
                ++bilan.refuses;
                gardee = std::make_unique<TFigure_gardee>(texte, "figure", form2);
                continue;
            }
            ++bilan.pris;
            EXPECT_TRUE(a_neuf.has_value()) << "pris en place, mais ne se lit pas";
            if (!a_neuf)
                continue;
            EXPECT_EQ(Etat(gardee->figure(), form2), a_neuf->etat);
            std::string scene;
            try {
                scene = Empreinte(gardee->Scene(form2, {}, echantillons_max));
            } catch (const std::exception&) {
            }
            EXPECT_EQ(scene, a_neuf->scene);
        }
    }
    return bilan;
}

const std::vector<long> aller_retour{250, 500, -1200, 3000, -2600, 37, 0, 9000, -9000, 130};

std::vector<fs::path> Figures(const char* dossier)
{
    std::vector<fs::path> figures;
    for (const fs::directory_entry& f :
         fs::directory_iterator(fs::path(TRAZEL_SOURCE_DIR) / dossier))
        if (f.path().extension() == ".fgr")
            figures.push_back(f.path());
    return figures;
}

std::string Figure(const std::string& objets)
{
    return "Figure Figuro\r\nNum\xE9ro de version: 2\r\n\r\n"
           "Position de Roxy: Xmin: -10, Xmax: 10, Ymax: 10\r\n" +
           objets;
}

// The text with the first `avant` replaced by `apres`.
std::string Remplacer(std::string texte, std::string_view avant, std::string_view apres)
{
    texte.replace(texte.find(avant), avant.size(), apres);
    return texte;
}

} // namespace

TEST(Figure_gardee, comme_une_lecture_a_neuf_pour_les_exemples_et_les_figures_de_mesure)
{
    TBilan total;
    for (const char* dossier : {"exemples", "bench/glisser", "bench/figures"})
        for (const fs::path& f : Figures(dossier)) {
            SCOPED_TRACE(f.filename().string());
            // The bench's large figures: their first points, their curves sampled as a drag
            // sketches them.
            const bool grande = std::string(dossier) == "bench/figures";
            const TBilan b = Comparer_deplacements(Lire_fichier(f.string()), aller_retour,
                                                   grande ? 40 : 0, grande ? 2 : 1000);
            total.pris += b.pris;
            total.refuses += b.refuses;
        }
    // Nearly every move of these figures is taken in place.
    EXPECT_GT(total.pris, 20 * total.refuses);
    EXPECT_GT(total.pris, 200);
}

// Two circles that stop meeting, and a triangle that goes flat: a fresh reading leaves such
// points where they were made, a replay where they last were. Those moves must be refused,
// and those taken must match a fresh reading.
TEST(Figure_gardee, refuse_ce_qui_perd_sa_solution)
{
    const std::string texte = Figure("O point libre\r\n"
                                     "  Objet libre O, param\xE8tres: 0, 0\r\n"
                                     "P point libre\r\n"
                                     "  Objet libre P, param\xE8tres: 3, 0\r\n"
                                     "Q point libre\r\n"
                                     "  Objet libre Q, param\xE8tres: 1, 2\r\n"
                                     "c cercle de centre O et de rayon 2 (unit\xE9 Uoxy)\r\n"
                                     "d cercle de centre P et de rayon 2 (unit\xE9 Uoxy)\r\n"
                                     "M point d'intersection 1 des cercles c et d\r\n"
                                     "H orthocentre du triangle OPQ\r\n"
                                     "m abscisse de M dans le rep\xE8re Roxy\r\n"
                                     "R point de coordonn\xE9"
                                     "es (m,1) dans le rep\xE8re Roxy\r\n");
    TForm2 form2;
    form2.separateur_decimal('.');
    TFigure_gardee gardee(texte, "figure", form2);
    const std::vector<TParametres> lignes = Lignes_de_parametres(texte);
    ASSERT_EQ(lignes.size(), 3u);
    // P at 3.5 still meets c; at 5 it does not.
    EXPECT_TRUE(gardee.Prendre(Deplace(texte, lignes[1], 500), form2));
    EXPECT_FALSE(gardee.Prendre(Deplace(texte, lignes[1], 2000), form2));
    // Q on line OP makes the triangle flat: no orthocentre.
    TFigure_gardee autre(texte, "figure", form2);
    EXPECT_FALSE(
        autre.Prendre(Remplacer(texte, "param\xE8tres: 1, 2", "param\xE8tres: 1, 0"), form2));
    // Every line together, with the refusals in between.
    const TBilan b = Comparer_deplacements(texte, {100, 1500, 2500, -300, 1900, -2000, 10}, 0);
    EXPECT_GT(b.pris, 0);
    EXPECT_GT(b.refuses, 0);

    // Read where the circles do not meet, M stays where the reading made it while they
    // still do not, is computed when they do, and is refused when they part again.
    const std::string loin = Remplacer(texte, "param\xE8tres: 3, 0", "param\xE8tres: 5, 0");
    TFigure_gardee separes(loin, "figure", form2);
    const TParametres p_loin = Lignes_de_parametres(loin)[1];
    EXPECT_TRUE(separes.Prendre(Deplace(loin, p_loin, 1000), form2));
    EXPECT_TRUE(separes.Prendre(Deplace(loin, p_loin, -1500), form2));
    EXPECT_FALSE(separes.Prendre(Deplace(loin, p_loin, 500), form2));
    const TBilan c = Comparer_deplacements(loin, {1000, 300, -1500, -1000, 2000, -1200}, 0);
    EXPECT_GT(c.pris, 3);
    EXPECT_GT(c.refuses, 0);
}

// What a drag does not write is read again: another line changed, a line added, a formula
// as parameter, a name given twice to a variable.
TEST(Figure_gardee, ne_prend_que_des_nombres_de_lignes_de_parametres)
{
    const std::string texte = Figure("A point libre\r\n"
                                     "  Objet libre A, param\xE8tres: 1, 2\r\n"
                                     "B point libre\r\n"
                                     "  Objet libre B, param\xE8tres: 3, 0\r\n"
                                     "Segment [AB]\r\n");
    TForm2 form2;
    form2.separateur_decimal('.');
    auto essayer = [&](const std::string& autre) {
        TFigure_gardee gardee(texte, "figure", form2);
        return gardee.Prendre(autre, form2);
    };
    const auto remplacer = [&](std::string_view avant, std::string_view apres) {
        return Remplacer(texte, avant, apres);
    };
    EXPECT_TRUE(essayer(texte));
    EXPECT_TRUE(essayer(remplacer("1, 2", "1.5, -2")));
    EXPECT_FALSE(essayer(remplacer("1, 2", "1+1, 2")));
    EXPECT_FALSE(essayer(remplacer("Segment [AB]", "Segment [BA]")));
    EXPECT_FALSE(essayer(texte + "C milieu du segment [AB]\r\n"));
    EXPECT_FALSE(essayer(remplacer("Figure Figuro", "Figure Figurx")));

    const std::string deux_fois = texte + "x abscisse de A dans le rep\xE8re Roxy\r\n"
                                          "x abscisse de B dans le rep\xE8re Roxy\r\n";
    TFigure_gardee gardee(deux_fois, "figure", form2);
    EXPECT_FALSE(gardee.Prendre(remplacer("1, 2", "1.5, 2") + "x abscisse de A dans le rep\xE8re "
                                                              "Roxy\r\nx abscisse de B dans le "
                                                              "rep\xE8re Roxy\r\n",
                                form2));
}
