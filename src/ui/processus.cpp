#include "ui/processus.h"

#include <QApplication>
#include <QEventLoop>
#include <QProcess>

namespace trazel {

bool LancerEtAttendre(const QString& commande)
{
    QStringList morceaux = QProcess::splitCommand(commande);
    if (morceaux.isEmpty())
        return false;
    const QString programme = morceaux.takeFirst();
    QProcess processus;
    processus.setStandardInputFile(QProcess::nullDevice());
    processus.setStandardOutputFile(QProcess::nullDevice());
    processus.setStandardErrorFile(QProcess::nullDevice());
    QEventLoop attente;
    QObject::connect(&processus, &QProcess::finished, &attente, &QEventLoop::quit);
    QObject::connect(&processus, &QProcess::errorOccurred, &attente, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            attente.quit();
    });
    processus.start(programme, morceaux);
    if (!processus.waitForStarted(-1))
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // User input is held back while the program runs; painting goes on.
    if (processus.state() != QProcess::NotRunning)
        attente.exec(QEventLoop::ExcludeUserInputEvents);
    QApplication::restoreOverrideCursor();
    return true;
}

bool Ouvrir_avec(const QString& programme, const QString& fichier, const QString& dossier)
{
    return QProcess::startDetached(programme, {fichier}, dossier);
}

} // namespace trazel
