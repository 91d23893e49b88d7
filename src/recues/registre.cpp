#include "recues/registre.h"

#include "common/dates.h"
#include "common/erreurs.h"
#include "common/texte.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace kyr {

namespace {

constexpr int NbChamps = 17;
const char* const EnTete = "Fichier\tFormat\tProfil\tGenre\tNum\xE9ro\tDate\tIdentifiant\t"
                           "Fournisseur\tDevise\tHT\tTVA\tTTC\tNet \xE0 payer\t\xC9"
                           "ch\xE9"
                           "ance\t"
                           "\xC9tat\tRe\xE7ue le\tTVA par taux";

// Windows-1252 text as the index holds it, decoded without the general
// decoder: 5,000 lines of 17 fields each would spend most of their time
// setting up a decoder per field.
QString Texte1252(std::string_view t) {
    static const char16_t Hauts[32] = {
        0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    QString r(static_cast<qsizetype>(t.size()), Qt::Uninitialized);
    QChar* d = r.data();
    for (const char c : t) {
        const unsigned char o = static_cast<unsigned char>(c);
        *d++ = QChar(o >= 0x80 && o < 0xA0 ? Hauts[o - 0x80] : char16_t(o));
    }
    return r;
}

std::vector<std::string_view> Decoupe(std::string_view ligne) {
    std::vector<std::string_view> r;
    std::size_t debut = 0;
    for (;;) {
        const auto tab = ligne.find('\t', debut);
        r.push_back(ligne.substr(debut, tab == std::string_view::npos ? std::string_view::npos
                                                                      : tab - debut));
        if (tab == std::string_view::npos) return r;
        debut = tab + 1;
    }
}

std::string Date(const QDate& d) {
    return d.isValid() ? FormatDate(d) : std::string();
}

QDate DateIndex(std::string_view t) {
    return t.empty()
               ? QDate()
               : QDate::fromString(QString::fromLatin1(t.data(), static_cast<qsizetype>(t.size())),
                                   QStringLiteral("dd/MM/yyyy"));
}

std::string Taux(std::int64_t t) {
    std::string s = TexteDecimalCourt(t, 4);
    for (char& c : s)
        if (c == '.') c = ',';
    return s;
}

std::string Tva(const std::vector<TvaParTaux>& tva) {
    std::string r;
    for (const auto& t : tva) {
        if (!r.empty()) r += ';';
        r += Taux(t.Taux) + "=" + TextePage(t.Base) + "/" + TextePage(t.Montant);
    }
    return r;
}

std::optional<std::vector<TvaParTaux>> LitTva(std::string_view s) {
    std::vector<TvaParTaux> r;
    while (!s.empty()) {
        const auto fin = s.find(';');
        const std::string_view p = s.substr(0, fin);
        const auto egal = p.find('='), barre = p.find('/');
        if (egal == std::string_view::npos || barre == std::string_view::npos || barre < egal)
            return std::nullopt;
        const auto taux = LitDecimal(p.substr(0, egal), 4);
        const auto base = LitCentimes(p.substr(egal + 1, barre - egal - 1));
        const auto montant = LitCentimes(p.substr(barre + 1));
        if (!taux || !base || !montant) return std::nullopt;
        r.push_back({*taux, *base, *montant});
        s = fin == std::string_view::npos ? std::string_view() : s.substr(fin + 1);
    }
    return r;
}

const Profil Profils[] = {Profil::Minimum,  Profil::BasicWL,   Profil::Basic,  Profil::EN16931,
                          Profil::Extended, Profil::XRechnung, Profil::Peppol, Profil::Inconnu};

std::optional<EntreeRecue> LitLigne(std::string_view ligne) {
    const auto c = Decoupe(ligne);
    if (c.size() != NbChamps) return std::nullopt;
    EntreeRecue e;
    e.Fichier = DepuisTexteIndex(c[0]);
    bool vu = true;
    if (c[1] == "Factur-X")
        e.Format = FormatRecu::FacturX;
    else if (c[1] == "CII")
        e.Format = FormatRecu::CII;
    else if (c[1] == "UBL")
        e.Format = FormatRecu::UBL;
    else
        vu = false;
    if (!vu || e.Fichier.isEmpty()) return std::nullopt;
    const QString profil = DepuisTexteIndex(c[2]);
    for (const Profil p : Profils)
        if (TexteProfil(p) == profil) e.Prof = p;
    if (c[3] != "Facture" && c[3] != "Avoir") return std::nullopt;
    e.Avoir = c[3] == "Avoir";
    e.Numero = DepuisTexteIndex(c[4]);
    e.Date = DateIndex(c[5]);
    e.IdFournisseur = DepuisTexteIndex(c[6]);
    e.Fournisseur = DepuisTexteIndex(c[7]);
    e.Devise = DepuisTexteIndex(c[8]);
    const auto ht = LitCentimes(c[9]), tva = LitCentimes(c[10]), ttc = LitCentimes(c[11]),
               net = LitCentimes(c[12]);
    if (!ht || !tva || !ttc || !net) return std::nullopt;
    e.HT = *ht, e.TVA = *tva, e.TTC = *ttc, e.NetAPayer = *net;
    e.Echeance = DateIndex(c[13]);
    const QString etat = Texte1252(c[14]);
    if (etat == TexteEtat(EtatRecue::Conforme))
        e.Etat = EtatRecue::Conforme;
    else if (etat == TexteEtat(EtatRecue::AVerifier))
        e.Etat = EtatRecue::AVerifier;
    else if (etat == TexteEtat(EtatRecue::Doublon))
        e.Etat = EtatRecue::Doublon;
    else
        return std::nullopt;
    e.Recue = DepuisTexteIndex(c[15]);
    const auto parTaux = LitTva(c[16]);
    if (!parTaux) return std::nullopt;
    e.Tva = *parTaux;
    return e;
}

std::string Ligne(const EntreeRecue& e) {
    const std::string champs[NbChamps] = {TexteIndex(e.Fichier),
                                          TexteIndex(TexteFormat(e.Format)),
                                          TexteIndex(TexteProfil(e.Prof)),
                                          e.Avoir ? "Avoir" : "Facture",
                                          TexteIndex(e.Numero),
                                          Date(e.Date),
                                          TexteIndex(e.IdFournisseur),
                                          TexteIndex(e.Fournisseur),
                                          TexteIndex(e.Devise),
                                          TextePage(e.HT),
                                          TextePage(e.TVA),
                                          TextePage(e.TTC),
                                          TextePage(e.NetAPayer),
                                          Date(e.Echeance),
                                          TexteIndex(TexteEtat(e.Etat)),
                                          TexteIndex(e.Recue),
                                          Tva(e.Tva)};
    std::string r;
    for (int i = 0; i < NbChamps; ++i) {
        if (i) r += '\t';
        r += champs[i];
    }
    return r;
}

// Letters, digits, "-" and "." as they are; anything else "_".
QString PourNomDeFichier(const QString& s) {
    QString r;
    for (const QChar c : s.left(60)) {
        const char16_t u = c.unicode();
        const bool garde = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') ||
                           (u >= '0' && u <= '9') || u == '-' || u == '.';
        r += garde ? c : QLatin1Char('_');
    }
    while (r.startsWith(QLatin1Char('.')))
        r[0] = QLatin1Char('_');
    return r.isEmpty() ? QStringLiteral("sans") : r;
}

} // namespace

QString DossierRecues(const QString& cheminLivre) {
    const QFileInfo i(cheminLivre);
    return i.dir().filePath(i.completeBaseName() + QStringLiteral(".recues"));
}

QString TexteEtat(EtatRecue e) {
    switch (e) {
    case EtatRecue::AVerifier:
        return QStringLiteral("à vérifier");
    case EtatRecue::Doublon:
        return QStringLiteral("doublon");
    case EtatRecue::Conforme:
        break;
    }
    return QStringLiteral("conforme");
}

std::string TexteIndex(const QString& t, QString* echappes) {
    if (auto octets = DepuisQString(t)) {
        if (octets->find_first_of("\t\r\n&") == std::string::npos) return *octets;
    }
    std::string r;
    const auto codes = t.toUcs4();
    for (const char32_t u : codes) {
        const QString c = QString::fromUcs4(&u, 1);
        const auto octet = u == '&' || u < 0x20 ? std::nullopt : DepuisQString(c);
        if (octet) {
            r += *octet;
            continue;
        }
        if (echappes && u != '&' && u >= 0x20) *echappes += c;
        char code[16];
        std::snprintf(code, sizeof code, "&#x%X;", static_cast<unsigned>(u));
        r += code;
    }
    return r;
}

QString DepuisTexteIndex(std::string_view t) {
    if (t.find("&#x") == std::string_view::npos) return Texte1252(t);
    QString r;
    std::size_t i = 0;
    while (i < t.size()) {
        const auto et = t.find("&#x", i);
        const auto fin = et == std::string_view::npos ? et : t.find(';', et);
        if (et == std::string_view::npos || fin == std::string_view::npos || fin - et > 11) {
            r += Texte1252(t.substr(i));
            break;
        }
        r += Texte1252(t.substr(i, et - i));
        bool ok = false;
        const uint u = QString::fromLatin1(t.data() + et + 3, static_cast<qsizetype>(fin - et - 3))
                           .toUInt(&ok, 16);
        if (ok && u <= 0x10FFFF) {
            const char32_t c = u;
            r += QString::fromUcs4(&c, 1);
        } else {
            r += Texte1252(t.substr(et, fin + 1 - et));
        }
        i = fin + 1;
    }
    return r;
}

QString IdentifiantFournisseur(const FactureRecue& f) {
    const PartieRecue& v = f.Vendeur;
    for (const QString& id : {v.IdLegal, v.NumeroTVA, v.Identifiant, v.AdresseElectronique, v.Nom})
        if (!id.trimmed().isEmpty()) return QString(id).remove(QLatin1Char(' '));
    return QStringLiteral("inconnu");
}

EntreeRecue EntreeDe(const FactureRecue& f, const std::vector<Constat>& constats) {
    EntreeRecue e;
    e.Format = f.Format;
    e.Prof = f.Prof;
    e.Avoir = f.Avoir;
    e.Numero = f.Numero;
    e.Date = f.Date;
    e.IdFournisseur = IdentifiantFournisseur(f);
    e.Fournisseur = f.Vendeur.Nom;
    e.Devise = f.Devise;
    e.HT = f.TotalHT.value_or(0);
    e.TVA = f.TotalTVA.value_or(0);
    e.TTC = f.TotalTTC.value_or(0);
    e.NetAPayer = f.NetAPayer.value_or(0);
    e.Echeance = f.Echeance;
    e.Etat = constats.empty() ? EtatRecue::Conforme : EtatRecue::AVerifier;
    for (const TvaRecue& t : f.Tva) {
        const std::int64_t taux = t.Taux.value_or(0);
        auto p = std::find_if(e.Tva.begin(), e.Tva.end(),
                              [taux](const TvaParTaux& x) { return x.Taux == taux; });
        if (p == e.Tva.end()) p = e.Tva.insert(e.Tva.end(), TvaParTaux{taux, 0, 0});
        p->Base += t.Base.value_or(0);
        p->Montant += t.Montant.value_or(0);
    }
    return e;
}

Lignes LignesIndex(const RegistreRecues& r) {
    Lignes l;
    l.reserve(r.Entrees.size() + r.Illisibles.size() + 1);
    l.push_back(EnTete);
    for (const auto& e : r.Entrees)
        l.push_back(Ligne(e));
    for (const auto& i : r.Illisibles)
        l.push_back(i);
    return l;
}

RegistreRecues LitIndex(const Lignes& lignes) {
    RegistreRecues r;
    r.Entrees.reserve(lignes.size());
    for (std::size_t i = 0; i < lignes.size(); ++i) {
        if (i == 0 && lignes[i] == EnTete) continue;
        if (TrimVue(lignes[i]).empty()) continue;
        if (auto e = LitLigne(lignes[i]))
            r.Entrees.push_back(std::move(*e));
        else
            r.Illisibles.push_back(lignes[i]);
    }
    return r;
}

RegistreRecues ChargeRegistre(const QString& dossier) {
    const auto lignes = LitFichier(QDir(dossier).filePath(NomIndexRecues));
    return lignes ? LitIndex(*lignes) : RegistreRecues{};
}

Importation Importe(RegistreRecues& r, const QString& dossier, const QByteArray& octets,
                    const QString& extension, const FactureRecue& f,
                    const std::vector<Constat>& constats, const QDateTime& maintenant) {
    Importation imp;
    imp.Entree = EntreeDe(f, constats);
    EntreeRecue& e = imp.Entree;
    e.Recue = maintenant.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    const QString qui =
        QStringLiteral("« %1 » n° %2").arg(e.Fournisseur.left(60), e.Numero.left(40));
    for (const EntreeRecue& a : r.Entrees) {
        if (a.IdFournisseur != e.IdFournisseur || a.Numero != e.Numero) continue;
        if (a.Date == e.Date && a.TTC == e.TTC && a.Avoir == e.Avoir) {
            imp.Resultat = Issue::DejaRecue;
            imp.Entree = a;
            imp.Message = QStringLiteral("Facture %1 déjà reçue le %2 : rien n'est ajouté")
                              .arg(qui, a.Recue.left(10));
            return imp;
        }
        imp.Resultat = Issue::Doublon;
    }
    if (imp.Resultat == Issue::Doublon) e.Etat = EtatRecue::Doublon;

    QDir d(dossier);
    if (!d.exists() && !QDir().mkpath(dossier))
        throw ErreurExecution::CreationFichier(QDir::toNativeSeparators(dossier));
    // A name never taken twice: the folder is never written over.
    const QString base =
        PourNomDeFichier(e.IdFournisseur) + QLatin1Char('_') + PourNomDeFichier(e.Numero);
    QString nom = base + extension;
    for (int n = 2; FichierExiste(d.filePath(nom)); ++n)
        nom = base + QStringLiteral("_%1").arg(n) + extension;
    e.Fichier = nom;
    EcritOctets(d.filePath(nom),
                std::string_view(octets.constData(), static_cast<std::size_t>(octets.size())));
    r.Entrees.push_back(e);
    try {
        EcritFichier(d.filePath(NomIndexRecues), LignesIndex(r));
    } catch (...) {
        // The register stays what the index holds; the file kept is not
        // removed (nothing is ever deleted) and its name is not reused.
        r.Entrees.pop_back();
        throw;
    }

    QString echappes;
    TexteIndex(e.Fournisseur, &echappes);
    imp.Message = imp.Resultat == Issue::Doublon
                      ? QStringLiteral("Facture %1 gardée, mais marquée doublon : ce numéro a "
                                       "déjà été reçu de ce fournisseur avec d'autres chiffres")
                            .arg(qui)
                      : QStringLiteral("Facture %1 gardée").arg(qui);
    if (!echappes.isEmpty())
        imp.Message += QStringLiteral(" (les caractères « %1 » n'ont pas d'équivalent "
                                      "Windows-1252 : l'index les note en &#x…;)")
                           .arg(echappes.left(20));
    return imp;
}

} // namespace kyr
