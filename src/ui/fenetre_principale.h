#pragma once
// The main window: the figure editor, the buttons that create, load and save a figure, make
// its LaTeX picture and open the tangent dialog, and the size of the LaTeX frame.
//
//   BtNouv_FigClick      new figure (after the change check)
//   BtChargerClick       load a figure file
//   BtSauverClick        save the figure (EnregistrerFigure), then Activer
//   Compil_TrazelClick   transcribe the saved figure and show its picture
//   TangenteClick        hand the figure to the tangent dialog

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QToolButton>
#include <functional>

#include "calc/conversion_chaines.h"
#include "model/reel.h"
#include "ui/dialogues.h"
#include "ui/scrute_dossier.h"

namespace trazel {

class TEditeur_figure;
class TForm3;
class TForm4;

class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    TForm1(TDialogues& dialogues, QWidget* parent = nullptr);

    // The other forms, created after this one (the evaluator holder, the preview window and
    // the tangent dialog); they must outlive it.
    void Associer(TForm2& form2, TForm3& form3, TForm4& form4);

    // Start-up: the settings and, on first run, the viewer search.
    void FormCreate();
    // Sets the search for the viewer as it starts.
    void ScruteDossier1Execute();

    void BtNouv_FigClick();
    void BtChargerClick();
    // Loads a figure file chosen already (the load's part after its file dialog).
    void Charger_figure(const QString& chemin);
    void BtSauverClick();
    void Compil_TrazelClick();
    void TangenteClick();

    // Asks "Voulez-vous enregistrer la figure ?" and saves on Yes.
    void DemanderSauvegarde();
    // Saves the figure to NomFigure, asking for a name when there is none.
    void EnregistrerFigure();
    // Writes the figure's text to a file, a three-space indentation saved as two.
    void CopierTexteFigure(const QString& cible);

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

private:
    // Runs an operation; any failure is shown in a message box captioned with the
    // operation's name, and the program goes on.
    void Executer(const QString& operation, const std::function<void()>& action);
    // Runs an operation that ends silently on failure, as loading and saving do; the status
    // bar says what happened.
    void Executer_en_silence(const QString& operation, const std::function<void()>& action);
    // The change check: false when the operation must not go on.
    void Verifier_changements();

    TDialogues& dialogues_;
    TForm2* form2_ = nullptr;
    TForm3* form3_ = nullptr;
    TForm4* form4_ = nullptr;
};

// The filters of the file dialogs.
extern const char* const filtre_figures;

} // namespace trazel
