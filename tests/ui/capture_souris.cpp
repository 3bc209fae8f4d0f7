// Builds, with simulated mouse clicks on the drawing, the figure the guide's chapter on the
// mouse shows (a triangle, its midpoints, its centroid, its circumcircle, a point reflection
// and a function graph), and takes the screen's images along the way:
//   capture_souris DOSSIER   writes DOSSIER/souris_outil.png, souris_menu.png, souris_glisser.png
// Run on a real (virtual) screen by scripts/captures_souris.

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include "ui/dialogues_scriptes.h"
#include "ui/editeur_figure.h"
#include "ui/fenetre_principale.h"
#include "ui/outils_figure.h"
#include "ui/vue_figure.h"

using namespace trazel;

namespace {

class TScenario {
  public:
    TScenario(TForm1& fenetre, TEditeur_figure& editeur) : fenetre_(fenetre), editeur_(editeur) {}

    QPoint Pixel(Reel x, Reel y) const { return editeur_.Vue()->Vers_ecran({x, y}).toPoint(); }
    QPoint Pixel_de(const std::string& nom) const
    {
        for (const TObjet_edite& o : editeur_.Objets())
            if (o.nom == nom)
                return Pixel(o.position.x, o.position.y);
        qFatal("pas de point %s", nom.c_str());
    }
    void Outil(TOutil outil)
    {
        editeur_.Outils()->Action(outil)->trigger();
        Attendre();
    }
    void Cliquer(QPoint pixel)
    {
        QTest::mouseMove(editeur_.Vue(), pixel);
        QTest::mouseClick(editeur_.Vue(), Qt::LeftButton, {}, pixel);
        Attendre();
    }
    void Cliquer_points(std::initializer_list<const char*> noms)
    {
        for (const char* nom : noms)
            Cliquer(Pixel_de(nom));
    }
    void Attendre()
    {
        editeur_.Attendre_lecture();
        QTest::qWait(60);
    }
    // The window, with what stands over it (a menu), as the screen shows it.
    void Photographier(const QString& chemin)
    {
        QTest::qWait(300);
        const QRect cadre = fenetre_.frameGeometry();
        const QPixmap ecran = QGuiApplication::primaryScreen()->grabWindow(
            0, cadre.x(), cadre.y(), cadre.width(), cadre.height());
        if (!ecran.save(chemin))
            qFatal("image non \u00e9crite : %s", qPrintable(chemin));
    }

  private:
    TForm1& fenetre_;
    TEditeur_figure& editeur_;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2) {
        fprintf(stderr, "usage : capture_souris DOSSIER\n");
        return 2;
    }
    const QDir dossier(QString::fromLocal8Bit(argv[1]));
    essais::TDialogues_scriptes dialogues;
    TForm1 fenetre(dialogues);
    fenetre.resize(1240, 800);
    fenetre.move(10, 10);
    fenetre.show();
    if (!QTest::qWaitForWindowExposed(&fenetre))
        return 1;
    TEditeur_figure& editeur = *fenetre.Figure1;
    TScenario s(fenetre, editeur);
    s.Attendre();
    // Points on the axes' graduation: round coordinates in the text.
    editeur.Outils()->Action_grille()->setChecked(true);

    // The triangle, closed on its first vertex.
    s.Outil(TOutil::polygone);
    s.Cliquer(s.Pixel(-3, -2));
    s.Cliquer(s.Pixel(3, -1));
    s.Cliquer(s.Pixel(0, 3));
    s.Cliquer(s.Pixel(-3, -2));
    // Its midpoints, its centroid and its circumcircle.
    s.Outil(TOutil::milieu);
    s.Cliquer_points({"A", "B", "B", "C", "C", "A"});
    s.Outil(TOutil::centre_gravite);
    s.Cliquer_points({"A", "B", "C"});
    s.Outil(TOutil::cercle_circonscrit);
    s.Cliquer_points({"A", "B", "C"});
    // The triangle's image by the half-turn about its centroid.
    s.Outil(TOutil::symetrie_centrale);
    s.Cliquer(s.Pixel(-2.25L, -0.75L)); // on the side [CA], a quarter from A
    s.Cliquer_points({"G"});
    // A function graph.
    dialogues.formulaires.push_back({"x^2/4-3", "-4", "4", "200"});
    s.Outil(TOutil::graphe);

    // A tool half used: the segment from A, the mouse on B.
    s.Outil(TOutil::segment);
    s.Cliquer_points({"A"});
    QTest::mouseMove(editeur.Vue(), s.Pixel_de("E"));
    s.Photographier(dossier.filePath("souris_outil.png"));
    editeur.Outils()->Choisir_outil(TOutil::choisir);

    // The attributes menu of the circumcircle.
    QPoint sur_le_cercle;
    for (const TObjet_edite& o : editeur.Objets())
        if (o.code == TCode::cercle_circonscrit)
            sur_le_cercle = s.Pixel(o.cercle.centre.x + o.cercle.rayon * std::cos(0.3L),
                                    o.cercle.centre.y + o.cercle.rayon * std::sin(0.3L));
    std::unique_ptr<QMenu> menu = editeur.Outils()->Menu_objet(sur_le_cercle);
    if (!menu)
        qFatal("pas de menu sur le cercle");
    menu->popup(editeur.Vue()->mapToGlobal(sur_le_cercle + QPoint(12, 12)));
    QTest::qWait(200);
    for (QAction* action : menu->actions())
        if (action->text() == "Couleur")
            menu->setActiveAction(action);
    QTest::qWait(200);
    s.Photographier(dossier.filePath("souris_menu.png"));
    menu->close();

    // B dragged: the whole figure follows, and its parameter line in the text.
    const QPoint b = s.Pixel_de("B");
    QTest::mousePress(editeur.Vue(), Qt::LeftButton, {}, b);
    for (int k = 1; k <= 10; ++k) {
        QTest::mouseMove(editeur.Vue(), b + QPoint(-6 * k, 9 * k));
        s.Attendre();
    }
    s.Photographier(dossier.filePath("souris_glisser.png"));
    QTest::mouseRelease(editeur.Vue(), Qt::LeftButton, {}, b + QPoint(-60, 90));
    s.Attendre();
    printf("%s\n", qPrintable(editeur.TexteFigure().replace("\r\n", "\n")));
    return 0;
}
