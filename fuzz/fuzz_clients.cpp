// The client look-up of the document's code field on a fuzzed client list and
// a fuzzed code: the first line is the code typed, the lines after it the
// client file, the first byte's bits the user's answers. Then the book search
// by code and name on the same lines. Invariants: the code is completed to
// five digits; when the list holds its record the address is the four lines
// after the first one; otherwise the list is unchanged, or one new record was
// added at its end when the user agreed and gave a name.
#include "book/facture.h"
#include "clients/dialogues_clients_faux.h"
#include "clients/recherche.h"
#include "common/texte.h"
#include "essaie.h"
#include "support/plateforme_fausse.h"

#include <cstdint>
#include <cstdlib>

using namespace kyr;
using fuzz::Essaie;

namespace {

bool EnTete(const Lignes& liste, const std::string& code, std::size_t& ou) {
    for (ou = 0; ou < liste.size(); ++ou)
        if (EgalSansCasse(liste[ou], "<CLI>" + code)) return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::uint8_t graine = size > 0 ? data[0] : 0;
    const Lignes lignes =
        DecoupeLignes(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string code = lignes.empty() ? std::string() : lignes.front();
    const Lignes liste(lignes.size() > 1 ? lignes.begin() + 1 : lignes.end(), lignes.end());

    test::PlateformeFausse p;
    Facture f(p);
    test::DialoguesClientsFaux d;
    RechercheClients r;
    f.clients.Lignes_ = liste;
    f.fiche.CodeClient = code;
    r.ChoixDansListe = graine & 1;
    p.reponses = {(graine & 2) ? Bouton::Oui : Bouton::Non};
    const std::array<std::string, 4> nouveau{(graine & 4) ? code : std::string(), "rue", "ville",
                                             ""};
    if (graine & 8)
        d.nouveaux.push_back(nouveau);
    else
        d.nouveaux.push_back(std::nullopt);
    // The window looks up a code only when one was typed. Each dialog is
    // answered once: a second question means the new record was not found
    // again and the look-up would go round for ever.
    bool fini = false;
    if (!code.empty())
        Essaie([&] {
            if (graine & 16) {
                d.choix.push_back(code);
                r.Button1Click(f, d);
            } else {
                r.ChercheCli(f, d);
            }
            fini = true;
        });
    if (fini) {
        const std::string& k = f.fiche.CodeClient;
        if (code.size() < 5 ? k.size() != 5 || k.substr(5 - code.size()) != code : k != code)
            std::abort();
        const Lignes& apres = f.clients.Lignes_;
        std::size_t a = 0;
        if (EnTete(liste, k, a)) {
            if (apres != liste) std::abort();
        } else if (apres != liste) {
            // Created: the old lines, then the header and the four lines typed.
            if (apres.size() != liste.size() + 5 ||
                !std::equal(liste.begin(), liste.end(), apres.begin()) ||
                apres[liste.size()] != "<CLI>" + k || nouveau[0].empty() || !(graine & 8) ||
                !f.clients.ClientsModifies)
                std::abort();
        }
        if (EnTete(apres, k, a)) {
            for (std::size_t i = 0; i < 4; ++i) {
                const std::size_t l = a + 1 + i;
                if (f.fiche.Adresse[i] != (l < apres.size() ? apres[l] : std::string()))
                    std::abort();
            }
        }
    }

    // The book search on the same lines taken as a book: the code, then the
    // name, then the search going on.
    f.Livre = lignes;
    f.NbFiches = CompteFiches(f.Livre);
    p.reponses.clear();
    for (int i = 0; i < 8; ++i)
        p.reponses.push_back(((graine >> i) & 1) ? Bouton::Oui : Bouton::Non);
    d.codes.push_back(code.empty() ? "x" : code);
    d.noms.push_back(Majuscules(code.empty() ? "x" : code));
    for (int mode : {0, 2, 1, 2, 2})
        Essaie([&] { r.FactCli(f, d, mode); });
    return 0;
}
