#pragma once
// The PSTricks picture of a computed figure: the walk over the construction steps and the
// picture header.

#include <string>
#include <string_view>

#include "calc/conversion_chaines.h"
#include "calc/resolveur.h"
#include "latex/texte_image.h"
#include "model/figure.h"
#include "model/reel.h"

namespace trazel {

// A LaTeX frame of no size (width or height not positive) raises Erreur_trazel.
void Controler_cadre_latex(const TCadre_latex& cadre);
// Centimetres per figure unit of a converted window: the picture keeps the figure's
// proportions, fits the frame and fills one of its sides.
Reel Unite_image(const TCadre_image& fenetre, const TCadre_latex& cadre);

// Converts the window in place from fractions of the editor's window to figure coordinates:
// the editor shows 1.5245902 times the "Position de Roxy" range. A window without surface
// raises Erreur_trazel.
void Convertir_fenetre(const TReperexoy& roxy, TCadre_image& fenetre);

// The default axes are drawn when Roxy is and the origin is strictly inside the window.
bool Axes_visibles(const TReperexoy& roxy, const TCadre_image& fenetre);

// Converts the window in place from fractions of the editor's window to figure coordinates,
// then writes the units, the picture box and, when the origin is inside, the default axes.
// A window without surface or a frame of no size raises Erreur_trazel.
void Ecrire_entete(const TReperexoy& roxy, TCadre_image& fenetre, const TCadre_latex& cadre,
                   std::string& sortie);

// A user frame: its comment, then its two axes as graduated lines named "Axe1" and "Axe2",
// drawn in the frame's stroke (only the comment when the frame is not drawn).
void Ecrire_repere(const Trepere& repere, const TCadre_image& fenetre, std::string& sortie);

// Every line of the picture, header first, up to but not including "\end{pspicture}". Loci
// and graphs replay the figure's steps and evaluate its functions through `contexte`; the
// figure is the same afterwards.
void Ecrire_figure(TEtape* premiere, const TCadre_latex& cadre, TContexte_calcul& contexte,
                   std::string& sortie);

} // namespace trazel
