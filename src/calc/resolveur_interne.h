#pragma once
// Shared by the two halves of the resolver: access to a step's arguments by position, and
// the computations that named transformations and images by an in-place transformation
// have in common.

#include <stdexcept>
#include <string>

#include "calc/geometrie.h"
#include "calc/resolveur.h"

namespace trazel::resolveur {

// The k-th argument's value (1-based), of the expected nature.
template <class T> T& Arg(const TEtape& etape, int k)
{
    T* valeur = Donnee<T>(Argument(&etape, k));
    if (valeur == nullptr)
        throw std::logic_error("argument " + std::to_string(k) + " vide");
    return *valeur;
}

// A frame named after two points is made from them when first named; it follows them
// wherever a step uses it, as a line through two points does.
template <> inline Trepere& Arg<Trepere>(const TEtape& etape, int k)
{
    Trepere* r = Donnee<Trepere>(Argument(&etape, k));
    if (r == nullptr)
        throw std::logic_error("argument " + std::to_string(k) + " vide");
    Actualiser_repere(*r);
    return *r;
}

inline void Signaler_sans_solution(TContexte_calcul& contexte, const TEtape& etape)
{
    if (contexte.sans_solution != nullptr)
        contexte.sans_solution->push_back(&etape);
}

// The object the step defines: its last argument's value.
template <class T> T& Objet(const TEtape& etape)
{
    return *Donnee<T>(Dernier_argument(etape.arguments));
}

int Nombre_arguments(const TEtape& etape);

// Brings the line record up to date (a line through two points follows them) and returns
// the line as it now stands.
Tligne Actualiser_ligne(Tdroite& d);

// A measure expression and a vector expression evaluated with the length of the unit.
Reel Mesure(const std::string& texte, const Tunite& unite, TContexte_calcul& contexte);
Tcoordonnees Vecteur(const std::string& texte, const Tunite& unite, TContexte_calcul& contexte);

// The parameters of the transformation that a named transformation step defines, its arguments
// starting at argument `premier`. Images by a transformation given in place use the same arguments
// after their point.
void Regler_transformation(TCode genre, const TEtape& etape, int premier,
                           TContexte_calcul& contexte);

// Lines, circles, arcs, polygons, vectors and transformations; nothing for another code.
void Recalculer_objet(TEtape& etape, TContexte_calcul& contexte);

// The value of a measure or number step, or none.
std::optional<Reel> Valeur_mesuree(const TEtape& etape, TContexte_calcul& contexte);

// Numbers, functions, units and frames; nothing for another code.
void Recalculer_nombre(TEtape& etape, TContexte_calcul& contexte);

// A function step's body given again; true as TForm2::Affecter_fonction says.
bool Recalculer_fonction(const TEtape& etape, TContexte_calcul& contexte);

} // namespace trazel::resolveur
