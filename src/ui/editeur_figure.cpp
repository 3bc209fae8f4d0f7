#include "ui/editeur_figure.h"

#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QSettings>
#include <QSplitter>
#include <QTextBlock>
#include <QToolBar>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <chrono>

#include "latex/scene.h"
#include "lecture/figure_gardee.h"
#include "lecture/lecteur.h"
#include "lecture/transcription.h"
#include "model/erreurs.h"
#include "ui/dialogues.h"
#include "ui/outils_figure.h"
#include "ui/vue_figure.h"

namespace trazel {

const char* const TexteFigureDefaut =
    "Figure Figuro\r"
    "Num\xE9ro de version: 2\r"
    "Position de Roxy: Xmin: -5, Xmax: 5, Ymax: 5\r"
    "Objet dessinable Roxy, particularit\xE9s: rouge, dessin\xE9\r"
    "\r"
    "Commentaire\r"
    "Fin de la figure";

namespace {

// A short pause after the last keystroke before the figure is read and drawn again.
constexpr int delai_relecture_ms = 250;
// A drag redraws at every mouse move: a figure whose whole reading takes longer than this is
// sketched with at most `echantillons_esquisse` samples per curve meanwhile.
constexpr double duree_glissement_ms = 12;
constexpr long echantillons_esquisse = 100;
// Where the split between the text and the drawing is kept between sessions.
const char* const cle_separation = "editeur/separation";
// The marks' colours: a skipped line, and the line the reading stopped at.
const QColor orange(230, 120, 0);
const QColor rouge(220, 0, 0);

// The lines of a text given with CR (or LF, or CR LF) separators; a final separator does not
// start another line.
QStringList Lignes_du_texte(const QString& texte)
{
    QString normal = texte;
    normal.replace("\r\n", "\n");
    normal.replace('\r', '\n');
    QStringList lignes = normal.split('\n');
    if (!lignes.isEmpty() && lignes.back().isEmpty())
        lignes.pop_back();
    return lignes;
}

// Empty lines after "Fin de la figure" (a file saved with extra line ends) are dropped.
bool Est_figure_complete(QStringList& lignes)
{
    qsizetype fin = lignes.size();
    while (fin > 0 && lignes[fin - 1].isEmpty())
        --fin;
    if (fin < 2 || lignes.front() != "Figure Figuro" || lignes[fin - 1] != "Fin de la figure")
        return false;
    lignes.resize(fin);
    return true;
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

std::string Texte_a_enregistrer(const QString& texte_figure)
{
    std::string contenu;
    for (QString ligne : texte_figure.split("\r\n")) {
        if (ligne.startsWith("   "))
            ligne.remove(0, 1);
        contenu += Texte_cp1252(ligne) + "\r\n";
    }
    return contenu;
}

TZone_texte::TZone_texte(QWidget* parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    // Long lines wrap: a line is still one line of the figure (one block).
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
}

int TZone_texte::Ligne_sous(QPoint position) const
{
    const QTextBlock bloc = cursorForPosition(position).block();
    if (!bloc.isValid() ||
        !blockBoundingGeometry(bloc).translated(contentOffset()).contains(position))
        return 0;
    return bloc.blockNumber() + 1;
}

void TZone_texte::insertFromMimeData(const QMimeData* source)
{
    if (!source->hasText())
        return;
    QString texte = source->text();
    texte.replace('\t', "  ");
    insertPlainText(texte);
    ensureCursorVisible();
}

TEditeur_figure::TEditeur_figure(QWidget* parent)
    : QWidget(parent), dialogues_propres_(std::make_unique<TDialogues_qt>()),
      dialogues_(dialogues_propres_.get()), form2_(std::make_unique<TForm2>())
{
    setObjectName("Figure1");
    texte_ = new TZone_texte;
    texte_->setObjectName("TexteFigure");
    QFont police("Monospace");
    police.setStyleHint(QFont::TypeWriter);
    texte_->setFont(police);
    texte_->viewport()->installEventFilter(this);
    vue_ = new TVue_figure;
    etat_ = new QLabel;
    etat_->setObjectName("EtatFigure");
    etat_->setWordWrap(true);
    liste_marques_ = new QListWidget;
    liste_marques_->setObjectName("ListeMarques");
    liste_marques_->setToolTip(QStringLiteral("Cliquez sur une ligne pour y aller"));
    liste_marques_->hide();

    auto* gauche = new QWidget;
    auto* colonne = new QVBoxLayout(gauche);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->addWidget(texte_, 1);
    colonne->addWidget(liste_marques_);
    separation_ = new QSplitter(Qt::Horizontal);
    separation_->setObjectName("Separation");
    separation_->addWidget(gauche);
    // The drawing, with the tools' instructions below it.
    outils_ = std::make_unique<TOutils_figure>(*this, *vue_);
    auto* droite = new QWidget;
    auto* colonne_dessin = new QVBoxLayout(droite);
    colonne_dessin->setContentsMargins(0, 0, 0, 0);
    colonne_dessin->setSpacing(2);
    colonne_dessin->addWidget(vue_, 1);
    colonne_dessin->addWidget(outils_->Pied());
    separation_->addWidget(droite);
    separation_->setStretchFactor(0, 1);
    separation_->setStretchFactor(1, 1);
    separation_restauree_ =
        separation_->restoreState(QSettings().value(cle_separation).toByteArray());
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    // The tools span the editor: the drawing's half is too narrow for all of them.
    disposition->addWidget(outils_->Barre());
    disposition->addWidget(separation_, 1);
    disposition->addWidget(etat_);

    relecture_.setSingleShot(true);
    relecture_.setInterval(delai_relecture_ms);
    connect(&relecture_, &QTimer::timeout, this, &TEditeur_figure::Lancer_lecture);
    connect(texte_, &QPlainTextEdit::textChanged, this, [this] {
        ++revision_;
        relecture_.start();
        emit Texte_modifie();
    });
    connect(&surveillance_, &QFutureWatcherBase::finished, this, &TEditeur_figure::Lecture_finie);
    connect(texte_, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        const int objet = Objet_sous_le_curseur();
        if (objet == objet_courant_)
            return;
        objet_courant_ = objet;
        emit Objet_courant(objet);
    });
    // A click, or Enter on the entry chosen with the arrows.
    const auto aller = [this](QListWidgetItem* element) {
        Aller_a_la_ligne(element->data(Qt::UserRole).toInt());
    };
    connect(liste_marques_, &QListWidget::itemClicked, this, aller);
    connect(liste_marques_, &QListWidget::itemActivated, this, aller);
    ExecuteLigne(Texte_qt(TexteFigureDefaut));
    Attendre_lecture();
}

// Without a split kept from an earlier session, the text gets a little more than half the
// width: its lines are long.
void TEditeur_figure::showEvent(QShowEvent* evenement)
{
    if (!separation_restauree_) {
        separation_restauree_ = true;
        const int largeur = separation_->width();
        separation_->setSizes({largeur * 11 / 20, largeur - largeur * 11 / 20});
    }
    QWidget::showEvent(evenement);
}

// The reading under way uses this editor's variables.
TEditeur_figure::~TEditeur_figure()
{
    QSettings().setValue(cle_separation, separation_->saveState());
    if (lecture_en_cours_)
        lecture_.waitForFinished();
}

// In the editor every line feed separates two lines, a final one included.
QString TEditeur_figure::TexteFigure() const
{
    return texte_->toPlainText().split('\n').join("\r\n");
}

void TEditeur_figure::ExecuteLigne(const QString& texte)
{
    QStringList lignes = Lignes_du_texte(texte);
    if (Est_figure_complete(lignes)) {
        // A saved figure has an empty line after its version line; the reader counts on it.
        if (lignes.size() > 2 && !lignes[2].isEmpty())
            lignes.insert(2, QString());
        texte_->setPlainText(lignes.join('\n'));
        Lancer_lecture();
        return;
    }
    // Added lines are one step of the undo stack, like a mouse action.
    std::vector<std::string> nouvelles = Lignes();
    const qsizetype ou = Avant_commentaire(texte_->toPlainText().split('\n'));
    std::vector<std::string> ajoutees;
    for (const QString& ligne : lignes)
        ajoutees.push_back(Texte_cp1252(ligne));
    nouvelles.insert(nouvelles.begin() + ou, ajoutees.begin(), ajoutees.end());
    Remplacer_lignes(nouvelles);
}

void TEditeur_figure::Activer()
{
    texte_->setFocus();
}

QString TEditeur_figure::Corps() const
{
    return TexteFigure();
}

QString TEditeur_figure::Raison_de_la_ligne(int ligne) const
{
    QStringList raisons;
    for (const TMarque& marque : marques_)
        if (marque.ligne == ligne)
            raisons << marque.raison;
    return raisons.join('\n');
}

// Reads the figure as the transcription would: the lines it skipped (or the line it stopped
// at) and the drawing of what it computed. Runs on a worker thread: nothing here touches a
// widget. A text that differs from the last one read only by the parameters a drag writes is
// taken by the kept figure in place, which gives the same figure without reading it again.
TEditeur_figure::TLecture TEditeur_figure::Lire(TForm2& form2,
                                                std::unique_ptr<TFigure_gardee>& gardee,
                                                const std::string& octets, long echantillons_max)
{
    const auto debut = std::chrono::steady_clock::now();
    TLecture lecture;
    lecture.esquisse = echantillons_max > 0;
    std::vector<TLigne_ignoree> ignorees;
    const auto faute = [&](int ligne, int utilisation, const char* message) {
        gardee.reset();
        const QString texte = Texte_qt(message);
        if (ligne > 0)
            lecture.marques.push_back({ligne, texte, true});
        if (utilisation > 0)
            lecture.marques.push_back(
                {utilisation, QString("utilise la ligne %1, en faute : ").arg(ligne) + texte,
                 true});
        lecture.etat = (ligne > 0 ? QString("Ligne %1 : ").arg(ligne) : QString()) + texte;
    };
    const auto dessiner = [&](bool en_place) {
        if (en_place) {
            ignorees = gardee->ignorees();
        } else {
            gardee.reset();
            gardee = std::make_unique<TFigure_gardee>(octets, "figure", form2, &ignorees);
        }
        for (TEtape* etape = gardee->premiere(); etape != nullptr; etape = etape->suivante)
            if (etape->code() == TCode::premiere) {
                const TReperexoy& roxy = *Donnee<TReperexoy>(Dernier_argument(etape->arguments));
                lecture.roxy = {roxy.xmin, roxy.xmax, roxy.ymax};
                break;
            }
        lecture.scene = gardee->Scene(form2, {}, echantillons_max);
        lecture.objets = Objets_edites(gardee->premiere(), gardee->figure());
    };
    try {
        const bool en_place = gardee && gardee->Prendre(octets, form2);
        try {
            dessiner(en_place);
        } catch (const std::exception&) {
            // Taken in place, a figure whose drawing fails is read again, for the fault's
            // message as a reading gives it.
            if (!en_place)
                throw;
            dessiner(false);
        }
    } catch (const Erreur_figure& erreur) {
        faute(erreur.ligne(), erreur.utilisation(), erreur.what());
    } catch (const Erreur_etape& erreur) {
        faute(erreur.ligne(), erreur.utilisation(), erreur.what());
    } catch (const std::exception& erreur) {
        gardee.reset();
        lecture.etat = Texte_qt(erreur.what());
    }
    for (const TLigne_ignoree& ligne : ignorees)
        lecture.marques.push_back({ligne.numero, Texte_qt(ligne.raison), false});
    std::stable_sort(lecture.marques.begin(), lecture.marques.end(),
                     [](const TMarque& a, const TMarque& b) { return a.ligne < b.ligne; });
    if (lecture.etat.isEmpty() && !ignorees.empty())
        lecture.etat = QString("%1 ligne(s) ignor\u00e9e(s), soulign\u00e9e(s) en orange")
                           .arg(ignorees.size());
    lecture.duree_ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut).count();
    return lecture;
}

// One reading at a time: a change made meanwhile is read when it ends.
void TEditeur_figure::Lancer_lecture()
{
    relecture_.stop();
    if (lecture_en_cours_)
        return;
    revision_lue_ = revision_;
    lecture_en_cours_ = true;
    const long echantillons_max =
        glissement_ && duree_pleine_ms_ > duree_glissement_ms ? echantillons_esquisse : 0;
    lecture_ = QtConcurrent::run(
        [form2 = form2_.get(), gardee = &gardee_, octets = Texte_cp1252(TexteFigure()),
         echantillons_max] { return Lire(*form2, *gardee, octets, echantillons_max); });
    surveillance_.setFuture(lecture_);
}

// A reading of a text changed since is not shown: the text is read again, now or once the
// typing pauses.
void TEditeur_figure::Lecture_finie()
{
    if (!lecture_en_cours_ || !lecture_.isFinished())
        return;
    lecture_en_cours_ = false;
    TLecture lecture = lecture_.takeResult();
    if (!lecture.esquisse)
        duree_pleine_ms_ = lecture.duree_ms;
    if (revision_lue_ == revision_)
        Appliquer(std::move(lecture));
    else if (!relecture_.isActive())
        Lancer_lecture();
}

void TEditeur_figure::Attendre_lecture()
{
    while (lecture_en_cours_ || relecture_.isActive() || revision_lue_ != revision_) {
        if (!lecture_en_cours_)
            Lancer_lecture();
        lecture_.waitForFinished();
        Lecture_finie();
    }
}

void TEditeur_figure::Relire()
{
    ++revision_;
    Attendre_lecture();
}

// A text that does not read keeps the last good drawing, greyed.
void TEditeur_figure::Appliquer(TLecture lecture)
{
    marques_ = std::move(lecture.marques);
    esquisse_montree_ = lecture.esquisse;
    if (lecture.scene) {
        objets_ = std::move(lecture.objets);
        roxy_ = lecture.roxy;
        vue_->Afficher(std::move(*lecture.scene));
    } else {
        const auto faute = std::find_if(marques_.begin(), marques_.end(),
                                        [](const TMarque& m) { return m.erreur; });
        vue_->Perimer(faute == marques_.end()
                          ? QStringLiteral("Dernier dessin lisible : la figure ne se lit pas.")
                          : QString("Dernier dessin lisible : corrigez la ligne %1 pour le "
                                    "mettre \u00e0 jour.")
                                .arg(faute->ligne));
    }
    etat_->setText(lecture.etat);
    Marquer_lignes();
    emit Figure_relue();
}

// Skipped lines are underlined in orange, the line that stops the reading in red, and all
// are listed under the text.
void TEditeur_figure::Marquer_lignes()
{
    QList<QTextEdit::ExtraSelection> selections;
    liste_marques_->clear();
    for (const TMarque& marque : marques_) {
        QTextEdit::ExtraSelection selection;
        selection.cursor = QTextCursor(texte_->document()->findBlockByNumber(marque.ligne - 1));
        selection.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        selection.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        selection.format.setUnderlineColor(marque.erreur ? rouge : orange);
        selections.append(selection);
        auto* element = new QListWidgetItem(
            QString("Ligne %1 : %2").arg(marque.ligne).arg(marque.raison), liste_marques_);
        element->setData(Qt::UserRole, marque.ligne);
        element->setForeground(marque.erreur ? rouge : orange.darker(130));
    }
    texte_->setExtraSelections(selections);
    // As high as its lines, up to five of them.
    const int lignes = std::min<int>(liste_marques_->count(), 5);
    if (lignes > 0)
        liste_marques_->setFixedHeight(lignes * liste_marques_->sizeHintForRow(0) +
                                       2 * liste_marques_->frameWidth() + 2);
    liste_marques_->setVisible(!marques_.empty());
}

void TEditeur_figure::Aller_a_la_ligne(int ligne)
{
    const QTextBlock bloc = texte_->document()->findBlockByNumber(ligne - 1);
    if (!bloc.isValid())
        return;
    texte_->setTextCursor(QTextCursor(bloc));
    texte_->centerCursor();
    texte_->setFocus();
}

// Over a marked line, its reasons; elsewhere no tip.
bool TEditeur_figure::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet != texte_->viewport() || evenement->type() != QEvent::ToolTip)
        return QWidget::eventFilter(objet, evenement);
    const auto* aide = static_cast<QHelpEvent*>(evenement);
    const QString raison = Raison_de_la_ligne(texte_->Ligne_sous(aide->pos()));
    if (raison.isEmpty()) {
        QToolTip::hideText();
        evenement->ignore();
    } else {
        QToolTip::showText(aide->globalPos(), raison, texte_->viewport());
    }
    return true;
}

const TObjet_edite* TEditeur_figure::Objet_de_la_ligne(int ligne) const
{
    const auto trouve =
        std::lower_bound(objets_.begin(), objets_.end(), ligne,
                         [](const TObjet_edite& objet, int l) { return objet.ligne < l; });
    return trouve != objets_.end() && trouve->ligne == ligne ? &*trouve : nullptr;
}

std::vector<std::string> TEditeur_figure::Lignes() const
{
    std::vector<std::string> lignes;
    for (const QString& ligne : texte_->toPlainText().split('\n'))
        lignes.push_back(Texte_cp1252(ligne));
    return lignes;
}

// The lines that differ are those between the longest common head and tail of the two texts.
bool TEditeur_figure::Remplacer_lignes(const std::vector<std::string>& lignes, bool joindre)
{
    const QStringList anciennes = texte_->toPlainText().split('\n');
    QStringList nouvelles;
    for (const std::string& ligne : lignes)
        nouvelles << Texte_qt(ligne);
    qsizetype debut = 0;
    while (debut < anciennes.size() && debut < nouvelles.size() &&
           anciennes[debut] == nouvelles[debut])
        ++debut;
    qsizetype fin_a = anciennes.size(), fin_n = nouvelles.size();
    while (fin_a > debut && fin_n > debut && anciennes[fin_a - 1] == nouvelles[fin_n - 1])
        --fin_a, --fin_n;
    if (fin_a == debut && fin_n == debut)
        return false;
    QTextDocument* document = texte_->document();
    const auto debut_de = [document](qsizetype k) {
        return document->findBlockByNumber(static_cast<int>(k)).position();
    };
    const auto fin_de = [document](qsizetype k) {
        const QTextBlock bloc = document->findBlockByNumber(static_cast<int>(k));
        return bloc.position() + bloc.length() - 1;
    };
    const QString milieu = nouvelles.mid(debut, fin_n - debut).join('\n');
    QTextCursor c(document);
    joindre ? c.joinPreviousEditBlock() : c.beginEditBlock();
    if (fin_n == debut) { // lines removed, with one of their separators
        if (fin_a < anciennes.size()) {
            c.setPosition(debut_de(debut));
            c.setPosition(debut_de(fin_a), QTextCursor::KeepAnchor);
        } else if (debut == 0) {
            c.select(QTextCursor::Document);
        } else {
            c.setPosition(fin_de(debut - 1));
            c.setPosition(fin_de(fin_a - 1), QTextCursor::KeepAnchor);
        }
        c.removeSelectedText();
    } else if (fin_a > debut) { // lines replaced
        c.setPosition(debut_de(debut));
        c.setPosition(fin_de(fin_a - 1), QTextCursor::KeepAnchor);
        c.insertText(milieu);
    } else if (debut < anciennes.size()) { // lines inserted before another
        c.setPosition(debut_de(debut));
        c.insertText(milieu + '\n');
    } else { // lines added at the end
        c.movePosition(QTextCursor::End);
        c.insertText('\n' + milieu);
    }
    c.endEditBlock();
    Lancer_lecture();
    return true;
}

void TEditeur_figure::Selectionner_objet(int ligne)
{
    const std::vector<std::string> lignes = Lignes();
    if (ligne < 1 || static_cast<std::size_t>(ligne) > lignes.size())
        return;
    const TPlage plage = Plage_de_l_objet(lignes, ligne);
    QTextDocument* document = texte_->document();
    QTextCursor c(document->findBlockByNumber(static_cast<int>(plage.debut)));
    const QTextBlock dernier = document->findBlockByNumber(static_cast<int>(plage.fin) - 1);
    c.setPosition(dernier.position() + dernier.length() - 1, QTextCursor::KeepAnchor);
    texte_->setTextCursor(c);
    texte_->ensureCursorVisible();
}

// The object's lines are its own and the indented ones after it: walked in the document, so
// that a move of the cursor converts no text.
int TEditeur_figure::Objet_sous_le_curseur() const
{
    const int ligne = texte_->textCursor().blockNumber() + 1;
    const auto apres =
        std::upper_bound(objets_.begin(), objets_.end(), ligne,
                         [](int l, const TObjet_edite& objet) { return l < objet.ligne; });
    if (apres == objets_.begin())
        return 0;
    const int objet = std::prev(apres)->ligne;
    QTextBlock bloc = texte_->document()->findBlockByNumber(objet - 1);
    for (int l = objet; bloc.isValid() && l < ligne; ++l) {
        bloc = bloc.next();
        if (!bloc.isValid() || !bloc.text().startsWith("  "))
            return 0;
    }
    return bloc.isValid() ? objet : 0;
}

void TEditeur_figure::Esquisser(bool pendant_un_glissement)
{
    glissement_ = pendant_un_glissement;
    // The sketch shown at the end of a drag is replaced by the whole drawing.
    if (!glissement_ && (esquisse_montree_ || lecture_en_cours_)) {
        ++revision_;
        Lancer_lecture();
    }
}

void TEditeur_figure::Utiliser_dialogues(TDialogues& dialogues)
{
    dialogues_ = &dialogues;
}

} // namespace trazel
