// The tangent dialog driven as a user would, against a figure editor of its own: its lists
// after activation, the labels that follow the focus, OK sending the construction, and the
// refusals, with every message answered by the test.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "model/fichiers.h"
#include "ui/dialogues_scriptes.h"
#include "ui/editeur_figure.h"
#include "ui/tangente.h"
#include "ui/vue_figure.h"

using namespace trazel;

namespace {

// A figure as the main window copies it for the dialog: Windows-1252, CR LF.
QByteArray Figure(const QByteArrayList& objets)
{
    QByteArray texte = "Figure Figuro\r\nNum\xE9ro de version: 2\r\n\r\n"
                       "Position de Roxy: Xmin: -5, Xmax: 5, Ymax: 5\r\n"
                       "Objet dessinable Roxy, particularit\xE9s: rouge, dessin\xE9\r\n";
    for (const QByteArray& ligne : objets)
        texte += ligne + "\r\n";
    return texte + "\r\nCommentaire\r\nFin de la figure\r\n";
}

const QByteArray figure_complete = Figure({
    "A point libre",
    "  Objet libre A, param\xE8tres: 0, 0",
    "B point libre",
    "  Objet libre B, param\xE8tres: 2, 0",
    "C point libre",
    "  Objet libre C, param\xE8tres: 0, 2",
    "U unit\xE9 de longueur de vecteur vec(AB)",
    "R rep\xE8re (A, vec(AB), vec(AC)) graduations (1, 1)",
    "f fonction x|->x^2",
    "g fonction x|->abs(x-1)+1",
});

QString Texte(const char* cp1252)
{
    return Texte_qt(cp1252);
}

QStringList Elements(const QComboBox* liste)
{
    QStringList noms;
    for (int i = 0; i < liste->count(); ++i)
        noms << liste->itemText(i);
    return noms;
}

} // namespace

class TTest_tangente : public QObject {
    Q_OBJECT

    QTemporaryDir dossier_;
    essais::TDialogues_scriptes dialogues_;
    std::unique_ptr<TEditeur_figure> editeur_;
    std::unique_ptr<TForm4> form4_;
    std::unique_ptr<QWidget> autre_; // another window, to take the activation away

    void Activer(QWidget* fenetre)
    {
        fenetre->show();
        fenetre->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fenetre));
    }
    // The editor shows the figure and the dialog comes up on it, as the tangent button
    // opens it.
    void Ouvrir(const QByteArray& figure)
    {
        editeur_->ExecuteLigne(Texte_qt(figure.toStdString()));
        editeur_->Attendre_lecture();
        QVERIFY(form4_->Ouvrir());
        QVERIFY(QTest::qWaitForWindowActive(form4_.get()));
    }
    static bool Rouge(const QLabel* etiquette)
    {
        return etiquette->palette().color(QPalette::WindowText) == QColor(Qt::red);
    }

  private slots:
    void init()
    {
        QVERIFY(dossier_.isValid());
        QDir::setCurrent(dossier_.path());
        QFile::remove(fichier_figure_tangente);
        dialogues_ = {};
        editeur_ = std::make_unique<TEditeur_figure>();
        form4_ = std::make_unique<TForm4>(*editeur_, dialogues_);
        autre_ = std::make_unique<QWidget>();
    }
    void cleanup()
    {
        autre_.reset();
        form4_.reset();
        editeur_.reset();
    }

    // A fixed size, wide enough for the whole caption.
    void fenetre_fixe_sans_boutons_de_titre()
    {
        QCOMPARE(form4_->windowTitle(), Texte("Tangente \xE0 une courbe"));
        form4_->adjustSize();
        QCOMPARE(form4_->minimumSize(), form4_->maximumSize());
        QVERIFY(form4_->width() >=
                form4_->fontMetrics().horizontalAdvance(form4_->windowTitle()) + 100);
        QVERIFY(!(form4_->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(form4_->windowFlags() & Qt::WindowContextHelpButtonHint));
        QVERIFY(form4_->findChild<QComboBox*>("Repere")->isEditable());
        QVERIFY(form4_->findChild<QComboBox*>("Unite")->isEditable());
        QVERIFY(!form4_->findChild<QComboBox*>("Fonction")->isEditable());
        // "Unité :" is not covered by its list.
        const QRect etiquette = form4_->findChild<QLabel*>("Label4")->geometry();
        QVERIFY(!etiquette.intersects(form4_->findChild<QComboBox*>("Unite")->geometry()));
        QVERIFY(!etiquette.intersects(form4_->findChild<QComboBox*>("Repere")->geometry()));
    }

    // Shown again after the figure changed, the dialog lists the figure's names again and
    // resets its texts; back from another window on the same figure, what was typed stays.
    void listes_suivent_la_figure()
    {
        Ouvrir(figure_complete);
        auto* fonction = form4_->findChild<QComboBox*>("Fonction");
        auto* unite = form4_->findChild<QComboBox*>("Unite");
        auto* repere = form4_->findChild<QComboBox*>("Repere");
        auto* abscisse = form4_->findChild<QLineEdit*>("Abscisse");
        auto* chevrons = form4_->findChild<QLineEdit*>("Chevrons");
        QCOMPARE(Elements(fonction), QStringList({"f", "g"}));
        QCOMPARE(Elements(unite), QStringList({"Uoxy", "U"}));
        QCOMPARE(Elements(repere), QStringList({"Roxy", "R"}));
        QCOMPARE(unite->currentText(), QString("Uoxy"));
        QCOMPARE(repere->currentText(), QString("Roxy"));
        QCOMPARE(chevrons->text(), QString("1/7"));
        QCOMPARE(abscisse->text(), QString());

        abscisse->setText("2");
        unite->setEditText("U");
        Activer(autre_.get());
        Activer(form4_.get());
        QCOMPARE(abscisse->text(), QString("2"));
        QCOMPARE(unite->currentText(), QString("U"));

        chevrons->setText("1");
        Activer(autre_.get());
        editeur_->ExecuteLigne("h fonction t|->t^3\r");
        Activer(form4_.get());
        QCOMPARE(Elements(fonction), QStringList({"f", "g", "h"}));
        QCOMPARE(unite->currentText(), QString("Uoxy"));
        QCOMPARE(chevrons->text(), QString("1/7"));
        QCOMPARE(abscisse->text(), QString());
        QVERIFY(Lire_fichier(fichier_figure_tangente).find("h fonction t|->t^3\r\n") !=
                std::string::npos);
        QVERIFY(dialogues_.journal.isEmpty());
    }

    // With nothing to offer, the dialog says why instead of opening.
    void ouverture_refusee_data()
    {
        QTest::addColumn<QByteArray>("figure");
        QTest::addColumn<QString>("message");
        QTest::newRow("aucune_fonction")
            << Figure({"A point libre", "  Objet libre A, param\xE8tres: 0, 0"})
            << Texte("Tangente|La figure ne d\xE9"
                     "finit aucune fonction");
        QTest::newRow("figure_fautive")
            << Figure({"f fonction x|->x^2", "a = 1/0"})
            << Texte("Erreur Tangente|Ligne 7 de la figure : Division par z\xE9ro");
    }
    void ouverture_refusee()
    {
        QFETCH(QByteArray, figure);
        QFETCH(QString, message);
        editeur_->ExecuteLigne(Texte_qt(figure.toStdString()));
        QVERIFY(!form4_->Ouvrir());
        QVERIFY(!form4_->isVisible());
        QCOMPARE(dialogues_.journal.size(), 1);
        QVERIFY2(dialogues_.journal.front().startsWith(message),
                 qPrintable(dialogues_.journal.front()));
    }

    void etiquette_rouge_au_focus_data()
    {
        QTest::addColumn<QString>("controle");
        QTest::addColumn<QString>("etiquette");
        QTest::newRow("fonction") << "Fonction"
                                  << "Label1";
        QTest::newRow("abscisse") << "Abscisse"
                                  << "Label2";
        QTest::newRow("chevrons") << "Chevrons"
                                  << "Label3";
        QTest::newRow("unite") << "Unite"
                               << "Label4";
        QTest::newRow("repere") << "Repere"
                                << "Label5";
    }
    void etiquette_rouge_au_focus()
    {
        QFETCH(QString, controle);
        QFETCH(QString, etiquette);
        Ouvrir(figure_complete);
        auto* ok = form4_->findChild<QPushButton*>("Ok");
        ok->setFocus();
        const QColor normale = form4_->palette().color(QPalette::WindowText);
        form4_->findChild<QWidget*>(controle)->setFocus();
        for (const char* nom : {"Label1", "Label2", "Label3", "Label4", "Label5"})
            QCOMPARE(Rouge(form4_->findChild<QLabel*>(nom)), etiquette == nom);
        ok->setFocus();
        QCOMPARE(form4_->findChild<QLabel*>(etiquette)->palette().color(QPalette::WindowText),
                 normale);
    }

    // Tab runs Fonction, Abscisse, Chevrons, OK, Annuler; the frame and the unit are skipped.
    void ordre_de_tabulation()
    {
        Ouvrir(figure_complete);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("Fonction"));
        const QStringList attendus = {"Abscisse", "Chevrons", "Ok", "Annuler", "Fonction"};
        for (const QString& nom : attendus) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), nom);
        }
        QCOMPARE(form4_->findChild<QComboBox*>("Repere")->focusPolicy(), Qt::ClickFocus);
        QCOMPARE(form4_->findChild<QComboBox*>("Unite")->focusPolicy(), Qt::ClickFocus);
    }

    // The 31 lines go into the figure before its comment, and the drawing shows them.
    void ok_envoie_la_construction()
    {
        Ouvrir(figure_complete);
        const auto* vue = editeur_->findChild<TVue_figure*>();
        QVERIFY(vue->Scene().has_value());
        const std::size_t segments = vue->Scene()->segments.size();
        const std::size_t points = vue->Scene()->points.size();
        form4_->findChild<QComboBox*>("Fonction")->setCurrentText("f");
        form4_->findChild<QLineEdit*>("Abscisse")->setText("1");
        QTest::mouseClick(form4_->findChild<QPushButton*>("Ok"), Qt::LeftButton);
        editeur_->Attendre_lecture();

        QVERIFY(dialogues_.journal.isEmpty());
        QVERIFY(!form4_->isVisible());
        const QStringList lignes = editeur_->TexteFigure().split("\r\n");
        const qsizetype commentaire = lignes.indexOf("Commentaire");
        QVERIFY(commentaire > 32);
        QCOMPARE(lignes[commentaire - 1], QString());
        QCOMPARE(lignes[commentaire - 32], Texte("n point de coordonn\xE9"
                                                 "es (1,f(1)) dans le rep\xE8re Roxy"));
        QCOMPARE(lignes[commentaire - 30],
                 Texte("T droite passant par n et de coefficient directeur 2 (rep\xE8re Roxy)"));
        QCOMPARE(lignes[commentaire - 20],
                 Texte("r cercle de centre n1 et de rayon 1/7 (unit\xE9 Uoxy)"));
        QCOMPARE(lignes[commentaire - 2], QString("Segment [nn2]"));
        QCOMPARE(lignes[commentaire - 33], QString("g fonction x|->abs(x-1)+1"));
        QVERIFY(editeur_->Marques().empty());

        // The half-tangent [n n1] from (1, 1) to (2, 3) and five more segments are drawn, and
        // the fine marks of n1, n2 and n3 (the other points are not drawn).
        QVERIFY(vue->Scene().has_value());
        QCOMPARE(vue->Scene()->segments.size(), segments + 6);
        QCOMPARE(vue->Scene()->points.size(), points + 3);
        bool trouve = false;
        for (const TSegment_scene& s : vue->Scene()->segments)
            trouve = trouve || (std::fabs(s.a.x - 1) + std::fabs(s.a.y - 1) < 1e-12L &&
                                std::fabs(s.b.x - 2) + std::fabs(s.b.y - 3) < 1e-12L);
        QVERIFY(trouve);
    }

    void refus_signales_rien_envoye_data()
    {
        QTest::addColumn<QByteArray>("figure");
        QTest::addColumn<QString>("unite");
        QTest::addColumn<QString>("abscisse");
        QTest::addColumn<QString>("chevrons");
        QTest::addColumn<QString>("message");
        QTest::newRow("unite_inconnue") << figure_complete << "V"
                                        << "1"
                                        << "1/7"
                                        << Texte("L'unit\xE9 \xAB V \xBB n'est pas d\xE9"
                                                 "finie");
        QTest::newRow("abscisse_vide") << figure_complete << "Uoxy"
                                       << ""
                                       << "1/7"
                                       << "Abscisse du point de tangence : Expression vide";
        QTest::newRow("chevrons_vides") << figure_complete << "Uoxy"
                                        << "1"
                                        << ""
                                        << "Longueur des chevrons : Expression vide";
        QTest::newRow("expression_fausse")
            << figure_complete << "Uoxy"
            << "2*(1"
            << "1/7"
            << Texte("Abscisse du point de tangence : Error in formula. (formule \xAB 2*(1 \xBB)");
        QTest::newRow("division_par_zero") << figure_complete << "Uoxy"
                                           << "1"
                                           << "1/0" << Texte("Division par z\xE9ro");
    }
    void refus_signales_rien_envoye()
    {
        QFETCH(QByteArray, figure);
        QFETCH(QString, unite);
        QFETCH(QString, abscisse);
        QFETCH(QString, chevrons);
        QFETCH(QString, message);
        Ouvrir(figure);
        const QString avant = editeur_->TexteFigure();
        form4_->findChild<QComboBox*>("Unite")->setEditText(unite);
        form4_->findChild<QLineEdit*>("Abscisse")->setText(abscisse);
        form4_->findChild<QLineEdit*>("Chevrons")->setText(chevrons);
        QTest::mouseClick(form4_->findChild<QPushButton*>("Ok"), Qt::LeftButton);
        QCOMPARE(dialogues_.journal, QStringList{"Erreur Tangente|" + message});
        QCOMPARE(editeur_->TexteFigure(), avant);
        QVERIFY(form4_->isVisible());
        QCOMPARE(form4_->findChild<QLineEdit*>("Abscisse")->text(), abscisse);
    }

    // An unknown frame is refused as an unknown unit is: its lines would break the figure.
    void repere_inconnu_refuse()
    {
        Ouvrir(figure_complete);
        const QString avant = editeur_->TexteFigure();
        form4_->findChild<QComboBox*>("Repere")->setEditText("Rxx");
        form4_->findChild<QLineEdit*>("Abscisse")->setText("1");
        QTest::mouseClick(form4_->findChild<QPushButton*>("Ok"), Qt::LeftButton);
        QCOMPARE(dialogues_.journal,
                 QStringList{Texte("Erreur Tangente|Le rep\xE8re \xAB Rxx \xBB n'est pas d\xE9"
                                   "fini")});
        QCOMPARE(editeur_->TexteFigure(), avant);
        QVERIFY(form4_->isVisible());
        // A frame named after two points of the figure is one.
        dialogues_.journal.clear();
        form4_->findChild<QComboBox*>("Repere")->setEditText("AB");
        QTest::mouseClick(form4_->findChild<QPushButton*>("Ok"), Qt::LeftButton);
        QVERIFY2(dialogues_.journal.isEmpty(), qPrintable(dialogues_.journal.join('\n')));
        QVERIFY(editeur_->TexteFigure().contains(Texte("dans le rep\xE8re AB")));
    }

    void annuler_ferme_sans_envoyer()
    {
        Ouvrir(figure_complete);
        const QString avant = editeur_->TexteFigure();
        form4_->findChild<QLineEdit*>("Abscisse")->setText("1");
        QTest::mouseClick(form4_->findChild<QPushButton*>("Annuler"), Qt::LeftButton);
        QVERIFY(!form4_->isVisible());
        QCOMPARE(editeur_->TexteFigure(), avant);
        QVERIFY(dialogues_.journal.isEmpty());
    }

    // Regression: the return from the dialog's own message box counted as an activation and
    // wiped the texts the user had to correct.
    void message_garde_les_textes()
    {
        TDialogues_qt vraies;
        TForm4 form4(*editeur_, vraies);
        editeur_->ExecuteLigne(Texte_qt(figure_complete.toStdString()));
        Activer(&form4);
        auto* abscisse = form4.findChild<QLineEdit*>("Abscisse");
        abscisse->setText("1");
        form4.findChild<QComboBox*>("Unite")->setEditText("V");
        bool vue = false;
        QTimer::singleShot(50, [&] {
            QWidget* boite = QApplication::activeModalWidget();
            vue = qobject_cast<QMessageBox*>(boite) != nullptr;
            if (boite != nullptr)
                boite->close();
        });
        form4.OkClick();
        QVERIFY(vue);
        // A window manager gives the activation back by itself; this platform needs asking.
        form4.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form4));
        QCOMPARE(abscisse->text(), QString("1"));
        QCOMPARE(form4.findChild<QComboBox*>("Unite")->currentText(), QString("V"));
    }
};

QTEST_MAIN(TTest_tangente)
#include "test_tangente.moc"
