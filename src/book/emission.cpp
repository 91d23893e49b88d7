// Issued documents: issuing (the register's entries once the book is saved),
// the credit note made from an invoice, the paid marks of issued documents,
// and the check of the book against its register when it is opened.
#include "book/bloc.h"
#include "book/facture.h"
#include "common/dates.h"
#include "common/erreurs.h"
#include "common/nombres.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <set>
#include <unordered_map>

namespace kyr {

namespace {

const std::string DebutLigneAvoir = "Avoir sur facture n\xB0 ";

// The calculation without the window's font: no blank is put in front of a
// figure (the fixed-content digest trims them anyway).
int SansAlignement(const std::string&) {
    return 1 << 20;
}

// 'F', 'A', 'D' for the three kinds (an empty kind reads as an invoice), 0
// for any other text.
char LettreGenre(std::string_view genre) {
    const std::string_view g = TrimVue(genre);
    if (g.empty() || g == GenreFacture) return 'F';
    if (g == TrimVue(GenreAvoir)) return 'A';
    if (g == TrimVue(GenreDevis)) return 'D';
    return 0;
}

std::string Cle(char genre, std::string_view numero) {
    std::string c(1, genre);
    c += numero;
    return c;
}

QString NomGenre(char genre) {
    return genre == 'A' ? QStringLiteral("l'avoir") : QStringLiteral("la facture");
}

// Every document of the book with what names it, first block of each number
// only (as the window reads them). Every block number is looked at: a
// program started without a book counts no document until a second one is
// added, yet the first one typed is in the book.
struct DocumentDuLivre {
    int n = 0, debut = 0;
    char genre = 0;
    std::string numero, date, client;
};

std::vector<DocumentDuLivre> DocumentsDuLivre(const Facture& f) {
    std::vector<DocumentDuLivre> docs;
    VueBloc v;
    for (int n = 0; n < NbFichesMax; ++n) {
        const int debut = f.ChercheDebut(n);
        if (debut < 0) continue;
        DecoupeBloc(f.Livre, debut, n, v);
        docs.push_back({n, debut, LettreGenre(v.Genre), std::string(v.Numero),
                        std::string(v.TexteDate), std::string(v.CodeClient)});
    }
    return docs;
}

// What the register records of block n, computed as the window computes it,
// and why it cannot be issued (empty when it can).
struct Figement {
    EntreeRegistre Entree;
    bool Paye = false;
    QString Refus;
};

Figement Fige(const Lignes& livre, int debut, int n, const Reglages& r) {
    Figement g;
    Fiche f;
    const FicheCalculee lue = LitEtCalcule(livre, debut, n, f, r, SansAlignement);
    EntreeRegistre& e = g.Entree;
    e.Genre = LettreGenre(f.Genre);
    e.Numero = Trim(f.Numero);
    e.DateDocument = f.DateIllisible ? *f.DateIllisible : FormatDate(f.Date);
    e.CodeClient = f.CodeClient;
    e.HT = f.TotalHT;
    e.TTC = f.TotalTTC;
    for (int k = 1; k <= 3; ++k)
        e.Tva[k - 1] = {FormatGeneral(r.TauxTVA[k].valeur()),
                        FormatMontant(lue.Detail.BaseHT[k].valeur()),
                        FormatMontant(lue.Detail.TVA[k].valeur())};
    e.Empreinte = EmpreinteFixe(f);
    if (e.Genre == 'A')
        for (const auto& m : f.Memo)
            if (const auto lien = LitLigneAvoir(m)) {
                e.FactureCorrigee = lien->Numero;
                e.DateFactureCorrigee = FormatDate(lien->Date);
                break;
            }
    g.Paye = f.Payee;

    const bool chiffres =
        !e.Numero.empty() &&
        std::all_of(e.Numero.begin(), e.Numero.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!chiffres)
        g.Refus =
            QStringLiteral("son numéro « %1 » n'est pas fait de chiffres").arg(Citation(e.Numero));
    else if (f.DateIllisible)
        g.Refus = ErreurExecution::DateIncorrecte(*f.DateIllisible).message();
    else if (lue.Erreur)
        g.Refus =
            QStringLiteral("ses montants ne peuvent être calculés (%1)").arg(lue.Erreur->message());
    else if (!lue.Detail.Illisibles.empty())
        g.Refus = QStringLiteral("à sa ligne %1, « %2 » n'est pas un nombre")
                      .arg(lue.Detail.Illisibles.front().Rangee)
                      .arg(Citation(Trim(lue.Detail.Illisibles.front().Texte)));
    else if (e.HT.empty())
        g.Refus = QStringLiteral("sa TVA ne peut être calculée (un taux de -100 %)");
    return g;
}

QString Refus(char genre, const std::string& numero, const QString& raison) {
    return QStringLiteral("%1 n° %2 ne peut être émis%3 : %4.")
        .arg(genre == 'A' ? QStringLiteral("L'avoir") : QStringLiteral("La facture"),
             VersQString(numero), genre == 'A' ? QString() : QStringLiteral("e"), raison);
}

} // namespace

std::string LigneAvoir(const std::string& numero, const QDate& date) {
    return DebutLigneAvoir + numero + " du " + FormatDate(date);
}

std::optional<LienAvoir> LitLigneAvoir(std::string_view ligne) {
    const std::string_view l = TrimVue(ligne);
    if (!CommencePar(l, DebutLigneAvoir)) return std::nullopt;
    const std::string_view reste = l.substr(DebutLigneAvoir.size());
    const auto du = reste.find(" du ");
    if (du == std::string_view::npos) return std::nullopt;
    LienAvoir lien;
    lien.Numero = Trim(reste.substr(0, du));
    if (lien.Numero.empty() || !std::all_of(lien.Numero.begin(), lien.Numero.end(),
                                            [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    try {
        lien.Date = LitDate(reste.substr(du + 4));
    } catch (const ErreurExecution&) {
        return std::nullopt;
    }
    return lien;
}

std::vector<QString> Facture::Emet(const std::vector<RefDocument>& documents) {
    EcritFiche();
    std::vector<QString> refus(documents.size());
    const std::vector<DocumentDuLivre> livre = DocumentsDuLivre(*this);
    std::vector<EntreeRegistre> entrees;
    std::vector<std::size_t> emis;
    bool courant = false; // the shown document is among them
    std::set<std::string> vus;
    const QDateTime maintenant = m_plateforme.Maintenant();
    for (std::size_t i = 0; i < documents.size(); ++i) {
        const RefDocument& d = documents[i];
        if (d.Genre == 'D') continue; // a quote is never issued
        if (d.Genre != 'F' && d.Genre != 'A') {
            refus[i] = QStringLiteral("Seules les factures et les avoirs sont émis.");
            continue;
        }
        if (registre.Emission(d.Genre, d.Numero) || !vus.insert(Cle(d.Genre, d.Numero)).second)
            continue; // issued before
        const DocumentDuLivre* doc = nullptr;
        const DocumentDuLivre* autre = nullptr;
        for (const auto& x : livre) {
            if (x.numero != d.Numero || (x.genre != 'F' && x.genre != 'A')) continue;
            if (!doc && x.genre == d.Genre)
                doc = &x;
            else if (!autre)
                autre = &x;
        }
        if (!doc) {
            refus[i] =
                Refus(d.Genre, d.Numero, QStringLiteral("ce document n'est pas dans le livre"));
            continue;
        }
        if (autre) {
            QString raison =
                QStringLiteral("ce numéro est déjà celui de %1 du %2 (client %3). Deux "
                               "documents ne peuvent porter le même numéro")
                    .arg(NomGenre(autre->genre), Citation(autre->date), Citation(autre->client));
            const int propose = NumeroSuivant;
            try {
                Numerof();
                raison += QStringLiteral(" : donnez à celui-ci un autre numéro, par exemple %1")
                              .arg(NumeroSuivant);
            } catch (const ErreurExecution&) {
                // No number to suggest.
            }
            NumeroSuivant = propose;
            refus[i] = Refus(d.Genre, d.Numero, raison);
            continue;
        }
        Figement g = Fige(Livre, doc->debut, doc->n, reglages);
        if (!g.Refus.isEmpty()) {
            refus[i] = Refus(d.Genre, d.Numero, g.Refus);
            continue;
        }
        g.Entree.Moment = maintenant;
        entrees.push_back(g.Entree);
        if (g.Paye) {
            // Paid when issued: the payment is dated by the issue.
            EntreeRegistre payee = g.Entree;
            payee.Quoi = Evenement::Payee;
            entrees.push_back(std::move(payee));
        }
        emis.push_back(i);
        courant = courant || doc->n == FicheCourante;
    }
    if (entrees.empty()) return refus;

    const std::optional<QString> nom =
        EnregistrePourEmission ? EnregistrePourEmission() : std::nullopt; // throws on failure
    if (!nom) {
        for (const std::size_t i : emis)
            refus[i] = Refus(documents[i].Genre, documents[i].Numero,
                             QStringLiteral("le livre n'a pas été enregistré, et un document "
                                            "émis doit d'abord l'être"));
        return refus;
    }
    registre.Ajoute(*nom, std::move(entrees)); // throws: nothing counted as issued
    for (const std::size_t i : emis)
        m_payeesChangees.erase(Cle(documents[i].Genre, documents[i].Numero));
    if (courant)
        if (const EntreeRegistre* e =
                registre.Emission(LettreGenre(fiche.Genre), Trim(fiche.Numero)))
            EmissionCourante = *e;
    return refus;
}

QString Facture::Emet(const RefDocument& document) {
    return Emet(std::vector<RefDocument>{document}).front();
}

QString Facture::RefusSortie() const {
    if (EmissionCourante) return {};
    const char genre = LettreGenre(fiche.Genre);
    if (genre == 'D') return {};
    if (genre == 0)
        return QStringLiteral("Ce document n'est ni une facture, ni un avoir, ni un devis : "
                              "choisissez son genre avant de l'imprimer ou de l'exporter.");
    if (!Valide())
        return QStringLiteral(
            "Ce document est incomplet : il lui faut un numéro, un code client et au moins une "
            "ligne avec une désignation. Une facture ou un avoir qui sort du programme est "
            "d'abord enregistré dans le livre : complétez-le avant de l'imprimer ou de "
            "l'exporter.");
    return {};
}

bool Facture::EmetCourant() {
    if (EmissionCourante) return true;
    const char genre = LettreGenre(fiche.Genre);
    if (genre == 'D') return true;
    // What leaves the program is what the book will hold: the totals as
    // computed now, not as last shown.
    Calcule();
    QString r = RefusSortie();
    if (r.isEmpty()) r = Emet(RefDocument{genre, Trim(fiche.Numero)});
    if (r.isEmpty()) return true;
    m_plateforme.Message(r);
    return false;
}

QString Facture::TexteEmission() const {
    if (!EmissionCourante) return {};
    const EntreeRegistre& e = *EmissionCourante;
    const QString quand =
        QStringLiteral("%1 à %2").arg(VersQString(FormatDate(e.Moment.date())),
                                      e.Moment.time().toString(QStringLiteral("hh:mm")));
    if (e.Genre == 'A')
        return QStringLiteral("Avoir émis le %1 : il ne peut plus être modifié ni supprimé. "
                              "Seuls le mémo et la case « Facture payée » restent modifiables.")
            .arg(quand);
    return QStringLiteral("Facture émise le %1 : elle ne peut plus être modifiée ni supprimée. "
                          "Pour la corriger, créez un avoir (menu Edition, « Créer un avoir ») ; "
                          "le mémo et la case « Facture payée » restent modifiables.")
        .arg(quand);
}

bool Facture::CreeAvoir() {
    if (LettreGenre(fiche.Genre) != 'F' || fiche.Genre.empty()) {
        m_plateforme.Message(QStringLiteral("« Créer un avoir » part d'une facture : affichez "
                                            "d'abord la facture que l'avoir doit corriger."));
        return false;
    }
    if (!Valide() || fiche.DateIllisible) {
        m_plateforme.Message(QStringLiteral("Cette facture est incomplète (numéro, date, code "
                                            "client ou lignes) : complétez-la avant d'en faire "
                                            "un avoir."));
        return false;
    }
    EcritFiche();
    if (NbFiches >= NbFichesMax) {
        m_plateforme.Message(QStringLiteral(
            "Le facturier est plein : il ne peut contenir plus de 10 000 documents."));
        return false;
    }
    const Fiche facture = fiche;
    const int lignes = NbLignes;
    Livre.push_back(" ");
    if (NbFiches == 0) NbFiches = 1;
    FicheCourante = NbFiches;
    ++NbFiches;
    try {
        Numerof(); // invoices and credit notes share one series
    } catch (const ErreurExecution& e) {
        m_plateforme.Erreur(e.message());
    }
    LitFiche();
    fiche.Date = m_plateforme.Maintenant().date();
    fiche.Genre = GenreAvoir;
    fiche.CodeClient = facture.CodeClient;
    fiche.Conditions = facture.Conditions;
    fiche.Adresse = facture.Adresse;
    fiche.TTC = facture.TTC;
    for (int r = 1; r <= DerniereRangee; ++r)
        fiche.Cellules[r] = facture.Cellules[r];
    fiche.Memo = {LigneAvoir(Trim(facture.Numero), facture.Date)};
    NbLignes = lignes;
    Modifie();
    Calcule();
    return true;
}

void Facture::ChangePayee(bool payee) {
    fiche.Payee = payee;
    Modifie();
    if (!EmissionCourante) return;
    PayeeChangee& c = m_payeesChangees[Cle(EmissionCourante->Genre, EmissionCourante->Numero)];
    c.payee = payee;
    c.entree = *EmissionCourante;
    c.entree.Moment = m_plateforme.Maintenant();
    c.entree.Quoi = payee ? Evenement::Payee : Evenement::NonPayee;
    c.entree.Chaine.clear();
}

void Facture::SauvegardeFaite(const SauvegardeLivre& sauvegarde) {
    if (sauvegarde.payees.empty()) return;
    registre.Ajoute(sauvegarde.ecriture.Chemin(), sauvegarde.payees);
    for (const EntreeRegistre& e : sauvegarde.payees) {
        const auto it = m_payeesChangees.find(Cle(e.Genre, e.Numero));
        // A change made while the book was on its way to the disk waits for the next save.
        if (it != m_payeesChangees.end() && it->second.entree.Moment == e.Moment &&
            it->second.payee == (e.Quoi == Evenement::Payee))
            m_payeesChangees.erase(it);
    }
}

std::optional<LienAvoir> Facture::FactureCorrigee() const {
    if (LettreGenre(fiche.Genre) != 'A') return std::nullopt;
    if (EmissionCourante && !EmissionCourante->FactureCorrigee.empty()) {
        try {
            return LienAvoir{EmissionCourante->FactureCorrigee,
                             LitDate(EmissionCourante->DateFactureCorrigee)};
        } catch (const ErreurExecution&) {
        }
    }
    for (const auto& m : fiche.Memo)
        if (auto lien = LitLigneAvoir(m)) return lien;
    return std::nullopt;
}

std::optional<QDate> Facture::DateFacture(std::string_view numero) const {
    const std::string n = Trim(numero);
    if (n.empty()) return std::nullopt;
    for (const auto& d : DocumentsDuLivre(*this)) {
        if (d.genre != 'F' || d.numero != n) continue;
        try {
            return LitDate(d.date);
        } catch (const ErreurExecution&) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<EntreeRegistre> Facture::EmissionDe(int n, const Fiche& f) const {
    if (registre.Vierge()) return std::nullopt;
    const char genre = LettreGenre(f.Genre);
    if (genre != 'F' && genre != 'A') return std::nullopt;
    const std::string numero = Trim(f.Numero);
    const EntreeRegistre* e = registre.Emission(genre, numero);
    if (!e) return std::nullopt;
    if (EmpreinteFixe(f) == e->Empreinte) return *e;
    // Changed since it was issued, or another document carrying the number
    // of the one issued: that one, if it is in the book, is the issued one.
    for (const auto& d : DocumentsDuLivre(*this))
        if (d.n != n && d.genre == genre && d.numero == numero &&
            Fige(Livre, d.debut, d.n, reglages).Entree.Empreinte == e->Empreinte)
            return std::nullopt;
    return *e;
}

std::vector<QString> Facture::ControleRegistre() const {
    std::vector<QString> r;
    if (registre.Vierge() && registre.Defauts().empty()) return r;
    const std::vector<DocumentDuLivre> docs = DocumentsDuLivre(*this);
    std::unordered_map<std::string, std::vector<const DocumentDuLivre*>> parCle;
    for (const auto& d : docs)
        if (d.genre == 'F' || d.genre == 'A') parCle[Cle(d.genre, d.numero)].push_back(&d);

    int emis = 0, absents = 0;
    std::set<std::string> vus;
    for (const EntreeRegistre& e : registre.Entrees()) {
        if (e.Quoi != Evenement::Emission || !vus.insert(Cle(e.Genre, e.Numero)).second) continue;
        ++emis;
        const QString qui =
            QStringLiteral("%1 n° %2, émis%3 le %4")
                .arg(e.Genre == 'A' ? QStringLiteral("Avoir") : QStringLiteral("Facture"),
                     VersQString(e.Numero), e.Genre == 'A' ? QString() : QStringLiteral("e"),
                     VersQString(FormatDate(e.Moment.date())));
        const auto it = parCle.find(Cle(e.Genre, e.Numero));
        if (it == parCle.end()) {
            ++absents;
            r.push_back(qui + QStringLiteral(" : absent%1 du livre (supprimé%1 ou remplacé%1 "
                                             "hors du programme)")
                                  .arg(e.Genre == 'A' ? QString() : QStringLiteral("e")));
            continue;
        }
        std::optional<Figement> premier;
        bool trouve = false;
        for (const DocumentDuLivre* d : it->second) {
            Figement g = Fige(Livre, d->debut, d->n, reglages);
            if (g.Entree.Empreinte == e.Empreinte) {
                trouve = true;
                break;
            }
            if (!premier) premier = std::move(g);
        }
        if (trouve) continue;
        const EntreeRegistre& l = premier->Entree;
        QStringList ecarts;
        const auto ecart = [&](const QString& quoi, const std::string& avant,
                               const std::string& apres) {
            if (avant != apres)
                ecarts << QStringLiteral("%1 %2 devenu %3")
                              .arg(quoi, Citation(avant), Citation(apres));
        };
        ecart(QStringLiteral("date"), e.DateDocument, l.DateDocument);
        ecart(QStringLiteral("client"), e.CodeClient, l.CodeClient);
        ecart(QStringLiteral("total H.T."), e.HT, l.HT);
        ecart(QStringLiteral("total TTC"), e.TTC, l.TTC);
        if (ecarts.isEmpty()) ecarts << QStringLiteral("adresse, lignes ou mode de prix");
        r.push_back(qui + QStringLiteral(" : modifié%1 hors du programme (%2)")
                              .arg(e.Genre == 'A' ? QString() : QStringLiteral("e"),
                                   ecarts.join(QStringLiteral(", "))));
    }
    // Not one of its documents here: the register of another book.
    if (emis >= 2 && absents == emis) {
        r.clear();
        r.push_back(QStringLiteral("Aucun des %1 documents qu'il nomme n'est dans ce livre : "
                                   "c'est sans doute le registre d'un autre livre")
                        .arg(emis));
    }
    for (const QString& d : registre.Defauts())
        r.push_back(QStringLiteral("Le registre lui-même : %1").arg(d));
    return r;
}

void Facture::SignaleRegistre() const {
    const std::vector<QString> r = ControleRegistre();
    if (r.empty()) return;
    constexpr std::size_t Montres = 12;
    QString t = QStringLiteral("Le livre ne correspond plus à son registre des documents émis "
                               "(%1) :\n")
                    .arg(QFileInfo(registre.Chemin()).fileName());
    for (std::size_t i = 0; i < r.size() && i < Montres; ++i)
        t += QStringLiteral("\n- ") + r[i] + QLatin1Char('.');
    if (r.size() > Montres) t += QStringLiteral("\n- et %1 autres écarts.").arg(r.size() - Montres);
    t += QStringLiteral("\n\nRien n'a été changé. Un document émis se corrige par un avoir, "
                        "jamais en le modifiant.");
    m_plateforme.Message(t);
}

} // namespace kyr
