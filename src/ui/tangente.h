#pragma once
// The tangent dialog: adds to the figure in the editor the tangent to a function's graph at
// a chosen abscissa, drawn as two half-tangents ending in arrow heads.
//
//   Ouvrir         copies the editor's figure ("temp2.~") and shows the dialog, unless the
//                  figure cannot be read or defines no function (then it says so)
//   FormActivate   on an activation after the opening or after the figure changed: the
//                  figure copied again, its functions, units and frames listed, the texts
//                  reset; coming back to the same figure keeps what was typed
//   OkClick        sends the construction lines to the editor and closes; a refusal is
//                  reported and the dialog stays open with its texts
//   AnnulerClick   closes

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <exception>
#include <utility>
#include <vector>

#include "ui/construction_tangente.h"
#include "ui/dialogues.h"

namespace trazel {

class TEditeur_figure;

class TForm4 : public QDialog {
    Q_OBJECT

  public:
    // The editor receives the construction; every message goes through `dialogues`. Both must
    // outlive the dialog.
    TForm4(TEditeur_figure& Figure1, TDialogues& dialogues, QWidget* parent = nullptr);
    ~TForm4() override;

    // True when the dialog was shown.
    bool Ouvrir();
    void FormActivate();
    void OkClick();
    void AnnulerClick();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* Repere = nullptr;
    QComboBox* Unite = nullptr;
    QComboBox* Fonction = nullptr;
    QLineEdit* Abscisse = nullptr;
    QLineEdit* Chevrons = nullptr;
    QPushButton* Ok = nullptr;
    QPushButton* Annuler = nullptr;

  protected:
    bool event(QEvent* evenement) override;
    // The label of an input control turns red while the control has the focus.
    bool eventFilter(QObject* objet, QEvent* evenement) override;

  private:
    void Creer_controles();
    void Signaler(const std::exception& erreur);
    // The editor's figure as saved, copied to "temp2.~".
    std::string Copier_la_figure();

    TEditeur_figure& Figure1_;
    TDialogues& dialogues_;
    std::vector<std::pair<QWidget*, QLabel*>> etiquettes_; // input control, its label
    // A message box of the dialog takes the activation away and gives it back: that return
    // must not reset what the user typed.
    bool message_en_cours_ = false;
    bool retour_de_message_ = false;
    // The figure text the lists were read from; empty to read them at the next activation.
    std::string figure_des_listes_;
};

} // namespace trazel
