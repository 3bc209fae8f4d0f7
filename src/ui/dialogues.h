#pragma once
// The questions and notices the desktop program puts to the user, and its file choosers.
// Windows go through this one seam so that the tests answer them instead of a person: a test
// installs its own TDialogues, the program the one that opens real Qt dialogs.

#include <QString>
#include <QWidget>
#include <optional>

namespace trazel {

class TDialogues {
public:
    virtual ~TDialogues() = default;

    // A Yes/No question; true for Yes.
    virtual bool Question(QWidget* parent, const QString& titre, const QString& texte) = 0;
    // A notice with an OK button.
    virtual void Information(QWidget* parent, const QString& titre, const QString& texte) = 0;
    // A failure's message, captioned with the operation that failed.
    virtual void Erreur(QWidget* parent, const QString& titre, const QString& texte) = 0;
    // A file to open or to save into; none when the user cancels. `filtre` is a Qt filter
    // ("Fichiers Figuro (*.fgr *.FGR)").
    virtual std::optional<QString> Fichier_a_ouvrir(QWidget* parent, const QString& filtre) = 0;
    virtual std::optional<QString> Fichier_a_enregistrer(QWidget* parent,
                                                         const QString& filtre) = 0;
};

// The real dialogs: QMessageBox and QFileDialog.
class TDialogues_qt : public TDialogues {
public:
    bool Question(QWidget* parent, const QString& titre, const QString& texte) override;
    void Information(QWidget* parent, const QString& titre, const QString& texte) override;
    void Erreur(QWidget* parent, const QString& titre, const QString& texte) override;
    std::optional<QString> Fichier_a_ouvrir(QWidget* parent, const QString& filtre) override;
    std::optional<QString> Fichier_a_enregistrer(QWidget* parent, const QString& filtre) override;
};

// Windows-1252 text of the core to a QString, and back: the one place of the conversion.
QString Texte_qt(std::string_view cp1252);
std::string Texte_cp1252(const QString& texte);

} // namespace trazel
