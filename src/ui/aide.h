#pragma once
// The user guide, shown in a window of its own (F1 in the main window).

#include <QString>

class QTextBrowser;
class QWidget;

namespace trazel {

// The guide: beside the installed program (share/doc/trazel/docs/guide.md under the prefix)
// or, for a program run from a build folder, in the sources the folder lies in. Empty when
// there is none.
QString Chemin_du_guide();

// A window (owned by `parent`) showing the guide with its pictures; links to the other pages
// are followed in it.
QTextBrowser* Fenetre_du_guide(const QString& chemin, QWidget* parent);

} // namespace trazel
