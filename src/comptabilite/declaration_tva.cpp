#include "comptabilite/declaration_tva.h"

#include "common/dates.h"
#include "common/erreurs.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace kyr {

namespace {

bool Dans(const QDate& d, const PeriodeTVA& p) {
    return d.isValid() && d >= p.Du && d <= p.Au;
}

// The form's line for the rates of mainland France.
QString LigneCA3(Reel6 taux) {
    switch (std::llround(taux.valeur() * 100)) {
    case 2000:
        return QStringLiteral("08");
    case 550:
        return QStringLiteral("09");
    case 1000:
        return QStringLiteral("9B");
    }
    return {};
}

VenteDeclaree Exigible(const VenteJournal& v, const SourcesCompta& s, bool francs) {
    VenteDeclaree d{v, NatureDe(s, v), Exigibilite::DateFacture, v.Date, ChiffresDe(v, francs)};
    // Goods, and documents of both (whose lines do not say which is which),
    // at the invoice date: their VAT is never counted late.
    if (d.Nature != NatureOperation::Services || s.OptionDebits || !s.Encaissements) return d;
    const auto paye = s.Encaissements->find(CleDe(v));
    if (paye != s.Encaissements->end()) {
        d.Motif = Exigibilite::Encaissement;
        d.Date = paye->second;
    } else if (v.Payee) {
        d.Motif = Exigibilite::PayeeSansDate;
    } else {
        d.Motif = Exigibilite::EnAttente;
        d.Date = QDate();
    }
    return d;
}

} // namespace

PeriodeTVA PeriodeMois(int annee, int mois) {
    const QDate du(annee, mois, 1);
    return {du, du.addMonths(1).addDays(-1)};
}

PeriodeTVA PeriodeTrimestre(int annee, int trimestre) {
    const QDate du(annee, (trimestre - 1) * 3 + 1, 1);
    return {du, du.addMonths(3).addDays(-1)};
}

DeclarationTVA Declare(const Journal& j, const SourcesCompta& s, const Reglages& r,
                       const PeriodeTVA& p) {
    DeclarationTVA d;
    d.Periode = p;
    d.Francs = r.Devise == 0;
    d.OptionDebits = s.OptionDebits;
    d.DatesFacture = !s.OptionDebits && !s.Encaissements;
    d.SansAchats = s.Achats.empty();

    // The codes that share a rate make one line of the return.
    std::array<std::size_t, 4> ligne{};
    for (int k = 1; k <= 3; ++k) {
        const auto meme = std::find_if(d.Taux.begin(), d.Taux.end(), [&](const TauxDeclare& t) {
            return t.Taux.valeur() == r.TauxTVA[k].valeur();
        });
        if (meme == d.Taux.end()) {
            d.Taux.push_back({r.TauxTVA[k], {k}, LigneCA3(r.TauxTVA[k])});
        } else {
            meme->Codes.push_back(k);
        }
    }
    std::stable_sort(d.Taux.begin(), d.Taux.end(), [](const TauxDeclare& a, const TauxDeclare& b) {
        return a.Taux.valeur() > b.Taux.valeur();
    });
    for (std::size_t i = 0; i < d.Taux.size(); ++i)
        for (const int k : d.Taux[i].Codes)
            ligne[static_cast<std::size_t>(k)] = i;

    for (const VenteJournal& v : j.Ventes) {
        VenteDeclaree vd = Exigible(v, s, d.Francs);
        // Waiting at the end of the period: invoiced by then, paid later or not yet.
        if (v.Date <= p.Au && !(vd.Date.isValid() && vd.Date <= p.Au)) {
            d.EnAttente.push_back(std::move(vd));
            continue;
        }
        if (!Dans(vd.Date, p)) continue;
        for (int k = 1; k <= 3; ++k) {
            TauxDeclare& t = d.Taux[ligne[static_cast<std::size_t>(k)]];
            t.Base += vd.Chiffres.Base[k];
            t.TVA += vd.Chiffres.TVA[k];
        }
        d.Ventes.push_back(std::move(vd));
    }
    std::stable_sort(
        d.Ventes.begin(), d.Ventes.end(),
        [](const VenteDeclaree& a, const VenteDeclaree& b) { return a.Date < b.Date; });
    for (const auto& t : d.Taux) {
        d.BaseTotale += t.Base;
        d.TVABrute += t.TVA;
    }
    for (const DocumentEcarte& e : j.Ecartes)
        if (!e.Date.isValid() || Dans(e.Date, p)) d.Ecartes.push_back(e);

    for (const Achat& a : s.Achats) {
        if (const auto defaut = DefautAchat(a)) {
            if (!a.Date.isValid() || Dans(a.Date, p)) d.AchatsEcartes.emplace_back(a, *defaut);
        } else if (Dans(a.Date, p)) {
            d.Achats.push_back({a, ChiffresDe(a)});
            d.TVADeductible += d.Achats.back().Chiffres.TVA;
        }
    }
    std::stable_sort(d.Achats.begin(), d.Achats.end(),
                     [](const AchatDeclare& a, const AchatDeclare& b) {
                         return a.Document.Date < b.Document.Date;
                     });
    d.Net = d.TVABrute - d.TVADeductible;
    return d;
}

QString TexteMontantDeclare(Centimes c) {
    return QString::fromLatin1(TexteCentimes(c));
}

QString TexteDateDeclaree(const QDate& d) {
    return d.isValid() ? VersQString(FormatDate(d)) : QString();
}

QString TexteMotif(const VenteDeclaree& v) {
    switch (v.Motif) {
    case Exigibilite::DateFacture:
        switch (v.Nature) {
        case NatureOperation::Biens:
            return QStringLiteral("biens : date de facture");
        case NatureOperation::Mixte:
            return QStringLiteral("mixte : date de facture");
        case NatureOperation::Services:
            break;
        }
        return QStringLiteral("date de facture");
    case Exigibilite::Encaissement:
        return QStringLiteral("encaissé le %1").arg(TexteDateDeclaree(v.Date));
    case Exigibilite::PayeeSansDate:
        return QStringLiteral("payée : date de facture");
    case Exigibilite::EnAttente:
        break;
    }
    return QStringLiteral("non encaissé");
}

QStringList NotesDeclaration(const DeclarationTVA& d) {
    QStringList n;
    n << QStringLiteral("Période du %1 au %2.")
             .arg(TexteDateDeclaree(d.Periode.Du), TexteDateDeclaree(d.Periode.Au));
    if (d.OptionDebits)
        n << QStringLiteral("Option pour les débits : la TVA des prestations de services est due "
                            "à la date de la facture.");
    else if (d.DatesFacture)
        n << QStringLiteral("Les dates d'encaissement des factures ne sont pas connues : la TVA "
                            "des prestations de services est comptée à la date de la facture, "
                            "comme celle des livraisons de biens.");
    else
        n << QStringLiteral("La TVA des prestations de services est due à l'encaissement ; celle "
                            "des livraisons de biens et des factures mixtes à la date de la "
                            "facture.");
    if (std::any_of(d.Ventes.begin(), d.Ventes.end(),
                    [](const VenteDeclaree& v) { return v.Motif == Exigibilite::PayeeSansDate; }))
        n << QStringLiteral("Une facture de services marquée payée sans date d'encaissement "
                            "connue est comptée à la date de la facture.");
    if (d.Francs)
        n << QStringLiteral("Livre tenu en francs : chaque montant est converti en euros au taux "
                            "légal de 6,55957 francs pour un euro et arrondi au centime.");
    if (d.SansAchats) n << QStringLiteral("Aucune facture reçue : pas de TVA déductible.");
    if (!d.EnAttente.empty()) {
        Centimes tva = 0;
        for (const auto& v : d.EnAttente)
            for (int k = 1; k <= 3; ++k)
                tva += v.Chiffres.TVA[k];
        const QString t = d.EnAttente.size() == 1
                              ? QStringLiteral("1 document de prestations de services facturé à "
                                               "la fin de la période n'est pas encore encaissé")
                              : QStringLiteral("%1 documents de prestations de services facturés "
                                               "à la fin de la période ne sont pas encore "
                                               "encaissés")
                                    .arg(d.EnAttente.size());
        n << t + QStringLiteral(" : %1 € de TVA à déclarer à l'encaissement.")
                     .arg(TexteMontantDeclare(tva));
    }
    if (const auto e = d.Ecartes.size() + d.AchatsEcartes.size(); e > 0)
        n << (e == 1 ? QStringLiteral("1 document de la période ne peut être compté : voyez la "
                                      "liste et corrigez-le.")
                     : QStringLiteral("%1 documents de la période ne peuvent être comptés : voyez "
                                      "la liste et corrigez-les.")
                           .arg(e));
    n << QStringLiteral("Montants au centime : le formulaire 3310-CA3 les demande en euros, sans "
                        "centimes.");
    return n;
}

} // namespace kyr
