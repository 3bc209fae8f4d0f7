#include "latex/document.h"

#include "latex/texte_image.h"
#include "model/encodage.h"

namespace trazel {

std::string Document_de_compilation(std::string_view image)
{
    std::string document;
    for (const std::string_view ligne :
         {"%Format: WML-LaTeX2e", "%Option: bigtex", "\\documentclass[11pt]{article}",
          "\\usepackage{pstricks, pst-plot}", "\\begin{document}", "\\part*{Figure \\LaTeX}"})
        Ajouter_ligne(document, ligne);
    for (const std::string& ligne : Decouper_lignes(image))
        Ajouter_ligne(document, ligne);
    Ajouter_ligne(document, "\\end{document}");
    return document;
}

std::string Document_tikz(std::string_view image)
{
    // The picture is shipped out as the page, at its corner: no margin, no page number.
    std::string document = "\\documentclass{article}\n"
                           "\\usepackage{tikz}\n"
                           "\\begin{document}\n"
                           "\\setbox0=\\hbox{%\n";
    document.append(image);
    // The fragment's last line end is a space: it would widen the page.
    document +=
        "\\unskip}%\n"
        "\\ifdefined\\pdfpagewidth\\pdfpagewidth=\\wd0 "
        "\\pdfpageheight=\\dimexpr\\ht0+\\dp0\\relax\\fi\n"
        "\\ifdefined\\pagewidth\\pagewidth=\\wd0 \\pageheight=\\dimexpr\\ht0+\\dp0\\relax\\fi\n"
        "\\hoffset=-1in \\voffset=-1in\n"
        "\\shipout\\box0\n"
        "\\end{document}\n";
    return document;
}

} // namespace trazel
