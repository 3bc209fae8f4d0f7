#pragma once
// Starting other programs: the compile step's latex and dvips, the PostScript renderer, and
// the viewer.

#include <QByteArray>
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

// The same for a program and its arguments. When `sortie` is given, it receives the
// program's error output and exit code (the output is still thrown away).
struct TSortie_programme {
    QByteArray erreurs;
    int code = 0;
};
TLancement Lancer_programme(const QString& programme, const QStringList& arguments,
                            int limite_ms = 120000, TSortie_programme* sortie = nullptr);

// Opens a file with a program, without waiting for it. False when it could not be started.
bool Ouvrir_avec(const QString& programme, const QString& fichier, const QString& dossier);

} // namespace trazel
