#include "calc/geometrie.h"

namespace trazel {

Tvecteur Vecteur_de(const Tpoint& a, const Tpoint& b)
{
    Tvecteur u;
    u.nom = a.nom + b.nom;
    u.x = b.x - a.x;
    u.y = b.y - a.y;
    return u;
}

Tvecteur Quart_de_tour(const Tvecteur& u)
{
    Tvecteur v;
    v.x = -u.y;
    v.y = u.x;
    return v;
}

} // namespace trazel
