#include "ui/dialogues.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

#include "model/encodage.h"
#include "model/erreurs.h"

namespace trazel {
namespace {

struct TBouton {
    QString texte;
    QMessageBox::ButtonRole role;
};

// Shows a box with its own French buttons and returns the index of the one pressed; closing
// the box counts as the last button. The box is made wide enough for its caption.
std::size_t Montrer(QWidget* parent, QMessageBox::Icon icone, const QString& titre,
                    const QString& texte, const std::vector<TBouton>& boutons)
{
    QMessageBox boite(icone, titre, texte, QMessageBox::NoButton, parent);
    std::vector<QAbstractButton*> poussoirs;
    for (const TBouton& bouton : boutons)
        poussoirs.push_back(boite.addButton(bouton.texte, bouton.role));
    boite.setDefaultButton(qobject_cast<QPushButton*>(poussoirs.front()));
    boite.setEscapeButton(poussoirs.back());
    if (auto* grille = qobject_cast<QGridLayout*>(boite.layout())) {
        grille->addItem(new QSpacerItem(Largeur_pour_la_legende(boite, titre), 0,
                                        QSizePolicy::Minimum, QSizePolicy::Fixed),
                        grille->rowCount(), 0, 1, grille->columnCount());
    }
    boite.exec();
    for (std::size_t i = 0; i < poussoirs.size(); ++i)
        if (boite.clickedButton() == poussoirs[i])
            return i;
    return poussoirs.size() - 1;
}

} // namespace

// The caption's text and the title bar's icon and buttons.
int Largeur_pour_la_legende(const QWidget& fenetre, const QString& legende)
{
    return fenetre.fontMetrics().horizontalAdvance(legende) + 160;
}

bool TDialogues_qt::Question(QWidget* parent, const QString& titre, const QString& texte)
{
    return Montrer(parent, QMessageBox::Question, titre, texte,
                   {{"Oui", QMessageBox::YesRole}, {"Non", QMessageBox::NoRole}}) == 0;
}

TReponse TDialogues_qt::Question_annulable(QWidget* parent, const QString& titre,
                                           const QString& texte)
{
    switch (Montrer(parent, QMessageBox::Question, titre, texte,
                    {{"Oui", QMessageBox::YesRole},
                     {"Non", QMessageBox::NoRole},
                     {"Annuler", QMessageBox::RejectRole}})) {
    case 0:
        return TReponse::oui;
    case 1:
        return TReponse::non;
    default:
        return TReponse::annuler;
    }
}

void TDialogues_qt::Information(QWidget* parent, const QString& titre, const QString& texte)
{
    Montrer(parent, QMessageBox::Information, titre, texte, {{"OK", QMessageBox::AcceptRole}});
}

void TDialogues_qt::Erreur(QWidget* parent, const QString& titre, const QString& texte)
{
    Montrer(parent, QMessageBox::Critical, titre, texte, {{"OK", QMessageBox::AcceptRole}});
}

std::optional<QString> TDialogues_qt::Fichier_a_ouvrir(QWidget* parent, const QString& filtre)
{
    const QString chemin =
        QFileDialog::getOpenFileName(parent, "Ouvrir une figure", QString(), filtre);
    if (chemin.isEmpty())
        return std::nullopt;
    return chemin;
}

std::optional<QString> TDialogues_qt::Fichier_a_enregistrer(QWidget* parent, const QString& filtre,
                                                            const QString& propose)
{
    const QString chemin =
        QFileDialog::getSaveFileName(parent, "Enregistrer sous", propose, filtre);
    if (chemin.isEmpty())
        return std::nullopt;
    return chemin;
}

std::optional<QStringList> TDialogues_qt::Formulaire(QWidget* parent, const QString& titre,
                                                     const QStringList& libelles,
                                                     const QStringList& valeurs)
{
    QDialog dialogue(parent);
    dialogue.setWindowTitle(titre);
    auto* formulaire = new QFormLayout(&dialogue);
    std::vector<QLineEdit*> zones;
    for (qsizetype k = 0; k < libelles.size(); ++k) {
        auto* zone = new QLineEdit(k < valeurs.size() ? valeurs[k] : QString());
        zone->setMinimumWidth(220);
        formulaire->addRow(libelles[k], zone);
        zones.push_back(zone);
    }
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    boutons->button(QDialogButtonBox::Ok)->setText("OK");
    boutons->button(QDialogButtonBox::Cancel)->setText("Annuler");
    formulaire->addRow(boutons);
    QObject::connect(boutons, &QDialogButtonBox::accepted, &dialogue, &QDialog::accept);
    QObject::connect(boutons, &QDialogButtonBox::rejected, &dialogue, &QDialog::reject);
    dialogue.setMinimumWidth(Largeur_pour_la_legende(dialogue, titre));
    if (dialogue.exec() != QDialog::Accepted)
        return std::nullopt;
    QStringList reponses;
    for (const QLineEdit* zone : zones)
        reponses << zone->text().trimmed();
    return reponses;
}

bool Traduire_qt_en_francais(QTranslator& traduction)
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    if (!traduction.load(QLocale(), "qtbase", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(&traduction);
    return true;
}

QString Texte_qt(std::string_view cp1252)
{
    return QString::fromStdString(Cp1252_vers_utf8(cp1252));
}

std::string Texte_cp1252(const QString& texte)
{
    return Utf8_vers_cp1252(texte.toStdString());
}

QString Texte_erreur_qt(const std::exception& erreur)
{
    return QString::fromStdString(Texte_erreur(erreur));
}

} // namespace trazel
