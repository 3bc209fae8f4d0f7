#!/usr/bin/env python3
"""Writes the stress figures of the benchmarks (Windows-1252, CR LF) into bench/figures/,
and the same work for the peer program, eukleides, into bench/eukleides/: the same points,
lines and circles, the same loci replaying the same chain of constructions, the same graphs
of the same nested functions, with the same numbers of samples."""
import math
import os

ICI = os.path.dirname(os.path.abspath(__file__))

# The picture box of the window "Xmin: -10, Xmax: 10, Ymax: 10", and the unit that makes the
# picture 10 cm wide, as Trazel draws it.
CADRE_EUKLEIDES = ["box -15.245902, -10, 15.245902, 10", "scale 0.327957"]


def ecrire(nom, objets, position="Position de Roxy: Xmin: -10, Xmax: 10, Ymax: 10",
           dossier="figures"):
    lignes = ["Figure Figuro", "Numéro de version: 2", "", position,
              "Objet dessinable Roxy, particularités: rouge, dessiné"]
    lignes += objets + ["", "Commentaire", "Fin de la figure"]
    with open(os.path.join(ICI, dossier, nom), "wb") as f:
        f.write(("\r\n".join(lignes) + "\r\n").encode("cp1252"))


def ecrire_eukleides(nom, lignes):
    with open(os.path.join(ICI, "eukleides", nom), "w", encoding="ascii") as f:
        f.write(f"% {nom}, produit par generer_figures.py\n" +
                "\n".join(CADRE_EUKLEIDES + lignes) + "\n")


def libre(nom, x, y):
    return [f"{nom} point libre", f"  Objet libre {nom}, paramètres: {x:.4f}, {y:.4f}"]


def nom(prefixe, k):
    # Names without digits inside point names' concatenations: a letter suffix.
    lettres = ""
    while True:
        lettres = chr(ord("a") + k % 26) + lettres
        k //= 26
        if k == 0:
            return prefixe + lettres


def point_dessine(p):
    """A point as Trazel draws it: its mark and its name."""
    return [f"draw {p}", f"label {p} 45 deg"]


def grande_figure():
    """(a) 2,000 points, 1,000 segments and lines, 500 circles, many cut by the window."""
    objets, euk = [], []
    for k in range(2000):
        t = 2 * math.pi * k / 2000
        r = 3 + 9 * ((k * 7919) % 1000) / 1000
        x, y = r * math.cos(t), r * math.sin(t)
        objets += libre(nom("P", k), x, y)
        euk += [f"{nom('P', k)} = point({x:.4f}, {y:.4f})"] + point_dessine(nom("P", k))
    for k in range(500):
        a, b = nom('P', 2 * k), nom('P', 2 * k + 1)
        c, d = nom('P', 1000 + 2 * k), nom('P', 1001 + 2 * k)
        objets.append(f"Segment [{a}{b}]")
        objets.append(f"Droite ({c}{d})")
        euk += [f"draw {a}.{b}", f"draw line({c}, {d})"]
    for k in range(500):
        o, p = nom('P', k), nom('P', k + 1000)
        objets.append(f"{nom('c', k)} cercle de centre {o} passant par {p}")
        # "c" followed by letters would hit eukleides' own names (cos): "K" instead.
        euk += [f"{nom('K', k)} = circle({o}, distance({o}, {p}))", f"draw {nom('K', k)}"]
    ecrire("a_grande_figure.fgr", objets)
    ecrire_eukleides("a_grande_figure.euk", euk)


def chaine_eukleides(s, a, b, t):
    """The chain of a locus of (b) for eukleides: point on the segment at t, its abscissa, a
    named number, the function (sin in radians; eukleides' sin takes degrees), the point of
    coordinates, the midpoint, the perpendicular, the circle, the intersection, the image by
    the rotation."""
    l = s.lower()
    return [f"M{s} = point({a}.{b}, {t})", f"x{l} = abscissa(M{s})", f"y{l} = 2*x{l}/3",
            f"P{s} = point(x{l}, f{l}(x{l}, y{l}))", f"I{s} = midpoint(M{s}.P{s})",
            f"d{s} = perpendicular({a}.{b}, I{s})",
            f"c{s} = circle(I{s}, distance(I{s}, M{s}))",
            f"S{s} = intersection(d{s}, c{s})", f"N{s} = S{s}[0]",
            f"Q{s} = rotation(N{s}, I{s}, 30 deg)"]


def lieux():
    """(b) 20 loci of 1,000 points, each replaying a chain of 10 steps with named numbers
    and a user function."""
    objets, euk = [], []
    for k in range(20):
        s = nom("", k).upper()
        a, b = f"A{s}", f"B{s}"
        objets += libre(a, -8 + 0.8 * k, -6) + libre(b, -6 + 0.8 * k, 2)
        objets += [f"Segment [{a}{b}]",
                   f"M{s} point libre sur le segment [{a}{b}]", f"  Objet libre M{s}, paramètre: 0.3",
                   f"x{s.lower()} abscisse de M{s} dans le repère Roxy",
                   f"y{s.lower()} = 2x{s.lower()}/3",
                   f"f{s.lower()} fonction t|->sin(t)+y{s.lower()}/4",
                   f"P{s} point de coordonnées (x{s.lower()},f{s.lower()}(x{s.lower()})) dans le repère Roxy",
                   f"I{s} milieu du segment [M{s}P{s}]",
                   f"d{s} droite perpendiculaire à {a}{b} passant par I{s}",
                   f"c{s} cercle de centre I{s} passant par M{s}",
                   f"N{s} point d'intersection 1 de la droite d{s} et du cercle c{s}",
                   f"Q{s} image de N{s} par la rotation de centre I{s} et d'angle 30 degré",
                   f"L{s} lieu du point Q{s} selon M{s} (1000 points)",
                   f"  Objet dessinable L{s}, particularités: bleu"]
        # eukleides functions see only their parameters: the named number is passed.
        euk += [f"{a} = point({-8 + 0.8 * k:.4f}, -6)", f"{b} = point({-6 + 0.8 * k:.4f}, 2)",
                f"draw {a}.{b}", f"number f{s.lower()}(number t, number y)",
                "  return sin(deg(t)) + y/4", "end"]
        # The figure as drawn, at the point's own parameter, then the locus: 1,002 samples
        # from one step before 0 to one step after 1, as Trazel takes them.
        euk += chaine_eukleides(s, a, b, "0.3")
        euk += [f"draw d{s}", f"draw c{s}"]
        for p in (a, b, f"M{s}", f"P{s}", f"I{s}", f"N{s}", f"Q{s}"):
            euk += point_dessine(p)
        euk += [f"locus L{s}(t = -1/999 to 1 + 1/999 step 1002)"]
        euk += ["  " + ligne for ligne in chaine_eukleides(s, a, b, "t")]
        euk += [f"  put Q{s}", "end", f"draw L{s} blue"]
    ecrire("b_lieux.fgr", objets)
    ecrire_eukleides("b_lieux.euk", euk)


def graphes():
    """(c) graphs of 987 points (10,004 samples) of functions built from nested user
    functions."""
    objets = ["g fonction t|->t*t/10", "h fonction t|->g(t)-g(t/2)+1",
              "k fonction t|->h(sin(t))*h(t/3)", "m fonction t|->k(t)/2+g(cos(t))"]
    euk = ["number g(number t)", "  return t*t/10", "end",
           "number h(number t)", "  return g(t)-g(t/2)+1", "end",
           "number k(number t)", "  return h(sin(deg(t)))*h(t/3)", "end",
           "number m(number t)", "  return k(t)/2+g(cos(deg(t)))", "end"]
    for n, f in enumerate(["h", "k", "m", "k", "m"]):
        c = f"C{nom('', n).upper()}"
        objets += [f"{c} graphe de {f} sur [-9, 9] dans le repère Roxy (987 points)",
                   f"  Objet dessinable {c}, particularités: vert"]
        # 987 points make 10,001 intervals: 10,004 samples, one step beyond each end.
        euk += [f"locus {c}(t = -9 - 18/10001 to 9 + 18/10001 step 10004)",
                f"  put point(t, {f}(t))", "end", f"draw {c} green"]
    ecrire("c_graphes.fgr", objets)
    ecrire_eukleides("c_graphes.euk", euk)


def chaine_formules_eukleides(s, support, t):
    """The chain of a locus of (d) for eukleides: the driving point at t (a parameter on the
    segment, a polar angle in radians on the circle; eukleides' angles carry their unit), its
    abscissa, the rotation by an angle in degrees of that abscissa, the homothety of ratio
    given by the user function, the image's coordinates, the traced point of coordinates
    given by the user functions."""
    l = s.lower()
    depart = (f"point(A{s}.B{s}, {t})" if support == "segment"
              else f"point(c{s}, {t} rad)")
    return [f"M{s} = {depart}", f"x{l} = abscissa(M{s})",
            f"R{s} = rotation(M{s}, O{s}, (40*x{l}+15) deg)",
            f"H{s} = homothecy(R{s}, O{s}, r{l}(x{l})/2+0.5)",
            f"u{l} = abscissa(H{s})", f"v{l} = ordinate(H{s})",
            f"P{s} = point(g{l}(u{l}), k{l}(v{l}))"]


def lieux_formules():
    """(d) 8 loci of 1,500 points, driven in turn on a circle and on a segment, whose chain
    changes with every sample: a rotation by an angle in degrees computed from the driving
    point's abscissa, a homothety whose ratio is a user function of it, a point whose
    coordinates are user functions of the image's."""
    objets, euk = [], []
    for k in range(8):
        s = nom("", k).upper()
        l = s.lower()
        x0, y0 = -6 + 4 * (k % 4), 4 - 8 * (k // 4)
        support = "cercle" if k % 2 == 0 else "segment"
        objets += libre(f"O{s}", x0, y0)
        euk += [f"O{s} = point({x0:.4f}, {y0:.4f})"]
        if support == "cercle":
            objets += [f"c{s} cercle de centre O{s} et de rayon 1.5 (unité Uoxy)",
                       f"M{s} point libre sur le cercle c{s}", f"  Objet libre M{s}, paramètre: 0.5"]
            euk += [f"c{s} = circle(O{s}, 1.5)", f"draw c{s}"]
            parcours = "-2*pi/1499 to 2*pi + 2*pi/1499"
        else:
            objets += libre(f"A{s}", x0 - 1.5, y0 - 1) + libre(f"B{s}", x0 + 1.5, y0 + 1)
            objets += [f"Segment [A{s}B{s}]",
                       f"M{s} point libre sur le segment [A{s}B{s}]", f"  Objet libre M{s}, paramètre: 0.3"]
            euk += [f"A{s} = point({x0 - 1.5:.4f}, {y0 - 1:.4f})",
                    f"B{s} = point({x0 + 1.5:.4f}, {y0 + 1:.4f})", f"draw A{s}.B{s}"]
            parcours = "-1/1499 to 1 + 1/1499"
        objets += [f"x{l} abscisse de M{s} dans le repère Roxy",
                   f"r{l} fonction t|->1+sin(3t)^2/2",
                   f"g{l} fonction t|->t+cos(2t)/4",
                   f"k{l} fonction t|->t-sin(t)^3/3",
                   f"R{s} image de M{s} par la rotation de centre O{s} et d'angle 40x{l}+15 degré",
                   f"H{s} image de R{s} par l'homothétie de centre O{s} et de rapport r{l}(x{l})/2+0.5",
                   f"u{l} abscisse de H{s} dans le repère Roxy",
                   f"v{l} ordonnée de H{s} dans le repère Roxy",
                   f"P{s} point de coordonnées (g{l}(u{l}),k{l}(v{l})) dans le repère Roxy",
                   f"L{s} lieu du point P{s} selon M{s} (1500 points)",
                   f"  Objet dessinable L{s}, particularités: bleu"]
        # eukleides' trigonometric functions take degrees: the radians are converted.
        euk += [f"number r{l}(number t)", "  return 1 + sin(deg(3*t))^2/2", "end",
                f"number g{l}(number t)", "  return t + cos(deg(2*t))/4", "end",
                f"number k{l}(number t)", "  return t - sin(deg(t))^3/3", "end"]
        euk += chaine_formules_eukleides(s, support, "0.3" if support == "segment" else "0.5")
        points = [f"O{s}", f"M{s}", f"R{s}", f"H{s}", f"P{s}"]
        if support == "segment":
            points = [f"A{s}", f"B{s}"] + points
        for p in points:
            euk += point_dessine(p)
        # 1,502 samples, one step beyond each end of the segment or of the turn.
        euk += [f"locus L{s}(t = {parcours} step 1502)"]
        euk += ["  " + ligne for ligne in chaine_formules_eukleides(s, support, "t")]
        euk += [f"  put P{s}", "end", f"draw L{s} blue"]
    ecrire("d_lieux_formules.fgr", objets)
    ecrire_eukleides("d_lieux_formules.euk", euk)


def graphes_puissances():
    """(e) graphs of 4,000 points (4,004 samples) of functions nesting user functions three
    deep, with sines, cosines, square roots and powers."""
    objets = ["u fonction t|->t^3/50-t/3+1", "v fonction t|->sqrt(u(t)^2+1)*cos(t/2)",
              "w fonction t|->v(2sin(t))+u(t/3)^2/4",
              "z fonction t|->w(t)/2-sqrt(abs(v(t)))+cos(u(t)/3)^3"]
    euk = ["number u(number t)", "  return t^3/50-t/3+1", "end",
           "number v(number t)", "  return sqrt(u(t)^2+1)*cos(deg(t/2))", "end",
           "number w(number t)", "  return v(2*sin(deg(t)))+u(t/3)^2/4", "end",
           "number z(number t)", "  return w(t)/2-sqrt(abs(v(t)))+cos(deg(u(t)/3))^3", "end"]
    for n, (f, a) in enumerate([("v", 6), ("w", 8), ("z", 8), ("w", 6), ("z", 9), ("v", 9)]):
        c = f"C{nom('', n).upper()}"
        objets += [f"{c} graphe de {f} sur [-{a}, {a}] dans le repère Roxy (4000 points)",
                   f"  Objet dessinable {c}, particularités: vert"]
        # 4,000 points make 4,001 intervals: 4,004 samples, one step beyond each end.
        euk += [f"locus {c}(t = -{a} - {2 * a}/4001 to {a} + {2 * a}/4001 step 4004)",
                f"  put point(t, {f}(t))", "end", f"draw {c} green"]
    ecrire("e_graphes_puissances.fgr", objets)
    ecrire_eukleides("e_graphes_puissances.euk", euk)


def glisser():
    """The figure of the dragging bench (bench/glisser/): about 100 objects of mixed kinds, two
    graphs and a locus of 500 samples, all built on the free point A, which the bench drags.
    Its parameter line is the figure's first."""
    objets = libre("A", 0.5, 0.5)
    # Eight free points on a ring, each joined to A; the midpoints of the segments.
    p = [nom("P", k) for k in range(8)]
    i = [nom("I", k) for k in range(8)]
    for k in range(8):
        t = 2 * math.pi * (k + 0.3) / 8
        objets += libre(p[k], 6 * math.cos(t), 6 * math.sin(t))
    for k in range(8):
        objets += [f"Segment [A{p[k]}]", f"{i[k]} milieu du segment [A{p[k]}]"]
    # Lines through the midpoints, perpendicular bisectors, and where they cross.
    for k in range(4):
        objets.append(f"Droite ({i[k]}{p[(k + 3) % 8]})")
        objets.append(f"{nom('d', k)} droite perpendiculaire à A{p[k + 4]} passant par {i[k + 4]}")
    for k in range(4):
        objets.append(f"{nom('J', k)} point d'intersection des droites "
                      f"{i[k]}{p[(k + 3) % 8]} et {nom('d', (k + 1) % 4)}")
    # Circles through A, on diameters, and their common points with lines and each other.
    for k in range(4):
        objets.append(f"{nom('c', k)} cercle de centre {i[k]} passant par A")
        objets.append(f"{nom('e', k)} cercle de diamètre [A{p[k + 4]}]")
    for k in range(4):
        objets.append(f"{nom('K', k)} point d'intersection 1 de la droite {nom('d', k)} "
                      f"et du cercle {nom('c', k)}")
        objets.append(f"{nom('N', k)} point d'intersection des cercles {nom('c', k)} et "
                      f"{nom('e', k)} autre que A")
    # Images by a rotation and a symmetry about A, of points, a line and a circle.
    objets += ["r rotation de centre A et d'angle 40 degré", "s symétrie de centre A"]
    for k in range(8):
        objets.append(f"{nom('R', k)} image de {p[k]} par la transformation r")
    for k in range(4):
        objets.append(f"{nom('S', k)} image de {nom('J', k)} par la symétrie d'axe {nom('d', k)}")
    objets += ["da2 image de la droite da par la transformation r",
               "  Objet dessinable da2, particularités: bleu",
               "ca2 image du cercle ca par la transformation s",
               "  Objet dessinable ca2, particularités: vert"]
    for k in range(8):
        objets += [f"{nom('O', k)} image de {i[k]} par la transformation s",
                   f"Segment [{nom('R', k)}{nom('O', k)}]"]
    objets.append("q polygone " + "".join(nom("R", k) for k in range(8)))
    # Two graphs of 500 points of functions of A's coordinates.
    objets += ["xa abscisse de A dans le repère Roxy", "ya ordonnée de A dans le repère Roxy",
               "f fonction t|->sin(t+xa)*(2+ya/4)", "g fonction t|->f(t)*cos(t/3)+ya/2",
               "Cf graphe de f sur [-9, 9] dans le repère Roxy (500 points)",
               "  Objet dessinable Cf, particularités: bleu",
               "Cg graphe de g sur [-9, 9] dans le repère Roxy (500 points)",
               "  Objet dessinable Cg, particularités: vert"]
    # A locus of 500 points driven by a point on a circle centred at A.
    objets += ["w cercle de centre A passant par Pa", "M point libre sur le cercle w",
               "  Objet libre M, paramètre: 1", "T milieu du segment [MPc]",
               "m droite perpendiculaire à APc passant par T",
               "U point d'intersection 1 de la droite m et du cercle ca",
               "V image de U par la rotation de centre T et d'angle 30 degré",
               "L lieu du point V selon M (500 points)",
               "  Objet dessinable L, particularités: rouge"]
    ecrire("glisser.fgr", objets, dossier="glisser")


if __name__ == "__main__":
    os.makedirs(os.path.join(ICI, "glisser"), exist_ok=True)
    glisser()
    for dossier in ("figures", "eukleides"):
        os.makedirs(os.path.join(ICI, dossier), exist_ok=True)
    grande_figure()
    lieux()
    graphes()
    lieux_formules()
    graphes_puissances()
