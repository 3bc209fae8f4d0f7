#pragma once
// Dialogs answered by the test: questions get the queued answers (No when none is left),
// file choosers the queued paths (an empty path, or none left, is a cancel); every dialog
// is recorded.

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

#include "ui/dialogues.h"

namespace trazel::essais {

class TDialogues_scriptes : public TDialogues {
public:
    std::deque<bool> reponses;
    std::deque<QString> fichiers;
    QStringList journal; // "titre|texte" of each message, "fichier" for each chooser

    bool Question(QWidget*, const QString& titre, const QString& texte) override
    {
        journal << titre + "|" + texte;
        if (reponses.empty())
            return false;
        const bool oui = reponses.front();
        reponses.pop_front();
        return oui;
    }
    void Information(QWidget*, const QString& titre, const QString& texte) override
    {
        journal << titre + "|" + texte;
    }
    void Erreur(QWidget*, const QString& titre, const QString& texte) override
    {
        journal << "Erreur " + titre + "|" + texte;
    }
    std::optional<QString> Fichier_a_ouvrir(QWidget*, const QString& filtre) override
    {
        return Fichier(filtre);
    }
    std::optional<QString> Fichier_a_enregistrer(QWidget*, const QString& filtre) override
    {
        return Fichier(filtre);
    }

private:
    std::optional<QString> Fichier(const QString& filtre)
    {
        journal << "fichier " + filtre;
        if (fichiers.empty())
            return std::nullopt;
        const QString chemin = fichiers.front();
        fichiers.pop_front();
        if (chemin.isEmpty())
            return std::nullopt;
        return chemin;
    }
};

} // namespace trazel::essais
