#pragma once
// TFichCli, the client card "Gestion des clients": a table of every client,
// sorted by name when it opens, with the current client's card below it.
#include "book/facture.h"
#include "clients/table_clients.h"

#include <QDialog>
#include <array>

class QLineEdit;
class QTableView;
class QToolButton;
class QPushButton;

namespace kyr {

class ModeleClients;

class TFichCli final : public QDialog {
    Q_OBJECT
public:
    TFichCli(Plateforme& plateforme, QWidget* parent = nullptr);

    // The card reads its rows in `liste`, which must outlive it unchanged
    // until Result (see TableClients::Init).
    void Init(const Lignes& liste);
    void Result(Lignes& liste) { m_table.Result(liste); }
    const TableClients& table() const { return m_table; }

public slots:
    // Escape and the close box behave as "Fermer": the card is written first.
    void reject() override;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void Affiche(); // the table and the card, from the logic
    void AfficheChamps();
    void ApresRefus(); // the card was refused: back to its code
    void Precedent();
    void Suivant();
    void Ajouter();
    void Supprimer();
    void Chercher();
    void Fermer();

    TableClients m_table;
    ModeleClients* m_modele;
    QTableView* m_grille;
    std::array<QLineEdit*, 5> m_champs{};
    QLineEdit* m_cherche;
    std::array<QToolButton*, 4> m_boutons{};
    bool m_maj = false; // the dialog itself is updating the widgets
};

// Runs the client card on the invoice window's client list. The list is then
// to be written at the next save, whether or not anything changed.
void Gestcli(Facture& f, QWidget* parent);

} // namespace kyr
