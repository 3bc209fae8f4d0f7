// The settings start-up against a folder of its own, with the questions answered from a
// script and the disk search run over a tree of fake viewer programs.

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <memory>

#include "model/erreurs.h"
#include "ui/reglages.h"

using namespace trazel;

namespace {

// Answers the questions in the order given (No when none is left) and keeps what was shown:
// "? caption|text" for a question, "! caption|text" for a notice.
class TDialogues_reglages : public TDialogues {
  public:
    std::deque<bool> reponses;
    QStringList journal;

    bool Question(QWidget*, const QString& titre, const QString& texte) override
    {
        journal << QStringLiteral("? ") + titre + QLatin1Char('|') + texte;
        if (reponses.empty())
            return false;
        const bool oui = reponses.front();
        reponses.pop_front();
        return oui;
    }
    TReponse Question_annulable(QWidget*, const QString& titre, const QString& texte) override
    {
        journal << QStringLiteral("?? ") + titre + QLatin1Char('|') + texte;
        return TReponse::annuler;
    }
    void Information(QWidget*, const QString& titre, const QString& texte) override
    {
        journal << QStringLiteral("! ") + titre + QLatin1Char('|') + texte;
    }
    void Erreur(QWidget*, const QString& titre, const QString& texte) override
    {
        journal << QStringLiteral("erreur ") + titre + QLatin1Char('|') + texte;
    }
    std::optional<QString> Fichier_a_ouvrir(QWidget*, const QString&) override
    {
        journal << QStringLiteral("fichier");
        return std::nullopt;
    }
    std::optional<QString> Fichier_a_enregistrer(QWidget*, const QString&, const QString&) override
    {
        journal << QStringLiteral("fichier");
        return std::nullopt;
    }
    std::optional<QStringList> Formulaire(QWidget*, const QString& titre, const QStringList&,
                                          const QStringList&) override
    {
        journal << QStringLiteral("formulaire ") + titre;
        return std::nullopt;
    }
};

const QDateTime date_fixe(QDate(2003, 4, 5), QTime(12, 30));

QString Question_recherche()
{
    return QStringLiteral("? Installation|") +
           Texte_qt("Voulez-vous que Trazel recherche sur votre disque les visualiseurs "
                    "PostScript pr\xE9sents (gv, Evince, Okular, Zathura\x85) ?");
}

// The offer of one copy; the files of the tests are all dated 5 April 2003.
QString Question_copie(const QString& chemin)
{
    return QStringLiteral("? Installation|") +
           Texte_qt("Utilisez-vous ce visualiseur PostScript pr\xE9sent sur votre disque : ") +
           chemin + Texte_qt(", dat\xE9 du 05/04/2003 ?");
}

QString Avis_creation()
{
    return QStringLiteral("! Installation|") +
           Texte_qt("Cr\xE9"
                    "ation d'un fichier d'initialisation : Trazel.ini");
}

QByteArray Octets(const char* cp1252)
{
    return QByteArray(cp1252);
}

} // namespace

class Test_reglages : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void creation_sans_visionneuse_data();
    void creation_sans_visionneuse();
    void seconde_copie_acceptee();
    void seuls_les_programmes_sont_proposes();
    void chemin_accepte_garde_entier_data();
    void chemin_accepte_garde_entier();
    void lecture_du_fichier_existant_data();
    void lecture_du_fichier_existant();
    void fichier_impossible_data();
    void fichier_impossible();
    void recherche_sur_ce_systeme();

  private:
    QString Programme(const QString& relatif, bool executable = true);
    QByteArray Contenu_reglages() const;
    TReglages Demarrer();

    std::unique_ptr<QTemporaryDir> dossier_; // where Trazel.ini goes
    std::unique_ptr<QTemporaryDir> disque_;  // the tree searched
    TDialogues_reglages dialogues_;
    std::unique_ptr<TScruteDossier> scrute_;
    int debuts_ = 0;
};

void Test_reglages::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
}

void Test_reglages::init()
{
    dossier_ = std::make_unique<QTemporaryDir>();
    disque_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dossier_->isValid() && disque_->isValid());
    dialogues_.reponses.clear();
    dialogues_.journal.clear();
    scrute_ = std::make_unique<TScruteDossier>();
    scrute_->Dossier = disque_->path();
    scrute_->Filtre = QStringLiteral("gv;evince");
    debuts_ = 0;
    connect(scrute_.get(), &TScruteDossier::Debut, this, [this] { ++debuts_; });
}

QString Test_reglages::Programme(const QString& relatif, bool executable)
{
    const QString chemin = disque_->path() + QLatin1Char('/') + relatif;
    QDir().mkpath(QFileInfo(chemin).path());
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly) || fichier.write("#!/bin/sh\n") != 10 ||
        !fichier.flush() || !fichier.setFileTime(date_fixe, QFileDevice::FileModificationTime))
        qFatal("cannot write %s", qPrintable(chemin));
    QFileDevice::Permissions droits = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (executable)
        droits |= QFileDevice::ExeOwner;
    fichier.setPermissions(droits);
    return chemin;
}

QByteArray Test_reglages::Contenu_reglages() const
{
    QFile fichier(dossier_->filePath(QStringLiteral("Trazel.ini")));
    if (!fichier.open(QIODevice::ReadOnly))
        return QByteArray("(absent)");
    return fichier.readAll();
}

TReglages Test_reglages::Demarrer()
{
    return Demarrer_reglages(dossier_->path(), dialogues_, nullptr, *scrute_);
}

void Test_reglages::creation_sans_visionneuse_data()
{
    QTest::addColumn<QList<bool>>("reponses");
    QTest::addColumn<bool>("copies");
    QTest::addColumn<int>("questions_de_copie");
    QTest::addRow("recherche refusee") << QList<bool>{false} << true << 0;
    QTest::addRow("aucune copie acceptee") << QList<bool>{true, false, false} << true << 2;
    QTest::addRow("aucune copie trouvee") << QList<bool>{true} << false << 0;
}

void Test_reglages::creation_sans_visionneuse()
{
    QFETCH(QList<bool>, reponses);
    QFETCH(bool, copies);
    QFETCH(int, questions_de_copie);
    QStringList attendu{Question_recherche()};
    if (copies) {
        const QString a = Programme(QStringLiteral("a/gv"));
        const QString b = Programme(QStringLiteral("b/evince"));
        attendu << Question_copie(a) << Question_copie(b);
    }
    attendu = attendu.mid(0, 1 + questions_de_copie);
    dialogues_.reponses.assign(reponses.begin(), reponses.end());

    const TReglages reglages = Demarrer();

    QCOMPARE(dialogues_.journal, attendu);
    QCOMPARE(debuts_, reponses.front() ? 1 : 0);
    QCOMPARE(Contenu_reglages(), Octets("GsView install\xE9"
                                        " = NON\r\n"));
    QCOMPARE(reglages.GsViewInstalle, false);
    QCOMPARE(reglages.CheminGsView, QString());
}

void Test_reglages::seconde_copie_acceptee()
{
    const QString a = Programme(QStringLiteral("a/gv"));
    const QString b = Programme(QStringLiteral("b/gv"));
    Programme(QStringLiteral("c/gv"));
    dialogues_.reponses = {true, false, true};

    const TReglages reglages = Demarrer();

    // The walk went on past the first copy and stopped at the second: c/gv is never offered.
    QCOMPARE(dialogues_.journal, (QStringList{Question_recherche(), Question_copie(a),
                                              Question_copie(b), Avis_creation()}));
    QCOMPARE(Contenu_reglages(), Octets("GsView install\xE9"
                                        " = OUI\r\nChemin GsView = ") +
                                     QFile::encodeName(b) + "\r\n");
    QCOMPARE(reglages.GsViewInstalle, true);
    QCOMPARE(reglages.CheminGsView, b);

    // The offer belonged to that start-up only: the scanner serves again without it.
    dialogues_.journal.clear();
    scrute_->Execute();
    QCOMPARE(dialogues_.journal, QStringList());

    // The next start reads the file and asks nothing.
    const TReglages relus = Demarrer();
    QCOMPARE(dialogues_.journal, QStringList());
    QCOMPARE(relus.CheminGsView, b);
}

void Test_reglages::seuls_les_programmes_sont_proposes()
{
    // Regression: a data file carrying a viewer's name (a manual page, a menu entry) was
    // offered as the viewer.
    Programme(QStringLiteral("a/gv"), false);
    QVERIFY(QDir(disque_->path()).mkpath(QStringLiteral("b/evince")));
    const QString programme = Programme(QStringLiteral("c/gv"));
    dialogues_.reponses = {true, true};

    const TReglages reglages = Demarrer();

    QCOMPARE(dialogues_.journal,
             (QStringList{Question_recherche(), Question_copie(programme), Avis_creation()}));
    QCOMPARE(reglages.CheminGsView, programme);
}

void Test_reglages::chemin_accepte_garde_entier_data()
{
    QTest::addColumn<QString>("relatif");
    const QString dossier60(60, QLatin1Char('d'));
    QTest::addRow("plus de 255 caracteres")
        << QStringList{dossier60, dossier60, dossier60, dossier60, dossier60, "gv"}.join('/');
    // "\u0142" has no Windows-1252 byte: the path is written as the system names it.
    QTest::addRow("hors de Windows-1252") << QStringLiteral("Programmes \u00E9t\u00E9 \u0142/gv");
}

void Test_reglages::chemin_accepte_garde_entier()
{
    QFETCH(QString, relatif);
    const QString chemin = Programme(relatif);
    dialogues_.reponses = {true, true};

    const TReglages reglages = Demarrer();

    // Regression: a path over 255 characters was cut and named a file that does not exist.
    QCOMPARE(reglages.CheminGsView, chemin);
    QVERIFY(QFileInfo(reglages.CheminGsView).isExecutable());
    QVERIFY(Contenu_reglages().endsWith(" = " + QFile::encodeName(chemin) + "\r\n"));
}

void Test_reglages::lecture_du_fichier_existant_data()
{
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<bool>("installe");
    QTest::addColumn<QString>("chemin");
    const QByteArray oui = Octets("GsView install\xE9"
                                  " = OUI\r\n");
    const QString long300 = QLatin1Char('/') + QString(299, QLatin1Char('x'));
    QTest::addRow("oui et chemin") << oui + "Chemin GsView = /usr/bin/gv\r\n"
                                   << true << "/usr/bin/gv";
    QTest::addRow("non") << Octets("GsView install\xE9"
                                   " = NON\r\n")
                         << false << "";
    QTest::addRow("non, la ligne du chemin n'est pas lue")
        << Octets("GsView install\xE9"
                  " = NON\r\nChemin GsView = /usr/bin/gv\r\n")
        << false << "";
    QTest::addRow("premiere ligne sans egal: reste faux")
        << Octets("GsView install\xE9"
                  " OUI\r\nChemin GsView = /usr/bin/gv\r\n")
        << false << "";
    QTest::addRow("fichier vide") << QByteArray() << false << "";
    QTest::addRow("oui sans espace apres egal: lu UI")
        << Octets("GsView install\xE9"
                  " =OUI\r\nChemin GsView = /usr/bin/gv\r\n")
        << false << "";
    QTest::addRow("egal en fin de ligne") << Octets("GsView install\xE9"
                                                    " =\r\n")
                                          << false << "";
    QTest::addRow("oui en minuscules") << Octets("GsView install\xE9"
                                                 " = oui\r\n")
                                       << false << "";
    QTest::addRow("trois premiers caracteres seulement")
        << Octets("GsView install\xE9"
                  " = OUI, 2005\r\nChemin GsView = /usr/bin/gv\r\n")
        << true << "/usr/bin/gv";
    QTest::addRow("chemin sans espace apres egal: perd son premier caractere")
        << oui + "Chemin GsView =/usr/bin/gv\r\n"
        << true << "usr/bin/gv";
    QTest::addRow("chemin apres le premier egal") << oui + "Chemin GsView = /opt/a=b/gv\r\n"
                                                  << true << "/opt/a=b/gv";
    QTest::addRow("ligne du chemin sans egal") << oui + "Chemin GsView /usr/bin/gv\r\n"
                                               << true << "";
    QTest::addRow("ligne du chemin absente") << oui << true << "";
    QTest::addRow("fins de ligne LF") << Octets("GsView install\xE9"
                                                " = OUI\nChemin GsView = /usr/bin/gv\n")
                                      << true << "/usr/bin/gv";
    QTest::addRow("sans fin de ligne finale")
        << oui + "Chemin GsView = /usr/bin/gv" << true << "/usr/bin/gv";
    QTest::addRow("chemin de 300 caracteres")
        << oui + "Chemin GsView = " + long300.toLatin1() + "\r\n"
        << true << long300;
    QTest::addRow("chemin en octets du systeme")
        << oui + "Chemin GsView = /opt/\xC3\xA9t\xC3\xA9/gv\r\n"
        << true << QStringLiteral("/opt/\u00E9t\u00E9/gv");
}

void Test_reglages::lecture_du_fichier_existant()
{
    QFETCH(QByteArray, contenu);
    QFETCH(bool, installe);
    QFETCH(QString, chemin);
    {
        QFile fichier(dossier_->filePath(QStringLiteral("Trazel.ini")));
        QVERIFY(fichier.open(QIODevice::WriteOnly));
        QCOMPARE(fichier.write(contenu), contenu.size());
    }
    Programme(QStringLiteral("bin/gv"));

    const TReglages reglages = Demarrer();

    QCOMPARE(reglages.GsViewInstalle, installe);
    QCOMPARE(reglages.CheminGsView, chemin);
    // An existing file is only read: no question, no search, no change.
    QCOMPARE(dialogues_.journal, QStringList());
    QCOMPARE(debuts_, 0);
    QCOMPARE(Contenu_reglages(), contenu);
}

void Test_reglages::fichier_impossible_data()
{
    QTest::addColumn<bool>("dossier_absent");
    QTest::addColumn<QByteArray>("message");
    QTest::addRow("creation dans un dossier absent")
        << true
        << Octets("impossible de cr\xE9"
                  "er le fichier : fichier ou dossier introuvable");
    QTest::addRow("lecture d'un dossier nomme Trazel.ini")
        << false << Octets("impossible de lire le fichier : c'est un dossier");
}

void Test_reglages::fichier_impossible()
{
    QFETCH(bool, dossier_absent);
    QFETCH(QByteArray, message);
    const QString dossier = dossier_->filePath(QStringLiteral("absent"));
    if (!dossier_absent)
        QVERIFY(QDir(dossier).mkpath(QStringLiteral("Trazel.ini")));
    dialogues_.reponses = {false};
    try {
        Demarrer_reglages(dossier, dialogues_, nullptr, *scrute_);
        QFAIL("Erreur_fichier expected");
    } catch (const Erreur_fichier& erreur) {
        QCOMPARE(QByteArray(erreur.what()), message);
        QCOMPARE(QString::fromStdString(erreur.chemin()), dossier + "/Trazel.ini");
    }
}

void Test_reglages::recherche_sur_ce_systeme()
{
    // The program's search, with every file reported: it starts at /usr and goes down to
    // the bin folders of /usr/local, no deeper.
    TScruteDossier scrute;
    connect(&scrute, &TScruteDossier::Debut, this, [&] {
        Regler_recherche_visionneuse(scrute);
        scrute.Filtre = QStringLiteral("*");
    });
    QStringList fichiers;
    connect(&scrute, &TScruteDossier::Fichier, this, [&](const QString& nom) { fichiers << nom; });
    scrute.Execute();
    QVERIFY(!fichiers.isEmpty());
    for (const QString& nom : fichiers) {
        QVERIFY2(nom.startsWith(QLatin1String("/usr/")), qPrintable(nom));
        QVERIFY2(nom.count(QLatin1Char('/')) <= 4, qPrintable(nom));
    }
    QVERIFY(fichiers.contains(QStringLiteral("/usr/bin/env")));
}

QTEST_GUILESS_MAIN(Test_reglages)
#include "test_reglages.moc"
