#include "latex/polygones.h"

#include <cstddef>

#include "latex/droites.h"
#include "latex/texte_image.h"

namespace trazel {

void Ecrire_polygone(const Tpolygone& polygone, const TCadre_image& fenetre, std::string& sortie)
{
    if (!polygone.dessine)
        return;
    Ajouter_ligne(sortie, "% Polygone " + polygone.nom);
    const TListe_points& sommets = polygone.sommets;
    for (std::size_t i = 0; i < sommets.size(); ++i) {
        Tpoint* const suivant = sommets[(i + 1) % sommets.size()];
        // An edge is drawn like the segment named after its two ends, in the polygon's
        // stroke; the polygon's own vertex list is left as it is.
        const Tsegment cote{.nom = sommets[i]->nom + suivant->nom,
                            .extremite1 = sommets[i],
                            .extremite2 = suivant,
                            .dessine = true,
                            .couleur = polygone.couleur,
                            .style = polygone.style};
        Ecrire_segment(cote, fenetre, sortie);
    }
}

} // namespace trazel
