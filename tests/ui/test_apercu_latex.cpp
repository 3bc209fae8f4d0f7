// The preview window: saving its text, the viewer button, and compiling with the real
// latex, dvips and ghostscript.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/apercu_latex.h"
#include "ui/dialogues_scriptes.h"
#include "ui/fenetre_principale.h"
#include "ui/processus.h"

using namespace trazel;

namespace {

QByteArray Lire(const QString& chemin)
{
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray("(illisible)");
}

void Ecrire(const QString& chemin, const QByteArray& octets)
{
    QFile fichier(chemin);
    QVERIFY(fichier.open(QIODevice::WriteOnly));
    fichier.write(octets);
}

QByteArray Reference(const char* nom)
{
    return Lire(QString(TRAZEL_SOURCE_DIR) + "/tests/references/" + nom);
}

} // namespace

class TTest_apercu_latex : public QObject {
    Q_OBJECT

    QTemporaryDir dossier_;
    essais::TDialogues_scriptes dialogues_;
    std::unique_ptr<TForm1> principale_;
    std::unique_ptr<TForm3> form3_;

    QString Chemin(const QString& nom) const { return dossier_.filePath(nom); }

  private slots:
    void init()
    {
        QVERIFY(dossier_.isValid());
        QDir::setCurrent(dossier_.path());
        dialogues_ = {};
        principale_ = std::make_unique<TForm1>(dialogues_);
        form3_ = std::make_unique<TForm3>(dialogues_);
        form3_->Associer(*principale_);
    }
    void cleanup()
    {
        form3_.reset();
        principale_.reset();
    }

    void sauvegarde_en_lignes_cr_lf_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QByteArray>("fichier");
        QTest::addRow("deux_lignes") << "a\nb" << QByteArray("a\r\nb\r\n");
        QTest::addRow("fin_de_ligne_finale") << "a\nb\n" << QByteArray("a\r\nb\r\n");
        QTest::addRow("ligne_vide_au_milieu") << "a\n\nb" << QByteArray("a\r\n\r\nb\r\n");
        QTest::addRow("vide") << "" << QByteArray("");
        QTest::addRow("accents") << QString::fromUtf8("% Unit\xC3\xA9s")
                                 << QByteArray("% Unit\xE9s\r\n");
    }
    void sauvegarde_en_lignes_cr_lf()
    {
        QFETCH(QString, texte);
        QFETCH(QByteArray, fichier);
        form3_->RichEdit1->setPlainText(texte);
        dialogues_.fichiers = {Chemin("copie.tex")};
        form3_->SauvegarderClick();
        QCOMPARE(Lire(Chemin("copie.tex")), fichier);
        QCOMPARE(dialogues_.journal, QStringList{"fichier Fichiers Trazel (*.crb *.CRB)"});
    }

    void bouton_du_visualiseur_selon_les_reglages()
    {
        form3_->show();
        form3_->FormActivate();
        QVERIFY(!form3_->Gsview->isVisible());
        principale_->GsViewInstalle = true;
        form3_->FormActivate();
        QVERIFY(form3_->Gsview->isVisible());
    }

    void compilation_montre_l_image()
    {
        Ecrire(Chemin("points.crb"), Reference("points.crb"));
        form3_->Afficher(Chemin("points.crb"), "texte de l'\u00e9diteur, non compil\u00e9");
        form3_->CompilerClick();
        QVERIFY2(dialogues_.journal.isEmpty(), qPrintable(dialogues_.journal.join('\n')));
        QVERIFY(!form3_->ImageCompilee->pixmap().isNull());
        QVERIFY(form3_->ImageCompilee->pixmap().width() > 200);
        QVERIFY(QFile::exists(Chemin("tmp~.ps")));
        for (const char* reste : {"tmp~.tex", "tmp~.log", "tmp~.aux", "tmp~.dvi", "tmp~.png"})
            QVERIFY2(!QFile::exists(Chemin(reste)), reste);
    }

    // Shown, the picture is compiled at once and fitted in its pane; a failure of that
    // compilation is said in the pane, not in a box.
    void compilee_a_l_ouverture_a_la_taille_du_volet()
    {
        Ecrire(Chemin("points.crb"), Reference("points.crb"));
        form3_->resize(900, 600);
        form3_->Afficher(Chemin("points.crb"), QString());
        QTRY_VERIFY_WITH_TIMEOUT(!form3_->ImageCompilee->pixmap().isNull(), 60000);
        const QSize image = form3_->ImageCompilee->pixmap().size();
        const QSize volet = form3_->ImageCompilee->size();
        QVERIFY2(std::abs(image.width() - volet.width()) <= 1 ||
                     std::abs(image.height() - volet.height()) <= 1,
                 qPrintable(QString("%1x%2 dans %3x%4")
                                .arg(image.width())
                                .arg(image.height())
                                .arg(volet.width())
                                .arg(volet.height())));
        // The window grows: the picture follows.
        form3_->resize(1200, 800);
        QTRY_VERIFY(form3_->ImageCompilee->pixmap().width() > image.width() ||
                    form3_->ImageCompilee->pixmap().height() > image.height());
        QVERIFY(dialogues_.journal.isEmpty());

        Ecrire(Chemin("faux.crb"), "\\commandeinconnue\r\n");
        form3_->Afficher(Chemin("faux.crb"), QString());
        QTRY_VERIFY_WITH_TIMEOUT(
            form3_->ImageCompilee->text().startsWith("LaTeX n'a pas pu compiler"), 60000);
        // The message names the picture at fault.
        QVERIFY(form3_->ImageCompilee->text().contains(Chemin("faux.crb")));
        QVERIFY(dialogues_.journal.isEmpty());
    }

    void placee_a_cote_de_la_fenetre_principale()
    {
        QWidget voisine;
        voisine.setGeometry(0, 0, 300, 200);
        QWidget fenetre;
        fenetre.resize(250, 150);
        Placer_a_cote(fenetre, voisine);
        QCOMPARE(fenetre.pos(), QPoint(voisine.frameGeometry().right() + 1, 0));
        // No room on either side: at the screen's left edge, over the neighbour's text.
        const QRect ecran = voisine.screen()->availableGeometry();
        voisine.setGeometry(ecran.left() + 100, 0, ecran.width() - 200, 200);
        Placer_a_cote(fenetre, voisine);
        QCOMPARE(fenetre.x(), ecran.left());
    }

    // A failed run never shows an older picture, and says what LaTeX said.
    void echec_de_latex_signale()
    {
        Ecrire(Chemin("tmp~.ps"), "ancienne image");
        Ecrire(Chemin("faux.crb"), "\\psset{xunit=1cm}\r\n\\commandeinconnue\r\n");
        form3_->Afficher(Chemin("faux.crb"), QString());
        form3_->CompilerClick();
        QVERIFY2(!QFile::exists(Chemin("tmp~.ps")), qPrintable(dialogues_.journal.join('\n')));
        QCOMPARE(dialogues_.journal.size(), 1);
        QVERIFY2(dialogues_.journal[0].startsWith("Erreur Compilation|"),
                 qPrintable(dialogues_.journal[0]));
        QVERIFY(dialogues_.journal[0].contains("! Undefined control sequence."));
        QVERIFY(dialogues_.journal[0].contains("(ligne 2 de l'image)"));
        QVERIFY(form3_->ImageCompilee->pixmap().isNull());
    }

    void programme_bloque_interrompu()
    {
        QElapsedTimer chrono;
        chrono.start();
        QCOMPARE(LancerEtAttendre("sleep 30", 300), TLancement::Trop_long);
        QVERIFY(chrono.elapsed() < 10000);
        QCOMPARE(LancerEtAttendre("programme-qui-n-existe-pas"), TLancement::Introuvable);
        QCOMPARE(LancerEtAttendre("true"), TLancement::Termine);
    }

    void visualiseur_ouvert_sur_l_image()
    {
        // A viewer of our own that notes what it was asked to open.
        Ecrire(Chemin("visualiseur"), "#!/bin/sh\necho \"$1\" > \"$(pwd)/ouvert.txt\"\n");
        QFile::setPermissions(Chemin("visualiseur"),
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        principale_->GsViewInstalle = true;
        principale_->CheminGsView = Chemin("visualiseur");
        Ecrire(Chemin("points.crb"), Reference("points.crb"));
        form3_->Afficher(Chemin("points.crb"), QString());
        form3_->GsviewClick();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(Chemin("ouvert.txt")), 10000);
        QTRY_COMPARE(Lire(Chemin("ouvert.txt")), QByteArray("tmp~.ps\n"));
    }
};

QTEST_MAIN(TTest_apercu_latex)
#include "test_apercu_latex.moc"
