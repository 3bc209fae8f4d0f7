// The main window driven as a user would: new figure, load, save, the change check, the
// LaTeX button, with every dialog answered by the test.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/apercu_latex.h"
#include "ui/dialogues_scriptes.h"
#include "ui/editeur_figure.h"
#include "ui/fenetre_principale.h"
#include "ui/tangente.h"

using namespace trazel;

namespace {

const QString sauvegarde = QString::fromUtf8("Sauvegarde|Voulez-vous enregistrer la figure ?");
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
    void Taper(const QString& texte)
    {
        form1_->Figure1->Zone_texte()->setPlainText(texte);
    }

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
        QCOMPARE(form1_->windowTitle(), QString("Trazel"));
        QVERIFY(form1_->NomFigure.isEmpty());
    }

    void figure_modifiee_demande_sauvegarde()
    {
        form1_->Figure1->ExecuteLigne("B point libre\r  Objet libre B, param\xC3\xA8tres: 0, 0\r");
        dialogues_.reponses = {false};
        form1_->BtNouv_FigClick();
        QCOMPARE(dialogues_.journal, QStringList{sauvegarde});
        QVERIFY(!form1_->Figure1->TexteFigure().contains("B point libre"));
        // Yes saves first, asking for a name; a cancelled name saves nothing.
        form1_->Figure1->ExecuteLigne("B point libre\r");
        dialogues_.journal.clear();
        dialogues_.reponses = {true};
        dialogues_.fichiers = {Chemin("choisie")};
        form1_->BtNouv_FigClick();
        QCOMPARE(dialogues_.journal.size(), 2);
        QVERIFY(Lire(Chemin("choisie.fgr")).contains("B point libre\r\n"));
    }

    void charger_puis_sauver_a_l_identique()
    {
        Ecrire(Chemin("f.fgr"), figure_enregistree);
        dialogues_.fichiers = {Chemin("f.fgr")};
        form1_->BtChargerClick();
        QCOMPARE(form1_->NomFigure, Chemin("f.fgr"));
        QCOMPARE(form1_->windowTitle(), "Trazel : " + Chemin("f.fgr"));
        QVERIFY(dialogues_.journal.last().startsWith("fichier Fichiers Figuro (*.fgr"));
        form1_->BtSauverClick();
        QCOMPARE(Lire(Chemin("f.fgr")), figure_enregistree);
        // Unchanged since it was loaded: a new figure asks nothing.
        dialogues_.journal.clear();
        form1_->BtNouv_FigClick();
        QVERIFY(dialogues_.journal.isEmpty());
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
        Ecrire(Chemin("autre.txt"), figure_enregistree);
        dialogues_.fichiers = {Chemin("autre.txt")};
        form1_->BtChargerClick();
        form1_->BtSauverClick();
        QCOMPARE(form1_->NomFigure, Chemin("autre.txt"));
        QVERIFY(!QFile::exists(Chemin("autre.txt.fgr")));
    }

    void trois_espaces_en_deviennent_deux()
    {
        Taper("Figure Figuro\nL1\n   trois\n  deux\n    quatre\nFin de la figure");
        form1_->CopierTexteFigure(Chemin("t.fgr"));
        QCOMPARE(Lire(Chemin("t.fgr")),
                 QByteArray("Figure Figuro\r\nL1\r\n  trois\r\n  deux\r\n   quatre\r\n"
                            "Fin de la figure\r\n"));
    }

    void latex_sans_figure_enregistree()
    {
        form1_->Hauteur->setText("2*6");
        form1_->Largeur->setText("15/2");
        form1_->Compil_TrazelClick();
        QCOMPARE(dialogues_.journal,
                 QStringList{QString::fromUtf8("Cr\xC3\xA9" "ation d'un fichier LaTeX|Enregistrez "
                                               "d'abord la figure")});
        QCOMPARE(static_cast<double>(form1_->hauteur_cadre), 12.0);
        QCOMPARE(static_cast<double>(form1_->largeur_cadre), 7.5);
        QVERIFY(!form3_->isVisible());
    }

    void latex_transcrit_et_montre()
    {
        Ecrire(Chemin("f.fgr"), figure_enregistree);
        dialogues_.fichiers = {Chemin("f.fgr")};
        form1_->BtChargerClick();
        form1_->Compil_TrazelClick();
        QVERIFY(dialogues_.journal.size() == 1); // the file chooser only
        QVERIFY(QFile::exists(Chemin("f.crb")));
        QCOMPARE(form3_->windowTitle(), Chemin("f.crb"));
        QVERIFY(form3_->RichEdit1->toPlainText().startsWith(QString::fromUtf8("% Unit\xC3\xA9s Latex\n")));
        QVERIFY(form3_->RichEdit1->toPlainText().contains("\\pscircle*[fillcolor=red"));
        // A frame size that is not a number: the failure's message, captioned.
        form1_->Hauteur->setText("dix");
        form1_->Compil_TrazelClick();
        QVERIFY(dialogues_.journal.last().startsWith(
            QString::fromUtf8("Erreur Cr\xC3\xA9" "ation d'un fichier LaTeX|")));
    }

    // A file that cannot be read changes nothing, so no later save writes over it.
    void chargement_illisible_ne_change_rien()
    {
        form1_->Figure1->ExecuteLigne("C point libre\r");
        const QString avant = form1_->Figure1->TexteFigure();
        dialogues_.reponses = {false};
        dialogues_.fichiers = {Chemin("absente.fgr")};
        form1_->BtChargerClick();
        QCOMPARE(form1_->Figure1->TexteFigure(), avant);
        QVERIFY(form1_->NomFigure.isEmpty());
        QCOMPARE(form1_->windowTitle(), QString("Trazel"));
        form1_->BtSauverClick(); // asks for a name: the queue is empty, so it is cancelled
        QVERIFY(!QFile::exists(Chemin("absente.fgr")));
    }

    void lignes_executees_avant_le_commentaire()
    {
        form1_->Figure1->ExecuteLigne("A point libre\r  Objet libre A, param\xC3\xA8tres: 1, 2\r");
        const QStringList lignes = form1_->Figure1->TexteFigure().split("\r\n");
        QCOMPARE(lignes.mid(2, 6),
                 (QStringList{"", "Position de Roxy: Xmin: -5, Xmax: 5, Ymax: 5",
                              QString::fromUtf8("Objet dessinable Roxy, particularit\xC3\xA9s: rouge, dessin\xC3\xA9"),
                              "A point libre", QString::fromUtf8("  Objet libre A, param\xC3\xA8tres: 1, 2"),
                              ""}));
        QCOMPARE(lignes.last(), QString("Fin de la figure"));
        QVERIFY(form1_->Figure1->Marques().empty());
    }

    void lignes_ignorees_marquees()
    {
        form1_->Figure1->ExecuteLigne("X truc\rY point libre\r");
        const auto& marques = form1_->Figure1->Marques();
        QCOMPARE(marques.size(), std::size_t{2});
        QVERIFY(marques[0].erreur); // the free point's parameter line is missing
        QCOMPARE(marques[0].ligne, 8);
        QCOMPARE(marques[1].ligne, 6);
        QVERIFY(!marques[1].erreur);
    }

    // A fault met while drawing (here a graph of a function never defined) marks the line of
    // the object that holds it, as a fault met while reading does.
    void faute_du_dessin_marquee()
    {
        form1_->Figure1->ExecuteLigne(QString::fromUtf8(
            "Cg graphe de g sur [-5, 5] dans le rep\xC3\xA8re Roxy (10 points)\r"));
        const auto& marques = form1_->Figure1->Marques();
        QCOMPARE(marques.size(), std::size_t{1});
        QVERIFY(marques[0].erreur);
        QCOMPARE(marques[0].ligne, 6); // the first line after the frame's
        QVERIFY2(marques[0].raison.contains(QString::fromUtf8("graphe de la fonction \xC2\xAB g \xC2\xBB")),
                 qPrintable(marques[0].raison));
    }

    // A window without surface is the fault of the line that makes it flat: the range.
    void fenetre_sans_surface_marquee()
    {
        Taper(QString::fromUtf8("Figure Figuro\nNum\xC3\xA9ro de version: 2\n\n"
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
};

QTEST_MAIN(TTest_fenetre_principale)
#include "test_fenetre_principale.moc"
