#include "ui/processus.h"

#include <QApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

namespace trazel {

TLancement LancerEtAttendre(const QString& commande, int limite_ms)
{
    QStringList morceaux = QProcess::splitCommand(commande);
    if (morceaux.isEmpty())
        return TLancement::Introuvable;
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
    bool trop_long = false;
    QTimer limite;
    limite.setSingleShot(true);
    QObject::connect(&limite, &QTimer::timeout, &attente, [&] {
        trop_long = true;
        attente.quit();
    });
    processus.start(programme, morceaux);
    if (!processus.waitForStarted(-1))
        return TLancement::Introuvable;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // User input is held back while the program runs; painting goes on.
    if (processus.state() != QProcess::NotRunning) {
        limite.start(limite_ms);
        attente.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (trop_long && processus.state() != QProcess::NotRunning) {
        processus.kill();
        processus.waitForFinished(-1);
    }
    QApplication::restoreOverrideCursor();
    return trop_long ? TLancement::Trop_long : TLancement::Termine;
}

bool Ouvrir_avec(const QString& programme, const QString& fichier, const QString& dossier)
{
    return QProcess::startDetached(programme, {fichier}, dossier);
}

} // namespace trazel
