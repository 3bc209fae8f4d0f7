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
#include "lecture/edition.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QSplitter;

namespace trazel {

class TDialogues;
class TFigure_gardee;
class TOutils_figure;
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
    TOutils_figure* Outils() const { return outils_.get(); }

    // What the last good reading found of each object line, in the order of the lines.
    const std::vector<TObjet_edite>& Objets() const { return objets_; }
    const TObjet_edite* Objet_de_la_ligne(int ligne) const;
    // The "Position de Roxy" range of the last good reading.
    struct TPlage_roxy {
        Reel xmin = -5, xmax = 5, ymax = 5;
    };
    TPlage_roxy Roxy() const { return roxy_; }
    // The text's lines as the reader takes them (Windows-1252).
    std::vector<std::string> Lignes() const;
    // Puts these lines in place of the text's as one step of the text's undo stack (as part
    // of the step before when `joindre`: a whole drag is one step), and reads the figure at
    // once. Only the lines that differ are replaced; false when none does (nothing is added
    // to the undo stack then).
    bool Remplacer_lignes(const std::vector<std::string>& lignes, bool joindre = false);
    // Selects, in the text, the lines of the object whose object line is `ligne`.
    void Selectionner_objet(int ligne);
    // The object line of the object whose lines hold the text cursor, 0 for none.
    int Objet_sous_le_curseur() const;
    // The questions the mouse tools ask go through these dialogs (the editor's own
    // Qt dialogs by default).
    void Utiliser_dialogues(TDialogues& dialogues);
    // While a point or the window is dragged, a figure whose reading takes too long for the
    // mouse is drawn with fewer samples on its curves; it is drawn whole again at the end.
    void Esquisser(bool pendant_un_glissement);
    // The last reading drew its curves with fewer samples.
    bool Esquisse() const { return esquisse_montree_; }
    TDialogues& Dialogues() const { return *dialogues_; }

  signals:
    // The text changed (by typing or by ExecuteLigne).
    void Texte_modifie();
    // The figure was read again: its marks and drawing are up to date.
    void Figure_relue();
    // The text cursor moved onto the lines of another object (0: onto no object's lines).
    void Objet_courant(int ligne);

  protected:
    void showEvent(QShowEvent* evenement) override;
    // Tool tips of the marked lines.
    bool eventFilter(QObject* objet, QEvent* evenement) override;

  private:
    // What one reading found: computed off the interface thread.
    struct TLecture {
        std::vector<TMarque> marques;
        std::optional<TScene> scene; // none when the reading stopped at a fault
        std::vector<TObjet_edite> objets;
        TPlage_roxy roxy;
        QString etat;
        double duree_ms = 0; // of the reading and drawing
        bool esquisse = false;
    };
    static TLecture Lire(TForm2& form2, std::unique_ptr<TFigure_gardee>& gardee,
                         const std::string& octets, long echantillons_max);

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
    std::vector<TObjet_edite> objets_;
    TPlage_roxy roxy_;
    int objet_courant_ = 0;
    bool glissement_ = false;
    bool esquisse_montree_ = false;
    double duree_pleine_ms_ = 0; // of the last reading with every sample
    std::unique_ptr<TDialogues> dialogues_propres_;
    TDialogues* dialogues_ = nullptr;
    std::unique_ptr<TOutils_figure> outils_;

    // The readings' own variables: used by one reading at a time, on its thread.
    std::unique_ptr<TForm2> form2_;
    // The last figure read, with those variables, for a drag to recompute in place.
    std::unique_ptr<TFigure_gardee> gardee_;
    // The reading under way, for the text of revision `revision_lue_`; the text's own
    // revision counts its changes.
    QFuture<TLecture> lecture_;
    QFutureWatcher<TLecture> surveillance_;
    bool lecture_en_cours_ = false;
    std::uint64_t revision_ = 0;
    std::uint64_t revision_lue_ = 0;
};

} // namespace trazel
