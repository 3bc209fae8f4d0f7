// The folder scanner on a tree built for each test:
//
//   .cache.txt  Z.txt  a.txt  b.txt  c.log   lien.txt -> a.txt
//   lien -> sous1        boucle -> .         (links to folders, never followed)
//   sous1/  x.txt  y.log  profond/z.txt
//   sous2/  w.txt
//
// The journal names events by their path relative to the tree: "F a.txt" for a file,
// "D sous1" for a folder entered.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "ui/scrute_dossier.h"

using trazel::TScruteDossier;

namespace {

const QDateTime date_fixe(QDate(2003, 4, 5), QTime(12, 30));

} // namespace

class Test_scrute_dossier : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void ordre_des_fichiers_et_des_dossiers_data();
    void ordre_des_fichiers_et_des_dossiers();
    void profondeur_limitee_data();
    void profondeur_limitee();
    void arret_depuis_un_gestionnaire_data();
    void arret_depuis_un_gestionnaire();
    void arret_par_un_evenement_en_attente();
    void champs_pendant_les_evenements();
    void debut_choisit_dossier_et_filtre();
    void dossier_illisible_passe_sous_silence();
    void dossiers_systeme_jamais_parcourus_data();
    void dossiers_systeme_jamais_parcourus();
    void racine_sans_double_barre();

  private:
    void Creer(const QString& relatif, const QByteArray& contenu = "contenu");
    void Journaliser(TScruteDossier& scrute);
    QString Relatif(const QString& nom) const;

    std::unique_ptr<QTemporaryDir> arbre_;
    QString racine_;
    QStringList journal_;
};

void Test_scrute_dossier::Creer(const QString& relatif, const QByteArray& contenu)
{
    const QString chemin = racine_ + QLatin1Char('/') + relatif;
    QVERIFY(QDir().mkpath(QFileInfo(chemin).path()));
    QFile fichier(chemin);
    QVERIFY(fichier.open(QIODevice::WriteOnly));
    QCOMPARE(fichier.write(contenu), contenu.size());
    QVERIFY(fichier.flush());
    QVERIFY(fichier.setFileTime(date_fixe, QFileDevice::FileModificationTime));
}

QString Test_scrute_dossier::Relatif(const QString& nom) const
{
    return nom.startsWith(racine_ + QLatin1Char('/')) ? nom.mid(racine_.size() + 1) : nom;
}

void Test_scrute_dossier::Journaliser(TScruteDossier& scrute)
{
    connect(&scrute, &TScruteDossier::Debut, this, [this] { journal_ << QStringLiteral("debut"); });
    connect(&scrute, &TScruteDossier::Fin, this, [this] { journal_ << QStringLiteral("fin"); });
    connect(&scrute, &TScruteDossier::Fichier, this,
            [this](const QString& nom) { journal_ << QStringLiteral("F ") + Relatif(nom); });
    connect(&scrute, &TScruteDossier::Dossier_entre, this,
            [this](const QString& nom) { journal_ << QStringLiteral("D ") + Relatif(nom); });
}

void Test_scrute_dossier::init()
{
    arbre_ = std::make_unique<QTemporaryDir>();
    QVERIFY(arbre_->isValid());
    racine_ = QDir::cleanPath(arbre_->path());
    journal_.clear();
    for (const char* nom : {".cache.txt", "Z.txt", "a.txt", "b.txt", "c.log", "sous1/x.txt",
                            "sous1/y.log", "sous1/profond/z.txt", "sous2/w.txt"})
        Creer(QLatin1String(nom));
    QVERIFY(QFile::link(racine_ + "/a.txt", racine_ + "/lien.txt"));
    QVERIFY(QFile::link(racine_ + "/sous1", racine_ + "/lien"));
    QVERIFY(QFile::link(racine_, racine_ + "/boucle"));
}

void Test_scrute_dossier::ordre_des_fichiers_et_des_dossiers_data()
{
    QTest::addColumn<QString>("suffixe");
    QTest::addColumn<QString>("filtre");
    QTest::addColumn<QStringList>("attendu");
    // A link to a folder (lien, boucle) is neither a file nor a folder to walk; a link to a
    // file (lien.txt) is a file.
    QTest::addRow("un motif, fichiers avant sous-dossiers") << ""
                                                            << "*.txt"
                                                            << QStringList{"debut",
                                                                           "F .cache.txt",
                                                                           "F Z.txt",
                                                                           "F a.txt",
                                                                           "F b.txt",
                                                                           "F lien.txt",
                                                                           "D sous1",
                                                                           "F sous1/x.txt",
                                                                           "D sous1/profond",
                                                                           "F sous1/profond/z.txt",
                                                                           "D sous2",
                                                                           "F sous2/w.txt",
                                                                           "fin"};
    QTest::addRow("deux motifs, le premier d'abord dans chaque dossier")
        << ""
        << "*.log;*.txt" << QStringList{"debut",         "F c.log",         "F .cache.txt",
                                        "F Z.txt",       "F a.txt",         "F b.txt",
                                        "F lien.txt",    "D sous1",         "F sous1/y.log",
                                        "F sous1/x.txt", "D sous1/profond", "F sous1/profond/z.txt",
                                        "D sous2",       "F sous2/w.txt",   "fin"};
    // a.txt matches both patterns: it is reported at the first one only.
    QTest::addRow("motifs qui se recouvrent") << ""
                                              << "a*;*.txt"
                                              << QStringList{"debut",
                                                             "F a.txt",
                                                             "F .cache.txt",
                                                             "F Z.txt",
                                                             "F b.txt",
                                                             "F lien.txt",
                                                             "D sous1",
                                                             "F sous1/x.txt",
                                                             "D sous1/profond",
                                                             "F sous1/profond/z.txt",
                                                             "D sous2",
                                                             "F sous2/w.txt",
                                                             "fin"};
    QTest::addRow("motifs vides ignores")
        << ""
        << ";*.log;;" << QStringList{"debut",           "F c.log", "D sous1", "F sous1/y.log",
                                     "D sous1/profond", "D sous2", "fin"};
    QTest::addRow("point d'interrogation et casse") << ""
                                                    << "?.txt;A*"
                                                    << QStringList{"debut",
                                                                   "F Z.txt",
                                                                   "F a.txt",
                                                                   "F b.txt",
                                                                   "D sous1",
                                                                   "F sous1/x.txt",
                                                                   "D sous1/profond",
                                                                   "F sous1/profond/z.txt",
                                                                   "D sous2",
                                                                   "F sous2/w.txt",
                                                                   "fin"};
    QTest::addRow("dossier de depart avec barre finale")
        << "/"
        << "*.log" << QStringList{"debut",           "F c.log", "D sous1", "F sous1/y.log",
                                  "D sous1/profond", "D sous2", "fin"};
    QTest::addRow("dossier de depart avec point")
        << "/./sous1/.."
        << "*.log" << QStringList{"debut",           "F c.log", "D sous1", "F sous1/y.log",
                                  "D sous1/profond", "D sous2", "fin"};
    QTest::addRow("dossier de depart absent") << "/absent"
                                              << "*" << QStringList{"debut", "fin"};
}

void Test_scrute_dossier::ordre_des_fichiers_et_des_dossiers()
{
    QFETCH(QString, suffixe);
    QFETCH(QString, filtre);
    QFETCH(QStringList, attendu);
    TScruteDossier scrute;
    Journaliser(scrute);
    scrute.Dossier = racine_ + suffixe;
    scrute.Filtre = filtre;
    scrute.Execute();
    QCOMPARE(journal_, attendu);
}

void Test_scrute_dossier::profondeur_limitee_data()
{
    QTest::addColumn<int>("max_penetration");
    QTest::addColumn<bool>("sous_dossier");
    QTest::addColumn<QStringList>("attendu");
    const QStringList tout{"debut",         "F a.txt",         "D sous1",
                           "F sous1/x.txt", "D sous1/profond", "F sous1/profond/z.txt",
                           "D sous2",       "F sous2/w.txt",   "fin"};
    // The folders beyond the limit are still announced; their files are not read.
    QTest::addRow("0: le dossier de depart seul")
        << 0 << true << QStringList{"debut", "F a.txt", "D sous1", "D sous2", "fin"};
    QTest::addRow("1: et ses sous-dossiers directs")
        << 1 << true << QStringList{"debut",           "F a.txt", "D sous1",       "F sous1/x.txt",
                                    "D sous1/profond", "D sous2", "F sous2/w.txt", "fin"};
    QTest::addRow("2: tout l'arbre") << 2 << true << tout;
    QTest::addRow("negatif: sans limite") << -1 << true << tout;
    QTest::addRow("sans sous-dossiers")
        << -1 << false << QStringList{"debut", "F a.txt", "D sous1", "D sous2", "fin"};
}

void Test_scrute_dossier::profondeur_limitee()
{
    QFETCH(int, max_penetration);
    QFETCH(bool, sous_dossier);
    QFETCH(QStringList, attendu);
    TScruteDossier scrute;
    Journaliser(scrute);
    scrute.Dossier = racine_;
    scrute.Filtre = QStringLiteral("a.txt;x.txt;z.txt;w.txt");
    scrute.MaxPenetration = max_penetration;
    scrute.SousDossier = sous_dossier;
    scrute.Execute();
    QCOMPARE(journal_, attendu);
}

void Test_scrute_dossier::arret_depuis_un_gestionnaire_data()
{
    QTest::addColumn<QString>("arret_sur");
    QTest::addColumn<QStringList>("attendu");
    QTest::addRow("sur le premier fichier") << "F a.txt" << QStringList{"debut", "F a.txt", "fin"};
    QTest::addRow("sur un fichier d'un sous-dossier")
        << "F sous1/x.txt"
        << QStringList{"debut", "F a.txt", "F b.txt", "D sous1", "F sous1/x.txt", "fin"};
    // Stopped on entering sous1: it is not walked, nor is sous2.
    QTest::addRow("sur l'entree d'un dossier")
        << "D sous1" << QStringList{"debut", "F a.txt", "F b.txt", "D sous1", "fin"};
}

void Test_scrute_dossier::arret_depuis_un_gestionnaire()
{
    QFETCH(QString, arret_sur);
    QFETCH(QStringList, attendu);
    TScruteDossier scrute;
    Journaliser(scrute);
    auto arreter = [&] {
        if (journal_.last() == arret_sur)
            scrute.Arret = true;
    };
    const auto f = connect(&scrute, &TScruteDossier::Fichier, this, arreter);
    const auto d = connect(&scrute, &TScruteDossier::Dossier_entre, this, arreter);
    scrute.Dossier = racine_;
    scrute.Filtre = QStringLiteral("[abxw].txt");
    scrute.Execute();
    QCOMPARE(journal_, attendu);

    // The next scan starts afresh: the stop request of the last one is forgotten.
    disconnect(f);
    disconnect(d);
    journal_.clear();
    scrute.Execute();
    QCOMPARE(journal_, (QStringList{"debut", "F a.txt", "F b.txt", "D sous1", "F sous1/x.txt",
                                    "D sous1/profond", "D sous2", "F sous2/w.txt", "fin"}));
}

void Test_scrute_dossier::arret_par_un_evenement_en_attente()
{
    // Pending events run before each entry: a stop asked from the event loop (a window's
    // button) is honoured before the first file is reported.
    TScruteDossier scrute;
    Journaliser(scrute);
    connect(&scrute, &TScruteDossier::Debut, this, [&] {
        QMetaObject::invokeMethod(
            this, [&] { scrute.Arret = true; }, Qt::QueuedConnection);
    });
    scrute.Dossier = racine_;
    scrute.Execute();
    QCOMPARE(journal_, (QStringList{"debut", "fin"}));
}

void Test_scrute_dossier::champs_pendant_les_evenements()
{
    Creer(QStringLiteral("sous1/profond/grand.bin"), QByteArray(70000, 'x'));
    TScruteDossier scrute;
    QStringList vus;
    connect(&scrute, &TScruteDossier::Fichier, this, [&](const QString& nom) {
        QCOMPARE(scrute.FichierCourant, nom);
        QCOMPARE(scrute.DateFichier(), date_fixe);
        vus << QStringLiteral("F %1 %2 %3")
                   .arg(Relatif(nom))
                   .arg(scrute.TailleFichier)
                   .arg(scrute.ProfondeurCourante);
    });
    connect(&scrute, &TScruteDossier::Dossier_entre, this, [&](const QString& nom) {
        QCOMPARE(scrute.DossierCourant, nom);
        vus << QStringLiteral("D %1 %2").arg(Relatif(nom)).arg(scrute.ProfondeurCourante);
    });
    scrute.Dossier = racine_;
    scrute.Filtre = QStringLiteral("a.txt;*.bin");
    scrute.Execute();
    // Regression: the depth stayed at that of the last subfolder walked, so sous2 was
    // announced at depth 2.
    QCOMPARE(vus, (QStringList{"F a.txt 7 0", "D sous1 0", "D sous1/profond 1",
                               "F sous1/profond/grand.bin 70000 2", "D sous2 0"}));
    QCOMPARE(scrute.FichierCourant, racine_ + "/sous1/profond/grand.bin");
    QCOMPARE(scrute.DossierCourant, racine_ + "/sous2");
}

void Test_scrute_dossier::debut_choisit_dossier_et_filtre()
{
    TScruteDossier scrute;
    scrute.Dossier = QStringLiteral("/absent");
    scrute.FichierCourant = QStringLiteral("ancien");
    scrute.Arret = true;
    connect(&scrute, &TScruteDossier::Debut, this, [&] {
        QCOMPARE(scrute.FichierCourant, QStringLiteral("ancien"));
        scrute.Dossier = racine_ + "/sous1";
        scrute.Filtre = QStringLiteral("*.log");
    });
    Journaliser(scrute);
    scrute.Execute();
    QCOMPARE(journal_, (QStringList{"debut", "F sous1/y.log", "D sous1/profond", "fin"}));
}

void Test_scrute_dossier::dossier_illisible_passe_sous_silence()
{
    TScruteDossier scrute;
    Journaliser(scrute);
    // sous1 disappears between its announcement and its reading.
    connect(&scrute, &TScruteDossier::Dossier_entre, this, [&](const QString& nom) {
        if (Relatif(nom) == QLatin1String("sous1"))
            QVERIFY(QDir(nom).removeRecursively());
    });
    scrute.Dossier = racine_;
    scrute.Filtre = QStringLiteral("w.txt");
    scrute.Execute();
    QCOMPARE(journal_, (QStringList{"debut", "D sous1", "D sous2", "F sous2/w.txt", "fin"}));
}

void Test_scrute_dossier::dossiers_systeme_jamais_parcourus_data()
{
    QTest::addColumn<QString>("dossier");
    QTest::addRow("/proc") << "/proc";
    QTest::addRow("/sys") << "/sys";
    QTest::addRow("/dev") << "/dev";
    QTest::addRow("/proc/") << "/proc/";
    QTest::addRow("/usr/../dev") << "/usr/../dev";
}

void Test_scrute_dossier::dossiers_systeme_jamais_parcourus()
{
    QFETCH(QString, dossier);
    TScruteDossier scrute;
    Journaliser(scrute);
    scrute.Dossier = dossier;
    scrute.Execute();
    QCOMPARE(journal_, (QStringList{"debut", "fin"}));
}

void Test_scrute_dossier::racine_sans_double_barre()
{
    TScruteDossier scrute;
    QStringList dossiers;
    connect(&scrute, &TScruteDossier::Dossier_entre, this,
            [&](const QString& nom) { dossiers << nom; });
    scrute.Dossier = QStringLiteral("/");
    scrute.Filtre = QStringLiteral("");
    scrute.MaxPenetration = 0;
    scrute.Execute();
    QVERIFY2(dossiers.contains(QStringLiteral("/usr")), qPrintable(dossiers.join(' ')));
    for (const char* systeme : {"/proc", "/sys", "/dev"})
        QVERIFY2(!dossiers.contains(QLatin1String(systeme)), systeme);
}

QTEST_GUILESS_MAIN(Test_scrute_dossier)
#include "test_scrute_dossier.moc"
