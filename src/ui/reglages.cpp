#include "ui/reglages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/encodage.h"
#include "model/fichiers.h"

namespace trazel {
namespace {

constexpr const char* titre_installation = "Installation";
// The search looks for several viewers (see Regler_recherche_visionneuse).
constexpr const char* question_recherche =
    "Voulez-vous que Trazel recherche sur votre disque les visualiseurs PostScript "
    "pr\xE9sents (gv, Evince, Okular, Zathura\x85) ?";
constexpr const char* question_copie =
    "Utilisez-vous ce visualiseur PostScript pr\xE9sent sur votre disque : ";
constexpr const char* avant_date = ", dat\xE9 du ";
constexpr const char* avis_creation = "Cr\xE9"
                                      "ation d'un fichier d'initialisation : ";
constexpr const char* ligne_installe = "GsView install\xE9"
                                       " = ";
constexpr const char* ligne_chemin = "Chemin GsView = ";

// Paths go to the file as the system names them, not through a code page that would lose
// the characters it lacks.
std::string Octets_chemin(const QString& chemin)
{
    return QFile::encodeName(chemin).toStdString();
}

std::string Texte_reglages(const TReglages& reglages)
{
    std::string texte = ligne_installe;
    texte += reglages.GsViewInstalle ? "OUI" : "NON";
    texte += "\r\n";
    if (reglages.GsViewInstalle) {
        texte += ligne_chemin;
        texte += Octets_chemin(reglages.CheminGsView);
        texte += "\r\n";
    }
    return texte;
}

// Up to `longueur` characters of a line from two positions after its first "=" (the space
// the file puts there is passed over); none when the line holds no "=".
std::optional<std::string> Valeur(const std::string& ligne, std::size_t longueur)
{
    const std::size_t egal = ligne.find('=');
    if (egal == std::string::npos)
        return std::nullopt;
    if (egal + 2 >= ligne.size())
        return std::string();
    return ligne.substr(egal + 2, longueur);
}

// Reads the file's text over `reglages`: a first line without "=" leaves GsViewInstalle as
// it was.
TReglages Lire_reglages(std::string_view texte, TReglages reglages)
{
    const std::vector<std::string> lignes = Decouper_lignes(texte);
    auto ligne = [&](std::size_t i) { return i < lignes.size() ? lignes[i] : std::string(); };
    if (const auto installe = Valeur(ligne(0), 3))
        reglages.GsViewInstalle = *installe == "OUI";
    if (reglages.GsViewInstalle) {
        const std::string chemin = Valeur(ligne(1), std::string::npos).value_or("");
        reglages.CheminGsView = QFile::decodeName(QByteArray::fromStdString(chemin));
    }
    return reglages;
}

// Only a program can open the picture: a manual page, a menu entry or a completion script
// may carry a viewer's name too.
bool Est_programme(const QString& nom)
{
    const QFileInfo fichier(nom);
    return fichier.isFile() && fichier.isExecutable();
}

// Offers each viewer the scan reports; the one the user accepts ends the scan.
TReglages Rechercher_visionneuse(TDialogues& dialogues, QWidget* parent, TScruteDossier& scrute)
{
    TReglages trouve;
    const QString titre = Texte_qt(titre_installation);
    if (!dialogues.Question(parent, titre, Texte_qt(question_recherche)))
        return trouve;
    auto proposer = [&](const QString& nom) {
        if (!Est_programme(nom))
            return;
        const QString date = QLocale().toString(scrute.DateFichier().date(), QLocale::ShortFormat);
        if (!dialogues.Question(parent, titre,
                                Texte_qt(question_copie) + nom + Texte_qt(avant_date) + date +
                                    QStringLiteral(" ?")))
            return;
        scrute.Arret = true;
        trouve = TReglages{true, nom};
        dialogues.Information(parent, titre,
                              Texte_qt(avis_creation) + QLatin1String(Nom_fichier_reglages));
    };
    // The scanner belongs to the caller and may serve again: the offer is connected for
    // this scan only, even when a handler throws.
    struct TConnexion {
        QMetaObject::Connection connexion;
        ~TConnexion() { QObject::disconnect(connexion); }
    } offre{QObject::connect(&scrute, &TScruteDossier::Fichier, proposer)};
    scrute.Execute();
    return trouve;
}

} // namespace

TReglages Demarrer_reglages(const QString& dossier, TDialogues& dialogues, QWidget* parent,
                            TScruteDossier& scrute)
{
    const QString chemin = QDir(dossier).filePath(QLatin1String(Nom_fichier_reglages));
    TReglages reglages;
    if (!QFileInfo::exists(chemin)) {
        reglages = Rechercher_visionneuse(dialogues, parent, scrute);
        Remplacer_fichier(Octets_chemin(chemin), Texte_reglages(reglages));
    }
    return Lire_reglages(Lire_fichier(Octets_chemin(chemin)), reglages);
}

void Regler_recherche_visionneuse(TScruteDossier& scrute)
{
    // Depth 1 is /usr/bin and depth 2 /usr/local/bin; deeper folders hold libraries and
    // data, and walking them would keep the user waiting for nothing.
    scrute.Dossier = QStringLiteral("/usr");
    scrute.Filtre = QStringLiteral("gv;evince;okular;qpdfview;zathura;atril");
    scrute.SousDossier = true;
    scrute.MaxPenetration = 2;
}

} // namespace trazel
