#include "cli/pdf.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "model/encodage.h"
#include "model/erreurs.h"
#include "model/fichiers.h"

extern char** environ;

namespace trazel {
namespace {

// A folder made for one compilation, removed with everything in it.
class TDossier_temporaire {
  public:
    explicit TDossier_temporaire(const std::string& figure)
    {
        const char* racine = std::getenv("TMPDIR");
        std::string modele =
            std::string(racine != nullptr && *racine != '\0' ? racine : "/tmp") + "/trazel-XXXXXX";
        if (::mkdtemp(modele.data()) == nullptr)
            throw Erreur_fichier(figure, "impossible de cr\xE9"
                                         "er un dossier temporaire pour compiler : " +
                                             Raison_systeme(errno));
        chemin_ = modele;
    }
    ~TDossier_temporaire()
    {
        std::error_code ignoree;
        std::filesystem::remove_all(chemin_, ignoree);
    }
    TDossier_temporaire(const TDossier_temporaire&) = delete;
    TDossier_temporaire& operator=(const TDossier_temporaire&) = delete;
    const std::string& chemin() const { return chemin_; }

  private:
    std::string chemin_;
};

// Runs the engine on the document with nothing read from the terminal and nothing written
// to it; its exit status, or -1 when it could not be started.
int Lancer(const std::string& moteur, const std::string& dossier, int& erreur_lancement)
{
    const std::string sortie = "-output-directory=" + dossier;
    const std::string source = dossier + "/image.tex";
    std::vector<std::string> arguments{
        moteur, "-interaction=nonstopmode", "-halt-on-error", "-no-shell-escape", sortie, source};
    std::vector<char*> argv;
    for (std::string& a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    erreur_lancement = posix_spawnp(&pid, moteur.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (erreur_lancement != 0)
        return -1;
    int etat = 0;
    while (::waitpid(pid, &etat, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
}

// The first error of a TeX log: the line starting with "!" and the two after it.
std::string Erreur_du_journal(const std::string& journal)
{
    const std::vector<std::string> lignes = Decouper_lignes(journal);
    for (std::size_t i = 0; i < lignes.size(); ++i) {
        if (!lignes[i].starts_with("!"))
            continue;
        std::string texte = lignes[i];
        for (std::size_t j = i + 1; j < lignes.size() && j <= i + 2; ++j)
            texte += " " + lignes[j];
        return texte;
    }
    return "aucune erreur dans le journal";
}

} // namespace

std::string Compiler_pdf(std::string_view document, const std::string& figure,
                         const std::string& moteur)
{
    const TDossier_temporaire dossier(figure);
    Remplacer_fichier(dossier.chemin() + "/image.tex", document);
    int erreur_lancement = 0;
    const int code = Lancer(moteur, dossier.chemin(), erreur_lancement);
    if (erreur_lancement != 0)
        throw Erreur_fichier(figure, moteur + " introuvable (" + Raison_systeme(erreur_lancement) +
                                         ") : le PDF se compile avec pdflatex et TikZ "
                                         "(paquets texlive-latex-base et texlive-pictures)");
    if (code != 0) {
        std::string journal;
        try {
            journal = Lire_fichier(dossier.chemin() + "/image.log");
        } catch (const Erreur_fichier&) {
        }
        throw Erreur_fichier(figure, moteur + " n'a pas compil\xE9 l'image : " +
                                         Utf8_vers_cp1252(Erreur_du_journal(journal)));
    }
    return Lire_fichier(dossier.chemin() + "/image.pdf");
}

} // namespace trazel
