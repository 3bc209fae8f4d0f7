#pragma once
// Curves of the picture: the locus of a point while a driving element moves, and the graph
// of a user function. The samplers compute a curve's points without any text (the on-screen
// view can draw the same samples) and mark where the curve crosses the window's edge; the
// curve writer cuts the curve into the visible runs PSTricks plots. It reads the samples
// either from a temporary file of their text or, for the transcription, straight from the
// samples, with the same picture text.

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "calc/resolveur.h"
#include "model/figure.h"
#include "model/reel.h"

namespace trazel {

// The most samples one curve may have; ordinary figures stay far below.
inline constexpr long nombre_maximal_echantillons = 1000000;

// One point of a curve, in figure coordinates.
struct TEchantillon {
    Reel x = 0, y = 0;
    bool defini = true;   // false: the function has no value here; x is then its variable's
                          // value and y means nothing
    bool bascule = false; // the curve enters or leaves the window at this sample
};
using TEchantillons = std::vector<TEchantillon>;

// Marks the samples where the inside/outside state changes. The state starts inside; a
// sample is inside when it is defined and strictly inside the window.
void Marquer_bascules(TEchantillons& echantillons, const TCadre_image& fenetre);

// An anonymous temporary file, removed by the system when it is closed, so nothing is left
// in any folder. Failures raise Erreur_fichier.
class TFichier_temporaire {
  public:
    TFichier_temporaire();
    // Replaces the whole content.
    void Reecrire(std::string_view texte);
    // The whole content.
    std::string Relire();

  private:
    struct TFermeture {
        void operator()(std::FILE* fichier) const { std::fclose(fichier); }
    };
    std::unique_ptr<std::FILE, TFermeture> fichier_;
};

// The element a locus moves: a free point given as an object, or a variable given by name.
struct TPilote {
    const Tpoint* point = nullptr; // when par_objet
    std::string_view nom;          // otherwise
    bool par_objet = false;
};

// The positions of the traced point while the driving element runs over its range: n + 2
// samples for a real variable, a point on a segment or on a circle (one step beyond each
// end), n for a point on an arc, the whole values from the first to the last for an integer
// variable. The figure is left as it was. A locus that cannot be sampled (a driving element
// of another kind or without construction, a traced point without construction, fewer than
// 2 points, no whole value to run over, more than nombre_maximal_echantillons samples)
// raises Erreur_trazel; faults of the replayed constructions propagate.
TEchantillons Echantillons_lieu(TEtape* premiere, const Tpoint& trace, const TPilote& pilote,
                                long n, TContexte_calcul& contexte);

// The graph of the function over [debut, fin] in the frame, converted to figure
// coordinates: d + 3 samples, one step beyond each end, with d = n + 1 intervals (10001 for
// n = 987). A sample where the function has no value is undefined. A negative n, too many
// samples or a function the evaluator cannot compile raise Erreur_trazel.
TEchantillons Echantillons_graphe(const std::string& fonction, const Trepere& repere, long n,
                                  Reel fin, Reel debut, TContexte_calcul& contexte);

// Rereads the temporary file and writes the curve: its comment, then one data set and one
// plot per visible run. Nothing when the curve is not drawn.
void Ecrire_courbe(const TCourbe& courbe, TFichier_temporaire& fichier, std::string& sortie);

// Decimals kept of each number of the curve data.
inline constexpr int decimales_courbe = 9;

// Samples per line of the temporary file (after the first line of a graph).
inline constexpr std::size_t echantillons_par_ligne = 5;

// Writes the curve of marked samples as Ecrire_courbe writes it once they have gone through
// the temporary file, lines of samples included (the first line ends after
// `premiere_ligne` samples, the others after five), without the file. The transcription
// writes its curves this way.
void Ecrire_echantillons(const TCourbe& courbe, const TEchantillons& echantillons,
                         std::size_t premiere_ligne, std::string& sortie);

// The samples of a locus step or a graph step, not marked: its
// numbers evaluated, the curve sampled. A positive `echantillons_max` caps the count over the
// same range, for a quick sketch of the curve.
TEchantillons Echantillons_de_l_etape(const TEtape& etape, TEtape* premiere,
                                      TContexte_calcul& contexte, long echantillons_max = 0);

// A locus step and a graph step of the figure whose steps start at
// `premiere`: their numbers evaluated, the curve sampled and written.
void Ecrire_lieu(const TEtape& etape, TEtape* premiere, const TCadre_image& fenetre,
                 TContexte_calcul& contexte, std::string& sortie);
void Ecrire_graphe(const TEtape& etape, const TCadre_image& fenetre, TContexte_calcul& contexte,
                   std::string& sortie);

} // namespace trazel
