#include "ui/tangente.h"

namespace trazel {

TForm4::TForm4(QWidget* parent) : QDialog(parent)
{
    setObjectName("Form4");
    setWindowTitle(QString::fromUtf8("Tangente \xC3\xA0 une courbe"));
}

} // namespace trazel
