// The preview window: saving its text, the viewer button, and compiling with the real
// latex, dvips and ghostscript.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include "lecture/transcription.h"
#include "model/fichiers.h"
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

// The example's picture in TikZ or SVG, as the main window hands it to the preview.
std::string Points_en(TFormat_apercu format)
{
    const std::string figure = std::string(TRAZEL_SOURCE_DIR) + "/exemples/points.fgr";
    TForm2 form2;
    return Transcrire_texte(
        Lire_fichier(figure), figure, form2, {},
        format == TFormat_apercu::svg ? TFormat_image::svg : TFormat_image::tikz, true);
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

    // The format is picked from the list with the keyboard: the text becomes the TikZ
    // picture, pdflatex compiles what is shown, and the text is saved as it is, in UTF-8.
    void format_tikz_montre_compile_et_enregistre()
    {
        Ecrire(Chemin("points.crb"), Reference("points.crb"));
        form3_->Afficher(Chemin("points.crb"), "texte PSTricks", nullptr, Points_en);
        principale_->GsViewInstalle = true;
        form3_->FormActivate();
        QVERIFY(form3_->Gsview->isVisible());
        form3_->Format->setFocus();
        QTest::keyClick(form3_->Format, Qt::Key_Down);
        QCOMPARE(form3_->Format->currentText(), QString("TikZ"));
        const QString tikz = QString::fromStdString(Points_en(TFormat_apercu::tikz));
        QCOMPARE(form3_->RichEdit1->toPlainText(), tikz);
        QVERIFY(!form3_->Gsview->isVisible());

        QTest::mouseClick(form3_->Compiler, Qt::LeftButton);
        QVERIFY2(dialogues_.journal.isEmpty(), qPrintable(dialogues_.journal.join('\n')));
        QVERIFY(!form3_->ImageCompilee->pixmap().isNull());
        for (const char* reste : {"tmp~.tex", "tmp~.pdf", "tmp~.log", "tmp~.aux", "tmp~.png"})
            QVERIFY2(!QFile::exists(Chemin(reste)), reste);

        dialogues_.fichiers = {Chemin("points.tikz")};
        QTest::mouseClick(form3_->Sauvegarder, Qt::LeftButton);
        QCOMPARE(dialogues_.journal, QStringList{"fichier Images TikZ (*.tikz *.tex)"});
        QCOMPARE(Lire(Chemin("points.tikz")), tikz.toUtf8());
    }

    // SVG is saved, not compiled; back to PSTricks, the text comes back with its edits, and
    // the next picture starts again from PSTricks.
    void format_svg_et_retour_a_pstricks()
    {
        form3_->Afficher(Chemin("points.crb"), "texte PSTricks", nullptr, Points_en);
        form3_->RichEdit1->setPlainText("texte PSTricks retouch\u00e9");
        form3_->Format->setFocus();
        QTest::keyClick(form3_->Format, Qt::Key_End);
        QCOMPARE(form3_->Format->currentText(), QString("SVG"));
        QVERIFY(form3_->RichEdit1->toPlainText().startsWith("<?xml"));
        QVERIFY(!form3_->Compiler->isEnabled());
        dialogues_.fichiers = {Chemin("points.svg")};
        form3_->SauvegarderClick();
        QCOMPARE(dialogues_.journal, QStringList{"fichier Images SVG (*.svg)"});
        QCOMPARE(Lire(Chemin("points.svg")),
                 QByteArray::fromStdString(Points_en(TFormat_apercu::svg)));

        QTest::keyClick(form3_->Format, Qt::Key_Home);
        QCOMPARE(form3_->RichEdit1->toPlainText(), QString("texte PSTricks retouch\u00e9"));
        QVERIFY(form3_->Compiler->isEnabled());
        form3_->Afficher(Chemin("autre.crb"), "autre image");
        QCOMPARE(form3_->Format->currentIndex(), 0);
        QVERIFY(!form3_->Format->isEnabled());
        QCOMPARE(form3_->RichEdit1->toPlainText(), QString("autre image"));
    }

    // pdflatex's error on the TikZ text shown, with its line in the picture.
    void echec_de_pdflatex_signale()
    {
        form3_->Afficher(Chemin("points.crb"), "texte PSTricks", nullptr, Points_en);
        form3_->Format->setCurrentIndex(1);
        form3_->RichEdit1->setPlainText(
            "\\begin{tikzpicture}\n\\draw (0, 0) -- (1, 1);\n\\commandeinconnue\n"
            "\\end{tikzpicture}\n");
        form3_->CompilerClick();
        QCOMPARE(dialogues_.journal.size(), 1);
        QVERIFY2(dialogues_.journal[0].contains("! Undefined control sequence."),
                 qPrintable(dialogues_.journal[0]));
        QVERIFY2(dialogues_.journal[0].contains("(ligne 3 de l'image)"),
                 qPrintable(dialogues_.journal[0]));
        QVERIFY(form3_->ImageCompilee->pixmap().isNull());
        QVERIFY(!QFile::exists(Chemin("tmp~.pdf")));
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
