#pragma once
// The reader of a figure text: header, default objects, picture window, "Position de Roxy"
// and the loop over object lines. The object-line rules share its line cursor and its step
// recorder.

#include <string>
#include <string_view>
#include <vector>

#include "calc/conversion_chaines.h"
#include "model/figure.h"

namespace trazel {

// A line the reader skipped, as it stands in the figure text (Windows-1252).
struct TLigne_ignoree {
    int numero = 0; // 1-based line number in the file
    std::string texte;
    std::string raison; // why, in French
};

class TLecteur {
public:
    // `lignes` are the figure's lines (Windows-1252); `chemin` names the file in messages.
    TLecteur(TFigure& figure, TForm2& form2, std::vector<std::string> lignes, std::string chemin);

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

    // A value written in the figure, in figure notation, against the figure's points.
    Reel Evaluer(const std::string& texte, Reel echelle = 1);

    TFigure& figure() { return figure_; }
    TForm2& form2() { return form2_; }
    TEnregistreur_etapes& etapes() { return etapes_; }

    // A free point's attribute line ("  Objet libre A, paramètres: X, Y"): reads the next
    // line and gives the point its coordinates.
    void Lire_parametres_point_libre(Tpoint& point);
    // The value of the position attribute line of a point on a line, a circle or an arc
    // ("  Objet libre M, paramètre: T"), read from the next line.
    Reel Lire_valeur_parametre();

    // Skips the current line and records it as skipped, with the reason.
    void Ignorer_ligne(std::string raison);

private:
    void Lire_cadre_image();
    void Creer_objets_par_defaut();
    void Lire_position_roxy(TReperexoy& roxy);
    void Lire_ligne_objet(const std::string& premier_mot);
    [[noreturn]] void Echec(const std::string& message) const;

    TFigure& figure_;
    TForm2& form2_;
    std::vector<std::string> lignes_;
    std::string chemin_;
    std::size_t suivante_ = 0; // index of the next line to read
    std::string ligne_;
    int position_ = 1;
    int numero_ = 0;
    TEnregistreur_etapes etapes_;
    std::vector<TLigne_ignoree> ignorees_;
};

// The message of a fault met while reading or computing a figure; a formula's text is
// quoted after it.
std::string Message_erreur(const std::exception& erreur);

} // namespace trazel
