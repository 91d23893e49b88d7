#include "recues/controles_recus.h"

#include "einvoice/controles.h"

#include <QStringList>

#include <map>
#include <tuple>

namespace kyr {

namespace {

QString M(Centimes c) {
    return TexteMontant(c);
}

// The prefix of a VAT category's rules (BR-S-08, BR-IC-08...).
QString PrefixeCategorie(const QString& c) {
    if (c == QLatin1String("K")) return QStringLiteral("IC");
    if (c == QLatin1String("L")) return QStringLiteral("AF");
    if (c == QLatin1String("M")) return QStringLiteral("AG");
    return c.isEmpty() ? QStringLiteral("CO") : c;
}

class Controleur {
public:
    explicit Controleur(const FactureRecue& f) : f(f) {}

    std::vector<Constat> Fait() {
        r = f.Lecture;
        const bool sansLignes = ProfilSansLignes(f.Prof);
        const bool minimum = f.Prof == Profil::Minimum;
        Exige(!f.Specification.isEmpty(), "BR-01",
              QStringLiteral("Identifiant de spécification (BT-24) absent"));
        if (sansLignes)
            Ajoute("KF-PROFIL",
                   QStringLiteral("Profil %1 : sans lignes de facture, ce document n'est pas une "
                                  "facture au sens du droit français")
                       .arg(TexteProfil(f.Prof)));
        Exige(!f.Numero.isEmpty(), "BR-02", QStringLiteral("Numéro de facture (BT-1) absent"));
        Exige(f.Date.isValid() || !f.TexteDate.isEmpty(), "BR-03",
              QStringLiteral("Date de facture (BT-2) absente"));
        Exige(!f.TypeCode.isEmpty() || f.Format == FormatRecu::UBL, "BR-04",
              QStringLiteral("Code de type de facture (BT-3) absent"));
        Exige(!f.Devise.isEmpty(), "BR-05", QStringLiteral("Code de devise (BT-5) absent"));
        Exige(!f.Vendeur.Nom.isEmpty(), "BR-06", QStringLiteral("Nom du vendeur (BT-27) absent"));
        Exige(!f.Acheteur.Nom.isEmpty(), "BR-07",
              QStringLiteral("Nom de l'acheteur (BT-44) absent"));
        if (!minimum) {
            Exige(f.Vendeur.AdressePresente, "BR-08",
                  QStringLiteral("Adresse postale du vendeur (BG-5) absente"));
            Exige(f.Acheteur.AdressePresente, "BR-10",
                  QStringLiteral("Adresse postale de l'acheteur (BG-8) absente"));
            if (f.Acheteur.AdressePresente)
                Exige(!f.Acheteur.Pays.isEmpty(), "BR-11",
                      QStringLiteral("Code pays de l'acheteur (BT-55) absent"));
        }
        Exige(minimum || !f.Vendeur.Pays.isEmpty(), "BR-09",
              QStringLiteral("Code pays du vendeur (BT-40) absent"));
        Exige(!f.Vendeur.Identifiant.isEmpty() || !f.Vendeur.IdLegal.isEmpty() ||
                  !f.Vendeur.NumeroTVA.isEmpty(),
              "BR-CO-26",
              QStringLiteral("Aucun identifiant du vendeur : ni identifiant (BT-29), ni "
                             "immatriculation (BT-30), ni numéro de TVA (BT-31)"));
        Exige(minimum || f.TotalLignes.has_value(), "BR-12",
              QStringLiteral("Somme des montants nets des lignes (BT-106) absente"));
        Exige(f.TotalHT.has_value(), "BR-13", QStringLiteral("Total hors TVA (BT-109) absent"));
        Exige(f.TotalTTC.has_value(), "BR-14",
              QStringLiteral("Total TVA comprise (BT-112) absent"));
        Exige(f.NetAPayer.has_value(), "BR-15", QStringLiteral("Montant à payer (BT-115) absent"));
        if (!sansLignes) {
            Exige(!f.Lignes.empty(), "BR-16",
                  QStringLiteral("La facture n'a aucune ligne (BG-25)"));
            Lignes();
        }
        if (!minimum) {
            Exige(!f.Tva.empty(), "BR-CO-18",
                  QStringLiteral("Aucune ventilation de la TVA (BG-23)"));
            Ventilation(sansLignes);
        }
        Totaux(sansLignes, minimum);
        Signe();
        if (f.NetAPayer && *f.NetAPayer > 0)
            Exige(f.Echeance.isValid() || !f.ConditionsPaiement.isEmpty(), "BR-CO-25",
                  QStringLiteral("Montant à payer positif sans date d'échéance (BT-9) ni "
                                 "conditions de paiement (BT-20)"));
        return r;
    }

private:
    void Ajoute(const char* regle, QString texte) { r.push_back({regle, std::move(texte)}); }
    void Exige(bool ok, const char* regle, QString texte) {
        if (!ok) Ajoute(regle, std::move(texte));
    }

    // One finding a rule, whatever the number of lines at fault: a 10,000
    // line invoice without units gives one sentence, not ten thousand.
    void Lignes() {
        std::map<std::string, std::pair<QString, QStringList>> fautes;
        const auto faute = [&](const char* regle, const char* quoi, const LigneRecue& l,
                               std::size_t i) {
            auto& [texte, ids] = fautes[regle];
            texte = QString::fromUtf8(quoi);
            ids << (l.Id.isEmpty() ? QString::number(i + 1) : l.Id.left(20));
        };
        for (std::size_t i = 0; i < f.Lignes.size(); ++i) {
            const LigneRecue& l = f.Lignes[i];
            if (l.Id.isEmpty()) faute("BR-21", "sans identifiant (BT-126)", l, i);
            if (!l.Quantite) faute("BR-22", "sans quantité facturée (BT-129)", l, i);
            if (l.Unite.isEmpty()) faute("BR-23", "sans unité de quantité (BT-130)", l, i);
            if (!l.Montant) faute("BR-24", "sans montant net (BT-131)", l, i);
            if (l.Nom.isEmpty()) faute("BR-25", "sans nom d'article (BT-153)", l, i);
            if (!l.PrixNet)
                faute("BR-26", "sans prix net (BT-146)", l, i);
            else if (*l.PrixNet < 0)
                faute("BR-27", "au prix net négatif (BT-146)", l, i);
            if (l.Categorie.isEmpty()) faute("BR-CO-04", "sans catégorie de TVA (BT-151)", l, i);
        }
        for (auto& [regle, f] : fautes) {
            auto& [texte, ids] = f;
            const qsizetype n = ids.size();
            QString liste = QStringList(ids.mid(0, 5)).join(QStringLiteral(", "));
            if (n > 5) liste += QStringLiteral("…");
            Ajoute(regle.c_str(),
                   n == 1 ? QStringLiteral("Ligne %1 %2").arg(liste, texte)
                          : QStringLiteral("%1 lignes %2 (%3)").arg(n).arg(texte, liste));
        }
    }

    using Cle = std::pair<QString, std::int64_t>; // category, rate

    void Ventilation(bool sansLignes) {
        // The bases the lines and the document's allowances and charges give,
        // by category and rate.
        std::map<Cle, Centimes> bases;
        std::map<Cle, bool> vues;
        if (!sansLignes)
            for (const auto& l : f.Lignes) {
                const Cle c{l.Categorie, l.Taux.value_or(0)};
                bases[c] += l.Montant.value_or(0);
                vues[c] = true;
            }
        for (const auto& rc : f.RemisesCharges) {
            const Cle c{rc.Categorie, rc.Taux.value_or(0)};
            bases[c] += rc.Charge ? rc.Montant.value_or(0) : -rc.Montant.value_or(0);
            vues[c] = true;
        }
        for (const auto& t : f.Tva) {
            const QString quoi = QStringLiteral("catégorie %1 à %2")
                                     .arg(t.Categorie.isEmpty() ? QStringLiteral("?") : t.Categorie,
                                          TexteTauxRecu(t.Taux));
            Exige(t.Base.has_value(), "BR-45",
                  QStringLiteral("Ventilation de TVA %1 sans base (BT-116)").arg(quoi));
            Exige(t.Montant.has_value(), "BR-46",
                  QStringLiteral("Ventilation de TVA %1 sans montant (BT-117)").arg(quoi));
            Exige(!t.Categorie.isEmpty(), "BR-47",
                  QStringLiteral("Ventilation de TVA sans catégorie (BT-118)"));
            Exige(t.Taux.has_value() || t.Categorie == QLatin1String("O"), "BR-48",
                  QStringLiteral("Ventilation de TVA %1 sans taux (BT-119)").arg(quoi));
            if (t.Base && t.Montant && t.Taux) {
                const Centimes attendu = TvaAttendue(*t.Base, *t.Taux);
                Exige(*t.Montant == attendu, "BR-CO-17",
                      QStringLiteral("TVA %1 : %2 × %3 donne %4, la facture porte %5")
                          .arg(quoi, M(*t.Base), TexteTauxRecu(t.Taux), M(attendu), M(*t.Montant)));
            }
            const Cle c{t.Categorie, t.Taux.value_or(0)};
            if (!sansLignes && t.Base) {
                const Centimes somme = bases.count(c) ? bases[c] : 0;
                Exige(somme == *t.Base,
                      ("BR-" + PrefixeCategorie(t.Categorie).toStdString() + "-08").c_str(),
                      QStringLiteral("Base de TVA %1 : les lignes, remises et frais donnent %2, "
                                     "la ventilation porte %3")
                          .arg(quoi, M(somme), M(*t.Base)));
            }
            vues.erase(c);
        }
        // Lines of a category and rate that the breakdown forgets.
        if (!sansLignes)
            for (const auto& [c, vu] : vues) {
                (void)vu;
                Ajoute(("BR-" + PrefixeCategorie(c.first).toStdString() + "-08").c_str(),
                       QStringLiteral("Aucune ventilation de TVA pour la catégorie %1 à %2, dont "
                                      "les lignes font %3")
                           .arg(c.first.isEmpty() ? QStringLiteral("?") : c.first,
                                TexteTauxRecu(c.second), M(bases[c])));
            }
    }

    void Egal(const char* regle, std::optional<Centimes> porte, Centimes calcule,
              const QString& quoi, const QString& comment) {
        if (!porte) return;
        Exige(*porte == calcule, regle,
              QStringLiteral("%1 : %2 donne %3, la facture porte %4")
                  .arg(quoi, comment, M(calcule), M(*porte)));
    }

    void Totaux(bool sansLignes, bool minimum) {
        Centimes lignes = 0, remises = 0, charges = 0, tva = 0;
        for (const auto& l : f.Lignes)
            lignes += l.Montant.value_or(0);
        for (const auto& rc : f.RemisesCharges)
            (rc.Charge ? charges : remises) += rc.Montant.value_or(0);
        for (const auto& t : f.Tva)
            tva += t.Montant.value_or(0);
        if (!sansLignes)
            Egal("BR-CO-10", f.TotalLignes, lignes, QStringLiteral("Somme des lignes (BT-106)"),
                 QStringLiteral("la somme des montants nets des lignes"));
        if (f.TotalRemises || remises != 0)
            Exige(f.TotalRemises.value_or(0) == remises, "BR-CO-11",
                  QStringLiteral("Total des remises (BT-107) : les remises donnent %1, la "
                                 "facture porte %2")
                      .arg(M(remises), M(f.TotalRemises.value_or(0))));
        if (f.TotalCharges || charges != 0)
            Exige(f.TotalCharges.value_or(0) == charges, "BR-CO-12",
                  QStringLiteral("Total des frais (BT-108) : les frais donnent %1, la facture "
                                 "porte %2")
                      .arg(M(charges), M(f.TotalCharges.value_or(0))));
        if (f.TotalLignes || !minimum)
            Egal("BR-CO-13", f.TotalHT,
                 f.TotalLignes.value_or(0) - f.TotalRemises.value_or(0) +
                     f.TotalCharges.value_or(0),
                 QStringLiteral("Total hors TVA (BT-109)"),
                 QStringLiteral("lignes − remises + frais"));
        if (!minimum)
            Egal("BR-CO-14", std::optional<Centimes>(f.TotalTVA.value_or(0)), tva,
                 QStringLiteral("Total de la TVA (BT-110)"),
                 QStringLiteral("la somme de la ventilation"));
        if (f.TotalHT)
            Egal("BR-CO-15", f.TotalTTC, *f.TotalHT + f.TotalTVA.value_or(0),
                 QStringLiteral("Total TVA comprise (BT-112)"), QStringLiteral("hors TVA + TVA"));
        if (f.TotalTTC)
            Egal("BR-CO-16", f.NetAPayer,
                 *f.TotalTTC - f.DejaPaye.value_or(0) + f.Arrondi.value_or(0),
                 QStringLiteral("Montant à payer (BT-115)"),
                 QStringLiteral("TTC − déjà payé + arrondi"));
    }

    // A negative total is made with a credit note; a zero one is no sale.
    void Signe() {
        if (!f.TotalTTC) return;
        if (*f.TotalTTC < 0)
            Ajoute(
                "KF-TOTAL",
                f.Avoir
                    ? QStringLiteral("Le total TTC de l'avoir est négatif (%1)").arg(M(*f.TotalTTC))
                    : QStringLiteral("Le total TTC de la facture est négatif "
                                     "(%1) : un montant à rendre se fait par "
                                     "un avoir")
                          .arg(M(*f.TotalTTC)));
        else if (*f.TotalTTC == 0)
            Ajoute("KF-TOTAL", QStringLiteral("Le total TTC est nul"));
    }

    const FactureRecue& f;
    std::vector<Constat> r;
};

// Without blanks and in capitals, as the program keeps identifiers.
std::string Compact(const QString& s) {
    return Compacte(s.toUtf8().toStdString());
}

} // namespace

Centimes TvaAttendue(Centimes base, std::int64_t taux) {
    return DiviseArrondi(static_cast<__int128>(base) * taux, 1'000'000);
}

std::vector<Constat> Controle(const FactureRecue& f) {
    return Controleur(f).Fait();
}

std::optional<Constat> ControleAcheteur(const FactureRecue& f, std::string_view siren,
                                        std::string_view numeroTVA) {
    const std::string monSiren = Compacte(siren), maTva = Compacte(numeroTVA);
    if (monSiren.empty() && maTva.empty())
        return Constat{"KF-ACHETEUR",
                       QStringLiteral("Votre SIREN et votre numéro de TVA ne sont pas renseignés "
                                      "(« Paramètres » > « Facturation électronique... ») : le "
                                      "destinataire n'a pu être vérifié")};
    const PartieRecue& a = f.Acheteur;
    for (const QString& id : {a.IdLegal, a.Identifiant, a.NumeroTVA, a.AdresseElectronique}) {
        const std::string c = Compact(id);
        if (c.empty()) continue;
        if (!maTva.empty() && c == maTva) return std::nullopt;
        if (monSiren.empty()) continue;
        // The SIREN itself, a SIRET (SIREN + 5 digits), a French VAT number
        // (FR + key + SIREN), a directory address (SIREN, maybe a suffix).
        if (c == monSiren) return std::nullopt;
        if (c.size() == 14 && c.compare(0, 9, monSiren) == 0) return std::nullopt;
        if (c.size() == 13 && c.compare(0, 2, "FR") == 0 && c.compare(4, 9, monSiren) == 0)
            return std::nullopt;
        if (c.size() > 9 && c.compare(0, 9, monSiren) == 0 && (c[9] == '_' || c[9] == '-'))
            return std::nullopt;
    }
    return Constat{"KF-ACHETEUR", QString::fromUtf8(PasAdresseeAVous)};
}

} // namespace kyr
