#include "lecture/transcription.h"

#include <algorithm>

#include "latex/ecriture.h"
#include "latex/scene.h"
#include "latex/svg.h"
#include "latex/tikz.h"
#include "model/encodage.h"
#include "model/erreurs.h"
#include "model/fichiers.h"

namespace trazel {

std::string Chemin_sortie(std::string_view chemin_figure)
{
    const std::size_t garde = chemin_figure.size() >= 3 ? chemin_figure.size() - 3 : 0;
    return std::string(chemin_figure.substr(0, garde)) + "crb";
}

namespace {

bool Trop_grande(std::string_view octets)
{
    return octets.size() > taille_maximale_figure ||
           Nombre_de_fins_de_ligne(octets) > 2 * lignes_maximales_figure;
}

std::string Message_trop_grande()
{
    return "figure trop grande : au plus " + std::to_string(lignes_maximales_figure) +
           " lignes et " + std::to_string(taille_maximale_figure >> 20) + " Mo";
}

// Text holds no control byte but tab, line ends, vertical tab, form feed and the old
// end-of-file mark (0x1A) that some editors still append.
bool Octet_de_controle(unsigned char c)
{
    return (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\v' && c != '\f' &&
            c != 0x1A) ||
           c == 0x7F;
}

} // namespace

std::optional<std::string> Pas_une_figure(std::string_view octets)
{
    if (Trop_grande(octets))
        return Message_trop_grande();
    const auto controle = std::find_if(octets.begin(), octets.end(), [](char c) {
        return Octet_de_controle(static_cast<unsigned char>(c));
    });
    if (controle != octets.end())
        return "ce fichier n'est pas un texte : il contient des octets de contr\xF4le, comme "
               "une image ou un programme (octet " +
               std::to_string(static_cast<unsigned char>(*controle)) + " \xE0 la position " +
               std::to_string(controle - octets.begin() + 1) + ")";
    const std::string texte = Texte_figure_en_cp1252(octets);
    if (!Ligne_position_roxy(Vues_des_lignes(texte)))
        return std::string(message_pas_une_figure);
    return std::nullopt;
}

TEtape* Lire_texte_figure(std::string_view octets, const std::string& chemin, TFigure& figure,
                          TForm2& form2, std::vector<TLigne_ignoree>* ignorees)
{
    if (Trop_grande(octets))
        throw Erreur_figure(chemin, 0, Message_trop_grande());
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
    return Transcrire_texte(octets, chemin, form2, cadre, TFormat_image::pstricks, false, ignorees);
}

std::string Transcrire_texte(std::string_view octets, const std::string& chemin, TForm2& form2,
                             const TCadre_latex& cadre, TFormat_image format, bool utf8,
                             std::vector<TLigne_ignoree>* ignorees)
{
    // No variable of a previous figure survives.
    form2.Reinitialiser();
    TFigure figure;
    TEtape* premiere = Lire_texte_figure(octets, chemin, figure, form2, ignorees);
    std::string image;
    try {
        if (format == TFormat_image::pstricks) {
            TContexte_calcul contexte{figure, form2};
            Ecrire_figure(premiere, cadre, contexte, image);
        } else {
            Controler_cadre_latex(cadre);
            const TScene scene =
                Scene_de_la_figure(premiere, figure, form2, cadre, 0, TCoupe_courbes::image);
            image = format == TFormat_image::tikz ? Image_tikz(scene) : Image_svg(scene);
        }
    } catch (const Erreur_figure&) {
        throw;
    } catch (const Erreur_etape& erreur) {
        throw Erreur_figure(chemin, erreur.ligne(), erreur.what(), erreur.utilisation());
    } catch (const Erreur_trazel& erreur) {
        const TLieu_faute lieu = Lieu_de_la_faute(erreur, 0);
        throw Erreur_figure(chemin, lieu.ligne, lieu.message, lieu.utilisation);
    }
    if (format == TFormat_image::pstricks)
        Ajouter_ligne(image, "\\end{pspicture}");
    return utf8 || format != TFormat_image::pstricks ? Cp1252_vers_utf8(image) : image;
}

void Transcrire(const std::string& chemin_figure, TForm2& form2, const TCadre_latex& cadre,
                const std::string& sortie, std::vector<TLigne_ignoree>* ignorees)
{
    const std::string image = Transcrire_texte(Lire_fichier(chemin_figure, taille_maximale_figure),
                                               chemin_figure, form2, cadre, ignorees);
    Remplacer_fichier(sortie.empty() ? Chemin_sortie(chemin_figure) : sortie, image);
}

} // namespace trazel
