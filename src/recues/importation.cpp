#include "recues/importation.h"

#include "common/erreurs.h"
#include "recues/lecture.h"

#include <QFileInfo>

namespace kyr {

std::vector<Constat> ControlesComplets(const FactureRecue& f, const std::optional<Vendeur>& moi) {
    std::vector<Constat> c = Controle(f);
    if (moi)
        if (auto a = ControleAcheteur(f, moi->Siren, moi->NumeroTVA)) c.push_back(std::move(*a));
    return c;
}

bool ExtensionAcceptee(const QString& chemin) {
    const QString s = QFileInfo(chemin).suffix().toLower();
    return s == QLatin1String("pdf") || s == QLatin1String("xml");
}

BilanImport ImporteFichiers(RegistreRecues& r, const QString& dossier, const QStringList& chemins,
                            const std::optional<Vendeur>& moi, const QString& dossierModules,
                            const QDateTime& maintenant,
                            const std::function<bool(int)>& continuer) {
    BilanImport b;
    for (int i = 0; i < chemins.size(); ++i) {
        if (continuer && !continuer(i)) {
            b.Messages << QStringLiteral("Importation interrompue : %1 fichier(s) non lu(s)")
                              .arg(chemins.size() - i);
            break;
        }
        const QString nom = QFileInfo(chemins[i]).fileName();
        const auto refuse = [&](const QString& pourquoi) {
            ++b.Refusees;
            b.Messages << QStringLiteral("%1 : %2").arg(nom, pourquoi);
        };
        if (!ExtensionAcceptee(chemins[i])) {
            refuse(QStringLiteral("ni .pdf ni .xml, non lu"));
            continue;
        }
        QByteArray octets;
        const Lecture l = LitFichierRecu(chemins[i], dossierModules, &octets);
        if (!l.Facture) {
            refuse(l.Refus);
            continue;
        }
        try {
            const Importation imp = Importe(
                r, dossier, octets, QLatin1Char('.') + QFileInfo(chemins[i]).suffix().toLower(),
                *l.Facture, ControlesComplets(*l.Facture, moi), maintenant);
            switch (imp.Resultat) {
            case Issue::Gardee:
                ++b.Gardees;
                break;
            case Issue::DejaRecue:
                ++b.DejaRecues;
                break;
            case Issue::Doublon:
                ++b.Doublons;
                break;
            }
            b.Messages << QStringLiteral("%1 : %2").arg(nom, imp.Message);
        } catch (const ErreurExecution& e) {
            refuse(e.message());
        }
    }
    return b;
}

} // namespace kyr
