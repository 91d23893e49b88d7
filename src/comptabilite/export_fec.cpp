#include "comptabilite/export_fec.h"

#include "common/dates.h"
#include "common/erreurs.h"
#include "einvoice/controles.h"

#include <algorithm>
#include <set>

namespace kyr {

namespace {

QString Date(const QDate& d) {
    return VersQString(FormatDate(d));
}

QString Montant(Centimes c) {
    return QString::fromLatin1(TexteCentimes(c));
}

QString Pluriel(int n, const QString& un, const QString& plusieurs) {
    return n == 1 ? QStringLiteral("1 ") + un : QString::number(n) + QLatin1Char(' ') + plusieurs;
}

// At most this many documents or codes are named in one paragraph.
constexpr std::size_t NommesMax = 20;

// "2 factures et 1 avoir", "1 facture reçue": the kinds there are.
QString Nombres(int a, const QString& un, const QString& des, int b, const QString& unB,
                const QString& desB) {
    QStringList l;
    if (a > 0 || b == 0) l << Pluriel(a, un, des);
    if (b > 0) l << Pluriel(b, unB, desB);
    return l.join(QStringLiteral(" et "));
}

template <class T, class F> QString Liste(const std::vector<T>& v, F nom) {
    QStringList l;
    for (std::size_t i = 0; i < std::min(v.size(), NommesMax); ++i)
        l << nom(v[i]);
    QString t = l.join(QStringLiteral(", "));
    if (v.size() > NommesMax) t += QStringLiteral(" et %1 autres").arg(v.size() - NommesMax);
    return t;
}

} // namespace

QString RefusSiren(std::string_view siren) {
    const std::string numero = Compacte(siren);
    if (numero.empty())
        return QStringLiteral("Le nom du fichier porte le SIREN de votre société : tapez-le "
                              "(il peut aussi être gardé dans Paramètres > Facturation "
                              "électronique...).");
    return ControleSiren(numero);
}

std::variant<ExportFEC, QString> PrepareFEC(const Journal& j, const PlanComptable& p,
                                            const SourcesCompta& s, const Reglages& r,
                                            std::string_view siren, int anneeCloture) {
    if (const QString m = RefusSiren(siren); !m.isEmpty()) return m;
    auto x = PrepareFEC(j, p, s, r, anneeCloture);
    if (auto* e = std::get_if<ExportFEC>(&x))
        e->NomFichier = NomFichierFEC(Compacte(siren), e->Rapport.Periode.Fin);
    return x;
}

std::variant<ExportFEC, QString> PrepareFEC(const Journal& j, const PlanComptable& p,
                                            const SourcesCompta& s, const Reglages& r,
                                            int anneeCloture) {
    if (const QString m = VerifieComptes(p); !m.isEmpty())
        return m + QStringLiteral(" Corrigez-le dans Paramètres > Comptabilité...");
    const Exercice e = ExerciceClos(p, anneeCloture);
    ExportFEC x;
    EcrituresExercice ecritures = FaitEcritures(j, e, p, s, r.Devise == 0);
    x.Rapport = std::move(ecritures.Rapport);
    if (ecritures.Ecritures.empty()) {
        QString m = QStringLiteral("L'exercice du %1 au %2 n'a aucune facture, aucun avoir ni "
                                   "aucune facture reçue à exporter.")
                        .arg(Date(e.Debut), Date(e.Fin));
        const auto ecartes = x.Rapport.Ecartes.size() + x.Rapport.AchatsEcartes.size();
        if (ecartes == 1)
            m += QStringLiteral(" 1 document ne peut être compté : voyez le journal des ventes.");
        else if (ecartes > 1)
            m += QStringLiteral(" %1 documents ne peuvent être comptés : voyez le journal des "
                                "ventes.")
                     .arg(ecartes);
        return m;
    }
    x.NbEcritures = static_cast<int>(ecritures.Ecritures.size());
    x.Fichier = FaitFEC(ecritures.Ecritures);
    return x;
}

QStringList TexteRapport(const ExportFEC& x) {
    const RapportEcritures& r = x.Rapport;
    QStringList t;
    t << QStringLiteral("Exercice du %1 au %2 : %3 (%4 lignes).")
             .arg(Date(r.Periode.Debut), Date(r.Periode.Fin),
                  Pluriel(x.NbEcritures, QStringLiteral("écriture"), QStringLiteral("écritures")))
             .arg(x.Fichier.NbLignes);
    t << QStringLiteral("Ventes : %1, solde des clients %2 €.")
             .arg(Nombres(r.Factures, QStringLiteral("facture"), QStringLiteral("factures"),
                          r.Avoirs, QStringLiteral("avoir"), QStringLiteral("avoirs")),
                  Montant(r.VentesTTC));
    if (r.FacturesRecues + r.AvoirsRecus == 0)
        t << QStringLiteral("Achats : aucune facture reçue.");
    else
        t << QStringLiteral("Achats : %1, solde des fournisseurs %2 €.")
                 .arg(Nombres(r.FacturesRecues, QStringLiteral("facture reçue"),
                              QStringLiteral("factures reçues"), r.AvoirsRecus,
                              QStringLiteral("avoir reçu"), QStringLiteral("avoirs reçus")),
                      Montant(r.AchatsTTC));
    if (r.Francs)
        t << QStringLiteral("Le livre est tenu en francs : chaque montant (total TTC, base et TVA "
                            "de chaque taux) est converti en euros au taux légal de 6,55957 francs "
                            "pour un euro et arrondi au centime le plus proche (un demi-centime "
                            "vers le haut).");
    if (r.Arrondis > 0)
        t << QStringLiteral("%1 : les arrondis des totaux laissent un écart d'un ou deux centimes "
                            "entre le TTC et la somme des bases et des TVA ; il est porté au "
                            "compte de ventes, la TVA restant celle de chaque taux.")
                 .arg(Pluriel(r.Arrondis, QStringLiteral("écriture"), QStringLiteral("écritures")));
    if (!r.Ecartes.empty())
        t << QStringLiteral("Non exportés, à corriger (ils ne comptent pour rien dans le fichier) "
                            ": %1.")
                 .arg(Liste(r.Ecartes, [](const DocumentEcarte& d) {
                     return QStringLiteral("%1 %2 du %3 (%4)")
                         .arg(Citation(d.Genre), Citation(d.Numero), Citation(d.TexteDate),
                              d.Raison);
                 }));
    if (!r.AchatsEcartes.empty())
        t << QStringLiteral("Factures reçues non exportées : %1.")
                 .arg(Liste(r.AchatsEcartes, [](const std::pair<Achat, QString>& a) {
                     return QStringLiteral("%1 de %2 (%3)")
                         .arg(Citation(a.first.Numero), Citation(a.first.NomFournisseur), a.second);
                 }));
    if (!r.CodesDouteux.empty())
        t << QStringLiteral("Codes gardés tels quels, qu'un logiciel comptable peut refuser "
                            "comme compte auxiliaire (il n'y attend que des chiffres et des "
                            "lettres capitales) : %1.")
                 .arg(Liste(r.CodesDouteux, [](const std::string& c) {
                     return QStringLiteral("« %1 »").arg(Citation(c));
                 }));
    if (!r.SansCode.empty())
        t << QStringLiteral("Sans code de client ou de fournisseur, écrits au compte collectif "
                            "sans compte auxiliaire : %1.")
                 .arg(Liste(r.SansCode, [](const std::string& d) { return VersQString(d); }));
    if (!x.Fichier.Remplacements.empty())
        t << QStringLiteral("Caractères absents du jeu ISO 8859-15 du fichier, remplacés : %1.")
                 .arg(Liste(x.Fichier.Remplacements, [](const CaractereRemplace& m) {
                     const QString par = m.Par == " "
                                             ? QStringLiteral("un blanc")
                                             : QStringLiteral("« %1 »").arg(VersQString(m.Par));
                     return QStringLiteral("%1 par %2 (%3 fois)").arg(m.Caractere, par).arg(m.Fois);
                 }));
    return t;
}

void EcritFEC(const QString& chemin, const ExportFEC& e) {
    EcritOctets(chemin, e.Fichier.Octets);
}

std::vector<int> AnneesCloture(const Journal& j, const SourcesCompta& s, const PlanComptable& p) {
    std::set<int> annees;
    const auto ajoute = [&](const QDate& d) {
        if (d.isValid()) annees.insert(ExerciceDe(p, d).Fin.year());
    };
    for (const auto& v : j.Ventes)
        ajoute(v.Date);
    for (const auto& e : j.Ecartes)
        ajoute(e.Date);
    for (const auto& a : s.Achats)
        ajoute(a.Date);
    return {annees.rbegin(), annees.rend()};
}

} // namespace kyr
