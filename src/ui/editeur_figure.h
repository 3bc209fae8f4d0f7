#pragma once
// The figure editor hosted by the main window: the figure's text, editable, beside a drawing
// of the figure as the picture will show it. It offers the main window what it needs of a
// figure editor: the whole text, the execution of figure lines, activation, and a token that
// changes whenever the figure changes.

#include <QPlainTextEdit>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "calc/conversion_chaines.h"

class QLabel;
class QSplitter;

namespace trazel {

class TVue_figure;

// The figure text the editor starts with, lines separated by CR.
extern const char* const TexteFigureDefaut;

class TEditeur_figure : public QWidget {
    Q_OBJECT

public:
    explicit TEditeur_figure(QWidget* parent = nullptr);
    ~TEditeur_figure() override;

    // The whole figure as figure text, lines separated by CR LF (no line end after the last).
    QString TexteFigure() const;
    // Lines separated by CR (a final CR may follow the last): a complete figure (first line
    // "Figure Figuro", last line "Fin de la figure") replaces the figure; construction lines
    // are added to it, before its "Commentaire" section.
    void ExecuteLigne(const QString& lignes);
    // Gives the keyboard focus back to the editor.
    void Activer();
    // Changes whenever the figure changes: compared with a reference copy to know whether
    // the figure needs saving.
    QString Corps() const;

    // The lines the last reading skipped or stopped at, 1-based, with the reason.
    struct TMarque {
        int ligne = 0;
        QString raison;
        bool erreur = false; // the reading stopped there
    };
    const std::vector<TMarque>& Marques() const { return marques_; }
    // Reads the text now (normally a short while after the last change).
    void Relire();

    QPlainTextEdit* Zone_texte() const { return texte_; }

signals:
    // The figure was read again: its marks and drawing are up to date.
    void Figure_relue();

private:
    void Marquer_lignes();
    void Marquer_faute(int ligne, const char* message, QString& etat);

    QPlainTextEdit* texte_ = nullptr;
    TVue_figure* vue_ = nullptr;
    QLabel* etat_ = nullptr;
    QTimer relecture_;
    TForm2 form2_; // the editor reads with its own variables, apart from transcriptions
    std::vector<TMarque> marques_;
};

} // namespace trazel
