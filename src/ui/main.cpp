// The desktop program: the main window, the holder of the figure's variables, the preview
// window and the tangent dialog, created in this order; only the main window is shown, and
// the first-run question about the viewer comes once it is on the screen.
//   trazel-gui [FIGURE.fgr]                     opens the figure
//   trazel-gui --capture IMAGE.png [FIGURE.fgr] saves a picture of the window and quits
//   trazel-gui --help | --version               answers on the terminal, opens no window

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstring>

#include "calc/conversion_chaines.h"
#include "model/encodage.h"
#include "model/licence.h"
#include "ui/apercu_latex.h"
#include "ui/dialogues.h"
#include "ui/editeur_figure.h"
#include "ui/fenetre_principale.h"
#include "ui/tangente.h"

#ifndef TRAZEL_VERSION
#define TRAZEL_VERSION "inconnue"
#endif

namespace {

// Windows-1252, converted on its way out.
constexpr const char* aide =
    "Usage : trazel-gui [FIGURE.fgr]\n"
    "\n"
    "Ouvre le programme de bureau de Trazel, avec la figure FIGURE.fgr quand elle est donn\xE9"
    "e :\n"
    "son texte, son dessin, la construction \xE0 la souris et l'image LaTeX.\n"
    "\n"
    "Options :\n"
    "  --aide, --help, -h   affiche cette aide\n"
    "  --version            affiche la version\n"
    "La commande trazel transcrit les figures sans fen\xEAtre (trazel --aide).\n";

// The help and the version go to the terminal before Qt starts: no display is needed.
// -1 when the arguments ask for neither.
int Repondre_au_terminal(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        std::string texte;
        if (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0 ||
            std::strcmp(a, "--aide") == 0)
            texte = trazel::Cp1252_vers_utf8(aide);
        else if (std::strcmp(a, "--version") == 0)
            texte =
                "trazel-gui " TRAZEL_VERSION "\n" + trazel::Cp1252_vers_utf8(trazel::texte_licence);
        else
            continue;
        const bool ecrit = std::fwrite(texte.data(), 1, texte.size(), stdout) == texte.size() &&
                           std::fflush(stdout) == 0;
        return ecrit ? 0 : 1;
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (const int code = Repondre_au_terminal(argc, argv); code >= 0)
        return code;
    QApplication application(argc, argv);
    application.setApplicationName("Trazel");
    application.setOrganizationName("Trazel");
    QTranslator traduction_qt;
    trazel::Traduire_qt_en_francais(traduction_qt);

    QStringList arguments = application.arguments().mid(1);
    QString capture;
    if (arguments.size() >= 2 && arguments.front() == "--capture") {
        capture = arguments[1];
        arguments = arguments.mid(2);
    }

    trazel::TDialogues_qt dialogues;
    trazel::TForm1 form1(dialogues);
    trazel::TForm2 form2;
    trazel::TForm3 form3(dialogues);
    trazel::TForm4 form4(*form1.Figure1, dialogues, &form1);
    form1.Associer(form2, form3, form4);
    form3.Associer(form1);
    if (!arguments.isEmpty())
        form1.Charger_figure(QFileInfo(arguments.front()).absoluteFilePath());
    form1.show();
    QTimer::singleShot(0, &form1, [&] { form1.FormCreate(); });
    if (!capture.isEmpty())
        // Once the figure is drawn and the window laid out and painted.
        QTimer::singleShot(800, &form1, [&] {
            form1.Figure1->Attendre_lecture();
            form1.grab().save(capture);
            application.quit();
        });
    return application.exec();
}
