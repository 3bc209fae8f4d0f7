#include "ui/apercu_latex.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "latex/document.h"
#include "latex/ecriture.h"
#include "model/encodage.h"
#include "model/fichiers.h"
#include "ui/fenetre_principale.h"
#include "ui/processus.h"

namespace trazel {

const char* const filtre_images = "Fichiers Trazel (*.crb *.CRB)";
const char* const filtre_tikz = "Images TikZ (*.tikz *.tex)";
const char* const filtre_svg = "Images SVG (*.svg)";

namespace {

const QString titre_compilation = QStringLiteral("Compilation");

// The document's preamble lines come before the picture's in "tmp~.tex": six for
// PSTricks, four for TikZ.
constexpr int lignes_du_preambule = 6;
constexpr int lignes_du_preambule_tikz = 4;

void Supprimer(QDir dossier, const char* nom)
{
    if (dossier.exists(nom))
        dossier.remove(nom);
}

// The first error of a LaTeX log ("! ..."), with the picture line it concerns when the log
// gives one ("l.12 ...").
QString Premiere_erreur(const QString& chemin_journal, int preambule = lignes_du_preambule)
{
    QFile journal(chemin_journal);
    if (!journal.open(QIODevice::ReadOnly))
        return {};
    const QStringList lignes = QString::fromLatin1(journal.readAll()).split('\n');
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        if (!lignes[i].startsWith("! "))
            continue;
        QString message = lignes[i].trimmed();
        static const QRegularExpression numero("^l\\.(\\d+)");
        for (qsizetype k = i + 1; k < lignes.size() && k < i + 20; ++k)
            if (const auto trouve = numero.match(lignes[k]); trouve.hasMatch()) {
                const int ligne = trouve.captured(1).toInt() - preambule;
                if (ligne > 0)
                    message += QString(" (ligne %1 de l'image)").arg(ligne);
                break;
            }
        return message;
    }
    return {};
}

// Runs ghostscript and returns what it wrote on its error output (where the bounding box
// device reports); none when it could not run.
std::optional<QByteArray> Ghostscript(const QStringList& arguments)
{
    TSortie_programme sortie;
    if (Lancer_programme(
            "gs",
            QStringList{"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-dALLOWPSTRANSPARENCY"} +
                arguments,
            120000, &sortie) != TLancement::Termine ||
        sortie.code != 0)
        return std::nullopt;
    return sortie.erreurs;
}

// The resolution that fits a box of points in a size of pixels.
int Resolution(double largeur_pt, double hauteur_pt, QSize taille)
{
    if (taille.isEmpty() || largeur_pt <= 0 || hauteur_pt <= 0)
        return 100;
    const double r = std::min(taille.width() / largeur_pt, taille.height() / hauteur_pt) * 72;
    return std::clamp(static_cast<int>(r), 20, 600);
}

// Whether a row of a greyscale picture holds ink (anything darker than near white).
bool Encre(const QImage& gris, int ligne)
{
    const uchar* pixels = gris.constScanLine(ligne);
    return std::any_of(pixels, pixels + gris.width(), [](uchar p) { return p < 235; });
}

// The picture without the page number that the compile document prints at its foot: a short
// band of ink at the bottom, far below the rest, is cut away with the white above it.
QImage Sans_numero_de_page(const QImage& image)
{
    const QImage gris = image.convertToFormat(QImage::Format_Grayscale8);
    const int h = gris.height();
    int bas = h - 1;
    while (bas >= 0 && !Encre(gris, bas))
        --bas;
    int haut_bande = bas;
    while (haut_bande > 0 && Encre(gris, haut_bande - 1))
        --haut_bande;
    int reste = haut_bande - 1;
    while (reste >= 0 && !Encre(gris, reste))
        --reste;
    const int bande = bas - haut_bande + 1, ecart = haut_bande - reste - 1;
    if (reste < 0 || bande > h / 25 || ecart < h / 12)
        return image;
    return image.copy(0, 0, image.width(), std::min(h, reste + 1 + ecart / 8));
}

// The first page of the PostScript file, cropped to what it draws, fitted in `taille`.
QImage Rendre(const QString& postscript, const QString& png, QSize taille)
{
    const std::optional<QByteArray> bbox = Ghostscript({"-sDEVICE=bbox", postscript});
    if (!bbox)
        return {};
    static const QRegularExpression boite(
        "%%HiResBoundingBox: ([-\\d.]+) ([-\\d.]+) ([-\\d.]+) ([-\\d.]+)");
    const auto trouve = boite.match(QString::fromLatin1(*bbox));
    if (!trouve.hasMatch())
        return {};
    const double x0 = trouve.captured(1).toDouble() - 4, y0 = trouve.captured(2).toDouble() - 4;
    const double x1 = trouve.captured(3).toDouble() + 4, y1 = trouve.captured(4).toDouble() + 4;
    const int r = Resolution(x1 - x0, y1 - y0, taille);
    if (!Ghostscript({QString("-r%1").arg(r), "-sDEVICE=png16m",
                      QString("-dDEVICEWIDTHPOINTS=%1").arg(static_cast<int>(x1 - x0 + 1)),
                      QString("-dDEVICEHEIGHTPOINTS=%1").arg(static_cast<int>(y1 - y0 + 1)),
                      "-dFIXEDMEDIA", "-sOutputFile=" + png, "-c",
                      QString("<</Install {%1 %2 translate}>> setpagedevice").arg(-x0).arg(-y0),
                      "-f", postscript})) {
        QFile::remove(png); // a failed run may leave part of it
        return {};
    }
    QImage image(png);
    QFile::remove(png);
    return Sans_numero_de_page(image);
}

QToolButton* Bouton(const char* nom, const QString& bulle, const QString& texte)
{
    auto* bouton = new QToolButton;
    bouton->setObjectName(nom);
    bouton->setToolTip(bulle);
    bouton->setText(texte);
    bouton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return bouton;
}

// Why a compile step did not run through: the program is missing (`paquets` says what to
// install) or was stopped after two minutes; empty when it ran to its end.
QString Echec_du_lancement(TLancement lancement, const QString& programme, const QString& paquets)
{
    if (lancement == TLancement::Introuvable)
        return programme + " est introuvable : installez TeX Live" + paquets + ".";
    if (lancement == TLancement::Trop_long)
        return programme + " ne s'est pas termin\u00e9 en deux minutes : compilation interrompue.";
    return {};
}

} // namespace

TCompilation Compiler_image(const QString& chemin_image, QSize taille)
{
    QDir dossier = QDir::current();
    Supprimer(dossier, "tmp~.dvi");
    Supprimer(dossier, "tmp~.ps");
    const std::string image = Lire_fichier(QFile::encodeName(chemin_image).toStdString());
    Remplacer_fichier(QFile::encodeName(dossier.filePath("tmp~.tex")).toStdString(),
                      Document_de_compilation(image));
    TCompilation resultat;
    // "~" is active on TeX's first line: "latex tmp~.tex" stops at once with TeX Live, while
    // \input reads the same file under the same job name. LaTeX stops at its first error
    // instead of prompting, so a failed run never leaves a picture behind.
    resultat.erreur = Echec_du_lancement(
        LancerEtAttendre("latex -interaction=nonstopmode -halt-on-error \\input{tmp~.tex}"),
        "latex", " (paquets texlive-latex-base et texlive-pstricks)");
    if (resultat.erreur.isEmpty() && dossier.exists("tmp~.dvi"))
        resultat.erreur =
            Echec_du_lancement(LancerEtAttendre("dvips tmp~.dvi -o tmp~.ps"), "dvips", "");
    Supprimer(dossier, "tmp~.tex");
    if (!resultat.erreur.isEmpty())
        Supprimer(dossier, "tmp~.ps"); // a killed dvips may leave half a file
    resultat.postscript = dossier.exists("tmp~.ps");
    if (resultat.postscript)
        resultat.image = Rendre(dossier.filePath("tmp~.ps"), dossier.filePath("tmp~.png"), taille);
    else if (resultat.erreur.isEmpty())
        resultat.erreur = Premiere_erreur(dossier.filePath("tmp~.log"));
    for (const char* nom : {"tmp~.log", "tmp~.aux", "tmp~.dvi"})
        Supprimer(dossier, nom);
    return resultat;
}

TCompilation Compiler_image_tikz(const std::string& image, QSize taille)
{
    QDir dossier = QDir::current();
    for (const char* nom : {"tmp~.pdf", "tmp~.log", "tmp~.aux"})
        Supprimer(dossier, nom);
    Remplacer_fichier(QFile::encodeName(dossier.filePath("tmp~.tex")).toStdString(),
                      Document_tikz(image));
    TCompilation resultat;
    resultat.erreur = Echec_du_lancement(
        LancerEtAttendre("pdflatex -interaction=nonstopmode -halt-on-error \\input{tmp~.tex}"),
        "pdflatex", " (paquets texlive-latex-base et texlive-pictures)");
    if (resultat.erreur.isEmpty() && dossier.exists("tmp~.pdf"))
        resultat.image = Rendre(dossier.filePath("tmp~.pdf"), dossier.filePath("tmp~.png"), taille);
    else if (resultat.erreur.isEmpty())
        resultat.erreur = Premiere_erreur(dossier.filePath("tmp~.log"), lignes_du_preambule_tikz);
    for (const char* nom : {"tmp~.tex", "tmp~.pdf", "tmp~.log", "tmp~.aux"})
        Supprimer(dossier, nom);
    return resultat;
}

TForm3::TForm3(TDialogues& dialogues, QWidget* parent)
    : QWidget(parent, Qt::Window), dialogues_(dialogues)
{
    setObjectName("Form3");
    resize(1000, 600);
    RichEdit1 = new QPlainTextEdit;
    RichEdit1->setObjectName("RichEdit1");
    RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Format = new QComboBox;
    Format->setObjectName("Format");
    Format->setToolTip("Le format de l'image montr\u00e9e, enregistr\u00e9e et compil\u00e9e");
    Format->addItems({"PSTricks", "TikZ", "SVG"});
    Sauvegarder = Bouton("Sauvegarder", "Enregistrer sous", "Enregistrer sous\u2026");
    Compiler = Bouton("Compiler", "Compiler avec latex et dvips et montrer l'image", "Compiler");
    Gsview = Bouton("Gsview", "Compiler et ouvrir l'image dans le visualiseur PostScript",
                    "Visualiseur");
    ImageCompilee = new QLabel;
    ImageCompilee->setObjectName("ImageCompilee");
    ImageCompilee->setAlignment(Qt::AlignCenter);
    ImageCompilee->setMinimumSize(200, 200);
    ImageCompilee->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    ImageCompilee->setWordWrap(true);
    ImageCompilee->setStyleSheet("QLabel#ImageCompilee { background: white; }");
    ImageCompilee->installEventFilter(this);
    auto* version = new QLabel("Trazel   Version 2.19");
    version->setObjectName("Label1");

    // Alt+F reaches the list from the text, where Tab is a character.
    auto* libelle_format = new QLabel("&Format :");
    libelle_format->setBuddy(Format);
    auto* boutons = new QVBoxLayout;
    boutons->addWidget(libelle_format);
    boutons->addWidget(Format);
    for (QToolButton* bouton : {Sauvegarder, Compiler, Gsview})
        boutons->addWidget(bouton);
    boutons->addStretch(1);
    boutons->addWidget(version);
    auto* disposition = new QHBoxLayout(this);
    disposition->addWidget(RichEdit1, 1);
    disposition->addWidget(ImageCompilee, 1);
    disposition->addLayout(boutons);

    connect(Format, &QComboBox::currentIndexChanged, this, &TForm3::FormatChange);
    connect(Sauvegarder, &QToolButton::clicked, this, &TForm3::SauvegarderClick);
    connect(Compiler, &QToolButton::clicked, this, &TForm3::CompilerClick);
    connect(Gsview, &QToolButton::clicked, this, &TForm3::GsviewClick);
}

void TForm3::Associer(const TForm1& principale)
{
    principale_ = &principale;
}

void TForm3::Afficher(const QString& chemin, const QString& texte, const QWidget* voisine,
                      TTranscripteur transcrire)
{
    transcrire_ = std::move(transcrire);
    textes_ = {texte, QString(), QString()};
    format_montre_ = 0;
    {
        const QSignalBlocker silence(Format);
        Format->setCurrentIndex(0);
    }
    Format->setEnabled(static_cast<bool>(transcrire_));
    Actualiser_boutons();
    RichEdit1->setPlainText(texte);
    image_ = {};
    ImageCompilee->clear();
    setWindowTitle(chemin);
    if (!isVisible() && voisine != nullptr)
        Placer_a_cote(*this, *voisine);
    show();
    raise();
    activateWindow();
    FormActivate();
    // Once the window is on the screen, at its size.
    if (!QStandardPaths::findExecutable("latex").isEmpty()) {
        compiler_a_l_ouverture_ = true;
        ImageCompilee->setText(QStringLiteral("Compilation de l'image\u2026"));
        QTimer::singleShot(0, this, &TForm3::Compiler_a_l_ouverture);
    }
}

void TForm3::Compiler_a_l_ouverture()
{
    if (compiler_a_l_ouverture_ && !compilation_en_cours_)
        Compiler_et_montrer(true);
}

void TForm3::changeEvent(QEvent* evenement)
{
    if (evenement->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
    QWidget::changeEvent(evenement);
}

void TForm3::FormActivate()
{
    Actualiser_boutons();
}

TFormat_apercu TForm3::Format_choisi() const
{
    return static_cast<TFormat_apercu>(format_montre_);
}

void TForm3::Actualiser_boutons()
{
    const TFormat_apercu format = Format_choisi();
    Compiler->setEnabled(format != TFormat_apercu::svg);
    Compiler->setToolTip(format == TFormat_apercu::tikz
                             ? "Compiler avec pdflatex et montrer l'image"
                             : "Compiler avec latex et dvips et montrer l'image");
    Gsview->setVisible(format == TFormat_apercu::pstricks && principale_ != nullptr &&
                       principale_->GsViewInstalle);
}

// The text shown is kept for its format; the chosen format's text is made once, from the
// figure.
void TForm3::FormatChange(int index)
{
    if (index == format_montre_ || index < 0 || index >= static_cast<int>(textes_.size()))
        return;
    textes_[static_cast<std::size_t>(format_montre_)] = RichEdit1->toPlainText();
    QString& texte = textes_[static_cast<std::size_t>(index)];
    if (texte.isEmpty() && transcrire_) {
        try {
            texte = QString::fromStdString(transcrire_(static_cast<TFormat_apercu>(index)));
        } catch (const std::exception& erreur) {
            dialogues_.Erreur(this, "Format de l'image", Texte_erreur_qt(erreur));
            const QSignalBlocker silence(Format);
            Format->setCurrentIndex(format_montre_);
            return;
        }
    }
    format_montre_ = index;
    RichEdit1->setPlainText(texte);
    image_ = {};
    ImageCompilee->clear();
    Actualiser_boutons();
}

void Placer_a_cote(QWidget& fenetre, const QWidget& voisine)
{
    const QScreen* ecran = voisine.screen();
    if (ecran == nullptr)
        return;
    const QRect libre = ecran->availableGeometry();
    const QRect cadre = voisine.frameGeometry();
    const QSize taille = fenetre.frameGeometry().size().boundedTo(libre.size());
    // Without room on either side, it covers the neighbour's left part: the main window's
    // text, not its drawing.
    int x = cadre.right() + 1;
    if (x + taille.width() > libre.right() + 1)
        x = cadre.left() - taille.width() >= libre.left() ? cadre.left() - taille.width()
                                                          : libre.left();
    const int y = std::clamp(cadre.top(), libre.top(), libre.bottom() + 1 - taille.height());
    fenetre.move(x, y);
}

// Every line of the text, the last one included, is written with CR LF in Windows-1252 for
// PSTricks, with LF in UTF-8 for TikZ and SVG; an empty text gives an empty file.
void TForm3::SauvegarderClick()
{
    const TFormat_apercu format = Format_choisi();
    const char* const filtre = format == TFormat_apercu::tikz  ? filtre_tikz
                               : format == TFormat_apercu::svg ? filtre_svg
                                                               : filtre_images;
    const std::optional<QString> chemin = dialogues_.Fichier_a_enregistrer(this, filtre);
    if (!chemin)
        return;
    try {
        std::string contenu;
        const QString texte = RichEdit1->toPlainText();
        if (format == TFormat_apercu::pstricks) {
            for (const std::string& ligne : Decouper_lignes(Texte_cp1252(texte)))
                Ajouter_ligne(contenu, ligne);
        } else {
            for (const std::string& ligne : Decouper_lignes(texte.toStdString()))
                contenu.append(ligne).append("\n");
        }
        Remplacer_fichier(QFile::encodeName(*chemin).toStdString(), contenu);
    } catch (const std::exception& erreur) {
        dialogues_.Erreur(this, "Sauvegarde", Texte_erreur_qt(erreur));
    }
}

bool TForm3::Compiler_et_montrer(bool en_silence)
{
    compiler_a_l_ouverture_ = false;
    compilation_en_cours_ = true;
    const auto fin = qScopeGuard([this] { compilation_en_cours_ = false; });
    const auto signaler = [&](const QString& message) {
        if (en_silence)
            ImageCompilee->setText(message);
        else
            dialogues_.Erreur(this, titre_compilation, message);
    };
    try {
        // Twice the pane's pixels: the picture stays sharp when the window grows.
        const QSize taille = ImageCompilee->size() * devicePixelRatio() * 2;
        const TCompilation c =
            Format_choisi() == TFormat_apercu::tikz
                ? Compiler_image_tikz(RichEdit1->toPlainText().toStdString(), taille)
                : Compiler_image(windowTitle(), taille);
        image_ = c.image;
        Montrer_image();
        if (!c.erreur.isEmpty())
            signaler("LaTeX n'a pas pu compiler l'image " + windowTitle() + " :\n" + c.erreur);
        return c.postscript;
    } catch (const std::exception& erreur) {
        image_ = {};
        Montrer_image();
        signaler(Texte_erreur_qt(erreur));
        return false;
    }
}

void TForm3::Montrer_image()
{
    if (image_.isNull()) {
        ImageCompilee->clear();
        return;
    }
    const QSize taille = ImageCompilee->size() * devicePixelRatio();
    QPixmap image =
        QPixmap::fromImage(image_.scaled(taille, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    image.setDevicePixelRatio(devicePixelRatio());
    ImageCompilee->setPixmap(image);
}

bool TForm3::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == ImageCompilee && evenement->type() == QEvent::Resize && !image_.isNull())
        Montrer_image();
    return QWidget::eventFilter(objet, evenement);
}

void TForm3::CompilerClick()
{
    if (Format_choisi() != TFormat_apercu::svg)
        Compiler_et_montrer();
}

void TForm3::GsviewClick()
{
    if (Format_choisi() == TFormat_apercu::pstricks && Compiler_et_montrer() &&
        principale_ != nullptr &&
        !Ouvrir_avec(principale_->CheminGsView, "tmp~.ps", QDir::currentPath()))
        dialogues_.Erreur(this, titre_compilation,
                          "Le visualiseur " + principale_->CheminGsView +
                              " n'a pas pu \u00eatre lanc\u00e9 pour montrer l'image de " +
                              windowTitle() + ".");
}

} // namespace trazel
