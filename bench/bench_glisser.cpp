// Times what one move of a dragged point costs the desktop program. The figure text, with the
// point's parameter line rewritten, is taken and turned into a scene as the editor does it
// off the interface thread (the figure kept from the last reading takes the new parameter
// in place, with its variables); then the scene is painted by the figure view into an
// 800 x 600 image. Every mouse move makes one update, which must fit in the budget. The same
// text read afresh is timed beside it ("relu"), outside the update.
//   bench_glisser [-n POSITIONS] [-i DOSSIER] [FIGURE.fgr...]
// Without figures: the examples of exemples/ that hold a parameter line, then the figures of
// bench/glisser/. -i keeps each figure's last drawing in DOSSIER/FIGURE.png, to see that the
// time was spent drawing the figure. The point moved is the first free point of the plane (two
// parameters), or else the first point with one parameter.

#include <QApplication>
#include <QImage>
#include <algorithm>
#include <charconv>
#include <chrono>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <numbers>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "latex/scene.h"
#include "lecture/figure_gardee.h"
#include "lecture/transcription.h"
#include "model/fichiers.h"
#include "ui/vue_figure.h"

namespace {

using namespace trazel;
using Horloge = std::chrono::steady_clock;

// One update: reading and drawing together, in milliseconds.
constexpr double budget_ms = 15;
constexpr int largeur_image = 800, hauteur_image = 600;
// The path of the point: a circle of this radius through its own position (figure units,
// or the units of its frame), or for one parameter an oscillation of this amplitude.
constexpr double rayon_chemin = 0.25;
constexpr double amplitude_parametre = 0.05;

// A parameter line of the figure text: where it stands, what stays ("  Objet libre A,
// paramètres: "), and the values it held.
struct TLigne_parametres {
    std::size_t debut = 0, fin = 0; // bytes of the line, line end excluded
    std::string prefixe;
    std::string nom;
    std::vector<double> valeurs;
};

// "1.25, -3" as numbers; none when a value is a formula rather than a plain number.
std::optional<std::vector<double>> Valeurs(std::string_view texte)
{
    std::vector<double> valeurs;
    while (true) {
        const std::size_t virgule = texte.find(',');
        std::string_view mot = texte.substr(0, virgule);
        while (!mot.empty() && mot.front() == ' ')
            mot.remove_prefix(1);
        while (!mot.empty() && mot.back() == ' ')
            mot.remove_suffix(1);
        double v = 0;
        const auto [fin, erreur] = std::from_chars(mot.data(), mot.data() + mot.size(), v);
        if (erreur != std::errc() || fin != mot.data() + mot.size())
            return std::nullopt;
        valeurs.push_back(v);
        if (virgule == std::string_view::npos)
            return valeurs;
        texte.remove_prefix(virgule + 1);
    }
}

// The first line "  Objet libre NOM, <mot>VALEURS" of the text, lines ended by CR LF, LF or
// CR.
std::optional<TLigne_parametres> Chercher_ligne(const std::string& texte, std::string_view mot)
{
    const std::string_view debut_ligne = "  Objet libre ";
    for (std::size_t pos = 0; pos < texte.size();) {
        const std::size_t fin = std::min(texte.find_first_of("\r\n", pos), texte.size());
        const std::string_view ligne = std::string_view(texte).substr(pos, fin - pos);
        const std::size_t virgule = ligne.find(", ");
        if (ligne.starts_with(debut_ligne) && virgule != std::string_view::npos &&
            ligne.substr(virgule + 2).starts_with(mot)) {
            const std::size_t valeurs = virgule + 2 + mot.size();
            if (auto v = Valeurs(ligne.substr(valeurs)))
                return TLigne_parametres{
                    pos, fin, std::string(ligne.substr(0, valeurs)),
                    std::string(ligne.substr(debut_ligne.size(), virgule - debut_ligne.size())),
                    std::move(*v)};
        }
        pos = fin + (texte.compare(fin, 2, "\r\n") == 0 ? 2 : 1);
    }
    return std::nullopt;
}

std::optional<TLigne_parametres> Ligne_du_point(const std::string& texte)
{
    if (auto ligne = Chercher_ligne(texte, "param\xE8tres: "))
        return ligne;
    return Chercher_ligne(texte, "param\xE8tre: ");
}

// A value as the figure writes it: a point, four decimals, whatever the locale.
std::string Nombre(double x)
{
    char tampon[32];
    const auto fin = std::to_chars(tampon, tampon + sizeof tampon, x, std::chars_format::fixed, 4);
    return std::string(tampon, fin.ptr);
}

// The text with the point at step k of n of its path; step 0 is where the figure puts it.
std::string Texte_deplace(const std::string& texte, const TLigne_parametres& ligne, int k, int n)
{
    const double angle = 2 * std::numbers::pi * k / n;
    std::vector<double> v = ligne.valeurs;
    if (v.size() >= 2) {
        v[0] += rayon_chemin * (std::cos(angle) - 1);
        v[1] += rayon_chemin * std::sin(angle);
    } else {
        v[0] += amplitude_parametre * std::sin(angle);
    }
    std::string nouvelle = ligne.prefixe;
    for (std::size_t i = 0; i < v.size(); ++i)
        nouvelle += (i > 0 ? ", " : "") + Nombre(v[i]);
    return texte.substr(0, ligne.debut) + nouvelle + texte.substr(ligne.fin);
}

// What TEditeur_figure::Lire computes: the kept figure takes a moved parameter in place, or
// the text is read afresh; none when the reading stops at a fault.
std::optional<TScene> Lire(TForm2& form2, std::unique_ptr<TFigure_gardee>& gardee,
                           const std::string& octets, std::vector<TLigne_ignoree>& ignorees)
{
    try {
        if (!gardee || !gardee->Prendre(octets, form2)) {
            gardee.reset();
            gardee = std::make_unique<TFigure_gardee>(octets, "figure", form2, &ignorees);
        }
        return gardee->Scene(form2, {});
    } catch (const std::exception&) {
        gardee.reset();
        return std::nullopt;
    }
}

// A reading from the text alone, as every move cost before figures were kept.
std::optional<TScene> Relire(TForm2& form2, const std::string& octets)
{
    std::unique_ptr<TFigure_gardee> seule;
    std::vector<TLigne_ignoree> ignorees;
    return Lire(form2, seule, octets, ignorees);
}

double Millisecondes(Horloge::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

struct TDurees {
    std::vector<double> lecture, dessin, total; // ms, one per update drawn
    std::vector<double> relecture;              // ms, the same text read afresh
    int fautes = 0;                             // updates whose reading stopped
    std::size_t ignorees = 0;                   // lines the first reading skipped
};

// One figure: a first reading and drawing where the figure puts the point (the editor has
// read the figure before the drag starts), then n timed updates along the path.
TDurees Mesurer(const std::string& texte, const TLigne_parametres& ligne, int n, TForm2& form2,
                TVue_figure& vue, QImage& image)
{
    TDurees d;
    std::vector<TLigne_ignoree> ignorees;
    std::unique_ptr<TFigure_gardee> gardee;
    if (auto scene = Lire(form2, gardee, texte, ignorees)) {
        vue.Afficher(std::move(*scene));
        vue.render(&image);
    }
    d.ignorees = ignorees.size();
    for (int k = 1; k <= n; ++k) {
        const std::string deplace = Texte_deplace(texte, ligne, k, n);
        ignorees.clear();
        const auto t0 = Horloge::now();
        std::optional<TScene> scene = Lire(form2, gardee, deplace, ignorees);
        const auto t1 = Horloge::now();
        if (!scene) {
            ++d.fautes;
            continue;
        }
        // Its own variables: the kept figure's stay as they are.
        TForm2 autres;
        autres.separateur_decimal(form2.separateur_decimal());
        const auto r0 = Horloge::now();
        Relire(autres, deplace);
        d.relecture.push_back(Millisecondes(Horloge::now() - r0));
        vue.Afficher(std::move(*scene));
        vue.render(&image);
        const auto t2 = Horloge::now();
        d.lecture.push_back(Millisecondes(t1 - t0));
        d.dessin.push_back(Millisecondes(t2 - t1));
        d.total.push_back(Millisecondes(t2 - t0));
    }
    return d;
}

double Mediane(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Maximum(const std::vector<double>& v)
{
    return *std::max_element(v.begin(), v.end());
}

// A column of `largeur` characters, right-aligned: printf counts bytes, and the headers'
// accented letters take two of them in UTF-8.
void Colonne(const char* texte, int largeur)
{
    int caracteres = 0;
    for (const char* c = texte; *c; ++c)
        caracteres += (static_cast<unsigned char>(*c) & 0xC0) != 0x80;
    std::printf("%*s%s", std::max(0, largeur - caracteres), "", texte);
}

constexpr int largeur_nom = 16, largeur_point = 6, largeur_duree = 13;

void Entete()
{
    std::printf("%-*s", largeur_nom, "figure");
    Colonne("point", largeur_point);
    for (const char* titre : {"lecture m\xC3\xA9"
                              "d.",
                              "lecture max",
                              "dessin m\xC3\xA9"
                              "d.",
                              "dessin max",
                              "total m\xC3\xA9"
                              "d.",
                              "total max",
                              "m\xC3\xA9"
                              "d./budget",
                              "max/budget",
                              "relu m\xC3\xA9"
                              "d.",
                              "relu/lecture"})
        Colonne(titre, largeur_duree);
    std::printf("\n%-*s", largeur_nom, "");
    Colonne("", largeur_point);
    for (int k = 0; k < 6; ++k)
        Colonne("(ms)", largeur_duree);
    for (int k = 0; k < 2; ++k)
        Colonne("", largeur_duree);
    Colonne("(ms)", largeur_duree);
    std::printf("\n");
}

void Imprimer(const std::string& nom, const TLigne_parametres& ligne, const TDurees& d)
{
    std::printf("%-*s%*s", largeur_nom, nom.c_str(), largeur_point, ligne.nom.c_str());
    for (const auto* v : {&d.lecture, &d.dessin, &d.total})
        std::printf("%*.3f%*.3f", largeur_duree, Mediane(*v), largeur_duree, Maximum(*v));
    std::printf("%*.3f%*.3f", largeur_duree, Mediane(d.total) / budget_ms, largeur_duree,
                Maximum(d.total) / budget_ms);
    std::printf("%*.3f%*.2f\n", largeur_duree, Mediane(d.relecture), largeur_duree,
                Mediane(d.relecture) / Mediane(d.lecture));
}

// The figures measured by default: the examples, then the dragging bench's own.
std::vector<std::filesystem::path> Figures_par_defaut()
{
    std::vector<std::filesystem::path> figures;
    for (const char* dossier : {"exemples", "bench/glisser"}) {
        std::vector<std::filesystem::path> ici;
        for (const auto& entree : std::filesystem::directory_iterator(
                 std::filesystem::path(TRAZEL_SOURCE_DIR) / dossier))
            if (entree.path().extension() == ".fgr")
                ici.push_back(entree.path());
        std::sort(ici.begin(), ici.end());
        figures.insert(figures.end(), ici.begin(), ici.end());
    }
    return figures;
}

// The table's line of one figure; false when it could not be measured. A figure without a
// parameter line has nothing to drag: its name is added to `sans_point`.
bool Mesurer_figure(const std::filesystem::path& chemin, int positions, TForm2& form2,
                    TVue_figure& vue, QImage& image, const std::string& images,
                    std::string& sans_point)
{
    const std::string nom = chemin.stem().string();
    std::string texte;
    try {
        texte = Lire_fichier(chemin.string());
    } catch (const std::exception& erreur) {
        std::fprintf(stderr, "%s\n", erreur.what());
        return false;
    }
    const std::optional<TLigne_parametres> ligne = Ligne_du_point(texte);
    if (!ligne) {
        sans_point += (sans_point.empty() ? "" : ", ") + nom;
        return true;
    }
    const TDurees d = Mesurer(texte, *ligne, positions, form2, vue, image);
    if (d.ignorees > 0)
        std::fprintf(stderr,
                     "%s : %zu ligne(s) ignor\xC3\xA9"
                     "e(s) \xC3\xA0 la lecture\n",
                     nom.c_str(), d.ignorees);
    if (d.fautes > 0)
        std::fprintf(stderr, "%s : %d lecture(s) en faute sur %d\n", nom.c_str(), d.fautes,
                     positions);
    if (d.total.empty())
        return false;
    Imprimer(nom, *ligne, d);
    const std::string png = images + "/" + nom + ".png";
    if (!images.empty() && !image.save(QString::fromStdString(png))) {
        std::fprintf(stderr,
                     "%s : image non enregistr\xC3\xA9"
                     "e\n",
                     png.c_str());
        return false;
    }
    return true;
}

int Usage()
{
    std::fprintf(stderr, "Usage : bench_glisser [-n POSITIONS] [-i DOSSIER] [FIGURE.fgr...]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    int positions = 200;
    std::string images;
    std::vector<std::filesystem::path> figures;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "-n" && i + 1 < argc)
            positions = std::atoi(argv[++i]);
        else if (argument == "-i" && i + 1 < argc)
            images = argv[++i];
        else if (argument.starts_with("-"))
            return Usage();
        else
            figures.emplace_back(argument);
    }
    if (positions < 1)
        return Usage();
    if (figures.empty())
        figures = Figures_par_defaut();

    // No screen needed; a platform given by the caller is kept.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // As the editor holds them: one set of variables for every reading (its decimal
    // separator taken from the user's locale, as Qt has set it), one view.
    TForm2 form2;
    // The timings are printed with a point whatever that locale.
    std::setlocale(LC_NUMERIC, "C");
    TVue_figure vue;
    vue.resize(largeur_image, hauteur_image);
    QImage image(largeur_image, hauteur_image, QImage::Format_ARGB32_Premultiplied);

    std::printf("%d positions par figure, image %d x %d, budget %.0f ms par mise \xC3\xA0 jour "
                "(lecture + dessin)\n",
                positions, largeur_image, hauteur_image, budget_ms);
    Entete();
    int code = 0;
    std::string sans_point;
    for (const std::filesystem::path& chemin : figures)
        if (!Mesurer_figure(chemin, positions, form2, vue, image, images, sans_point))
            code = 1;
    std::printf("Temps d'une mise \xC3\xA0 jour (steady_clock), apr\xC3\xA8s une premi\xC3\xA8re "
                "lecture ; budget = total / %.0f ms.\n",
                budget_ms);
    if (!sans_point.empty())
        std::printf("Sans point \xC3\xA0 d\xC3\xA9placer : %s.\n", sans_point.c_str());
    return code;
}
