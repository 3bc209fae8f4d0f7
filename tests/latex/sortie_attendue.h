#pragma once
// What the picture tests compare against: the default picture box and whole output lines.

#include <initializer_list>
#include <string>
#include <string_view>

#include "model/figure.h"

namespace trazel::essais {

// The picture box of the default "Position de Roxy" window.
inline const TCadre_image fenetre_par_defaut{.xmin = -7.622951L, .ymin = -5, .xmax = 7.622951L,
                                             .ymax = 5};

inline const std::string hors_fenetre = "% Hors fen\xEAtre d'affichage";

// Whole lines, each ended by CR LF.
inline std::string Lignes(std::initializer_list<std::string_view> lignes)
{
    std::string texte;
    for (const std::string_view ligne : lignes)
        texte.append(ligne).append("\r\n");
    return texte;
}

} // namespace trazel::essais
