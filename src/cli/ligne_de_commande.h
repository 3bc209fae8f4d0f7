#pragma once
// The command line: trazel [--largeur L] [--hauteur H] [-o SORTIE] [--document]
// [--avertissements] [--] FIGURE.fgr...

#include <string>
#include <vector>

#include "cli/flux.h"

namespace trazel {

// Exit statuses.
inline constexpr int code_succes = 0;
inline constexpr int code_echec = 1;
inline constexpr int code_usage = 2;

// Runs the command with its arguments (without the program name). Messages go to `erreurs`
// in UTF-8; a picture asked for on standard output goes to `sortie` as stored (Windows-1252,
// CR LF).
// A figure "-" is read from the standard input, or from `entree`.
int Executer(const std::vector<std::string>& arguments, TFlux& sortie, TFlux& erreurs);
int Executer(const std::vector<std::string>& arguments, TFlux& sortie, TFlux& erreurs,
             TEntree& entree);

// Every option the command accepts, as written on its command line (the long options that
// take a value also accept "--nom=VALEUR"). The help names each of them.
std::vector<std::string> Options_acceptees();

} // namespace trazel
