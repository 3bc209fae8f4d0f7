#include "ui/tangente.h"

#include <QEvent>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPalette>
#include <algorithm>

#include "model/erreurs.h"
#include "model/fichiers.h"
#include "ui/construction_tangente.h"
#include "ui/editeur_figure.h"

namespace trazel {
namespace {

const char* const titre_tangente = "Tangente";

QLabel* Etiquette(QWidget* parent, const char* nom, const QString& texte)
{
    auto* etiquette = new QLabel(texte, parent);
    etiquette->setObjectName(nom);
    QFont police = etiquette->font();
    police.setPixelSize(13); // a little larger than the controls' text
    etiquette->setFont(police);
    return etiquette;
}

template <class T> T* Controle(QWidget* parent, const char* nom)
{
    auto* controle = new T(parent);
    controle->setObjectName(nom);
    return controle;
}

QComboBox* Liste(QWidget* parent, const char* nom, bool editable)
{
    auto* liste = Controle<QComboBox>(parent, nom);
    liste->setEditable(editable);
    if (editable)
        liste->setInsertPolicy(QComboBox::NoInsert);
    liste->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    liste->setMinimumContentsLength(editable ? 6 : 14);
    return liste;
}

void Remplir(QComboBox* liste, const std::vector<std::string>& noms)
{
    liste->clear();
    for (const std::string& nom : noms)
        liste->addItem(Texte_qt(nom));
}

// What the user reads of a failure: the line of the figure copy it concerns, if any.
QString Message(const std::exception& erreur)
{
    if (const auto* figure = dynamic_cast<const Erreur_figure*>(&erreur);
        figure && figure->ligne() > 0)
        return QString("Ligne %1 de la figure : ").arg(figure->ligne()) + Texte_qt(figure->what());
    return Texte_erreur_qt(erreur);
}

} // namespace

TForm4::TForm4(TEditeur_figure& Figure1, TDialogues& dialogues, QWidget* parent)
    : QDialog(parent), Figure1_(Figure1), dialogues_(dialogues)
{
    setObjectName("Form4");
    setWindowTitle(QStringLiteral("Tangente \u00e0 une courbe"));
    // A title bar without its buttons, a size fixed by the controls.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    Creer_controles();

    connect(Ok, &QPushButton::clicked, this, &TForm4::OkClick);
    connect(Annuler, &QPushButton::clicked, this, &TForm4::AnnulerClick);
    for (const auto& [controle, etiquette] : etiquettes_)
        controle->installEventFilter(this);
}

// The filters go before the controls do: a control that loses the focus as it is destroyed
// must not reach a dialog that is half destroyed.
TForm4::~TForm4()
{
    for (const auto& [controle, etiquette] : etiquettes_)
        controle->removeEventFilter(this);
}

void TForm4::Creer_controles()
{
    Label5 = Etiquette(this, "Label5", QStringLiteral("Rep\u00e8re :"));
    Repere = Liste(this, "Repere", true);
    Label4 = Etiquette(this, "Label4", QStringLiteral("Unit\u00e9 : "));
    Unite = Liste(this, "Unite", true);
    Label1 = Etiquette(this, "Label1", "Nom de la fonction : ");
    Fonction = Liste(this, "Fonction", false);
    Label2 = Etiquette(this, "Label2", "Abscisse du point de tangence :");
    Abscisse = Controle<QLineEdit>(this, "Abscisse");
    Label3 = Etiquette(this, "Label3", "Longueur des chevrons :");
    Chevrons = Controle<QLineEdit>(this, "Chevrons");
    Chevrons->setText("1/7");
    Ok = Controle<QPushButton>(this, "Ok");
    Ok->setText("OK");
    Ok->setDefault(true);
    Annuler = Controle<QPushButton>(this, "Annuler");
    Annuler->setText("Annuler");

    auto* grille = new QGridLayout(this);
    grille->setSizeConstraint(QLayout::SetFixedSize);
    grille->addWidget(Label5, 0, 0);
    grille->addWidget(Repere, 0, 1);
    grille->addWidget(Label4, 0, 2, Qt::AlignRight);
    grille->addWidget(Unite, 0, 3);
    grille->addWidget(Label1, 1, 0, 1, 4);
    grille->addWidget(Fonction, 2, 0, 1, 3);
    grille->addWidget(Label2, 3, 0, 1, 4);
    grille->addWidget(Abscisse, 4, 0, 1, 3);
    grille->addWidget(Label3, 5, 0, 1, 4);
    grille->addWidget(Chevrons, 6, 0, 1, 3);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(Ok);
    boutons->addWidget(Annuler);
    grille->addLayout(boutons, 7, 0, 1, 4);
    const int largeur = std::max(300, Largeur_pour_la_legende(*this, windowTitle()));
    grille->addItem(new QSpacerItem(largeur, 0, QSizePolicy::Fixed, QSizePolicy::Fixed), 8, 0, 1,
                    4);

    // The frame and the unit are reached with the mouse only; Tab runs through the rest.
    Repere->setFocusPolicy(Qt::ClickFocus);
    Unite->setFocusPolicy(Qt::ClickFocus);
    setTabOrder(Fonction, Abscisse);
    setTabOrder(Abscisse, Chevrons);
    setTabOrder(Chevrons, Ok);
    setTabOrder(Ok, Annuler);

    etiquettes_ = {{Fonction, Label1},
                   {Abscisse, Label2},
                   {Chevrons, Label3},
                   {Unite, Label4},
                   {Repere, Label5}};
}

bool TForm4::eventFilter(QObject* objet, QEvent* evenement)
{
    const QEvent::Type genre = evenement->type();
    if (genre == QEvent::FocusIn || genre == QEvent::FocusOut) {
        for (const auto& [controle, etiquette] : etiquettes_) {
            if (controle != objet)
                continue;
            QPalette couleurs = etiquette->palette();
            couleurs.setColor(QPalette::WindowText, genre == QEvent::FocusIn
                                                        ? QColor(Qt::red)
                                                        : palette().color(QPalette::WindowText));
            etiquette->setPalette(couleurs);
        }
    }
    return QDialog::eventFilter(objet, evenement);
}

bool TForm4::event(QEvent* evenement)
{
    if (evenement->type() == QEvent::WindowActivate) {
        if (retour_de_message_)
            retour_de_message_ = false;
        else
            FormActivate();
    } else if (evenement->type() == QEvent::WindowDeactivate) {
        retour_de_message_ = message_en_cours_;
    }
    return QDialog::event(evenement);
}

std::string TForm4::Copier_la_figure()
{
    std::string texte = Texte_a_enregistrer(Figure1_.TexteFigure());
    Remplacer_fichier(fichier_figure_tangente, texte);
    return texte;
}

bool TForm4::Ouvrir()
{
    try {
        if (ListesTangente(Copier_la_figure()).fonctions.empty()) {
            dialogues_.Information(parentWidget(), Texte_qt(titre_tangente),
                                   QStringLiteral("La figure ne d\u00e9finit aucune fonction : "
                                                  "ajoutez-en une (par exemple \u00ab f "
                                                  "fonction x|->x^2 \u00bb) pour tracer une "
                                                  "tangente \u00e0 son graphe."));
            return false;
        }
    } catch (const std::exception& erreur) {
        dialogues_.Erreur(parentWidget(), Texte_qt(titre_tangente), Message(erreur));
        return false;
    }
    figure_des_listes_.clear();
    show();
    raise();
    activateWindow();
    return true;
}

// Coming back from the main window to the same figure changes nothing: what was typed stays.
void TForm4::FormActivate()
{
    std::string figure;
    try {
        figure = Copier_la_figure();
    } catch (const std::exception& erreur) {
        Signaler(erreur);
        return;
    }
    if (!figure_des_listes_.empty() && figure == figure_des_listes_)
        return;
    figure_des_listes_ = figure;
    Fonction->clear();
    Unite->clear();
    Repere->clear();
    try {
        const TListes_tangente listes = ListesTangente(figure);
        Remplir(Fonction, listes.fonctions);
        Remplir(Unite, listes.unites);
        Remplir(Repere, listes.reperes);
    } catch (const std::exception& erreur) {
        Signaler(erreur);
    }
    Unite->setEditText("Uoxy");
    Repere->setEditText("Roxy");
    Chevrons->setText("1/7");
    Abscisse->clear();
}

// The figure copy is read again: the construction is built on the figure the lists came
// from. Nothing reaches the editor unless the whole construction could be built.
void TForm4::OkClick()
{
    std::string texte;
    try {
        texte = ConstruireTangente(
            Lire_fichier(fichier_figure_tangente), Texte_cp1252(Fonction->currentText()),
            Texte_cp1252(Unite->currentText()), Texte_cp1252(Repere->currentText()),
            Texte_cp1252(Abscisse->text()), Texte_cp1252(Chevrons->text()));
    } catch (const std::exception& erreur) {
        Signaler(erreur);
        return;
    }
    Figure1_.ExecuteLigne(Texte_qt(texte));
    close();
}

void TForm4::AnnulerClick()
{
    close();
}

void TForm4::Signaler(const std::exception& erreur)
{
    message_en_cours_ = true;
    dialogues_.Erreur(this, titre_tangente, Message(erreur));
    message_en_cours_ = false;
}

} // namespace trazel
