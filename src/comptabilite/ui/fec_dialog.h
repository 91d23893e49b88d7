#pragma once
// TExportFEC ("Fichier" > "Export comptable (FEC)..."): the fiscal year, the
// SIREN the file's name carries, what the file will hold and what the user
// must know first, then the file written where the user chooses.
#include "book/reglages.h"
#include "common/plateforme.h"
#include "comptabilite/comptes.h"
#include "comptabilite/export_fec.h"
#include "comptabilite/sources.h"
#include "lists/journal.h"

#include <QDialog>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kyr {

class Facture;

class TExportFEC final : public QDialog {
    Q_OBJECT
public:
    // `siren`: the seller's, from Fact.fxv (may be empty); the file is
    // proposed in `dossier`.
    TExportFEC(Journal journal, const Reglages& reglages, PlanComptable plan, SourcesCompta sources,
               const std::string& siren, Plateforme& plateforme, QString dossier,
               QWidget* parent = nullptr);

    QString Result() const { return m_ecrit; } // the file written; empty when none

private:
    void actualise();
    void Exporter();
    int annee() const;

    Journal m_journal;
    Reglages m_reglages;
    PlanComptable m_plan;
    SourcesCompta m_sources;
    Plateforme& m_plateforme;
    QString m_dossier;
    QString m_ecrit;
    bool m_demande = false; // the export was asked for once

    QComboBox* m_exercice;
    QLabel* m_periode;
    QLineEdit* m_siren;
    QLabel* m_nom;
    QPlainTextEdit* m_rapport;
    QLabel* m_probleme;
    QPushButton* m_exporter;
};

// The command on the book as it stands (the shown document stored first):
// the accounts of Fact.cpt (the usual chart when there is none), the SIREN of
// Fact.fxv, the received documents and the documents' natures of `sources`
// (no Nature: the seller's billing framework of Fact.fxv, see
// AvecCadreDuVendeur).
void ExportComptable(QWidget* parent, Facture& facture, const QString& dossier,
                     SourcesCompta sources);

} // namespace kyr
