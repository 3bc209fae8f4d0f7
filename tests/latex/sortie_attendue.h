#pragma once
// What the picture tests compare against: the default picture box and whole output lines.

#include <initializer_list>
#include <string>
#include <string_view>

#include "calc/conversion_chaines.h"
#include "latex/courbes.h"
#include "model/figure.h"

namespace trazel::essais {

// The picture box of the default "Position de Roxy" window.
inline const TCadre_image fenetre_par_defaut{
    .xmin = -7.622951L, .ymin = -5, .xmax = 7.622951L, .ymax = 5};

inline const std::string hors_fenetre = "% Hors fen\xEAtre d'affichage";

// Whole lines, each ended by CR LF.
inline std::string Lignes(std::initializer_list<std::string_view> lignes)
{
    std::string texte;
    for (const std::string_view ligne : lignes)
        texte.append(ligne).append("\r\n");
    return texte;
}

// The samples as the curve writer's temporary file holds them: "(x, y) " or " HC (x, y) " per
// sample, "ND" for an undefined value, a line end after the `premiere_ligne`-th sample and
// then after every fifth.
inline std::string Texte_du_fichier(const TEchantillons& echantillons, std::size_t premiere_ligne)
{
    std::string texte;
    for (std::size_t i = 0; i < echantillons.size(); ++i) {
        const TEchantillon& e = echantillons[i];
        texte += std::string(e.bascule ? " HC (" : "(") + Reel_en_texte(e.x) + ", " +
                 (e.defini ? Reel_en_texte(e.y) : "ND") + ") ";
        if (i + 1 >= premiere_ligne && (i + 1 - premiere_ligne) % 5 == 0)
            texte += '\n';
    }
    return texte;
}

} // namespace trazel::essais
