// The desktop program: the main window, the holder of the figure's variables, the preview
// window and the tangent dialog, created in this order; only the main window is shown.

#include <QApplication>

#include "calc/conversion_chaines.h"
#include "ui/apercu_latex.h"
#include "ui/dialogues.h"
#include "ui/fenetre_principale.h"
#include "ui/tangente.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    application.setApplicationName("Trazel");
    trazel::TDialogues_qt dialogues;
    trazel::TForm1 form1(dialogues);
    trazel::TForm2 form2;
    trazel::TForm3 form3;
    trazel::TForm4 form4(&form1);
    form1.Associer(form2, form3, form4);
    form1.FormCreate();
    form1.show();
    return application.exec();
}
