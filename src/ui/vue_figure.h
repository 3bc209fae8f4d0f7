#pragma once
// A drawing of the figure as the picture will show it: the scene's pieces, fitted to the
// widget with the picture's proportions.

#include <QWidget>
#include <optional>

#include "latex/scene.h"

namespace trazel {

class TVue_figure : public QWidget {
    Q_OBJECT

public:
    explicit TVue_figure(QWidget* parent = nullptr);

    void Afficher(TScene scene);
    // No drawing: the figure could not be read.
    void Effacer();
    const std::optional<TScene>& Scene() const { return scene_; }

    QSize sizeHint() const override { return {500, 400}; }

protected:
    void paintEvent(QPaintEvent* evenement) override;

private:
    std::optional<TScene> scene_;
};

// The screen colour of a PSTricks colour name.
QColor Couleur_pstricks(const std::string& nom);

} // namespace trazel
