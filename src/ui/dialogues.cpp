#include "ui/dialogues.h"

#include <QFileDialog>
#include <QMessageBox>

#include "model/encodage.h"

namespace trazel {

bool TDialogues_qt::Question(QWidget* parent, const QString& titre, const QString& texte)
{
    return QMessageBox::question(parent, titre, texte, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void TDialogues_qt::Information(QWidget* parent, const QString& titre, const QString& texte)
{
    QMessageBox::information(parent, titre, texte);
}

void TDialogues_qt::Erreur(QWidget* parent, const QString& titre, const QString& texte)
{
    QMessageBox::critical(parent, titre, texte);
}

std::optional<QString> TDialogues_qt::Fichier_a_ouvrir(QWidget* parent, const QString& filtre)
{
    const QString chemin = QFileDialog::getOpenFileName(parent, QString(), QString(), filtre);
    if (chemin.isEmpty())
        return std::nullopt;
    return chemin;
}

std::optional<QString> TDialogues_qt::Fichier_a_enregistrer(QWidget* parent,
                                                            const QString& filtre)
{
    const QString chemin = QFileDialog::getSaveFileName(parent, QString(), QString(), filtre);
    if (chemin.isEmpty())
        return std::nullopt;
    return chemin;
}

QString Texte_qt(std::string_view cp1252)
{
    return QString::fromStdString(Cp1252_vers_utf8(cp1252));
}

std::string Texte_cp1252(const QString& texte)
{
    return Utf8_vers_cp1252(texte.toStdString());
}

} // namespace trazel
