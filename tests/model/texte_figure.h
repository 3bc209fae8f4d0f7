#pragma once
// Figure texts for the tests, as the figure editor saves them (Windows-1252, CR LF).

#include <initializer_list>
#include <string>
#include <string_view>

namespace trazel::essais {

inline constexpr std::string_view position_par_defaut =
    "Position de Roxy: Xmin: -5, Xmax: 5, Ymax: 5";
inline constexpr std::string_view roxy_rouge =
    "Objet dessinable Roxy, particularit\xE9s: rouge, dessin\xE9";

// The header, the window lines, the object lines given, then the comment section.
inline std::string Texte_figure(std::initializer_list<std::string_view> objets,
                                std::string_view position = position_par_defaut,
                                std::string_view roxy = roxy_rouge)
{
    std::string texte = "Figure Figuro\r\nNum\xE9ro de version: 2\r\n\r\n";
    texte += std::string(position) + "\r\n" + std::string(roxy) + "\r\n";
    for (const std::string_view ligne : objets)
        texte += std::string(ligne) + "\r\n";
    texte += "\r\nCommentaire\r\nFin de la figure\r\n";
    return texte;
}

} // namespace trazel::essais
