#include "recues/journal_recues.h"

namespace kyr {

std::vector<AchatJournal> AchatsDuJournal(const RegistreRecues& r) {
    std::vector<AchatJournal> a;
    a.reserve(r.Entrees.size());
    for (const EntreeRecue& e : r.Entrees) {
        AchatJournal x;
        x.Date = e.Date;
        x.Avoir = e.Avoir;
        for (const TvaParTaux& t : e.Tva)
            x.Tva.push_back({t.Taux, t.Base, t.Montant});
        if (e.Etat == EtatRecue::Doublon)
            x.Ecartee = QStringLiteral("doublon");
        else if (e.Devise != QLatin1String("EUR"))
            x.Ecartee =
                QStringLiteral("en %1").arg(e.Devise.isEmpty() ? QStringLiteral("?") : e.Devise);
        a.push_back(std::move(x));
    }
    return a;
}

std::vector<AchatJournal> AchatsDuLivre(const QString& cheminLivre) {
    if (cheminLivre.isEmpty()) return {};
    return AchatsDuJournal(ChargeRegistre(DossierRecues(cheminLivre)));
}

} // namespace kyr
