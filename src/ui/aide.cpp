#include "ui/aide.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>

namespace trazel {

// The program lies in bin/ of its prefix, or in a build folder (or one of its subfolders)
// of the sources: a few folders up is enough.
QString Chemin_du_guide()
{
    QDir dossier(QCoreApplication::applicationDirPath());
    for (int niveau = 0; niveau < 3; ++niveau) {
        for (const char* relatif : {"share/doc/trazel/docs/guide.md", "docs/guide.md"})
            if (QFileInfo(dossier.filePath(relatif)).isFile())
                return QDir::cleanPath(dossier.filePath(relatif));
        if (!dossier.cdUp())
            break;
    }
    return {};
}

QTextBrowser* Fenetre_du_guide(const QString& chemin, QWidget* parent)
{
    auto* guide = new QTextBrowser(parent);
    guide->setWindowFlag(Qt::Window);
    guide->setObjectName("Guide");
    guide->setWindowTitle(QStringLiteral("Guide de Trazel"));
    guide->setOpenExternalLinks(true);
    guide->setSource(QUrl::fromLocalFile(chemin), QTextDocument::MarkdownResource);
    guide->resize(860, 720);
    return guide;
}

} // namespace trazel
