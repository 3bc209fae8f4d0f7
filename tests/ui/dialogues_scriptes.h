#pragma once
// Dialogs answered by the test: questions get the queued answers (No, or Annuler, when none
// is left), file choosers the queued paths (an empty path, or none left, is a cancel); every dialog
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
    // Answers to the questions that may call the operation off (Annuler when none is left:
    // nothing is lost by a question nobody answered).
    std::deque<TReponse> choix;
    std::deque<QString> fichiers;
    QStringList journal;      // "titre|texte" of each message, "fichier" for each chooser
    QStringList propositions; // the file each save chooser started at
    // Answers to the forms, in order; a form with none left is cancelled.
    std::deque<QStringList> formulaires;

    bool Question(QWidget*, const QString& titre, const QString& texte) override
    {
        journal << titre + "|" + texte;
        if (reponses.empty())
            return false;
        const bool oui = reponses.front();
        reponses.pop_front();
        return oui;
    }
    TReponse Question_annulable(QWidget*, const QString& titre, const QString& texte) override
    {
        journal << titre + "|" + texte;
        if (choix.empty())
            return TReponse::annuler;
        const TReponse reponse = choix.front();
        choix.pop_front();
        return reponse;
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
    std::optional<QString> Fichier_a_enregistrer(QWidget*, const QString& filtre,
                                                 const QString& propose) override
    {
        propositions << propose;
        return Fichier(filtre);
    }

    std::optional<QStringList> Formulaire(QWidget*, const QString& titre,
                                          const QStringList& libelles, const QStringList&) override
    {
        journal << "formulaire " + titre + "|" + libelles.join(", ");
        if (formulaires.empty())
            return std::nullopt;
        QStringList reponses = formulaires.front();
        formulaires.pop_front();
        return reponses;
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
