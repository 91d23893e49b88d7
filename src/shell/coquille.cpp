// The main window's file commands on invoice books.
#include "shell/coquille.h"

#include "book/glossaire.h"
#include "book/liste_clients.h"
#include "common/erreurs.h"
#include "common/texte.h"

#include <QDir>
#include <QStringList>
#include <algorithm>

namespace kyr {

namespace {

const QString FiltreFactures = QStringLiteral("Factures (*.fct)");

qsizetype DebutNom(const QString& nom) {
    return std::max(nom.lastIndexOf(QLatin1Char('/')), nom.lastIndexOf(QLatin1Char('\\'))) + 1;
}

} // namespace

Coquille::Coquille(Facture& facture, Plateforme& plateforme)
    : m_facture(facture), m_plateforme(plateforme) {}

QString Coquille::NomSansDossier(const QString& nom) {
    return nom.mid(DebutNom(nom));
}

QString Coquille::NormaliseExtension(const QString& nom) {
    const qsizetype debut = DebutNom(nom);
    const qsizetype point = nom.indexOf(QLatin1Char('.'), debut);
    return (point < 0 ? nom : nom.left(point)) + QStringLiteral(".fct");
}

bool Coquille::TypeValide(const QString& nom) {
    return nom.size() >= 4 && nom.right(4).toUpper() == QStringLiteral(".FCT");
}

bool Coquille::AutoOuverture() const {
    return kyr::AutoOuverture(m_facture.reglages);
}

void Coquille::SetIni(bool ouvertureAuto) {
    m_facture.reglages.OuvertureAuto = ouvertureAuto ? 1 : 0;
}

void Coquille::Memorise(const QString& nom) {
    m_livreMemorise = nom;
}

QString Coquille::LivreMemorise() const {
    return FichierCourant.isEmpty() ? m_livreMemorise : FichierCourant;
}

bool Coquille::Demarrage() {
    // The settings were read by the invoice window's activation; the name is
    // kept even when the book cannot be opened now (a folder not mounted yet),
    // so that it is still remembered at the next start.
    m_livreMemorise = VersQString(m_facture.reglages.DernierLivre);
    bool charge = false;
    if (AutoOuverture()) {
        CommandesLivre = true;
        // A book that is no longer there leaves the empty book without a
        // name: saving it must not create a file under the remembered name.
        if (!m_livreMemorise.isEmpty() && FichierExiste(m_livreMemorise)) {
            try {
                m_facture.Charge(m_livreMemorise);
                FichierCourant = m_livreMemorise;
                charge = true;
            } catch (const ErreurExecution& e) {
                m_plateforme.Erreur(e.message());
            }
        }
    }
    RepertoireDepart = QDir::currentPath();
    return charge;
}

bool Coquille::ProposeEnregistrement() {
    if (!m_facture.TestModif()) return true;
    const QString texte = QStringLiteral("Enregistrer changements dans ") +
                          NomSansDossier(FichierCourant) + QStringLiteral(" ?");
    switch (Avertissement(m_plateforme, texte, {Bouton::Oui, Bouton::Non, Bouton::Annuler})) {
    case Bouton::Oui:
        // A save that did not happen (dialog cancelled) stops the command:
        // going on would throw the book away.
        return Enregistrer();
    case Bouton::Non:
        return true;
    default:
        return false;
    }
}

void Coquille::NouveauLivre() {
    if (!ProposeEnregistrement()) return;
    FichierCourant.clear();
    m_facture.Nouveau();
    CommandesLivre = true;
}

bool Coquille::Ouvrir() {
    if (!ProposeEnregistrement()) return false;
    const std::optional<QString> nom = m_plateforme.NomFichierOuvrir(FiltreFactures);
    if (!nom || nom->isEmpty()) return false;
    // A refused name changes nothing: the book in memory keeps its own name.
    if (!TypeValide(*nom)) {
        m_plateforme.Message(QStringLiteral("Type de fichier non valide"));
        return false;
    }
    if (!FichierExiste(*nom)) {
        m_plateforme.Message(QStringLiteral("Le fichier n'existe pas"));
        return false;
    }
    m_facture.Charge(*nom); // on failure the previous book is back and keeps its name
    FichierCourant = *nom;
    Memorise(*nom);
    CommandesLivre = true;
    return true;
}

bool Coquille::Enregistrer() {
    if (FichierCourant.isEmpty()) return EnregistrerSous();
    // The name is the one the book was read from or written to: it is used as
    // it stands (FACTURES.FCT stays FACTURES.FCT, a.b.fct stays a.b.fct).
    m_facture.Sauve(FichierCourant);
    return true;
}

bool Coquille::EnregistrerSous() {
    FichierCourant.clear();
    const std::optional<QString> choisi =
        m_plateforme.NomFichierEnregistrer(FiltreFactures, QStringLiteral("*.fct"));
    if (!choisi || choisi->isEmpty()) return false;
    const QString nom = NormaliseExtension(*choisi);
    if (FichierExiste(nom) && Avertissement(m_plateforme, QStringLiteral("Ce fichier existe déjà"),
                                            {Bouton::OK, Bouton::Annuler}) != Bouton::OK)
        return false;
    // The new file gets the book even when nothing changed since it was read.
    m_facture.LivreModifie = true;
    try {
        m_facture.Sauve(nom);
    } catch (const ErreurExecution&) {
        // The book itself may be on disk with only the client file failing.
        if (!m_facture.LivreModifie) {
            FichierCourant = nom;
            Memorise(nom);
        }
        throw;
    }
    FichierCourant = nom;
    Memorise(nom);
    return true;
}

bool Coquille::DemandeFermeture() {
    try {
        return ProposeEnregistrement();
    } catch (const ErreurExecution& e) {
        // The book could not be saved: staying open is the only way to keep it.
        m_plateforme.Erreur(e.message());
        return false;
    }
}

bool Coquille::Fermeture() {
    if (!RepertoireDepart.isEmpty()) QDir::setCurrent(RepertoireDepart);

    // Each file is tried on its own: a settings file that cannot be written
    // must not keep the client file from being saved.
    QStringList erreurs;
    const auto essaie = [&erreurs](auto&& ecrit) {
        try {
            ecrit();
        } catch (const ErreurExecution& e) {
            erreurs << e.message();
        }
    };
    const std::string nomLivre = DepuisQString(LivreMemorise()).value_or(std::string());
    essaie([&] {
        if (!m_facture.IniIllisible) m_facture.SauveIni(nomLivre);
    });
    essaie([&] { SauveCli(m_facture.clients); });
    essaie([&] {
        if (!m_facture.GlossaireModifie) return;
        SauveGlo(m_facture.Glossaire);
        m_facture.GlossaireModifie = false;
    });
    if (erreurs.isEmpty()) return true;

    for (const QString& e : erreurs)
        m_plateforme.Erreur(e);
    return Avertissement(
               m_plateforme,
               QStringLiteral("Des fichiers n'ont pas pu être enregistrés. Quitter quand même ?"),
               {Bouton::Oui, Bouton::Non}) == Bouton::Oui;
}

} // namespace kyr
