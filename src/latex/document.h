#pragma once
// The complete LaTeX documents that wrap a picture for compiling: a fixed preamble, the
// picture's lines unchanged, and the end of the document.

#include <string>
#include <string_view>

namespace trazel {

// The document around the picture text (lines ended by CR LF, as a ".crb" file holds them);
// every line of the result ends with CR LF.
std::string Document_de_compilation(std::string_view image);

// A UTF-8 document for pdfLaTeX or LuaLaTeX whose one page is the TikZ picture's box: the
// fragment (lines ended by LF) inside, every line ended by LF.
std::string Document_tikz(std::string_view image);

} // namespace trazel
