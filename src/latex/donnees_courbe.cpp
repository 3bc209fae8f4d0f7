// The curve writer: samples to PSTricks data sets, straight or through the temporary file.

#include <array>
#include <cerrno>
#include <cstdio>
#include <string>
#include <string_view>
#include <unistd.h>

#include "calc/conversion_chaines.h"
#include "latex/courbes.h"
#include "latex/texte_image.h"
#include "model/erreurs.h"
#include "model/fichiers.h"
#include "model/mots.h"

namespace trazel {
namespace {

[[noreturn]] void Echec_fichier(const std::string& quoi, int numero)
{
    throw Erreur_fichier("",
                         quoi + " le fichier temporaire des courbes : " + Raison_systeme(numero));
}

// A line ends after the `premiere_ligne`-th sample, then after every fifth.
bool Fin_de_ligne_apres(std::size_t i, std::size_t premiere_ligne)
{
    return i + 1 >= premiere_ligne && (i + 1 - premiere_ligne) % echantillons_par_ligne == 0;
}

// The curve writer's walk over the words of the temporary file. A run of visible samples
// becomes one data set; it starts with the last point seen outside and ends with the first
// point outside after it, when these are defined, so the plot reaches the window's edge.
class TRelecture {
  public:
    TRelecture(const TCourbe& courbe, std::string& sortie)
        : sortie_(sortie),
          trace_("\\dataplot[plotstyle=" +
                 std::string(courbe.points_lies ? "ecurve,linewidth=1pt" : "dots, dotscale=0.5") +
                 ",showpoints=false, linecolor=" + courbe.couleur + ", linestyle=" + courbe.style +
                 "]{\\macourbe}")
    {
    }

    void Lire_ligne(std::string_view ligne, bool derniere);
    // The words of one sample: "HC" where the curve crosses the window's edge, then the
    // texts of x and y.
    void Bascule();
    void Echantillon(std::string_view x, std::string_view y)
    {
        x_.assign(Tronquer_decimales(x, decimales_courbe));
        y_.assign(Tronquer_decimales(y, decimales_courbe));
        Placer_echantillon();
    }
    // The same for a computed sample, written cut straight into the point kept.
    void Echantillon(const TEchantillon& e)
    {
        x_.clear();
        Ajouter_reel_tronque(x_, e.x, decimales_courbe);
        y_.clear();
        if (e.defini)
            Ajouter_reel_tronque(y_, e.y, decimales_courbe);
        else
            y_ = "ND";
        Placer_echantillon();
    }
    // The end of a line of samples; the last one closes the data set still open.
    void Fin_de_ligne(bool derniere);
    // After the last line: the plot of a run still open.
    void Terminer()
    {
        if (!dehors_ && !premier_mot_)
            Ajouter_ligne(sortie_, trace_);
    }

  private:
    void Lire_mot(std::string_view ligne, int& position);
    // The sample kept in x_ and y_, placed in the data or held while outside.
    void Placer_echantillon();
    // "{x, y}" of the last point read, added to the data line.
    void Ajouter_point()
    {
        tampon_ += '{';
        tampon_ += x_;
        tampon_ += ", ";
        tampon_ += y_;
        tampon_ += '}';
    }
    // The data set's last line closes with "}]" in place of its final ", ".
    void Fermer_donnees()
    {
        tampon_.resize(tampon_.size() >= 2 ? tampon_.size() - 2 : 0);
        tampon_ += "}]";
    }

    std::string& sortie_;
    const std::string trace_;
    bool premier_mot_ = true;
    bool dehors_ = false;
    bool en_attente_ = true; // outside, remembering points until the curve comes back
    std::string x_, y_;      // the last point read, its decimals cut ("ND" has none)
    std::string tampon_;     // the data line being built
};

void TRelecture::Lire_ligne(std::string_view ligne, bool derniere)
{
    // The first character, "(" or the blank of " HC", is skipped.
    int position = 2;
    while (static_cast<int>(ligne.size()) > position)
        Lire_mot(ligne, position);
    Fin_de_ligne(derniere);
}

void TRelecture::Fin_de_ligne(bool derniere)
{
    if (!dehors_) {
        if (derniere)
            Fermer_donnees();
        Ajouter_ligne(sortie_, tampon_);
    }
    tampon_.clear();
}

// A word other than "HC" is a sample's x, and the word after it its y.
void TRelecture::Lire_mot(std::string_view ligne, int& position)
{
    std::string mot = Mot_suivant(ligne, position);
    if (mot == "HC") {
        Bascule();
        return;
    }
    const std::string y = Mot_suivant(ligne, position);
    Echantillon(mot, y);
}

void TRelecture::Bascule()
{
    if (dehors_) {
        // Back inside: a new data set, from the last point seen outside when it has a value.
        Ajouter_ligne(sortie_, "\\savedata{\\macourbe}[");
        tampon_ = "{";
        if (y_ != "ND") {
            Ajouter_point();
            tampon_ += ", ";
        }
        dehors_ = false;
    } else {
        dehors_ = true;
        en_attente_ = premier_mot_;
    }
    premier_mot_ = false;
}

void TRelecture::Placer_echantillon()
{
    if (!dehors_) {
        if (premier_mot_) {
            Ajouter_ligne(sortie_, "\\savedata{\\macourbe}[");
            tampon_ = "{";
        }
        Ajouter_point();
        tampon_ += ", ";
    } else if (!en_attente_) {
        // The first point outside after a visible run closes the run.
        en_attente_ = true;
        if (y_ == "ND") {
            Fermer_donnees();
        } else {
            Ajouter_point();
            tampon_ += "}]";
        }
        Ajouter_ligne(sortie_, tampon_);
        Ajouter_ligne(sortie_, trace_);
    }
    premier_mot_ = false;
}

} // namespace

TFichier_temporaire::TFichier_temporaire() : fichier_(std::tmpfile())
{
    if (!fichier_)
        Echec_fichier("impossible de cr\xE9"
                      "er",
                      errno);
}

void TFichier_temporaire::Reecrire(std::string_view texte)
{
    std::FILE* const f = fichier_.get();
    std::rewind(f);
    if (::ftruncate(::fileno(f), 0) != 0 ||
        std::fwrite(texte.data(), 1, texte.size(), f) != texte.size() || std::fflush(f) != 0)
        Echec_fichier("impossible d'\xE9"
                      "crire",
                      errno);
}

std::string TFichier_temporaire::Relire()
{
    std::FILE* const f = fichier_.get();
    if (std::fseek(f, 0, SEEK_SET) != 0)
        Echec_fichier("impossible de relire", errno);
    std::string texte;
    std::array<char, 4096> tampon{};
    std::size_t lus = 0;
    while ((lus = std::fread(tampon.data(), 1, tampon.size(), f)) > 0)
        texte.append(tampon.data(), lus);
    if (std::ferror(f))
        Echec_fichier("impossible de relire", errno);
    return texte;
}

void Ecrire_echantillons(const TCourbe& courbe, const TEchantillons& echantillons,
                         std::size_t premiere_ligne, std::string& sortie)
{
    if (!courbe.dessinee)
        return;
    Ajouter_ligne(sortie, "% Courbe " + courbe.nom);
    TRelecture relecture(courbe, sortie);
    for (std::size_t i = 0; i < echantillons.size(); ++i) {
        const TEchantillon& e = echantillons[i];
        if (e.bascule)
            relecture.Bascule();
        relecture.Echantillon(e);
        const bool derniere = i + 1 == echantillons.size();
        if (derniere || Fin_de_ligne_apres(i, premiere_ligne))
            relecture.Fin_de_ligne(derniere);
    }
    relecture.Terminer();
}

void Ecrire_courbe(const TCourbe& courbe, TFichier_temporaire& fichier, std::string& sortie)
{
    if (!courbe.dessinee)
        return;
    const std::string texte = fichier.Relire();
    Ajouter_ligne(sortie, "% Courbe " + courbe.nom);
    TRelecture relecture(courbe, sortie);
    std::size_t debut = 0;
    while (debut < texte.size()) {
        std::size_t fin = texte.find('\n', debut);
        if (fin == std::string::npos)
            fin = texte.size();
        relecture.Lire_ligne(std::string_view(texte).substr(debut, fin - debut),
                             fin + 1 >= texte.size());
        debut = fin + 1;
    }
    relecture.Terminer();
}

} // namespace trazel
