#include "lecture/particularites.h"

#include <optional>

#include "model/mots.h"

namespace trazel {
namespace {

// The words of one attribute line, with the look-ahead that two- and three-word attributes
// need: a word that does not continue the attribute is put back to be read again.
class TMots {
  public:
    explicit TMots(std::string_view ligne) : ligne_(ligne) {}
    bool Reste() const { return position_ < static_cast<int>(ligne_.size()); }
    std::string Suivant() { return Mot_suivant(ligne_, position_); }
    std::optional<int> Code_suivant() { return Code_mot(Suivant()); }
    // Consumes the next word when it is the given keyword.
    bool Suivi_de(int code)
    {
        const int avant = position_;
        if (Code_suivant() == code)
            return true;
        position_ = avant;
        return false;
    }

    // Skips words up to and including `mot`; false when the line lacks it.
    bool Passer(std::string_view mot)
    {
        while (position_ <= static_cast<int>(ligne_.size()))
            if (Suivant() == mot)
                return true;
        return false;
    }
    // The first non-empty word.
    std::string Premier_non_vide()
    {
        std::string mot;
        while (mot.empty() && position_ <= static_cast<int>(ligne_.size()))
            mot = Suivant();
        return mot;
    }

  private:
    std::string_view ligne_;
    int position_ = 1;
};

const char* Couleur_du_mot(int code)
{
    switch (code) {
    case mc_rouge:
        return "red";
    case mc_bleu:
        return "blue";
    case mc_vert:
        return "green";
    case mc_jaune:
        return "yellow";
    case mc_rose:
        return "magenta";
    case mc_ciel:
        return "cyan";
    case mc_gris:
        return "lightgray";
    default:
        return nullptr;
    }
}

// A colour word counts only when a keyword follows it (the end of the line is one); "foncé"
// is taken with it, any other keyword is read again as the next attribute.
void Lire_couleur(TMots& mots, int code, const TParticularites& cibles)
{
    const bool fonce = mots.Suivi_de(mc_fonce);
    if (!fonce) {
        TMots essai = mots;
        if (!essai.Code_suivant())
            return;
    }
    if (cibles.couleur == nullptr)
        return;
    if (cibles.point != nullptr && code == mc_gris)
        *cibles.couleur = "black"; // points have no grey
    else if (code == mc_gris && fonce)
        *cibles.couleur = "gray";
    else
        *cibles.couleur = Couleur_du_mot(code);
}

// "nom non dessiné", "nom à droite|gauche", "nom au-dessus|au-dessous": the directions add
// to the label score.
void Lire_nom(TMots& mots, const TParticularites& cibles, int& score)
{
    if (mots.Suivi_de(mc_non)) {
        if (mots.Suivi_de(mc_dessine) && cibles.point != nullptr)
            cibles.point->nom_dessine = false;
    } else if (mots.Suivi_de(mc_a)) {
        if (mots.Suivi_de(mc_droite))
            score += 3;
        else if (mots.Suivi_de(mc_gauche))
            score -= 3;
    } else if (mots.Suivi_de(mc_au_dessus)) {
        score += 1;
    } else if (mots.Suivi_de(mc_au_dessous)) {
        score -= 1;
    }
}

// "marque non dessinée", "marque épaisse", "marque fine".
void Lire_marque(TMots& mots, Tpoint& point)
{
    if (mots.Suivi_de(mc_non)) {
        if (mots.Suivi_de(mc_dessinee))
            point.dessine = false;
    } else if (mots.Suivi_de(mc_epaisse)) {
        point.marque = "1.5";
    } else if (mots.Suivi_de(mc_fine)) {
        point.marque = "0.5";
    }
}

// The label direction, in degrees, of a score: right 3, left -3, above 1, below -1.
const char* Direction_du_score(int score)
{
    switch (score) {
    case 3:
        return "0";
    case 4:
        return "45";
    case 1:
        return "90";
    case -2:
        return "135";
    case -3:
        return "180";
    case -4:
        return "-135";
    case -1:
        return "-90";
    case 2:
        return "-45";
    default:
        return nullptr;
    }
}

void Poser(bool* champ, bool valeur)
{
    if (champ != nullptr)
        *champ = valeur;
}

// One attribute word (with the words it takes after it).
void Lire_attribut(TMots& mots, int code, const TParticularites& cibles, int& score)
{
    switch (code) {
    case mc_dessine:
        Poser(cibles.dessine, true);
        break;
    case mc_non:
        if (mots.Suivi_de(mc_dessine)) {
            Poser(cibles.dessine, false);
            if (cibles.point != nullptr)
                cibles.point->nom_dessine = false;
        }
        break;
    case mc_tirete:
        if (cibles.style != nullptr)
            *cibles.style = "dashed";
        break;
    case mc_points:
        if (mots.Suivi_de(mc_lies))
            Poser(cibles.points_lies, true);
        else if (mots.Suivi_de(mc_non) && mots.Suivi_de(mc_lies))
            Poser(cibles.points_lies, false);
        break;
    case mc_nom:
        if (cibles.point != nullptr)
            Lire_nom(mots, cibles, score);
        break;
    case mc_marque:
        if (cibles.point != nullptr)
            Lire_marque(mots, *cibles.point);
        break;
    default:
        if (Couleur_du_mot(code) != nullptr)
            Lire_couleur(mots, code, cibles);
        break;
    }
}

} // namespace

TParticularites Particularites_de(Tpoint& p)
{
    return {&p.dessine, &p.couleur, nullptr, nullptr, &p};
}
TParticularites Particularites_de(Tdroite& d)
{
    return {&d.dessine, &d.couleur, &d.style, nullptr, nullptr};
}
TParticularites Particularites_de(Tsegment& s)
{
    return {&s.dessine, &s.couleur, &s.style, nullptr, nullptr};
}
TParticularites Particularites_de(Tcercle& c)
{
    return {&c.dessine, &c.couleur, &c.style, nullptr, nullptr};
}
TParticularites Particularites_de(Tarc_de_cercle& a)
{
    return {&a.dessine, &a.couleur, &a.style, nullptr, nullptr};
}
TParticularites Particularites_de(Tpolygone& p)
{
    return {&p.dessine, &p.couleur, &p.style, nullptr, nullptr};
}
TParticularites Particularites_de(Trepere& r)
{
    return {&r.dessine, &r.couleur, &r.style, nullptr, nullptr};
}
TParticularites Particularites_de(TCourbe& c)
{
    return {&c.dessinee, &c.couleur, &c.style, &c.points_lies, nullptr};
}

void Lire_particularites(std::string_view ligne, const TParticularites& cibles)
{
    TMots mots(ligne);
    if (cibles.point != nullptr && mots.Premier_non_vide() == "Pas")
        return;
    if (!mots.Passer("particularit\xE9s"))
        return;
    int score = 0;
    while (mots.Reste()) {
        const std::optional<int> code = mots.Code_suivant();
        if (code)
            Lire_attribut(mots, *code, cibles, score);
    }
    if (cibles.point != nullptr)
        if (const char* direction = Direction_du_score(score))
            cibles.point->position_nom = direction;
}

void Lire_particularites_roxy(std::string_view ligne, TReperexoy& roxy)
{
    int position = 40;
    roxy.couleur = "black";
    while (position < static_cast<int>(ligne.size())) {
        const std::string mot = Mot_suivant(ligne, position);
        if (mot == Mot_du_code(mc_rouge)) {
            roxy.couleur = "red";
        } else if (mot == Mot_du_code(mc_dessine)) {
            roxy.dessine = true;
        } else if (mot == Mot_du_code(mc_non)) {
            const int avant = position;
            if (Mot_suivant(ligne, position) == Mot_du_code(mc_dessine))
                roxy.dessine = false;
            else
                position = avant;
        }
    }
}

} // namespace trazel
