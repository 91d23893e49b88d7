#include "comptabilite/chiffres.h"

#include "einvoice/montants.h"

#include <cstdlib>

namespace kyr {

Centimes EnEuros(Centimes francs) {
    return DiviseArrondi(static_cast<__int128>(francs) * 100000, FrancsParEuro);
}

ChiffresVente ChiffresDe(const VenteJournal& v, bool francs) {
    const auto euros = [francs](Centimes c) { return francs ? EnEuros(c) : c; };
    ChiffresVente c;
    c.TTC = euros(v.TTC);
    Centimes reste = c.TTC;
    for (int k = 1; k <= 3; ++k) {
        c.Base[k] = euros(v.BaseCode[k]);
        c.TVA[k] = euros(v.TVACode[k]);
        reste -= c.Base[k] + c.TVA[k];
        if (std::llabs(c.Base[k]) > std::llabs(c.Base[c.CodeArrondi])) c.CodeArrondi = k;
    }
    c.Arrondi = reste;
    return c;
}

std::optional<QString> DefautAchat(const Achat& a) {
    const auto montant = [](Centimes c) { return QString::fromLatin1(TexteCentimes(c)); };
    if (!a.Date.isValid()) return QStringLiteral("date illisible");
    if (Trim(a.Numero).empty()) return QStringLiteral("document sans numéro");
    // The sales journal's bound: the sums of thousands of documents stay exact.
    constexpr Centimes Max = 100'000'000'000'000;
    const auto grand = [](Centimes c) { return c >= Max || c <= -Max; };
    bool tropGrand = grand(a.HT) || grand(a.TVA) || grand(a.TTC);
    for (const auto& t : a.ParTaux)
        tropGrand = tropGrand || grand(t.Base) || grand(t.TVA);
    if (tropGrand) return QStringLiteral("montant trop grand");
    if (a.HT + a.TVA != a.TTC)
        return QStringLiteral("H.T. %1 et TVA %2 ne font pas le TTC %3")
            .arg(montant(a.HT), montant(a.TVA), montant(a.TTC));
    if (!a.ParTaux.empty()) {
        Centimes base = 0, tva = 0;
        for (const auto& t : a.ParTaux) {
            base += t.Base;
            tva += t.TVA;
        }
        if (base != a.HT || tva != a.TVA)
            return QStringLiteral("les montants par taux (H.T. %1, TVA %2) ne font pas les totaux")
                .arg(montant(base), montant(tva));
    }
    return std::nullopt;
}

ChiffresAchat ChiffresDe(const Achat& a) {
    ChiffresAchat c{a.HT, a.TVA, a.TTC, a.ParTaux};
    // A credit note reduces whatever the sign it was written with, as in the
    // sales journal.
    const Centimes signe = a.TTC != 0 ? a.TTC : a.HT;
    if (a.Avoir && signe > 0) {
        c.HT = -c.HT;
        c.TVA = -c.TVA;
        c.TTC = -c.TTC;
        for (auto& t : c.ParTaux) {
            t.Base = -t.Base;
            t.TVA = -t.TVA;
        }
    }
    return c;
}

} // namespace kyr
