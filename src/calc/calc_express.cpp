// The evaluator's state: the formulas compiled (analyse_formule.cpp), laid out as programs
// (programme_formule.cpp) and kept by text, and their evaluation.

#include "calc/calc_express.h"

#include <unordered_map>
#include <utility>

#include "calc/arbre_formule.h"
#include "model/erreurs.h"

namespace trazel {

// What the current functions, variables and separator compile to, and what evaluations
// keep between them.
struct TCalcExpress::TMemoires {
    // The function bodies (compiled at the first assignment of Formula after a change) and
    // the formulas assigned since, by text. Both are dropped when the functions, the
    // variables or the separator change.
    std::shared_ptr<const std::vector<TCalc_fonction>> compilees;
    char separateur_compile = '.';
    std::unordered_map<std::string, std::shared_ptr<const TCalc_programme>> programmes;
    std::int64_t noeuds_en_cache = 0;
    TExecution execution;
};

namespace {

// The formulas kept by text stay within this many tree nodes in all.
constexpr std::int64_t noeuds_en_cache_maximum = 4 * taille_maximale;

} // namespace

TCalcExpress::TCalcExpress() : memoires_(std::make_unique<TMemoires>())
{
    Formula("0");
}

// A copy keeps what the original compiled: its trees are shared and never changed.
TCalcExpress::TCalcExpress(const TCalcExpress& autre)
    : separateur_decimal(autre.separateur_decimal), formule_(autre.formule_),
      variables_(autre.variables_), fonctions_(autre.fonctions_), programme_(autre.programme_),
      generation_(autre.generation_), memoires_(std::make_unique<TMemoires>(*autre.memoires_))
{
}

TCalcExpress& TCalcExpress::operator=(const TCalcExpress& autre)
{
    separateur_decimal = autre.separateur_decimal;
    formule_ = autre.formule_;
    variables_ = autre.variables_;
    fonctions_ = autre.fonctions_;
    programme_ = autre.programme_;
    generation_ = autre.generation_;
    *memoires_ = *autre.memoires_;
    return *this;
}

TCalcExpress::~TCalcExpress() = default;

void TCalcExpress::Variables(std::vector<std::string> noms)
{
    variables_ = std::move(noms);
    ++generation_;
    Oublier_compilations();
}

void TCalcExpress::Fonctions(TCalc_liste_fonction_init fonctions)
{
    fonctions_ = std::move(fonctions);
    ++generation_;
    Oublier_compilations();
}

void TCalcExpress::Oublier_compilations()
{
    TMemoires& m = *memoires_;
    m.programmes.clear();
    m.noeuds_en_cache = 0;
    m.compilees.reset();
    m.separateur_compile = separateur_decimal;
}

// The function bodies are compiled once for the current functions, variables and separator:
// the formula's tree copies them without changing them. A rejected formula is not kept, so
// it is compiled and rejected again at every assignment.
void TCalcExpress::Formula(const std::string& texte)
{
    programme_.reset();
    formule_ = texte;
    TMemoires& m = *memoires_;
    if (m.separateur_compile != separateur_decimal)
        Oublier_compilations();
    if (const auto trouve = m.programmes.find(texte); trouve != m.programmes.end()) {
        programme_ = trouve->second;
        return;
    }
    const TDefinitions definitions{fonctions_, variables_, separateur_decimal};
    if (!m.compilees)
        m.compilees =
            std::make_shared<const std::vector<TCalc_fonction>>(Compiler_fonctions(definitions));
    try {
        const auto arbre = Compiler_formule(formule_, definitions, *m.compilees);
        auto programme = std::make_shared<const TCalc_programme>(Programmer(*arbre));
        // The formulas kept stay within a bounded number of nodes.
        if (m.noeuds_en_cache + programme->taille > noeuds_en_cache_maximum) {
            m.programmes.clear();
            m.noeuds_en_cache = 0;
        }
        m.noeuds_en_cache += programme->taille;
        m.programmes.emplace(texte, programme);
        programme_ = std::move(programme);
    } catch (const Trop_grand&) {
        throw Erreur_formule("Formule trop complexe : plus de " +
                                 std::to_string(imbrication_maximale) +
                                 " parenth\xE8ses imbriqu\xE9"
                                 "es, ou plus de " +
                                 std::to_string(taille_maximale) +
                                 " termes une fois les fonctions d\xE9velopp\xE9"
                                 "es",
                             texte);
    } catch (const Rejet& rejet) {
        if (rejet.fonction < 0)
            throw Erreur_formule(Erreur_formule::message_syntaxe, texte);
        const TCalc_fonction_init& f = fonctions_[static_cast<std::size_t>(rejet.fonction)];
        throw Erreur_formule(
            Erreur_formule::message_syntaxe, texte,
            TFonction_fautive{f.nom, f.source.empty() ? f.expression : f.source, f.ligne});
    }
}

void TCalcExpress::Formula(const std::string& texte, TCompilation& memo)
{
    if (A_jour(memo)) {
        formule_ = texte;
        programme_ = memo.programme;
        return;
    }
    Formula(texte);
    memo = {programme_, programme_->taille, generation_, separateur_decimal};
}

Reel TCalcExpress::Evaluate(const std::vector<Reel>& valeurs) const
{
    if (!programme_)
        throw Erreur_formule(Erreur_formule::message_syntaxe, formule_);
    return Executer(*programme_, valeurs, memoires_->execution);
}

Reel TCalcExpress::Evaluate(const TCompilation& memo, const std::vector<Reel>& valeurs) const
{
    return Executer(*memo.programme, valeurs, memoires_->execution);
}

} // namespace trazel
