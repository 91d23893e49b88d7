#include "recues/verification.h"

#include "common/erreurs.h"
#include "einvoice/fichiers_tiers.h"
#include "recues/controles_recus.h"
#include "recues/lecture.h"

#include <QFileInfo>

namespace kyr {

namespace {

void Ecrit(std::FILE* f, const QString& t) {
    const QByteArray u = (t + QLatin1Char('\n')).toUtf8();
    std::fwrite(u.constData(), 1, static_cast<std::size_t>(u.size()), f);
}

QString Somme(std::optional<Centimes> c, const QString& devise) {
    return c ? TexteMontant(c) + (devise.isEmpty() ? QString() : QLatin1Char(' ') + devise)
             : QStringLiteral("absent");
}

} // namespace

int Verifie(const std::vector<std::string>& fichiers, std::FILE* sortie, std::FILE* erreurs,
            const QString& dossierModules) {
    if (fichiers.empty()) {
        Ecrit(erreurs, QStringLiteral("Usage : kyrfact --verifier FICHIER..."));
        return 2;
    }
    // The company's identifiers, when its seller file is in this folder.
    Vendeur moi;
    bool avecVendeur = false;
    try {
        avecVendeur = ChargeVendeur(moi);
    } catch (const ErreurExecution& e) {
        Ecrit(erreurs, e.message());
    }
    bool tousBons = true;
    for (const std::string& nom : fichiers) {
        const QString chemin = QString::fromLocal8Bit(nom.c_str());
        Ecrit(sortie, QStringLiteral("%1 :").arg(chemin));
        const Lecture l = LitFichierRecu(chemin, dossierModules);
        if (!l.Facture) {
            Ecrit(sortie, QStringLiteral("  Refusé : %1.").arg(l.Refus));
            tousBons = false;
            continue;
        }
        const FactureRecue& f = *l.Facture;
        Ecrit(sortie, QStringLiteral("  Format : %1, profil %2")
                          .arg(TexteFormat(f.Format), TexteProfil(f.Prof)));
        Ecrit(sortie,
              QStringLiteral("  %1 n° %2 du %3")
                  .arg(f.Avoir ? QStringLiteral("Avoir") : QStringLiteral("Facture"), f.Numero,
                       f.Date.isValid() ? f.Date.toString(QStringLiteral("dd/MM/yyyy"))
                                        : f.TexteDate));
        Ecrit(sortie, QStringLiteral("  Vendeur : %1").arg(f.Vendeur.Nom));
        Ecrit(sortie, QStringLiteral("  Total TTC : %1").arg(Somme(f.TotalTTC, f.Devise)));
        Ecrit(sortie, QStringLiteral("  Montant à payer : %1").arg(Somme(f.NetAPayer, f.Devise)));
        const auto constats = Controle(f);
        if (constats.empty())
            Ecrit(sortie, QStringLiteral("  Contrôles de Kyr Facture : aucun écart"));
        else
            Ecrit(sortie, QStringLiteral("  Contrôles de Kyr Facture : %1 écart%2")
                              .arg(constats.size())
                              .arg(constats.size() > 1 ? QStringLiteral("s") : QString()));
        for (const Constat& c : constats)
            Ecrit(sortie,
                  QStringLiteral("    [%1] %2").arg(QString::fromStdString(c.Regle), c.Texte));
        if (avecVendeur) {
            const auto a = ControleAcheteur(f, moi.Siren, moi.NumeroTVA);
            Ecrit(sortie, a ? QStringLiteral("  Destinataire : [%1] %2")
                                  .arg(QString::fromStdString(a->Regle), a->Texte)
                            : QStringLiteral("  Destinataire : votre entreprise"));
        }
        tousBons = tousBons && constats.empty();
    }
    return tousBons ? 0 : 1;
}

} // namespace kyr
