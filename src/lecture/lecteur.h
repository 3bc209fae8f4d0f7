#pragma once
// The reader of a figure text: header, default objects, picture window, "Position de Roxy"
// and the loop over object lines. The object-line rules share its line cursor and its step
// recorder.

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/conversion_chaines.h"
#include "calc/geometrie.h"
#include "calc/resolveur.h"
#include "lecture/particularites.h"
#include "model/figure.h"

namespace trazel {

// A line the reader skipped, as it stands in the figure text (Windows-1252).
struct TLigne_ignoree {
    int numero = 0; // 1-based line number in the file
    std::string texte;
    std::string raison; // why, in French
};

// The fault of a text whose window line is not where the reader expects it.
extern const char* const message_pas_une_figure;

// The 0-based index of the "Position de Roxy" line, which follows the three header lines
// and any empty lines after them; none when that line is something else.
std::optional<std::size_t> Ligne_position_roxy(const std::vector<std::string_view>& lignes);

// Raised by a rule when a word it tests is not the expected one: the line records nothing.
struct TPhrase_non_reconnue {};

class TLecteur {
  public:
    // `texte` is the figure's text (Windows-1252), read line by line; `chemin` names the
    // file in messages.
    TLecteur(TFigure& figure, TForm2& form2, std::string texte, std::string chemin);

    // Reads the whole figure into the (empty) figure; returns its first step. Every fault of
    // a line raises Erreur_figure naming the file and the line.
    TEtape* Lire();

    const std::vector<TLigne_ignoree>& Lignes_ignorees() const { return ignorees_; }

    // The line cursor: the current line, the 1-based position in it, and its number.
    const std::string& ligne() const { return ligne_; }
    int& position() { return position_; }
    int numero() const { return numero_; }
    // Makes the next line current (position 1); false, with an empty line, past the end.
    bool Ligne_suivante();

    // Words of the current line, for the rules.
    std::string Mot();
    // The next word must be `attendu`, else the phrase is not recognised.
    void Attendre(std::string_view attendu);
    // The raw characters at the position; when they are `texte`, they are passed with the
    // delimiters after them.
    bool Suivi_de(std::string_view texte);
    // Balanced text from the position up to the terminator.
    std::string Texte(char terminateur);
    // Moves the position just after the first occurrence of the word in the line; false
    // (the position unchanged) when the line lacks it.
    bool Aller_apres(std::string_view mot);

    // A value written in the figure, in figure notation, against the figure's points.
    Reel Evaluer(const std::string& texte, Reel echelle = 1);

    TFigure& figure() { return figure_; }
    TForm2& form2() { return form2_; }
    TContexte_calcul& contexte() { return contexte_; }

    // New records the rules build from.
    Tpoint* Nouveau_point(const std::string& nom);    // in liste_points
    Tpoint* Point_isole(const std::string& nom = {}); // in no list
    Tvecteur* Vecteur_isole();                        // in no list
    // A line record with its own frame (origin point1, vectors vecteur and its quarter turn).
    Tdroite* Droite_isolee(const std::string& nom, Tpoint* point1, Tvecteur* vecteur);
    // Three points named by a word, as a polygon in no list (or in liste_polygones).
    Tpolygone* Triangle(std::string_view nom, bool dans_la_liste);
    // "1" or an empty name designates the first unit.
    Tunite* Unite(const std::string& nom);

    // The argument of an object or of a copied value.
    template <class T> TArgument* Arg(T* objet) { return figure_.Nouvel_argument(objet); }
    TArgument* Arg_texte(std::string texte) { return figure_.Argument_texte(std::move(texte)); }
    TArgument* Arg_reel(Reel valeur) { return figure_.Argument_reel(valeur); }
    TArgument* Arg_entier(std::int32_t valeur) { return figure_.Argument_entier(valeur); }
    TArgument* Arg_booleen(bool valeur) { return figure_.Argument_booleen(valeur); }

    // Records the current step with its genre and its arguments (the defined object last),
    // computes that object through the resolver unless told not to, and closes the step.
    TEtape& Enregistrer(TCode genre, const std::vector<TArgument*>& arguments,
                        bool calculer = true);

    // Reads the lines after the current one that belong to it (they start with two spaces)
    // as attribute lines of the object; the first other line becomes current.
    template <class T> void Lire_particularites_suivantes(T& objet)
    {
        while (Ligne_suivante() && Est_ligne_d_attributs(ligne_))
            Lire_particularites(ligne_, Particularites_de(objet));
    }
    // The same for an object without attributes: its indented lines are passed over.
    void Passer_lignes_suivantes();

    // A free point's attribute line ("  Objet libre A, paramètres: X, Y"): reads the next
    // line and gives its two values.
    Tcoordonnees Lire_parametres_point_libre();
    // The value of the position attribute line of a point on a line, a circle or an arc
    // ("  Objet libre M, paramètre: T"), read from the next line.
    Reel Lire_valeur_parametre();

    // Skips the current line (and the indented lines after it) and records it as skipped.
    void Ignorer_ligne(std::string raison);

    static bool Est_ligne_d_attributs(std::string_view ligne);

  private:
    // Reads the "Double cadre" line into the picture window; returns its number, 0 for none.
    int Lire_cadre_image();
    void Creer_objets_par_defaut();
    void Lire_position_roxy(TReperexoy& roxy);
    void Lire_ligne_objet(std::string premier_mot);
    void Appliquer_regle(int code, const std::string& nom);
    [[noreturn]] void Echec(const std::string& message) const;

    TFigure& figure_;
    TForm2& form2_;
    TContexte_calcul contexte_;
    const std::string texte_;
    const std::vector<std::string_view> lignes_; // into texte_
    std::string chemin_;
    std::size_t suivante_ = 0; // index of the next line to read
    std::string ligne_;
    int position_ = 1;
    int numero_ = 0;
    int ligne_objet_ = 0; // the object line being read, recorded in its steps
    TEnregistreur_etapes etapes_;
    std::vector<TLigne_ignoree> ignorees_;
};

} // namespace trazel
