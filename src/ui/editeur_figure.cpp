#include "ui/editeur_figure.h"

#include <QLabel>
#include <QSplitter>
#include <QTextBlock>
#include <QToolTip>
#include <QVBoxLayout>

#include "latex/scene.h"
#include "model/erreurs.h"
#include "model/lecteur.h"
#include "model/transcription.h"
#include "ui/dialogues.h"
#include "ui/vue_figure.h"

namespace trazel {

const char* const TexteFigureDefaut = "Figure Figuro\r"
                                      "Num\xE9ro de version: 2\r"
                                      "Position de Roxy: Xmin: -5, Xmax: 5, Ymax: 5\r"
                                      "Objet dessinable Roxy, particularit\xE9s: rouge, dessin\xE9\r"
                                      "\r"
                                      "Commentaire\r"
                                      "Fin de la figure";

namespace {

// A short pause after the last keystroke before the figure is read and drawn again.
constexpr int delai_relecture_ms = 250;

// The lines of a text given with CR (or LF, or CR LF) separators; a final separator does not
// start another line.
QStringList Lignes(const QString& texte)
{
    QString normal = texte;
    normal.replace("\r\n", "\n");
    normal.replace('\r', '\n');
    QStringList lignes = normal.split('\n');
    if (!lignes.isEmpty() && lignes.back().isEmpty())
        lignes.pop_back();
    return lignes;
}

bool Est_figure_complete(const QStringList& lignes)
{
    return lignes.size() >= 2 && lignes.front() == "Figure Figuro" &&
           lignes.back() == "Fin de la figure";
}

// The index where construction lines go: before the empty lines that precede the
// "Commentaire" line, or at the end.
qsizetype Avant_commentaire(const QStringList& lignes)
{
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        if (!lignes[i].startsWith("Commentaire"))
            continue;
        while (i > 0 && lignes[i - 1].isEmpty())
            --i;
        return i;
    }
    return lignes.size();
}

} // namespace

TEditeur_figure::TEditeur_figure(QWidget* parent) : QWidget(parent)
{
    setObjectName("Figure1");
    texte_ = new QPlainTextEdit;
    texte_->setObjectName("TexteFigure");
    texte_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont police("Monospace");
    police.setStyleHint(QFont::TypeWriter);
    texte_->setFont(police);
    vue_ = new TVue_figure;
    etat_ = new QLabel;
    etat_->setObjectName("EtatFigure");
    etat_->setWordWrap(true);

    auto* separation = new QSplitter(Qt::Horizontal);
    separation->addWidget(texte_);
    separation->addWidget(vue_);
    separation->setStretchFactor(0, 1);
    separation->setStretchFactor(1, 1);
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(separation, 1);
    disposition->addWidget(etat_);

    relecture_.setSingleShot(true);
    relecture_.setInterval(delai_relecture_ms);
    connect(&relecture_, &QTimer::timeout, this, &TEditeur_figure::Relire);
    connect(texte_, &QPlainTextEdit::textChanged, &relecture_, qOverload<>(&QTimer::start));
    ExecuteLigne(Texte_qt(TexteFigureDefaut));
}

TEditeur_figure::~TEditeur_figure() = default;

// In the editor every line feed separates two lines, a final one included.
QString TEditeur_figure::TexteFigure() const
{
    return texte_->toPlainText().split('\n').join("\r\n");
}

void TEditeur_figure::ExecuteLigne(const QString& texte)
{
    QStringList lignes = Lignes(texte);
    if (Est_figure_complete(lignes)) {
        // A saved figure has an empty line after its version line; the reader counts on it.
        if (lignes.size() > 2 && !lignes[2].isEmpty())
            lignes.insert(2, QString());
        texte_->setPlainText(lignes.join('\n'));
    } else {
        QStringList figure = texte_->toPlainText().split('\n');
        const qsizetype ou = Avant_commentaire(figure);
        for (qsizetype k = 0; k < lignes.size(); ++k)
            figure.insert(ou + k, lignes[k]);
        texte_->setPlainText(figure.join('\n'));
    }
    Relire();
}

void TEditeur_figure::Activer()
{
    texte_->setFocus();
}

QString TEditeur_figure::Corps() const
{
    return TexteFigure();
}

// Reads the figure as the transcription would, marks the lines it skipped (or the line it
// stopped at) and draws what it could compute.
void TEditeur_figure::Relire()
{
    relecture_.stop();
    marques_.clear();
    const std::string octets = Texte_cp1252(TexteFigure());
    std::vector<TLigne_ignoree> ignorees;
    QString etat;
    try {
        form2_.Reinitialiser();
        TFigure figure;
        TEtape* premiere = Lire_texte_figure(octets, "figure", figure, form2_, &ignorees);
        vue_->Afficher(Scene_de_la_figure(premiere, figure, form2_, {}));
    } catch (const Erreur_figure& erreur) {
        Marquer_faute(erreur.ligne(), erreur.what(), etat);
    } catch (const Erreur_etape& erreur) {
        Marquer_faute(erreur.ligne(), erreur.what(), etat);
    } catch (const std::exception& erreur) {
        vue_->Effacer();
        etat = Texte_qt(erreur.what());
    }
    for (const TLigne_ignoree& ligne : ignorees)
        marques_.push_back({ligne.numero, Texte_qt(ligne.raison), false});
    if (etat.isEmpty() && !ignorees.empty())
        etat = QString("%1 ligne(s) ignor\u00e9e(s), soulign\u00e9e(s) en orange")
                   .arg(ignorees.size());
    etat_->setText(etat);
    Marquer_lignes();
    emit Figure_relue();
}

// The line a fault names (none when 0) is marked in red; the drawing is cleared.
void TEditeur_figure::Marquer_faute(int ligne, const char* message, QString& etat)
{
    if (ligne > 0)
        marques_.push_back({ligne, Texte_qt(message), true});
    vue_->Effacer();
    etat = (ligne > 0 ? QString("Ligne %1 : ").arg(ligne) : QString()) + Texte_qt(message);
}

// Skipped lines are underlined in orange, the line that stops the reading in red; the
// reason shows as the line's tool tip.
void TEditeur_figure::Marquer_lignes()
{
    QList<QTextEdit::ExtraSelection> selections;
    for (const TMarque& marque : marques_) {
        QTextEdit::ExtraSelection selection;
        selection.cursor = QTextCursor(texte_->document()->findBlockByNumber(marque.ligne - 1));
        selection.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        selection.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        selection.format.setUnderlineColor(marque.erreur ? Qt::red : QColor(255, 140, 0));
        selection.format.setToolTip(marque.raison);
        selections.append(selection);
    }
    texte_->setExtraSelections(selections);
}

} // namespace trazel
