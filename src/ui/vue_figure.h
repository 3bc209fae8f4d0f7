#pragma once
// A drawing of the figure as the picture will show it: the scene's pieces, fitted to the
// widget with the picture's proportions.

#include <QPainter>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "latex/scene.h"

namespace trazel {

class TVue_figure : public QWidget {
    Q_OBJECT

  public:
    explicit TVue_figure(QWidget* parent = nullptr);

    void Afficher(TScene scene);
    // The drawing no longer shows the figure: it stays, greyed, under the note.
    void Perimer(const QString& note);
    const std::optional<TScene>& Scene() const { return scene_; }
    bool Perime() const { return !note_.isEmpty(); }
    const QString& Note() const { return note_; }

    QSize sizeHint() const override { return {500, 400}; }

    // Widget pixels and figure coordinates, through the picture box fitted in the widget.
    Tcoordonnees Vers_figure(QPointF pixel) const;
    QPointF Vers_ecran(Tcoordonnees point) const;
    // Pixels per figure unit (1 without a scene).
    double Echelle() const;

    // The figure line of the object drawn nearest to the pixel, within `tolerance` pixels;
    // a point's mark wins over the lines through it. Only lines `accepte` takes count; 0 for
    // none.
    int Ligne_sous(QPointF pixel, double tolerance,
                   const std::function<bool(int)>& accepte = {}) const;

    // The objects shown selected (the text's current object, a tool's picks) and the one
    // under the mouse, by figure line.
    void Selectionner(std::vector<int> lignes);
    void Survoler(int ligne);
    const std::vector<int>& Selection() const { return selection_; }
    int Survol() const { return survol_; }
    // What a tool has placed but not yet written: new points, and a rubber band from the
    // last of `trace` to the mouse.
    void Montrer_esquisse(std::vector<Tcoordonnees> points, std::vector<Tcoordonnees> trace,
                          std::optional<QPointF> souris);

  protected:
    void paintEvent(QPaintEvent* evenement) override;

  private:
    void Dessiner(QPainter& p);
    void Dessiner_surlignage(QPainter& p);
    void Dessiner_esquisse(QPainter& p);

    std::optional<TScene> scene_;
    QString note_; // why the drawing is greyed; empty while it is current
    std::vector<int> selection_;
    int survol_ = 0;
    std::vector<Tcoordonnees> esquisse_points_, esquisse_trace_;
    std::optional<QPointF> esquisse_souris_;
};

// The screen colour of a PSTricks colour name.
QColor Couleur_pstricks(const std::string& nom);

// A point's name as the picture sets it in math mode: letters in italics, each run of digits
// as a subscript, `"` as a double prime. Pieces in order, `indice` for a subscript.
struct TMorceau_nom {
    QString texte;
    bool indice = false;
};
std::vector<TMorceau_nom> Morceaux_du_nom(const QString& nom);

} // namespace trazel
