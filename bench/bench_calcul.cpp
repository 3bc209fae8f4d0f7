// Micro-benchmarks of what sampling a curve costs: evaluating a compiled formula, evaluating
// a figure-notation text again (converted and compiled once), compiling, writing a real,
// replaying one sample of a locus and sampling a whole locus; and, for figures of plain
// objects, reading and writing the large stress figure. A regression in the hot path shows
// here as a number.

#include <benchmark/benchmark.h>

#include <cmath>

#include <charconv>

#include <filesystem>
#include <string>
#include <vector>

#include "calc/calc_express.h"
#include "calc/conversion_chaines.h"
#include "calc/noms.h"
#include "calc/resolveur.h"
#include "latex/courbes.h"
#include "latex/texte_image.h"
#include "lecture/transcription.h"
#include "model/fichiers.h"

namespace {

using namespace trazel;

// The nested functions of the stress figure of graphs.
const TCalc_liste_fonction_init fonctions_imbriquees = {
    {"g", "t*t/10", "t"},
    {"h", "g(t)-g(t/2)+1", "t"},
    {"k", "h(sin(t))*h(t/3)", "t"},
    {"m", "k(t)/2+g(cos(t))", "t"},
};

void Evaluate_fonctions_imbriquees(benchmark::State& etat)
{
    TCalcExpress calc;
    calc.Fonctions(fonctions_imbriquees);
    calc.Variables({"t"});
    calc.Formula("m(t)");
    std::vector<Reel> valeurs = {-9};
    for (auto _ : etat) {
        valeurs[0] += 0.0018L;
        benchmark::DoNotOptimize(calc.Evaluate(valeurs));
    }
}
BENCHMARK(Evaluate_fonctions_imbriquees);

// Every assignment of the variable list starts the compilations anew.
void Formula_compilation(benchmark::State& etat)
{
    TCalcExpress calc;
    calc.Fonctions(fonctions_imbriquees);
    for (auto _ : etat) {
        calc.Variables({"t"});
        calc.Formula("m(t)+k(2*t)");
        benchmark::DoNotOptimize(calc.Evaluate({1}));
    }
}
BENCHMARK(Formula_compilation);

// The variables and function of a locus step's formula.
struct Formulaire_de_lieu {
    TForm2 form;
    const std::string formule = "2xa/3+fa(xa)";
    const std::string nom = "xa";
    Formulaire_de_lieu()
    {
        form.separateur_decimal('.');
        for (const char* variable : {"xa", "ya", "xb", "yb"})
            form.Ajouter_variable(variable, 1);
        form.Ajouter_fonction("fa", "sin(t)+ya/4", {}, 1, "t");
    }
};

// A locus step's text evaluated again with new values, as the resolver did per sample.
void Evaluer_expression_repetee(benchmark::State& etat)
{
    Formulaire_de_lieu f;
    Reel x = 0;
    for (auto _ : etat) {
        f.form.Affecter_variable("xa", x += 0.001L);
        benchmark::DoNotOptimize(f.form.Evaluer_expression(f.formule, {}, 1));
    }
}
BENCHMARK(Evaluer_expression_repetee);

// The same formula kept in place, as a step holds it: found again by its address.
void Evaluer_expression_en_place(benchmark::State& etat)
{
    Formulaire_de_lieu f;
    Reel x = 0;
    for (auto _ : etat) {
        f.form.Affecter_variable(f.nom, x += 0.001L);
        benchmark::DoNotOptimize(f.form.Evaluer_expression_en_place(f.formule, {}, 1));
    }
}
BENCHMARK(Evaluer_expression_en_place);

// Writes a slowly moving real at each iteration with `ecrire`.
template <class F> void Ecrire_des_reels(benchmark::State& etat, F ecrire)
{
    Reel x = -6.2304012034897512L;
    for (auto _ : etat) {
        x += 0.000123L;
        benchmark::DoNotOptimize(ecrire(x));
    }
}

void Reel_en_texte_courant(benchmark::State& etat)
{
    Ecrire_des_reels(etat, [](Reel x) { return Reel_en_texte(x); });
}
BENCHMARK(Reel_en_texte_courant);

// The floor the writer of reals is measured against: the standard library's shortest exact
// writing of the same long doubles, and its fixed writing with the 9 decimals of curve data,
// into a buffer.
void To_chars_plus_court(benchmark::State& etat)
{
    char tampon[64];
    Ecrire_des_reels(etat, [&](Reel x) { return std::to_chars(tampon, std::end(tampon), x).ptr; });
}
BENCHMARK(To_chars_plus_court);

void To_chars_9_decimales(benchmark::State& etat)
{
    char tampon[64];
    Ecrire_des_reels(etat, [&](Reel x) {
        return std::to_chars(tampon, std::end(tampon), x, std::chars_format::fixed, 9).ptr;
    });
}
BENCHMARK(To_chars_9_decimales);

// The numbers of curve data, Ajouter_reel's text cut after 9 decimals, added to a data line:
// through the whole text and its cut, as the curve writer did, and written cut.
void Reel_coupe_par_le_texte(benchmark::State& etat)
{
    std::string texte, ligne;
    Ecrire_des_reels(etat, [&](Reel x) {
        texte.clear();
        Ajouter_reel(texte, x);
        ligne.clear();
        ligne += Tronquer_decimales(texte, 9);
        return ligne.size();
    });
}
BENCHMARK(Reel_coupe_par_le_texte);

void Reel_coupe_directement(benchmark::State& etat)
{
    std::string ligne;
    Ecrire_des_reels(etat, [&](Reel x) {
        ligne.clear();
        Ajouter_reel_tronque(ligne, x, 9);
        return ligne.size();
    });
}
BENCHMARK(Reel_coupe_directement);

// The C library's 80-bit sine, what every rotation and every sin or cos of a formula pays:
// over arguments as figures make them (radians of a few turns), where it reduces its
// argument by multiples of pi/2, and below pi/4, where it does not.
void Sinus_sur_des_tours(benchmark::State& etat, Reel depart, Reel pas, Reel borne)
{
    Reel x = depart;
    for (auto _ : etat) {
        x = x > borne ? depart : x + pas;
        benchmark::DoNotOptimize(sinl(x));
    }
}
void Sinus_de_figure(benchmark::State& etat)
{
    Sinus_sur_des_tours(etat, -100, 0.0123456789L, 100);
}
BENCHMARK(Sinus_de_figure);
void Sinus_sans_reduction(benchmark::State& etat)
{
    Sinus_sur_des_tours(etat, -0.78L, 0.0000123456789L, 0.78L);
}
BENCHMARK(Sinus_sans_reduction);

// A stress figure of bench/figures, as the program reads it.
std::string Figure_de_charge(const char* nom)
{
    return Lire_fichier(
        (std::filesystem::path(TRAZEL_SOURCE_DIR) / "bench" / "figures" / nom).string());
}

// A stress figure of loci, read once; the chain from its driving point MA to its traced
// point is replayed.
struct Figure_des_lieux {
    TForm2 form2;
    TFigure figure;
    TContexte_calcul contexte{figure, form2};
    TEtape* premiere = nullptr;
    TEtape* pilote = nullptr;
    TEtape* tracee = nullptr;

    explicit Figure_des_lieux(const char* fichier = "b_lieux.fgr", const char* trace = "QA")
    {
        form2.separateur_decimal('.');
        premiere = Lire_texte_figure(Figure_de_charge(fichier), fichier, figure, form2);
        pilote = Chercher_etape_par_objet(premiere, &Point_du_nom(figure.liste_points, "MA"));
        tracee = Chercher_etape_par_objet(premiere, &Point_du_nom(figure.liste_points, trace));
    }
};

// One sample: the driving point moved, its chain replayed as the locus sampler replays it.
void Pas_de_chaine(benchmark::State& etat, Figure_des_lieux& f)
{
    Reel& parametre = *Donnee<Reel>(Argument(f.pilote, 2));
    TRejeu rejeu(f.premiere, f.pilote, f.tracee);
    for (auto _ : etat) {
        parametre = parametre > 1 ? 0 : parametre + 0.001L;
        rejeu.Rejouer(f.contexte);
    }
}

// The chain of ten steps of b_lieux (constant rotation angle).
void Pas_de_lieu(benchmark::State& etat)
{
    Figure_des_lieux f;
    Pas_de_chaine(etat, f);
}
BENCHMARK(Pas_de_lieu);

// The chain of d_lieux_formules: a measured abscissa, three user functions, a rotation by an
// angle that changes at every sample, an homothety, two measures, a point of user functions.
void Pas_de_lieu_formules(benchmark::State& etat)
{
    Figure_des_lieux f("d_lieux_formules.fgr", "PA");
    Pas_de_chaine(etat, f);
}
BENCHMARK(Pas_de_lieu_formules);

// One sample of a graph of e_graphes_puissances, whose functions nest user functions three
// deep: a graph of 1,000 points sampled, the time counted per sample.
void Echantillon_de_graphe(benchmark::State& etat)
{
    TForm2 form2;
    form2.separateur_decimal('.');
    TFigure figure;
    TContexte_calcul contexte{figure, form2};
    Lire_texte_figure(Figure_de_charge("e_graphes_puissances.fgr"), "e.fgr", figure, form2);
    const Trepere& roxy = *figure.liste_reperes.front();
    if (roxy.nom != "Roxy") {
        etat.SkipWithError("le premier rep\xE8re n'est pas Roxy");
        return;
    }
    constexpr long n = 1000;
    for (auto _ : etat)
        benchmark::DoNotOptimize(Echantillons_graphe("z", roxy, n, 8, -8, contexte));
    etat.SetItemsProcessed(etat.iterations() * (n + 4));
}
BENCHMARK(Echantillon_de_graphe)->Unit(benchmark::kMicrosecond);

// One locus of 1,000 points, sampled and written.
void Lieu_complet(benchmark::State& etat)
{
    Figure_des_lieux f;
    const Tpoint& trace = Point_du_nom(f.figure.liste_points, "QA");
    const TPilote pilote{&Point_du_nom(f.figure.liste_points, "MA"), "MA", true};
    const TCourbe courbe{.nom = "LA"};
    for (auto _ : etat) {
        TEchantillons e = Echantillons_lieu(f.premiere, trace, pilote, 1000, f.contexte);
        Marquer_bascules(e, {.xmin = -15, .ymin = -10, .xmax = 15, .ymax = 10});
        std::string sortie;
        Ecrire_echantillons(courbe, e, 5, sortie);
        benchmark::DoNotOptimize(sortie);
    }
}
BENCHMARK(Lieu_complet)->Unit(benchmark::kMillisecond);

// The writing alone of the same locus, sampled once: 2,000 numbers of curve data.
void Ecriture_d_un_lieu(benchmark::State& etat)
{
    Figure_des_lieux f;
    const TPilote pilote{&Point_du_nom(f.figure.liste_points, "MA"), "MA", true};
    const TCourbe courbe{.nom = "LA"};
    TEchantillons e = Echantillons_lieu(f.premiere, Point_du_nom(f.figure.liste_points, "QA"),
                                        pilote, 1000, f.contexte);
    Marquer_bascules(e, {.xmin = -15, .ymin = -10, .xmax = 15, .ymax = 10});
    for (auto _ : etat) {
        std::string sortie;
        Ecrire_echantillons(courbe, e, 5, sortie);
        benchmark::DoNotOptimize(sortie);
    }
}
BENCHMARK(Ecriture_d_un_lieu)->Unit(benchmark::kMicrosecond);

// The stress figure of plain objects (2,000 points, 1,000 lines and segments, 500 circles).
// The reader alone: lines taken apart, names looked up, every object computed.
void Lecture_grande_figure(benchmark::State& etat)
{
    const std::string texte = Figure_de_charge("a_grande_figure.fgr");
    TForm2 form2;
    form2.separateur_decimal('.');
    for (auto _ : etat) {
        form2.Reinitialiser();
        TFigure figure;
        benchmark::DoNotOptimize(Lire_texte_figure(texte, "a.fgr", figure, form2));
    }
}
BENCHMARK(Lecture_grande_figure)->Unit(benchmark::kMillisecond);

// The writer alone: every object clipped to the window and written. The header converts the
// window in place, so each round starts from the window as read.
void Ecriture_grande_figure(benchmark::State& etat)
{
    const std::string texte = Figure_de_charge("a_grande_figure.fgr");
    TForm2 form2;
    form2.separateur_decimal('.');
    TFigure figure;
    TEtape* premiere = Lire_texte_figure(texte, "a.fgr", figure, form2);
    TCadre_image& fenetre = *figure.cadre_image;
    const TCadre_image lue = fenetre;
    TContexte_calcul contexte{figure, form2};
    for (auto _ : etat) {
        fenetre = lue;
        std::string image;
        Ecrire_figure(premiere, {}, contexte, image);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(Ecriture_grande_figure)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
