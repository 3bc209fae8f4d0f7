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

} // namespace trazel
