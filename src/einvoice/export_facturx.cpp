#include "einvoice/export_facturx.h"

#include "common/erreurs.h"
#include "einvoice/fichiers_tiers.h"
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

SaisieExport Proposition(const Fiche& f, const Acheteurs& memorises) {
    SaisieExport s;
    const auto it = memorises.find(Trim(f.CodeClient));
    s.Ach = it != memorises.end() && !Trim(f.CodeClient).empty() ? it->second
                                                                 : AcheteurDepuisAdresse(f.Adresse);
    s.Autres.Echeance = f.Payee ? f.Date : EcheanceProposee(f.Conditions, f.Date);
    s.Autres.Livraison = f.Date;
    return s;
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
                       const EcritureFacturX& ecrit) {
    Plateforme& p = f.plateforme();
    Vendeur vendeur = VendeurNeuf();
    Lit(p, [&] { ChargeVendeur(vendeur); });
    if (const QString refus = RefusDocument(f.fiche, f.reglages, f.Societe, vendeur);
        !refus.isEmpty()) {
        p.Message(refus);
        return {};
    }
    Acheteurs memorises;
    Lit(p, [&] { ChargeAcheteurs(memorises); });
    SaisieExport proposition = Proposition(f.fiche, memorises);
    // A credit note names the invoice it corrects (BT-25, BT-26).
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

    const QString propose = QDir(dossier.isEmpty() ? QDir::currentPath() : dossier)
                                .filePath(VersQString(NomPdfPropose(f.fiche)));
    const auto choix = p.NomFichierEnregistrer(QStringLiteral("Documents PDF (*.pdf)"), propose);
    if (!choix || choix->isEmpty()) return {};
    QString nom = *choix;
    if (QFileInfo(nom).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0)
        nom += QStringLiteral(".pdf");
    if (QFileInfo::exists(nom) && Avertissement(p, QStringLiteral("Ce fichier existe déjà"),
                                                {Bouton::OK, Bouton::Annuler}) != Bouton::OK)
        return {};

    const Fiche page = FicheDeLaPage(f.fiche, f.reglages, fe,
                                     [&p](const std::string& t) { return p.LargeurTexte(t); });
    try {
        // Issued before it leaves: the book saved, the register written.
        if (!f.EmetCourant()) return {};
        ecrit(nom, fe, page);
    } catch (const ErreurExecution& e) {
        p.Erreur(e.message());
        return {};
    }
    // The buyer as typed is proposed again for this client next time.
    if (!Trim(f.fiche.CodeClient).empty()) {
        memorises[Trim(f.fiche.CodeClient)] = saisie->Ach;
        Lit(p, [&] { SauveAcheteurs(memorises); });
    }
    p.Message(Q("La facture électronique a été enregistrée dans le fichier %1.")
                  .arg(QDir::toNativeSeparators(nom)));
    return nom;
}

} // namespace kyr
