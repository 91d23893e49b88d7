// The sales journal as a CSV file that French spreadsheet programs open
// directly.
#include "common/dates.h"
#include "lists/feuille_csv.h"
#include "lists/journal.h"

namespace kyr {

namespace {

QString Texte(const std::string& octets) {
    return ChampTexteCSV(octets);
}

QString Montant(Centimes c) {
    return QString::fromLatin1(TexteCentimes(c));
}

} // namespace

std::string TexteCSV(const VueJournal& v) {
    FeuilleCSV f;
    f.Ligne({QStringLiteral("Date"), QStringLiteral("Genre"), QStringLiteral("Numéro"),
             QStringLiteral("Code client"), QStringLiteral("Nom du client"),
             QStringLiteral("Total H.T."), QStringLiteral("Total TVA"), QStringLiteral("Total TTC"),
             QStringLiteral("Payée")});
    for (const VenteJournal* d : v.Ventes)
        f.Ligne({VersQString(FormatDate(d->Date)), TexteGenre(d->Sorte), Texte(d->Numero),
                 Texte(d->CodeClient), Texte(d->NomClient), Montant(d->HT), Montant(d->TVA),
                 Montant(d->TTC), d->Payee ? QStringLiteral("Oui") : QStringLiteral("Non")});

    // The totals stand under the columns they add up; each VAT code gives its
    // rate, its amount before tax and its VAT.
    const TotauxJournal& t = v.Totaux;
    f.Ligne({});
    f.Ligne({{},
             {},
             {},
             QStringLiteral("Total ") + TextePeriode(v.Choix),
             {},
             Montant(t.HT),
             Montant(t.TVA),
             Montant(t.TTC)});
    for (int k = 1; k <= 3; ++k)
        f.Ligne({{},
                 {},
                 {},
                 QStringLiteral("Code TVA %1").arg(k),
                 TexteTaux(t.Taux[k]),
                 Montant(t.BaseCode[k]),
                 Montant(t.TVACode[k])});
    f.Ligne({{}, {}, {}, QStringLiteral("Reste à payer"), {}, {}, {}, Montant(t.NonPaye)});
    // The received invoices' VAT, under the same columns as the VAT codes'.
    if (t.AvecAchats)
        for (const RangeeTva& r : RangeesTvaNette(t, QStringLiteral("−")))
            f.Ligne(
                {{}, {}, {}, r.Libelle, {}, r.Base ? Montant(*r.Base) : QString(), Montant(r.TVA)});
    f.Ligne({});
    for (const QString& l : TexteNumerotation(v.Numeros))
        f.Ligne({l});

    if (!v.Ecartes.empty()) {
        f.Ligne({});
        f.Ligne({QStringLiteral("Documents non comptés")});
        f.Ligne({QStringLiteral("Date"), QStringLiteral("Genre"), QStringLiteral("Numéro"),
                 QStringLiteral("Code client"), QStringLiteral("Nom du client"),
                 QStringLiteral("Raison")});
        for (const DocumentEcarte* e : v.Ecartes)
            f.Ligne({Texte(e->TexteDate), Texte(e->Genre), Texte(e->Numero), Texte(e->CodeClient),
                     Texte(e->NomClient), e->Raison});
    }
    return f.Octets();
}

void ExporteCSV(const QString& chemin, const VueJournal& v) {
    EcritOctets(chemin, TexteCSV(v));
}

} // namespace kyr
