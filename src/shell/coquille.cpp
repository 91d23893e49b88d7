// The main window's file commands on invoice books.
#include "shell/coquille.h"

#include "book/glossaire.h"
#include "book/liste_clients.h"
#include "book/reglages.h"
#include "book/societe.h"
#include "common/erreurs.h"
#include "common/restes_ecriture.h"
#include "common/texte.h"
#include "shell/prelecture.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStringList>
#include <QSysInfo>
#include <algorithm>
#include <system_error>
#include <thread>

namespace kyr {

namespace {

const QString FiltreFactures = QStringLiteral("Factures (*.fct)");
const QString DejaOuvert = QStringLiteral(
    "Le livre %1 est déjà ouvert dans une autre copie de Kyr Facture.\nL'ouvrir quand même ?");
const QString OuvertAilleurs = QStringLiteral(
    "Le livre %1 est ouvert dans une autre copie de Kyr Facture.\nLe remplacer quand même ?");

qsizetype DebutNom(const QString& nom) {
    return std::max(nom.lastIndexOf(QLatin1Char('/')), nom.lastIndexOf(QLatin1Char('\\'))) + 1;
}

} // namespace

// A save whose final step runs on the worker thread. The worker touches only
// `sauvegarde` and `erreur`, and only until it ends; the main thread reads
// them after joining it.
struct Coquille::EnCours {
    SauvegardeLivre sauvegarde;
    std::optional<ErreurExecution> erreur;
    QString nom;
    PriseVerrou prise;
    bool nouveauNom = false;
    unsigned numero = 0;
    std::thread fil;

    explicit EnCours(SauvegardeLivre s) : sauvegarde(std::move(s)) {}
    void Termine() {
        try {
            sauvegarde.ecriture.Termine();
        } catch (const ErreurExecution& e) {
            erreur = e;
        }
    }
};

Coquille::Coquille(Facture& facture, Plateforme& plateforme)
    : m_facture(facture), m_plateforme(plateforme) {
    m_facture.EnregistrePourEmission = [this] { return EnregistrePourEmission(); };
}

Coquille::~Coquille() {
    m_facture.EnregistrePourEmission = nullptr;
    // Never gone with the book's file half-replaced: the final step ends first.
    if (m_enCours && m_enCours->fil.joinable()) m_enCours->fil.join();
}

void Coquille::Lance(const QString& nom, PriseVerrou prise, bool nouveauNom) {
    AttendSauvegarde(); // one save at a time (the commands have waited already)
    std::optional<SauvegardeLivre> sauvegarde;
    try {
        sauvegarde = m_facture.LanceSauvegarde(nom); // nothing changed on error
    } catch (const ErreurExecution& e) {
        throw e.ModificationsGardees();
    }
    if (!sauvegarde) return;
    auto enCours = std::make_unique<EnCours>(std::move(*sauvegarde));
    EnCours* const e = enCours.get();
    e->nom = nom;
    e->prise = std::move(prise);
    e->nouveauNom = nouveauNom;
    e->numero = ++m_numero;
    try {
        e->fil = std::thread([e, p = &m_plateforme, this,
                              vivant = std::weak_ptr<const bool>(m_vivant), numero = e->numero] {
            e->Termine();
            p->Poste([this, vivant, numero] {
                if (!vivant.expired()) Recoit(numero);
            });
        });
    } catch (const std::system_error&) {
        e->Termine(); // no thread to be had: the window waits for the disk this once
    }
    m_enCours = std::move(enCours);
    // The client file, written while the book's goes to the disk: a failure
    // here reaches the dispatch and leaves the book's save running.
    try {
        SauveCli(m_facture.clients);
    } catch (const ErreurExecution& e) {
        throw e.ModificationsGardees();
    }
}

void Coquille::Recoit(unsigned numero) {
    // Already taken by a command that waited for it, or a later save's turn.
    if (!m_enCours || m_enCours->numero != numero) return;
    try {
        Conclut();
    } catch (const ErreurExecution& e) {
        m_plateforme.Erreur(e.message());
    }
    if (SauvegardeTerminee) SauvegardeTerminee();
}

void Coquille::AttendSauvegarde() {
    if (m_enCours) Conclut();
}

void Coquille::Conclut() {
    const std::unique_ptr<EnCours> e = std::move(m_enCours);
    if (e->fil.joinable()) e->fil.join();
    if (e->erreur) {
        // The old file is intact; a lock taken for a new name goes with `e`.
        m_facture.SauvegardeEchouee(e->sauvegarde);
        throw e->erreur->ModificationsGardees();
    }
    FichierCourant = e->nom;
    // The lock too, when the copy that held it at opening has closed since.
    PriseVerrou prise = e->nouveauNom ? std::move(e->prise)
                        : m_verrou    ? PriseVerrou{}
                                      : Verrouille(FichierCourant, {});
    // What the file holds now, known from the bytes written: nothing is read back.
    Attache(std::move(prise), e->sauvegarde.ecriture.Empreinte());
    if (e->nouveauNom) Memorise(e->nom);
    // The register follows the book on disk; the book is saved whatever
    // becomes of it, so its failure is only shown.
    try {
        if (e->nouveauNom) m_facture.registre.Renomme(e->nom);
        m_facture.SauvegardeFaite(e->sauvegarde);
    } catch (const ErreurExecution& erreur) {
        m_plateforme.Erreur(erreur.message());
    }
}

std::optional<QString> Coquille::EnregistrePourEmission() {
    // Under the book's lock, which this copy keeps while the book is open: the
    // register is written by one program at a time.
    if (!Enregistrer()) return std::nullopt;
    AttendSauvegarde(); // throws when the disk refused the book
    if (SauvegardeTerminee) SauvegardeTerminee();
    if (FichierCourant.isEmpty() || m_facture.TestModif()) return std::nullopt;
    return FichierCourant;
}

QString Coquille::NomVerrou(const QString& livre) {
    const QFileInfo info(livre);
    return info.absoluteDir().filePath(QLatin1Char('.') + info.fileName() +
                                       QStringLiteral(".verrou"));
}

bool Coquille::TientVerrou() const {
    return m_verrou != nullptr;
}

Coquille::PriseVerrou Coquille::Verrouille(const QString& nom, const QString& question) {
    PriseVerrou prise;
    const QString chemin = NomVerrou(nom);
    if (m_verrou && m_verrou->fileName() == chemin) return prise; // this copy holds it
    auto verrou = std::make_unique<QLockFile>(chemin);
    // Held as long as the book is open, however long that is: only a lock
    // whose program is no longer running (same computer) is stale.
    verrou->setStaleLockTime(0);
    if (verrou->tryLock(0)) {
        prise.verrou = std::move(verrou);
        return prise;
    }
    // No lock possible here, or only a silent try (after a save).
    if (verrou->error() != QLockFile::LockFailedError || question.isEmpty()) return prise;
    qint64 pid = 0;
    QString machine, programme;
    QString texte = question.arg(NomSansDossier(nom));
    if (verrou->getLockInfo(&pid, &machine, &programme) && !machine.isEmpty() &&
        machine != QSysInfo::machineHostName())
        texte += QStringLiteral("\n(Il est ouvert sur l'ordinateur %1.)").arg(machine.left(60));
    prise.refuse = Avertissement(m_plateforme, texte, {Bouton::Oui, Bouton::Non}) != Bouton::Oui;
    return prise;
}

void Coquille::Attache(PriseVerrou prise, std::optional<EmpreinteFichier> empreinte) {
    if (prise.verrou)
        m_verrou = std::move(prise.verrou);
    else if (m_verrou && m_verrou->fileName() != NomVerrou(FichierCourant))
        m_verrou.reset(); // the lock of the book's former file
    m_empreinte = std::move(empreinte);
}

void Coquille::Detache() {
    m_verrou.reset();
    m_empreinte.reset();
}

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
            PriseVerrou prise = Verrouille(m_livreMemorise, DejaOuvert);
            if (!prise.refuse) {
                try {
                    std::optional<LivreLu> lu =
                        Prelecture ? Prelecture->Prends(m_livreMemorise) : std::nullopt;
                    std::optional<EmpreinteFichier> empreinte;
                    if (lu) {
                        empreinte = lu->empreinte;
                        m_facture.Charge(m_livreMemorise, std::move(lu->lignes));
                    } else {
                        empreinte = m_facture.Charge(m_livreMemorise);
                    }
                    FichierCourant = m_livreMemorise;
                    Attache(std::move(prise), std::move(empreinte));
                    (void)RetireRestesEcriture(FichierCourant);
                    charge = true;
                } catch (const ErreurExecution& e) {
                    m_plateforme.Erreur(e.message());
                }
            }
        }
    }
    // Lines read ahead and not taken (a book not reopened) are let go now.
    if (Prelecture) (void)Prelecture->Prends(QString());
    Prelecture = nullptr;
    RepertoireDepart = QDir::currentPath();
    // The files this folder's copies write at exit, whose save a stopped
    // computer may have cut short.
    for (const QString& nom :
         {NomFichierIni, NomFichierClients, NomFichierGlossaire, NomFichierSociete})
        (void)RetireRestesEcriture(nom);
    return charge;
}

bool Coquille::ProposeEnregistrement() {
    AttendSauvegarde(); // a failed save marks the book modified: asked about below
    if (!m_facture.TestModif()) return true;
    const QString texte = QStringLiteral("Enregistrer changements dans ") +
                          NomSansDossier(FichierCourant) + QStringLiteral(" ?");
    switch (Avertissement(m_plateforme, texte, {Bouton::Oui, Bouton::Non, Bouton::Annuler})) {
    case Bouton::Oui:
        // A save that did not happen (dialog cancelled) stops the command:
        // going on would throw the book away. So does one the disk refuses:
        // the book is left only once it is there.
        if (!Enregistrer()) return false;
        AttendSauvegarde();
        return true;
    case Bouton::Non:
        return true;
    default:
        return false;
    }
}

void Coquille::NouveauLivre() {
    if (!ProposeEnregistrement()) return;
    FichierCourant.clear();
    Detache();
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
    PriseVerrou prise = Verrouille(*nom, DejaOuvert);
    if (prise.refuse) return false;
    // The fingerprint of the very bytes loaded: a change made since is seen.
    // On failure the previous book is back and keeps its name and lock.
    auto empreinte = m_facture.Charge(*nom);
    FichierCourant = *nom;
    Attache(std::move(prise), std::move(empreinte));
    (void)RetireRestesEcriture(FichierCourant);
    Memorise(*nom);
    CommandesLivre = true;
    return true;
}

bool Coquille::Enregistrer() {
    // A save still on its way to the disk first: the file, its fingerprint
    // and the book's state are then those it left.
    AttendSauvegarde();
    if (FichierCourant.isEmpty()) return EnregistrerSous();
    if (!m_facture.TestModif()) return true; // nothing to write
    // Another copy of the program, a backup or a synchronised folder may have
    // written the file since this copy read it: replacing it would lose that.
    if (ChangeDepuis(FichierCourant, m_empreinte)) {
        const QString texte =
            QStringLiteral("Le fichier %1 a été modifié par un autre programme depuis son "
                           "ouverture.\nLe remplacer par le livre affiché ?\n\n"
                           "« Non » l'enregistre sous un autre nom.")
                .arg(NomSansDossier(FichierCourant));
        switch (Avertissement(m_plateforme, texte, {Bouton::Oui, Bouton::Non, Bouton::Annuler})) {
        case Bouton::Oui:
            break;
        case Bouton::Non: {
            // A cancelled choice of name leaves the book as it was, name and lock.
            const QString ancien = FichierCourant;
            if (EnregistrerSousNom()) return true;
            if (FichierCourant.isEmpty()) FichierCourant = ancien;
            return false;
        }
        default:
            return false;
        }
    }
    // The name is the one the book was read from or written to: it is used as
    // it stands (FACTURES.FCT stays FACTURES.FCT, a.b.fct stays a.b.fct).
    Lance(FichierCourant, {}, false);
    return true;
}

bool Coquille::EnregistrerSous() {
    AttendSauvegarde();
    if (EnregistrerSousNom()) return true;
    // No name chosen: the book no longer has a file, nor its lock.
    if (FichierCourant.isEmpty()) Detache();
    return false;
}

bool Coquille::EnregistrerSousNom() {
    FichierCourant.clear();
    const std::optional<QString> choisi =
        m_plateforme.NomFichierEnregistrer(FiltreFactures, QStringLiteral("*.fct"));
    if (!choisi || choisi->isEmpty()) return false;
    const QString nom = NormaliseExtension(*choisi);
    if (FichierExiste(nom) && Avertissement(m_plateforme, QStringLiteral("Ce fichier existe déjà"),
                                            {Bouton::OK, Bouton::Annuler}) != Bouton::OK)
        return false;
    PriseVerrou prise = Verrouille(nom, OuvertAilleurs);
    if (prise.refuse) return false;
    // The new file gets the book even when nothing changed since it was read.
    // The book takes the name once the file is in place (AttendSauvegarde).
    m_facture.LivreModifie = true;
    Lance(nom, std::move(prise), true);
    return true;
}

bool Coquille::DemandeFermeture() {
    try {
        return ProposeEnregistrement(); // waits for a save still running
    } catch (const ErreurExecution& e) {
        // The book could not be saved: staying open is the only way to keep it.
        m_plateforme.Erreur(e.message());
        return false;
    }
}

bool Coquille::Fermeture() {
    // Never quit with the book's save unfinished, nor with it failed.
    try {
        AttendSauvegarde();
    } catch (const ErreurExecution& e) {
        m_plateforme.Erreur(e.message());
        return false;
    }
    if (!RepertoireDepart.isEmpty()) QDir::setCurrent(RepertoireDepart);

    // Each file is tried on its own: a settings file that cannot be written
    // must not keep the client file from being saved.
    QStringList erreurs;
    // Whatever could not be written is still in the program, which then
    // asks whether to quit.
    const auto essaie = [&erreurs](auto&& ecrit) {
        try {
            ecrit();
        } catch (const ErreurExecution& e) {
            erreurs << e.ModificationsGardees().message();
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
    if (erreurs.isEmpty()) {
        Detache();
        return true;
    }

    for (const QString& e : erreurs)
        m_plateforme.Erreur(e);
    const bool quitte =
        Avertissement(
            m_plateforme,
            QStringLiteral("Des fichiers n'ont pas pu être enregistrés. Quitter quand même ?"),
            {Bouton::Oui, Bouton::Non}) == Bouton::Oui;
    if (quitte) Detache();
    return quitte;
}

} // namespace kyr
