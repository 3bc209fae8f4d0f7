#include "ui/vue_figure.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "ui/dialogues.h"

namespace trazel {
namespace {

constexpr double degres_par_radian = 180 / std::numbers::pi;

// Figure coordinates to widget pixels: the picture box fitted in the widget, centred, with
// the y axis upwards.
class TProjection {
  public:
    TProjection(const TCadre_image& f, QSizeF taille)
    {
        const double largeur = static_cast<double>(f.xmax - f.xmin);
        const double hauteur = static_cast<double>(f.ymax - f.ymin);
        echelle_ = std::min((taille.width() - 2 * marge) / largeur,
                            (taille.height() - 2 * marge) / hauteur);
        origine_ = QPointF(
            (taille.width() - echelle_ * largeur) / 2 - echelle_ * static_cast<double>(f.xmin),
            (taille.height() - echelle_ * hauteur) / 2 + echelle_ * static_cast<double>(f.ymax));
    }
    QPointF operator()(Tcoordonnees p) const
    {
        return {origine_.x() + echelle_ * static_cast<double>(p.x),
                origine_.y() - echelle_ * static_cast<double>(p.y)};
    }
    Tcoordonnees Inverse(QPointF pixel) const
    {
        return {static_cast<Reel>((pixel.x() - origine_.x()) / echelle_),
                static_cast<Reel>((origine_.y() - pixel.y()) / echelle_)};
    }
    double Echelle() const { return echelle_; }

  private:
    static constexpr double marge = 8;
    double echelle_ = 1;
    QPointF origine_;
};

QPen Stylo(const TTrait_scene& trait)
{
    QPen stylo(Couleur_pstricks(trait.couleur), 1.5);
    if (trait.style == "dashed")
        stylo.setStyle(Qt::DashLine);
    return stylo;
}

// An arrow head at `bout`, pointing along `direction` (a unit vector in pixels).
void Fleche(QPainter& p, QPointF bout, QPointF direction)
{
    const QPointF normale(-direction.y(), direction.x());
    p.setBrush(p.pen().color());
    p.drawPolygon(QPolygonF(
        {bout, bout - 9 * direction + 3.5 * normale, bout - 9 * direction - 3.5 * normale}));
    p.setBrush(Qt::NoBrush);
}

void Dessiner_axes(QPainter& p, const TProjection& proj, const TScene& s)
{
    const TCadre_image& f = s.fenetre;
    p.setPen(QPen(Couleur_pstricks(s.couleur_axes), 1.5));
    p.drawLine(proj({f.xmin, 0}), proj({f.xmax, 0}));
    p.drawLine(proj({0, f.ymin}), proj({0, f.ymax}));
    Fleche(p, proj({f.xmax, 0}), QPointF(1, 0));
    Fleche(p, proj({0, f.ymax}), QPointF(0, -1));
    // One tick per unit, as the picture's axes have them.
    for (auto k = static_cast<long>(std::ceil(f.xmin)); k <= static_cast<long>(f.xmax); ++k)
        p.drawLine(proj({static_cast<Reel>(k), 0}) + QPointF(0, -3),
                   proj({static_cast<Reel>(k), 0}) + QPointF(0, 3));
    for (auto k = static_cast<long>(std::ceil(f.ymin)); k <= static_cast<long>(f.ymax); ++k)
        p.drawLine(proj({0, static_cast<Reel>(k)}) + QPointF(-3, 0),
                   proj({0, static_cast<Reel>(k)}) + QPointF(3, 0));
}

// An arc with the painter's pen.
void Tracer_arc(QPainter& p, const TProjection& proj, const TArc_scene& arc)
{
    const double r = proj.Echelle() * static_cast<double>(arc.rayon);
    const QPointF c = proj(arc.centre);
    const QRectF boite(c.x() - r, c.y() - r, 2 * r, 2 * r);
    const double debut = static_cast<double>(arc.debut) * degres_par_radian;
    const double etendue = static_cast<double>(arc.fin - arc.debut) * degres_par_radian;
    p.drawArc(boite, static_cast<int>(std::lround(debut * 16)),
              static_cast<int>(std::lround(etendue * 16)));
}

void Dessiner_arc(QPainter& p, const TProjection& proj, const TArc_scene& arc)
{
    p.setPen(Stylo(arc.trait));
    Tracer_arc(p, proj, arc);
}

QPainterPath Chemin_courbe(const TProjection& proj, const TCourbe_scene& courbe)
{
    QPainterPath chemin;
    for (std::size_t k = 0; k < courbe.points.size(); ++k)
        k == 0 ? chemin.moveTo(proj(courbe.points[k])) : chemin.lineTo(proj(courbe.points[k]));
    return chemin;
}

// A name in math mode: italic letters, subscripts smaller and lowered. The fonts and the
// width of the whole name.
class TNom_mathematique {
  public:
    TNom_mathematique(const QFont& base, const QString& nom) : morceaux_(Morceaux_du_nom(nom))
    {
        lettres_ = base;
        lettres_.setItalic(true);
        indices_ = base;
        if (base.pointSizeF() > 0)
            indices_.setPointSizeF(base.pointSizeF() * 0.7);
        else
            indices_.setPixelSize(std::max(6, base.pixelSize() * 7 / 10));
        for (const TMorceau_nom& m : morceaux_)
            largeur_ += Metrique(m).horizontalAdvance(m.texte);
        hauteur_ = QFontMetricsF(lettres_).height();
    }
    QSizeF Taille() const { return {largeur_, hauteur_}; }
    // Drawn with its box's top left at `coin`.
    void Dessiner(QPainter& p, QPointF coin) const
    {
        const QFont police = p.font();
        const double base = coin.y() + QFontMetricsF(lettres_).ascent();
        double x = coin.x();
        for (const TMorceau_nom& m : morceaux_) {
            p.setFont(m.indice ? indices_ : lettres_);
            p.drawText(QPointF(x, m.indice ? base + 0.3 * hauteur_ : base), m.texte);
            x += Metrique(m).horizontalAdvance(m.texte);
        }
        p.setFont(police);
    }

  private:
    QFontMetricsF Metrique(const TMorceau_nom& m) const
    {
        return QFontMetricsF(m.indice ? indices_ : lettres_);
    }
    std::vector<TMorceau_nom> morceaux_;
    QFont lettres_, indices_;
    double largeur_ = 0, hauteur_ = 0;
};

// The mark's radius is given in points of the picture: at the drawing's scale, but never so
// small that it cannot be seen.
constexpr double centimetres_par_point = 2.54 / 72.27;
constexpr double rayon_minimal = 2.5;

// The label is set beside the point in its direction, as \uput places it.
void Dessiner_point(QPainter& p, const TProjection& proj, const TPoint_scene& point,
                    double pixels_par_cm)
{
    const QPointF c = proj(point.position);
    const QColor couleur = Couleur_pstricks(point.couleur);
    if (point.marque > 0) {
        const double r = std::max(rayon_minimal, static_cast<double>(point.marque) *
                                                     centimetres_par_point * pixels_par_cm);
        p.setPen(Qt::NoPen);
        p.setBrush(couleur);
        p.drawEllipse(c, r, r);
        p.setBrush(Qt::NoBrush);
    }
    if (point.etiquette.empty())
        return;
    const TNom_mathematique nom(p.font(), Texte_qt(point.etiquette));
    const QSizeF taille = nom.Taille();
    const double angle = static_cast<double>(point.direction) / degres_par_radian;
    const QPointF decalage(std::cos(angle) * (4 + taille.width() / 2),
                           -std::sin(angle) * (4 + taille.height() / 2));
    p.setPen(couleur);
    nom.Dessiner(p, c + decalage - QPointF(taille.width() / 2, taille.height() / 2));
}

void Dessiner_courbe(QPainter& p, const TProjection& proj, const TCourbe_scene& courbe)
{
    p.setPen(Stylo(courbe.trait));
    if (courbe.points_lies) {
        p.drawPath(Chemin_courbe(proj, courbe));
        return;
    }
    p.setBrush(Couleur_pstricks(courbe.trait.couleur));
    for (const Tcoordonnees& point : courbe.points)
        p.drawEllipse(proj(point), 1.2, 1.2);
    p.setBrush(Qt::NoBrush);
}

// Pixel distance from `m` to the segment [a, b].
double Distance_segment(QPointF m, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double longueur2 = QPointF::dotProduct(ab, ab);
    double t = longueur2 > 0 ? QPointF::dotProduct(m - a, ab) / longueur2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF d = m - (a + t * ab);
    return std::hypot(d.x(), d.y());
}

// Pixel distance from `m` to an arc: to its circle when `m` lies in its angular range, else
// to its nearer end.
double Distance_arc(QPointF m, const TProjection& proj, const TArc_scene& arc)
{
    const QPointF c = proj(arc.centre);
    const double r = proj.Echelle() * static_cast<double>(arc.rayon);
    const double debut = static_cast<double>(arc.debut);
    const double etendue = static_cast<double>(arc.fin - arc.debut);
    double angle = std::atan2(c.y() - m.y(), m.x() - c.x()) - debut; // y upwards
    angle -= 2 * std::numbers::pi * std::floor(angle / (2 * std::numbers::pi));
    if (angle <= etendue)
        return std::abs(std::hypot(m.x() - c.x(), m.y() - c.y()) - r);
    const auto bout = [&](double a) {
        return QPointF(c.x() + r * std::cos(a), c.y() - r * std::sin(a));
    };
    const QPointF p = bout(debut), q = bout(debut + etendue);
    return std::min(std::hypot(m.x() - p.x(), m.y() - p.y()),
                    std::hypot(m.x() - q.x(), m.y() - q.y()));
}

double Distance_courbe(QPointF m, const TProjection& proj, const TCourbe_scene& courbe)
{
    double meilleure = std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k < courbe.points.size(); ++k) {
        const QPointF a = proj(courbe.points[k]);
        const QPointF b =
            courbe.points_lies && k + 1 < courbe.points.size() ? proj(courbe.points[k + 1]) : a;
        meilleure = std::min(meilleure, Distance_segment(m, a, b));
    }
    return meilleure;
}

} // namespace

std::vector<TMorceau_nom> Morceaux_du_nom(const QString& nom)
{
    std::vector<TMorceau_nom> morceaux;
    for (const QChar c : nom) {
        const bool indice = c >= '0' && c <= '9';
        const QString texte = c == '"' ? QStringLiteral("\u2033") : QString(c);
        if (morceaux.empty() || morceaux.back().indice != indice)
            morceaux.push_back({texte, indice});
        else
            morceaux.back().texte += texte;
    }
    return morceaux;
}

QColor Couleur_pstricks(const std::string& nom)
{
    if (nom == "red")
        return QColor(255, 0, 0);
    if (nom == "blue")
        return QColor(0, 0, 255);
    if (nom == "green")
        return QColor(0, 255, 0);
    if (nom == "yellow")
        return QColor(255, 255, 0);
    if (nom == "gray")
        return QColor(128, 128, 128);
    if (nom == "lightgray")
        return QColor(191, 191, 191);
    if (nom == "magenta")
        return QColor(255, 0, 255);
    if (nom == "cyan")
        return QColor(0, 255, 255);
    return QColor(0, 0, 0);
}

TVue_figure::TVue_figure(QWidget* parent) : QWidget(parent)
{
    setObjectName("VueFigure");
    setMinimumSize(200, 160);
}

void TVue_figure::Afficher(TScene scene)
{
    scene_ = std::move(scene);
    note_.clear();
    update();
}

void TVue_figure::Perimer(const QString& note)
{
    note_ = note;
    update();
}

void TVue_figure::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (scene_)
        Dessiner(p);
    if (note_.isEmpty())
        return;
    // The note over a greyed drawing, at the top.
    p.setOpacity(1);
    QFont police = font();
    police.setBold(true);
    p.setFont(police);
    const QRect bandeau(0, 0, width(), p.fontMetrics().height() * 2);
    p.fillRect(bandeau, QColor(255, 244, 214));
    p.setPen(QColor(120, 70, 0));
    p.drawText(bandeau.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::TextWordWrap, note_);
}

void TVue_figure::Dessiner(QPainter& p)
{
    const TScene& s = *scene_;
    const TProjection proj(s.fenetre, size());
    p.setRenderHint(QPainter::Antialiasing);
    if (!note_.isEmpty())
        p.setOpacity(0.35);
    const QRectF cadre(proj({s.fenetre.xmin, s.fenetre.ymax}),
                       proj({s.fenetre.xmax, s.fenetre.ymin}));
    p.fillRect(cadre, Qt::white);
    p.setClipRect(cadre);
    if (s.axes)
        Dessiner_axes(p, proj, s);
    Dessiner_surlignage(p);
    for (const TSegment_scene& segment : s.segments) {
        p.setPen(Stylo(segment.trait));
        p.drawLine(proj(segment.a), proj(segment.b));
    }
    for (const TArc_scene& arc : s.arcs)
        Dessiner_arc(p, proj, arc);
    for (const TCourbe_scene& courbe : s.courbes)
        Dessiner_courbe(p, proj, courbe);
    const double pixels_par_cm = proj.Echelle() / static_cast<double>(s.unite);
    for (const TPoint_scene& point : s.points)
        Dessiner_point(p, proj, point, pixels_par_cm);
    Dessiner_esquisse(p);
    p.setClipping(false);
    p.setPen(QPen(Qt::lightGray, 1));
    p.drawRect(cadre);
}

Tcoordonnees TVue_figure::Vers_figure(QPointF pixel) const
{
    if (!scene_)
        return {static_cast<Reel>(pixel.x()), static_cast<Reel>(-pixel.y())};
    return TProjection(scene_->fenetre, size()).Inverse(pixel);
}

QPointF TVue_figure::Vers_ecran(Tcoordonnees point) const
{
    if (!scene_)
        return {static_cast<double>(point.x), -static_cast<double>(point.y)};
    return TProjection(scene_->fenetre, size())(point);
}

double TVue_figure::Echelle() const
{
    return scene_ ? TProjection(scene_->fenetre, size()).Echelle() : 1;
}

int TVue_figure::Ligne_sous(QPointF pixel, double tolerance,
                            const std::function<bool(int)>& accepte) const
{
    if (!scene_)
        return 0;
    const TScene& s = *scene_;
    const TProjection proj(s.fenetre, size());
    int trouvee = 0;
    double meilleure = tolerance;
    const auto essayer = [&](int ligne, double distance) {
        if (ligne > 0 && distance <= meilleure && (!accepte || accepte(ligne))) {
            meilleure = distance;
            trouvee = ligne;
        }
    };
    for (const TPoint_scene& point : s.points) {
        const QPointF c = proj(point.position);
        essayer(point.ligne, std::hypot(pixel.x() - c.x(), pixel.y() - c.y()));
    }
    if (trouvee != 0)
        return trouvee;
    for (const TSegment_scene& segment : s.segments)
        essayer(segment.ligne, Distance_segment(pixel, proj(segment.a), proj(segment.b)));
    for (const TArc_scene& arc : s.arcs)
        essayer(arc.ligne, Distance_arc(pixel, proj, arc));
    for (const TCourbe_scene& courbe : s.courbes)
        essayer(courbe.ligne, Distance_courbe(pixel, proj, courbe));
    return trouvee;
}

void TVue_figure::Selectionner(std::vector<int> lignes)
{
    if (lignes == selection_)
        return;
    selection_ = std::move(lignes);
    update();
}

void TVue_figure::Survoler(int ligne)
{
    if (ligne == survol_)
        return;
    survol_ = ligne;
    update();
}

void TVue_figure::Montrer_esquisse(std::vector<Tcoordonnees> points,
                                   std::vector<Tcoordonnees> trace, std::optional<QPointF> souris)
{
    esquisse_points_ = std::move(points);
    esquisse_trace_ = std::move(trace);
    esquisse_souris_ = souris;
    update();
}

// Selected and hovered objects get a wide translucent stroke under their own.
void TVue_figure::Dessiner_surlignage(QPainter& p)
{
    const TScene& s = *scene_;
    const TProjection proj(s.fenetre, size());
    const auto halo = [&](int ligne) -> std::optional<QPen> {
        if (ligne <= 0)
            return std::nullopt;
        if (std::find(selection_.begin(), selection_.end(), ligne) != selection_.end())
            return QPen(QColor(0, 120, 255, 110), 7, Qt::SolidLine, Qt::RoundCap);
        if (ligne == survol_)
            return QPen(QColor(255, 170, 0, 130), 7, Qt::SolidLine, Qt::RoundCap);
        return std::nullopt;
    };
    for (const TSegment_scene& segment : s.segments)
        if (const auto stylo = halo(segment.ligne)) {
            p.setPen(*stylo);
            p.drawLine(proj(segment.a), proj(segment.b));
        }
    for (const TArc_scene& arc : s.arcs)
        if (const auto stylo = halo(arc.ligne)) {
            p.setPen(*stylo);
            Tracer_arc(p, proj, arc);
        }
    for (const TCourbe_scene& courbe : s.courbes)
        if (const auto stylo = halo(courbe.ligne)) {
            p.setPen(*stylo);
            p.drawPath(Chemin_courbe(proj, courbe));
        }
    for (const TPoint_scene& point : s.points)
        if (const auto stylo = halo(point.ligne)) {
            p.setPen(Qt::NoPen);
            p.setBrush(stylo->color());
            p.drawEllipse(proj(point.position), 7, 7);
            p.setBrush(Qt::NoBrush);
        }
}

// A tool's points not yet written are hollow marks; the band runs to the mouse.
void TVue_figure::Dessiner_esquisse(QPainter& p)
{
    const TProjection proj(scene_->fenetre, size());
    p.setPen(QPen(QColor(0, 90, 200), 1.2, Qt::DashLine));
    if (!esquisse_trace_.empty() && esquisse_souris_) {
        QPolygonF trace;
        for (const Tcoordonnees& point : esquisse_trace_)
            trace << proj(point);
        trace << *esquisse_souris_;
        p.drawPolyline(trace);
    }
    p.setPen(QPen(QColor(0, 90, 200), 1.5));
    for (const Tcoordonnees& point : esquisse_points_)
        p.drawEllipse(proj(point), 4, 4);
}

} // namespace trazel
