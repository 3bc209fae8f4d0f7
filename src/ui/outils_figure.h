#pragma once
// The mouse side of the figure editor: the construction tools, the drag of free points, the
// attributes menu, deletion, zoom and pan of the picture window. Every action ends in figure
// lines written into the editor's text, one step of the text's undo stack per action.

#include <QElapsedTimer>
#include <QObject>
#include <QPointF>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "lecture/edition.h"
#include "ui/editeur_figure.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QMouseEvent;
class QToolBar;
class QWidget;

namespace trazel {

class TEditeur_figure;
class TVue_figure;

enum class TOutil {
    choisir, // select, drag free points
    point,
    segment,
    droite,
    demi_droite,
    cercle_point,
    cercle_rayon,
    cercle_diametre,
    cercle_circonscrit,
    milieu,
    centre_gravite,
    intersection,
    parallele,
    perpendiculaire,
    mediatrice,
    bissectrice,
    polygone,
    symetrie_axiale,
    symetrie_centrale,
    translation,
    rotation,
    homothetie,
    graphe,
    lieu,
    nombre,
};

class TOutils_figure : public QObject {
    Q_OBJECT

  public:
    TOutils_figure(TEditeur_figure& editeur, TVue_figure& vue);
    ~TOutils_figure() override;

    QToolBar* Barre() const { return barre_; }
    QLabel* Consigne() const { return consigne_; }
    // The row under the drawing: the instructions, the grid, undo and redo.
    QWidget* Pied() const { return pied_; }
    QAction* Action(TOutil outil) const { return actions_.at(outil); }
    QAction* Action_grille() const { return grille_; }
    TOutil Outil() const { return outil_; }
    void Choisir_outil(TOutil outil);
    // Calls off the tool's half-done use.
    void Abandonner();
    // The menu of the object drawn at that pixel (none where nothing is), as the right
    // button opens it.
    std::unique_ptr<QMenu> Menu_objet(QPointF pixel);
    // Removes the object of that line and, after one question, what is built on it.
    void Supprimer(int ligne);

  protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

  private:
    // One object a tool has picked, or a point it will create.
    struct TChoix {
        std::string nom;
        int ligne = 0; // 0 for a point the tool creates
        TSorte_objet sorte = TSorte_objet::point;
        Tcoordonnees position{}; // a point's; where the click was for another object
        std::string phrase;      // the lines that create a new point
    };
    enum class TAttendu { point, ligne, ligne_ou_cercle, objet, point_existant, point_mobile };

    void Creer_barre();
    std::vector<TAttendu> Attendus() const;
    QString Texte_consigne() const;
    void Montrer_consigne(const QString& texte, bool erreur = false);
    void Actualiser_esquisse(std::optional<QPointF> souris);

    void Presser(QMouseEvent& e);
    void Deplacer(QMouseEvent& e);
    void Relacher(QMouseEvent& e);
    void Molette(QPointF pixel, int crans);
    void Survoler(QPointF pixel);

    // The object under the mouse that the awaited pick takes, 0 for none.
    int Ligne_acceptee(QPointF pixel, TAttendu attendu) const;
    std::optional<TChoix> Choisir(QPointF pixel, TAttendu attendu, QString& refus);
    TChoix Nouveau_point(Tcoordonnees position);
    void Cliquer_avec_outil(QPointF pixel);
    // The lines the tool writes from its picks; none, with the reason, when the construction
    // cannot be made (or the user called it off).
    std::optional<std::string> Phrase_finale(QString& refus);
    std::optional<std::string> Phrase_image(QString& refus);
    std::optional<std::string> Phrase_intersection(QString& refus);
    std::optional<std::string> Phrase_courbe(QString& refus);
    void Ecrire(const std::string& phrase);
    void Verifier_ecriture();

    void Glisser(QPointF pixel);
    void Deplacer_fenetre(QPointF pixel);
    bool Ecrire_roxy(TEditeur_figure::TPlage_roxy roxy, bool joindre);

    std::string Nom(TSorte_nom sorte) const;
    Tcoordonnees Aimanter(Tcoordonnees p) const;
    int Decimales_ecran() const;

    TEditeur_figure& editeur_;
    TVue_figure& vue_;
    QToolBar* barre_ = nullptr;
    QLabel* consigne_ = nullptr;
    QWidget* pied_ = nullptr;
    QActionGroup* groupe_ = nullptr;
    std::map<TOutil, QAction*> actions_;
    QAction* grille_ = nullptr;
    TOutil outil_ = TOutil::choisir;
    std::vector<TChoix> choix_;
    QPointF dernier_clic_;

    // A drag under way: of a free point, or of the window.
    struct TGlisse {
        int ligne = 0;
        std::string nom;
        TSupport support;
        bool ecrit = false;
        QPointF depart;
    };
    std::optional<TGlisse> glisse_;
    struct TPanoramique {
        QPointF depart;
        TEditeur_figure::TPlage_roxy roxy;
        double echelle = 1;
        bool ecrit = false;
    };
    std::optional<TPanoramique> panoramique_;
    std::optional<QPointF> pression_; // a press that may be a click
    // The window range written last, while its reading may still be under way.
    std::optional<TEditeur_figure::TPlage_roxy> roxy_ecrite_;
    QElapsedTimer derniere_molette_;
    int pas_apres_molette_ = -1; // the undo stack's size after the last zoom
    // The tool's lines just written: if the reading marks one of them, they are taken back.
    struct TEcriture {
        std::size_t lignes_avant = 0, lignes_apres = 0;
        bool attendue = false;
    };
    TEcriture ecriture_;
};

} // namespace trazel
