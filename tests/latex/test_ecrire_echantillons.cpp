// The curves are written straight from their samples; the picture must be the one the curve
// writer makes from the temporary file of the same samples.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "calc/conversion_chaines.h"
#include "latex/courbes.h"
#include "latex/sortie_attendue.h"

using namespace trazel;
using essais::Texte_du_fichier;

namespace {

const TCadre_image& fenetre = essais::fenetre_par_defaut;

std::string Par_le_fichier(const TCourbe& courbe, const TEchantillons& e, std::size_t premiere)
{
    TFichier_temporaire fichier;
    fichier.Reecrire(Texte_du_fichier(e, premiere));
    std::string sortie;
    Ecrire_courbe(courbe, fichier, sortie);
    return sortie;
}

std::string Directement(const TCourbe& courbe, const TEchantillons& e, std::size_t premiere)
{
    std::string sortie;
    Ecrire_echantillons(courbe, e, premiere, sortie);
    return sortie;
}

// Samples from a pattern: 'i' inside the window, 'o' outside, 'n' undefined.
TEchantillons Motif(const std::string& motif)
{
    TEchantillons e;
    for (std::size_t k = 0; k < motif.size(); ++k) {
        const Reel x =
            fenetre.xmin + (fenetre.xmax - fenetre.xmin) * (Reel(k) + 0.5L) / Reel(motif.size());
        const Reel dedans = (fenetre.ymin + fenetre.ymax) / 3;
        if (motif[k] == 'n')
            e.push_back({.x = x, .defini = false});
        else
            e.push_back({x, motif[k] == 'i' ? dedans : fenetre.ymax + 1 + Reel(k) / 7});
    }
    Marquer_bascules(e, fenetre);
    return e;
}

TEST(Ecrire_echantillons, comme_par_le_fichier)
{
    struct Cas {
        const char* nom;
        const char* motif;
    } const cas[] = {
        {"vide", ""},
        {"un_dedans", "i"},
        {"tout_dedans_lignes_pleines", "iiiiiiiiii"},
        {"tout_dedans_derniere_ligne_courte", "iiiiiiiiiiii"},
        {"tout_dehors", "oooooooo"},
        {"commence_dehors", "ooiiiiiii"},
        {"sort_et_revient", "iiiooooiiiii"},
        {"sort_en_fin_de_ligne", "iiiiioiiiii"},
        {"revient_en_debut_de_ligne", "iiiiooooooiiii"},
        {"non_defini_au_milieu", "iiiinniiii"},
        {"non_defini_au_debut", "nniiiiiii"},
        {"non_defini_a_la_fin", "iiiiiiinn"},
        {"alterne", "ioioinioiniiooi"},
    };
    for (const auto& c : cas)
        for (std::size_t premiere : {std::size_t(1), std::size_t(5)})
            for (bool lies : {true, false}) {
                SCOPED_TRACE(std::string(c.nom) + (lies ? " lies" : " points") + " premiere " +
                             std::to_string(premiere));
                const TCourbe courbe{.nom = "C", .points_lies = lies, .couleur = "blue"};
                const TEchantillons e = Motif(c.motif);
                EXPECT_EQ(Directement(courbe, e, premiere), Par_le_fichier(courbe, e, premiere));
            }
}

TEST(Ecrire_echantillons, motifs_tires_comme_par_le_fichier)
{
    std::mt19937 alea(97);
    std::uniform_int_distribution<int> longueur(1, 40), genre(0, 9);
    for (int k = 0; k < 300; ++k) {
        std::string motif;
        for (int n = longueur(alea); n > 0; --n) {
            const int g = genre(alea);
            motif += g < 6 ? 'i' : (g < 9 ? 'o' : 'n');
        }
        SCOPED_TRACE(motif);
        const TEchantillons e = Motif(motif);
        const TCourbe courbe{.nom = "L"};
        ASSERT_EQ(Directement(courbe, e, 5), Par_le_fichier(courbe, e, 5));
        ASSERT_EQ(Directement(courbe, e, 1), Par_le_fichier(courbe, e, 1));
    }
}

TEST(Ecrire_echantillons, courbe_cachee_rien)
{
    const TCourbe courbe{.nom = "C", .dessinee = false};
    EXPECT_EQ(Directement(courbe, Motif("iiii"), 5), "");
}

} // namespace
