#include "einvoice/export_facturx.h"

#include "common/erreurs.h"
#include "einvoice/fichiers_tiers.h"
#include "lists/journal.h"
#include "printing/document.h"

#include <QDir>
#include <QFileInfo>

namespace kyr {

namespace {

QString Q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Reads one of the program's files; an unreadable one is reported and
// counts as missing (the export then asks for what it lacks).
template <class Lecture> void Lit(Plateforme& p, Lecture&& lecture) {
    try {
        lecture();
    } catch (const ErreurExecution& e) {
        p.Erreur(e.message());
    }
}

} // namespace

FacturesLivre FacturesDuJournal(const Journal& j) {
    FacturesLivre factures;
    for (const VenteJournal& v : j.Ventes)
        if (v.Sorte == SorteVente::Facture) factures.emplace(v.Numero, v.Date);
    return factures;
}

FacturesLivre FacturesDuLivre(const Lignes& livre, const Reglages& r) {
    return FacturesDuJournal(LitJournal(livre, r));
}

std::optional<std::pair<std::string, QDate>> FactureCitee(const Fiche& avoir,
                                                          const FacturesLivre& factures) {
    std::vector<const std::string*> textes;
    for (int r = 1; r <= DerniereRangee; ++r)
        textes.push_back(&avoir.Cellules[r][0]);
    for (const auto& m : avoir.Memo)
        textes.push_back(&m);
    for (const std::string* t : textes)
        for (std::size_t i = 0; i < t->size();) {
            if ((*t)[i] < '0' || (*t)[i] > '9') {
                ++i;
                continue;
            }
            std::size_t fin = i;
            while (fin < t->size() && (*t)[fin] >= '0' && (*t)[fin] <= '9')
                ++fin;
            const auto it = factures.find(t->substr(i, fin - i));
            if (it != factures.end() && (!avoir.Date.isValid() || it->second <= avoir.Date))
                return std::make_pair(it->first, it->second);
            i = fin;
        }
    return std::nullopt;
}

SaisieExport Proposition(const Fiche& f, const Acheteurs& memorises,
                         const FacturesLivre& factures) {
    SaisieExport s;
    const auto it = memorises.find(Trim(f.CodeClient));
    s.Ach = it != memorises.end() && !Trim(f.CodeClient).empty() ? it->second
                                                                 : AcheteurDepuisAdresse(f.Adresse);
    s.Autres.Echeance = f.Payee ? f.Date : EcheanceProposee(f.Conditions, f.Date);
    s.Autres.Livraison = f.Date;
    if (Trim(f.Genre) == Trim(GenreAvoir))
        if (const auto citee = FactureCitee(f, factures)) {
            s.Autres.FactureCorrigee = citee->first;
            s.Autres.DateFactureCorrigee = citee->second;
        }
    return s;
}

void EcritFichierFE(FormatFE format, const QString& chemin, const FactureElectronique& fe,
                    const Fiche& page, const EcritureFacturX& ecrit) {
    if (format == FormatFE::FacturX) {
        ecrit(chemin, fe, page);
        return;
    }
    const QByteArray xml = XmlFormat(format, fe);
    EcritOctets(chemin, std::string_view(xml.constData(), static_cast<std::size_t>(xml.size())));
}

QString QuestionEcarts(const std::vector<Ecart>& ecarts) {
    QString t = Q("Les règles de la facture électronique arrondissent au centime chaque ligne, "
                  "puis la TVA de chaque taux ; elles donnent :\n");
    for (const auto& e : ecarts)
        t +=
            Q("  %1 : %2 (la fenêtre affiche %3)\n")
                .arg(e.Libelle, VersQString(TextePage(e.Regle)), VersQString(TextePage(e.Fenetre)));
    return t + Q("La facture électronique et sa page porteront ces montants. Continuer ?");
}

QString ExporteFacturX(Facture& f, const QString& dossier, const DialogueExport& dialogue,
                       const EcritureFacturX& ecrit, const QString& livre) {
    Plateforme& p = f.plateforme();
    Vendeur vendeur = VendeurNeuf();
    Lit(p, [&] { ChargeVendeur(vendeur); });
    if (const QString refus = RefusDocument(f.fiche, f.reglages, f.Societe, vendeur);
        !refus.isEmpty()) {
        p.Message(refus);
        return {};
    }
    // What would stop the issuing is said before the buyer is asked for, not
    // once the file is chosen.
    if (const QString refus = f.RefusSortie(); !refus.isEmpty()) {
        p.Message(refus);
        return {};
    }
    Acheteurs memorises;
    Lit(p, [&] { ChargeAcheteurs(memorises); });
    // What an earlier export chose for this document, else the seller's setting.
    const QString cheminDocuments = CheminDonneesDocuments(livre);
    const std::string cle = CleDocument(f.fiche);
    DonneesDocuments documents;
    if (!cheminDocuments.isEmpty() && !cle.empty())
        Lit(p, [&] { ChargeDonneesDocuments(documents, cheminDocuments); });
    // A credit note's text may name the invoice it corrects.
    const bool avoir = Trim(f.fiche.Genre) == Trim(GenreAvoir);
    SaisieExport proposition = Proposition(
        f.fiche, memorises, avoir ? FacturesDuLivre(f.Livre, f.reglages) : FacturesLivre());
    proposition.Format = vendeur.Format;
    const DonneesDocument& connu = documents[cle];
    proposition.Autres.Nature = connu.Nature.value_or(vendeur.CadreFacturation);
    proposition.Autres.LieuLivraison = connu.Livraison;
    // A credit note made from an invoice names it (BT-25, BT-26) by the register.
    if (const auto lien = f.FactureCorrigee()) {
        proposition.Autres.FactureCorrigee = lien->Numero;
        proposition.Autres.DateFactureCorrigee = lien->Date;
    }
    const auto saisie = dialogue(proposition);
    if (!saisie) return {};

    const auto resultat =
        Construit(f.fiche, f.reglages, f.Societe, vendeur, saisie->Ach, saisie->Autres);
    if (std::holds_alternative<Refus>(resultat)) {
        p.Message(std::get<Refus>(resultat).Message);
        return {};
    }
    const FactureElectronique& fe = std::get<FactureElectronique>(resultat);
    if (!fe.Ecarts.empty() &&
        Avertissement(p, QuestionEcarts(fe.Ecarts), {Bouton::Oui, Bouton::Non}) != Bouton::Oui)
        return {};

    const FormatFE format = saisie->Format;
    const QString extension = ExtensionFormat(format);
    const QString propose = QDir(dossier.isEmpty() ? QDir::currentPath() : dossier)
                                .filePath(VersQString(NomFichierFormat(f.fiche, format)));
    const auto choix = p.NomFichierEnregistrer(FiltreFormat(format), propose);
    if (!choix || choix->isEmpty()) return {};
    QString nom = *choix;
    if (QFileInfo(nom).suffix().compare(extension, Qt::CaseInsensitive) != 0)
        nom += QLatin1Char('.') + extension;
    if (QFileInfo::exists(nom) && Avertissement(p, QStringLiteral("Ce fichier existe déjà"),
                                                {Bouton::OK, Bouton::Annuler}) != Bouton::OK)
        return {};

    try {
        // Issued before it leaves: the book saved, the register written.
        if (!f.EmetCourant()) return {};
        const Fiche page =
            format == FormatFE::FacturX
                ? FicheDeLaPage(f.fiche, f.reglages, fe,
                                [&p](const std::string& t) { return p.LargeurTexte(t); })
                : f.fiche;
        EcritFichierFE(format, nom, fe, page, ecrit);
    } catch (const ErreurExecution& e) {
        p.Erreur(e.message());
        return {};
    }
    // The buyer as typed is proposed again for this client next time, and the
    // format for every export.
    if (!Trim(f.fiche.CodeClient).empty()) {
        memorises[Trim(f.fiche.CodeClient)] = saisie->Ach;
        Lit(p, [&] { SauveAcheteurs(memorises); });
    }
    // The document's nature and delivery address, for its paper prints and
    // its next export.
    if (!cheminDocuments.isEmpty() && !cle.empty()) {
        documents[cle] = DonneesDocument{fe.Nature, fe.Autres.LieuLivraison};
        Lit(p, [&] { SauveDonneesDocuments(documents, cheminDocuments); });
    }
    if (vendeur.Format != format) {
        vendeur.Format = format;
        Lit(p, [&] { SauveVendeur(vendeur); });
    }
    p.Message(Q("La facture électronique a été enregistrée dans le fichier %1.")
                  .arg(QDir::toNativeSeparators(nom)));
    return nom;
}

} // namespace kyr
