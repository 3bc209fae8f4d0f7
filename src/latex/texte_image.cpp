#include "latex/texte_image.h"

namespace trazel {

void Ajouter_ligne(std::string& sortie, std::string_view ligne)
{
    sortie.append(ligne);
    sortie.append("\r\n");
}

std::string_view Tronquer_decimales(std::string_view texte, int n)
{
    const std::size_t point = texte.find('.');
    if (point == std::string_view::npos)
        return texte;
    return texte.substr(0, point + 1 + static_cast<std::size_t>(n));
}

} // namespace trazel
