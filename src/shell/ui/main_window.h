#pragma once
// The main window: a multiple-document frame holding the one invoice window,
// with the menus, the tool bar and the two-panel status bar. The file
// commands are the logic's (kyr::Coquille); every other command goes to the
// invoice window. All commands run through one dispatch that shows a
// run-time error in the standard error box.
#include "comptabilite/sources.h"
#include "common/plateforme.h"
#include "shell/coquille.h"
#include "utilities/calculatrice.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QTimer;

namespace kyr {

class TAide;
class TFacture;

class TMainForm final : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(Plateforme& plateforme, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Creates the invoice window as the frame's only child, maximised, and
    // activates it (it reads the client, company, settings and glossary files).
    TFacture* CreeFacture();
    TFacture* facture() const { return m_facture; }
    Coquille* coquille() const { return m_coquille.get(); }
    TAide* aide() const;

    // Enables the book commands; nothing disables them again.
    void Valide();
    // Runs a command: a kyr::ErreurExecution ends it and is shown.
    void Commande(const std::function<void()>& commande);
    // The welcome of a first start (no settings file) is offered when the
    // window is first shown. The program turns it on; windows made for other
    // purposes (tests) go without it.
    void OffreAccueil(bool offre) { m_offreAccueil = offre; }

protected:
    bool event(QEvent* e) override; // the current hint into status panel 0
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void CreeMenus();
    void CreeBarreOutils();
    void CreeBarreEtat();
    void Horloge();
    void PremierAffichage();
    void Accueil();

    // A file command of the logic, with the invoice window committed before it
    // and redisplayed after it.
    void CommandeLivre(const std::function<void(Coquille&)>& commande);
    // A command of the invoice window (does nothing before it exists).
    void CommandeFacture(const std::function<void(TFacture&)>& commande);
    // What the accounts of the open book take from beside it (received
    // invoices, payment dates of the register, natures of operation).
    SourcesCompta SourcesDuLivreOuvert(TFacture& f) const;
    void Rafraichit();
    void MontreTitre(); // the invoice window's caption, from its logic
    void Imprimer();
    void ConfigurerImprimante();
    void SupprimerFacture();
    void MontreAide(int mode);
    void MontreAide(const QString& page);
    void APropos();

    Plateforme& m_plateforme;
    std::unique_ptr<Coquille> m_coquille;
    QMdiArea* m_zone = nullptr;
    QMdiSubWindow* m_sousFenetre = nullptr;
    TFacture* m_facture = nullptr;
    QLabel* m_panneau0 = nullptr;
    QLabel* m_panneau1 = nullptr;
    QTimer* m_horloge = nullptr;
    QPointer<TAide> m_aide;
    Calculatrice m_calculatrice; // its state outlives the calculator window
    bool m_dejaAffiche = false;
    bool m_offreAccueil = false;
    bool m_ferme = false;
};

} // namespace kyr
