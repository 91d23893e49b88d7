#pragma once
// "Fichier" > "Factures reçues...": the received invoices of the book, from
// the index of the folder beside it, sortable, searched by supplier or
// number; "Importer..." (several .pdf and .xml at once, or dropped on the
// window) reads, checks and keeps them on a worker thread while a progress
// shows; Enter or a double click shows one.
#include "einvoice/tiers.h"
#include "recues/importation.h"
#include "recues/registre.h"

#include <QDialog>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QTableView;

namespace kyr {

class Plateforme;
class ModeleRecues;

// The program's choice of files: the open dialog taking several at once.
using ChoixFichiers = std::function<QStringList(QWidget* parent)>;
ChoixFichiers ChoixProgramme();

class TRecues final : public QDialog {
    Q_OBJECT
public:
    TRecues(const QString& dossier, const std::optional<Vendeur>& moi, Plateforme& plateforme,
            ChoixFichiers choix, QWidget* parent = nullptr);
    ~TRecues() override;

    // Reads, checks and keeps the files (what "Importer..." and a drop do),
    // then tells the outcome; the list shows the new ones.
    void Importe(const QStringList& chemins);
    const RegistreRecues& registre() const { return m_registre; }
    QTableView* table() const { return m_table; }
    // The bilan of the last import (for the tests).
    const BilanImport& dernierBilan() const { return m_bilan; }

protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void Importer();
    void Voir();
    void actualise();

    QString m_dossier;
    std::optional<Vendeur> m_moi;
    Plateforme& m_plateforme;
    ChoixFichiers m_choix;
    RegistreRecues m_registre;
    BilanImport m_bilan;
    std::unique_ptr<ModeleRecues> m_modele;
    QSortFilterProxyModel* m_filtre = nullptr;
    QTableView* m_table = nullptr;
    QLineEdit* m_recherche = nullptr;
    QLabel* m_compte = nullptr;
};

// The command: the book must have a file (its invoices are kept beside it).
void FacturesRecues(QWidget* parent, Plateforme& plateforme, const QString& cheminLivre);

} // namespace kyr
