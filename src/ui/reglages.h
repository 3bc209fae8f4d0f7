#pragma once
// The settings file "Trazel.ini": whether a PostScript viewer is configured, and where. It is
// written once, at the first start, after the user has had the disk searched for a viewer
// and picked one of the copies found; it is read at every start.
//
// Layout, CR LF line ends: "GsView install\xE9 = OUI" or "... = NON" (Windows-1252), then,
// with OUI only, "Chemin GsView = " and the viewer's path in the file system's own bytes,
// so that any path the system can name is written and read back exactly.

#include <QString>
#include <QWidget>

#include "ui/dialogues.h"
#include "ui/scrute_dossier.h"

namespace trazel {

struct TReglages {
    bool GsViewInstalle = false;
    QString CheminGsView; // full path of the viewer, kept whole whatever its length
};

inline constexpr const char* Nom_fichier_reglages = "Trazel.ini";

// Start-up. When `dossier` holds no "Trazel.ini", asks whether to search for a viewer; on Yes
// runs `scrute` and offers each viewer program it reports, then creates the file. Then reads
// the file. Erreur_fichier when it cannot be created or read. `scrute` keeps the folder and
// filter it was given: the program sets them with Regler_recherche_visionneuse from its
// `Debut` handler.
TReglages Demarrer_reglages(const QString& dossier, TDialogues& dialogues, QWidget* parent,
                            TScruteDossier& scrute);

// Where viewers are looked for on this system: the folder of installed programs, no deeper
// than its bin folders and those of /usr/local, for the viewers of PostScript files, GNU gv
// first.
void Regler_recherche_visionneuse(TScruteDossier& scrute);

} // namespace trazel
