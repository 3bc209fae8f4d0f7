#include "ui/fenetre_principale.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QStatusBar>
#include <QVBoxLayout>

#include "model/encodage.h"
#include "model/erreurs.h"
#include "model/fichiers.h"
#include "model/lecteur.h"
#include "model/transcription.h"
#include "ui/apercu_latex.h"
#include "ui/editeur_figure.h"
#include "ui/reglages.h"
#include "ui/tangente.h"

namespace trazel {

const char* const filtre_figures = "Fichiers Figuro (*.fgr *.FGR)";

namespace {

const QString titre_sauvegarde = QStringLiteral("Sauvegarde");
const QString titre_latex = QString::fromUtf8("Cr\xC3\xA9" "ation d'un fichier LaTeX");

std::string Chemin_systeme(const QString& chemin)
{
    return QFile::encodeName(chemin).toStdString();
}

// The message of a failure: the file and line it concerns, then what went wrong.
QString Message(const std::exception& erreur)
{
    if (const auto* figure = dynamic_cast<const Erreur_figure*>(&erreur)) {
        QString lieu = QFile::decodeName(figure->chemin().c_str());
        if (figure->ligne() > 0)
            lieu += QString(", ligne %1").arg(figure->ligne());
        return lieu + " : " + Texte_qt(figure->what());
    }
    if (const auto* fichier = dynamic_cast<const Erreur_fichier*>(&erreur))
        return QFile::decodeName(fichier->chemin().c_str()) + " : " + Texte_qt(fichier->what());
    return Texte_qt(erreur.what());
}

// The buttons' pictures, drawn here rather than shipped as files.
QIcon Icone(const std::function<void(QPainter&)>& dessin)
{
    QPixmap image(32, 32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    dessin(p);
    return QIcon(image);
}

QToolButton* Bouton(const char* nom, const QString& bulle, const QIcon& icone)
{
    auto* bouton = new QToolButton;
    bouton->setObjectName(nom);
    bouton->setToolTip(bulle);
    bouton->setIcon(icone);
    bouton->setIconSize(QSize(28, 28));
    bouton->setAutoRaise(true);
    return bouton;
}

QIcon Icone_nouvelle()
{
    return Icone([](QPainter& p) {
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({{7, 3}, {20, 3}, {26, 9}, {26, 29}, {7, 29}}));
        p.drawLine(QPointF(20, 3), QPointF(20, 9));
        p.drawLine(QPointF(20, 9), QPointF(26, 9));
    });
}

QIcon Icone_charger()
{
    return Icone([](QPainter& p) {
        p.setBrush(QColor(240, 200, 90));
        p.drawPolygon(QPolygonF({{3, 9}, {12, 9}, {15, 12}, {29, 12}, {29, 27}, {3, 27}}));
    });
}

QIcon Icone_sauver()
{
    return Icone([](QPainter& p) {
        p.setBrush(QColor(90, 130, 200));
        p.drawRect(QRectF(4, 4, 24, 24));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 4, 14, 9));
        p.drawRect(QRectF(8, 18, 16, 10));
    });
}

QIcon Icone_tangente()
{
    return Icone([](QPainter& p) {
        QPainterPath courbe(QPointF(3, 27));
        courbe.quadTo(QPointF(16, -6), QPointF(29, 27));
        p.drawPath(courbe);
        p.setPen(QPen(QColor(220, 30, 30), 2));
        p.drawLine(QPointF(2, 10.5), QPointF(30, 10.5));
    });
}

QIcon Icone_latex()
{
    return Icone([](QPainter& p) {
        QFont police = p.font();
        police.setBold(true);
        police.setPixelSize(14);
        p.setFont(police);
        p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, "TeX");
    });
}

// "Hauteur du cadre LaTeX : [10] cm".
QLineEdit* Taille(QHBoxLayout* ligne, const char* etiquette, const QString& texte,
                  const char* unite, const char* nom_unite, const char* nom)
{
    auto* libelle = new QLabel(texte);
    libelle->setObjectName(etiquette);
    auto* edit = new QLineEdit("10");
    edit->setObjectName(nom);
    edit->setFixedWidth(60);
    auto* cm = new QLabel(unite);
    cm->setObjectName(nom_unite);
    ligne->addWidget(libelle);
    ligne->addWidget(edit);
    ligne->addWidget(cm);
    return edit;
}

} // namespace

TForm1::TForm1(TDialogues& dialogues, QWidget* parent)
    : QMainWindow(parent), dialogues_(dialogues)
{
    setObjectName("Form1");
    setWindowTitle("Trazel");
    resize(1024, 740);

    auto* bt_nouv = Bouton("BtNouv_Fig", "Nouvelle figure", Icone_nouvelle());
    auto* bt_charger = Bouton("BtCharger", "Charger", Icone_charger());
    auto* bt_sauver = Bouton("BtSauver", "Sauvegarder", Icone_sauver());
    auto* bt_tangente = Bouton("Tangente", "Tracer une tangente", Icone_tangente());
    auto* bt_latex =
        Bouton("Compil_Trazel", QString::fromUtf8("Cr\xC3\xA9" "er un fichier LaTeX"), Icone_latex());

    auto* barre = new QHBoxLayout;
    for (QToolButton* bouton : {bt_nouv, bt_charger, bt_sauver})
        barre->addWidget(bouton);
    barre->addSpacing(16);
    barre->addWidget(bt_tangente);
    barre->addStretch(1);
    barre->addWidget(bt_latex);
    barre->addSpacing(12);
    Hauteur = Taille(barre, "Label1", "Hauteur du cadre LaTeX : ", "cm", "Label3", "Hauteur");
    barre->addSpacing(12);
    Largeur = Taille(barre, "Label2", "Largeur du cadre LaTeX : ", "cm", "Label4", "Largeur");

    Figure1 = new TEditeur_figure;
    auto* centre = new QWidget;
    auto* disposition = new QVBoxLayout(centre);
    disposition->addLayout(barre);
    disposition->addWidget(Figure1, 1);
    setCentralWidget(centre);
    statusBar();

    connect(bt_nouv, &QToolButton::clicked, this, &TForm1::BtNouv_FigClick);
    connect(bt_charger, &QToolButton::clicked, this, &TForm1::BtChargerClick);
    connect(bt_sauver, &QToolButton::clicked, this, &TForm1::BtSauverClick);
    connect(bt_tangente, &QToolButton::clicked, this, &TForm1::TangenteClick);
    connect(bt_latex, &QToolButton::clicked, this, &TForm1::Compil_TrazelClick);
    connect(&ScruteDossier1, &TScruteDossier::Debut, this, &TForm1::ScruteDossier1Execute);

    // The reference copy is the freshly created editor's: an untouched figure never asks to
    // be saved.
    HTMLSauvegarde = Figure1->Corps();
}

void TForm1::Associer(TForm2& form2, TForm3& form3, TForm4& form4)
{
    form2_ = &form2;
    form3_ = &form3;
    form4_ = &form4;
}

void TForm1::Executer(const QString& operation, const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& erreur) {
        dialogues_.Erreur(this, operation, Message(erreur));
    }
}

void TForm1::Executer_en_silence(const QString& operation, const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& erreur) {
        statusBar()->showMessage(operation + " impossible : " + Message(erreur));
    }
}

void TForm1::DemanderSauvegarde()
{
    if (dialogues_.Question(nullptr, titre_sauvegarde, "Voulez-vous enregistrer la figure ?"))
        EnregistrerFigure();
}

void TForm1::Verifier_changements()
{
    if (Figure1->Corps() != HTMLSauvegarde)
        DemanderSauvegarde();
}

void TForm1::BtNouv_FigClick()
{
    Executer("Nouvelle figure", [&] {
        Verifier_changements();
        Figure1->ExecuteLigne(Texte_qt(TexteFigureDefaut));
        setWindowTitle("Trazel");
        NomFigure.clear();
        HTMLSauvegarde = Figure1->Corps();
        Figure1->Activer();
    });
}

// The file is read before anything changes: a file that cannot be read leaves the figure,
// its name and the reference copy as they were, so no later save can write the default
// figure over it.
void TForm1::BtChargerClick()
{
    Verifier_changements();
    if (const std::optional<QString> chemin = dialogues_.Fichier_a_ouvrir(this, filtre_figures))
        Charger_figure(*chemin);
}

void TForm1::Charger_figure(const QString& chemin)
{
    Executer_en_silence("Chargement", [&] {
        const std::string texte =
            Texte_figure_en_cp1252(Lire_fichier(Chemin_systeme(chemin), taille_maximale_figure));
        QString lignes;
        for (const std::string& ligne : Decouper_lignes(texte))
            lignes += Texte_qt(ligne) + '\r';
        NomFigure = chemin;
        Figure1->ExecuteLigne(Texte_qt(TexteFigureDefaut));
        Figure1->ExecuteLigne(lignes);
        setWindowTitle("Trazel : " + chemin);
        HTMLSauvegarde = Figure1->Corps();
        Figure1->Activer();
    });
}

void TForm1::BtSauverClick()
{
    EnregistrerFigure();
    Figure1->Activer();
}

void TForm1::EnregistrerFigure()
{
    Executer_en_silence("Sauvegarde", [&] {
        if (NomFigure.isEmpty()) {
            const std::optional<QString> chemin =
                dialogues_.Fichier_a_enregistrer(this, filtre_figures);
            if (!chemin)
                return;
            NomFigure = chemin->endsWith(".fgr") ? *chemin : *chemin + ".fgr";
        }
        CopierTexteFigure(NomFigure);
        HTMLSauvegarde = Figure1->Corps();
        statusBar()->showMessage(QString::fromUtf8("Figure enregistr\xC3\xA9" "e : ") + NomFigure,
                                 5000);
    });
}

void TForm1::CopierTexteFigure(const QString& cible)
{
    std::string contenu;
    for (QString ligne : Figure1->TexteFigure().split("\r\n")) {
        if (ligne.startsWith("   "))
            ligne.remove(0, 1);
        contenu += Texte_cp1252(ligne) + "\r\n";
    }
    Remplacer_fichier(Chemin_systeme(cible), contenu);
}

void TForm1::Compil_TrazelClick()
{
    Executer(titre_latex, [&] {
        hauteur_cadre = form2_->Evaluer_expression(Texte_cp1252(Hauteur->text()), {}, 1);
        largeur_cadre = form2_->Evaluer_expression(Texte_cp1252(Largeur->text()), {}, 1);
        if (NomFigure.isEmpty()) {
            dialogues_.Information(this, titre_latex, "Enregistrez d'abord la figure");
            return;
        }
        const std::string figure = Chemin_systeme(NomFigure);
        Transcrire(figure, *form2_, {largeur_cadre, hauteur_cadre});
        const std::string image = Chemin_sortie(figure);
        QString texte;
        for (const std::string& ligne : Decouper_lignes(Lire_fichier(image)))
            texte += Texte_qt(ligne) + '\n';
        form3_->Afficher(QFile::decodeName(image.c_str()), texte);
    });
}

void TForm1::TangenteClick()
{
    Executer_en_silence("Tangente", [&] {
        CopierTexteFigure(fichier_figure_tangente);
        // An open dialog must be activated again to read the new "temp2.~".
        form4_->show();
        form4_->raise();
        form4_->activateWindow();
    });
}

void TForm1::FormCreate()
{
    NomFigure.clear();
    Executer("Installation", [&] {
        const TReglages reglages =
            Demarrer_reglages(QDir::currentPath(), dialogues_, this, ScruteDossier1);
        GsViewInstalle = reglages.GsViewInstalle;
        CheminGsView = reglages.CheminGsView;
    });
}

void TForm1::ScruteDossier1Execute()
{
    Regler_recherche_visionneuse(ScruteDossier1);
}

} // namespace trazel
