#pragma once
// The text conventions every picture emitter shares: how lines end, how decimals are cut,
// and the LaTeX frame the picture fits. Emitters append whole lines to a string; the caller
// decides where the text goes.

#include <string>
#include <string_view>

#include "model/reel.h"

namespace trazel {

// The LaTeX frame the picture must fit, in centimetres.
struct TCadre_latex {
    Reel largeur = 10;
    Reel hauteur = 10;
};

// The one place that decides line ends: picture files use CR LF.
void Ajouter_ligne(std::string& sortie, std::string_view ligne);

// A line given in pieces, appended one after the other: the whole line is never built on
// its own, which spares a text per piece on figures of thousands of objects.
template <class... Morceaux>
void Ajouter_ligne(std::string& sortie, std::string_view premier, std::string_view second,
                   const Morceaux&... suite)
{
    sortie.append(premier);
    sortie.append(second);
    (sortie.append(std::string_view(suite)), ...);
    Ajouter_ligne(sortie, std::string_view());
}

// A line of the UTF-8 formats (TikZ, SVG), given in pieces: they end with LF alone.
template <class... Morceaux> void Ajouter_ligne_lf(std::string& sortie, const Morceaux&... morceaux)
{
    (sortie.append(std::string_view(morceaux)), ...);
    sortie += '\n';
}

// The text up to and including its first ".", then at most n more characters: a prefix of
// the text given, valid as long as it is.
std::string_view Tronquer_decimales(std::string_view texte, int n);

} // namespace trazel
