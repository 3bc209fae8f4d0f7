#pragma once
// A drawing of the figure as the picture will show it: the scene's pieces, fitted to the
// widget with the picture's proportions.

#include <QPainter>
#include <QWidget>
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

  protected:
    void paintEvent(QPaintEvent* evenement) override;

  private:
    void Dessiner(QPainter& p);

    std::optional<TScene> scene_;
    QString note_; // why the drawing is greyed; empty while it is current
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
