#include "ui/fenetre_principale.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStatusBar>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "lecture/transcription.h"
#include "model/encodage.h"
#include "model/erreurs.h"
#include "model/fichiers.h"
#include "ui/aide.h"
#include "ui/apercu_latex.h"
#include "ui/editeur_figure.h"
#include "ui/reglages.h"
#include "ui/tangente.h"

namespace trazel {

const char* const filtre_figures = "Fichiers Figuro (*.fgr *.FGR)";

namespace {

const QString titre_sauvegarde = QStringLiteral("Sauvegarde");
const QString titre_chargement = QStringLiteral("Chargement");
const QString titre_latex = QStringLiteral("Cr\u00e9ation d'un fichier LaTeX");
const QString question_sauvegarde = QStringLiteral("Enregistrer les modifications de la figure ?");

std::string Chemin_systeme(const QString& chemin)
{
    return QFile::encodeName(chemin).toStdString();
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

// A button that runs an action: its picture, and its tip with the action's key.
QToolButton* Bouton(const char* nom, QAction* action)
{
    auto* bouton = new QToolButton;
    bouton->setObjectName(nom);
    bouton->setDefaultAction(action);
    bouton->setIconSize(QSize(28, 28));
    bouton->setAutoRaise(true);
    return bouton;
}

// "Nouvelle figure (Ctrl+N)": the text without its ellipsis, and the key as the user's
// language writes it.
QString Bulle(const QAction& action)
{
    QString texte = action.text().remove(QStringLiteral("\u2026")).remove('&');
    if (!action.shortcut().isEmpty())
        texte += " (" + action.shortcut().toString(QKeySequence::NativeText) + ")";
    return texte;
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

void Disquette(QPainter& p)
{
    p.setBrush(QColor(90, 130, 200));
    p.drawRect(QRectF(4, 4, 24, 24));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 4, 14, 9));
    p.drawRect(QRectF(8, 18, 16, 10));
}

QIcon Icone_sauver()
{
    return Icone(Disquette);
}

// The disk with a pen across it: saved under another name.
QIcon Icone_enregistrer_sous()
{
    return Icone([](QPainter& p) {
        Disquette(p);
        p.setPen(QPen(QColor(200, 60, 30), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14, 30), QPointF(30, 14));
    });
}

QIcon Icone_aide()
{
    return Icone([](QPainter& p) {
        p.setBrush(QColor(230, 240, 255));
        p.drawEllipse(QRectF(3, 3, 26, 26));
        QFont police = p.font();
        police.setBold(true);
        police.setPixelSize(18);
        p.setFont(police);
        p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, "?");
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

TForm1::TForm1(TDialogues& dialogues, QWidget* parent) : QMainWindow(parent), dialogues_(dialogues)
{
    setObjectName("Form1");
    resize(1024, 740);
    Figure1 = new TEditeur_figure;
    Figure1->Utiliser_dialogues(dialogues_);
    Creer_actions();

    auto* barre = new QHBoxLayout;
    const auto action = [&](const char* nom) { return findChild<QAction*>(nom); };
    for (const auto& [bouton, nom] : {std::pair{"BtNouv_Fig", "ActionNouvelle"},
                                      {"BtCharger", "ActionCharger"},
                                      {"BtSauver", "ActionSauver"},
                                      {"BtEnregistrer_sous", "ActionEnregistrerSous"}})
        barre->addWidget(Bouton(bouton, action(nom)));
    barre->addSpacing(16);
    barre->addWidget(Bouton("Tangente", action("ActionTangente")));
    barre->addStretch(1);
    barre->addWidget(Bouton("Compil_Trazel", action("ActionLatex")));
    barre->addSpacing(12);
    Hauteur = Taille(barre, "Label1", "Hauteur du cadre LaTeX : ", "cm", "Label3", "Hauteur");
    barre->addSpacing(12);
    Largeur = Taille(barre, "Label2", "Largeur du cadre LaTeX : ", "cm", "Label4", "Largeur");
    barre->addSpacing(12);
    barre->addWidget(Bouton("BtAide", action("ActionAide")));

    auto* centre = new QWidget;
    auto* disposition = new QVBoxLayout(centre);
    disposition->addLayout(barre);
    disposition->addWidget(Figure1, 1);
    setCentralWidget(centre);
    statusBar();

    connect(&ScruteDossier1, &TScruteDossier::Debut, this, &TForm1::ScruteDossier1Execute);
    connect(Figure1, &TEditeur_figure::Texte_modifie, this, &TForm1::Actualiser_titre);

    // The reference copy is the freshly created editor's: an untouched figure never asks to
    // be saved.
    HTMLSauvegarde = Figure1->Corps();
    Actualiser_titre();
}

TForm1::~TForm1() = default;

// Every operation is an action: in the menus, on its button, and on its key.
void TForm1::Creer_actions()
{
    enum TMenu { fichier, figure, aide };
    struct TDefinition {
        const char* nom;
        QString texte;
        QKeySequence touche;
        QIcon icone;
        void (TForm1::*operation)();
        TMenu menu;
    };
    const TDefinition definitions[] = {
        {"ActionNouvelle", "&Nouvelle figure", QKeySequence::New, Icone_nouvelle(),
         &TForm1::BtNouv_FigClick, fichier},
        {"ActionCharger", "&Charger\u2026", QKeySequence::Open, Icone_charger(),
         &TForm1::BtChargerClick, fichier},
        {"ActionSauver", "&Sauvegarder", QKeySequence::Save, Icone_sauver(), &TForm1::BtSauverClick,
         fichier},
        {"ActionEnregistrerSous", "&Enregistrer sous\u2026",
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), Icone_enregistrer_sous(),
         &TForm1::BtEnregistrer_sousClick, fichier},
        {"ActionTangente", "Tracer une &tangente\u2026", QKeySequence(Qt::CTRL | Qt::Key_T),
         Icone_tangente(), &TForm1::TangenteClick, figure},
        {"ActionLatex", "Cr\u00e9er un fichier &LaTeX", QKeySequence(Qt::CTRL | Qt::Key_L),
         Icone_latex(), &TForm1::Compil_TrazelClick, figure},
        {"ActionAide", "&Guide de Trazel", QKeySequence::HelpContents, Icone_aide(),
         &TForm1::AideClick, aide},
    };
    QMenu* const menus[] = {menuBar()->addMenu("&Fichier"), menuBar()->addMenu("Fi&gure"),
                            menuBar()->addMenu("&Aide")};
    for (const TDefinition& d : definitions) {
        auto* action = new QAction(d.icone, d.texte, this);
        action->setObjectName(d.nom);
        action->setShortcut(d.touche);
        action->setToolTip(Bulle(*action));
        connect(action, &QAction::triggered, this, d.operation);
        addAction(action);
        menus[d.menu]->addAction(action);
    }
    menus[fichier]->addSeparator();
    QAction* quitter =
        menus[fichier]->addAction("&Quitter", QKeySequence::Quit, this, &QWidget::close);
    quitter->setObjectName("ActionQuitter");
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
        dialogues_.Erreur(this, operation, Texte_erreur_qt(erreur));
    }
}

bool TForm1::Figure_modifiee() const
{
    return Figure1->Corps() != HTMLSauvegarde;
}

void TForm1::Actualiser_titre()
{
    setWindowTitle(NomFigure.isEmpty() ? QStringLiteral("Trazel[*]")
                                       : "Trazel : " + QFileInfo(NomFigure).fileName() + "[*]");
    setWindowFilePath(NomFigure);
    setWindowModified(Figure_modifiee());
}

bool TForm1::DemanderSauvegarde()
{
    switch (dialogues_.Question_annulable(this, titre_sauvegarde, question_sauvegarde)) {
    case TReponse::oui:
        return EnregistrerFigure();
    case TReponse::non:
        return true;
    case TReponse::annuler:
        break;
    }
    return false;
}

bool TForm1::Verifier_changements()
{
    return !Figure_modifiee() || DemanderSauvegarde();
}

void TForm1::closeEvent(QCloseEvent* evenement)
{
    statusBar()->clearMessage();
    if (!Verifier_changements()) {
        evenement->ignore();
        return;
    }
    for (QWidget* fenetre : std::initializer_list<QWidget*>{form3_, form4_, aide_})
        if (fenetre != nullptr)
            fenetre->close();
    evenement->accept();
}

void TForm1::BtNouv_FigClick()
{
    statusBar()->clearMessage();
    Executer("Nouvelle figure", [&] {
        if (!Verifier_changements())
            return;
        Figure1->ExecuteLigne(Texte_qt(TexteFigureDefaut));
        NomFigure.clear();
        HTMLSauvegarde = Figure1->Corps();
        Actualiser_titre();
        Figure1->Activer();
    });
}

// The change check comes before the file dialog, as the question is about the figure shown.
void TForm1::BtChargerClick()
{
    statusBar()->clearMessage();
    if (!Verifier_changements())
        return;
    if (const std::optional<QString> chemin = dialogues_.Fichier_a_ouvrir(this, filtre_figures))
        Charger_figure(*chemin);
}

// The file is read and checked before anything changes: a file that cannot be read, or is
// not a figure, leaves the figure, its name and the reference copy as they were, so no later
// save can write over it.
bool TForm1::Charger_figure(const QString& chemin)
{
    statusBar()->clearMessage();
    std::string octets;
    try {
        octets = Lire_fichier(Chemin_systeme(chemin), taille_maximale_figure);
    } catch (const std::exception& erreur) {
        dialogues_.Erreur(this, titre_chargement,
                          "La figure n'a pas pu \u00eatre charg\u00e9e :\n" +
                              Texte_erreur_qt(erreur));
        return false;
    }
    if (const std::optional<std::string> raison = Pas_une_figure(octets)) {
        dialogues_.Erreur(this, titre_chargement,
                          "La figure n'a pas pu \u00eatre charg\u00e9e :\n" + chemin + " : " +
                              Texte_qt(*raison));
        return false;
    }
    QString lignes;
    for (const std::string& ligne : Decouper_lignes(Texte_figure_en_cp1252(octets)))
        lignes += Texte_qt(ligne) + '\r';
    // A text that is not a whole figure adds its lines to the default one.
    Figure1->ExecuteLigne(Texte_qt(TexteFigureDefaut));
    Figure1->ExecuteLigne(lignes);
    NomFigure = chemin;
    HTMLSauvegarde = Figure1->Corps();
    Actualiser_titre();
    statusBar()->showMessage("Figure charg\u00e9e : " + chemin, 5000);
    Figure1->Activer();
    return true;
}

void TForm1::BtSauverClick()
{
    EnregistrerFigure();
    Figure1->Activer();
}

void TForm1::BtEnregistrer_sousClick()
{
    Enregistrer_sous();
    Figure1->Activer();
}

bool TForm1::EnregistrerFigure()
{
    statusBar()->clearMessage();
    if (NomFigure.isEmpty())
        return Enregistrer_sous();
    return Ecrire_figure(NomFigure);
}

// A name without the ".fgr" ending gets it. The file chooser asked before replacing the file
// chosen; the name with its ending added is a file it did not see, so it is asked here.
bool TForm1::Enregistrer_sous()
{
    statusBar()->clearMessage();
    const std::optional<QString> choisi =
        dialogues_.Fichier_a_enregistrer(this, filtre_figures, NomFigure);
    if (!choisi)
        return false;
    const QString chemin = choisi->endsWith(".fgr") ? *choisi : *choisi + ".fgr";
    if (chemin != *choisi && QFileInfo::exists(chemin) &&
        !dialogues_.Question(this, titre_sauvegarde,
                             "Le fichier " + chemin +
                                 " existe d\u00e9j\u00e0. Voulez-vous le remplacer ?"))
        return false;
    if (!Ecrire_figure(chemin))
        return false;
    NomFigure = chemin;
    Actualiser_titre();
    return true;
}

bool TForm1::Ecrire_figure(const QString& chemin)
{
    try {
        CopierTexteFigure(chemin);
    } catch (const std::exception& erreur) {
        dialogues_.Erreur(this, titre_sauvegarde,
                          "La figure n'a pas \u00e9t\u00e9 enregistr\u00e9e :\n" +
                              Texte_erreur_qt(erreur));
        return false;
    }
    HTMLSauvegarde = Figure1->Corps();
    Actualiser_titre();
    statusBar()->showMessage("Figure enregistr\u00e9e : " + chemin, 5000);
    return true;
}

void TForm1::CopierTexteFigure(const QString& cible)
{
    Remplacer_fichier(Chemin_systeme(cible), Texte_a_enregistrer(Figure1->TexteFigure()));
}

// The picture is made from the file as saved: unsaved changes are offered a save first.
void TForm1::Compil_TrazelClick()
{
    statusBar()->clearMessage();
    Executer(titre_latex, [&] {
        hauteur_cadre = form2_->Evaluer_expression(Texte_cp1252(Hauteur->text()), {}, 1);
        largeur_cadre = form2_->Evaluer_expression(Texte_cp1252(Largeur->text()), {}, 1);
        if (NomFigure.isEmpty()) {
            dialogues_.Information(this, titre_latex, "Enregistrez d'abord la figure");
            return;
        }
        if (Figure_modifiee()) {
            const TReponse reponse = dialogues_.Question_annulable(
                this, titre_latex,
                "La figure a chang\u00e9 depuis son enregistrement : l'image est faite du "
                "fichier enregistr\u00e9. Enregistrer les modifications d'abord ?");
            if (reponse == TReponse::annuler || (reponse == TReponse::oui && !EnregistrerFigure()))
                return;
        }
        const std::string figure = Chemin_systeme(NomFigure);
        const TCadre_latex cadre{largeur_cadre, hauteur_cadre};
        Transcrire(figure, *form2_, cadre);
        const std::string image = Chemin_sortie(figure);
        QString texte;
        for (const std::string& ligne : Decouper_lignes(Lire_fichier(image)))
            texte += Texte_qt(ligne) + '\n';
        // The other formats are made from the same saved figure, when the preview asks.
        TForm2* const form2 = form2_;
        form3_->Afficher(
            QFile::decodeName(image.c_str()), texte, this,
            [form2, figure, cadre](TFormat_apercu format) {
                return Transcrire_texte(
                    Lire_fichier(figure, taille_maximale_figure), figure, *form2, cadre,
                    format == TFormat_apercu::svg ? TFormat_image::svg : TFormat_image::tikz, true);
            });
    });
}

void TForm1::TangenteClick()
{
    statusBar()->clearMessage();
    form4_->Ouvrir();
}

void TForm1::AideClick()
{
    if (aide_ == nullptr) {
        const QString chemin = Chemin_du_guide();
        if (chemin.isEmpty()) {
            dialogues_.Erreur(this, QStringLiteral("Aide"),
                              QStringLiteral("Le guide de Trazel est introuvable : il est "
                                             "install\u00e9 avec le programme, dans "
                                             "share/doc/trazel/docs/guide.md."));
            return;
        }
        aide_ = Fenetre_du_guide(chemin, this);
    }
    aide_->show();
    aide_->raise();
    aide_->activateWindow();
}

void TForm1::FormCreate()
{
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
