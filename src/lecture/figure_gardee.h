#pragma once
// A figure read once and kept with its steps, for the editor's drag: a text that differs
// from the one read only by the values of free points' parameter lines is recomputed in
// place, its steps replayed, instead of being read and converted again.

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "calc/conversion_chaines.h"
#include "latex/ecriture.h"
#include "latex/scene.h"
#include "lecture/lecteur.h"
#include "model/figure.h"

namespace trazel {

class TFigure_gardee {
  public:
    // Reads the figure text as Lire_texte_figure does, into variables just reset; faults
    // raise Erreur_figure, with the lines skipped up to then in `ignorees`.
    TFigure_gardee(std::string_view octets, const std::string& chemin, TForm2& form2,
                   std::vector<TLigne_ignoree>* ignorees = nullptr);
    TFigure_gardee(const TFigure_gardee&) = delete;
    TFigure_gardee& operator=(const TFigure_gardee&) = delete;

    // Takes `octets` in place when they differ from the text this figure stands for only
    // by the values, written as plain numbers, of free points' parameter lines (the lines
    // a drag rewrites), and when every step recomputed then finds its solution: the figure
    // and the variables stand as a fresh reading of `octets` would leave them. False
    // otherwise, and then the figure may be in no defined state: read the text afresh (a
    // figure left so refuses every text after).
    bool Prendre(std::string_view octets, TForm2& form2);

    // The scene of the figure as it stands, as Scene_de_la_figure gives it after a reading.
    TScene Scene(TForm2& form2, const TCadre_latex& cadre, long echantillons_max = 0);

    TFigure& figure() { return figure_; }
    TEtape* premiere() const { return premiere_; }
    const std::vector<TLigne_ignoree>& ignorees() const { return ignorees_; }

  private:
    // A replay of every step; false when one fails, or finds no solution where it had one
    // since the reading.
    bool Rejouer(TForm2& form2);

    TFigure figure_;
    TEtape* premiere_ = nullptr;
    std::string texte_; // Windows-1252, as read
    std::vector<TLigne_ignoree> ignorees_;
    TCadre_image fenetre_lue_; // the scene converts the figure's own in place
    bool rejouable_ = true;
    bool verifiee_ = false; // replayed once as read
    std::set<const TEtape*> sans_solution_depuis_la_lecture_;
};

} // namespace trazel
