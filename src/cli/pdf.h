#pragma once
// A PDF of the picture: the TikZ document compiled by pdflatex, in a folder of its own that
// is removed afterwards.

#include <string>
#include <string_view>

namespace trazel {

// The PDF bytes of a document (UTF-8 LaTeX text) compiled by `moteur` ("pdflatex") found on
// the PATH. `figure` names the figure in messages. A missing engine, a failed compilation
// (its first error lines are in the message) or a system failure raise Erreur_fichier.
std::string Compiler_pdf(std::string_view document, const std::string& figure,
                         const std::string& moteur = "pdflatex");

} // namespace trazel
