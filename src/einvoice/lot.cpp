#include "einvoice/lot.h"

#include "book/bloc.h"
#include "book/facture.h"
#include "common/dates.h"
#include "common/erreurs.h"
#include "printing/document.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <set>

namespace kyr {

namespace {

QString Q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString Date(const QDate& d) {
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

QString Pluriel(int n, const char* un, const char* plusieurs) {
    return QString::number(n) + QLatin1Char(' ') + Q(n > 1 ? plusieurs : un);
}

int LargeurParDefaut(const std::string& s) {
    return static_cast<int>(s.size()) * 7;
}

// The remark of a document whose figures by the rules differ from its window's.
QString RemarqueEcarts(const std::vector<Ecart>& ecarts) {
    QStringList l;
    for (const Ecart& e : ecarts)
        l << Q("%1 %2 (la fenêtre affiche %3)")
                 .arg(e.Libelle, VersQString(TextePage(e.Regle)),
                      VersQString(TextePage(e.Fenetre)));
    return Q("écrit avec les montants des règles de la facture électronique : ") +
           l.join(QStringLiteral(", "));
}

} // namespace

int RapportLot::NonTraites() const {
    int n = 0;
    for (const auto& d : Documents)
        n += d.NonTraite;
    return n;
}

int RapportLot::Ecrits() const {
    int n = 0;
    for (const auto& d : Documents)
        n += d.Ecrit;
    return n;
}

RapportLot ExporteLot(const SourcesLot& s, const DemandeLot& demande, const OutilsLot& o) {
    RapportLot rapport;
    rapport.Demande = demande;
    const Journal journal = LitJournal(s.Livre, s.R);
    const VueJournal vue = Selectionne(journal, {demande.Du, demande.Au, false}, s.R);
    for (const VenteJournal* v : vue.Ventes) {
        DocumentLot d;
        d.Bloc = v->Bloc;
        d.Genre = TexteGenre(v->Sorte);
        d.Numero = VersQString(v->Numero);
        d.Date = v->Date;
        rapport.Documents.push_back(d);
    }
    // The documents the journal cannot count cannot be exported either.
    for (const DocumentEcarte* e : vue.Ecartes) {
        DocumentLot d;
        d.Bloc = e->Bloc;
        d.Genre = VersQString(Trim(e->Genre));
        d.Numero = VersQString(Trim(e->Numero));
        d.Date = e->Date;
        d.Raison = e->Raison;
        rapport.Documents.push_back(d);
    }
    auto& documents = rapport.Documents;
    if (documents.empty()) return rapport;

    // Stops the run: the documents not reached yet say so.
    const auto arrete = [&](const QString& pourquoi) {
        rapport.Arret = pourquoi;
        for (auto& d : documents)
            if (!d.Ecrit && d.Raison.isEmpty()) {
                d.NonTraite = true;
                d.Raison = Q("non exporté : l'exportation s'est arrêtée avant lui");
            }
        return rapport;
    };
    const QFileInfo dossier(demande.Dossier);
    if (demande.Dossier.trimmed().isEmpty()) return arrete(Q("Aucun dossier n'est choisi."));
    if (!dossier.exists())
        return arrete(
            Q("Le dossier %1 n'existe pas.").arg(QDir::toNativeSeparators(demande.Dossier)));
    if (!dossier.isDir())
        return arrete(Q("%1 n'est pas un dossier.").arg(QDir::toNativeSeparators(demande.Dossier)));
    if (demande.Format == FormatFE::FacturX && !o.FacturX)
        return arrete(Q("Le format Factur-X n'est pas disponible ici."));
    if (const QString refus = RefusLivre(s.R, s.Societe, s.Vend); !refus.isEmpty())
        return arrete(refus);

    // The names first: two documents of one number would share a file, and
    // the files already there are asked about once for the whole run.
    const QDir dir(demande.Dossier);
    std::set<QString> pris;
    QStringList existants;
    for (auto& d : documents) {
        if (!d.Raison.isEmpty()) continue;
        Fiche nom;
        nom.Genre = d.Genre == TexteGenre(SorteVente::Avoir) ? GenreAvoir : GenreFacture;
        nom.Numero = DepuisQString(d.Numero).value_or(std::string());
        d.Fichier = VersQString(NomFichierFormat(nom, demande.Format));
        if (!pris.insert(d.Fichier).second) {
            d.Raison = Q("un autre document de la période porte le même numéro : exportez-le "
                         "seul sous un autre nom");
            continue;
        }
        if (QFileInfo::exists(dir.filePath(d.Fichier))) existants << d.Fichier;
    }
    if (!existants.isEmpty()) {
        const Remplacement r = o.Remplace ? o.Remplace(existants) : Remplacement::Garder;
        if (r == Remplacement::Annuler)
            return arrete(Q("Exportation annulée : aucun fichier n'a été écrit."));
        if (r == Remplacement::Garder)
            for (auto& d : documents)
                if (d.Raison.isEmpty() && existants.contains(d.Fichier))
                    d.Raison = Q("le fichier %1 est déjà dans le dossier ; il n'a pas été "
                                 "remplacé")
                                   .arg(d.Fichier);
    }

    const LargeurTexteFn mesure = o.Mesure ? o.Mesure : LargeurTexteFn(LargeurParDefaut);
    std::vector<int> debuts = IndexDebuts(s.Livre);
    const FacturesLivre factures = FacturesDuJournal(journal);
    // The document's e-invoice, as a single export would make it without
    // asking: the buyer remembered, the nature and delivery address last chosen.
    const auto modele = [&](DocumentLot& d, Fiche& f) -> std::optional<FactureElectronique> {
        const FicheCalculee lue = LitEtCalcule(s.Livre, debuts[d.Bloc], d.Bloc, f, s.R, mesure);
        if (lue.Erreur) {
            d.Raison = lue.Erreur->message();
            return std::nullopt;
        }
        SaisieExport saisie = Proposition(f, s.Memorises, factures);
        if (s.Documents)
            if (const auto it = s.Documents->find(CleDocument(f)); it != s.Documents->end()) {
                saisie.Autres.Nature = it->second.Nature;
                saisie.Autres.LieuLivraison = it->second.Livraison;
            }
        auto resultat = Construit(f, s.R, s.Societe, s.Vend, saisie.Ach, saisie.Autres);
        if (std::holds_alternative<Refus>(resultat)) {
            d.Raison = std::get<Refus>(resultat).Message;
            return std::nullopt;
        }
        return std::get<FactureElectronique>(std::move(resultat));
    };
    // Every document that can be made is issued before any file leaves, as a
    // single export issues its document before writing it.
    if (o.Emet) {
        std::vector<DocumentLot*> prets;
        std::vector<RefDocument> refs;
        for (auto& d : documents) {
            if (!d.Raison.isEmpty()) continue;
            Fiche f;
            if (!modele(d, f)) continue;
            prets.push_back(&d);
            refs.push_back({d.Genre == TexteGenre(SorteVente::Avoir) ? 'A' : 'F', Trim(f.Numero)});
        }
        std::vector<QString> refus;
        try {
            refus = o.Emet(refs);
        } catch (const ErreurExecution& e) {
            return arrete(e.message() + Q(" : aucun document n'a été émis ni exporté."));
        }
        for (std::size_t i = 0; i < prets.size() && i < refus.size(); ++i)
            if (!refus[i].isEmpty()) prets[i]->Raison = refus[i];
        // Issuing stores the shown document at the end of the book first.
        debuts = IndexDebuts(s.Livre);
    }
    int total = 0, fait = 0;
    for (const auto& d : documents)
        total += d.Raison.isEmpty();
    for (auto& d : documents) {
        if (!d.Raison.isEmpty()) continue;
        if (o.Progression && !o.Progression(fait, total, d.Genre + QLatin1Char(' ') + d.Numero))
            return arrete(Q("Exportation annulée."));
        ++fait;
        Fiche f;
        const auto fe = modele(d, f);
        if (!fe) continue;
        if (!fe->Ecarts.empty()) d.Remarque = RemarqueEcarts(fe->Ecarts);
        const QString chemin = dir.filePath(d.Fichier);
        try {
            const Fiche page =
                demande.Format == FormatFE::FacturX ? FicheDeLaPage(f, s.R, *fe, mesure) : f;
            EcritFichierFE(demande.Format, chemin, *fe, page, o.FacturX);
        } catch (const ErreurExecution& e) {
            // A folder that is read-only, full or gone fails every file after.
            d.Raison = e.message();
            return arrete(e.message() + Q(" : l'exportation s'est arrêtée."));
        }
        d.Ecrit = true;
    }
    if (o.Progression) o.Progression(total, total, {});
    return rapport;
}

QString ResumeRapport(const RapportLot& r) {
    const DemandeLot& d = r.Demande;
    const QString periode = Q("du %1 au %2").arg(Date(d.Du), Date(d.Au));
    // A document whose date cannot be read belongs to no period: it is
    // reported with every one, as the sales journal does.
    const bool dates = std::any_of(r.Documents.begin(), r.Documents.end(),
                                   [](const DocumentLot& d) { return d.Date.isValid(); });
    if (!dates) {
        QString t = Q("Aucune facture ni aucun avoir dans la période %1 : aucun fichier à écrire.")
                        .arg(periode);
        if (!r.Documents.empty())
            t += QLatin1Char('\n') +
                 Pluriel(static_cast<int>(r.Documents.size()),
                         "document dont la date est illisible n'a pu être exporté.",
                         "documents dont la date est illisible n'ont pu être exportés.");
        return t;
    }
    QString t = Q("%1 sur %2 (factures et avoirs) de la période %3, format %4, dans le "
                  "dossier %5.")
                    .arg(Pluriel(r.Ecrits(), "fichier écrit", "fichiers écrits"),
                         Pluriel(static_cast<int>(r.Documents.size()), "document", "documents"),
                         periode, NomCourtFormat(d.Format), QDir::toNativeSeparators(d.Dossier));
    if (const int n = r.NonEcrits() - r.NonTraites(); n > 0)
        t += QLatin1Char('\n') +
             Pluriel(n, "document n'a pu être exporté.", "documents n'ont pu être exportés.");
    if (const int n = r.NonTraites(); n > 0)
        t += QLatin1Char('\n') + Pluriel(n,
                                         "document n'a pas été exporté : l'exportation s'est "
                                         "arrêtée avant lui.",
                                         "documents n'ont pas été exportés : l'exportation "
                                         "s'est arrêtée avant eux.");
    if (!r.Arret.isEmpty()) t += QLatin1Char('\n') + r.Arret;
    return t;
}

QString LigneDocument(const DocumentLot& d) {
    QString t = d.Genre + QLatin1Char(' ') + d.Numero;
    if (d.Date.isValid()) t += Q(" du ") + Date(d.Date);
    if (!d.Raison.isEmpty()) return t + Q(" : ") + d.Raison;
    return t + Q(" : ") + d.Remarque;
}

QString TexteRapport(const RapportLot& r) {
    QString t = ResumeRapport(r);
    // The documents not exported first, then those written with a remark; a
    // reason of several lines stays under its document.
    for (const bool ecrits : {false, true})
        for (const auto& d : r.Documents)
            if (d.Ecrit == ecrits && !d.NonTraite && (!d.Ecrit || !d.Remarque.isEmpty()))
                t += QLatin1Char('\n') +
                     LigneDocument(d).replace(QLatin1Char('\n'), QStringLiteral("\n    "));
    return t;
}

} // namespace kyr
