// The real message boxes and Qt's own texts: French buttons, captions that are not cut, and
// Qt's French translation.

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "ui/dialogues.h"

using namespace trazel;

class TTest_dialogues : public QObject {
    Q_OBJECT

    // Runs `question` while a timer reads the box it shows and presses the button `bouton`.
    template <class F>
    QStringList Boutons_de(F&& question, const QString& bouton, int* largeur = nullptr)
    {
        QStringList textes;
        QTimer::singleShot(0, [&] {
            auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (boite == nullptr)
                return;
            if (largeur != nullptr)
                *largeur = boite->sizeHint().width();
            QAbstractButton* presse = nullptr;
            for (QAbstractButton* b : boite->buttons()) {
                textes << b->text();
                if (b->text() == bouton)
                    presse = b;
            }
            if (presse != nullptr)
                presse->click();
            else
                boite->reject();
        });
        question();
        textes.sort(); // the box lays its buttons out by role and platform
        return textes;
    }

  private slots:
    void boutons_en_francais()
    {
        TDialogues_qt dialogues;
        TReponse reponse = TReponse::oui;
        const QStringList trois = Boutons_de(
            [&] { reponse = dialogues.Question_annulable(nullptr, "Sauvegarde", "Enregistrer ?"); },
            "Annuler");
        QCOMPARE(trois, (QStringList{"Annuler", "Non", "Oui"}));
        QCOMPARE(reponse, TReponse::annuler);
        Boutons_de([&] { reponse = dialogues.Question_annulable(nullptr, "S", "?"); }, "Non");
        QCOMPARE(reponse, TReponse::non);
        bool oui = false;
        QCOMPARE(Boutons_de([&] { oui = dialogues.Question(nullptr, "Installation", "?"); }, "Oui"),
                 (QStringList{"Non", "Oui"}));
        QVERIFY(oui);
        QCOMPARE(Boutons_de([&] { dialogues.Information(nullptr, "Tangente", "!"); }, "OK"),
                 QStringList{"OK"});
    }

    // The form shows each label with its value, gives the values typed (trimmed) on OK, and
    // nothing on Annuler.
    void formulaire_rempli_puis_annule()
    {
        TDialogues_qt dialogues;
        QStringList libelles_vus;
        const auto repondre = [&](const QString& bouton) {
            QTimer::singleShot(0, [&, bouton] {
                QWidget* boite = QApplication::activeModalWidget();
                if (boite == nullptr)
                    return;
                const QList<QLineEdit*> zones = boite->findChildren<QLineEdit*>();
                for (QLabel* l : boite->findChildren<QLabel*>())
                    libelles_vus << l->text();
                if (zones.size() == 2)
                    zones[1]->setText("  3,5 ");
                for (QAbstractButton* b : boite->findChildren<QAbstractButton*>())
                    if (b->text() == bouton)
                        b->click();
            });
        };
        repondre("OK");
        const std::optional<QStringList> valeurs =
            dialogues.Formulaire(nullptr, "Cercle", {"Centre :", "Rayon :"}, {"O", "1"});
        QVERIFY(valeurs.has_value());
        QCOMPARE(*valeurs, (QStringList{"O", "3,5"}));
        QCOMPARE(libelles_vus, (QStringList{"Centre :", "Rayon :"}));
        repondre("Annuler");
        QVERIFY(!dialogues.Formulaire(nullptr, "Cercle", {"Rayon :"}, {"1"}).has_value());
    }

    // Closing the box without a button calls the operation off.
    void fermer_la_boite_annule()
    {
        TDialogues_qt dialogues;
        TReponse reponse = TReponse::oui;
        Boutons_de([&] { reponse = dialogues.Question_annulable(nullptr, "S", "?"); }, "");
        QCOMPARE(reponse, TReponse::annuler);
        bool oui = true;
        Boutons_de([&] { oui = dialogues.Question(nullptr, "S", "?"); }, "");
        QVERIFY(!oui);
    }

    // A short text under a long caption: the box is wide enough for the caption.
    void legende_entiere()
    {
        TDialogues_qt dialogues;
        const QString titre = QStringLiteral("Création d'un fichier LaTeX");
        int largeur = 0;
        Boutons_de([&] { dialogues.Information(nullptr, titre, "OK ?"); }, "OK", &largeur);
        QVERIFY(largeur >=
                QFontMetrics(QApplication::font("QMessageBox")).horizontalAdvance(titre) + 100);
    }

    // Qt's own questions (the file chooser's) in French.
    void traduction_de_qt()
    {
        QTranslator traduction;
        QVERIFY2(Traduire_qt_en_francais(traduction), "qt6-translations-l10n is missing");
        QCOMPARE(QLocale().language(), QLocale::French);
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Save As"),
                 QString("Enregistrer sous"));
        QCOMPARE(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S).toString(QKeySequence::NativeText),
                 QString("Ctrl+Maj+S"));
        QCoreApplication::removeTranslator(&traduction);
    }
};

QTEST_MAIN(TTest_dialogues)
#include "test_dialogues.moc"
