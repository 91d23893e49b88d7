#include "shell/pages_aide.h"

#include <QRegularExpression>
#include <QStringList>

namespace kyr {

QString PageContexte(int contexte) {
    switch (contexte) {
    case 3:
        return QStringLiteral("fichier.html");
    case 4:
        return QStringLiteral("edition.html");
    case 5:
        return QStringLiteral("document.html");
    case 6:
        return QStringLiteral("parametres.html");
    case 7:
        return QStringLiteral("utilitaires.html");
    case 8:
        return QStringLiteral("aide.html");
    case 9:
        return QStringLiteral("facture.html");
    default:
        return QStringLiteral("index.html");
    }
}

QString PageFenetre(const QString& nom) {
    // The program's dialogs by object name; Qt's own by class name.
    static const std::pair<const char*, const char*> pages[] = {
        {"Facture", "facture.html"},
        {"Societe", "parametres.html#ParamCompanyItem"},
        {"Paramf", "parametres.html#ParamInvoiceItem"},
        {"ParamFE", "parametres.html#ParamFacturXItem"},
        {"TFichCli", "parametres.html#ParamClientsItem"},
        {"TGlos", "parametres.html#ParamGlossaryItem"},
        {"MPage", "fichier.html#FilePageSetupItem"},
        {"Apercu", "fichier.html#FilePreviewItem"},
        {"ExportFE", "fichier.html#ExportFE"},
        {"QPrintDialog", "fichier.html#FilePrintItem"},
        {"QPageSetupDialog", "fichier.html#FilePrintSetupItem"},
        {"QFileDialog", "fichiers.html"},
        {"TFindDialog", "edition.html#EditFindItem"},
        {"TFindCli", "edition.html#EditFindCodeItem"},
        {"TFindNom", "edition.html#EditFindNameItem"},
        {"TFactListe", "document.html#DocListItem"},
        {"Journal", "document.html#DocJournalItem"},
        {"TFclient", "facture.html#client"},
        {"TListeCli", "facture.html#listeclients"},
        {"Calendrier", "utilitaires.html#UtilCalendarItem"},
        {"Pocket", "utilitaires.html#UtilCalculatorItem"},
        {"Horloge", "utilitaires.html#UtilClockItem"},
        {"Eurof", "utilitaires.html#UtilEuroItem"},
        {"Blocnotes", "utilitaires.html#UtilNotepadItem"},
        {"AboutBox", "aide.html#HelpAboutItem"},
        {"Aide", "utiliser.html"},
        {"Accueil", "premiers_pas.html"},
        {"Recues", "fichier.html#FileReceivedItem"},
        {"VueRecue", "fichier.html#FileReceivedItem"},
        {"ExportLot", "fichier.html#FileExportBatchItem"},
        {"RapportLot", "fichier.html#FileExportBatchItem"},
        {"ExportFEC", "fichier.html#FileFECItem"},
        {"Comptes", "parametres.html#ParamAccountsItem"},
        {"DeclarationTVA", "document.html#DocTVAItem"},
    };
    for (const auto& [fenetre, page] : pages)
        if (nom == QLatin1String(fenetre)) return QString::fromLatin1(page);
    return {};
}

QString PageCommande(int contexteMenu, const QString& nomCommande) {
    const QString page = PageContexte(contexteMenu);
    return nomCommande.isEmpty() ? page : page + QLatin1Char('#') + nomCommande;
}

QString LegendeCommande(const QString& texte) {
    // The key written in the caption ("PgUp") stands after a run of blanks.
    QString t = texte.section(QRegularExpression(QStringLiteral("\\s{2,}")), 0, 0);
    t.remove(QLatin1Char('&'));
    return t.trimmed();
}

QString CleRecherche(const QString& texte) {
    QString r = texte.normalized(QString::NormalizationForm_D);
    r.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return r.toCaseFolded().trimmed();
}

int PremierMotCle(const QStringList& mots, const QString& debut) {
    const QString cle = CleRecherche(debut);
    for (int i = 0; i < mots.size(); ++i)
        if (CleRecherche(mots[i]).startsWith(cle)) return i;
    return -1;
}

const std::vector<std::pair<QString, QString>>& MotsClesAide() {
    static const std::vector<std::pair<QString, QString>> mots = [] {
        static const std::pair<const char*, const char*> liste[] = {
            {"A propos", "aide.html#HelpAboutItem"},
            {"Abréviations", "parametres.html#ParamGlossaryItem"},
            {"Acheteur", "fichier.html#ExportFE"},
            {"Adresse du client", "facture.html#client"},
            {"Aide", "utiliser.html"},
            {"Aperçu avant impression", "fichier.html#FilePreviewItem"},
            {"Avoir", "facture.html#entete"},
            {"Avoir sur facture", "edition.html#EditCreditNoteItem"},
            {"Barre d'outils", "facture.html#outils"},
            {"Bloc-notes", "utilitaires.html#UtilNotepadItem"},
            {"Calculatrice", "utilitaires.html#UtilCalculatorItem"},
            {"Calculer", "document.html#DocCalculateItem"},
            {"Calendrier", "utilitaires.html#UtilCalendarItem"},
            {"Chercher une facture", "edition.html#EditFindItem"},
            {"Clavier", "facture.html#touches"},
            {"Clients", "parametres.html#ParamClientsItem"},
            {"Comptabilité", "parametres.html#ParamAccountsItem"},
            {"Code client", "facture.html#client"},
            {"Coller", "edition.html#EditPasteItem"},
            {"Conditions de règlement", "parametres.html#ParamInvoiceItem"},
            {"Configurer l'imprimante", "fichier.html#FilePrintSetupItem"},
            {"Copier", "edition.html#EditCopyItem"},
            {"CSV", "document.html#DocJournalItem"},
            {"Déclaration de TVA", "document.html#DocTVAItem"},
            {"Devis", "facture.html#entete"},
            {"Devise", "parametres.html#ParamInvoiceItem"},
            {"Dossier des fichiers", "fichiers.html#dossier"},
            {"Effacer une ligne", "document.html#DocDeleteLineItem"},
            {"Émission", "facture.html#emis"},
            {"Enregistrer", "fichier.html#FileSaveItem"},
            {"Enregistrer sous", "fichier.html#FileSaveAsItem"},
            {"En-tête de la société", "parametres.html#ParamCompanyItem"},
            {"Enveloppe", "facture.html#ToolEnvelopeItem"},
            {"Euro", "utilitaires.html#UtilEuroItem"},
            {"Exporter en PDF", "fichier.html#FileExportPdfItem"},
            {"Export comptable", "fichier.html#FileFECItem"},
            {"Exporter les factures de la période", "fichier.html#FileExportBatchItem"},
            {"Facture électronique", "fichier.html#FileFacturXItem"},
            {"Factures reçues", "fichier.html#FileReceivedItem"},
            {"Facture payée", "facture.html#memo"},
            {"Facture TTC", "facture.html#ht"},
            {"Facturation électronique", "parametres.html#ParamFacturXItem"},
            {"Factur-X", "fichier.html#FileFacturXItem"},
            {"Facturier", "fichier.html"},
            {"FEC", "fichier.html#FileFECItem"},
            {"Fichiers", "fichiers.html"},
            {"Franchise de TVA", "parametres.html#ParamFacturXItem"},
            {"Glossaire", "parametres.html#ParamGlossaryItem"},
            {"Horloge", "utilitaires.html#UtilClockItem"},
            {"IBAN", "parametres.html#ParamFacturXItem"},
            {"Imprimer", "fichier.html#FilePrintItem"},
            {"Journal des ventes", "document.html#DocJournalItem"},
            {"Lignes de facture", "facture.html#lignes"},
            {"Liste des clients", "facture.html#listeclients"},
            {"Liste des factures", "document.html#DocListItem"},
            {"Mémo", "facture.html#memo"},
            {"Mise en page", "fichier.html#FilePageSetupItem"},
            {"Navigation", "document.html#DocPreviousItem"},
            {"Nouveau client", "facture.html#client"},
            {"Nouveau facturier", "fichier.html#FileNewItem"},
            {"Nouvelle facture", "document.html#DocNewItem"},
            {"Numéro de facture", "document.html#DocNewItem"},
            {"Ouvrir", "fichier.html#FileOpenItem"},
            {"Ouvrir automatiquement", "parametres.html#ParamAutoOpenItem"},
            {"Papier à en-tête", "fichier.html#FilePageSetupItem"},
            {"PDF", "fichier.html#FileExportPdfItem"},
            {"Premiers pas", "premiers_pas.html"},
            {"Quitter", "fichier.html#FileExitItem"},
            {"Rechercher un client", "edition.html#EditFindCodeItem"},
            {"Règlement", "parametres.html#ParamInvoiceItem"},
            {"Registre des documents émis", "facture.html#emis"},
            {"Remise", "facture.html#lignes"},
            {"Sauvegarde", "fichiers.html#sauvegarde"},
            {"SIREN", "parametres.html#ParamFacturXItem"},
            {"Société", "parametres.html#ParamCompanyItem"},
            {"Supprimer une facture", "document.html#DocDeleteItem"},
            {"Taux de l'euro", "parametres.html#ParamInvoiceItem"},
            {"Taux de TVA", "parametres.html#ParamInvoiceItem"},
            {"Totaux", "facture.html#totaux"},
            {"Touches", "facture.html#touches"},
            {"TVA", "parametres.html#ParamInvoiceItem"},
            {"TVA déductible", "fichier.html#FileReceivedItem"},
            {"UBL", "fichier.html#FileFacturXItem"},
            {"Verrou du facturier", "fichiers.html#partage"},
        };
        std::vector<std::pair<QString, QString>> v;
        for (const auto& [mot, page] : liste)
            v.emplace_back(QString::fromUtf8(mot), QString::fromLatin1(page));
        return v;
    }();
    return mots;
}

} // namespace kyr
