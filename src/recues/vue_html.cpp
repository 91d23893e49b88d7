#include "recues/vue_html.h"

#include <QRegularExpression>
#include <QStringList>

namespace kyr {

namespace {

QString E(const QString& t) {
    return t.toHtmlEscaped();
}

QString D(const QDate& d) {
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString Precis(std::optional<std::int64_t> v) {
    if (!v) return {};
    QString t = QString::fromLatin1(TexteDecimalCourt(*v, 6));
    t.replace(QLatin1Char('.'), QLatin1Char(','));
    return t;
}

class Page {
public:
    void Titre(const QString& t) { h += QStringLiteral("<h3>%1</h3>").arg(E(t)); }
    void Champ(const QString& libelle, const QString& valeur) {
        if (!valeur.isEmpty())
            h +=
                QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(E(libelle), E(valeur));
    }
    void DebutTable(bool cadre = false) {
        h += cadre
                 ? QStringLiteral("<table border='1' cellspacing='0' cellpadding='3' width='100%'>")
                 : QStringLiteral("<table cellspacing='0' cellpadding='2'>");
    }
    void FinTable() { h += QStringLiteral("</table>"); }
    // A row of cells; those from `droite` on are amounts, right-aligned.
    void Rangee(const QStringList& cellules, int droite, bool entete = false) {
        h += QStringLiteral("<tr>");
        for (int i = 0; i < cellules.size(); ++i)
            h += QStringLiteral("<%1%2>%3</%1>")
                     .arg(entete ? QStringLiteral("th") : QStringLiteral("td"),
                          i >= droite ? QStringLiteral(" align='right'") : QString(),
                          E(cellules[i]));
        h += QStringLiteral("</tr>");
    }
    QString h;
};

QString Adresse(const PartieRecue& p) {
    QStringList l;
    for (const QString& s :
         {p.Rue, p.Complement, (p.CodePostal + QLatin1Char(' ') + p.Ville).trimmed(), p.Pays})
        if (!s.isEmpty()) l << s;
    return l.join(QStringLiteral(", "));
}

QString AvecSchema(const QString& valeur, const QString& schema) {
    if (valeur.isEmpty() || schema.isEmpty()) return valeur;
    const QString nom = schema == QLatin1String("0002")   ? QStringLiteral("SIREN")
                        : schema == QLatin1String("0009") ? QStringLiteral("SIRET")
                        : schema == QLatin1String("0225") ? QStringLiteral("annuaire français")
                        : schema == QLatin1String("EM")   ? QStringLiteral("courriel")
                                                        : QStringLiteral("schéma %1").arg(schema);
    return QStringLiteral("%1 (%2)").arg(valeur, nom);
}

void Partie(Page& p, const QString& titre, const PartieRecue& x) {
    p.h += QStringLiteral("<td valign='top' width='50%'>");
    p.Titre(titre);
    p.DebutTable();
    p.Champ(QStringLiteral("Nom"), x.Nom);
    p.Champ(QStringLiteral("Nom commercial"), x.NomCommercial);
    p.Champ(QStringLiteral("Immatriculation"), AvecSchema(x.IdLegal, x.SchemaIdLegal));
    p.Champ(QStringLiteral("Identifiant"), AvecSchema(x.Identifiant, x.SchemaIdentifiant));
    p.Champ(QStringLiteral("N° de TVA"), x.NumeroTVA);
    p.Champ(QStringLiteral("Adresse"), Adresse(x));
    p.Champ(QStringLiteral("Adresse électronique"),
            AvecSchema(x.AdresseElectronique, x.SchemaAdresse));
    p.Champ(QStringLiteral("Contact"), QStringList({x.Contact, x.Telephone, x.Courriel})
                                           .filter(QRegularExpression(QStringLiteral(".")))
                                           .join(QStringLiteral(", ")));
    p.FinTable();
    p.h += QStringLiteral("</td>");
}

QString RemiseLigne(const LigneRecue& l) {
    QStringList r;
    for (const RemiseCharge& rc : l.RemisesCharges) {
        QString t =
            (rc.Charge ? QStringLiteral("+") : QStringLiteral("−")) + TexteMontant(rc.Montant);
        if (rc.Pourcentage) t += QStringLiteral(" (%1)").arg(TexteTauxRecu(rc.Pourcentage));
        r << t;
    }
    if (r.isEmpty() && l.PrixBrut && l.PrixNet && *l.PrixBrut != *l.PrixNet)
        r << QStringLiteral("prix brut %1").arg(Precis(l.PrixBrut));
    return r.join(QStringLiteral(", "));
}

} // namespace

QString TexteMoyenPaiement(const QString& code) {
    static const std::pair<const char*, const char*> moyens[] = {
        {"10", "Espèces"},           {"20", "Chèque"},
        {"30", "Virement"},          {"31", "Débit"},
        {"42", "Virement bancaire"}, {"48", "Carte bancaire"},
        {"49", "Prélèvement"},       {"57", "Ordre permanent"},
        {"58", "Virement SEPA"},     {"59", "Prélèvement SEPA"},
        {"97", "Compensation"},      {"ZZZ", "Convenu entre les parties"}};
    for (const auto& [c, t] : moyens)
        if (code == QLatin1String(c)) return QString::fromUtf8(t);
    return code.isEmpty() ? QString() : QStringLiteral("code %1").arg(code);
}

QString TexteUnite(const QString& code) {
    // The units French invoices use most, by their UN/ECE code.
    static const std::pair<const char*, const char*> unites[] = {
        {"C62", "unité"}, {"H87", "pièce"},  {"EA", "unité"}, {"XPP", "pièce"},   {"SET", "lot"},
        {"HUR", "heure"}, {"MIN", "minute"}, {"DAY", "jour"}, {"WEE", "semaine"}, {"MON", "mois"},
        {"ANN", "an"},    {"KGM", "kg"},     {"GRM", "g"},    {"TNE", "t"},       {"MTR", "m"},
        {"KMT", "km"},    {"MTK", "m²"},     {"MTQ", "m³"},   {"LTR", "l"},       {"KWH", "kWh"},
        {"LS", "forfait"}};
    for (const auto& [c, t] : unites)
        if (code == QLatin1String(c)) return QString::fromUtf8(t);
    return code;
}

QString HtmlFacture(const FactureRecue& f, const std::vector<Constat>& constats,
                    bool acheteurVerifie) {
    Page p;
    const QString devise = f.Devise.isEmpty() ? QString() : QLatin1Char(' ') + f.Devise;
    const auto m = [&](std::optional<Centimes> c) {
        return c ? TexteMontant(c) + devise : QString();
    };
    p.h += QStringLiteral("<html><body>");
    p.h += QStringLiteral("<h2>%1 n° %2 du %3</h2>")
               .arg(f.Avoir ? QStringLiteral("Avoir") : QStringLiteral("Facture"), E(f.Numero),
                    E(f.Date.isValid() ? D(f.Date) : f.TexteDate));
    p.h +=
        QStringLiteral("<p>%1, profil %2%3</p>")
            .arg(TexteFormat(f.Format), TexteProfil(f.Prof),
                 f.TypeCode.isEmpty() ? QString() : QStringLiteral(", type %1").arg(E(f.TypeCode)));
    if (ProfilSansLignes(f.Prof))
        p.h += QStringLiteral("<p><b>Profil %1 : ce document ne porte pas de lignes ; ce n'est pas "
                              "une facture au sens du droit français.</b></p>")
                   .arg(TexteProfil(f.Prof));

    // What the checks found, first: it decides what the user does next.
    p.h +=
        QStringLiteral("<table border='1' cellspacing='0' cellpadding='4' width='100%'><tr><td>");
    p.h += constats.empty()
               ? QStringLiteral("<b>Contrôles de Kyr Facture : aucun écart</b>%1")
                     .arg(acheteurVerifie ? QStringLiteral(" (adressée à votre entreprise)")
                                          : QString())
               : QStringLiteral("<b>Contrôles de Kyr Facture : %1 écart%2</b>")
                     .arg(constats.size())
                     .arg(constats.size() > 1 ? QStringLiteral("s") : QString());
    if (!constats.empty()) {
        p.h += QStringLiteral("<ul>");
        for (const Constat& c : constats)
            p.h += QStringLiteral("<li>[%1] %2</li>")
                       .arg(E(QString::fromStdString(c.Regle)), E(c.Texte));
        p.h += QStringLiteral("</ul>");
    }
    p.h += QStringLiteral(
        "<br><small>Ces contrôles sont ceux du programme (champs obligatoires, règles "
        "de calcul EN 16931 au centime) ; ils ne remplacent pas une validation "
        "complète de la norme.</small></td></tr></table>");

    p.h += QStringLiteral("<table width='100%'><tr>");
    Partie(p, QStringLiteral("Vendeur"), f.Vendeur);
    Partie(p, QStringLiteral("Acheteur"), f.Acheteur);
    p.h += QStringLiteral("</tr></table>");

    p.DebutTable();
    p.Champ(QStringLiteral("Date de livraison"), D(f.Livraison));
    p.Champ(QStringLiteral("Référence de l'acheteur"), f.ReferenceAcheteur);
    p.Champ(QStringLiteral("Commande"), f.Commande);
    p.Champ(QStringLiteral("Contrat"), f.Contrat);
    if (!f.FactureCorrigee.isEmpty())
        p.Champ(QStringLiteral("Facture corrigée"),
                f.FactureCorrigee + (f.DateFactureCorrigee.isValid()
                                         ? QStringLiteral(" du %1").arg(D(f.DateFactureCorrigee))
                                         : QString()));
    p.Champ(QStringLiteral("Cadre de facturation"), f.Cadre);
    p.FinTable();

    if (!f.Lignes.empty()) {
        p.Titre(QStringLiteral("Lignes (%1)").arg(f.Lignes.size()));
        p.DebutTable(true);
        p.Rangee({QStringLiteral("N°"), QStringLiteral("Désignation"), QStringLiteral("Quantité"),
                  QStringLiteral("Unité"), QStringLiteral("Prix net"), QStringLiteral("Remise"),
                  QStringLiteral("Montant H.T."), QStringLiteral("TVA")},
                 2, true);
        const std::size_t n = std::min(f.Lignes.size(), LignesMaxVue);
        for (std::size_t i = 0; i < n; ++i) {
            const LigneRecue& l = f.Lignes[i];
            QString nom = l.Nom;
            if (!l.Description.isEmpty()) nom += QStringLiteral(" — ") + l.Description;
            if (!l.Note.isEmpty()) nom += QStringLiteral(" (") + l.Note + QLatin1Char(')');
            QString prix = Precis(l.PrixNet);
            if (l.QuantiteDeBase && *l.QuantiteDeBase != 1'000'000)
                prix += QStringLiteral(" pour ") + Precis(l.QuantiteDeBase);
            p.Rangee({l.Id, nom, Precis(l.Quantite), TexteUnite(l.Unite), prix, RemiseLigne(l),
                      TexteMontant(l.Montant),
                      QStringLiteral("%1 %2").arg(l.Categorie, TexteTauxRecu(l.Taux))},
                     2);
        }
        p.FinTable();
        if (f.Lignes.size() > n)
            p.h += QStringLiteral("<p>… et %1 lignes de plus, que la vue ne montre pas (leurs "
                                  "montants sont comptés dans les contrôles et les totaux).</p>")
                       .arg(f.Lignes.size() - n);
    }

    if (!f.RemisesCharges.empty()) {
        p.Titre(QStringLiteral("Remises et frais"));
        p.DebutTable(true);
        p.Rangee({QStringLiteral("Nature"), QStringLiteral("Motif"), QStringLiteral("Base"),
                  QStringLiteral("Montant"), QStringLiteral("TVA")},
                 2, true);
        for (const RemiseCharge& rc : f.RemisesCharges)
            p.Rangee({rc.Charge ? QStringLiteral("Frais") : QStringLiteral("Remise"),
                      rc.Raison.isEmpty() ? rc.CodeRaison : rc.Raison, TexteMontant(rc.Base),
                      TexteMontant(rc.Montant),
                      QStringLiteral("%1 %2").arg(rc.Categorie, TexteTauxRecu(rc.Taux))},
                     2);
        p.FinTable();
    }

    p.Titre(QStringLiteral("TVA"));
    p.DebutTable(true);
    p.Rangee({QStringLiteral("Catégorie"), QStringLiteral("Taux"), QStringLiteral("Base H.T."),
              QStringLiteral("TVA"), QStringLiteral("Exonération")},
             1, true);
    for (const TvaRecue& t : f.Tva)
        p.Rangee({t.Categorie, TexteTauxRecu(t.Taux), TexteMontant(t.Base), TexteMontant(t.Montant),
                  (t.CodeExoneration + QLatin1Char(' ') + t.Exoneration).trimmed()},
                 1);
    p.FinTable();

    p.Titre(QStringLiteral("Totaux"));
    p.DebutTable();
    p.Champ(QStringLiteral("Somme des lignes"), m(f.TotalLignes));
    p.Champ(QStringLiteral("Remises"), m(f.TotalRemises));
    p.Champ(QStringLiteral("Frais"), m(f.TotalCharges));
    p.Champ(QStringLiteral("Total H.T."), m(f.TotalHT));
    p.Champ(QStringLiteral("Total TVA"), m(f.TotalTVA));
    if (f.TotalTVADevise)
        p.Champ(QStringLiteral("Total TVA en %1").arg(f.DeviseTVA),
                TexteMontant(f.TotalTVADevise) + QLatin1Char(' ') + f.DeviseTVA);
    p.Champ(QStringLiteral("Total TTC"), m(f.TotalTTC));
    p.Champ(QStringLiteral("Déjà payé"), m(f.DejaPaye));
    p.Champ(QStringLiteral("Arrondi"), m(f.Arrondi));
    p.Champ(QStringLiteral("Net à payer"), m(f.NetAPayer));
    p.Champ(QStringLiteral("Échéance"), D(f.Echeance));
    p.FinTable();

    p.Titre(QStringLiteral("Paiement"));
    p.DebutTable();
    p.Champ(QStringLiteral("Moyen"), TexteMoyenPaiement(f.CodeMoyen));
    p.Champ(QStringLiteral("IBAN"), f.Iban);
    p.Champ(QStringLiteral("BIC"), f.Bic);
    p.Champ(QStringLiteral("Titulaire du compte"), f.TitulaireCompte);
    p.Champ(QStringLiteral("Mandat de prélèvement"), f.Mandat);
    p.Champ(QStringLiteral("Conditions"), f.ConditionsPaiement);
    p.FinTable();

    if (!f.Notes.empty()) {
        p.Titre(QStringLiteral("Notes"));
        for (const QString& n : f.Notes)
            p.h += QStringLiteral("<p>%1</p>").arg(E(n));
    }
    p.h += QStringLiteral("</body></html>");
    return p.h;
}

} // namespace kyr
