#pragma once
// The preview window of the LaTeX picture: its text, as the transcription wrote it. The
// window's caption is the picture file's full path.

#include <QPlainTextEdit>
#include <QWidget>

namespace trazel {

class TForm3 : public QWidget {
    Q_OBJECT

public:
    explicit TForm3(QWidget* parent = nullptr);

    // Shows the picture file's text under its path.
    void Afficher(const QString& chemin, const QString& texte);

    QPlainTextEdit* RichEdit1 = nullptr;
};

} // namespace trazel
