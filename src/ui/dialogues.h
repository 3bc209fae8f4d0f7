#pragma once
// The questions and notices the desktop program puts to the user, and its file choosers.
// Windows go through this one seam so that the tests answer them instead of a person: a test
// installs its own TDialogues, the program the one that opens real Qt dialogs.

#include <QString>
#include <QStringList>
#include <QTranslator>
#include <QWidget>
#include <optional>

namespace trazel {

// The answer to a question that may also call the operation off.
enum class TReponse { oui, non, annuler };

class TDialogues {
  public:
    virtual ~TDialogues() = default;

    // A Yes/No question; true for Yes.
    virtual bool Question(QWidget* parent, const QString& titre, const QString& texte) = 0;
    // A Yes/No/Cancel question, as asked before work could be lost.
    virtual TReponse Question_annulable(QWidget* parent, const QString& titre,
                                        const QString& texte) = 0;
    // A notice with an OK button.
    virtual void Information(QWidget* parent, const QString& titre, const QString& texte) = 0;
    // A failure's message, captioned with the operation that failed.
    virtual void Erreur(QWidget* parent, const QString& titre, const QString& texte) = 0;
    // A file to open or to save into; none when the user cancels. `filtre` is a Qt filter
    // ("Fichiers Figuro (*.fgr *.FGR)"); `propose` the file (or folder) the chooser starts at.
    virtual std::optional<QString> Fichier_a_ouvrir(QWidget* parent, const QString& filtre) = 0;
    virtual std::optional<QString> Fichier_a_enregistrer(QWidget* parent, const QString& filtre,
                                                         const QString& propose = {}) = 0;
    // A few values to type, one per label, starting from `valeurs`; none when the user
    // cancels.
    virtual std::optional<QStringList> Formulaire(QWidget* parent, const QString& titre,
                                                  const QStringList& libelles,
                                                  const QStringList& valeurs) = 0;
};

// The real dialogs: QMessageBox with French buttons, and QFileDialog (its texts come from
// Qt's French translation, loaded by the program).
class TDialogues_qt : public TDialogues {
  public:
    bool Question(QWidget* parent, const QString& titre, const QString& texte) override;
    TReponse Question_annulable(QWidget* parent, const QString& titre,
                                const QString& texte) override;
    void Information(QWidget* parent, const QString& titre, const QString& texte) override;
    void Erreur(QWidget* parent, const QString& titre, const QString& texte) override;
    std::optional<QString> Fichier_a_ouvrir(QWidget* parent, const QString& filtre) override;
    std::optional<QString> Fichier_a_enregistrer(QWidget* parent, const QString& filtre,
                                                 const QString& propose = {}) override;
    std::optional<QStringList> Formulaire(QWidget* parent, const QString& titre,
                                          const QStringList& libelles,
                                          const QStringList& valeurs) override;
};

// Qt's own texts (the file chooser, its questions, key names) in French like the rest: sets
// the default locale to French and installs Qt's French translation into the application
// through `traduction`, which must outlive its use. False when the translation is missing
// (Debian package qt6-translations-l10n).
bool Traduire_qt_en_francais(QTranslator& traduction);

// The width a window needs for its caption to show whole: window managers cut a caption
// wider than its window.
int Largeur_pour_la_legende(const QWidget& fenetre, const QString& legende);

// Windows-1252 text of the core to a QString, and back: the one place of the conversion.
QString Texte_qt(std::string_view cp1252);
std::string Texte_cp1252(const QString& texte);

// The text a user reads of any failure (see Texte_erreur in the core).
QString Texte_erreur_qt(const std::exception& erreur);

} // namespace trazel
