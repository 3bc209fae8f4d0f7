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
    return Lancer_programme(programme, morceaux, limite_ms);
}

TLancement Lancer_programme(const QString& programme, const QStringList& arguments, int limite_ms,
                            TSortie_programme* sortie)
{
    QProcess processus;
    processus.setStandardInputFile(QProcess::nullDevice());
    processus.setStandardOutputFile(QProcess::nullDevice());
    if (sortie == nullptr)
        processus.setStandardErrorFile(QProcess::nullDevice());
    QEventLoop attente;
    QObject::connect(&processus, &QProcess::finished, &attente, &QEventLoop::quit);
    bool trop_long = false;
    QTimer limite;
    limite.setSingleShot(true);
    QObject::connect(&limite, &QTimer::timeout, &attente, [&] {
        trop_long = true;
        attente.quit();
    });
    processus.start(programme, arguments);
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
    if (sortie != nullptr) {
        sortie->erreurs = processus.readAllStandardError();
        sortie->code = processus.exitStatus() == QProcess::NormalExit ? processus.exitCode() : -1;
    }
    return trop_long ? TLancement::Trop_long : TLancement::Termine;
}

bool Ouvrir_avec(const QString& programme, const QString& fichier, const QString& dossier)
{
    return QProcess::startDetached(programme, {fichier}, dossier);
}

} // namespace trazel
