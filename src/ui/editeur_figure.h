#pragma once
// The figure editor hosted by the main window: the figure's text, editable, beside a drawing
// of the figure as the picture will show it, with the lines the reading skipped or stopped at
// underlined and listed. It offers the main window what it needs of a figure editor: the
// whole text, the execution of figure lines, activation, and a token that changes whenever
// the figure changes.
//
// The figure is read and drawn off the interface thread, a short while after the last
// keystroke: typing never waits for a drawing, and the last good drawing stays (greyed)
// while the text does not read.

#include <QFuture>
#include <QFutureWatcher>
#include <QPlainTextEdit>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "calc/conversion_chaines.h"
#include "latex/scene.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QSplitter;

namespace trazel {

class TVue_figure;

// The figure text the editor starts with, lines separated by CR.
extern const char* const TexteFigureDefaut;

// The figure text as saved: Windows-1252 lines ended by CR LF, a line the editor indents by
// three spaces or more losing one of them.
std::string Texte_a_enregistrer(const QString& texte_figure);

// The text zone: Tab moves the focus on, and a tab pasted into it becomes two spaces (the
// indentation of attribute lines), so the figure never holds a tab typed by the user.
class TZone_texte : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit TZone_texte(QWidget* parent = nullptr);
    // The 1-based line drawn at a point of the viewport, 0 below the last one.
    int Ligne_sous(QPoint position) const;

  protected:
    void insertFromMimeData(const QMimeData* source) override;
};

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
    // The reason shown over a line (its marks' reasons), empty for an unmarked line.
    QString Raison_de_la_ligne(int ligne) const;
    // Reads the text now and waits for the drawing (normally it is read off the interface
    // thread a short while after the last change).
    void Relire();
    // Waits until the current text has been read and drawn.
    void Attendre_lecture();
    // A reading runs, or waits for the typing to pause.
    bool Lecture_en_cours() const { return lecture_en_cours_ || relecture_.isActive(); }
    // Puts the cursor at the start of the 1-based line, shown, with the focus.
    void Aller_a_la_ligne(int ligne);

    QPlainTextEdit* Zone_texte() const { return texte_; }
    TVue_figure* Vue() const { return vue_; }
    QListWidget* Liste_marques() const { return liste_marques_; }

  signals:
    // The text changed (by typing or by ExecuteLigne).
    void Texte_modifie();
    // The figure was read again: its marks and drawing are up to date.
    void Figure_relue();

  protected:
    void showEvent(QShowEvent* evenement) override;
    // Tool tips of the marked lines.
    bool eventFilter(QObject* objet, QEvent* evenement) override;

  private:
    // What one reading found: computed off the interface thread.
    struct TLecture {
        std::vector<TMarque> marques;
        std::optional<TScene> scene; // none when the reading stopped at a fault
        QString etat;
    };
    static TLecture Lire(TForm2& form2, const std::string& octets);

    void Lancer_lecture();
    void Lecture_finie();
    void Appliquer(TLecture lecture);
    void Marquer_lignes();

    TZone_texte* texte_ = nullptr;
    TVue_figure* vue_ = nullptr;
    QLabel* etat_ = nullptr;
    QListWidget* liste_marques_ = nullptr;
    QSplitter* separation_ = nullptr;
    bool separation_restauree_ = false; // kept from an earlier session, or set once shown
    QTimer relecture_;
    std::vector<TMarque> marques_;

    // The readings' own variables: used by one reading at a time, on its thread.
    std::unique_ptr<TForm2> form2_;
    // The reading under way, for the text of revision `revision_lue_`; the text's own
    // revision counts its changes.
    QFuture<TLecture> lecture_;
    QFutureWatcher<TLecture> surveillance_;
    bool lecture_en_cours_ = false;
    std::uint64_t revision_ = 0;
    std::uint64_t revision_lue_ = 0;
};

} // namespace trazel
