#pragma once
// Where the command line writes: the standard output and error of the program, or texts in
// tests. The program does without iostreams: setting them up costs every run page faults,
// about 5 % of a figure's time here.

#include <string>
#include <string_view>
#include <utility>

namespace trazel {

class TFlux {
  public:
    virtual ~TFlux() = default;
    TFlux& operator<<(std::string_view texte)
    {
        Ecrire(texte);
        return *this;
    }
    TFlux& operator<<(char c) { return *this << std::string_view(&c, 1); }
    // What is still held goes out; Erreur_fichier when it cannot.
    virtual void Vider() {}

  private:
    virtual void Ecrire(std::string_view texte) = 0;
};

// Everything written, kept.
class TFlux_texte final : public TFlux {
  public:
    const std::string& texte() const { return texte_; }

  private:
    void Ecrire(std::string_view texte) override { texte_ += texte; }
    std::string texte_;
};

// A file descriptor, written a line at a time: a message goes out whole, in one write. Vider
// reports a write that failed since the previous one; the destructor writes what is left and
// can report nothing.
class TFlux_descripteur final : public TFlux {
  public:
    // `nom` names the stream in messages ("sortie standard").
    TFlux_descripteur(int fd, std::string nom) : fd_(fd), nom_(std::move(nom)) {}
    TFlux_descripteur(const TFlux_descripteur&) = delete;
    TFlux_descripteur& operator=(const TFlux_descripteur&) = delete;
    ~TFlux_descripteur() override;
    void Vider() override;

  private:
    void Ecrire(std::string_view texte) override;
    // Writes the text held. A failure is kept for Vider; what could not be written is
    // dropped rather than written twice.
    void Tout_ecrire();
    void Ecrire_octets(std::string_view octets);

    int fd_;
    std::string nom_;
    std::string tampon_;
    int erreur_ = 0; // errno of the first failed write since the last Vider
};

// Where the command line reads a figure given as "-": the standard input, or a text in
// tests.
class TEntree {
  public:
    virtual ~TEntree() = default;
    // Everything up to the end; Erreur_fichier past `taille_maximale` bytes or on a failed
    // read.
    virtual std::string Lire_tout(std::size_t taille_maximale) = 0;
};

class TEntree_texte final : public TEntree {
  public:
    explicit TEntree_texte(std::string texte) : texte_(std::move(texte)) {}
    std::string Lire_tout(std::size_t taille_maximale) override;

  private:
    std::string texte_;
};

class TEntree_descripteur final : public TEntree {
  public:
    explicit TEntree_descripteur(int fd) : fd_(fd) {}
    std::string Lire_tout(std::size_t taille_maximale) override;

  private:
    int fd_;
};

// How the standard input is named in messages, where it stands for a file's path: in UTF-8,
// as the system names paths.
inline constexpr const char* nom_entree_standard = "entr\xC3\xA9"
                                                   "e standard";

} // namespace trazel
