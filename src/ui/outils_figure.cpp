#include "ui/outils_figure.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "lecture/lecteur.h"
#include "ui/dialogues.h"
#include "ui/vue_figure.h"

namespace trazel {
namespace {

// How near, in pixels, the mouse must be to an object to pick it.
constexpr double tolerance_pixels = 6;
// A press that moves less than this is a click, not a drag.
constexpr double seuil_glisse = 3;
// Wheel notches closer in time than this make one zoom, one step of the undo stack.
constexpr int delai_molette_ms = 600;

struct TDescription_outil {
    TOutil outil;
    const char16_t* nom;
    const char16_t* aide; // the tool tip: what to click
};

const TDescription_outil descriptions[] = {
    {TOutil::choisir, u"Choisir",
     u"Cliquez un objet pour le choisir, faites glisser un point libre"},
    {TOutil::point, u"Point", u"Cliquez o\u00f9 placer le point, ou sur une ligne ou un cercle"},
    {TOutil::segment, u"Segment", u"Cliquez les deux extr\u00e9mit\u00e9s"},
    {TOutil::droite, u"Droite", u"Cliquez deux points de la droite"},
    {TOutil::demi_droite, u"Demi-droite", u"Cliquez l'origine puis un second point"},
    {TOutil::cercle_point, u"Cercle (centre, point)", u"Cliquez le centre puis un point du cercle"},
    {TOutil::cercle_rayon, u"Cercle (centre, rayon)", u"Cliquez le centre, puis donnez le rayon"},
    {TOutil::cercle_diametre, u"Cercle (diam\u00e8tre)",
     u"Cliquez les deux extr\u00e9mit\u00e9s d'un diam\u00e8tre"},
    {TOutil::cercle_circonscrit, u"Cercle circonscrit", u"Cliquez les trois sommets du triangle"},
    {TOutil::milieu, u"Milieu", u"Cliquez les deux extr\u00e9mit\u00e9s du segment"},
    {TOutil::centre_gravite, u"Centre de gravit\u00e9", u"Cliquez les trois sommets du triangle"},
    {TOutil::intersection, u"Intersection",
     u"Cliquez deux lignes ou cercles, le second pr\u00e8s du point voulu"},
    {TOutil::parallele, u"Parall\u00e8le", u"Cliquez une droite puis un point"},
    {TOutil::perpendiculaire, u"Perpendiculaire", u"Cliquez une droite puis un point"},
    {TOutil::mediatrice, u"M\u00e9diatrice", u"Cliquez les deux extr\u00e9mit\u00e9s du segment"},
    {TOutil::bissectrice, u"Bissectrice",
     u"Cliquez trois points A, O, B : la bissectrice de l'angle AOB"},
    {TOutil::polygone, u"Polygone", u"Cliquez les sommets, puis de nouveau le premier"},
    {TOutil::symetrie_axiale, u"Sym\u00e9trie axiale", u"Cliquez l'objet puis l'axe"},
    {TOutil::symetrie_centrale, u"Sym\u00e9trie centrale", u"Cliquez l'objet puis le centre"},
    {TOutil::translation, u"Translation", u"Cliquez l'objet, puis deux points P et Q (vecteur PQ)"},
    {TOutil::rotation, u"Rotation", u"Cliquez l'objet puis le centre, puis donnez l'angle"},
    {TOutil::homothetie, u"Homoth\u00e9tie",
     u"Cliquez l'objet puis le centre, puis donnez le rapport"},
    {TOutil::graphe, u"Graphe\u2026", u"Donnez la fonction et l'intervalle"},
    {TOutil::lieu, u"Lieu", u"Cliquez le point qui trace, puis le point libre qui le m\u00e8ne"},
    {TOutil::nombre, u"Nombre ou fonction\u2026", u"Donnez le nom et la d\u00e9finition"},
};

const TDescription_outil& Description(TOutil outil)
{
    return descriptions[static_cast<int>(outil)];
}

QString Texte(const char16_t* texte)
{
    return QString::fromUtf16(texte);
}

bool Est_ligne(TSorte_objet s)
{
    return s == TSorte_objet::droite || s == TSorte_objet::segment ||
           s == TSorte_objet::demi_droite;
}

// The named colours of the attribute menu: PSTricks name, French label.
const std::pair<const char*, const char16_t*> couleurs[] = {
    {"black", u"Noir"}, {"red", u"Rouge"},      {"blue", u"Bleu"},
    {"green", u"Vert"}, {"yellow", u"Jaune"},   {"magenta", u"Rose"},
    {"cyan", u"Ciel"},  {"lightgray", u"Gris"}, {"gray", u"Gris fonc\u00e9"},
};

// Label directions of the attribute menu, degrees as the figure records them.
const std::pair<const char*, const char16_t*> directions[] = {
    {"0", u"\u00c0 droite"},   {"45", u"En haut \u00e0 droite"},
    {"90", u"Au-dessus"},      {"135", u"En haut \u00e0 gauche"},
    {"180", u"\u00c0 gauche"}, {"-135", u"En bas \u00e0 gauche"},
    {"-90", u"Au-dessous"},    {"-45", u"En bas \u00e0 droite"},
};

// A number typed by the user, with a point or a French comma.
std::optional<Reel> Nombre_saisi(QString texte)
{
    texte.replace(',', '.');
    bool ok = false;
    const double valeur = texte.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(valeur))
        return std::nullopt;
    return static_cast<Reel>(valeur);
}

bool Meme_position(Tcoordonnees a, Tcoordonnees b)
{
    return std::fabs(a.x - b.x) < 1e-9L && std::fabs(a.y - b.y) < 1e-9L;
}

} // namespace

TOutils_figure::TOutils_figure(TEditeur_figure& editeur, TVue_figure& vue)
    : editeur_(editeur), vue_(vue)
{
    consigne_ = new QLabel;
    consigne_->setObjectName("ConsigneOutil");
    consigne_->setWordWrap(true);
    Creer_barre();
    vue_.installEventFilter(this);
    vue_.setMouseTracking(true);
    vue_.setFocusPolicy(Qt::ClickFocus);
    connect(&editeur_, &TEditeur_figure::Figure_relue, this, [this] {
        if (!editeur_.Lecture_en_cours())
            roxy_ecrite_.reset();
        Verifier_ecriture();
        Actualiser_esquisse(std::nullopt);
    });
    connect(&editeur_, &TEditeur_figure::Objet_courant, this, [this](int ligne) {
        if (choix_.empty())
            vue_.Selectionner(ligne > 0 ? std::vector<int>{ligne} : std::vector<int>{});
    });
    Montrer_consigne(Texte_consigne());
}

TOutils_figure::~TOutils_figure() = default;

// The tools by family: the first of each family on the bar, the others in its menu.
void TOutils_figure::Creer_barre()
{
    barre_ = new QToolBar;
    barre_->setObjectName("OutilsFigure");
    barre_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    groupe_ = new QActionGroup(barre_);
    groupe_->setExclusive(true);
    for (const TDescription_outil& d : descriptions) {
        auto* action = new QAction(Texte(d.nom), barre_);
        action->setCheckable(true);
        action->setToolTip(Texte(d.aide));
        action->setData(static_cast<int>(d.outil));
        groupe_->addAction(action);
        actions_[d.outil] = action;
        connect(action, &QAction::triggered, this, [this, o = d.outil] { Choisir_outil(o); });
    }
    actions_[TOutil::choisir]->setChecked(true);
    const auto famille = [this](const QString& nom, std::initializer_list<TOutil> outils) {
        auto* bouton = new QToolButton;
        bouton->setText(nom);
        bouton->setPopupMode(QToolButton::InstantPopup);
        auto* menu = new QMenu(bouton);
        for (TOutil o : outils)
            menu->addAction(actions_[o]);
        bouton->setMenu(menu);
        bouton->setObjectName(QString("Famille") + nom.left(4));
        barre_->addWidget(bouton);
    };
    barre_->addAction(actions_[TOutil::choisir]);
    barre_->addAction(actions_[TOutil::point]);
    famille("Lignes", {TOutil::segment, TOutil::droite, TOutil::demi_droite, TOutil::polygone});
    famille("Cercles", {TOutil::cercle_point, TOutil::cercle_rayon, TOutil::cercle_diametre,
                        TOutil::cercle_circonscrit});
    famille("Constructions",
            {TOutil::milieu, TOutil::centre_gravite, TOutil::intersection, TOutil::parallele,
             TOutil::perpendiculaire, TOutil::mediatrice, TOutil::bissectrice});
    famille("Transformations", {TOutil::symetrie_axiale, TOutil::symetrie_centrale,
                                TOutil::translation, TOutil::rotation, TOutil::homothetie});
    famille("Courbes", {TOutil::graphe, TOutil::lieu, TOutil::nombre});
    // Below the drawing: the instructions, then the grid and the undo stack.
    pied_ = new QWidget;
    auto* rangee = new QHBoxLayout(pied_);
    rangee->setContentsMargins(0, 0, 0, 0);
    rangee->addWidget(consigne_, 1);
    auto* reglages = new QToolBar;
    reglages->setObjectName("ReglagesOutils");
    reglages->setToolButtonStyle(Qt::ToolButtonTextOnly);
    rangee->addWidget(reglages);
    grille_ = reglages->addAction(QStringLiteral("Grille"));
    grille_->setCheckable(true);
    grille_->setToolTip(QStringLiteral("Aimanter les points aux graduations des axes"));
    QAction* annuler = reglages->addAction(QStringLiteral("Annuler"));
    annuler->setToolTip(QStringLiteral("Annuler la derni\u00e8re action (Ctrl+Z)"));
    QAction* retablir = reglages->addAction(QStringLiteral("R\u00e9tablir"));
    retablir->setToolTip(QStringLiteral("R\u00e9tablir (Ctrl+Y)"));
    QPlainTextEdit* texte = editeur_.Zone_texte();
    annuler->setEnabled(false);
    retablir->setEnabled(false);
    connect(annuler, &QAction::triggered, texte, &QPlainTextEdit::undo);
    connect(retablir, &QAction::triggered, texte, &QPlainTextEdit::redo);
    connect(texte, &QPlainTextEdit::undoAvailable, annuler, &QAction::setEnabled);
    connect(texte, &QPlainTextEdit::redoAvailable, retablir, &QAction::setEnabled);
}

void TOutils_figure::Choisir_outil(TOutil outil)
{
    Abandonner();
    outil_ = outil;
    actions_[outil]->setChecked(true);
    vue_.Selectionner({});
    // The dialog tools act at once.
    if (outil == TOutil::graphe || outil == TOutil::nombre) {
        QString refus;
        if (const std::optional<std::string> phrase = Phrase_courbe(refus))
            Ecrire(*phrase);
        else if (!refus.isEmpty())
            Montrer_consigne(refus, true);
        outil_ = TOutil::choisir;
        actions_[outil_]->setChecked(true);
        return;
    }
    Montrer_consigne(Texte_consigne());
}

void TOutils_figure::Abandonner()
{
    if (glisse_ || panoramique_)
        editeur_.Esquisser(false);
    choix_.clear();
    glisse_.reset();
    panoramique_.reset();
    pression_.reset();
    vue_.Selectionner({});
    Actualiser_esquisse(std::nullopt);
    Montrer_consigne(Texte_consigne());
}

// What each tool picks, in order; the polygon takes points until it is closed.
std::vector<TOutils_figure::TAttendu> TOutils_figure::Attendus() const
{
    using A = TAttendu;
    switch (outil_) {
    case TOutil::point:
        return {A::point};
    case TOutil::segment:
    case TOutil::droite:
    case TOutil::demi_droite:
    case TOutil::cercle_point:
    case TOutil::cercle_diametre:
    case TOutil::milieu:
    case TOutil::mediatrice:
        return {A::point, A::point};
    case TOutil::cercle_rayon:
        return {A::point};
    case TOutil::intersection:
        return {A::ligne_ou_cercle, A::ligne_ou_cercle};
    case TOutil::parallele:
    case TOutil::perpendiculaire:
        return {A::ligne, A::point};
    case TOutil::bissectrice:
    case TOutil::centre_gravite:
    case TOutil::cercle_circonscrit:
        return {A::point, A::point, A::point};
    case TOutil::polygone:
        return std::vector<A>(choix_.size() + 1, A::point);
    case TOutil::symetrie_axiale:
        return {A::objet, A::ligne};
    case TOutil::symetrie_centrale:
    case TOutil::rotation:
    case TOutil::homothetie:
        return {A::objet, A::point};
    case TOutil::translation:
        return {A::objet, A::point, A::point};
    case TOutil::lieu:
        return {A::point_existant, A::point_mobile};
    default:
        return {};
    }
}

QString TOutils_figure::Texte_consigne() const
{
    const QString aide = Texte(Description(outil_).aide);
    if (choix_.empty() || outil_ == TOutil::choisir)
        return aide;
    QStringList noms;
    for (const TChoix& c : choix_)
        noms << Texte_qt(c.nom);
    return aide + QString(" \u2014 choisi : %1 (\u00c9chap pour abandonner)").arg(noms.join(", "));
}

void TOutils_figure::Montrer_consigne(const QString& texte, bool erreur)
{
    consigne_->setText(texte);
    consigne_->setStyleSheet(erreur ? QStringLiteral("color: #c00000") : QString());
}

void TOutils_figure::Actualiser_esquisse(std::optional<QPointF> souris)
{
    std::vector<Tcoordonnees> nouveaux, trace;
    std::vector<int> lignes;
    for (const TChoix& c : choix_) {
        if (c.ligne == 0)
            nouveaux.push_back(c.position);
        else
            lignes.push_back(c.ligne);
        if (c.sorte == TSorte_objet::point)
            trace.push_back(c.position);
    }
    if (!choix_.empty())
        vue_.Selectionner(lignes);
    vue_.Montrer_esquisse(nouveaux, trace, souris);
}

bool TOutils_figure::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet != &vue_)
        return QObject::eventFilter(objet, evenement);
    switch (evenement->type()) {
    case QEvent::MouseButtonPress:
        Presser(*static_cast<QMouseEvent*>(evenement));
        return true;
    case QEvent::MouseMove:
        Deplacer(*static_cast<QMouseEvent*>(evenement));
        return true;
    case QEvent::MouseButtonRelease:
        Relacher(*static_cast<QMouseEvent*>(evenement));
        return true;
    case QEvent::Wheel: {
        const auto* molette = static_cast<QWheelEvent*>(evenement);
        Molette(molette->position(), molette->angleDelta().y() / 120);
        return true;
    }
    case QEvent::Leave:
        vue_.Survoler(0);
        Actualiser_esquisse(std::nullopt);
        return false;
    case QEvent::ContextMenu: {
        const auto* menu = static_cast<QContextMenuEvent*>(evenement);
        if (std::unique_ptr<QMenu> m = Menu_objet(menu->pos()))
            m->exec(menu->globalPos());
        return true;
    }
    case QEvent::KeyPress: {
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        if (touche->key() == Qt::Key_Escape) {
            if (choix_.empty())
                Choisir_outil(TOutil::choisir);
            else
                Abandonner();
            return true;
        }
        if ((touche->key() == Qt::Key_Delete || touche->key() == Qt::Key_Backspace) &&
            vue_.Selection().size() == 1) {
            Supprimer(vue_.Selection().front());
            return true;
        }
        if (touche->matches(QKeySequence::Undo)) {
            editeur_.Zone_texte()->undo();
            return true;
        }
        if (touche->matches(QKeySequence::Redo)) {
            editeur_.Zone_texte()->redo();
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

void TOutils_figure::Presser(QMouseEvent& e)
{
    const QPointF pixel = e.position();
    if (e.button() == Qt::MiddleButton ||
        (e.button() == Qt::LeftButton && (e.modifiers() & Qt::ControlModifier))) {
        panoramique_ = TPanoramique{pixel, roxy_ecrite_.value_or(editeur_.Roxy()), vue_.Echelle()};
        vue_.setCursor(Qt::ClosedHandCursor);
        editeur_.Esquisser(true);
        return;
    }
    if (e.button() != Qt::LeftButton)
        return;
    pression_ = pixel;
    if (outil_ != TOutil::choisir)
        return;
    // A free point under a constructed one at the same place can still be dragged.
    const int ligne = vue_.Ligne_sous(pixel, tolerance_pixels, [this](int l) {
        const TObjet_edite* o = editeur_.Objet_de_la_ligne(l);
        return o != nullptr && o->sorte == TSorte_objet::point && o->support.has_value();
    });
    const TObjet_edite* point = editeur_.Objet_de_la_ligne(ligne);
    if (point != nullptr && point->support) {
        glisse_ = TGlisse{ligne, point->nom, *point->support, false, pixel};
        vue_.setCursor(Qt::ClosedHandCursor);
        editeur_.Esquisser(true);
    }
}

void TOutils_figure::Deplacer(QMouseEvent& e)
{
    const QPointF pixel = e.position();
    if (panoramique_) {
        Deplacer_fenetre(pixel);
        return;
    }
    if (glisse_) {
        if (glisse_->ecrit || QLineF(glisse_->depart, pixel).length() >= seuil_glisse)
            Glisser(pixel);
        return;
    }
    Survoler(pixel);
}

void TOutils_figure::Relacher(QMouseEvent& e)
{
    const QPointF pixel = e.position();
    if (panoramique_) {
        panoramique_.reset();
        vue_.unsetCursor();
        editeur_.Esquisser(false);
        return;
    }
    const bool glisse = glisse_ && glisse_->ecrit;
    if (glisse_)
        editeur_.Esquisser(false);
    glisse_.reset();
    vue_.unsetCursor();
    const bool clic = pression_ && QLineF(*pression_, pixel).length() < seuil_glisse;
    pression_.reset();
    if (e.button() != Qt::LeftButton || glisse || !clic)
        return;
    if (outil_ != TOutil::choisir) {
        Cliquer_avec_outil(pixel);
        return;
    }
    // A click selects the object's lines in the text, and the object in the drawing.
    const int ligne = vue_.Ligne_sous(pixel, tolerance_pixels, [this](int l) {
        return editeur_.Objet_de_la_ligne(l) != nullptr;
    });
    vue_.Selectionner(ligne > 0 ? std::vector<int>{ligne} : std::vector<int>{});
    if (ligne > 0)
        editeur_.Selectionner_objet(ligne);
}

void TOutils_figure::Survoler(QPointF pixel)
{
    const std::vector<TAttendu> attendus = Attendus();
    if (outil_ != TOutil::choisir && choix_.size() < attendus.size()) {
        vue_.Survoler(Ligne_acceptee(pixel, attendus[choix_.size()]));
        Actualiser_esquisse(pixel);
        return;
    }
    int ligne = vue_.Ligne_sous(pixel, tolerance_pixels, [this](int l) {
        const TObjet_edite* o = editeur_.Objet_de_la_ligne(l);
        return o != nullptr && o->sorte == TSorte_objet::point && o->support.has_value();
    });
    if (ligne == 0)
        ligne = vue_.Ligne_sous(pixel, tolerance_pixels,
                                [this](int l) { return editeur_.Objet_de_la_ligne(l) != nullptr; });
    vue_.Survoler(ligne);
    const TObjet_edite* objet = editeur_.Objet_de_la_ligne(ligne);
    if (objet != nullptr && objet->sorte == TSorte_objet::point && objet->support) {
        vue_.setCursor(Qt::OpenHandCursor);
        Montrer_consigne(
            QString("%1 : faites-le glisser pour le d\u00e9placer").arg(Texte_qt(objet->nom)));
    } else if (objet != nullptr && objet->sorte == TSorte_objet::point) {
        vue_.unsetCursor();
        Montrer_consigne(Texte_qt(Raison_point_fixe(*objet)));
    } else {
        vue_.unsetCursor();
        Montrer_consigne(Texte_consigne());
    }
}

int TOutils_figure::Ligne_acceptee(QPointF pixel, TAttendu attendu) const
{
    return vue_.Ligne_sous(pixel, tolerance_pixels, [this, attendu](int l) {
        const TObjet_edite* o = editeur_.Objet_de_la_ligne(l);
        if (o == nullptr)
            return false;
        switch (attendu) {
        case TAttendu::point:
            return o->sorte == TSorte_objet::point || o->porteur.has_value();
        case TAttendu::point_existant:
            return o->sorte == TSorte_objet::point;
        case TAttendu::point_mobile:
            return o->sorte == TSorte_objet::point && o->support.has_value() &&
                   o->support->sorte != TSupport::TSorte::plan;
        case TAttendu::ligne:
            return Est_ligne(o->sorte);
        case TAttendu::ligne_ou_cercle:
            return Est_ligne(o->sorte) || o->sorte == TSorte_objet::cercle;
        case TAttendu::objet:
            return o->sorte == TSorte_objet::point || Est_ligne(o->sorte) ||
                   o->sorte == TSorte_objet::cercle || o->sorte == TSorte_objet::polygone;
        }
        return false;
    });
}

std::string TOutils_figure::Nom(TSorte_nom sorte) const
{
    std::vector<std::string> pris;
    for (const TChoix& c : choix_)
        pris.push_back(c.nom);
    return Nom_libre(editeur_.Objets(), sorte, pris);
}

// On the graduation of the default axes: whole units.
Tcoordonnees TOutils_figure::Aimanter(Tcoordonnees p) const
{
    if (!grille_->isChecked())
        return p;
    return {std::round(p.x), std::round(p.y)};
}

// Enough decimals that one pixel changes the last one.
int TOutils_figure::Decimales_ecran() const
{
    return std::clamp(static_cast<int>(std::ceil(std::log10(std::max(1.0, vue_.Echelle())))), 1, 4);
}

TOutils_figure::TChoix TOutils_figure::Nouveau_point(Tcoordonnees position)
{
    TChoix c;
    c.nom = Nom(TSorte_nom::point);
    c.position = Aimanter(position);
    const int decimales = Decimales_ecran();
    c.phrase = phrase::Point_libre(c.nom, c.position, decimales);
    // Where the figure will put it, to the decimals written.
    c.position = {std::stold(Decimales(c.position.x, decimales)),
                  std::stold(Decimales(c.position.y, decimales))};
    return c;
}

// An existing object of the awaited kind, or a new point: on the line or circle clicked, or
// free where the click was.
std::optional<TOutils_figure::TChoix> TOutils_figure::Choisir(QPointF pixel, TAttendu attendu,
                                                              QString& refus)
{
    const Tcoordonnees ici = vue_.Vers_figure(pixel);
    const int ligne = Ligne_acceptee(pixel, attendu);
    const TObjet_edite* o = editeur_.Objet_de_la_ligne(ligne);
    if (o != nullptr && (attendu != TAttendu::point || o->sorte == TSorte_objet::point)) {
        TChoix c{
            o->nom, o->ligne, o->sorte, o->sorte == TSorte_objet::point ? o->position : ici, {}};
        return c;
    }
    if (attendu != TAttendu::point) {
        static const char16_t* const quoi[] = {
            u"un point",
            u"une droite, un segment ou une demi-droite",
            u"une droite, un segment ou un cercle",
            u"un point, une droite, un segment, un cercle ou un polygone",
            u"un point",
            u"un point libre sur une ligne ou un cercle"};
        refus = QString("Cliquez %1.").arg(Texte(quoi[static_cast<int>(attendu)]));
        return std::nullopt;
    }
    if (o != nullptr) { // a point on the line or circle
        const TSupport& support = *o->porteur;
        TChoix c;
        c.nom = Nom(TSorte_nom::point);
        const std::vector<Reel> t = Parametres_du_point(support, Aimanter(ici));
        c.phrase = phrase::Point_sur(c.nom, o->sorte, o->nom, t.front(), 4);
        c.position = Position_du_point(support, {std::stold(Decimales(t.front(), 4))});
        return c;
    }
    return Nouveau_point(ici);
}

void TOutils_figure::Cliquer_avec_outil(QPointF pixel)
{
    const std::vector<TAttendu> attendus = Attendus();
    if (choix_.size() >= attendus.size())
        return;
    dernier_clic_ = pixel;
    QString refus;
    std::optional<TChoix> choix = Choisir(pixel, attendus[choix_.size()], refus);
    if (!choix) {
        Montrer_consigne(refus, true);
        return;
    }
    // A polygon closes on its first vertex.
    const bool fermeture = outil_ == TOutil::polygone && !choix_.empty() && choix->ligne != 0 &&
                           choix->ligne == choix_.front().ligne;
    const bool deja = std::any_of(choix_.begin(), choix_.end(), [&](const TChoix& c) {
        return c.sorte == TSorte_objet::point && choix->sorte == TSorte_objet::point &&
               (choix->ligne != 0 ? c.ligne == choix->ligne
                                  : Meme_position(c.position, choix->position));
    });
    if (fermeture || (outil_ == TOutil::polygone && !choix_.empty() && choix->ligne == 0 &&
                      Meme_position(choix->position, choix_.front().position))) {
        if (choix_.size() < 3) {
            Montrer_consigne(QStringLiteral("Un polygone a au moins trois sommets."), true);
            return;
        }
    } else if (deja && outil_ != TOutil::lieu) {
        Montrer_consigne(
            QStringLiteral("Ce point est d\u00e9j\u00e0 choisi : choisissez-en un autre."), true);
        return;
    } else {
        choix_.push_back(std::move(*choix));
        if (outil_ == TOutil::polygone || choix_.size() < attendus.size()) {
            Montrer_consigne(Texte_consigne());
            Actualiser_esquisse(pixel);
            return;
        }
    }
    const std::optional<std::string> phrase = Phrase_finale(refus);
    if (phrase)
        Ecrire(*phrase);
    choix_.clear();
    vue_.Selectionner({});
    Actualiser_esquisse(std::nullopt);
    if (phrase)
        Montrer_consigne(Texte_consigne());
    else if (!refus.isEmpty())
        Montrer_consigne(refus, true);
}

// The lines of the new points first, then the construction.
std::optional<std::string> TOutils_figure::Phrase_finale(QString& refus)
{
    std::string debut;
    for (const TChoix& c : choix_)
        if (!c.phrase.empty())
            debut += c.phrase + '\r';
    const auto nom = [this](std::size_t k) { return choix_[k].nom; };
    std::optional<std::string> fin;
    switch (outil_) {
    case TOutil::point:
        return choix_[0].phrase.empty() ? std::nullopt : std::optional(choix_[0].phrase);
    case TOutil::segment:
        fin = phrase::Segment(nom(0), nom(1));
        break;
    case TOutil::droite:
        fin = phrase::Droite(nom(0), nom(1));
        break;
    case TOutil::demi_droite:
        fin = phrase::Demi_droite(nom(0), nom(1));
        break;
    case TOutil::cercle_point:
        fin = phrase::Cercle_centre_point(Nom(TSorte_nom::cercle), nom(0), nom(1));
        break;
    case TOutil::cercle_diametre:
        fin = phrase::Cercle_diametre(Nom(TSorte_nom::cercle), nom(0), nom(1));
        break;
    case TOutil::cercle_rayon: {
        const std::optional<QStringList> r = editeur_.Dialogues().Formulaire(
            &editeur_, QStringLiteral("Cercle de centre ") + Texte_qt(nom(0)),
            {QStringLiteral("Rayon :")}, {QStringLiteral("1")});
        if (!r || r->value(0).isEmpty())
            return std::nullopt;
        const std::optional<Reel> rayon = Nombre_saisi(r->value(0));
        if (rayon && *rayon <= 0) {
            refus = QStringLiteral("Le rayon d'un cercle est un nombre positif.");
            return std::nullopt;
        }
        fin = phrase::Cercle_centre_rayon(Nom(TSorte_nom::cercle), nom(0),
                                          rayon ? Decimales(*rayon, 6) : Texte_cp1252(r->value(0)));
        break;
    }
    case TOutil::milieu:
        fin = phrase::Milieu(Nom(TSorte_nom::point), nom(0), nom(1));
        break;
    case TOutil::centre_gravite:
    case TOutil::cercle_circonscrit: {
        // A flat triangle has neither.
        if (!Centre_circonscrit(choix_[0].position, choix_[1].position, choix_[2].position)) {
            refus = QString("Les points %1, %2 et %3 sont align\u00e9s : ils ne forment pas un "
                            "triangle. Rien n'est \u00e9crit.")
                        .arg(Texte_qt(nom(0)), Texte_qt(nom(1)), Texte_qt(nom(2)));
            return std::nullopt;
        }
        fin = outil_ == TOutil::centre_gravite
                  ? phrase::Centre_de_gravite(Nom(TSorte_nom::point), nom(0), nom(1), nom(2))
                  : phrase::Cercle_circonscrit(Nom(TSorte_nom::cercle), nom(0), nom(1), nom(2));
        break;
    }
    case TOutil::mediatrice:
        fin = phrase::Mediatrice(Nom(TSorte_nom::droite), nom(0), nom(1));
        break;
    case TOutil::bissectrice:
        fin = phrase::Bissectrice(Nom(TSorte_nom::droite), nom(0), nom(1), nom(2));
        break;
    case TOutil::parallele:
        fin = phrase::Parallele(Nom(TSorte_nom::droite), nom(0), nom(1));
        break;
    case TOutil::perpendiculaire:
        fin = phrase::Perpendiculaire(Nom(TSorte_nom::droite), nom(0), nom(1));
        break;
    case TOutil::polygone: {
        std::vector<std::string> sommets;
        for (const TChoix& c : choix_)
            sommets.push_back(c.nom);
        fin = phrase::Polygone(Nom(TSorte_nom::polygone), sommets);
        break;
    }
    case TOutil::intersection:
        fin = Phrase_intersection(refus);
        break;
    case TOutil::lieu:
        fin = Phrase_courbe(refus);
        break;
    default:
        fin = Phrase_image(refus);
        break;
    }
    if (!fin)
        return std::nullopt;
    return debut + *fin;
}

std::optional<std::string> TOutils_figure::Phrase_intersection(QString& refus)
{
    const TObjet_edite* a = editeur_.Objet_de_la_ligne(choix_[0].ligne);
    const TObjet_edite* b = editeur_.Objet_de_la_ligne(choix_[1].ligne);
    if (a == nullptr || b == nullptr || a == b) {
        refus = QStringLiteral("Choisissez deux objets distincts.");
        return std::nullopt;
    }
    if (Est_ligne(b->sorte) && !Est_ligne(a->sorte))
        std::swap(a, b);
    const Tcoordonnees clic = vue_.Vers_figure(dernier_clic_);
    const auto plus_pres = [&](const Tdeux_points& m) {
        return Norme(Vecteur_de(clic, m.m1)) <= Norme(Vecteur_de(clic, m.m2));
    };
    const std::string nom = Nom(TSorte_nom::point);
    const QString noms = Texte_qt(a->nom) + " et " + Texte_qt(b->nom);
    if (Est_ligne(a->sorte) && Est_ligne(b->sorte)) {
        if (!Intersection_droites(a->droite, b->droite)) {
            refus = "Les droites " + noms +
                    " sont parall\u00e8les : elles n'ont pas de point "
                    "d'intersection. Rien n'est \u00e9crit.";
            return std::nullopt;
        }
        return phrase::Intersection_droites(nom, a->nom, b->nom);
    }
    if (Est_ligne(a->sorte)) {
        const std::optional<Tdeux_points> m = Intersection_droite_cercle(a->droite, b->cercle);
        if (!m) {
            refus = "La droite et le cercle " + noms + " ne se coupent pas. Rien n'est \u00e9crit.";
            return std::nullopt;
        }
        // The line and circle's first common point is the resolver's m2.
        return phrase::Intersection_droite_cercle(nom, a->nom, b->nom, plus_pres(*m) ? 2 : 1);
    }
    const std::optional<Tdeux_points> m = Intersection_cercles(a->cercle, b->cercle);
    if (!m) {
        refus = "Les cercles " + noms + " ne se coupent pas. Rien n'est \u00e9crit.";
        return std::nullopt;
    }
    return phrase::Intersection_cercles(nom, a->nom, b->nom, plus_pres(*m) ? 1 : 2);
}

// The image of a point is described in place; lines and circles need a named
// transformation; a segment, a half-line or a polygon is rebuilt from its points' images.
std::optional<std::string> TOutils_figure::Phrase_image(QString& refus)
{
    const TChoix& objet = choix_[0];
    std::string par, transformation;
    const std::string t = Nom(TSorte_nom::transformation);
    switch (outil_) {
    case TOutil::symetrie_axiale:
        par = phrase::Par_symetrie_axiale(choix_[1].nom);
        transformation = phrase::Symetrie_axiale(t, choix_[1].nom);
        break;
    case TOutil::symetrie_centrale:
        par = phrase::Par_symetrie_centrale(choix_[1].nom);
        transformation = phrase::Symetrie_centrale(t, choix_[1].nom);
        break;
    case TOutil::translation:
        par = phrase::Par_translation(choix_[1].nom, choix_[2].nom);
        transformation = phrase::Translation(t, choix_[1].nom, choix_[2].nom);
        break;
    case TOutil::rotation:
    case TOutil::homothetie: {
        const bool rotation = outil_ == TOutil::rotation;
        const std::optional<QStringList> r = editeur_.Dialogues().Formulaire(
            &editeur_, rotation ? QStringLiteral("Rotation") : QStringLiteral("Homoth\u00e9tie"),
            {rotation ? QStringLiteral("Angle (en degr\u00e9s) :") : QStringLiteral("Rapport :")},
            {rotation ? QStringLiteral("90") : QStringLiteral("2")});
        if (!r || r->value(0).isEmpty())
            return std::nullopt;
        const std::optional<Reel> valeur = Nombre_saisi(r->value(0));
        const std::string texte = valeur ? Decimales(*valeur, 6) : Texte_cp1252(r->value(0));
        if (!rotation && valeur && *valeur == 0) {
            refus = QStringLiteral("Une homoth\u00e9tie de rapport 0 n'en est pas une.");
            return std::nullopt;
        }
        par = rotation ? phrase::Par_rotation(choix_[1].nom, texte)
                       : phrase::Par_homothetie(choix_[1].nom, texte);
        transformation = rotation ? phrase::Rotation(t, choix_[1].nom, texte)
                                  : phrase::Homothetie(t, choix_[1].nom, texte);
        break;
    }
    default:
        return std::nullopt;
    }
    if (objet.sorte == TSorte_objet::point)
        return phrase::Image_point(Nom(TSorte_nom::point), objet.nom, par);
    if (objet.sorte == TSorte_objet::droite)
        return transformation + '\r' + phrase::Image_droite(Nom(TSorte_nom::droite), objet.nom, t);
    if (objet.sorte == TSorte_objet::cercle)
        return transformation + '\r' + phrase::Image_cercle(Nom(TSorte_nom::cercle), objet.nom, t);
    // Points of a segment, a half-line or a polygon: the objects it is built on.
    const TObjet_edite* o = editeur_.Objet_de_la_ligne(objet.ligne);
    std::vector<std::string> images;
    std::string lignes;
    std::vector<std::string> pris;
    for (const TChoix& c : choix_)
        pris.push_back(c.nom);
    const std::vector<TObjet_edite>& objets = editeur_.Objets();
    std::vector<Tcoordonnees> sommets = o->sommets;
    if (o->sorte != TSorte_objet::polygone)
        sommets = {o->extremite1, o->extremite2};
    for (const Tcoordonnees& s : sommets) {
        const auto trouve = std::find_if(o->appuis.begin(), o->appuis.end(), [&](std::size_t k) {
            return objets[k].sorte == TSorte_objet::point && Meme_position(objets[k].position, s);
        });
        if (trouve == o->appuis.end()) {
            refus = QStringLiteral("Les sommets de cet objet ne se retrouvent pas.");
            return std::nullopt;
        }
        const std::string image = Nom_libre(objets, TSorte_nom::point, pris);
        pris.push_back(image);
        images.push_back(image);
        lignes += phrase::Image_point(image, objets[*trouve].nom, par) + '\r';
    }
    if (o->sorte == TSorte_objet::polygone)
        return lignes + phrase::Polygone(Nom_libre(objets, TSorte_nom::polygone, pris), images);
    if (o->sorte == TSorte_objet::segment)
        return lignes + phrase::Segment(images[0], images[1]);
    return lignes + phrase::Demi_droite(images[0], images[1]);
}

// Graphs and numbers ask their definition; a locus asks its number of points.
std::optional<std::string> TOutils_figure::Phrase_courbe(QString& refus)
{
    TDialogues& dialogues = editeur_.Dialogues();
    std::vector<std::string> pris;
    if (outil_ == TOutil::lieu) {
        const std::optional<QStringList> r = dialogues.Formulaire(
            &editeur_, QStringLiteral("Lieu du point ") + Texte_qt(choix_[0].nom),
            {QStringLiteral("Nombre de points :")}, {QStringLiteral("100")});
        if (!r)
            return std::nullopt;
        const int n = r->value(0).toInt();
        if (n < 2) {
            refus = QStringLiteral("Un lieu se trace avec au moins deux points.");
            return std::nullopt;
        }
        return phrase::Lieu(Nom(TSorte_nom::courbe), choix_[0].nom, choix_[1].nom, n);
    }
    if (outil_ == TOutil::nombre) {
        const std::optional<QStringList> r = dialogues.Formulaire(
            &editeur_, QStringLiteral("Nombre ou fonction"),
            {QStringLiteral("Nom :"), QStringLiteral("Variable (vide pour un nombre) :"),
             QStringLiteral("D\u00e9finition :")},
            {Texte_qt(Nom(TSorte_nom::nombre)), QString(), QStringLiteral("1")});
        if (!r)
            return std::nullopt;
        const std::string nom = Texte_cp1252(r->value(0));
        if (nom.empty() || r->value(2).isEmpty() || r->value(0).contains(' ')) {
            refus = QStringLiteral("Donnez un nom sans espace et une d\u00e9finition.");
            return std::nullopt;
        }
        QString definition = r->value(2);
        definition.remove(' ');
        if (r->value(1).isEmpty())
            return phrase::Nombre(nom, Texte_cp1252(definition));
        return phrase::Fonction(nom, Texte_cp1252(r->value(1)), Texte_cp1252(definition));
    }
    // A graph: of a function of the figure, or of an expression in x defined on the way.
    std::string fonctions;
    for (const TObjet_edite& o : editeur_.Objets())
        if (o.code == TCode::fonction)
            fonctions = o.nom;
    const TEditeur_figure::TPlage_roxy roxy = editeur_.Roxy();
    const std::optional<QStringList> r = dialogues.Formulaire(
        &editeur_, QStringLiteral("Graphe d'une fonction"),
        {QStringLiteral("Fonction (nom, ou expression en x) :"), QStringLiteral("De :"),
         QStringLiteral("\u00c0 :"), QStringLiteral("Nombre de points :")},
        {fonctions.empty() ? QStringLiteral("x^2-1") : Texte_qt(fonctions),
         Texte_qt(Decimales(roxy.xmin, 2)), Texte_qt(Decimales(roxy.xmax, 2)),
         QStringLiteral("200")});
    if (!r)
        return std::nullopt;
    QString f = r->value(0);
    f.remove(' ');
    const std::optional<Reel> de = Nombre_saisi(r->value(1));
    const std::optional<Reel> a = Nombre_saisi(r->value(2));
    const int n = r->value(3).toInt();
    if (f.isEmpty() || !de || !a || !(*de < *a) || n < 2) {
        refus = QStringLiteral("Donnez une fonction, un intervalle [de, \u00e0] avec de < \u00e0, "
                               "et au moins deux points.");
        return std::nullopt;
    }
    std::string lignes;
    std::string nom_f = Texte_cp1252(f);
    const bool existe =
        std::any_of(editeur_.Objets().begin(), editeur_.Objets().end(), [&](const TObjet_edite& o) {
            return o.code == TCode::fonction && o.nom == nom_f;
        });
    if (!existe) {
        const std::string corps = nom_f;
        nom_f = Nom_libre(editeur_.Objets(), TSorte_nom::fonction);
        lignes = phrase::Fonction(nom_f, "x", corps) + '\r';
    }
    return lignes + phrase::Graphe(Nom_libre(editeur_.Objets(), TSorte_nom::courbe), nom_f,
                                   Decimales(*de, 4), Decimales(*a, 4), n);
}

// Written as one step of the undo stack; the reading that follows checks the new lines.
void TOutils_figure::Ecrire(const std::string& phrase)
{
    ecriture_.lignes_avant = editeur_.Lignes().size();
    editeur_.ExecuteLigne(Texte_qt(phrase));
    ecriture_.lignes_apres = editeur_.Lignes().size();
    ecriture_.attendue = true;
}

// A construction the reading skips or stops at is taken back, with the reason.
void TOutils_figure::Verifier_ecriture()
{
    if (!ecriture_.attendue || editeur_.Lecture_en_cours())
        return;
    ecriture_.attendue = false;
    const std::vector<std::string> lignes = editeur_.Lignes();
    if (lignes.size() != ecriture_.lignes_apres)
        return;
    const std::size_t ajoutees = ecriture_.lignes_apres - ecriture_.lignes_avant;
    // The new lines stand just before the comment section.
    std::size_t fin = lignes.size();
    for (std::size_t k = 0; k < lignes.size(); ++k)
        if (lignes[k].rfind("Commentaire", 0) == 0) {
            fin = k;
            while (fin > 0 && lignes[fin - 1].empty())
                --fin;
            break;
        }
    const std::size_t debut = fin >= ajoutees ? fin - ajoutees : 0;
    for (const TEditeur_figure::TMarque& marque : editeur_.Marques()) {
        const auto ligne = static_cast<std::size_t>(marque.ligne);
        if (ligne > debut && ligne <= fin) {
            editeur_.Zone_texte()->undo();
            Montrer_consigne("Construction impossible, rien n'est \u00e9crit : " + marque.raison,
                             true);
            return;
        }
    }
}

void TOutils_figure::Glisser(QPointF pixel)
{
    TGlisse& g = *glisse_;
    const Tcoordonnees cible = Aimanter(vue_.Vers_figure(pixel));
    const std::vector<Reel> parametres = Parametres_du_point(g.support, cible);
    const int decimales =
        g.support.sorte == TSupport::TSorte::plan || g.support.sorte == TSupport::TSorte::repere
            ? Decimales_ecran()
            : 4;
    std::vector<std::string> lignes = editeur_.Lignes();
    if (!Remplacer_parametres(lignes, g.ligne, Ligne_parametres(g.nom, parametres, decimales)))
        return;
    // The first change opens the drag's step of the undo stack, the others join it.
    if (editeur_.Remplacer_lignes(lignes, g.ecrit))
        g.ecrit = true;
}

void TOutils_figure::Deplacer_fenetre(QPointF pixel)
{
    TPanoramique& p = *panoramique_;
    const QPointF d = (pixel - p.depart) / p.echelle;
    TEditeur_figure::TPlage_roxy roxy = p.roxy;
    roxy.xmin -= static_cast<Reel>(d.x());
    roxy.xmax -= static_cast<Reel>(d.x());
    roxy.ymax += static_cast<Reel>(d.y());
    if (Ecrire_roxy(roxy, p.ecrit))
        p.ecrit = true;
}

// Zooms about the figure point under the mouse: the window's edges scale towards it.
void TOutils_figure::Molette(QPointF pixel, int crans)
{
    if (crans == 0)
        return;
    const Reel k = std::pow(1.25L, -static_cast<Reel>(crans));
    const Tcoordonnees p = vue_.Vers_figure(pixel);
    TEditeur_figure::TPlage_roxy roxy = roxy_ecrite_.value_or(editeur_.Roxy());
    roxy.xmin = p.x + k * (roxy.xmin - p.x);
    roxy.xmax = p.x + k * (roxy.xmax - p.x);
    roxy.ymax = p.y + k * (roxy.ymax - p.y);
    // Notches in quick succession, with nothing done between them, make one step.
    QTextDocument* document = editeur_.Zone_texte()->document();
    const bool joindre = derniere_molette_.isValid() &&
                         derniere_molette_.elapsed() < delai_molette_ms &&
                         document->availableUndoSteps() == pas_apres_molette_;
    if (Ecrire_roxy(roxy, joindre)) {
        derniere_molette_.start();
        pas_apres_molette_ = document->availableUndoSteps();
    }
}

bool TOutils_figure::Ecrire_roxy(TEditeur_figure::TPlage_roxy roxy, bool joindre)
{
    std::vector<std::string> lignes = editeur_.Lignes();
    const std::vector<std::string_view> vues(lignes.begin(), lignes.end());
    const std::optional<std::size_t> ou = Ligne_position_roxy(vues);
    if (!ou)
        return false;
    const int decimales = Decimales_ecran();
    lignes[*ou] = Ligne_position_roxy(roxy.xmin, roxy.xmax, roxy.ymax, decimales);
    roxy_ecrite_ = roxy;
    return editeur_.Remplacer_lignes(lignes, joindre);
}

std::unique_ptr<QMenu> TOutils_figure::Menu_objet(QPointF pixel)
{
    const int ligne = vue_.Ligne_sous(pixel, tolerance_pixels, [this](int l) {
        return editeur_.Objet_de_la_ligne(l) != nullptr;
    });
    const TObjet_edite* o = editeur_.Objet_de_la_ligne(ligne);
    if (o == nullptr)
        return nullptr;
    auto menu = std::make_unique<QMenu>();
    menu->setObjectName("MenuObjet");
    menu->addSection(Texte_qt(o->nom));
    const TObjet_edite objet = *o;
    // Each entry writes the object's attribute line with one attribute changed.
    const auto entree = [this, objet](QMenu* dans, const QString& texte, bool coche, auto changer) {
        QAction* action = dans->addAction(texte);
        action->setCheckable(true);
        action->setChecked(coche);
        connect(action, &QAction::triggered, this, [this, objet, changer] {
            TAttributs a = objet.attributs;
            changer(a);
            std::vector<std::string> lignes = editeur_.Lignes();
            Remplacer_particularites(lignes, objet.ligne,
                                     Ligne_particularites(objet.nom, a, objet.sorte));
            editeur_.Remplacer_lignes(lignes);
        });
    };
    if (objet.a_des_attributs) {
        QMenu* couleur = menu->addMenu(QStringLiteral("Couleur"));
        for (const auto& [nom, texte] : couleurs)
            if (objet.sorte != TSorte_objet::point || std::string(nom) != "lightgray")
                entree(couleur, Texte(texte), objet.attributs.couleur == nom,
                       [n = std::string(nom)](TAttributs& a) { a.couleur = n; });
        if (objet.sorte != TSorte_objet::point) {
            QMenu* style = menu->addMenu(QStringLiteral("Trait"));
            entree(style, QStringLiteral("Plein"), objet.attributs.style == "solid",
                   [](TAttributs& a) { a.style = "solid"; });
            entree(style, QStringLiteral("Tiret\u00e9"), objet.attributs.style == "dashed",
                   [](TAttributs& a) { a.style = "dashed"; });
        }
        entree(menu.get(), QStringLiteral("Dessin\u00e9"), objet.attributs.dessine,
               [](TAttributs& a) { a.dessine = !a.dessine; });
    }
    if (objet.sorte == TSorte_objet::point) {
        QMenu* marque = menu->addMenu(QStringLiteral("Marque"));
        entree(marque, QStringLiteral("Normale"), objet.attributs.marque == "1",
               [](TAttributs& a) { a.marque = "1"; });
        entree(marque, QStringLiteral("\u00c9paisse"), objet.attributs.marque == "1.5",
               [](TAttributs& a) { a.marque = "1.5"; });
        entree(marque, QStringLiteral("Fine"), objet.attributs.marque == "0.5",
               [](TAttributs& a) { a.marque = "0.5"; });
        QMenu* nom = menu->addMenu(QStringLiteral("Nom"));
        entree(nom, QStringLiteral("Affich\u00e9"), objet.attributs.nom_dessine,
               [](TAttributs& a) { a.nom_dessine = !a.nom_dessine; });
        nom->addSeparator();
        for (const auto& [direction, texte] : directions)
            entree(nom, Texte(texte), objet.attributs.position_nom == direction,
                   [d = std::string(direction)](TAttributs& a) { a.position_nom = d; });
    }
    menu->addSeparator();
    menu->addAction(QStringLiteral("Voir dans le texte"), this,
                    [this, ligne] { editeur_.Selectionner_objet(ligne); });
    menu->addAction(QStringLiteral("Supprimer\u2026"), this, [this, ligne] { Supprimer(ligne); });
    return menu;
}

void TOutils_figure::Supprimer(int ligne)
{
    const std::vector<TObjet_edite>& objets = editeur_.Objets();
    const TObjet_edite* o = editeur_.Objet_de_la_ligne(ligne);
    if (o == nullptr)
        return;
    const auto indice = static_cast<std::size_t>(o - objets.data());
    std::vector<std::size_t> a_supprimer = Objets_dependants(objets, indice);
    if (!a_supprimer.empty()) {
        QStringList noms;
        for (std::size_t k : a_supprimer)
            noms << Texte_qt(objets[k].nom);
        if (!editeur_.Dialogues().Question(
                &editeur_, QStringLiteral("Supprimer ") + Texte_qt(o->nom),
                QString("Ces objets sont construits sur %1 et seront supprim\u00e9s avec lui : "
                        "%2. Continuer ?")
                    .arg(Texte_qt(o->nom), noms.join(", "))))
            return;
    }
    a_supprimer.push_back(indice);
    std::vector<std::string> lignes = editeur_.Lignes();
    std::vector<TPlage> plages;
    for (std::size_t k : a_supprimer)
        plages.push_back(Plage_de_l_objet(lignes, objets[k].ligne));
    std::sort(plages.begin(), plages.end(),
              [](const TPlage& a, const TPlage& b) { return a.debut > b.debut; });
    for (const TPlage& p : plages)
        lignes.erase(lignes.begin() + static_cast<std::ptrdiff_t>(p.debut),
                     lignes.begin() + static_cast<std::ptrdiff_t>(p.fin));
    vue_.Selectionner({});
    editeur_.Remplacer_lignes(lignes);
}

} // namespace trazel
