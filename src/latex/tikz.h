#pragma once
// The picture as a TikZ fragment, for documents compiled with pdfLaTeX, LuaLaTeX or XeLaTeX:
// the pieces of a scene cut as for the PSTricks picture, drawn with the same units, strokes
// and marks. Only commands of TikZ itself: `\usepackage{tikz}` is all a document needs.

#include <string>

#include "latex/scene.h"

namespace trazel {

// A `tikzpicture` whose bounding box is the picture box, one comment per object as the
// PSTricks picture has, lines ended by LF. Texts stay Windows-1252 like the scene's; the
// caller converts them.
std::string Image_tikz(const TScene& scene);

// The most points of a curve in one path: TeX builds a path in time that grows faster than
// its length, so a long curve is drawn as several paths, each starting where the last ended.
inline constexpr std::size_t points_par_trace_tikz = 200;

} // namespace trazel
