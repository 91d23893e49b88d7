#include "clients/liste_choix.h"

#include "clients/recherche.h"

namespace kyr {

Lignes ElementsListeClients(const Lignes& listeClients) {
    Lignes r;
    for (std::size_t i = 0; i + 1 < listeClients.size(); ++i)
        if (EstEnteteClient(listeClients[i]))
            r.push_back(std::string(Depuis(listeClients[i], 5)) + " " + listeClients[i + 1]);
    return r;
}

std::string CodeElement(std::string_view element) {
    return std::string(element.substr(0, element.find(' ')));
}

} // namespace kyr
