#pragma once
// The figure model: plain records for every object of a figure, the lists that hold them in
// creation order, the construction steps, and the one figure object that owns them all.
//
// Strings are Windows-1252 bytes. Records refer to one another by non-owning pointers; the
// figure object owns every record, step, argument and argument box it hands out, and releases
// them together.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "model/constructions.h"
#include "model/reel.h"

namespace trazel {

inline constexpr const char* position_non_definie = "Non d\xE9"
                                                    "finie";

struct Tpoint {
    std::string nom{};
    Reel x = 0, y = 0;   // figure units
    bool dessine = true; // the mark is drawn
    std::string couleur = "black";
    bool nom_dessine = true;                         // the name is printed beside the point
    std::string position_nom = position_non_definie; // label direction in degrees, as text
    std::string marque = "1";                        // mark size factor, as text
};

struct Tvecteur {
    std::string nom{};
    Tpoint* origine = nullptr;
    Tpoint* extremite = nullptr;
    Reel x = 0, y = 0;
};

struct Tunite {
    std::string nom{};
    Tvecteur* vecteur = nullptr; // the unit's length is this vector's norm
};

struct Trepere {
    std::string nom{};
    Tpoint* origine = nullptr;
    Tpoint* point2 = nullptr;
    Tvecteur* vecteur1 = nullptr;
    Tvecteur* vecteur2 = nullptr;
    Reel pas1 = 1, pas2 = 1; // graduation steps, in basis-vector lengths
    std::string couleur = "black";
    std::string style = "solid";
    bool dessine = false;
};

// A line, also used for half-lines (from point1 through point2).
struct Tdroite {
    std::string nom{};
    Tpoint* point1 = nullptr;
    Tpoint* point2 = nullptr;
    Tvecteur* vecteur = nullptr;
    bool graduee = false;
    Reel pas = 0;
    Trepere* repere = nullptr; // own frame: origin point1, vectors vecteur and its quarter turn
    bool dessine = true;
    std::string couleur = "black";
    std::string style = "solid";
};

struct Tsegment {
    std::string nom{};
    Tpoint* extremite1 = nullptr;
    Tpoint* extremite2 = nullptr;
    bool dessine = true;
    std::string couleur = "black";
    std::string style = "solid";
};

struct Tcercle {
    std::string nom{};
    Tpoint* centre = nullptr;
    Reel rayon = 0; // in the circle's unit
    Tunite* unite = nullptr;
    bool dessine = true;
    std::string couleur = "black";
    std::string style = "solid";
};

struct Tarc_de_cercle {
    std::string nom{};
    bool dessine = true;
    std::string couleur = "black";
    Tcercle* cercle = nullptr;
    Reel angle_debut = 0, angle_fin = 0; // radians, seen from the centre
    std::string style = "solid";
};

// Hash of names that also takes string views, so a lookup by view copies nothing.
struct THachage_nom {
    using is_transparent = void;
    std::size_t operator()(std::string_view nom) const
    {
        return std::hash<std::string_view>{}(nom);
    }
};

// Points in creation order, with an index of their names: figure lines and formulas look
// points up by name, thousands of times in a large figure. A point's name must not change
// once the point is in a list.
class TListe_points {
  public:
    using value_type = Tpoint*;
    using const_iterator = std::vector<Tpoint*>::const_iterator;
    using iterator = const_iterator;
    using const_reverse_iterator = std::vector<Tpoint*>::const_reverse_iterator;

    TListe_points() = default;
    TListe_points(std::initializer_list<Tpoint*> points);

    void push_back(Tpoint* p);
    Tpoint* emplace_back(Tpoint* p)
    {
        push_back(p);
        return p;
    }
    void clear();

    std::size_t size() const { return points_.size(); }
    bool empty() const { return points_.empty(); }
    Tpoint* operator[](std::size_t i) const { return points_[i]; }
    Tpoint* at(std::size_t i) const { return points_.at(i); }
    Tpoint* front() const { return points_.front(); }
    Tpoint* back() const { return points_.back(); }
    const_iterator begin() const { return points_.begin(); }
    const_iterator end() const { return points_.end(); }
    const_reverse_iterator rbegin() const { return points_.rbegin(); }
    const_reverse_iterator rend() const { return points_.rend(); }
    bool operator==(const TListe_points& autre) const { return points_ == autre.points_; }

    // The first and the most recent point of that exact name, or null.
    Tpoint* Premier_du_nom(std::string_view nom) const;
    Tpoint* Dernier_du_nom(std::string_view nom) const;
    // The length of the longest name in the list.
    std::size_t Longueur_maximale() const { return longueur_maximale_; }

  private:
    struct TPremier_dernier {
        Tpoint* premier;
        Tpoint* dernier;
    };

    std::vector<Tpoint*> points_;
    std::unordered_map<std::string, TPremier_dernier, THachage_nom, std::equal_to<>> index_;
    std::size_t longueur_maximale_ = 0;
};

struct Tpolygone {
    std::string nom{};
    TListe_points sommets{};
    bool dessine = true;
    std::string couleur = "black";
    std::string style = "solid";
};

struct TCourbe {
    std::string nom{};
    bool points_lies = true;
    bool dessinee = true;
    std::string couleur = "black";
    std::string style = "solid";
};

// How the default frame Roxy is drawn: the "Position de Roxy" range and its attribute line.
struct TReperexoy {
    Reel xmin = 0, xmax = 0, ymax = 0;
    bool dessine = false;
    std::string couleur = "black";
};

// The picture window: fractions of the editor's window until the header converts them, in
// place, to figure coordinates.
struct TCadre_image {
    Reel xmin = 0, ymin = 0, xmax = 1, ymax = 1;
    bool double_cadre = false;
    Reel centre_x = 0, centre_y = 0; // centre of the editor's window, figure coordinates
};

struct Tsymetrie_axiale {
    std::string nom{};
    Tdroite* axe = nullptr;
};

struct Ttranslation {
    std::string nom{};
    Tvecteur* vecteur = nullptr;
};

struct Trotation {
    std::string nom{};
    Tpoint* centre = nullptr;
    Reel angle = 0; // radians
    // Kept by the images for the last angle they turned by; not part of the figure.
    mutable TSinus_cosinus trigo{};
};

// Also a point reflection, with rapport -1.
struct Thomothetie {
    std::string nom{};
    Tpoint* centre = nullptr;
    Reel rapport = 0;
};

struct Tsimilitude_directe {
    std::string nom{};
    Tpoint* centre = nullptr;
    Reel angle = 0; // radians
    Reel rapport = 0;
    mutable TSinus_cosinus trigo{}; // as in Trotation
};

struct Tcomposee_transformations {
    std::string nom{};
    std::array<std::string, 2> composantes{}; // names, in the order written
};

using TListe_vecteurs = std::vector<Tvecteur*>;
using TListe_unites = std::vector<Tunite*>;
using TListe_reperes = std::vector<Trepere*>;
using TListe_droites = std::vector<Tdroite*>;
using TListe_segments = std::vector<Tsegment*>;
using TListe_cercles = std::vector<Tcercle*>;
using TListe_arcs_de_cercle = std::vector<Tarc_de_cercle*>;
using TListe_polygones = std::vector<Tpolygone*>;
using TListe_courbes = std::vector<TCourbe*>;
using TListe_symetries_axiales = std::vector<Tsymetrie_axiale*>;
using TListe_translations = std::vector<Ttranslation*>;
using TListe_rotations = std::vector<Trotation*>;
using TListe_homotheties = std::vector<Thomothetie*>;
using TListe_similitudes_directes = std::vector<Tsimilitude_directe*>;
using TListe_composees = std::vector<Tcomposee_transformations*>;

struct TListe_transformations {
    TListe_symetries_axiales symetries_axiales;
    TListe_translations translations;
    TListe_rotations rotations;
    TListe_homotheties homotheties;
    TListe_similitudes_directes similitudes_directes;
    TListe_composees composees;
};

// One argument of a construction step. `donnee` never owns: records belong to the figure,
// and the boxes of natures 1, 9, 11 and 23 too. Read it through Donnee<T>, which checks the
// nature.
struct TArgument {
    TArgument* suivant = nullptr;
    std::uint8_t nature = 0;
    void* donnee = nullptr;
};

// One construction step; the object it defines is the donnee of its last argument.
struct TEtape {
    std::int32_t genre = 0; // a construction code: 0 closes the list, 1 is the first step
    TArgument* arguments = nullptr;
    TEtape* suivante = nullptr;
    std::int32_t ligne = 0; // the figure line that recorded it, for messages; 0 for none

    TCode code() const { return static_cast<TCode>(genre); }
};

// The nature code of each argument type.
template <class T> struct Nature_de;
template <> struct Nature_de<std::int32_t> {
    static constexpr std::uint8_t valeur = 1;
};
template <> struct Nature_de<TCadre_image> {
    static constexpr std::uint8_t valeur = 3;
};
template <> struct Nature_de<Trepere> {
    static constexpr std::uint8_t valeur = 4;
};
template <> struct Nature_de<Tpoint> {
    static constexpr std::uint8_t valeur = 5;
};
template <> struct Nature_de<Tvecteur> {
    static constexpr std::uint8_t valeur = 6;
};
template <> struct Nature_de<Tdroite> {
    static constexpr std::uint8_t valeur = 7;
};
template <> struct Nature_de<Tunite> {
    static constexpr std::uint8_t valeur = 8;
};
template <> struct Nature_de<std::string> {
    static constexpr std::uint8_t valeur = 9;
};
template <> struct Nature_de<Tsegment> {
    static constexpr std::uint8_t valeur = 10;
};
template <> struct Nature_de<Reel> {
    static constexpr std::uint8_t valeur = 11;
};
template <> struct Nature_de<Tpolygone> {
    static constexpr std::uint8_t valeur = 12;
};
template <> struct Nature_de<Tcercle> {
    static constexpr std::uint8_t valeur = 13;
};
template <> struct Nature_de<Thomothetie> {
    static constexpr std::uint8_t valeur = 15;
};
template <> struct Nature_de<Tsimilitude_directe> {
    static constexpr std::uint8_t valeur = 16;
};
template <> struct Nature_de<Trotation> {
    static constexpr std::uint8_t valeur = 17;
};
template <> struct Nature_de<Ttranslation> {
    static constexpr std::uint8_t valeur = 18;
};
template <> struct Nature_de<Tsymetrie_axiale> {
    static constexpr std::uint8_t valeur = 19;
};
template <> struct Nature_de<Tcomposee_transformations> {
    static constexpr std::uint8_t valeur = 20;
};
template <> struct Nature_de<Tarc_de_cercle> {
    static constexpr std::uint8_t valeur = 21;
};
template <> struct Nature_de<TReperexoy> {
    static constexpr std::uint8_t valeur = 22;
};
template <> struct Nature_de<bool> {
    static constexpr std::uint8_t valeur = 23;
};
template <> struct Nature_de<TCourbe> {
    static constexpr std::uint8_t valeur = 24;
};

[[noreturn]] void Nature_inattendue(const TArgument* argument, std::uint8_t attendue);

// The value of an argument of the expected type; a null argument or another nature is an
// internal error (the reader and its readers must agree on every argument list).
template <class T> T* Donnee(const TArgument* argument)
{
    if (argument == nullptr || argument->nature != Nature_de<T>::valeur)
        Nature_inattendue(argument, Nature_de<T>::valeur);
    return static_cast<T*>(argument->donnee);
}

// The last argument of the chain that starts at `argument` (null for null). Inline, like
// Argument: every replayed construction step walks its chain.
inline TArgument* Dernier_argument(TArgument* argument)
{
    if (argument == nullptr)
        return nullptr;
    while (argument->suivant != nullptr)
        argument = argument->suivant;
    return argument;
}

// Links an argument behind the last one of a step already recorded.
void Ajouter_argument(TEtape& etape, TArgument* argument);

// The k-th argument of a step, 1-based; null when the step has fewer.
inline TArgument* Argument(const TEtape* etape, int k)
{
    TArgument* argument = etape->arguments;
    for (int i = 1; argument != nullptr && i < k; ++i)
        argument = argument->suivant;
    return argument;
}

// The first element of each name in a list of named records that only grows (or is
// emptied): a lookup by name instead of a scan, for the lists that lines and segments
// named after two points are searched in, once per mention. The index follows the list
// on each lookup; a list shorter than what was indexed, or an entry whose record no
// longer has the name, makes it index the list again from the start.
template <class T> class TPremiers_du_nom {
  public:
    T* Chercher(const std::vector<T*>& liste, std::string_view nom)
    {
        if (liste.size() < indexes_)
            Vider();
        for (; indexes_ < liste.size(); ++indexes_)
            positions_.try_emplace(liste[indexes_]->nom, indexes_);
        const auto trouve = positions_.find(nom);
        if (trouve == positions_.end())
            return nullptr;
        if (liste[trouve->second]->nom != nom) {
            Vider();
            return Chercher(liste, nom);
        }
        return liste[trouve->second];
    }
    void Vider()
    {
        positions_.clear();
        indexes_ = 0;
    }

  private:
    std::unordered_map<std::string, std::size_t, THachage_nom, std::equal_to<>> positions_;
    std::size_t indexes_ = 0;
};

// One figure: its global lists and the storage of every record it holds. Only one exists
// per transcription; destroying it (or Liberer) releases everything exactly once.
class TFigure {
  public:
    TFigure() = default;
    TFigure(const TFigure&) = delete;
    TFigure& operator=(const TFigure&) = delete;

    // The global lists, in creation order; they refer to records and own nothing.
    TListe_reperes liste_reperes;
    TCadre_image* cadre_image = nullptr;
    TListe_cercles liste_cercles;
    TListe_unites liste_unites;
    TListe_points liste_points;
    TListe_vecteurs liste_vecteurs;
    TListe_droites liste_droites;
    TListe_segments liste_segments;
    TListe_polygones liste_polygones;
    TListe_arcs_de_cercle liste_arcs;
    TListe_courbes liste_courbes;
    TListe_transformations transformations;

    TEtape* premiere_etape = nullptr;

    // Name indexes of the lists above that name lookups search most.
    TPremiers_du_nom<Trepere> index_reperes;
    TPremiers_du_nom<Tvecteur> index_vecteurs;
    TPremiers_du_nom<Tdroite> index_droites;
    TPremiers_du_nom<Tsegment> index_segments;

    // A new record owned by the figure and in no list.
    template <class T> T* Nouveau(T valeur = T{})
    {
        return &std::get<std::deque<T>>(stock_).emplace_back(std::move(valeur));
    }

    TEtape* Nouvelle_etape();

    // New arguments (suivant null). Boxes of natures 1, 9, 11 and 23 are copied into storage
    // the figure owns.
    template <class T> TArgument* Nouvel_argument(T* objet)
    {
        return Argument_brut(Nature_de<T>::valeur, objet);
    }
    TArgument* Argument_texte(std::string texte);
    TArgument* Argument_entier(std::int32_t valeur);
    TArgument* Argument_reel(Reel valeur);
    TArgument* Argument_booleen(bool valeur);

    // Releases every record, step and argument and empties every list.
    void Liberer();

  private:
    TArgument* Argument_brut(std::uint8_t nature, void* donnee);

    std::tuple<std::deque<Tpoint>, std::deque<Tvecteur>, std::deque<Tunite>, std::deque<Trepere>,
               std::deque<Tdroite>, std::deque<Tsegment>, std::deque<Tcercle>,
               std::deque<Tarc_de_cercle>, std::deque<Tpolygone>, std::deque<TCourbe>,
               std::deque<TReperexoy>, std::deque<TCadre_image>, std::deque<Tsymetrie_axiale>,
               std::deque<Ttranslation>, std::deque<Trotation>, std::deque<Thomothetie>,
               std::deque<Tsimilitude_directe>, std::deque<Tcomposee_transformations>,
               std::deque<std::string>, std::deque<std::int32_t>, std::deque<Reel>,
               std::deque<bool>>
        stock_;
    std::deque<TEtape> etapes_;
    std::deque<TArgument> arguments_;
};

// Appends arguments to the current step and closes steps, as the reader records a line.
class TEnregistreur_etapes {
  public:
    TEnregistreur_etapes(TFigure& figure, TEtape* courante) : figure_(figure), courante_(courante)
    {
    }
    TEtape* courante() const { return courante_; }
    void Ajouter(TArgument* argument);
    // Links a new empty step behind the current one and makes it current.
    void Fermer();

  private:
    TFigure& figure_;
    TEtape* courante_;
    TArgument* dernier_ = nullptr;
};

} // namespace trazel
