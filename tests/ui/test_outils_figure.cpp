// The drawing editor driven with the mouse as a user would: each tool clicked on the view,
// free points dragged, the attributes menu, deletion, undo and redo, selection between text
// and drawing, zoom and pan; and random sequences of tool uses whose text must read back
// unmarked, with its points where the clicks put them.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QWheelEvent>
#include <QtTest>
#include <memory>

#include "lecture/transcription.h"
#include "ui/dialogues_scriptes.h"
#include "ui/editeur_figure.h"
#include "ui/outils_figure.h"
#include "ui/vue_figure.h"

using namespace trazel;

namespace {

const char* const entete = "Figure Figuro\r"
                           "Num\xE9ro de version: 2\r"
                           "\r"
                           "Position de Roxy: Xmin: -5, Xmax: 5, Ymax: 5\r"
                           "Objet dessinable Roxy, particularit\xE9s: rouge, dessin\xE9\r";

QString Figure(const QStringList& objets)
{
    return Texte_qt(entete) + objets.join('\r') + "\r\rCommentaire\rFin de la figure";
}

const QString triangle = Figure({
    "A point libre",
    "  Objet libre A, param\u00e8tres: -2, -1",
    "B point libre",
    "  Objet libre B, param\u00e8tres: 2, -1",
    "C point libre",
    "  Objet libre C, param\u00e8tres: 0, 2",
});

} // namespace

class TEssai_outils : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void outils_de_deux_points_data();
    void outils_de_deux_points();
    void point_sur_un_objet_et_intersections();
    void constructions_refusees();
    void images_par_les_transformations();
    void dialogues_des_courbes_et_des_nombres();
    void centre_de_gravite_et_cercle_circonscrit();
    void polygone_ferme_sur_son_premier_sommet();
    void echap_abandonne_l_outil();
    void glisser_chaque_sorte_de_point_data();
    void glisser_chaque_sorte_de_point();
    void point_construit_ne_glisse_pas();
    void figure_lourde_esquissee_pendant_le_glissement();
    void glisser_donne_le_dessin_d_une_relecture();
    void menu_des_attributs();
    void supprimer_avec_ce_qui_en_depend();
    void annuler_et_retablir();
    void selection_entre_texte_et_dessin();
    void molette_et_panoramique();
    void suites_au_hasard();

  private:
    void Charger(const QString& figure);
    QPoint Pixel(Reel x, Reel y) const;
    QPoint Pixel_de(const std::string& nom) const;
    void Cliquer(QPoint pixel);
    void Outil(TOutil outil);
    const TObjet_edite* Objet(const std::string& nom) const;
    // The figure text reads with no mark.
    void Verifier_sans_marque() const;

    essais::TDialogues_scriptes dialogues_;
    std::unique_ptr<TEditeur_figure> editeur_;
};

void TEssai_outils::init()
{
    dialogues_ = {};
    editeur_ = std::make_unique<TEditeur_figure>();
    editeur_->Utiliser_dialogues(dialogues_);
    editeur_->resize(1100, 620);
    editeur_->show();
    QVERIFY(QTest::qWaitForWindowExposed(editeur_.get()));
}

void TEssai_outils::cleanup()
{
    editeur_.reset();
}

void TEssai_outils::Charger(const QString& figure)
{
    editeur_->ExecuteLigne(figure);
    editeur_->Attendre_lecture();
}

QPoint TEssai_outils::Pixel(Reel x, Reel y) const
{
    return editeur_->Vue()->Vers_ecran({x, y}).toPoint();
}

QPoint TEssai_outils::Pixel_de(const std::string& nom) const
{
    const TObjet_edite* o = Objet(nom);
    return o ? Pixel(o->position.x, o->position.y) : QPoint();
}

void TEssai_outils::Cliquer(QPoint pixel)
{
    QTest::mouseClick(editeur_->Vue(), Qt::LeftButton, {}, pixel);
    editeur_->Attendre_lecture();
}

void TEssai_outils::Outil(TOutil outil)
{
    editeur_->Outils()->Action(outil)->trigger();
    editeur_->Attendre_lecture();
}

const TObjet_edite* TEssai_outils::Objet(const std::string& nom) const
{
    for (const TObjet_edite& o : editeur_->Objets())
        if (o.nom == nom)
            return &o;
    return nullptr;
}

void TEssai_outils::Verifier_sans_marque() const
{
    QStringList marques;
    for (const TEditeur_figure::TMarque& m : editeur_->Marques())
        marques << QString::number(m.ligne) + " " + m.raison;
    QVERIFY2(marques.isEmpty(), qPrintable(marques.join('\n')));
}

// Tools that take two points, clicked on existing points or on empty places.
void TEssai_outils::outils_de_deux_points_data()
{
    QTest::addColumn<int>("outil");
    QTest::addColumn<QString>("ligne");
    QTest::newRow("segment") << int(TOutil::segment) << "Segment [AB]";
    QTest::newRow("droite") << int(TOutil::droite) << "Droite (AB)";
    QTest::newRow("demi-droite") << int(TOutil::demi_droite) << "Demi-droite [AB)";
    QTest::newRow("cercle passant")
        << int(TOutil::cercle_point) << "c1 cercle de centre A passant par B";
    QTest::newRow("diametre") << int(TOutil::cercle_diametre) << "c1 cercle de diam\u00e8tre [AB]";
    QTest::newRow("milieu") << int(TOutil::milieu) << "D milieu du segment [AB]";
    QTest::newRow("mediatrice") << int(TOutil::mediatrice) << "d1 m\u00e9diatrice du segment [AB]";
}

void TEssai_outils::outils_de_deux_points()
{
    QFETCH(int, outil);
    QFETCH(QString, ligne);
    Charger(triangle);
    Outil(static_cast<TOutil>(outil));
    Cliquer(Pixel_de("A"));
    Cliquer(Pixel_de("B"));
    QVERIFY2(editeur_->TexteFigure().contains(ligne + "\r\n"), qPrintable(editeur_->TexteFigure()));
    Verifier_sans_marque();

    // On empty places the tool makes its own free points, one step of the undo stack.
    Charger(Figure({}));
    Outil(static_cast<TOutil>(outil));
    Cliquer(Pixel(-1, 1));
    Cliquer(Pixel(2, 3));
    Verifier_sans_marque();
    const TObjet_edite* a = Objet("A");
    const TObjet_edite* b = Objet("B");
    QVERIFY(a && b);
    // Within the pixel clicked.
    const double pixel = 1 / editeur_->Vue()->Echelle();
    QVERIFY(std::fabs(double(a->position.x) + 1) <= pixel);
    QVERIFY(std::fabs(double(b->position.y) - 3) <= pixel);
    // The midpoint takes the first free name: C here.
    QVERIFY2(editeur_->TexteFigure().contains(QString(ligne).replace("D milieu", "C milieu")),
             qPrintable(editeur_->TexteFigure()));
    editeur_->Zone_texte()->undo();
    editeur_->Attendre_lecture();
    QVERIFY(!editeur_->TexteFigure().contains("A point libre"));
}

void TEssai_outils::point_sur_un_objet_et_intersections()
{
    Charger(Figure({"A point libre", "  Objet libre A, param\u00e8tres: 0, 0", "B point libre",
                    "  Objet libre B, param\u00e8tres: 3, 0", "Droite (AB)",
                    "c1 cercle de centre A passant par B"}));
    // A point clicked on the circle is a point on it, where the click was.
    Outil(TOutil::point);
    Cliquer(Pixel(0, 3));
    Verifier_sans_marque();
    const TObjet_edite* c = Objet("C");
    QVERIFY(c != nullptr);
    QCOMPARE(c->code, TCode::point_sur_cercle);
    QVERIFY(std::fabs(c->position.x) < 0.05L && std::fabs(c->position.y - 3) < 0.05L);
    // The line meets the circle twice: the point nearer the second click is taken.
    Outil(TOutil::intersection);
    Cliquer(Pixel(1, 0));
    Cliquer(Pixel(-3, 0) + QPoint(0, -1));
    Verifier_sans_marque();
    const TObjet_edite* d = Objet("D");
    QVERIFY(d != nullptr);
    QVERIFY2(std::fabs(d->position.x + 3) < 1e-9L && std::fabs(d->position.y) < 1e-9L,
             qPrintable(editeur_->TexteFigure()));
    Outil(TOutil::intersection);
    Cliquer(Pixel(1, 0));
    Cliquer(Pixel(3, 0) + QPoint(0, -1));
    const TObjet_edite* e = Objet("E");
    QVERIFY(e != nullptr);
    QVERIFY(std::fabs(e->position.x - 3) < 1e-9L);
    Verifier_sans_marque();
}

void TEssai_outils::constructions_refusees()
{
    Charger(Figure({"A point libre", "  Objet libre A, param\u00e8tres: 0, 0", "B point libre",
                    "  Objet libre B, param\u00e8tres: 3, 0", "C point libre",
                    "  Objet libre C, param\u00e8tres: 0, 2", "D point libre",
                    "  Objet libre D, param\u00e8tres: 3, 2", "Droite (AB)", "Droite (CD)"}));
    const QString avant = editeur_->TexteFigure();
    Outil(TOutil::intersection);
    Cliquer(Pixel(1.5L, 0));
    Cliquer(Pixel(1.5L, 2));
    QCOMPARE(editeur_->TexteFigure(), avant);
    QVERIFY2(editeur_->Outils()->Consigne()->text().contains("parall\u00e8les"),
             qPrintable(editeur_->Outils()->Consigne()->text()));
    // The same point twice is refused and the tool waits for another.
    Outil(TOutil::segment);
    Cliquer(Pixel_de("A"));
    Cliquer(Pixel_de("A"));
    QCOMPARE(editeur_->TexteFigure(), avant);
    QVERIFY(editeur_->Outils()->Consigne()->text().contains("d\u00e9j\u00e0 choisi"));
    Cliquer(Pixel_de("C"));
    QVERIFY(editeur_->TexteFigure().contains("Segment [AC]"));
    // A circle whose radius is not positive.
    Outil(TOutil::cercle_rayon);
    dialogues_.formulaires.push_back({"-2"});
    const QString avant_cercle = editeur_->TexteFigure();
    Cliquer(Pixel_de("B"));
    QCOMPARE(editeur_->TexteFigure(), avant_cercle);
    dialogues_.formulaires.push_back({"1,5"});
    Cliquer(Pixel_de("B"));
    QVERIFY2(editeur_->TexteFigure().contains("c1 cercle de centre B et de rayon 1.5"),
             qPrintable(editeur_->TexteFigure()));
    Verifier_sans_marque();
}

void TEssai_outils::images_par_les_transformations()
{
    Charger(triangle);
    struct TCas {
        TOutil outil;
        std::vector<QPoint> clics;
        QStringList formulaire;
    };
    // The segment [AB] and the circle through C are added to be transformed too.
    editeur_->ExecuteLigne("Segment [AB]\rc1 cercle de centre A passant par C");
    editeur_->Attendre_lecture();
    const std::vector<TCas> cas = {
        {TOutil::symetrie_centrale, {Pixel_de("C"), Pixel_de("A")}, {}},
        {TOutil::rotation, {Pixel_de("C"), Pixel_de("A")}, {"90"}},
        {TOutil::homothetie, {Pixel_de("C"), Pixel_de("A")}, {"2"}},
        {TOutil::translation, {Pixel_de("C"), Pixel_de("A"), Pixel_de("B")}, {}},
        {TOutil::symetrie_axiale, {Pixel(0, -1), Pixel(0.5L, -1)}, {}},
    };
    for (const TCas& c : cas) {
        const std::size_t avant = editeur_->Objets().size();
        Outil(c.outil);
        if (!c.formulaire.isEmpty())
            dialogues_.formulaires.push_back(c.formulaire);
        for (const QPoint& clic : c.clics)
            Cliquer(clic);
        Verifier_sans_marque();
        QVERIFY2(editeur_->Objets().size() > avant, qPrintable(editeur_->TexteFigure()));
    }
    // The image of C (0, 2) by the half-turn about A (-2, -1) is (-4, -4); by the quarter
    // turn (-5, 1).
    const TObjet_edite* d = Objet("D");
    QVERIFY(d != nullptr);
    QVERIFY(std::fabs(d->position.x + 4) < 1e-9L && std::fabs(d->position.y + 4) < 1e-9L);
    const TObjet_edite* e = Objet("E");
    QVERIFY(e != nullptr);
    QVERIFY(std::fabs(e->position.x + 5) < 1e-9L && std::fabs(e->position.y - 1) < 1e-9L);
    // The reflection of the segment [AB] in the line [AB] itself gives its ends back.
    QVERIFY(editeur_->TexteFigure().contains("Segment ["));
    // A circle by a named transformation.
    Outil(TOutil::symetrie_centrale);
    // On the circle of centre A (-2, -1) through C (0, 2), at its leftmost point.
    Cliquer(Pixel(-2 - std::sqrt(13.0L), -1));
    Cliquer(Pixel_de("B"));
    Verifier_sans_marque();
    QVERIFY2(editeur_->TexteFigure().contains("image du cercle c1 par la transformation s"),
             qPrintable(editeur_->TexteFigure()));
}

void TEssai_outils::dialogues_des_courbes_et_des_nombres()
{
    Charger(triangle);
    dialogues_.formulaires.push_back({"k", "", "2"});
    Outil(TOutil::nombre);
    dialogues_.formulaires.push_back({"g", "t", "t^2-k"});
    Outil(TOutil::nombre);
    dialogues_.formulaires.push_back({"g", "-2", "2", "50"});
    Outil(TOutil::graphe);
    dialogues_.formulaires.push_back({"x/2", "-4", "4", "20"});
    Outil(TOutil::graphe);
    Verifier_sans_marque();
    const QString texte = editeur_->TexteFigure();
    QVERIFY2(texte.contains("k = 2\r\ng fonction t|->t^2-k\r\n"), qPrintable(texte));
    QVERIFY(texte.contains("graphe de g sur [-2, 2] dans le rep\u00e8re Roxy (50 points)"));
    QVERIFY(texte.contains("f fonction x|->x/2\r\n"));
    // A cancelled dialog writes nothing.
    Outil(TOutil::graphe);
    QCOMPARE(editeur_->TexteFigure(), texte);
    // A locus: the midpoint of [AM], M on a circle.
    editeur_->ExecuteLigne(Texte_qt("c1 cercle de centre A passant par B\rM point libre sur le "
                                    "cercle c1\r  Objet libre M, param\xE8tre: 1\rI milieu du "
                                    "segment [CM]"));
    editeur_->Attendre_lecture();
    Outil(TOutil::lieu);
    dialogues_.formulaires.push_back({"40"});
    Cliquer(Pixel_de("I"));
    Cliquer(Pixel_de("M"));
    Verifier_sans_marque();
    QVERIFY2(editeur_->TexteFigure().contains("lieu du point I selon M (40 points)"),
             qPrintable(editeur_->TexteFigure()));
}

void TEssai_outils::centre_de_gravite_et_cercle_circonscrit()
{
    Charger(triangle);
    Outil(TOutil::centre_gravite);
    for (const char* sommet : {"A", "B", "C"})
        Cliquer(Pixel_de(sommet));
    Outil(TOutil::cercle_circonscrit);
    for (const char* sommet : {"A", "B", "C"})
        Cliquer(Pixel_de(sommet));
    Verifier_sans_marque();
    const TObjet_edite* g = Objet("D");
    QVERIFY(g != nullptr);
    QVERIFY(std::fabs(g->position.x) < 1e-9L && std::fabs(g->position.y) < 1e-9L);
    const TObjet_edite* c = Objet("c1");
    QVERIFY2(c != nullptr && c->code == TCode::cercle_circonscrit,
             qPrintable(editeur_->TexteFigure()));
    // Three points on a line: said, and nothing written.
    editeur_->ExecuteLigne(Texte_qt("E point libre\r  Objet libre E, param\xE8tres: 0, -1"));
    editeur_->Attendre_lecture();
    const QString avant = editeur_->TexteFigure();
    Outil(TOutil::cercle_circonscrit);
    Cliquer(Pixel_de("A"));
    Cliquer(Pixel_de("B"));
    Cliquer(Pixel_de("E"));
    QCOMPARE(editeur_->TexteFigure(), avant);
    QVERIFY(editeur_->Outils()->Consigne()->text().contains("align\u00e9s"));
}

void TEssai_outils::polygone_ferme_sur_son_premier_sommet()
{
    Charger(triangle);
    Outil(TOutil::polygone);
    Cliquer(Pixel_de("A"));
    Cliquer(Pixel_de("B"));
    Cliquer(Pixel(3, 3));
    Cliquer(Pixel_de("C"));
    QVERIFY(!editeur_->TexteFigure().contains("polygone"));
    Cliquer(Pixel_de("A"));
    QVERIFY2(editeur_->TexteFigure().contains("p1 polygone ABDC"),
             qPrintable(editeur_->TexteFigure()));
    Verifier_sans_marque();
}

void TEssai_outils::echap_abandonne_l_outil()
{
    Charger(triangle);
    const QString avant = editeur_->TexteFigure();
    Outil(TOutil::segment);
    Cliquer(Pixel(1, 1));
    QTest::keyClick(editeur_->Vue(), Qt::Key_Escape);
    Cliquer(Pixel(2, 2));
    QCOMPARE(editeur_->TexteFigure(), avant); // the first click was forgotten
    QTest::keyClick(editeur_->Vue(), Qt::Key_Escape);
    QTest::keyClick(editeur_->Vue(), Qt::Key_Escape);
    QCOMPARE(editeur_->Outils()->Outil(), TOutil::choisir);
}

// Each kind of movable point, dragged from its place to another: its parameter line follows.
void TEssai_outils::glisser_chaque_sorte_de_point_data()
{
    QTest::addColumn<QStringList>("objets");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    const QStringList base = {"A point libre", "  Objet libre A, param\u00e8tres: -2, -2",
                              "B point libre", "  Objet libre B, param\u00e8tres: 2, -2"};
    QTest::newRow("libre") << base << 1.0 << 3.0;
    QTest::newRow("segment") << base + QStringList{"Segment [AB]",
                                                   "M point libre sur le segment [AB]",
                                                   "  Objet libre M, param\u00e8tre: 0.25"}
                             << 1.0 << -2.0;
    QTest::newRow("droite") << base + QStringList{"Droite (AB)", "M point libre sur la droite AB",
                                                  "  Objet libre M, param\u00e8tre: 0.25"}
                            << 3.5 << -2.0;
    QTest::newRow("demi-droite") << base + QStringList{"Demi-droite [AB)",
                                                       "M point libre sur la demi-droite [AB)",
                                                       "  Objet libre M, param\u00e8tre: 0.25"}
                                 << 3.0 << -2.0;
    QTest::newRow("cercle") << base + QStringList{"c1 cercle de centre A passant par B",
                                                  "M point libre sur le cercle c1",
                                                  "  Objet libre M, param\u00e8tre: 0"}
                            << -2.0 << 2.0;
    QTest::newRow("repere") << base + QStringList{"R rep\u00e8re (A, vec(AB), vec(BA)) "
                                                  "graduations (1, 1)",
                                                  "M point libre \u00e0 coordonn\u00e9es dans le "
                                                  "rep\u00e8re R",
                                                  "  Objet libre M, param\u00e8tres: 0.5, 0"}
                            << 1.0 << -2.0;
    QTest::newRow("cadre") << base + QStringList{"C point libre",
                                                 "  Objet libre C, param\u00e8tres: 2, 2",
                                                 "D point libre",
                                                 "  Objet libre D, param\u00e8tres: -2, 2",
                                                 "K cadre ABCD",
                                                 "M point libre dans le cadre K",
                                                 "  Objet libre M, param\u00e8tres: 0.5, 0.5"}
                           << 1.0 << 1.0;
}

void TEssai_outils::glisser_chaque_sorte_de_point()
{
    QFETCH(QStringList, objets);
    QFETCH(double, x);
    QFETCH(double, y);
    Charger(Figure(objets));
    Verifier_sans_marque();
    const std::string nom = objets.size() > 4 ? "M" : "A";
    const QPoint depart = Pixel_de(nom);
    const QPoint arrivee = Pixel(static_cast<Reel>(x), static_cast<Reel>(y));
    const QString avant = editeur_->TexteFigure();
    QTest::mousePress(editeur_->Vue(), Qt::LeftButton, {}, depart);
    for (int k = 1; k <= 5; ++k)
        QTest::mouseMove(editeur_->Vue(), depart + (arrivee - depart) * k / 5);
    QTest::mouseRelease(editeur_->Vue(), Qt::LeftButton, {}, arrivee);
    editeur_->Attendre_lecture();
    Verifier_sans_marque();
    const TObjet_edite* m = Objet(nom);
    QVERIFY(m != nullptr);
    // Within the pixel the mouse stopped at.
    const double tolerance = 1.5 / editeur_->Vue()->Echelle();
    QVERIFY2(std::fabs(double(m->position.x) - x) < tolerance &&
                 std::fabs(double(m->position.y) - y) < tolerance,
             qPrintable(editeur_->TexteFigure()));
    // The whole drag is one step of the undo stack.
    editeur_->Zone_texte()->undo();
    editeur_->Attendre_lecture();
    QCOMPARE(editeur_->TexteFigure(), avant);
    QCOMPARE(Pixel_de(nom), depart);
}

void TEssai_outils::point_construit_ne_glisse_pas()
{
    Charger(Figure({"A point libre", "  Objet libre A, param\u00e8tres: -2, -2", "B point libre",
                    "  Objet libre B, param\u00e8tres: 2, -2", "I milieu du segment [AB]"}));
    const QString avant = editeur_->TexteFigure();
    const QPoint i = Pixel_de("I");
    QTest::mouseMove(editeur_->Vue(), i);
    QVERIFY2(editeur_->Outils()->Consigne()->text().startsWith("I est construit"),
             qPrintable(editeur_->Outils()->Consigne()->text()));
    QTest::mouseMove(editeur_->Vue(), Pixel_de("A"));
    QCOMPARE(editeur_->Vue()->cursor().shape(), Qt::OpenHandCursor);
    QTest::mousePress(editeur_->Vue(), Qt::LeftButton, {}, i);
    QTest::mouseMove(editeur_->Vue(), i + QPoint(40, 40));
    QTest::mouseRelease(editeur_->Vue(), Qt::LeftButton, {}, i + QPoint(40, 40));
    editeur_->Attendre_lecture();
    QCOMPARE(editeur_->TexteFigure(), avant);
}

// A locus far too long to sample at every mouse move is sketched during the drag, then drawn
// whole once the mouse is released.
void TEssai_outils::figure_lourde_esquissee_pendant_le_glissement()
{
    Charger(
        Figure({"A point libre", "  Objet libre A, param\u00e8tres: -2, -2", "B point libre",
                "  Objet libre B, param\u00e8tres: 2, -2", "c1 cercle de centre A passant par B",
                "M point libre sur le cercle c1", "  Objet libre M, param\u00e8tre: 0",
                "I milieu du segment [BM]", "L lieu du point I selon M (60000 points)"}));
    const auto echantillons = [this] {
        std::size_t n = 0;
        for (const TCourbe_scene& c : editeur_->Vue()->Scene()->courbes)
            n += c.points.size();
        return n;
    };
    const std::size_t entier = echantillons();
    QVERIFY(entier > 10000);
    QVERIFY(!editeur_->Esquisse());
    const QPoint a = Pixel_de("A");
    QTest::mousePress(editeur_->Vue(), Qt::LeftButton, {}, a);
    QTest::mouseMove(editeur_->Vue(), a + QPoint(20, 10));
    editeur_->Attendre_lecture();
    QTest::mouseMove(editeur_->Vue(), a + QPoint(30, 20));
    editeur_->Attendre_lecture();
    QVERIFY(editeur_->Esquisse());
    // n samples make n + 1 points at most, split into runs where the curve leaves the window.
    QVERIFY2(echantillons() <= 110, qPrintable(QString::number(echantillons())));
    QTest::mouseRelease(editeur_->Vue(), Qt::LeftButton, {}, a + QPoint(30, 20));
    editeur_->Attendre_lecture();
    QVERIFY(!editeur_->Esquisse());
    QVERIFY(echantillons() > 10000);
    Verifier_sans_marque();
}

// A drag recomputes the figure in place: at every position the drawing must be the one a
// reading of the text gives, through an intersection lost and found again and a division by
// zero that stops the reading at its line.
void TEssai_outils::glisser_donne_le_dessin_d_une_relecture()
{
    Charger(Figure({"A point libre", "  Objet libre A, param\u00e8tres: -4, 0", "B point libre",
                    "  Objet libre B, param\u00e8tres: 1, 0",
                    "c cercle de centre A et de rayon 2 (unit\u00e9 Uoxy)",
                    "d cercle de centre B et de rayon 2 (unit\u00e9 Uoxy)",
                    "M point d'intersection 1 des cercles c et d", "I milieu du segment [AM]",
                    "x abscisse de A dans le rep\u00e8re Roxy",
                    "P point de coordonn\u00e9es (1/x, 1) dans le rep\u00e8re Roxy",
                    "Q point libre sur le cercle c", "  Objet libre Q, param\u00e8tre: 1",
                    "L lieu du point Q selon Q (40 points)"}));
    Verifier_sans_marque();
    const auto positions = [](const TScene& s) {
        std::vector<Reel> v;
        for (const TPoint_scene& p : s.points)
            v.insert(v.end(), {p.position.x, p.position.y});
        for (const TArc_scene& a : s.arcs)
            v.insert(v.end(), {a.centre.x, a.centre.y, a.rayon, a.debut, a.fin});
        for (const TSegment_scene& g : s.segments)
            v.insert(v.end(), {g.a.x, g.a.y, g.b.x, g.b.y});
        for (const TCourbe_scene& c : s.courbes)
            for (Tcoordonnees p : c.points)
                v.insert(v.end(), {p.x, p.y});
        return v;
    };
    // On the grid, A goes through x = 0 on its way from (-4, 0) to (6, 1): the circles meet
    // from |AB| = 4 on, and part again.
    editeur_->Outils()->Action_grille()->setChecked(true);
    const QPoint depart = Pixel_de("A");
    int en_faute = 0;
    QTest::mousePress(editeur_->Vue(), Qt::LeftButton, {}, depart);
    for (int k = 1; k <= 20; ++k) {
        QTest::mouseMove(editeur_->Vue(), Pixel(-4 + k / 2.0L, k / 20.0L));
        editeur_->Attendre_lecture();
        const std::string texte = Texte_cp1252(editeur_->TexteFigure());
        TForm2 form2;
        TFigure figure;
        try {
            TEtape* premiere = Lire_texte_figure(texte, "figure", figure, form2);
            const TScene relue = Scene_de_la_figure(premiere, figure, form2, {});
            QVERIFY2(editeur_->Marques().empty(), qPrintable(QString::number(k)));
            QVERIFY(editeur_->Vue()->Scene().has_value());
            QVERIFY2(positions(*editeur_->Vue()->Scene()) == positions(relue),
                     qPrintable(editeur_->TexteFigure()));
        } catch (const Erreur_figure& erreur) {
            // The reading stops at P's line, and so does the editor.
            ++en_faute;
            QVERIFY(!editeur_->Marques().empty());
            QCOMPARE(editeur_->Marques().front().ligne, erreur.ligne());
        }
    }
    QTest::mouseRelease(editeur_->Vue(), Qt::LeftButton, {}, Pixel(6, 1));
    editeur_->Attendre_lecture();
    QVERIFY(en_faute > 0);
}

void TEssai_outils::menu_des_attributs()
{
    Charger(Figure({"A point libre", "  Objet libre A, param\u00e8tres: -2, -2", "B point libre",
                    "  Objet libre B, param\u00e8tres: 2, -2", "Segment [AB]"}));
    const auto choisir = [this](QPoint pixel, QStringList chemin) {
        std::unique_ptr<QMenu> menu = editeur_->Outils()->Menu_objet(pixel);
        QVERIFY(menu != nullptr);
        QMenu* dans = menu.get();
        const QString derniere = chemin.takeLast();
        for (const QString& sous_menu : chemin) {
            QMenu* suivant = nullptr;
            for (QAction* a : dans->actions())
                if (a->text() == sous_menu)
                    suivant = a->menu();
            QVERIFY2(suivant != nullptr, qPrintable(sous_menu));
            dans = suivant;
        }
        for (QAction* a : dans->actions())
            if (a->text() == derniere) {
                a->trigger();
                editeur_->Attendre_lecture();
                return;
            }
        QFAIL(qPrintable("pas d'entr\u00e9e " + derniere));
    };
    choisir(Pixel(0, -2), {"Couleur", "Rouge"});
    choisir(Pixel(0, -2), {"Trait", "Tiret\u00e9"});
    choisir(Pixel_de("A"), {"Marque", "\u00c9paisse"});
    choisir(Pixel_de("A"), {"Nom", "Au-dessous"});
    Verifier_sans_marque();
    const TObjet_edite* s = Objet("AB");
    QVERIFY(s != nullptr);
    QCOMPARE(s->attributs.couleur, std::string("red"));
    QCOMPARE(s->attributs.style, std::string("dashed"));
    const TObjet_edite* a = Objet("A");
    QCOMPARE(a->attributs.marque, std::string("1.5"));
    QCOMPARE(a->attributs.position_nom, std::string("-90"));
    // One attribute line per object, rewritten in place.
    QCOMPARE(editeur_->TexteFigure().count("Objet dessinable A,"), 1);
    choisir(Pixel(0, -2), {"Dessin\u00e9"});
    QVERIFY(!Objet("AB")->attributs.dessine);
    QCOMPARE(editeur_->TexteFigure().count("Objet dessinable AB,"), 1);
}

void TEssai_outils::supprimer_avec_ce_qui_en_depend()
{
    Charger(Figure({"A point libre", "  Objet libre A, param\u00e8tres: -2, -2", "B point libre",
                    "  Objet libre B, param\u00e8tres: 2, -2", "C point libre",
                    "  Objet libre C, param\u00e8tres: 0, 2", "Segment [AB]",
                    "I milieu du segment [BC]", "Segment [CI]"}));
    const QString avant = editeur_->TexteFigure();
    // Refused: nothing changes, and the question named the dependents.
    editeur_->Outils()->Supprimer(Objet("C")->ligne);
    editeur_->Attendre_lecture();
    QCOMPARE(editeur_->TexteFigure(), avant);
    QVERIFY2(dialogues_.journal.size() == 1 && dialogues_.journal[0].contains("I, CI"),
             qPrintable(dialogues_.journal.join('\n')));
    dialogues_.reponses.push_back(true);
    // Through the keyboard: the selected object.
    QTest::mouseClick(editeur_->Vue(), Qt::LeftButton, {}, Pixel_de("C"));
    QTest::keyClick(editeur_->Vue(), Qt::Key_Delete);
    editeur_->Attendre_lecture();
    Verifier_sans_marque();
    QCOMPARE(editeur_->TexteFigure(),
             Figure({"A point libre", "  Objet libre A, param\u00e8tres: -2, -2", "B point libre",
                     "  Objet libre B, param\u00e8tres: 2, -2", "Segment [AB]"})
                 .replace('\r', "\r\n"));
    editeur_->Zone_texte()->undo();
    editeur_->Attendre_lecture();
    QCOMPARE(editeur_->TexteFigure(), avant);
}

void TEssai_outils::annuler_et_retablir()
{
    Charger(triangle);
    const QString avant = editeur_->TexteFigure();
    Outil(TOutil::segment);
    Cliquer(Pixel_de("A"));
    Cliquer(Pixel_de("B"));
    const QString apres = editeur_->TexteFigure();
    // Typing is a step of the same stack.
    QPlainTextEdit* texte = editeur_->Zone_texte();
    texte->moveCursor(QTextCursor::End);
    QTest::keyClicks(texte, " ");
    QTest::keyClick(editeur_->Vue(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editeur_->TexteFigure(), apres);
    QTest::keyClick(editeur_->Vue(), Qt::Key_Z, Qt::ControlModifier);
    editeur_->Attendre_lecture();
    QCOMPARE(editeur_->TexteFigure(), avant);
    QTest::keyClick(editeur_->Vue(), Qt::Key_Y, Qt::ControlModifier);
    editeur_->Attendre_lecture();
    QCOMPARE(editeur_->TexteFigure(), apres);
    Verifier_sans_marque();
}

void TEssai_outils::selection_entre_texte_et_dessin()
{
    Charger(Figure({"A point libre", "  Objet libre A, param\u00e8tres: -2, -2",
                    "  Objet dessinable A, particularit\u00e9s: rouge", "B point libre",
                    "  Objet libre B, param\u00e8tres: 2, -2", "Segment [AB]"}));
    const int ligne_a = Objet("A")->ligne;
    Cliquer(Pixel_de("A"));
    const QTextCursor c = editeur_->Zone_texte()->textCursor();
    QCOMPARE(c.selectedText().replace(QChar::ParagraphSeparator, '\n'),
             QString("A point libre\n  Objet libre A, param\u00e8tres: -2, -2\n"
                     "  Objet dessinable A, particularit\u00e9s: rouge"));
    QCOMPARE(editeur_->Vue()->Selection(), std::vector<int>{ligne_a});
    // The text cursor on the segment's line shows the segment.
    QTextCursor sur_segment(
        editeur_->Zone_texte()->document()->findBlockByNumber(Objet("AB")->ligne - 1));
    editeur_->Zone_texte()->setTextCursor(sur_segment);
    QCOMPARE(editeur_->Vue()->Selection(), std::vector<int>{Objet("AB")->ligne});
    // On an attribute line of A, A again.
    editeur_->Zone_texte()->setTextCursor(
        QTextCursor(editeur_->Zone_texte()->document()->findBlockByNumber(ligne_a + 1)));
    QCOMPARE(editeur_->Vue()->Selection(), std::vector<int>{ligne_a});
}

void TEssai_outils::molette_et_panoramique()
{
    Charger(triangle);
    const QPoint centre = Pixel(0, 0);
    QWheelEvent molette(centre, editeur_->Vue()->mapToGlobal(centre), {}, QPoint(0, 120),
                        Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(editeur_->Vue(), &molette);
    editeur_->Attendre_lecture();
    // Zoomed in about the origin: the range shrinks by 1.25.
    QVERIFY2(editeur_->TexteFigure().contains("Position de Roxy: Xmin: -4, Xmax: 4, Ymax: 4"),
             qPrintable(editeur_->TexteFigure()));
    QCOMPARE(Pixel(0, 0), centre);
    // The middle button drags the window: the figure follows the mouse.
    const QPoint a = Pixel_de("A");
    QTest::mousePress(editeur_->Vue(), Qt::MiddleButton, {}, centre);
    QTest::mouseMove(editeur_->Vue(), centre + QPoint(50, 0));
    QTest::mouseMove(editeur_->Vue(), centre + QPoint(100, 30));
    QTest::mouseRelease(editeur_->Vue(), Qt::MiddleButton, {}, centre + QPoint(100, 30));
    editeur_->Attendre_lecture();
    const QPoint deplace = Pixel_de("A") - a;
    QVERIFY2(std::abs(deplace.x() - 100) <= 1 && std::abs(deplace.y() - 30) <= 1,
             qPrintable(editeur_->TexteFigure()));
    Verifier_sans_marque();
    editeur_->Zone_texte()->undo();
    editeur_->Attendre_lecture();
    QVERIFY(editeur_->TexteFigure().contains("Xmin: -4, Xmax: 4, Ymax: 4"));
}

// Random tool uses and drags on an empty figure: the text reads unmarked and each free point
// stands where the mouse left it.
void TEssai_outils::suites_au_hasard()
{
    QRandomGenerator hasard(20261209);
    for (int essai = 0; essai < 6; ++essai) {
        Charger(Figure({}));
        std::map<std::string, QPoint> places; // free points and where the mouse put them
        const auto pixel_au_hasard = [&] {
            return Pixel(static_cast<Reel>(hasard.bounded(-40, 40)) / 10,
                         static_cast<Reel>(hasard.bounded(-40, 40)) / 10);
        };
        for (int pas = 0; pas < 12; ++pas) {
            const std::vector<std::string> avant = [&] {
                std::vector<std::string> noms;
                for (const TObjet_edite& o : editeur_->Objets())
                    noms.push_back(o.nom);
                return noms;
            }();
            const auto noter_nouveaux = [&](const std::vector<QPoint>& clics) {
                std::size_t k = 0;
                for (const TObjet_edite& o : editeur_->Objets())
                    if (o.code == TCode::point_libre &&
                        std::find(avant.begin(), avant.end(), o.nom) == avant.end() &&
                        k < clics.size())
                        places[o.nom] = clics[k++];
            };
            const int choix = hasard.bounded(5);
            if (choix == 4 && !places.empty()) {
                // Drag a free point elsewhere.
                auto it = places.begin();
                std::advance(it, hasard.bounded(static_cast<int>(places.size())));
                const QPoint depart = Pixel_de(it->first), arrivee = pixel_au_hasard();
                Outil(TOutil::choisir);
                // A point another one hides is left where it is.
                if (editeur_->Vue()->Ligne_sous(depart, 8) != Objet(it->first)->ligne)
                    continue;
                QTest::mousePress(editeur_->Vue(), Qt::LeftButton, {}, depart);
                QTest::mouseMove(editeur_->Vue(), (depart + arrivee) / 2);
                QTest::mouseMove(editeur_->Vue(), arrivee);
                QTest::mouseRelease(editeur_->Vue(), Qt::LeftButton, {}, arrivee);
                editeur_->Attendre_lecture();
                it->second = arrivee;
                continue;
            }
            const TOutil outils[] = {TOutil::point, TOutil::segment, TOutil::milieu,
                                     TOutil::cercle_point};
            Outil(outils[choix % 4]);
            const int clics = choix == 0 ? 1 : 2;
            std::vector<QPoint> faits;
            for (int k = 0; k < clics; ++k) {
                QPoint clic = pixel_au_hasard();
                // Away from what is drawn, so that the click makes a free point.
                if (editeur_->Vue()->Ligne_sous(clic, 8) != 0)
                    clic = Pixel(4.5L - k, 4.5L - pas * 0.3L);
                faits.push_back(clic);
                Cliquer(clic);
            }
            editeur_->Outils()->Abandonner();
            noter_nouveaux(faits);
        }
        Verifier_sans_marque();
        // Read again from the text alone: the same points, within half a pixel of the mouse.
        TForm2 form2;
        TFigure figure;
        std::vector<TLigne_ignoree> ignorees;
        Lire_texte_figure(Texte_cp1252(editeur_->TexteFigure()), "essai", figure, form2, &ignorees);
        QVERIFY(ignorees.empty());
        for (const auto& [nom, clic] : places) {
            const Tpoint* p = figure.liste_points.Dernier_du_nom(nom);
            QVERIFY(p != nullptr);
            const QPointF ecart = editeur_->Vue()->Vers_ecran({p->x, p->y}) - QPointF(clic);
            QVERIFY2(std::hypot(ecart.x(), ecart.y()) <= 0.71,
                     qPrintable(QString::fromStdString(nom) + "\n" + editeur_->TexteFigure()));
        }
    }
}

QTEST_MAIN(TEssai_outils)
#include "test_outils_figure.moc"
