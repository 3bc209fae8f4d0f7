#include "cli/ligne_de_commande.h"

#include <unistd.h>

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

#include "calc/conversion_chaines.h"
#include "cli/pdf.h"
#include "cli/suivi.h"
#include "latex/document.h"
#include "lecture/transcription.h"
#include "model/encodage.h"
#include "model/erreurs.h"
#include "model/fichiers.h"
#include "model/licence.h"

#ifndef TRAZEL_VERSION
#define TRAZEL_VERSION "inconnue"
#endif

namespace trazel {
namespace {

// Windows-1252 texts, converted once on their way out.
constexpr const char* aide =
    "Usage : trazel [--largeur L] [--hauteur H] [-o SORTIE] [--format FORMAT]\n"
    "               [--encodage ENCODAGE] [--document] [--avertissements] [--] FIGURE.fgr...\n"
    "\n"
    "Transcrit chaque figure Figuro en image PSTricks : le fichier de m\xEAme nom que la\n"
    "figure, d'extension \xAB crb \xBB, \xE0 c\xF4t\xE9 d'elle.\n"
    "\n"
    "Options :\n"
    "  --largeur L          largeur du cadre LaTeX en cm (10 par d\xE9"
    "faut)\n"
    "  --hauteur H          hauteur du cadre LaTeX en cm (10 par d\xE9"
    "faut)\n"
    "                       L et H s'\xE9"
    "crivent comme les nombres d'une figure : 2*pi, 15/2...\n"
    "  -o, --sortie SORTIE  \xE9"
    "crit l'image dans SORTIE (\xAB - \xBB : la sortie standard) ;\n"
    "                       une seule figure alors\n"
    "  --format FORMAT      pstricks (par d\xE9"
    "faut, fichier \xAB crb \xBB), tikz (fichier \xAB tikz \xBB,\n"
    "                       pour pdfLaTeX et LuaLaTeX), svg (image \xAB svg \xBB) ou pdf\n"
    "                       (image \xAB pdf \xBB compil\xE9"
    "e par pdflatex)\n"
    "  --encodage ENCODAGE  cp1252 (par d\xE9"
    "faut) ou utf8 : l'encodage de l'image PSTricks ;\n"
    "                       les autres formats sont toujours en UTF-8\n"
    "  --document           \xE9"
    "crit un document LaTeX complet, pr\xEAt \xE0 compiler, au lieu\n"
    "                       de la seule image (fichier d'extension \xAB tex \xBB ;\n"
    "                       formats pstricks et tikz)\n"
    "  --avertissements     signale les lignes de la figure que la lecture a ignor\xE9"
    "es\n"
    "  --suivre             apr\xE8s la transcription, suit les figures : chaque\n"
    "                       enregistrement de l'une refait son image, jusqu'\xE0 Ctrl+C\n"
    "  --aide, --help, -h   affiche cette aide\n"
    "  --version            affiche la version\n"
    "  --                   termine les options : la suite n'est faite que de figures\n"
    "Les options \xE0 valeur s'\xE9"
    "crivent aussi --largeur=L, --hauteur=H, --sortie=SORTIE, --format=FORMAT,\n"
    "--encodage=ENCODAGE.\n"
    "\n"
    "Code de retour : 0 si toutes les figures ont \xE9t\xE9 transcrites, 1 si l'une a \xE9"
    "chou\xE9,\n"
    "2 pour une erreur d'utilisation.\n";

// A picture format as the command line names it, with its file's extension.
struct TFormat {
    std::string_view nom;
    std::string_view extension;
    TFormat_image image;
    bool pdf = false; // the TikZ picture compiled
};

constexpr TFormat formats[] = {
    {"pstricks", "crb", TFormat_image::pstricks},
    {"tikz", "tikz", TFormat_image::tikz},
    {"svg", "svg", TFormat_image::svg},
    {"pdf", "pdf", TFormat_image::tikz, true},
};

struct TOptions {
    std::optional<std::string> largeur, hauteur, sortie;
    TFormat format = formats[0];
    std::optional<std::string> encodage;
    bool avertissements = false;
    bool suivre = false;
    bool document = false;
    bool aide = false;
    bool version = false;
    std::vector<std::string> figures;
};

class TErreur_usage : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

enum class TGenre_option {
    largeur,
    hauteur,
    sortie,
    format,
    encodage,
    document,
    avertissements,
    suivre,
    aide,
    version,
    fin
};

struct TOption {
    std::string_view nom;
    TGenre_option genre;
};

// The one list of the options: the parser looks arguments up in it, and Options_acceptees
// hands it to whoever checks the help.
constexpr TOption table_options[] = {
    {"--largeur", TGenre_option::largeur},   {"--hauteur", TGenre_option::hauteur},
    {"-o", TGenre_option::sortie},           {"--sortie", TGenre_option::sortie},
    {"--format", TGenre_option::format},     {"--encodage", TGenre_option::encodage},
    {"--document", TGenre_option::document}, {"--avertissements", TGenre_option::avertissements},
    {"--suivre", TGenre_option::suivre},     {"--aide", TGenre_option::aide},
    {"--help", TGenre_option::aide},         {"-h", TGenre_option::aide},
    {"--version", TGenre_option::version},   {"--", TGenre_option::fin},
};

bool Prend_une_valeur(TGenre_option genre)
{
    return genre == TGenre_option::largeur || genre == TGenre_option::hauteur ||
           genre == TGenre_option::sortie || genre == TGenre_option::format ||
           genre == TGenre_option::encodage;
}

struct TOption_lue {
    TGenre_option genre;
    std::optional<std::string> valeur; // given as "--nom=VALEUR"
};

std::optional<TOption_lue> Option_de(const std::string& argument)
{
    for (const TOption& option : table_options) {
        if (argument == option.nom)
            return TOption_lue{option.genre, std::nullopt};
        if (Prend_une_valeur(option.genre) && option.nom.starts_with("--") &&
            argument.starts_with(std::string(option.nom) + "="))
            return TOption_lue{option.genre, argument.substr(option.nom.size() + 1)};
    }
    return std::nullopt;
}

TFormat Format_de(const std::string& nom)
{
    for (const TFormat& format : formats)
        if (nom == format.nom)
            return format;
    throw TErreur_usage("format inconnu : " + nom + " (pstricks, tikz, svg ou pdf)");
}

bool Encodage_utf8(const std::string& nom)
{
    if (nom == "utf8" || nom == "utf-8" || nom == "UTF-8")
        return true;
    if (nom == "cp1252")
        return false;
    throw TErreur_usage("encodage inconnu : " + nom + " (cp1252 ou utf8)");
}

// Records one option; false for the end of the options.
bool Appliquer(TGenre_option genre, std::optional<std::string> valeur, TOptions& options)
{
    switch (genre) {
    case TGenre_option::format:
        options.format = Format_de(*valeur);
        break;
    case TGenre_option::encodage:
        options.encodage = *valeur;
        break;
    case TGenre_option::largeur:
        options.largeur = std::move(valeur);
        break;
    case TGenre_option::hauteur:
        options.hauteur = std::move(valeur);
        break;
    case TGenre_option::sortie:
        options.sortie = std::move(valeur);
        break;
    case TGenre_option::document:
        options.document = true;
        break;
    case TGenre_option::avertissements:
        options.avertissements = true;
        break;
    case TGenre_option::suivre:
        options.suivre = true;
        break;
    case TGenre_option::aide:
        options.aide = true;
        break;
    case TGenre_option::version:
        options.version = true;
        break;
    case TGenre_option::fin:
        return false;
    }
    return true;
}

TOptions Analyser(const std::vector<std::string>& arguments)
{
    TOptions options;
    bool fin_des_options = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (fin_des_options || a == "-" || !a.starts_with("-")) {
            options.figures.push_back(a);
            continue;
        }
        std::optional<TOption_lue> option = Option_de(a);
        if (!option)
            throw TErreur_usage("option inconnue : " + a);
        if (Prend_une_valeur(option->genre) && !option->valeur) {
            if (i + 1 >= arguments.size())
                throw TErreur_usage("l'option " + a + " attend une valeur");
            option->valeur = arguments[++i];
        }
        fin_des_options = !Appliquer(option->genre, std::move(option->valeur), options);
    }
    if (options.aide || options.version)
        return options;
    if (options.figures.empty())
        throw TErreur_usage("aucune figure \xE0 transcrire");
    if (options.sortie && options.figures.size() > 1)
        throw TErreur_usage("l'option -o ne s'emploie qu'avec une seule figure");
    if (options.suivre && std::count(options.figures.begin(), options.figures.end(), "-") > 0)
        throw TErreur_usage("--suivre suit des fichiers : l'entr\xE9"
                            "e standard (\xAB - \xBB) ne s'enregistre pas");
    if (options.suivre && options.sortie == "-")
        throw TErreur_usage("--suivre \xE9"
                            "crit des fichiers : pas d'image sur la sortie standard");
    if (std::count(options.figures.begin(), options.figures.end(), "-") > 1)
        throw TErreur_usage("l'entr\xE9"
                            "e standard (\xAB - \xBB) ne se lit qu'une fois");
    if (options.document && options.format.image == TFormat_image::svg)
        throw TErreur_usage("--document ne s'emploie qu'avec les formats pstricks et tikz");
    if (options.document && options.format.pdf)
        throw TErreur_usage("--document ne s'emploie qu'avec les formats pstricks et tikz");
    if (options.encodage && !Encodage_utf8(*options.encodage) &&
        options.format.image != TFormat_image::pstricks)
        throw TErreur_usage("les formats tikz, svg et pdf s'\xE9"
                            "crivent en UTF-8 : --encodage cp1252 ne vaut que pour pstricks");
    return options;
}

// "7,5": digits, one comma, digits. A French decimal comma, where the figure notation has
// no use for a comma.
bool Virgule_decimale(const std::string& texte)
{
    const std::size_t virgule = texte.find(',');
    const auto chiffres = [&](std::size_t debut, std::size_t fin) {
        return fin > debut && std::all_of(texte.begin() + static_cast<std::ptrdiff_t>(debut),
                                          texte.begin() + static_cast<std::ptrdiff_t>(fin),
                                          [](char c) { return c >= '0' && c <= '9'; });
    };
    return virgule != std::string::npos && chiffres(0, virgule) &&
           chiffres(virgule + 1, texte.size());
}

// A frame size: an expression in figure notation, positive. A decimal comma is read as a
// point; any other comma is refused with the way to write it.
Reel Taille(TForm2& form2, const std::optional<std::string>& texte, const char* option)
{
    if (!texte)
        return 10;
    std::string expression = *texte;
    if (Virgule_decimale(expression))
        expression[expression.find(',')] = '.';
    else if (expression.find(',') != std::string::npos)
        throw TErreur_usage(std::string(option) + " \xAB " + *texte +
                            " \xBB : les d\xE9"
                            "cimales s'\xE9"
                            "crivent avec un point (7.5), ou avec une virgule dans un "
                            "nombre seul (7,5)");
    Reel valeur = 0;
    try {
        valeur = form2.Evaluer_expression(expression, {}, 1);
    } catch (const Erreur_trazel& erreur) {
        throw TErreur_usage(std::string(option) + " \xAB " + *texte + " \xBB : " + erreur.what());
    }
    if (!(valeur > 0))
        throw TErreur_usage(std::string(option) + " doit \xEAtre positive");
    return valeur;
}

std::string Lieu(const std::string& chemin, int ligne)
{
    return ligne > 0 ? chemin + ", ligne " + std::to_string(ligne) : chemin;
}

void Signaler_ignorees(const std::string& chemin, const std::vector<TLigne_ignoree>& ignorees,
                       TFlux& erreurs)
{
    for (const TLigne_ignoree& ligne : ignorees)
        erreurs << "trazel: " << Lieu(chemin, ligne.numero) << " : "
                << Cp1252_vers_utf8("ligne ignor\xE9"
                                    "e (" +
                                    ligne.raison + ") : " + ligne.texte)
                << '\n';
}

// Where a transcription reads and writes.
struct TFlux_commande {
    TFlux& sortie;
    TFlux& erreurs;
    TEntree& entree;
};

// Transcribes one figure; false (after a message) when it failed. The figure "-" is read
// from the standard input, its picture written to the standard output unless -o says
// otherwise.
bool Transcrire_une(const std::string& figure, const TOptions& options, TForm2& form2,
                    const TCadre_latex& cadre, const TFlux_commande& flux)
{
    TFlux& sortie = flux.sortie;
    TFlux& erreurs = flux.erreurs;
    const bool entree_standard = figure == "-";
    const std::string nom = entree_standard ? nom_entree_standard : figure;
    std::vector<TLigne_ignoree> ignorees;
    try {
        const TFormat& format = options.format;
        const bool utf8 = options.encodage && Encodage_utf8(*options.encodage);
        const std::string octets = entree_standard ? flux.entree.Lire_tout(taille_maximale_figure)
                                                   : Lire_fichier(figure, taille_maximale_figure);
        std::string texte =
            Transcrire_texte(octets, nom, form2, cadre, format.image, utf8, &ignorees);
        if (format.pdf)
            texte = Compiler_pdf(Document_tikz(texte), nom);
        else if (options.document && format.image == TFormat_image::tikz)
            texte = Document_tikz(texte);
        else if (options.document)
            texte = Document_de_compilation(texte);
        if (options.sortie == "-" || (entree_standard && !options.sortie)) {
            sortie << texte;
            sortie.Vider();
        } else if (options.sortie) {
            Remplacer_fichier(*options.sortie, texte);
        } else {
            const std::string crb = Chemin_sortie(figure);
            const std::string_view extension = options.document ? "tex" : format.extension;
            Remplacer_fichier(crb.substr(0, crb.size() - 3) + std::string(extension), texte);
        }
    } catch (const Erreur_figure& erreur) {
        erreurs << "trazel: " << Texte_erreur(erreur) << '\n';
        return false;
    } catch (const Erreur_fichier& erreur) {
        erreurs << "trazel: " << Texte_erreur(erreur) << '\n';
        return false;
    }
    if (options.avertissements)
        Signaler_ignorees(nom, ignorees, erreurs);
    return true;
}

} // namespace

std::vector<std::string> Options_acceptees()
{
    std::vector<std::string> noms;
    for (const TOption& option : table_options)
        noms.emplace_back(option.nom);
    return noms;
}

int Executer(const std::vector<std::string>& arguments, TFlux& sortie, TFlux& erreurs)
{
    TEntree_descripteur entree(STDIN_FILENO);
    return Executer(arguments, sortie, erreurs, entree);
}

int Executer(const std::vector<std::string>& arguments, TFlux& sortie, TFlux& erreurs,
             TEntree& entree)
{
    TForm2 form2;
    TOptions options;
    TCadre_latex cadre;
    try {
        options = Analyser(arguments);
        if (options.aide) {
            sortie << Cp1252_vers_utf8(aide);
            return code_succes;
        }
        if (options.version) {
            sortie << "trazel " TRAZEL_VERSION "\n" << Cp1252_vers_utf8(texte_licence);
            return code_succes;
        }
        cadre.largeur = Taille(form2, options.largeur, "--largeur");
        cadre.hauteur = Taille(form2, options.hauteur, "--hauteur");
    } catch (const TErreur_usage& erreur) {
        erreurs << "trazel: " << Cp1252_vers_utf8(erreur.what()) << '\n'
                << "trazel: " << Cp1252_vers_utf8("essayez \xAB trazel --aide \xBB.") << '\n';
        return code_usage;
    }
    bool reussi = true;
    const TFlux_commande flux{sortie, erreurs, entree};
    for (const std::string& figure : options.figures)
        reussi = Transcrire_une(figure, options, form2, cadre, flux) && reussi;
    if (options.suivre) {
        // A failed transcription has said why and left the last good picture.
        Suivre(
            options.figures,
            [&](const std::string& figure) {
                if (Transcrire_une(figure, options, form2, cadre, flux))
                    erreurs << "trazel: " << figure << " : image refaite\n";
            },
            erreurs);
        return code_echec;
    }
    return reussi ? code_succes : code_echec;
}

} // namespace trazel
