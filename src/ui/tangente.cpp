#include "ui/tangente.h"

#include <QEvent>
#include <QFile>
#include <QPalette>

#include "model/erreurs.h"
#include "model/fichiers.h"
#include "ui/construction_tangente.h"
#include "ui/editeur_figure.h"

namespace trazel {


namespace {

const char* const titre_tangente = "Tangente";

QLabel* Etiquette(QWidget* parent, const char* nom, const char* texte, int gauche, int haut)
{
    auto* etiquette = new QLabel(Texte_qt(texte), parent);
    etiquette->setObjectName(nom);
    QFont police = etiquette->font();
    police.setPixelSize(13); // a little larger than the controls' text
    etiquette->setFont(police);
    etiquette->move(gauche, haut);
    etiquette->adjustSize();
    return etiquette;
}

template <class T>
T* Controle(QWidget* parent, const char* nom, int gauche, int haut, int largeur, int hauteur)
{
    auto* controle = new T(parent);
    controle->setObjectName(nom);
    controle->setGeometry(gauche, haut, largeur, hauteur);
    return controle;
}

QComboBox* Liste(QWidget* parent, const char* nom, int gauche, int haut, int largeur, bool editable)
{
    auto* liste = Controle<QComboBox>(parent, nom, gauche, haut, largeur, 21);
    liste->setEditable(editable);
    if (editable)
        liste->setInsertPolicy(QComboBox::NoInsert);
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
    if (const auto* fichier = dynamic_cast<const Erreur_fichier*>(&erreur))
        return QFile::decodeName(fichier->chemin().c_str()) + " : " + Texte_qt(fichier->what());
    return Texte_qt(erreur.what());
}

} // namespace

TForm4::TForm4(TEditeur_figure& Figure1, TDialogues& dialogues, QWidget* parent)
    : QDialog(parent), Figure1_(Figure1), dialogues_(dialogues)
{
    setObjectName("Form4");
    setWindowTitle(Texte_qt("Tangente \xE0 une courbe"));
    // A title bar without its buttons, a fixed client area.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(249, 270);
    move(325, 178);
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
    Label5 = Etiquette(this, "Label5", "Rep\xE8re :", 8, 8);
    Repere = Liste(this, "Repere", 64, 8, 57, true);
    Label4 = Etiquette(this, "Label4", "Unit\xE9 : ", 144, 8);
    Unite = Liste(this, "Unite", 184, 8, 57, true);
    Label1 = Etiquette(this, "Label1", "Nom de la fonction : ", 16, 40);
    Fonction = Liste(this, "Fonction", 16, 64, 145, false);
    Label2 = Etiquette(this, "Label2", "Abscisse du point de tangence :", 16, 104);
    Abscisse = Controle<QLineEdit>(this, "Abscisse", 16, 128, 121, 21);
    Label3 = Etiquette(this, "Label3", "Longueur des chevrons :", 16, 168);
    Chevrons = Controle<QLineEdit>(this, "Chevrons", 16, 192, 121, 21);
    Chevrons->setText("1/7");
    Ok = Controle<QPushButton>(this, "Ok", 40, 232, 73, 25);
    Ok->setText("OK");
    Annuler = Controle<QPushButton>(this, "Annuler", 136, 232, 73, 25);
    Annuler->setText("Annuler");

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

void TForm4::FormActivate()
{
    Fonction->clear();
    Unite->clear();
    Repere->clear();
    try {
        const TListes_tangente listes = ListesTangente(Lire_fichier(fichier_figure_tangente));
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
