#include "shell/ligne_commande.h"

#include "einvoice/pdfa3.h"
#include "recues/verification.h"

#include <QCoreApplication>
#include <functional>
#include <optional>
#include <string_view>

namespace kyr {

namespace {

// One entry per command: its option and what runs it with the arguments after it.
struct Commande {
    std::string_view option;
    std::function<int(const std::vector<std::string>&, std::FILE*, std::FILE*)> lance;
};

std::vector<Commande> Commandes(const ServicesLigneDeCommande& services) {
    return {
        {"--exporter",
         [&services](const std::vector<std::string>& a, std::FILE* sortie, std::FILE* erreurs) {
             return ExporteEnLigne(a, sortie, erreurs, services);
         }},
        {"--verifier",
         [](const std::vector<std::string>& fichiers, std::FILE* sortie, std::FILE* erreurs) {
             // The module's folder is found from the program's own path,
             // which Qt gives once an application object exists.
             static int argc = 1;
             static char nom[] = "kyrfact";
             static char* argv[] = {nom, nullptr};
             std::optional<QCoreApplication> app;
             if (!QCoreApplication::instance()) app.emplace(argc, argv);
             return Verifie(fichiers, sortie, erreurs, DossierModules());
         }},
    };
}

} // namespace

std::optional<int> LigneDeCommande(const std::vector<std::string>& arguments, std::FILE* sortie,
                                   std::FILE* erreurs, const ServicesLigneDeCommande& services) {
    if (arguments.empty()) return std::nullopt;
    for (const Commande& c : Commandes(services))
        if (arguments.front() == c.option)
            return c.lance({arguments.begin() + 1, arguments.end()}, sortie, erreurs);
    return std::nullopt;
}

} // namespace kyr
