// The desktop program: the main window, the holder of the figure's variables, the preview
// window and the tangent dialog, created in this order; only the main window is shown, and
// the first-run question about the viewer comes once it is on the screen.
//   trazel-gui [FIGURE.fgr]                     opens the figure
//   trazel-gui --capture IMAGE.png [FIGURE.fgr] saves a picture of the window and quits

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <QTranslator>

#include "calc/conversion_chaines.h"
#include "ui/apercu_latex.h"
#include "ui/dialogues.h"
#include "ui/editeur_figure.h"
#include "ui/fenetre_principale.h"
#include "ui/tangente.h"

int main(int argc, char** argv)
{
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
