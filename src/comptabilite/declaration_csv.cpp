// The VAT return as a CSV file, with the sales journal's conventions.
#include "common/dates.h"
#include "comptabilite/declaration_tva.h"
#include "lists/feuille_csv.h"

namespace kyr {

namespace {

void Ventes(FeuilleCSV& f, const QString& titre, const std::vector<VenteDeclaree>& ventes) {
    if (ventes.empty()) return;
    f.Ligne({});
    f.Ligne({titre});
    f.Ligne({QStringLiteral("Date retenue"), QStringLiteral("Motif"), QStringLiteral("Date"),
             QStringLiteral("Genre"), QStringLiteral("Numéro"), QStringLiteral("Code client"),
             QStringLiteral("Nom du client"), QStringLiteral("Base H.T."), QStringLiteral("TVA")});
    for (const auto& v : ventes)
        f.Ligne({TexteDateDeclaree(v.Date), TexteMotif(v), TexteDateDeclaree(v.Vente.Date),
                 TexteGenre(v.Vente.Sorte), ChampTexteCSV(v.Vente.Numero),
                 ChampTexteCSV(v.Vente.CodeClient), ChampTexteCSV(v.Vente.NomClient),
                 TexteMontantDeclare(SommeCodes(v.Chiffres.Base)),
                 TexteMontantDeclare(SommeCodes(v.Chiffres.TVA))});
}

} // namespace

std::string TexteCSV(const DeclarationTVA& d) {
    FeuilleCSV f;
    f.Ligne({QString::fromLatin1(TitreDeclaration),
             QStringLiteral("du %1 au %2")
                 .arg(TexteDateDeclaree(d.Periode.Du), TexteDateDeclaree(d.Periode.Au))});
    for (const QString& n : NotesDeclaration(d))
        f.Ligne({n});
    f.Ligne({});
    f.Ligne({QStringLiteral("Ligne"), QStringLiteral("Opérations"), QStringLiteral("Base H.T."),
             QStringLiteral("TVA")});
    for (const auto& t : d.Taux)
        f.Ligne({t.LigneCA3, QStringLiteral("Taux ") + TexteTaux(t.Taux),
                 TexteMontantDeclare(t.Base), TexteMontantDeclare(t.TVA)});
    f.Ligne({QStringLiteral("16"), QStringLiteral("Total de la TVA brute due"),
             TexteMontantDeclare(d.BaseTotale), TexteMontantDeclare(d.TVABrute)});
    f.Ligne({QStringLiteral("20"),
             QStringLiteral("TVA déductible sur autres biens et services"),
             {},
             TexteMontantDeclare(d.TVADeductible)});
    f.Ligne({QStringLiteral("23"),
             QStringLiteral("Total de la TVA déductible"),
             {},
             TexteMontantDeclare(d.TVADeductible)});
    if (d.Net >= 0)
        f.Ligne({QStringLiteral("28"),
                 QStringLiteral("TVA nette due"),
                 {},
                 TexteMontantDeclare(d.Net)});
    else
        f.Ligne({QStringLiteral("25"),
                 QStringLiteral("Crédit de TVA"),
                 {},
                 TexteMontantDeclare(-d.Net)});

    Ventes(f, QStringLiteral("Ventes comptées"), d.Ventes);
    if (!d.Achats.empty()) {
        f.Ligne({});
        f.Ligne({QStringLiteral("Factures reçues comptées")});
        f.Ligne({QStringLiteral("Date"), QStringLiteral("Genre"), QStringLiteral("Numéro"),
                 QStringLiteral("Fournisseur"), QStringLiteral("Nom du fournisseur"),
                 QStringLiteral("H.T."), QStringLiteral("TVA")});
        for (const auto& a : d.Achats)
            f.Ligne({TexteDateDeclaree(a.Document.Date),
                     a.Document.Avoir ? QStringLiteral("Avoir") : QStringLiteral("Facture"),
                     ChampTexteCSV(a.Document.Numero), ChampTexteCSV(a.Document.IdFournisseur),
                     ChampTexteCSV(a.Document.NomFournisseur), TexteMontantDeclare(a.Chiffres.HT),
                     TexteMontantDeclare(a.Chiffres.TVA)});
    }
    Ventes(f, QStringLiteral("Prestations non encaissées à la fin de la période"), d.EnAttente);
    if (!d.Ecartes.empty() || !d.AchatsEcartes.empty()) {
        f.Ligne({});
        f.Ligne({QStringLiteral("Documents non comptés")});
        f.Ligne({QStringLiteral("Date"), QStringLiteral("Genre"), QStringLiteral("Numéro"),
                 QStringLiteral("Tiers"), QStringLiteral("Nom"), QStringLiteral("Raison")});
        for (const auto& e : d.Ecartes)
            f.Ligne({ChampTexteCSV(e.TexteDate), ChampTexteCSV(e.Genre), ChampTexteCSV(e.Numero),
                     ChampTexteCSV(e.CodeClient), ChampTexteCSV(e.NomClient), e.Raison});
        for (const auto& [a, raison] : d.AchatsEcartes)
            f.Ligne({TexteDateDeclaree(a.Date), QStringLiteral("Facture reçue"),
                     ChampTexteCSV(a.Numero), ChampTexteCSV(a.IdFournisseur),
                     ChampTexteCSV(a.NomFournisseur), raison});
    }
    return f.Octets();
}

void ExporteCSV(const QString& chemin, const DeclarationTVA& d) {
    EcritOctets(chemin, TexteCSV(d));
}

} // namespace kyr
