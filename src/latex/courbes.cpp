#include "latex/courbes.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "calc/conversion_chaines.h"
#include "calc/geometrie.h"
#include "calc/vecteurs.h"
#include "latex/points.h"
#include "latex/texte_image.h"
#include "model/erreurs.h"

namespace trazel {
namespace {

std::string Entier(long n)
{
    return std::to_string(n);
}

std::string Nom_du_pilote(const TPilote& pilote)
{
    return pilote.par_objet ? (pilote.point != nullptr ? pilote.point->nom : std::string())
                            : std::string(pilote.nom);
}

// What the messages about a locus start with.
std::string Sujet_lieu(const Tpoint& trace, const TPilote& pilote)
{
    return "lieu du point " + Guillemets(trace.nom) + " selon " + Guillemets(Nom_du_pilote(pilote));
}

// The step that defines the driving element; only the five kinds that have a range to run
// over can drive a locus.
TEtape& Etape_pilote(TEtape* premiere, const TPilote& pilote, const std::string& sujet)
{
    TEtape* etape = nullptr;
    if (!pilote.par_objet) {
        // A function step starts with its parameter's name, which names no variable.
        etape = Chercher_etape_par_nom(premiere, pilote.nom);
        while (etape != nullptr && etape->code() == TCode::fonction)
            etape = Chercher_etape_par_nom(etape->suivante, pilote.nom);
    } else if (pilote.point != nullptr)
        etape = Chercher_etape_par_objet(premiere, pilote.point);
    if (etape == nullptr)
        throw Erreur_trazel(sujet + " : " + Guillemets(Nom_du_pilote(pilote)) +
                            " n'est d\xE9"
                            "fini par aucune construction");
    switch (etape->code()) {
    case TCode::reel_borne:
    case TCode::entier_borne:
    case TCode::point_sur_segment:
    case TCode::point_sur_cercle:
    case TCode::point_sur_arc:
        return *etape;
    default:
        throw Erreur_trazel(sujet + " : seuls une variable r\xE9"
                                    "elle ou enti\xE8re libre "
                                    "entre deux valeurs, ou un point libre sur un segment, un "
                                    "cercle ou un arc, peuvent faire varier un lieu");
    }
}

// A bound on the samples of one curve keeps absurd counts from exhausting the memory.
void Controler_echantillons(long nombre, const std::string& sujet)
{
    if (nombre > nombre_maximal_echantillons)
        throw Erreur_trazel(sujet + " : " + Entier(nombre) +
                            " \xE9"
                            "chantillons, une courbe "
                            "en a au plus " +
                            Entier(nombre_maximal_echantillons));
}

// How the driving parameter runs: sample k takes debut + (k + decalage) * pas.
struct TParcours {
    Reel debut = 0, pas = 0;
    long decalage = 0;
    long nombre = 0;
};

// From one step before `premier` to one step after `dernier`: n + 2 samples.
TParcours Parcours_regulier(Reel premier, Reel dernier, long n)
{
    return {premier, (dernier - premier) / static_cast<Reel>(n - 1), -1, n + 2};
}

// The whole values from the ceiling of `premier`, in whole steps (at least 1 in size)
// towards `dernier`, up to the last one not beyond it.
TParcours Parcours_entier(Reel premier, Reel dernier, long n, const std::string& sujet)
{
    // Equal bounds would give a step of 0, made 1, that never reaches the end.
    if (premier == dernier)
        throw Erreur_trazel(sujet +
                            " : la variable enti\xE8re a la m\xEAme valeur de d\xE9"
                            "but "
                            "et de fin (" +
                            Reel_en_texte(premier) + ")");
    Reel pas = std::floor((dernier - premier) / static_cast<Reel>(n - 1));
    if (pas == 0)
        pas = 1;
    const Reel debut = std::ceil(premier);
    // The last sample is the last k for which debut + k * pas does not pass `dernier`.
    const Reel dernier_k = std::floor((dernier - debut) / pas);
    if (dernier_k < 0)
        throw Erreur_trazel(sujet + " : aucune valeur enti\xE8re entre " + Reel_en_texte(premier) +
                            " et " + Reel_en_texte(dernier));
    if (dernier_k >= static_cast<Reel>(nombre_maximal_echantillons))
        throw Erreur_trazel(sujet + " : plus de " + Entier(nombre_maximal_echantillons) +
                            " valeurs enti\xE8res entre " + Reel_en_texte(premier) + " et " +
                            Reel_en_texte(dernier) +
                            ", une courbe a au plus autant "
                            "d'\xE9"
                            "chantillons");
    return {debut, pas, 0, static_cast<long>(dernier_k) + 1};
}

TParcours Parcours_du_lieu(const TEtape& pilote, long n, TContexte_calcul& contexte,
                           const std::string& sujet)
{
    switch (pilote.code()) {
    case TCode::point_sur_segment:
        return Parcours_regulier(0, 1, n);
    case TCode::point_sur_cercle:
        return Parcours_regulier(0, deux_pi_etendu, n);
    case TCode::point_sur_arc:
        return {0, 1 / static_cast<Reel>(n - 1), 0, n};
    default: { // a real or integer variable: the bounds are measures in its unit
        const Reel l = Longueur_unite(Donnee<Tunite>(Argument(&pilote, 4)));
        const Reel premier = Evaluer_mesure(*Donnee<std::string>(Argument(&pilote, 2)), l,
                                            contexte.figure, contexte.form2);
        const Reel dernier = Evaluer_mesure(*Donnee<std::string>(Argument(&pilote, 3)), l,
                                            contexte.figure, contexte.form2);
        return pilote.code() == TCode::reel_borne ? Parcours_regulier(premier, dernier, n)
                                                  : Parcours_entier(premier, dernier, n, sujet);
    }
    }
}

// The real the sampler moves: the variable's value (argument 5) or the point's parameter
// (argument 2).
Reel& Parametre(const TEtape& pilote)
{
    const TCode c = pilote.code();
    const int rang = c == TCode::reel_borne || c == TCode::entier_borne ? 5 : 2;
    Reel* parametre = Donnee<Reel>(Argument(&pilote, rang));
    if (parametre == nullptr)
        throw std::logic_error("le genre " + std::to_string(pilote.genre) +
                               " n'a pas de param\xE8tre");
    return *parametre;
}

// Puts back the driving parameter and every point's position and `dessine` flag when
// sampling ends, however it ends. The final replay alone would not do: a construction
// without solution at the figure's own value keeps its last sampled position, and replaying
// a triangle centre sets its flag to "defined", which would show a centre
// the figure hides.
class TEtat_sauve {
  public:
    TEtat_sauve(Reel& parametre, const TListe_points& points)
        : parametre_(parametre), valeur_(parametre)
    {
        points_.reserve(points.size());
        for (Tpoint* p : points)
            points_.push_back({p, p->x, p->y, p->dessine});
    }
    TEtat_sauve(const TEtat_sauve&) = delete;
    TEtat_sauve& operator=(const TEtat_sauve&) = delete;
    ~TEtat_sauve()
    {
        parametre_ = valeur_;
        for (const TPoint_sauve& p : points_) {
            p.point->x = p.x;
            p.point->y = p.y;
            p.point->dessine = p.dessine;
        }
    }
    Reel valeur() const { return valeur_; }

  private:
    struct TPoint_sauve {
        Tpoint* point;
        Reel x, y;
        bool dessine;
    };
    Reel& parametre_;
    Reel valeur_;
    std::vector<TPoint_sauve> points_;
};

// Rejects what has no sampling rule before anything is moved.
void Controler_lieu(const TEtape* tracee, long n, const std::string& sujet)
{
    if (tracee == nullptr)
        throw Erreur_trazel(sujet + " : le point trac\xE9 n'est d\xE9"
                                    "fini par aucune "
                                    "construction");
    // The step is the range divided by n - 1.
    if (n < 2)
        throw Erreur_trazel(sujet + " : il faut au moins 2 points, pas " + Entier(n));
    Controler_echantillons(n, sujet);
}

// The graph's variable: "t", made free by Noms_libres. The evaluator finds variables
// without regard to case, the most recent first, so a "t" added after a figure variable "T"
// would take its place in the function's body: names that differ from a variable's only by
// case are passed over too.
std::string Variable_du_graphe(const TForm2& form2)
{
    const auto prise = [&](const std::string& nom) {
        for (const Tvariable& v : form2.Liste_variables)
            if (Egaux_sans_casse(v.nom, nom))
                return true;
        return false;
    };
    std::string x = "t", y = "y";
    form2.Noms_libres(x, y);
    for (int k = 1; prise(x); ++k) {
        x = "X" + std::to_string(k);
        form2.Noms_libres(x, y);
    }
    return x;
}

// Compiles "f(t)" into the evaluator once. A fault of its value is the first sample's
// business; a formula that does not compile (an unknown function) would leave every sample
// undefined, so the graph is refused.
void Installer_formule(const std::string& fonction, const std::string& variable,
                       TContexte_calcul& contexte)
{
    const std::string formule = fonction + "(" + variable + ")";
    try {
        contexte.form2.Evaluer_expression(formule, contexte.figure.liste_points, 1);
    } catch (const Erreur_calcul&) {
    } catch (const Erreur_formule& erreur) {
        throw Erreur_formule("graphe de la fonction " + Guillemets(fonction) +
                                 " impossible : " + erreur.what(),
                             formule, erreur.fonction());
    }
}

// The point of the graph for the value in the last entry; undefined where the evaluator
// or the frame conversion fails.
TEchantillon Point_du_graphe(const TCalcExpress& calcul, const std::vector<Reel>& valeurs,
                             const Trepere& repere)
{
    const Reel x = valeurs.back();
    try {
        const Tcoordonnees p = Repere_vers_absolu(repere, {x, calcul.Evaluate(valeurs)});
        return {Controler(p.x), Controler(p.y)};
    } catch (const Erreur_calcul&) {
    } catch (const Erreur_formule&) {
    }
    return {.x = x, .defini = false};
}

// The number of points a curve step asks for, truncated toward zero. A count beyond every
// sample bound is refused before it is made an integer.
long Nombre_de_points(const std::string& texte, const Tunite* unite, TContexte_calcul& contexte)
{
    const Reel n =
        std::trunc(Evaluer_mesure(texte, Longueur_unite(unite), contexte.figure, contexte.form2));
    if (!(std::fabs(n) <= static_cast<Reel>(nombre_maximal_echantillons)))
        throw Erreur_trazel("le nombre de points " + Guillemets(texte) + " vaut " +
                            Reel_en_texte(n) + " : une courbe en a au plus " +
                            Entier(nombre_maximal_echantillons));
    return static_cast<long>(n);
}

const std::string& Texte(const TEtape& etape, int k)
{
    return *Donnee<std::string>(Argument(&etape, k));
}

} // namespace

void Marquer_bascules(TEchantillons& echantillons, const TCadre_image& fenetre)
{
    bool dedans = true;
    for (TEchantillon& e : echantillons) {
        const bool visible = e.defini && Dans_le_cadre({e.x, e.y}, fenetre);
        e.bascule = visible != dedans;
        dedans = visible;
    }
}

TEchantillons Echantillons_lieu(TEtape* premiere, const Tpoint& trace, const TPilote& pilote,
                                long n, TContexte_calcul& contexte)
{
    const std::string sujet = Sujet_lieu(trace, pilote);
    TEtape& etape_pilote = Etape_pilote(premiere, pilote, sujet);
    TEtape* const etape_tracee = Chercher_etape_par_objet(premiere, &trace);
    Controler_lieu(etape_tracee, n, sujet);
    const TParcours parcours = Parcours_du_lieu(etape_pilote, n, contexte, sujet);
    Controler_echantillons(parcours.nombre, sujet);
    Reel& parametre = Parametre(etape_pilote);
    TEtat_sauve etat(parametre, contexte.figure.liste_points);

    // When the traced step comes first, the replay runs to the end of the list.
    TRejeu rejeu(premiere, &etape_pilote, etape_tracee);
    TEchantillons echantillons;
    echantillons.reserve(static_cast<std::size_t>(parcours.nombre));
    for (long k = 0; k < parcours.nombre; ++k) {
        parametre = parcours.debut + static_cast<Reel>(k + parcours.decalage) * parcours.pas;
        rejeu.Rejouer(contexte);
        echantillons.push_back({trace.x, trace.y});
    }
    // The figure as it was: the saved value replayed once more (the flags come back with
    // `etat`, after this replay).
    parametre = etat.valeur();
    rejeu.Rejouer(contexte);
    return echantillons;
}

TEchantillons Echantillons_graphe(const std::string& fonction, const Trepere& repere, long n,
                                  Reel fin, Reel debut, TContexte_calcul& contexte)
{
    const std::string sujet = "graphe de la fonction " + Guillemets(fonction);
    // n = -1 would make no interval at all, and fewer would run away from the end.
    if (n < 0)
        throw Erreur_trazel(sujet + " : le nombre de points ne peut pas \xEAtre n\xE9gatif (" +
                            Entier(n) + ")");
    Controler_echantillons(n, sujet);
    const long intervalles = n == 987 ? 10001 : n + 1;
    Controler_echantillons(intervalles + 3, sujet);
    const Reel pas = Controler((fin - debut) / static_cast<Reel>(intervalles));

    TForm2& form2 = contexte.form2;
    const TVariable_provisoire variable(form2, Variable_du_graphe(form2), debut - pas);
    Installer_formule(fonction, variable.nom(), contexte);
    // The values of all variables in list order; the graph's variable is the last one.
    std::vector<Reel> valeurs;
    for (const Tvariable& v : form2.Liste_variables)
        valeurs.push_back(v.valeur);

    TEchantillons echantillons;
    echantillons.reserve(static_cast<std::size_t>(intervalles + 3));
    for (long k = -1; k <= intervalles + 1; ++k) {
        valeurs.back() = debut + static_cast<Reel>(k) * pas;
        echantillons.push_back(Point_du_graphe(form2.CalcExpress1, valeurs, repere));
    }
    return echantillons;
}

namespace {

// The arguments of a locus step: the traced point, the driving element, the number of
// points and its unit.
struct TLieu {
    const Tpoint& trace;
    TPilote pilote;
    long n;
};

TLieu Lieu_de_l_etape(const TEtape& etape, TContexte_calcul& contexte)
{
    return {
        *Donnee<Tpoint>(Argument(&etape, 1)),
        {Donnee<Tpoint>(Argument(&etape, 4)), Texte(etape, 2), *Donnee<bool>(Argument(&etape, 3))},
        Nombre_de_points(Texte(etape, 5), Donnee<Tunite>(Argument(&etape, 6)), contexte)};
}

// The arguments of a graph step; the unit of argument 3 scales the two bounds and the
// number of points.
struct TGraphe {
    const std::string& fonction;
    const Trepere& repere;
    long n;
    Reel debut, fin;
};

TGraphe Graphe_de_l_etape(const TEtape& etape, TContexte_calcul& contexte)
{
    const Tunite* unite = Donnee<Tunite>(Argument(&etape, 3));
    const Reel l = Longueur_unite(unite);
    const Reel debut = Evaluer_mesure(Texte(etape, 2), l, contexte.figure, contexte.form2);
    const Reel fin = Evaluer_mesure(Texte(etape, 4), l, contexte.figure, contexte.form2);
    return {Texte(etape, 1), *Donnee<Trepere>(Argument(&etape, 5)),
            Nombre_de_points(Texte(etape, 6), unite, contexte), debut, fin};
}

} // namespace

TEchantillons Echantillons_de_l_etape(const TEtape& etape, TEtape* premiere,
                                      TContexte_calcul& contexte, long echantillons_max)
{
    const auto nombre = [echantillons_max](long n) {
        return echantillons_max > 0 ? std::min(n, echantillons_max) : n;
    };
    if (etape.code() == TCode::lieu) {
        const TLieu lieu = Lieu_de_l_etape(etape, contexte);
        return Echantillons_lieu(premiere, lieu.trace, lieu.pilote, nombre(lieu.n), contexte);
    }
    const TGraphe g = Graphe_de_l_etape(etape, contexte);
    return Echantillons_graphe(g.fonction, g.repere, nombre(g.n), g.fin, g.debut, contexte);
}

void Ecrire_lieu(const TEtape& etape, TEtape* premiere, const TCadre_image& fenetre,
                 TContexte_calcul& contexte, std::string& sortie)
{
    const TLieu lieu = Lieu_de_l_etape(etape, contexte);
    TEchantillons echantillons =
        Echantillons_lieu(premiere, lieu.trace, lieu.pilote, lieu.n, contexte);
    Marquer_bascules(echantillons, fenetre);
    Ecrire_echantillons(*Donnee<TCourbe>(Argument(&etape, 7)), echantillons, echantillons_par_ligne,
                        sortie);
}

void Ecrire_graphe(const TEtape& etape, const TCadre_image& fenetre, TContexte_calcul& contexte,
                   std::string& sortie)
{
    const TGraphe g = Graphe_de_l_etape(etape, contexte);
    TEchantillons echantillons =
        Echantillons_graphe(g.fonction, g.repere, g.n, g.fin, g.debut, contexte);
    Marquer_bascules(echantillons, fenetre);
    Ecrire_echantillons(*Donnee<TCourbe>(Argument(&etape, 7)), echantillons, 1, sortie);
}

} // namespace trazel
