#pragma once
// The construction resolver: recomputes what a construction step defines from the current
// state of the objects it refers to, writing the result in place into the existing records
// and variables. The reader computes every object once this way; the curve sampler replays
// chains of steps after moving a driving value.

#include <cstdint>
#include <optional>
#include <vector>

#include "calc/conversion_chaines.h"
#include "calc/geometrie.h"
#include "model/figure.h"

namespace trazel {

// What the resolver works on: the figure and the holder of its variables. When given,
// `sans_solution` receives each step recomputed that found no solution (its object left
// where it was, a measure left without a new value).
struct TContexte_calcul {
    TFigure& figure;
    TForm2& form2;
    std::vector<const TEtape*>* sans_solution = nullptr;
};

// Recomputes the object or value that the step defines; a genre without a computation does
// nothing. A construction without solution leaves its object where it was; degenerate
// configurations raise Erreur_calcul.
void Recalculer_etape(TEtape& etape, TContexte_calcul& contexte);

// The value that a measure or number step (the measure family) gives its variable; none
// for another genre, and for the slope of a line parallel to the frame's second axis.
std::optional<Reel> Valeur_de_variable(const TEtape& etape, TContexte_calcul& contexte);

// Recomputes `premiere`, then each following step up to and including `derniere`; the walk
// also ends after the closing empty step.
void Recalculer_etapes(TEtape* premiere, const TEtape* derniere, TContexte_calcul& contexte);

// The steps from `premiere` to `derniere` as Recalculer_etapes walks them, prepared to be
// replayed many times in a row (the samples of a curve): a function whose body depends on
// no point (no measure term, no distance) and that no other step of the figure defines
// again is given its body again only when the names it was converted against change, and a
// measure's variable is found by name only then too. A replay leaves the figure and the variables
// as Recalculer_etapes leaves them.
class TRejeu {
  public:
    TRejeu(TEtape* figure, TEtape* premiere, const TEtape* derniere);
    void Rejouer(TContexte_calcul& contexte);

  private:
    enum class TSorte { autre, fonction_fixe, mesure };
    struct TPas {
        TEtape* etape;
        TSorte sorte;
        std::uint64_t version = UINT64_MAX; // of the names at the last full replay
        std::size_t indice = 0;             // of a measure's variable then
        bool indice_connu = false;
        bool fixe = false; // a function's body depended on the names only
    };
    std::vector<TPas> pas_;
};

// The first step from `depart` (while genre is not 0) whose first argument is the text
// `nom` (mode 0), or whose defined object is `objet` (mode 1); null when none.
TEtape* Chercher_etape_par_nom(TEtape* depart, std::string_view nom);
TEtape* Chercher_etape_par_objet(TEtape* depart, const void* objet);

// The kinds of angle: "degré" means degrees, anything else radians.
bool Est_en_degres(std::string_view unite_d_angle);

// The axis-parallel rectangle spanned by the first four vertices of a "cadre": the frame of
// its free points, (u, v) in fractions of its width and height from its lowest corner.
struct Tboite {
    Tcoordonnees bas, haut;
};
Tboite Boite_du_cadre(const Tpolygone& cadre);

} // namespace trazel
