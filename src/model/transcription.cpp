#include "model/transcription.h"

#include "latex/ecriture.h"
#include "model/encodage.h"
#include "model/erreurs.h"
#include "model/fichiers.h"

namespace trazel {

std::string Chemin_sortie(std::string_view chemin_figure)
{
    const std::size_t garde = chemin_figure.size() >= 3 ? chemin_figure.size() - 3 : 0;
    return std::string(chemin_figure.substr(0, garde)) + "crb";
}

TEtape* Lire_texte_figure(std::string_view octets, const std::string& chemin, TFigure& figure,
                          TForm2& form2, std::vector<TLigne_ignoree>* ignorees)
{
    const std::size_t fins = Nombre_de_fins_de_ligne(octets);
    if (octets.size() > taille_maximale_figure || fins > 2 * lignes_maximales_figure)
        throw Erreur_figure(chemin, 0, "figure trop grande : au plus " +
                                           std::to_string(lignes_maximales_figure) +
                                           " lignes et " +
                                           std::to_string(taille_maximale_figure >> 20) + " Mo");
    TLecteur lecteur(figure, form2, Texte_figure_en_cp1252(octets), chemin);
    // The lines skipped before a fault are reported too.
    try {
        TEtape* premiere = lecteur.Lire();
        if (ignorees != nullptr)
            *ignorees = lecteur.Lignes_ignorees();
        return premiere;
    } catch (...) {
        if (ignorees != nullptr)
            *ignorees = lecteur.Lignes_ignorees();
        throw;
    }
}

std::string Transcrire_texte(std::string_view octets, const std::string& chemin, TForm2& form2,
                             const TCadre_latex& cadre, std::vector<TLigne_ignoree>* ignorees)
{
    // No variable of a previous figure survives.
    form2.Reinitialiser();
    TFigure figure;
    TEtape* premiere = Lire_texte_figure(octets, chemin, figure, form2, ignorees);
    std::string image;
    try {
        TContexte_calcul contexte{figure, form2};
        Ecrire_figure(premiere, cadre, contexte, image);
    } catch (const Erreur_figure&) {
        throw;
    } catch (const Erreur_etape& erreur) {
        throw Erreur_figure(chemin, erreur.ligne(), erreur.what(), erreur.utilisation());
    } catch (const Erreur_trazel& erreur) {
        const TLieu_faute lieu = Lieu_de_la_faute(erreur, 0);
        throw Erreur_figure(chemin, lieu.ligne, lieu.message, lieu.utilisation);
    }
    Ajouter_ligne(image, "\\end{pspicture}");
    return image;
}

void Transcrire(const std::string& chemin_figure, TForm2& form2, const TCadre_latex& cadre,
                const std::string& sortie, std::vector<TLigne_ignoree>* ignorees)
{
    const std::string image = Transcrire_texte(Lire_fichier(chemin_figure, taille_maximale_figure),
                                               chemin_figure, form2, cadre, ignorees);
    Remplacer_fichier(sortie.empty() ? Chemin_sortie(chemin_figure) : sortie, image);
}

} // namespace trazel
