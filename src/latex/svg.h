#pragma once
// The picture as a standalone SVG image, for a web page, a slide or a word processor: the
// pieces of a scene cut as for the PSTricks picture, sizes in centimetres, labels as text.

#include <string>

#include "latex/scene.h"

namespace trazel {

// The whole SVG document, its size the picture box's; one comment per object as the
// PSTricks picture has, lines ended by LF. Texts stay Windows-1252 like the scene's; the
// caller converts them.
std::string Image_svg(const TScene& scene);

} // namespace trazel
