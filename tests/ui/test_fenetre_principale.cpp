// The main window driven as a user would: new figure, load, save, the questions before work
// could be lost, the LaTeX button, the keys, and the editor's marks, with every dialog
// answered by the test.

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

#include "ui/apercu_latex.h"
#include "ui/dialogues_scriptes.h"
#include "ui/editeur_figure.h"
#include "ui/fenetre_principale.h"
#include "ui/tangente.h"
#include "ui/vue_figure.h"

using namespace trazel;

namespace {

const QString question_sauvegarde =
    QStringLiteral("Sauvegarde|Enregistrer les modifications de la figure ?");
const QByteArray figure_enregistree =
    "Figure Figuro\r\nNum\xE9ro de version: 2\r\n\r\n"
    "Position de Roxy: Xmin: -5, Xmax: 5, Ymax: 5\r\n"
    "Objet dessinable Roxy, particularit\xE9s: rouge, dessin\xE9\r\n"
    "A point libre\r\n"
    "  Objet libre A, param\xE8tres: 1, 2\r\n"
    "  Objet dessinable A, particularit\xE9s: rouge\r\n"
    "\r\n"
    "Commentaire\r\n"
    "Une figure \xE0 moi.\r\n"
    "Fin de la figure\r\n";
// The same with a function, for the tangent dialog.
const QByteArray figure_avec_fonction =
    "Figure Figuro\r\nNum\xE9ro de version: 2\r\n\r\n"
    "Position de Roxy: Xmin: -5, Xmax: 5, Ymax: 5\r\n"
    "Objet dessinable Roxy, particularit\xE9s: rouge, dessin\xE9\r\n"
    "f fonction x|->x^2/2\r\n"
    "\r\nCommentaire\r\nFin de la figure\r\n";
const QByteArray png("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10", 20);

QByteArray Lire(const QString& chemin)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return "(illisible)";
    return fichier.readAll();
}

void Ecrire(const QString& chemin, const QByteArray& octets)
{
    QFile fichier(chemin);
    QVERIFY(fichier.open(QIODevice::WriteOnly));
    fichier.write(octets);
}

} // namespace

class TTest_fenetre_principale : public QObject {
    Q_OBJECT

    QTemporaryDir dossier_;
    essais::TDialogues_scriptes dialogues_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<TForm3> form3_;
    std::unique_ptr<TForm4> form4_;

    QString Chemin(const QString& nom) const { return dossier_.filePath(nom); }
    QPlainTextEdit* Texte() const { return form1_->Figure1->Zone_texte(); }
    void Taper(const QString& texte) { Texte()->setPlainText(texte); }
    // A figure file written, then loaded through the button and its chooser.
    void Charger(const QString& nom, const QByteArray& octets)
    {
        Ecrire(Chemin(nom), octets);
        dialogues_.fichiers = {Chemin(nom)};
        form1_->BtChargerClick();
    }
    // A keystroke in the text: the figure has changes that are not saved.
    void Modifier()
    {
        Texte()->moveCursor(QTextCursor::End);
        QTest::keyClick(Texte(), Qt::Key_X);
        QVERIFY(form1_->Figure_modifiee());
    }
    void Montrer()
    {
        form1_->show();
        form1_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form1_.get()));
    }
    QToolButton* Bouton(const char* nom) const { return form1_->findChild<QToolButton*>(nom); }

  private slots:
    // The dialog's parent is the main window: the forms go in the reverse order.
    void cleanup()
    {
        form4_.reset();
        form3_.reset();
        form2_.reset();
        form1_.reset();
    }

    void init()
    {
        QVERIFY(dossier_.isValid());
        QDir::setCurrent(dossier_.path());
        dialogues_ = {};
        form1_ = std::make_unique<TForm1>(dialogues_);
        form2_ = std::make_unique<TForm2>();
        form3_ = std::make_unique<TForm3>(dialogues_);
        form4_ = std::make_unique<TForm4>(*form1_->Figure1, dialogues_, form1_.get());
        form2_->separateur_decimal('.');
        form1_->Associer(*form2_, *form3_, *form4_);
        form3_->Associer(*form1_);
        form1_->FormCreate();
        dialogues_.journal.clear(); // the first-run settings question
    }

    void figure_intacte_sans_question()
    {
        form1_->BtNouv_FigClick();
        QVERIFY(dialogues_.journal.isEmpty());
        QCOMPARE(form1_->windowTitle(), QString("Trazel[*]"));
        QVERIFY(!form1_->isWindowModified());
        QVERIFY(form1_->NomFigure.isEmpty());
    }

    // Oui saves first (asking for a name), Non goes on without saving, Annuler keeps all.
    void nouvelle_figure_demande_sauvegarde()
    {
        form1_->Figure1->ExecuteLigne("B point libre\r  Objet libre B, param\xC3\xA8tres: 0, 0\r");
        const QString modifiee = form1_->Figure1->TexteFigure();
        form1_->BtNouv_FigClick(); // no answer: Annuler
        QCOMPARE(dialogues_.journal, QStringList{question_sauvegarde});
        QCOMPARE(form1_->Figure1->TexteFigure(), modifiee);
        dialogues_.choix = {TReponse::non};
        form1_->BtNouv_FigClick();
        QVERIFY(!form1_->Figure1->TexteFigure().contains("B point libre"));

        form1_->Figure1->ExecuteLigne("B point libre\r");
        dialogues_.journal.clear();
        dialogues_.choix = {TReponse::oui};
        dialogues_.fichiers = {Chemin("choisie")};
        form1_->BtNouv_FigClick();
        QCOMPARE(dialogues_.journal.size(), 2);
        QVERIFY(Lire(Chemin("choisie.fgr")).contains("B point libre\r\n"));
        QVERIFY(form1_->NomFigure.isEmpty()); // the new figure has no name yet
        // Oui, then the name is not given: nothing was saved, so the figure stays.
        form1_->Figure1->ExecuteLigne("C point libre\r");
        dialogues_.choix = {TReponse::oui};
        form1_->BtNouv_FigClick();
        QVERIFY(form1_->Figure1->TexteFigure().contains("C point libre"));
    }

    void charger_demande_sauvegarde_avant_le_choix()
    {
        Charger("f.fgr", figure_enregistree);
        Modifier();
        const QString modifiee = form1_->Figure1->TexteFigure();
        dialogues_.journal.clear();
        dialogues_.fichiers = {Chemin("f.fgr")};
        form1_->BtChargerClick(); // Annuler: no chooser, nothing reloaded
        QCOMPARE(dialogues_.journal, QStringList{question_sauvegarde});
        QCOMPARE(form1_->Figure1->TexteFigure(), modifiee);
        dialogues_.choix = {TReponse::non};
        form1_->BtChargerClick();
        QVERIFY(!form1_->Figure_modifiee());
        QCOMPARE(Lire(Chemin("f.fgr")), figure_enregistree);
    }

    // Closing with unsaved changes asks; Annuler keeps the window and the change.
    void fermeture_demande_sauvegarde()
    {
        Charger("f.fgr", figure_avec_fonction);
        Montrer();
        Modifier();
        dialogues_.journal.clear();
        QVERIFY(!form1_->close());
        QCOMPARE(dialogues_.journal, QStringList{question_sauvegarde});
        QVERIFY(form1_->isVisible());
        QVERIFY(form1_->Figure_modifiee());
        // Oui saves over the loaded file, then the window closes.
        dialogues_.choix = {TReponse::oui};
        QVERIFY(form1_->close());
        QVERIFY(Lire(Chemin("f.fgr")).contains("Fin de la figurex\r\n"));
    }

    // The preview and the tangent dialog do not outlive the main window.
    void fermeture_ferme_les_autres_fenetres()
    {
        Charger("f.fgr", figure_avec_fonction);
        Montrer();
        form1_->TangenteClick();
        QVERIFY(form4_->isVisible());
        form3_->show();
        QVERIFY(form1_->close());                // unchanged: no question
        QVERIFY(dialogues_.journal.size() == 1); // the chooser only
        QVERIFY(!form3_->isVisible());
        QVERIFY(!form4_->isVisible());
    }

    void charger_puis_sauver_a_l_identique()
    {
        Charger("f.fgr", figure_enregistree);
        QCOMPARE(form1_->NomFigure, Chemin("f.fgr"));
        QCOMPARE(form1_->windowTitle(), QString("Trazel : f.fgr[*]"));
        QVERIFY(!form1_->isWindowModified());
        QVERIFY(dialogues_.journal.last().startsWith("fichier Fichiers Figuro (*.fgr"));
        QCOMPARE(form1_->statusBar()->currentMessage(),
                 QString("Figure charg\u00e9e : ") + Chemin("f.fgr"));
        form1_->BtSauverClick();
        QCOMPARE(Lire(Chemin("f.fgr")), figure_enregistree);
        // Unchanged since it was loaded: a new figure asks nothing.
        dialogues_.journal.clear();
        form1_->BtNouv_FigClick();
        QVERIFY(dialogues_.journal.isEmpty());
    }

    // The caption carries the file's name and, while there are unsaved changes, a mark.
    void titre_nomme_la_figure_et_ses_changements()
    {
        Charger("f.fgr", figure_enregistree);
        QVERIFY(!form1_->isWindowModified());
        Modifier();
        QVERIFY(form1_->isWindowModified());
        QTest::keyClick(Texte(), Qt::Key_Backspace); // back to the saved text
        QVERIFY(!form1_->isWindowModified());
        Modifier();
        form1_->BtSauverClick();
        QVERIFY(!form1_->isWindowModified());
    }

    void extension_fgr()
    {
        struct Cas {
            const char* choisi;
            const char* enregistre;
        };
        for (const Cas& c : {Cas{"sans", "sans.fgr"}, Cas{"deja.fgr", "deja.fgr"},
                             Cas{"majuscules.FGR", "majuscules.FGR.fgr"}}) {
            form1_->BtNouv_FigClick();
            dialogues_.fichiers = {Chemin(c.choisi)};
            form1_->BtSauverClick();
            QCOMPARE(form1_->NomFigure, Chemin(c.enregistre));
            QVERIFY(QFile::exists(Chemin(c.enregistre)));
        }
        // A loaded file goes back to its own path, whatever its extension.
        Charger("autre.txt", figure_enregistree);
        form1_->BtSauverClick();
        QCOMPARE(form1_->NomFigure, Chemin("autre.txt"));
        QVERIFY(!QFile::exists(Chemin("autre.txt.fgr")));
    }

    // The chooser did not see the name with ".fgr" added: replacing that file is asked.
    void extension_ajoutee_sur_un_fichier_existant()
    {
        Ecrire(Chemin("existe.fgr"), "ancien");
        dialogues_.fichiers = {Chemin("existe")};
        form1_->BtSauverClick(); // No to the question
        QCOMPARE(Lire(Chemin("existe.fgr")), QByteArray("ancien"));
        QVERIFY(form1_->NomFigure.isEmpty());
        QVERIFY(dialogues_.journal.last().contains("existe d\u00e9j\u00e0"));
        dialogues_.fichiers = {Chemin("existe")};
        dialogues_.reponses = {true};
        form1_->BtSauverClick();
        QVERIFY(Lire(Chemin("existe.fgr")).startsWith("Figure Figuro\r\n"));
    }

    void enregistrer_sous_un_autre_nom()
    {
        Charger("f.fgr", figure_enregistree);
        Modifier();
        dialogues_.fichiers = {Chemin("copie.fgr")};
        form1_->BtEnregistrer_sousClick();
        QCOMPARE(dialogues_.propositions.last(), Chemin("f.fgr"));
        QCOMPARE(form1_->NomFigure, Chemin("copie.fgr"));
        QCOMPARE(form1_->windowTitle(), QString("Trazel : copie.fgr[*]"));
        QVERIFY(!form1_->isWindowModified());
        QCOMPARE(Lire(Chemin("f.fgr")), figure_enregistree);
        QVERIFY(Lire(Chemin("copie.fgr")).contains("Fin de la figurex"));
        // Cancelled: nothing changes.
        form1_->BtEnregistrer_sousClick();
        QCOMPARE(form1_->NomFigure, Chemin("copie.fgr"));
    }

    // A failed save says so in a box naming the file and the reason; the figure stays
    // unsaved.
    void echec_de_sauvegarde_signale()
    {
        Modifier();
        dialogues_.fichiers = {Chemin("absent/f.fgr")};
        QVERIFY(!form1_->EnregistrerFigure());
        QVERIFY(form1_->NomFigure.isEmpty());
        QVERIFY(form1_->Figure_modifiee());
        QVERIFY2(dialogues_.journal.last().startsWith("Erreur Sauvegarde|"),
                 qPrintable(dialogues_.journal.last()));
        QVERIFY2(dialogues_.journal.last().contains(Chemin("absent/f.fgr")),
                 qPrintable(dialogues_.journal.last()));
        // Closing after it still asks.
        dialogues_.journal.clear();
        QVERIFY(!form1_->close());
        QCOMPARE(dialogues_.journal, QStringList{question_sauvegarde});
    }

    void trois_espaces_en_deviennent_deux()
    {
        Taper("Figure Figuro\nL1\n   trois\n  deux\n    quatre\nFin de la figure");
        form1_->CopierTexteFigure(Chemin("t.fgr"));
        QCOMPARE(Lire(Chemin("t.fgr")),
                 QByteArray("Figure Figuro\r\nL1\r\n  trois\r\n  deux\r\n   quatre\r\n"
                            "Fin de la figure\r\n"));
    }

    // A file that is not a figure is refused with its reason; the figure open stays, and no
    // later save writes over the refused file.
    void fichier_qui_n_est_pas_une_figure_refuse_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QString>("raison");
        QTest::addRow("image_png") << png << "ce fichier n'est pas un texte";
        QTest::addRow("lettre") << QByteArray(
                                       "Cher coll\xE8gue,\r\nvoici.\r\n\r\nBien \xE0 vous\r\n")
                                << "ce fichier n'est pas une figure";
    }
    void fichier_qui_n_est_pas_une_figure_refuse()
    {
        QFETCH(QByteArray, octets);
        QFETCH(QString, raison);
        Charger("f.fgr", figure_enregistree);
        Modifier();
        const QString avant = form1_->Figure1->TexteFigure();
        dialogues_.journal.clear();
        dialogues_.choix = {TReponse::non};
        Charger("image.png", octets);
        QCOMPARE(dialogues_.journal.size(), 3); // the question, the chooser, the refusal
        QVERIFY2(dialogues_.journal[2].startsWith("Erreur Chargement|"),
                 qPrintable(dialogues_.journal[2]));
        QVERIFY(dialogues_.journal[2].contains(Chemin("image.png") + " : " + raison));
        QCOMPARE(form1_->Figure1->TexteFigure(), avant);
        QCOMPARE(form1_->NomFigure, Chemin("f.fgr"));
        QCOMPARE(form1_->windowTitle(), QString("Trazel : f.fgr[*]"));
        form1_->BtSauverClick();
        QCOMPARE(Lire(Chemin("image.png")), octets);
        QVERIFY(Lire(Chemin("f.fgr")).contains("Fin de la figurex"));
    }

    // A big binary file is refused by its first control byte, before any drawing.
    void gros_fichier_binaire_refuse_sans_lecture()
    {
        QByteArray octets(20 << 20, 'a');
        octets[100] = '\0';
        Charger("gros.fgr", octets);
        QVERIFY(dialogues_.journal.last().startsWith("Erreur Chargement|"));
        QVERIFY(form1_->NomFigure.isEmpty());
        QVERIFY(!form1_->Figure1->Lecture_en_cours());
    }

    void chargement_illisible_ne_change_rien()
    {
        form1_->Figure1->ExecuteLigne("C point libre\r");
        const QString avant = form1_->Figure1->TexteFigure();
        dialogues_.choix = {TReponse::non};
        dialogues_.fichiers = {Chemin("absente.fgr")};
        form1_->BtChargerClick();
        QVERIFY(dialogues_.journal.last().startsWith("Erreur Chargement|"));
        QVERIFY(dialogues_.journal.last().contains(Chemin("absente.fgr")));
        QCOMPARE(form1_->Figure1->TexteFigure(), avant);
        QVERIFY(form1_->NomFigure.isEmpty());
        form1_->BtSauverClick(); // asks for a name: the queue is empty, so it is cancelled
        QVERIFY(!QFile::exists(Chemin("absente.fgr")));
    }

    // A status message goes with the next operation.
    void message_d_etat_remplace()
    {
        Charger("f.fgr", figure_enregistree);
        QVERIFY(!form1_->statusBar()->currentMessage().isEmpty());
        Charger("image.png", png);
        QVERIFY(form1_->statusBar()->currentMessage().isEmpty());
        form1_->BtSauverClick();
        QCOMPARE(form1_->statusBar()->currentMessage(),
                 QString("Figure enregistr\u00e9e : ") + Chemin("f.fgr"));
        form1_->TangenteClick();
        QVERIFY(form1_->statusBar()->currentMessage().isEmpty());
    }

    void latex_sans_figure_enregistree()
    {
        form1_->Hauteur->setText("2*6");
        form1_->Largeur->setText("15/2");
        form1_->Compil_TrazelClick();
        QCOMPARE(dialogues_.journal,
                 QStringList{QStringLiteral("Création d'un fichier LaTeX|Enregistrez "
                                            "d'abord la figure")});
        QCOMPARE(static_cast<double>(form1_->hauteur_cadre), 12.0);
        QCOMPARE(static_cast<double>(form1_->largeur_cadre), 7.5);
        QVERIFY(!form3_->isVisible());
    }

    void latex_transcrit_et_montre()
    {
        Charger("f.fgr", figure_enregistree);
        form1_->Compil_TrazelClick();
        QVERIFY(dialogues_.journal.size() == 1); // the file chooser only
        QVERIFY(QFile::exists(Chemin("f.crb")));
        QCOMPARE(form3_->windowTitle(), Chemin("f.crb"));
        QVERIFY(form3_->RichEdit1->toPlainText().startsWith(
            QString::fromUtf8("% Unit\xC3\xA9s Latex\n")));
        QVERIFY(form3_->RichEdit1->toPlainText().contains("\\pscircle*[fillcolor=red"));
        // A frame size that is not a number: the failure's message, captioned.
        form1_->Hauteur->setText("dix");
        form1_->Compil_TrazelClick();
        QVERIFY(dialogues_.journal.last().startsWith(
            QStringLiteral("Erreur Création d'un fichier LaTeX|")));
    }

    // The picture is made from the saved file: unsaved changes are offered a save first.
    void latex_propose_d_enregistrer_les_changements()
    {
        QFile::remove(Chemin("f.crb"));
        Charger("f.fgr", figure_enregistree);
        Texte()->moveCursor(QTextCursor::Start);
        form1_->Figure1->ExecuteLigne("Z point libre\r  Objet libre Z, param\xC3\xA8tres: 3, 3\r");
        form1_->Compil_TrazelClick(); // Annuler
        QVERIFY(
            dialogues_.journal.last().startsWith(QStringLiteral("Création d'un fichier LaTeX|")));
        QVERIFY(!QFile::exists(Chemin("f.crb")));
        dialogues_.choix = {TReponse::non}; // the old file
        form1_->Compil_TrazelClick();
        QVERIFY(!form3_->RichEdit1->toPlainText().contains("Point Z"));
        dialogues_.choix = {TReponse::oui};
        form1_->Compil_TrazelClick();
        QVERIFY(form3_->RichEdit1->toPlainText().contains("Point Z"));
        QVERIFY(!form1_->Figure_modifiee());
    }

    void tangente_sans_fonction_le_dit()
    {
        form1_->TangenteClick();
        QCOMPARE(dialogues_.journal.size(), 1);
        QVERIFY2(
            dialogues_.journal[0].startsWith("Tangente|La figure ne d\u00e9finit aucune fonction"),
            qPrintable(dialogues_.journal[0]));
        QVERIFY(!form4_->isVisible());
    }

    void lignes_executees_avant_le_commentaire()
    {
        form1_->Figure1->ExecuteLigne("A point libre\r  Objet libre A, param\xC3\xA8tres: 1, 2\r");
        form1_->Figure1->Attendre_lecture();
        const QStringList lignes = form1_->Figure1->TexteFigure().split("\r\n");
        QCOMPARE(
            lignes.mid(2, 6),
            (QStringList{"", "Position de Roxy: Xmin: -5, Xmax: 5, Ymax: 5",
                         QString::fromUtf8(
                             "Objet dessinable Roxy, particularit\xC3\xA9s: rouge, dessin\xC3\xA9"),
                         "A point libre",
                         QString::fromUtf8("  Objet libre A, param\xC3\xA8tres: 1, 2"), ""}));
        QCOMPARE(lignes.last(), QString("Fin de la figure"));
        QVERIFY(form1_->Figure1->Marques().empty());
    }

    void lignes_ignorees_marquees()
    {
        form1_->Figure1->ExecuteLigne("X truc\rY point libre\r");
        form1_->Figure1->Attendre_lecture();
        const auto& marques = form1_->Figure1->Marques();
        QCOMPARE(marques.size(), std::size_t{2});
        QCOMPARE(marques[0].ligne, 6);
        QVERIFY(!marques[0].erreur);
        QVERIFY(marques[1].erreur); // the free point's parameter line is missing
        QCOMPARE(marques[1].ligne, 8);
    }

    // Hovering a marked line shows its reason; the list of marks goes to the line clicked.
    void raison_des_marques_lisible()
    {
        Montrer();
        form1_->Figure1->ExecuteLigne(
            "X truc\rA point libre\r  Objet libre A, param\xC3\xA8tres: 1, 2\r");
        form1_->Figure1->Attendre_lecture();
        auto* zone = Texte();
        const QPoint sur_la_ligne =
            zone->cursorRect(QTextCursor(zone->document()->findBlockByNumber(5))).center();
        QHelpEvent survol(QEvent::ToolTip, sur_la_ligne,
                          zone->viewport()->mapToGlobal(sur_la_ligne));
        QApplication::sendEvent(zone->viewport(), &survol);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), form1_->Figure1->Marques().front().raison);
        QVERIFY(!QToolTip::text().isEmpty());
        // Over a sound line, no tip.
        const QPoint ailleurs =
            zone->cursorRect(QTextCursor(zone->document()->findBlockByNumber(6))).center();
        QHelpEvent autre(QEvent::ToolTip, ailleurs, zone->viewport()->mapToGlobal(ailleurs));
        QApplication::sendEvent(zone->viewport(), &autre);
        QTRY_VERIFY(!QToolTip::isVisible());

        QListWidget* liste = form1_->Figure1->Liste_marques();
        QVERIFY(liste->isVisible());
        QCOMPARE(liste->count(), 1);
        QVERIFY(liste->item(0)->text().startsWith("Ligne 6 : "));
        zone->moveCursor(QTextCursor::End);
        const QRect element = liste->visualItemRect(liste->item(0));
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, element.center());
        QCOMPARE(zone->textCursor().blockNumber(), 5);
        QVERIFY(zone->hasFocus());
        // Mended, the list goes away.
        Taper(form1_->Figure1->TexteFigure().remove("X truc\r\n"));
        form1_->Figure1->Attendre_lecture();
        QVERIFY(!liste->isVisible());
    }

    // A line being typed does not blank the drawing: the last one stays, greyed, and only
    // the line at fault is marked.
    void dessin_garde_pendant_la_frappe()
    {
        Charger("f.fgr", figure_enregistree);
        form1_->Figure1->Attendre_lecture();
        const std::size_t points = form1_->Figure1->Vue()->Scene()->points.size();
        QVERIFY(points > 0);
        Texte()->moveCursor(QTextCursor::Start);
        for (int i = 0; i < 8; ++i)
            Texte()->moveCursor(QTextCursor::Down);
        QTest::keyClicks(Texte(), "P point de coordonn");
        Texte()->insertPlainText("\u00e9"); // keyClicks types ASCII only
        QTest::keyClicks(Texte(), "es (1/");
        QTest::keyClick(Texte(), Qt::Key_Return);
        form1_->Figure1->Attendre_lecture();
        const TVue_figure* vue = form1_->Figure1->Vue();
        QVERIFY(vue->Perime());
        QVERIFY(vue->Note().contains("ligne 9"));
        QCOMPARE(vue->Scene()->points.size(), points);
        const auto& marques = form1_->Figure1->Marques();
        QCOMPARE(marques.size(), std::size_t{1});
        QCOMPARE(marques[0].ligne, 9);
        QVERIFY(!marques[0].raison.contains(QString::fromUtf8("\xC2\xAB  \xC2\xBB")));
        // Finished, the line reads and the drawing is current again.
        QTest::keyClick(Texte(), Qt::Key_Backspace);
        QTest::keyClicks(Texte(), "2, 3) dans le rep");
        Texte()->insertPlainText("\u00e8");
        QTest::keyClicks(Texte(), "re Roxy");
        form1_->Figure1->Attendre_lecture();
        QVERIFY(!vue->Perime());
        QCOMPARE(vue->Scene()->points.size(), points + 1);
    }

    // A fault in a function's body is marked on the body's line, and on the line that used it.
    void fonction_fautive_marquee_a_sa_ligne()
    {
        form1_->Figure1->ExecuteLigne(
            "f fonction x|->2*-3x\rA point libre\r  Objet libre A, param\xC3\xA8tres: 1, 2\r"
            "E point de coordonn\xC3\xA9"
            "es (1,f(2)) dans le rep\xC3\xA8re Roxy\r");
        form1_->Figure1->Attendre_lecture();
        const auto& marques = form1_->Figure1->Marques();
        QCOMPARE(marques.size(), std::size_t{2});
        QCOMPARE(marques[0].ligne, 6);
        QVERIFY(marques[0].erreur);
        QVERIFY2(marques[0].raison.contains(QString::fromUtf8("formule \xC2\xAB 2*-3x \xC2\xBB")),
                 qPrintable(marques[0].raison));
        QCOMPARE(marques[1].ligne, 9);
        QVERIFY(marques[1].raison.startsWith("utilise la ligne 6"));
    }

    // A fault met while drawing (here a graph of a function never defined) marks the line of
    // the object that holds it, as a fault met while reading does.
    void faute_du_dessin_marquee()
    {
        form1_->Figure1->ExecuteLigne(QString::fromUtf8(
            "Cg graphe de g sur [-5, 5] dans le rep\xC3\xA8re Roxy (10 points)\r"));
        form1_->Figure1->Attendre_lecture();
        const auto& marques = form1_->Figure1->Marques();
        QCOMPARE(marques.size(), std::size_t{1});
        QVERIFY(marques[0].erreur);
        QCOMPARE(marques[0].ligne, 6); // the first line after the frame's
        QVERIFY2(marques[0].raison.contains(
                     QString::fromUtf8("graphe de la fonction \xC2\xAB g \xC2\xBB")),
                 qPrintable(marques[0].raison));
    }

    // A window without surface is the fault of the line that makes it flat: the range.
    void fenetre_sans_surface_marquee()
    {
        Taper(QString::fromUtf8(
            "Figure Figuro\nNum\xC3\xA9ro de version: 2\n\n"
            "Position de Roxy: Xmin: 3, Xmax: 3, Ymax: 5\n"
            "Objet dessinable Roxy, particularit\xC3\xA9s: rouge, dessin\xC3\xA9\n"
            "\nCommentaire\nFin de la figure\n"));
        form1_->Figure1->Relire();
        const auto& marques = form1_->Figure1->Marques();
        QCOMPARE(marques.size(), std::size_t{1});
        QVERIFY(marques[0].erreur);
        QCOMPARE(marques[0].ligne, 4);
        QVERIFY2(marques[0].raison.contains("pas de surface"), qPrintable(marques[0].raison));
    }

    // The figure is read off the interface thread: a figure of twenty loci is still being
    // read when its text is in place.
    void lecture_hors_de_l_interface()
    {
        QFile lieux(QString(TRAZEL_SOURCE_DIR) + "/bench/figures/b_lieux.fgr");
        QVERIFY(lieux.open(QIODevice::ReadOnly));
        QString texte;
        for (QByteArray ligne : lieux.readAll().split('\n')) {
            ligne.replace('\r', "");
            texte += Texte_qt(ligne.toStdString()) + '\r';
        }
        QSignalSpy relue(form1_->Figure1, &TEditeur_figure::Figure_relue);
        form1_->Figure1->ExecuteLigne(texte);
        QVERIFY(form1_->Figure1->TexteFigure().contains("lieu du point"));
        QVERIFY(form1_->Figure1->Lecture_en_cours());
        QCOMPARE(relue.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(relue.count(), 1, 20000);
        QVERIFY(form1_->Figure1->Marques().empty());
        QCOMPARE(form1_->Figure1->Vue()->Scene()->courbes.size(), std::size_t{20});
    }

    // Every operation has its key, shown in its button's tip.
    void raccourcis_clavier()
    {
        Montrer();
        QVERIFY(Bouton("BtNouv_Fig")->toolTip().endsWith("(Ctrl+N)"));
        QVERIFY(Bouton("BtEnregistrer_sous")->toolTip().startsWith("Enregistrer sous ("));
        Modifier();
        QTest::keyClick(form1_.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(dialogues_.journal.last(), question_sauvegarde);
        dialogues_.journal.clear();
        QTest::keyClick(form1_.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(form1_.get(), Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(form1_.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(dialogues_.journal,
                 (QStringList{"fichier Fichiers Figuro (*.fgr *.FGR)",
                              "fichier Fichiers Figuro (*.fgr *.FGR)", question_sauvegarde}));
        QTest::keyClick(form1_.get(), Qt::Key_F1);
        auto* guide = form1_->findChild<QTextBrowser*>("Guide");
        QVERIFY(guide != nullptr);
        QTRY_VERIFY(guide->isVisible());
        QVERIFY(guide->toPlainText().contains("Trazel"));
    }

    // Tab leaves the text; a tab pasted becomes the two spaces of an indentation.
    void tabulation_hors_du_texte()
    {
        Montrer();
        form1_->Figure1->Activer();
        QVERIFY(Texte()->hasFocus());
        const QString avant = form1_->Figure1->TexteFigure();
        QTest::keyClick(Texte(), Qt::Key_Tab);
        QVERIFY(!Texte()->hasFocus());
        QCOMPARE(form1_->Figure1->TexteFigure(), avant);
        Texte()->moveCursor(QTextCursor::Start);
        QApplication::clipboard()->setText(
            "A point libre\n\tObjet libre A, param\u00e8tres: 1, 2\n");
        Texte()->paste();
        QVERIFY(!form1_->Figure1->TexteFigure().contains('\t'));
        QVERIFY(form1_->Figure1->TexteFigure().contains("\r\n  Objet libre A"));
    }

    // The drawing writes a point's name as the picture does ($R_{12}a''$).
    void noms_ecrits_comme_dans_l_image()
    {
        const std::vector<TMorceau_nom> morceaux = Morceaux_du_nom("R12a\"");
        QCOMPARE(morceaux.size(), std::size_t{3});
        QCOMPARE(morceaux[0].texte, QString("R"));
        QVERIFY(!morceaux[0].indice);
        QCOMPARE(morceaux[1].texte, QString("12"));
        QVERIFY(morceaux[1].indice);
        QCOMPARE(morceaux[2].texte, QString("a\u2033"));
        QVERIFY(!morceaux[2].indice);
    }

    // The split between the text and the drawing is kept from one session to the next.
    void separation_gardee()
    {
        auto* separation = form1_->Figure1->findChild<QSplitter*>("Separation");
        form1_->show();
        separation->setSizes({600, 300});
        const QList<int> tailles = separation->sizes();
        cleanup();
        init();
        form1_->show();
        QCOMPARE(form1_->Figure1->findChild<QSplitter*>("Separation")->sizes(), tailles);
    }
};

QTEST_MAIN(TTest_fenetre_principale)
#include "test_fenetre_principale.moc"
