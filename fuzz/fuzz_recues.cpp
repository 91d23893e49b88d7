// A received invoice's XML, hostile or not: read, checked, its line of the
// index written and read back. Invariants: nothing but a refusal or a model
// comes out (no exception escapes), every finding has its rule and its text,
// and the index written from what was read reads back to the same bytes.
#include "essaie.h"
#include "recues/controles_recus.h"
#include "recues/lecture.h"
#include "recues/registre.h"

#include <cstdint>
#include <cstdlib>

using namespace kyr;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView octets(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Lecture l = LitXmlRecu(octets);
    if (l.Facture.has_value() == !l.Refus.isEmpty()) std::abort();
    if (l.Facture) {
        const auto constats = Controle(*l.Facture);
        for (const Constat& c : constats)
            if (c.Regle.empty() || c.Texte.isEmpty()) std::abort();
        RegistreRecues r;
        r.Entrees.push_back(EntreeDe(*l.Facture, constats));
        r.Entrees.back().Fichier = QStringLiteral("f.xml");
        const std::string ecrit = JoinLignes(LignesIndex(r));
        const RegistreRecues relu = LitIndex(DecoupeLignes(ecrit));
        if (JoinLignes(LignesIndex(relu)) != ecrit) std::abort();
    }
    // The same bytes as an index: whatever it holds, written back it reads the same.
    fuzz::Essaie([&] {
        const RegistreRecues r = LitIndex(DecoupeLignes(std::string_view(octets.data(), size)));
        const std::string ecrit = JoinLignes(LignesIndex(r));
        if (JoinLignes(LignesIndex(LitIndex(DecoupeLignes(ecrit)))) != ecrit) std::abort();
    });
    return 0;
}
