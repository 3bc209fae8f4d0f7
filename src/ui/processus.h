#pragma once
// Starting other programs: the compile step's latex and dvips, the PostScript renderer, and
// the viewer.

#include <QString>
#include <QStringList>

namespace trazel {

enum class TLancement { Termine, Introuvable, Trop_long };

// Runs a command line (the program found on the PATH) in the current directory and waits
// for its end, the windows still repainted and a busy cursor shown. The program reads no
// input (standard input is /dev/null), so a LaTeX error ends the run instead of waiting for
// an answer. A program still running after `limite_ms` is killed: a stuck run never
// freezes the window.
TLancement LancerEtAttendre(const QString& commande, int limite_ms = 120000);

// Opens a file with a program, without waiting for it. False when it could not be started.
bool Ouvrir_avec(const QString& programme, const QString& fichier, const QString& dossier);

} // namespace trazel
