#pragma once
// The preview window of the LaTeX picture: its text (editable, and saved under another name
// on request), and its compilation with latex and dvips, shown here as a rendered image and,
// when a viewer is configured, in that viewer. The window's caption is the picture file's
// full path: the compilation reads that file as it is on disk. The same picture in TikZ or
// SVG replaces the text when chosen in the format list: the TikZ text shown is compiled with
// pdflatex, the SVG one is only saved.
//
//   FormatChange       show the picture in the chosen format
//   SauvegarderClick   save the text under a chosen name, in its format
//   CompilerClick      compile and show the rendered picture
//   GsviewClick        compile, show, and open the configured viewer (PSTricks)

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "ui/dialogues.h"

namespace trazel {

class TForm1;

// What a compilation produced: the PostScript file exists, its rendered image, or the first
// LaTeX error.
struct TCompilation {
    bool postscript = false;
    QImage image;
    QString erreur; // empty when latex and dvips ran through
};

// Compiles the picture file in the current directory: "tmp~.tex" with the fixed preamble,
// latex on it, "dvips tmp~.dvi -o tmp~.ps", then the picture rendered with ghostscript at
// the resolution that fits it in `taille` pixels (100 dpi when `taille` is empty).
// The intermediate files are removed; "tmp~.ps" stays for a viewer.
TCompilation Compiler_image(const QString& chemin_image, QSize taille = {});

// The same for a TikZ picture's text (UTF-8): "tmp~.tex" holds the document whose page is
// the picture, pdflatex makes "tmp~.pdf", ghostscript renders it; nothing is left.
TCompilation Compiler_image_tikz(const std::string& image, QSize taille = {});

// The formats of the list, in its order.
enum class TFormat_apercu { pstricks, tikz, svg };

// The picture's text in a format (UTF-8 for TikZ and SVG); raises on failure.
using TTranscripteur = std::function<std::string(TFormat_apercu)>;

class TForm3 : public QWidget {
    Q_OBJECT

  public:
    explicit TForm3(TDialogues& dialogues, QWidget* parent = nullptr);

    // The main window, for its viewer settings.
    void Associer(const TForm1& principale);

    // Shows the picture file's text under its path and compiles it when LaTeX is there. The
    // window opens beside `voisine` the first time, where the screen leaves room.
    // `transcrire` gives the other formats; without it, the list offers PSTricks alone.
    void Afficher(const QString& chemin, const QString& texte, const QWidget* voisine = nullptr,
                  TTranscripteur transcrire = {});

    void FormActivate();
    void FormatChange(int index);
    void SauvegarderClick();
    void CompilerClick();
    void GsviewClick();

    QPlainTextEdit* RichEdit1 = nullptr;
    QComboBox* Format = nullptr;
    QToolButton* Sauvegarder = nullptr;
    QToolButton* Compiler = nullptr;
    QToolButton* Gsview = nullptr;
    QLabel* ImageCompilee = nullptr;

  protected:
    void changeEvent(QEvent* evenement) override;
    // The picture follows the size of its pane.
    bool eventFilter(QObject* objet, QEvent* evenement) override;

  private:
    // Compiles, shows the image and the error (in a message box, or in the pane for the
    // compilation made on opening); true when "tmp~.ps" was made.
    bool Compiler_et_montrer(bool en_silence = false);
    void Compiler_a_l_ouverture();
    void Montrer_image();

    TFormat_apercu Format_choisi() const;
    // The buttons that apply to the format shown.
    void Actualiser_boutons();

    TDialogues& dialogues_;
    const TForm1* principale_ = nullptr;
    TTranscripteur transcrire_;
    // Each format's text, made when first chosen and kept with its edits while another one
    // is shown.
    std::array<QString, 3> textes_;
    int format_montre_ = 0;
    QImage image_; // rendered for the pane's size when it was compiled
    // The compilation on opening waits for the window to show; one asked for by the user
    // before then, or one running, makes it needless.
    bool compiler_a_l_ouverture_ = false;
    bool compilation_en_cours_ = false;
};

// Places a window beside another one, on the right where the screen leaves room, else on
// the left, else at the screen's left edge.
void Placer_a_cote(QWidget& fenetre, const QWidget& voisine);

// The filters of the picture's save dialog: PSTricks, TikZ and SVG.
extern const char* const filtre_images;
extern const char* const filtre_tikz;
extern const char* const filtre_svg;

} // namespace trazel
