// What the drawing editor knows of a read figure: its objects, what each is built on, and
// the supports of the points the mouse may move. The supports' parameters are in
// edition_supports.cpp, the figure lines and fresh names in edition_phrases.cpp.

#include "lecture/edition.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <unordered_set>

#include "calc/noms.h"
#include "calc/resolveur.h"
#include "model/mots.h"

namespace trazel {
namespace {

template <class T> const T& Record(const void* donnee)
{
    return *static_cast<const T*>(donnee);
}

// The name of the record an argument holds.
std::string Nom_du_record(std::uint8_t nature, const void* r)
{
    switch (nature) {
    case 4:
        return Record<Trepere>(r).nom;
    case 5:
        return Record<Tpoint>(r).nom;
    case 6:
        return Record<Tvecteur>(r).nom;
    case 7:
        return Record<Tdroite>(r).nom;
    case 8:
        return Record<Tunite>(r).nom;
    case 9:
        return Record<std::string>(r);
    case 10:
        return Record<Tsegment>(r).nom;
    case 12:
        return Record<Tpolygone>(r).nom;
    case 13:
        return Record<Tcercle>(r).nom;
    case 15:
        return Record<Thomothetie>(r).nom;
    case 16:
        return Record<Tsimilitude_directe>(r).nom;
    case 17:
        return Record<Trotation>(r).nom;
    case 18:
        return Record<Ttranslation>(r).nom;
    case 19:
        return Record<Tsymetrie_axiale>(r).nom;
    case 20:
        return Record<Tcomposee_transformations>(r).nom;
    case 21:
        return Record<Tarc_de_cercle>(r).nom;
    case 24:
        return Record<TCourbe>(r).nom;
    default:
        return {};
    }
}

// A measure's name is its first argument; any other object is its step's last argument.
std::string Nom_de_l_etape(const TEtape& etape)
{
    const TArgument* premier = etape.arguments;
    if (Construction(etape.genre).famille == TFamille::mesure && premier != nullptr &&
        premier->nature == Nature_de<std::string>::valeur)
        return Record<std::string>(premier->donnee);
    const TArgument* dernier = Dernier_argument(etape.arguments);
    return dernier == nullptr || dernier->donnee == nullptr
               ? std::string()
               : Nom_du_record(dernier->nature, dernier->donnee);
}

TSorte_objet Sorte_du_code(TCode code)
{
    using D = TDessin;
    switch (Construction(code).dessin) {
    case D::point:
        return TSorte_objet::point;
    case D::droite:
        return TSorte_objet::droite;
    case D::demi_droite:
        return TSorte_objet::demi_droite;
    case D::segment:
        return TSorte_objet::segment;
    case D::cercle:
        return TSorte_objet::cercle;
    case D::arc:
        return TSorte_objet::arc;
    case D::polygone:
        return TSorte_objet::polygone;
    case D::lieu:
    case D::graphe:
        return TSorte_objet::courbe;
    case D::repere:
        return TSorte_objet::repere;
    default:
        break;
    }
    switch (Construction(code).famille) {
    case TFamille::vecteur:
        return TSorte_objet::vecteur;
    case TFamille::transformation:
        return TSorte_objet::transformation;
    case TFamille::mesure:
        return TSorte_objet::nombre;
    default:
        return code == TCode::fonction ? TSorte_objet::nombre : TSorte_objet::autre;
    }
}

bool A_des_attributs(TSorte_objet sorte)
{
    using S = TSorte_objet;
    return sorte == S::point || sorte == S::droite || sorte == S::demi_droite ||
           sorte == S::segment || sorte == S::cercle || sorte == S::arc || sorte == S::polygone ||
           sorte == S::courbe || sorte == S::repere;
}

// Objects a formula may name: points, numbers and functions, vectors, transformations, units.
bool Nomme_dans_les_formules(const TObjet_edite& objet)
{
    using S = TSorte_objet;
    return objet.sorte == S::point || objet.sorte == S::nombre || objet.sorte == S::vecteur ||
           objet.sorte == S::transformation || objet.code == TCode::unite;
}

bool Car_de_nom(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '\'' || u >= 0x80;
}

// Words of formulas and phrases that never name an object.
bool Mot_reserve(std::string_view mot)
{
    static constexpr std::array<std::string_view, 16> reserves = {
        "vec", "ln",   "exp",    "abs",    "int",    "rac", "sin", "cos",
        "tan", "sqrt", "arcsin", "arccos", "arctan", "Pi",  "pi",  "radian"};
    return Code_mot(mot).has_value() ||
           std::find(reserves.begin(), reserves.end(), mot) != reserves.end();
}

} // namespace

namespace {

// The objects read so far, and the lookups that find an argument's object among them.
class TRecensement {
  public:
    explicit TRecensement(TFigure& figure) : figure_(figure) {}
    void Ajouter(const std::vector<const TEtape*>& etapes);
    std::vector<TObjet_edite> objets;

  private:
    // Collects the objects an argument leads to; the records met are not visited twice.
    struct TParcours {
        const TEtape* etape = nullptr;
        std::string nom; // of the object being added, skipped in texts
        std::unordered_set<const void*> vus;
        std::vector<std::size_t> trouves;
    };
    void Suivre_argument(TParcours& p, const TArgument& a);
    void Suivre(TParcours& p, std::uint8_t nature, const void* donnee);
    void Composantes(TParcours& p, std::uint8_t nature, const void* donnee);
    void Composantes_transformation(TParcours& p, std::uint8_t nature, const void* donnee);
    void Texte(TParcours& p, std::string_view texte);
    void Mot(TParcours& p, std::string_view mot);
    bool Points_du_mot(TParcours& p, std::string_view mot);
    void Inscrire(const std::vector<const TEtape*>& etapes, std::size_t indice);

    TFigure& figure_;
    std::unordered_map<const void*, std::size_t> definis_; // records defined by a line
    std::unordered_map<std::string, std::size_t> noms_;    // names formulas may use
    std::unordered_map<std::string, std::size_t> points_;
    std::size_t plus_long_point_ = 0;
};

// A barycentre's text is its whole line: its weighted points start at its second argument.
void TRecensement::Suivre_argument(TParcours& p, const TArgument& a)
{
    if (p.etape->code() != TCode::barycentre || &a != p.etape->arguments) {
        Suivre(p, a.nature, a.donnee);
        return;
    }
    const std::string& ligne = Record<std::string>(a.donnee);
    const auto debut = static_cast<std::size_t>(std::max(*Donnee<std::int32_t>(a.suivant), 1));
    Texte(p, std::string_view(ligne).substr(std::min(debut - 1, ligne.size())));
}

void TRecensement::Suivre(TParcours& p, std::uint8_t nature, const void* donnee)
{
    if (donnee == nullptr || !p.vus.insert(donnee).second)
        return;
    if (const auto trouve = definis_.find(donnee); trouve != definis_.end())
        p.trouves.push_back(trouve->second);
    else
        Composantes(p, nature, donnee);
}

// The records a record built in no object line is made of.
void TRecensement::Composantes(TParcours& p, std::uint8_t nature, const void* r)
{
    switch (nature) {
    case 4: {
        const Trepere& repere = Record<Trepere>(r);
        Suivre(p, 5, repere.origine);
        Suivre(p, 5, repere.point2);
        Suivre(p, 6, repere.vecteur1);
        Suivre(p, 6, repere.vecteur2);
        break;
    }
    case 6:
        Suivre(p, 5, Record<Tvecteur>(r).origine);
        Suivre(p, 5, Record<Tvecteur>(r).extremite);
        break;
    case 7:
        Suivre(p, 5, Record<Tdroite>(r).point1);
        Suivre(p, 5, Record<Tdroite>(r).point2);
        Suivre(p, 6, Record<Tdroite>(r).vecteur);
        break;
    case 8:
        Suivre(p, 6, Record<Tunite>(r).vecteur);
        break;
    case 9:
        if (Record<std::string>(r) != p.nom)
            Texte(p, Record<std::string>(r));
        break;
    case 10:
        Suivre(p, 5, Record<Tsegment>(r).extremite1);
        Suivre(p, 5, Record<Tsegment>(r).extremite2);
        break;
    case 12:
        for (const Tpoint* sommet : Record<Tpolygone>(r).sommets)
            Suivre(p, 5, sommet);
        break;
    case 13:
        Suivre(p, 5, Record<Tcercle>(r).centre);
        Suivre(p, 8, Record<Tcercle>(r).unite);
        break;
    case 21:
        Suivre(p, 13, Record<Tarc_de_cercle>(r).cercle);
        break;
    default:
        Composantes_transformation(p, nature, r);
        break;
    }
}

void TRecensement::Composantes_transformation(TParcours& p, std::uint8_t nature, const void* r)
{
    switch (nature) {
    case 15:
        Suivre(p, 5, Record<Thomothetie>(r).centre);
        break;
    case 16:
        Suivre(p, 5, Record<Tsimilitude_directe>(r).centre);
        break;
    case 17:
        Suivre(p, 5, Record<Trotation>(r).centre);
        break;
    case 18:
        Suivre(p, 6, Record<Ttranslation>(r).vecteur);
        break;
    case 19:
        Suivre(p, 7, Record<Tsymetrie_axiale>(r).axe);
        break;
    case 20:
        for (const std::string& nom : Record<Tcomposee_transformations>(r).composantes)
            Mot(p, nom);
        break;
    default: // numbers, the picture window, the default frame, curves
        break;
    }
}

// The names a formula or a phrase holds, word by word: a word that is an object's name, or,
// failing that, a run of point names ("AB" in "2AB").
void TRecensement::Texte(TParcours& p, std::string_view texte)
{
    std::string propre(texte);
    if (p.etape->code() == TCode::droite_equation) // X and Y are the frame's coordinates
        std::replace_if(
            propre.begin(), propre.end(), [](char c) { return c == 'X' || c == 'Y'; }, ' ');
    std::string_view variable;
    if (p.etape->code() == TCode::fonction)
        variable = Record<std::string>(p.etape->arguments->donnee);
    for (std::size_t i = 0; i < propre.size();) {
        std::size_t j = i;
        while (j < propre.size() && Car_de_nom(propre[j]))
            ++j;
        const std::string_view mot = std::string_view(propre).substr(i, j - i);
        if (!mot.empty() && mot != variable)
            Mot(p, mot);
        i = std::max(j, i + 1);
    }
}

void TRecensement::Mot(TParcours& p, std::string_view mot)
{
    if (mot.empty() || Mot_reserve(mot))
        return;
    if (const auto trouve = noms_.find(std::string(mot)); trouve != noms_.end()) {
        p.trouves.push_back(trouve->second);
        return;
    }
    const std::size_t chiffres = mot.find_first_not_of("0123456789");
    if (chiffres == std::string_view::npos)
        return;
    if (chiffres > 0) { // an implicit product: "2AB"
        Mot(p, mot.substr(chiffres));
        return;
    }
    Points_du_mot(p, mot);
}

// The word split into point names by longest prefix, as the reader splits "AB"; nothing
// unless the whole word splits.
bool TRecensement::Points_du_mot(TParcours& p, std::string_view mot)
{
    std::vector<std::size_t> points;
    while (!mot.empty()) {
        std::size_t longueur = std::min(mot.size(), plus_long_point_);
        auto trouve = points_.end();
        for (; longueur > 0; --longueur)
            if ((trouve = points_.find(std::string(mot.substr(0, longueur)))) != points_.end())
                break;
        if (longueur == 0)
            return false;
        points.push_back(trouve->second);
        mot.remove_prefix(longueur);
    }
    p.trouves.insert(p.trouves.end(), points.begin(), points.end());
    return true;
}

// The record a step defines, when it is one (a measure defines a value).
const TArgument* Objet_defini(const TEtape& etape)
{
    if (Construction(etape.genre).famille == TFamille::mesure)
        return nullptr;
    const TArgument* dernier = Dernier_argument(etape.arguments);
    return dernier != nullptr && dernier->donnee != nullptr ? dernier : nullptr;
}

template <class T> TAttributs Attributs_de_trait(const T& objet, bool dessine)
{
    TAttributs a;
    a.dessine = dessine;
    a.couleur = objet.couleur;
    a.style = objet.style;
    return a;
}

TAttributs Attributs_du_point(const Tpoint& p)
{
    TAttributs a;
    a.dessine = p.dessine;
    a.couleur = p.couleur;
    a.nom_dessine = p.nom_dessine;
    a.position_nom = p.position_nom;
    a.marque = p.marque;
    return a;
}

void Decrire_droite(TObjet_edite& o, const Tdroite& d)
{
    o.attributs = Attributs_de_trait(d, d.dessine);
    if (d.point1 == nullptr || d.vecteur == nullptr)
        return;
    o.droite = Ligne_de(d);
    o.extremite1 = Coordonnees(*d.point1);
    o.extremite2 = d.point2 != nullptr ? Coordonnees(*d.point2)
                                       : Point_plus_vecteur(o.extremite1, o.droite.direction, 1);
}

void Decrire_segment(TObjet_edite& o, const Tsegment& s)
{
    o.attributs = Attributs_de_trait(s, s.dessine);
    o.extremite1 = Coordonnees(*s.extremite1);
    o.extremite2 = Coordonnees(*s.extremite2);
    o.droite = {o.extremite1, Vecteur_de(o.extremite1, o.extremite2)};
}

// Attributes and geometry from the record the object's step defines.
void Decrire(TObjet_edite& o, const TArgument& defini)
{
    const void* r = defini.donnee;
    switch (defini.nature) {
    case 4: {
        const Trepere& repere = Record<Trepere>(r);
        o.attributs = Attributs_de_trait(repere, repere.dessine);
        if (repere.origine != nullptr)
            o.position = Coordonnees(*repere.origine);
        break;
    }
    case 5:
        o.position = Coordonnees(Record<Tpoint>(r));
        o.attributs = Attributs_du_point(Record<Tpoint>(r));
        break;
    case 7:
        Decrire_droite(o, Record<Tdroite>(r));
        break;
    case 10:
        Decrire_segment(o, Record<Tsegment>(r));
        break;
    case 12:
        o.attributs = Attributs_de_trait(Record<Tpolygone>(r), Record<Tpolygone>(r).dessine);
        for (const Tpoint* sommet : Record<Tpolygone>(r).sommets)
            o.sommets.push_back(Coordonnees(*sommet));
        break;
    case 13:
        o.attributs = Attributs_de_trait(Record<Tcercle>(r), Record<Tcercle>(r).dessine);
        o.cercle = Rond_de(Record<Tcercle>(r));
        break;
    case 21: {
        const Tarc_de_cercle& arc = Record<Tarc_de_cercle>(r);
        o.attributs = Attributs_de_trait(arc, arc.dessine);
        o.cercle = Rond_de(*arc.cercle);
        o.debut = arc.angle_debut;
        o.fin = arc.angle_fin;
        break;
    }
    case 24:
        o.attributs = Attributs_de_trait(Record<TCourbe>(r), Record<TCourbe>(r).dessinee);
        o.attributs.points_lies = Record<TCourbe>(r).points_lies;
        break;
    default:
        break;
    }
}

// A line's own frame, as the resolver places a point on it: origin + t first vector.
TSupport Support_de_ligne(const Tdroite& d, TSupport::TSorte sorte)
{
    TSupport s;
    s.sorte = sorte;
    const Trepere* r = d.repere;
    if (r != nullptr && r->origine != nullptr && r->vecteur1 != nullptr && r->vecteur2 != nullptr) {
        s.origine = Coordonnees(*r->origine);
        s.e = Coordonnees(*r->vecteur1);
        s.f = Coordonnees(*r->vecteur2);
    } else {
        s.origine = Coordonnees(*d.point1);
        s.e = Coordonnees(*d.vecteur);
        s.f = Quart_de_tour(s.e);
    }
    return s;
}

// The rectangle the resolver puts a cadre's free points in.
TSupport Support_de_cadre(const Tpolygone& cadre)
{
    const auto [bas, haut] = Boite_du_cadre(cadre);
    TSupport s;
    s.sorte = TSupport::TSorte::cadre;
    s.origine = bas;
    s.e = {haut.x - bas.x, 0};
    s.f = {0, haut.y - bas.y};
    return s;
}

template <class T> const T& Premier(const TEtape& etape)
{
    return *Donnee<T>(etape.arguments);
}

TSupport Support_de_cercle(const Tcercle& c)
{
    TSupport s;
    s.sorte = TSupport::TSorte::cercle;
    s.rond = Rond_de(c);
    return s;
}

TSupport Support_d_arc(const Tarc_de_cercle& arc)
{
    TSupport s;
    s.sorte = TSupport::TSorte::arc;
    s.rond = Rond_de(*arc.cercle);
    s.debut = arc.angle_debut;
    s.fin = arc.angle_fin;
    return s;
}

std::optional<TSupport> Support_du_point(const TEtape& etape, TFigure& figure)
{
    using S = TSupport::TSorte;
    TSupport s;
    switch (etape.code()) {
    case TCode::point_libre:
        return s;
    case TCode::point_libre_cadre:
        return Support_de_cadre(Premier<Tpolygone>(etape));
    case TCode::point_libre_repere: {
        const Trepere& r = Premier<Trepere>(etape);
        s.sorte = S::repere;
        s.origine = Coordonnees(*r.origine);
        s.e = Coordonnees(*r.vecteur1);
        s.f = Coordonnees(*r.vecteur2);
        return s;
    }
    case TCode::point_sur_segment: // on the line named as the segment, as the resolver does
        return Support_de_ligne(*Droite_du_nom(figure, Premier<Tsegment>(etape).nom), S::segment);
    case TCode::point_sur_droite:
    case TCode::point_abscisse_droite:
        return Support_de_ligne(Premier<Tdroite>(etape), S::droite);
    case TCode::point_sur_demi_droite:
        return Support_de_ligne(Premier<Tdroite>(etape), S::demi_droite);
    case TCode::point_sur_cercle:
        return Support_de_cercle(Premier<Tcercle>(etape));
    case TCode::point_sur_arc:
        return Support_d_arc(Premier<Tarc_de_cercle>(etape));
    default:
        return std::nullopt;
    }
}

// The support a point put on the object would have: the rules of the points on a segment, a
// line, a half-line, a circle or an arc, read from the object itself.
std::optional<TSupport> Porteur(TSorte_objet sorte, const TArgument& defini, TFigure& figure)
{
    using S = TSupport::TSorte;
    switch (sorte) {
    case TSorte_objet::segment: // a point on [AB] lies on the line named AB
        return Support_de_ligne(*Droite_du_nom(figure, Record<Tsegment>(defini.donnee).nom),
                                S::segment);
    case TSorte_objet::droite:
    case TSorte_objet::demi_droite: {
        const Tdroite& d = Record<Tdroite>(defini.donnee);
        if (d.point1 == nullptr || d.vecteur == nullptr)
            return std::nullopt;
        return Support_de_ligne(d, sorte == TSorte_objet::droite ? S::droite : S::demi_droite);
    }
    case TSorte_objet::cercle:
        return Support_de_cercle(Record<Tcercle>(defini.donnee));
    case TSorte_objet::arc:
        return Support_d_arc(Record<Tarc_de_cercle>(defini.donnee));
    default:
        return std::nullopt;
    }
}

void TRecensement::Ajouter(const std::vector<const TEtape*>& etapes)
{
    const TEtape& derniere = *etapes.back();
    TObjet_edite o;
    o.nom = Nom_de_l_etape(derniere);
    o.code = derniere.code();
    o.sorte = Sorte_du_code(o.code);
    o.ligne = derniere.ligne;
    o.a_des_attributs = A_des_attributs(o.sorte);
    TParcours p;
    p.nom = o.nom;
    for (const TEtape* etape : etapes) {
        p.etape = etape;
        const TArgument* defini = Objet_defini(*etape);
        if (defini != nullptr && p.vus.insert(defini->donnee).second)
            Composantes(p, defini->nature, defini->donnee);
        for (const TArgument* a = etape->arguments; a != nullptr; a = a->suivant)
            if (a != defini)
                Suivre_argument(p, *a);
    }
    std::sort(p.trouves.begin(), p.trouves.end());
    p.trouves.erase(std::unique(p.trouves.begin(), p.trouves.end()), p.trouves.end());
    o.appuis = std::move(p.trouves);
    if (const TArgument* defini = Objet_defini(derniere))
        Decrire(o, *defini);
    o.support = Support_du_point(derniere, figure_);
    if (const TArgument* defini = Objet_defini(derniere))
        o.porteur = Porteur(o.sorte, *defini, figure_);
    objets.push_back(std::move(o));
    Inscrire(etapes, objets.size() - 1);
}

void TRecensement::Inscrire(const std::vector<const TEtape*>& etapes, std::size_t indice)
{
    for (const TEtape* etape : etapes)
        if (const TArgument* defini = Objet_defini(*etape))
            definis_[defini->donnee] = indice;
    const TObjet_edite& o = objets[indice];
    if (Nomme_dans_les_formules(o))
        noms_[o.nom] = indice;
    if (o.sorte == TSorte_objet::point) {
        points_[o.nom] = indice;
        plus_long_point_ = std::max(plus_long_point_, o.nom.size());
    }
}

} // namespace

std::vector<TObjet_edite> Objets_edites(TEtape* premiere, TFigure& figure)
{
    TRecensement recensement(figure);
    const TEtape* etape = premiere;
    while (etape != nullptr && etape->genre != Genre(TCode::fin)) {
        if (etape->ligne == 0 || etape->genre <= Genre(TCode::premiere) ||
            !Code_connu(etape->genre)) {
            etape = etape->suivante;
            continue;
        }
        std::vector<const TEtape*> ligne;
        for (const int numero = etape->ligne;
             etape != nullptr && etape->genre != Genre(TCode::fin) && etape->ligne == numero;
             etape = etape->suivante)
            ligne.push_back(etape);
        recensement.Ajouter(ligne);
    }
    return std::move(recensement.objets);
}

std::vector<std::size_t> Objets_dependants(const std::vector<TObjet_edite>& objets,
                                           std::size_t objet)
{
    std::vector<bool> touche(objets.size(), false);
    std::vector<std::size_t> dependants;
    if (objet >= objets.size())
        return dependants;
    touche[objet] = true;
    for (std::size_t k = objet + 1; k < objets.size(); ++k)
        for (const std::size_t appui : objets[k].appuis)
            if (appui < k && touche[appui]) {
                touche[k] = true;
                dependants.push_back(k);
                break;
            }
    return dependants;
}

std::string Raison_point_fixe(const TObjet_edite& point)
{
    const std::string construction =
        Code_connu(Genre(point.code)) ? std::string(Construction(point.code).nom) : "construit";
    return point.nom + " est construit (" + construction +
           ") : d\xE9placez les points libres dont il d\xE9pend.";
}

} // namespace trazel
