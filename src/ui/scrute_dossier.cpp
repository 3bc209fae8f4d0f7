#include "ui/scrute_dossier.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>

namespace trazel {
namespace {

// Kernel views, not files on a disk: walking them is endless (/proc/self/root...) or has side
// effects on devices.
bool Exclu(const QString& dossier)
{
    return dossier == QLatin1String("/proc") || dossier == QLatin1String("/sys") ||
           dossier == QLatin1String("/dev");
}

// The start folder as an absolute name without ".", ".." or a trailing "/".
QString Depart(const QString& dossier)
{
    return QDir::cleanPath(QDir(dossier).absolutePath());
}

QString Joindre(const QString& dossier, const QString& nom)
{
    return dossier == QLatin1String("/") ? dossier + nom : dossier + QLatin1Char('/') + nom;
}

// A folder of the tree itself; a link to a folder is not one, so that the walk neither loops
// nor leaves the tree it was given.
bool Est_sous_dossier(const QFileInfo& entree)
{
    return entree.isDir() && !entree.isSymLink();
}

// Every entry of the folder, hidden ones included, sorted by name (the order of the file
// system changes from one disk to another); empty when the folder cannot be read.
QFileInfoList Lire_dossier(const QString& dossier)
{
    QFileInfoList entrees = QDir(dossier).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    std::sort(entrees.begin(), entrees.end(),
              [](const QFileInfo& a, const QFileInfo& b) { return a.fileName() < b.fileName(); });
    return entrees;
}

// The patterns of a filter, left to right; empty patterns between two ";" are ignored.
std::vector<QRegularExpression> Motifs(const QString& filtre)
{
    std::vector<QRegularExpression> motifs;
    for (const QString& motif : filtre.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        motifs.emplace_back(QRegularExpression::wildcardToRegularExpression(motif));
    return motifs;
}

void Traiter_evenements()
{
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::processEvents();
}

} // namespace

TScruteDossier::TScruteDossier(QObject* parent) : QObject(parent) {}

void TScruteDossier::Execute()
{
    emit Debut();
    Arret = false;
    FichierCourant.clear();
    DossierCourant.clear();
    TailleFichier = 0;
    HeureFichier = QDateTime();
    ProfondeurCourante = 0;
    // Read after Debut: its handler may have set where and what to look for.
    motifs_ = Motifs(Filtre);
    const QString depart = Depart(Dossier);
    if (!Exclu(depart) && !Exclu(QFileInfo(depart).canonicalFilePath()))
        Parcourir(depart, 0);
    emit Fin();
}

void TScruteDossier::Parcourir(const QString& dossier, int profondeur)
{
    if (MaxPenetration >= 0 && MaxPenetration < profondeur)
        return;
    ProfondeurCourante = profondeur;
    const QFileInfoList entrees = Lire_dossier(dossier);
    Signaler_fichiers(dossier, entrees);
    // Then the subfolders, each walked whole before the next one.
    for (const QFileInfo& entree : entrees) {
        if (Arret)
            return;
        if (!Est_sous_dossier(entree))
            continue;
        const QString sous_dossier = Joindre(dossier, entree.fileName());
        if (Exclu(sous_dossier))
            continue;
        DossierCourant = sous_dossier;
        emit Dossier_entre(sous_dossier);
        if (SousDossier && !Arret) {
            Parcourir(sous_dossier, profondeur + 1);
            ProfondeurCourante = profondeur;
        }
        Traiter_evenements();
    }
}

void TScruteDossier::Signaler_fichiers(const QString& dossier, const QFileInfoList& entrees)
{
    // A file that several patterns match is reported at the first of them only.
    std::vector<bool> signale(static_cast<std::size_t>(entrees.size()), false);
    for (const QRegularExpression& motif : motifs_) {
        for (std::size_t i = 0; i < signale.size(); ++i) {
            if (Arret)
                return;
            const QFileInfo& entree = entrees[static_cast<qsizetype>(i)];
            if (signale[i] || entree.isDir() || !motif.match(entree.fileName()).hasMatch())
                continue;
            Traiter_evenements();
            // Checked after the events too: one of them may have asked to stop.
            if (Arret)
                return;
            signale[i] = true;
            FichierCourant = Joindre(dossier, entree.fileName());
            TailleFichier = entree.size();
            HeureFichier = entree.lastModified();
            emit Fichier(FichierCourant);
        }
    }
}

} // namespace trazel
