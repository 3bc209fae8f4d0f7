#pragma once
// The few exception types of the core. Messages are Windows-1252 texts, like every text of
// the core; paths are kept apart in their own fields because they are the system's bytes.

#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/reel.h"

namespace trazel {

class Erreur_trazel : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A user function whose body the evaluator rejects: its name, its body as written and the
// figure line that defined it (0 for none).
struct TFonction_fautive {
    std::string nom;
    std::string corps;
    int ligne = 0;
};

// A formula that cannot be compiled or converted. The syntax error keeps the system's own
// text "Error in formula."; `formule` is the text as the caller gave it. When the text is
// rejected only because it calls a function whose body is faulty, `fonction` names that
// function: the fault lies in its body, not in the text that calls it.
class Erreur_formule : public Erreur_trazel {
  public:
    static constexpr const char* message_syntaxe = "Error in formula.";
    Erreur_formule(const std::string& message, std::string formule,
                   std::optional<TFonction_fautive> fonction = std::nullopt)
        : Erreur_trazel(message), formule_(std::move(formule)), fonction_(std::move(fonction))
    {
    }
    const std::string& formule() const { return formule_; }
    const std::optional<TFonction_fautive>& fonction() const { return fonction_; }
    // The same fault, reported for another text (the caller's own wording of the formula).
    Erreur_formule Pour_le_texte(std::string formule) const
    {
        return Erreur_formule(what(), std::move(formule), fonction_);
    }

  private:
    std::string formule_;
    std::optional<TFonction_fautive> fonction_;
};

// Floating-point faults: they are raised as exceptions instead of letting a NaN or an
// infinity reach a picture. The message is the fault's nature, then its cause when the code
// that found it knows one ("racine carr\xE9" "e d'un nombre n\xE9gatif"), then the object being
// computed once the step that failed has named it.
class Erreur_calcul : public Erreur_trazel {
  public:
    enum class Nature { division_par_zero, operation_invalide, depassement };
    explicit Erreur_calcul(Nature nature, std::string cause = {});
    Nature nature() const { return nature_; }
    const std::string& cause() const { return cause_; }
    bool objet_nomme() const { return !objet_.empty(); }
    // The same fault, said of the object a step computes ("\xAB a \xBB, arc ...").
    Erreur_calcul Pour_l_objet(const std::string& objet) const;

  private:
    Erreur_calcul(Nature nature, std::string cause, std::string objet);

    Nature nature_;
    std::string cause_;
    std::string objet_;
};

// An input/output failure: `chemin` is the file's path, what() the reason in French.
class Erreur_fichier : public Erreur_trazel {
  public:
    Erreur_fichier(std::string chemin, const std::string& raison)
        : Erreur_trazel(raison), chemin_(std::move(chemin))
    {
    }
    const std::string& chemin() const { return chemin_; }

  private:
    std::string chemin_;
};

// A figure that cannot be transcribed: the file, the 1-based line (0 when no line applies)
// and what went wrong there. `utilisation` is the line whose reading met the fault when the
// faulty text stands on another line (a function body called there); 0 otherwise.
class Erreur_figure : public Erreur_trazel {
  public:
    Erreur_figure(std::string chemin, int ligne, const std::string& message, int utilisation = 0)
        : Erreur_trazel(message), chemin_(std::move(chemin)), ligne_(ligne),
          utilisation_(utilisation)
    {
    }
    const std::string& chemin() const { return chemin_; }
    int ligne() const { return ligne_; }
    int utilisation() const { return utilisation_; }

  private:
    std::string chemin_;
    int ligne_;
    int utilisation_;
};

// A fault met while a recorded step is computed or drawn, after the reading: `ligne` is the
// figure line at fault (0 for the steps of no line, such as the default frame), and
// `utilisation` the step's own line when the faulty text stands elsewhere.
class Erreur_etape : public Erreur_trazel {
  public:
    Erreur_etape(int ligne, const std::string& message, int utilisation = 0)
        : Erreur_trazel(message), ligne_(ligne), utilisation_(utilisation)
    {
    }
    int ligne() const { return ligne_; }
    int utilisation() const { return utilisation_; }

  private:
    int ligne_;
    int utilisation_;
};

// A name or a text quoted in a message: \xAB AB \xBB (Windows-1252 guillemets).
std::string Guillemets(std::string_view texte);

// The message of a fault met while reading or computing a figure; a formula's text is
// quoted after it, and for a faulty function body the function, its line and the text that
// called it.
std::string Message_erreur(const std::exception& erreur);

// Where a fault met on figure line `ligne` (0 for none) belongs. A formula rejected because
// it calls a function whose body is faulty belongs to the line of that body, and the message
// names the line that used it.
struct TLieu_faute {
    int ligne = 0;
    int utilisation = 0; // the line met the fault, when it is not `ligne`; 0 otherwise
    std::string message;
};
TLieu_faute Lieu_de_la_faute(const std::exception& erreur, int ligne);

// The text a user reads of any failure, in UTF-8: "FICHIER, ligne N : MESSAGE" for a figure,
// "FICHIER : RAISON" for a file, the message alone otherwise. Paths are given as the system
// names them.
std::string Texte_erreur(const std::exception& erreur);

// Runs `calcul` for the step recorded from figure line `ligne`: a fault of the core comes out
// as Erreur_etape carrying that line. Faults that already name a line go through unchanged.
template <class F> decltype(auto) Pour_la_ligne(int ligne, F&& calcul)
{
    try {
        return calcul();
    } catch (const Erreur_etape&) {
        throw;
    } catch (const Erreur_figure&) {
        throw;
    } catch (const Erreur_trazel& erreur) {
        TLieu_faute lieu = Lieu_de_la_faute(erreur, ligne);
        throw Erreur_etape(lieu.ligne, lieu.message, lieu.utilisation);
    }
}

// The fault of a value that is not finite (a NaN or an infinity), and of a division by zero.
// Out of line: the checks below are inline because sampling makes millions of them.
[[noreturn]] void Signaler_non_fini(Reel x);
[[noreturn]] void Signaler_division_par_zero(Reel dividende);

// Returns x when it is finite; a NaN is an invalid operation, an infinity an overflow.
inline Reel Controler(Reel x)
{
    if (std::isfinite(x)) [[likely]]
        return x;
    Signaler_non_fini(x);
}

// Division with the fault the x87 unit raises: 0/0 is an invalid operation, x/0 a division
// by zero; the quotient is checked for overflow.
inline Reel Diviser(Reel a, Reel b)
{
    if (b == 0) [[unlikely]]
        Signaler_division_par_zero(a);
    return Controler(a / b);
}

} // namespace trazel
