#pragma once
// The main window: the figure editor, the buttons (and menus, and keys) that create, load and
// save a figure, make its LaTeX picture and open the tangent dialog, and the size of the
// LaTeX frame. No change is ever lost without a question: closing the window, a new figure,
// a load and a LaTeX file made from the saved figure all ask first.
//
//   BtNouv_FigClick         new figure (after the change check)          Ctrl+N
//   BtChargerClick          load a figure file                           Ctrl+O
//   BtSauverClick           save the figure (EnregistrerFigure)          Ctrl+S
//   BtEnregistrer_sousClick save the figure under a new name             Ctrl+Maj+S
//   Compil_TrazelClick      transcribe the saved figure, show its picture Ctrl+L
//   TangenteClick           open the tangent dialog on the figure        Ctrl+T
//   AideClick               the user guide                               F1

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QToolButton>
#include <functional>

#include "calc/conversion_chaines.h"
#include "model/reel.h"
#include "ui/dialogues.h"
#include "ui/scrute_dossier.h"

class QTextBrowser;

namespace trazel {

class TEditeur_figure;
class TForm3;
class TForm4;

class TForm1 : public QMainWindow {
    Q_OBJECT

  public:
    TForm1(TDialogues& dialogues, QWidget* parent = nullptr);
    ~TForm1() override;

    // The other forms, created after this one (the evaluator holder, the preview window and
    // the tangent dialog); they must outlive it.
    void Associer(TForm2& form2, TForm3& form3, TForm4& form4);

    // Start-up: the settings and, on first run, the viewer search.
    void FormCreate();
    // Sets the search for the viewer as it starts.
    void ScruteDossier1Execute();

    void BtNouv_FigClick();
    void BtChargerClick();
    // Loads a figure file chosen already (the load's part after its file dialog). A file
    // that cannot be read, or is not a figure, is refused with a message and changes
    // nothing; false then.
    bool Charger_figure(const QString& chemin);
    void BtSauverClick();
    void BtEnregistrer_sousClick();
    void Compil_TrazelClick();
    void TangenteClick();
    void AideClick();

    // Asks "Enregistrer les modifications de la figure ?" and saves on Oui. False when the
    // operation that asked must stop: Annuler, or Oui and the figure was not saved.
    bool DemanderSauvegarde();
    // Saves the figure to NomFigure, asking for a name when there is none; true when saved.
    // A failure is shown in a message box captioned "Sauvegarde".
    bool EnregistrerFigure();
    // Saves the figure under a name asked for; true when saved.
    bool Enregistrer_sous();
    // Writes the figure's text to a file, a three-space indentation saved as two. Raises
    // Erreur_fichier when the file cannot be written.
    void CopierTexteFigure(const QString& cible);
    // The figure differs from what was last created, loaded or saved.
    bool Figure_modifiee() const;

    // State the other windows read.
    QString NomFigure;
    QString HTMLSauvegarde; // the editor's token at the last new figure, load or save
    QString CheminGsView;
    bool GsViewInstalle = false;
    Reel hauteur_cadre = 10;
    Reel largeur_cadre = 10;

    TEditeur_figure* Figure1 = nullptr;
    TScruteDossier ScruteDossier1;
    QLineEdit* Hauteur = nullptr;
    QLineEdit* Largeur = nullptr;

  protected:
    // Closing asks about unsaved changes, and closes the other windows with this one.
    void closeEvent(QCloseEvent* evenement) override;

  private:
    void Creer_actions();
    // Runs an operation; any failure is shown in a message box captioned with the
    // operation's name, and the program goes on.
    void Executer(const QString& operation, const std::function<void()>& action);
    // The change check: false when the operation must not go on.
    bool Verifier_changements();
    // Writes the figure to `chemin`; a failure is shown, and false.
    bool Ecrire_figure(const QString& chemin);
    // The caption: the figure's file name and, while it has unsaved changes, a mark.
    void Actualiser_titre();

    TDialogues& dialogues_;
    TForm2* form2_ = nullptr;
    TForm3* form3_ = nullptr;
    TForm4* form4_ = nullptr;
    QPointer<QTextBrowser> aide_;
};

// The filters of the file dialogs.
extern const char* const filtre_figures;

} // namespace trazel
