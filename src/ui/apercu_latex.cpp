#include "ui/apercu_latex.h"

#include <QVBoxLayout>

namespace trazel {

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("Form3");
    resize(696, 558);
    RichEdit1 = new QPlainTextEdit;
    RichEdit1->setObjectName("RichEdit1");
    RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(RichEdit1);
}

void TForm3::Afficher(const QString& chemin, const QString& texte)
{
    RichEdit1->setPlainText(texte);
    setWindowTitle(chemin);
    show();
    raise();
    activateWindow();
}

} // namespace trazel
