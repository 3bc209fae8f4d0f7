#pragma once
// A recursive file finder with events. From `Dossier` it reports, folder after folder, depth
// first, the files whose names match the patterns of `Filtre`: a folder's own files come
// before its subfolders. A handler stops the scan by setting `Arret`.
//
// Patterns are shell wildcards ("*", "?", "[...]") separated by ";", matched case-sensitively
// like the file system's names. In each folder all matches of the first pattern come before
// those of the second, each group sorted by name; a file matched by several patterns is
// reported once. Links to folders are never followed, /proc, /sys and /dev are never
// entered, and a folder that cannot be read is passed over silently. Pending events are
// processed between entries so that the program stays responsive during a long scan.

#include <QDateTime>
#include <QFileInfo>
#include <QObject>
#include <QRegularExpression>
#include <QString>
#include <vector>

namespace trazel {

class TScruteDossier : public QObject {
    Q_OBJECT

  public:
    explicit TScruteDossier(QObject* parent = nullptr);

    // Runs one scan from `Dossier`; returns when the walk is over or was stopped.
    void Execute();
    // The date and time of the file last reported.
    QDateTime DateFichier() const { return HeureFichier; }

    // State of the scan, for the handlers. Names are absolute, without "." or "..".
    QString FichierCourant;     // the file last reported
    QString DossierCourant;     // the folder last entered
    qint64 TailleFichier = 0;   // size in bytes of the file last reported
    QDateTime HeureFichier;     // last modification of the file last reported
    int ProfondeurCourante = 0; // depth of the folder being walked, 0 for `Dossier`

    // What to scan; a `Debut` handler may still change them.
    QString Dossier = QStringLiteral("/");
    QString Filtre = QStringLiteral("*");
    bool SousDossier = true;
    int MaxPenetration = 10000; // deepest depth walked; negative for no limit

    // Stop request, tested by every loop of the walk.
    bool Arret = false;

  signals:
    // A matching file, by its full name.
    void Fichier(const QString& nom);
    // A subfolder, by its full name, just before it is walked.
    void Dossier_entre(const QString& nom);
    // The scan starts: nothing has been read yet.
    void Debut();
    // The scan is over or was stopped.
    void Fin();

  private:
    void Parcourir(const QString& dossier, int profondeur);
    void Signaler_fichiers(const QString& dossier, const QFileInfoList& entrees);

    std::vector<QRegularExpression> motifs_; // `Filtre` compiled at the start of a scan
};

} // namespace trazel
