#include "einvoice/facture_electronique.h"

#include "book/calcul.h"
#include "common/erreurs.h"
#include "common/nombres.h"
#include "common/texte.h"
#include "einvoice/controles.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <tuple>

namespace kyr {

namespace {

QString Q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Mainland 20, 10, 5.5, 2.1; Corsica 13, 0.9; overseas 8.5, 1.75, 1.05; and 0.
constexpr int TauxFrance[] = {2000, 1000, 550, 210, 1300, 90, 850, 175, 105, 0};

bool Identifiant(std::string_view s) {
    return !s.empty() && s.size() <= 35 && std::all_of(s.begin(), s.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '+' || c == '-' || c == '_' || c == '/';
    });
}

QString Champ(const char* nom, const QString& message) {
    return message.isEmpty() ? QString() : Q(nom) + QStringLiteral(" : ") + message;
}

void Ajoute(QStringList& l, const QString& m) {
    if (!m.isEmpty()) l << m;
}

// A rate of the settings in 1/100 percent; nullopt when it has more decimals.
std::optional<int> TauxCentiemes(Reel6 taux) {
    const auto t = LitDecimal(FormatGeneral(taux.valeur()), 2);
    if (!t || *t < 0 || *t > 100'00) return std::nullopt;
    return static_cast<int>(*t);
}

QString TexteTaux(Reel6 taux) {
    return VersQString(FormatGeneral(taux.valeur()));
}

// The document recomputed twice: prices rounded to cents by the first run are
// the ones the amounts of the second come from, as on the page.
Fiche Recalculee(const Fiche& f, const Reglages& r, const LargeurTexteFn& mesure) {
    Fiche c = f;
    Calcule(c, r, mesure);
    Calcule(c, r, mesure);
    return c;
}

int LargeurFixe(const std::string& s) {
    return static_cast<int>(s.size()) * 7;
}

// Lines priced including tax: the amount before tax of a rate is taken from
// the sum of its lines, so that with its VAT it gives that sum again whenever
// some amount can; it is then shared among the lines, the largest taking the
// rounding cents.
void VentileTTC(std::vector<LigneFE>& lignes, const std::vector<Centimes>& ttc) {
    std::map<std::pair<int, int>, std::vector<std::size_t>> groupes;
    for (std::size_t i = 0; i < lignes.size(); ++i)
        groupes[{static_cast<int>(lignes[i].Cat), lignes[i].Taux}].push_back(i);
    for (const auto& [cle, indices] : groupes) {
        const int taux = cle.second;
        Centimes base = 0;
        for (auto i : indices)
            base += ttc[i];
        const auto tva = [&](Centimes ht) { return DiviseArrondi(__int128(ht) * taux, 10000); };
        const Centimes approche = DiviseArrondi(__int128(base) * 10000, 10000 + taux);
        // The nearest total to the lines' sum; between two a cent away, the
        // lower one: the buyer is never asked more than the page's prices.
        Centimes ht = approche, ecart = -1;
        for (Centimes d : {0, -1, 1, -2, 2}) {
            const Centimes e = approche + d + tva(approche + d) - base;
            const Centimes a = std::llabs(e) * 2 + (e > 0);
            if (ecart < 0 || a < ecart) {
                ht = approche + d;
                ecart = a;
            }
        }
        Centimes somme = 0;
        for (auto i : indices) {
            lignes[i].Montant = DiviseArrondi(__int128(ttc[i]) * 10000, 10000 + taux);
            somme += lignes[i].Montant;
        }
        std::vector<std::size_t> ordre = indices;
        std::stable_sort(ordre.begin(), ordre.end(), [&](std::size_t a, std::size_t b) {
            return std::llabs(ttc[a]) > std::llabs(ttc[b]);
        });
        for (std::size_t k = 0; somme != ht && !ordre.empty(); k = (k + 1) % ordre.size()) {
            const Centimes pas = ht > somme ? 1 : -1;
            lignes[ordre[k]].Montant += pas;
            somme += pas;
        }
    }
    for (auto& l : lignes) {
        const std::int64_t q = std::llabs(l.Quantite);
        l.PrixNet = q == 0 ? 0 : DiviseArrondi(__int128(std::llabs(l.Montant)) * 100'000'000, q);
        if (l.Montant < 0)
            l.Quantite = -q;
        else if (l.Montant > 0)
            l.Quantite = q;
        l.Brut = l.Montant;
        l.Remise = 0;
        l.MontantRemise = 0;
    }
}

// The refusals that hold for every document of the book alike.
QString RefusFrancs(const Reglages& r) {
    if (r.Devise != 0) return {};
    return Q("Ce livre est tenu en francs ; une facture électronique ne peut être "
             "qu'en euros. Si les montants du livre sont en euros, choisissez la "
             "devise « Euro » dans Paramètres > Facture.");
}

QString RefusVendeur(const LignesSociete& societe, const Vendeur& vendeur) {
    if (Trim(societe[0]).empty())
        return Q("Le nom de votre société manque : décrivez-la dans Paramètres > Société.");
    if (const QString m = VerifieVendeur(vendeur); !m.isEmpty())
        return Q("Les données de votre société pour la facturation électronique sont "
                 "incomplètes ; complétez-les dans Paramètres > Facturation "
                 "électronique :\n") +
               m;
    return {};
}

} // namespace

bool TauxEnVigueur(int taux) {
    return std::find(std::begin(TauxFrance), std::end(TauxFrance), taux) != std::end(TauxFrance);
}

QString VerifieVendeur(const Vendeur& v) {
    QStringList l;
    Ajoute(l, Champ("SIREN", ControleSiren(v.Siren)));
    if (ControleSiren(v.Siren).isEmpty())
        Ajoute(l, Champ("SIRET", ControleSiret(v.Siret, v.Siren)));
    if (Trim(v.NumeroTVA).empty() && !v.Franchise)
        l << Q("Numéro de TVA : il est obligatoire pour une entreprise assujettie à la TVA.");
    Ajoute(l, Champ("Numéro de TVA", ControleNumeroTVA(v.NumeroTVA, v.Siren)));
    if (Trim(v.Rue).empty()) l << Q("Adresse : la rue est obligatoire.");
    Ajoute(l, Champ("Code postal", ControleCodePostal(v.CodePostal, v.Pays)));
    if (Trim(v.Ville).empty()) l << Q("Ville : elle est obligatoire.");
    Ajoute(l, Champ("Pays", ControlePays(v.Pays)));
    Ajoute(l, Champ("Adresse électronique",
                    ControleAdresseElectronique(v.AdresseElectronique, v.Siren, true)));
    if (Trim(v.NotePenalites).empty())
        l << Q("Mention des pénalités de retard : elle est obligatoire.");
    if (Trim(v.NoteIndemnite).empty())
        l << Q("Mention de l'indemnité forfaitaire de recouvrement : elle est obligatoire.");
    if (Trim(v.NoteEscompte).empty())
        l << Q("Mention de l'escompte : elle est obligatoire (par exemple « Pas d'escompte "
               "pour paiement anticipé. »).");
    if (!Trim(v.Iban).empty()) Ajoute(l, Champ("IBAN", ControleIban(v.Iban)));
    if (!Trim(v.Bic).empty()) Ajoute(l, Champ("BIC", ControleBic(v.Bic)));
    return l.join(QLatin1Char('\n'));
}

QString VerifieAcheteur(const Acheteur& a) {
    QStringList l;
    if (Trim(a.Nom).empty()) l << Q("Nom : il est obligatoire.");
    if (Trim(a.Rue).empty()) l << Q("Adresse : la rue est obligatoire.");
    Ajoute(l, Champ("Code postal", ControleCodePostal(a.CodePostal, a.Pays)));
    if (Trim(a.Ville).empty()) l << Q("Ville : elle est obligatoire.");
    Ajoute(l, Champ("Pays", ControlePays(a.Pays)));
    const bool francais = Compacte(a.Pays) == "FR";
    if (a.Professionnel && (francais || !Trim(a.Siren).empty()))
        Ajoute(l, Champ("SIREN", ControleSiren(a.Siren)));
    Ajoute(l, Champ("Numéro de TVA", ControleNumeroTVA(a.NumeroTVA, a.Siren)));
    Ajoute(l, Champ("Adresse électronique",
                    ControleAdresseAcheteur(a.AdresseElectronique,
                                            a.Professionnel ? a.Siren : std::string(),
                                            a.Professionnel, a.Pays)));
    return l.join(QLatin1Char('\n'));
}

QString VerifieLivraison(const AdresseLivraison& l) {
    QStringList m;
    if (Trim(l.Rue).empty()) m << Q("Adresse : la rue est obligatoire.");
    Ajoute(m, Champ("Code postal", ControleCodePostal(l.CodePostal, l.Pays)));
    if (Trim(l.Ville).empty()) m << Q("Ville : elle est obligatoire.");
    Ajoute(m, Champ("Pays", ControlePays(l.Pays)));
    return m.join(QLatin1Char('\n'));
}

bool TvaSurDebits(const Vendeur& v, Cadre nature) {
    // The option concerns services; goods owe their VAT on delivery whatever
    // it says, and a business in the VAT exemption charges none.
    return v.OptionDebits && !v.Franchise && nature != Cadre::Biens;
}

bool MemeAdresse(const AdresseLivraison& l, const Acheteur& a) {
    const auto meme = [](const std::string& x, const std::string& y) {
        return Majuscules(Trim(x)) == Majuscules(Trim(y));
    };
    return meme(l.Nom, a.Nom) && meme(l.Rue, a.Rue) && meme(l.CodePostal, a.CodePostal) &&
           meme(l.Ville, a.Ville) && Compacte(Majuscules(l.Pays)) == Compacte(Majuscules(a.Pays));
}

QDate EcheanceProposee(const std::string& conditions, const QDate& date) {
    const std::string s = Majuscules(conditions);
    const auto jours = s.find("JOUR");
    if (jours == std::string::npos) return date;
    std::size_t fin = jours;
    while (fin > 0 && s[fin - 1] == ' ')
        --fin;
    std::size_t debut = fin;
    while (debut > 0 && s[debut - 1] >= '0' && s[debut - 1] <= '9')
        --debut;
    if (debut == fin || fin - debut > 3) return date;
    QDate d = date.addDays(std::stoi(s.substr(debut, fin - debut)));
    if (s.find("FIN DE MOIS") != std::string::npos) d = QDate(d.year(), d.month(), d.daysInMonth());
    return d;
}

Acheteur AcheteurDepuisAdresse(const std::array<std::string, 4>& adresse) {
    Acheteur a;
    a.Nom = Trim(adresse[0]);
    for (std::size_t k = 1; k < adresse.size(); ++k) {
        const std::string l = Trim(adresse[k]);
        const bool codePostal = l.size() >= 5 && std::all_of(l.begin(), l.begin() + 5, [](char c) {
                                    return c >= '0' && c <= '9';
                                });
        if (codePostal && a.CodePostal.empty()) {
            a.CodePostal = l.substr(0, 5);
            a.Ville = Trim(l.substr(5));
        } else if (!l.empty() && a.Rue.empty() && a.CodePostal.empty()) {
            a.Rue = l;
        }
    }
    return a;
}

std::variant<FactureElectronique, Refus> Construit(const Fiche& f, const Reglages& r,
                                                   const LignesSociete& societe,
                                                   const Vendeur& vendeur, const Acheteur& acheteur,
                                                   const Complements& autres) {
    const auto refus = [](const QString& m) { return Refus{m}; };
    const std::string genre = Trim(f.Genre);
    if (genre == Trim(GenreDevis))
        return refus(Q("Un devis n'est pas une facture : seules les factures et les avoirs "
                       "s'exportent en facture électronique."));
    if (const QString m = RefusFrancs(r); !m.isEmpty()) return refus(m);
    FactureElectronique fe;
    fe.Avoir = genre == Trim(GenreAvoir);
    fe.Numero = Trim(f.Numero);
    fe.CodeClient = Trim(f.CodeClient);
    if (!Identifiant(fe.Numero))
        return refus(Q("Le numéro du document doit être rempli (chiffres ou lettres, sans "
                       "espace)."));
    if (f.DateIllisible || !f.Date.isValid() || f.Date.year() < 2000 || f.Date.year() > 2099)
        return refus(Q("La date du document doit être une date valable entre 2000 et 2099."));
    fe.Date = f.Date;
    if (!f.FactCachees.empty())
        return refus(Q("Ce document a plus de 63 lignes dans le livre : la fenêtre n'en "
                       "montre que 63. Partagez-le en deux documents."));
    fe.NomVendeur = Trim(societe[0]);
    if (const QString m = RefusVendeur(societe, vendeur); !m.isEmpty()) return refus(m);
    if (const QString m = VerifieAcheteur(acheteur); !m.isEmpty())
        return refus(Q("Les données de l'acheteur sont incomplètes :\n") + m);
    fe.Vend = vendeur;
    fe.Ach = acheteur;
    fe.Autres = autres;
    if (fe.Avoir &&
        (!Identifiant(Trim(autres.FactureCorrigee)) || !autres.DateFactureCorrigee.isValid() ||
         autres.DateFactureCorrigee.year() < 2000))
        return refus(Q("Un avoir indique le numéro et la date de la facture qu'il corrige."));
    fe.Autres.FactureCorrigee = Trim(autres.FactureCorrigee);
    if (!autres.Echeance.isValid() || autres.Echeance.year() > 2099 ||
        autres.Echeance.year() < 2000 || (!f.Payee && autres.Echeance < f.Date))
        return refus(f.Payee ? Q("La date du paiement doit être une date valable.")
                             : Q("La date d'échéance ne peut précéder la date du document."));
    if (!fe.Autres.Livraison.isValid()) fe.Autres.Livraison = f.Date;
    if (fe.Autres.Livraison.year() < 2000 || fe.Autres.Livraison.year() > 2099)
        return refus(Q("La date de livraison doit être une date valable."));
    if (fe.Autres.LieuLivraison && MemeAdresse(*fe.Autres.LieuLivraison, acheteur))
        fe.Autres.LieuLivraison.reset();
    if (fe.Autres.LieuLivraison)
        if (const QString m = VerifieLivraison(*fe.Autres.LieuLivraison); !m.isEmpty())
            return refus(Q("L'adresse de livraison est incomplète :\n") + m);
    fe.Nature = autres.Nature.value_or(vendeur.CadreFacturation);
    fe.TvaSurDebits = TvaSurDebits(vendeur, fe.Nature);
    fe.Conditions = Trim(f.Conditions);
    fe.Payee = f.Payee;

    Fiche c;
    try {
        c = Recalculee(f, r, LargeurFixe);
    } catch (const ErreurExecution& e) {
        return refus(e.message());
    }
    std::vector<Centimes> montants; // as the page shows them
    for (int rangee = 1; rangee <= DerniereRangee; ++rangee) {
        const Rangee& cell = c.Cellules[rangee];
        const std::string designation = Trim(cell[0]);
        const std::string texteQuantite = Trim(cell[1]);
        const QString ligne = QString::number(rangee);
        if (texteQuantite.empty()) {
            if (designation.empty()) continue;
            if (fe.Lignes.empty())
                fe.Notes.push_back(designation);
            else {
                std::string& d = fe.Lignes.back().Description;
                d += (d.empty() ? "" : "\n") + designation;
            }
            continue;
        }
        if (!LitNombre(texteQuantite) || !LitNombre(Trim(cell[2])) ||
            (!Trim(cell[3]).empty() && !LitNombre(Trim(cell[3]))))
            return refus(Q("Ligne %1 : la quantité, le prix ou la remise n'est pas un nombre "
                           "(virgule décimale, sans point ni lettre). Corrigez la ligne.")
                             .arg(ligne));
        const auto quantite = LitDecimal(texteQuantite, 4);
        const auto remise =
            Trim(cell[3]).empty() ? std::optional<std::int64_t>(0) : LitDecimal(Trim(cell[3]), 4);
        const auto prix = LitCentimes(cell[2]);
        const auto montant = LitCentimes(cell[4]);
        if (!quantite || !remise)
            return refus(
                Q("Ligne %1 : la quantité et la remise ont au plus quatre décimales.").arg(ligne));
        if (!prix || !montant)
            return refus(Q("Ligne %1 : le montant est trop grand pour une facture.").arg(ligne));
        const auto code = LitEntier(cell[5]);
        const int k = code && *code >= 1 && *code <= 3 ? *code : 1;
        const auto taux = TauxCentiemes(r.TauxTVA[k]);
        if (!taux || !TauxEnVigueur(*taux))
            return refus(Q("Le taux de TVA %1 % (taux %2) n'est pas en vigueur en France. "
                           "Corrigez-le dans Paramètres > Facture ; les taux en vigueur sont "
                           "20 %, 10 %, 5,5 % et 2,1 % (Corse : 13 % et 0,9 % ; outre-mer : "
                           "8,5 %, 1,75 % et 1,05 %), ou 0 %.")
                             .arg(TexteTaux(r.TauxTVA[k]), QString::number(k)));
        if (vendeur.Franchise && *taux != 0)
            return refus(Q("Votre société est en franchise de TVA (art. 293 B du CGI) mais la "
                           "ligne %1 porte le taux %2 % : mettez à 0 le taux %3 dans "
                           "Paramètres > Facture.")
                             .arg(ligne, TexteTaux(r.TauxTVA[k]), QString::number(k)));
        LigneFE l;
        l.Numero = static_cast<int>(fe.Lignes.size()) + 1;
        l.Designation = designation.empty() ? "Article" : designation;
        l.Quantite = *quantite;
        l.Taux = *taux;
        l.Cat = vendeur.Franchise ? Categorie::Exoneree
                                  : (*taux == 0 ? Categorie::Nulle : Categorie::Normale);
        l.Montant = *montant;
        // The price carries no sign: a negative price is a negative quantity.
        const std::int64_t p = std::llabs(*prix);
        if (*prix < 0) l.Quantite = -l.Quantite;
        l.PrixNet = p * 10000;
        l.Remise = *remise;
        l.Brut = l.Remise == 0 ? l.Montant : DiviseArrondi(__int128(l.Quantite) * p, 10000);
        l.MontantRemise = l.Brut - l.Montant;
        fe.Lignes.push_back(l);
        montants.push_back(*montant);
    }
    // The memo, printed under the lines, is a note of the invoice.
    std::string memo;
    for (const auto& l : f.Memo)
        memo += (memo.empty() ? "" : "\n") + TrimDroite(l);
    if (!Trim(memo).empty()) fe.Notes.push_back(Trim(memo));
    if (fe.Lignes.empty())
        return refus(Q("Ce document n'a aucune ligne chiffrée (quantité et prix) : il n'y a "
                       "rien à facturer."));
    if (f.TTC) VentileTTC(fe.Lignes, montants);

    for (const auto& l : fe.Lignes) {
        auto it = std::find_if(fe.Tva.begin(), fe.Tva.end(),
                               [&](const TvaFE& t) { return t.Cat == l.Cat && t.Taux == l.Taux; });
        if (it == fe.Tva.end()) it = fe.Tva.insert(fe.Tva.end(), TvaFE{l.Cat, l.Taux, 0, 0});
        it->Base += l.Montant;
        fe.TotalLignes += l.Montant;
    }
    for (auto& t : fe.Tva) {
        t.Montant =
            t.Cat == Categorie::Normale ? DiviseArrondi(__int128(t.Base) * t.Taux, 10000) : 0;
        fe.TotalTVA += t.Montant;
    }
    fe.TotalTTC = fe.TotalLignes + fe.TotalTVA;
    if (std::llabs(fe.TotalTTC) > CentimesMax)
        return refus(Q("Les montants de ce document sont trop grands pour une facture."));
    if (fe.TotalTTC < 0)
        return refus(fe.Avoir ? Q("Le total de cet avoir est négatif : un avoir s'établit en "
                                  "montants positifs.")
                              : Q("Le total de cette facture est négatif : établissez plutôt "
                                  "un avoir, en montants positifs."));
    fe.DejaPaye = f.Payee ? fe.TotalTTC : 0;
    fe.NetAPayer = fe.TotalTTC - fe.DejaPaye;

    const std::pair<const char*, std::pair<const std::string*, Centimes>> totaux[] = {
        {"Total H.T.", {&f.TotalHT, fe.TotalLignes}},
        {"Total TVA", {&f.TotalTVA, fe.TotalTVA}},
        {"Total TTC", {&f.TotalTTC, fe.TotalTTC}}};
    for (const auto& [libelle, valeurs] : totaux) {
        const auto fenetre = LitCentimes(*valeurs.first);
        if (!fenetre || *fenetre != valeurs.second)
            fe.Ecarts.push_back({Q(libelle), valeurs.second, fenetre.value_or(0)});
    }
    return fe;
}

QString RefusLivre(const Reglages& r, const LignesSociete& societe, const Vendeur& vendeur) {
    if (const QString m = RefusFrancs(r); !m.isEmpty()) return m;
    return RefusVendeur(societe, vendeur);
}

QString RefusDocument(const Fiche& f, const Reglages& r, const LignesSociete& societe,
                      const Vendeur& vendeur) {
    // A buyer and complements that pass every check leave only the document's refusals.
    Acheteur a;
    a.Professionnel = false;
    a.Nom = a.Rue = a.Ville = "x";
    a.CodePostal = "75001";
    a.AdresseElectronique = "x@x.fr";
    Complements c;
    c.Echeance = f.Date;
    c.FactureCorrigee = "0";
    c.DateFactureCorrigee = f.Date;
    const auto resultat = Construit(f, r, societe, vendeur, a, c);
    return std::holds_alternative<Refus>(resultat) ? std::get<Refus>(resultat).Message : QString();
}

std::array<std::string, 4> AdresseImprimee(const Acheteur& a) {
    std::string ville = Trim(Trim(a.CodePostal) + " " + Trim(a.Ville));
    const std::string pays = Compacte(a.Pays);
    return {Trim(a.Nom), Trim(a.Rue), ville, pays == "FR" ? std::string() : pays};
}

Fiche FicheDeLaPage(const Fiche& f, const Reglages& r, const FactureElectronique& fe,
                    const LargeurTexteFn& mesure) {
    Fiche c = Recalculee(f, r, mesure);
    c.Adresse = AdresseImprimee(fe.Ach);
    c.TotalHT = TextePage(fe.TotalLignes);
    c.TotalTVA = TextePage(fe.TotalTVA);
    c.TotalTTC = TextePage(fe.TotalTTC);
    std::tie(c.Devise1, c.Devise2) = LibellesDevise(r);
    c.TotalConverti.clear();
    if (r.OmettreConversion == 0)
        c.TotalConverti =
            FormatMontant(static_cast<long double>(fe.TotalTTC) / 100 * r.TauxEuro.valeur());
    return c;
}

} // namespace kyr
