#pragma once
// TComptes: the accounts and journals of the accountant's file and the fiscal
// year's closing date ("Paramètres" > "Comptabilité..."), kept in Fact.cpt.
#include "book/reglages.h"
#include "common/plateforme.h"
#include "comptabilite/comptes.h"

#include <QDialog>
#include <utility>
#include <vector>

class QDateEdit;
class QLabel;
class QLineEdit;

namespace kyr {

class TComptes final : public QDialog {
    Q_OBJECT
public:
    // The settings' rates name the VAT accounts and give the defaults.
    explicit TComptes(const Reglages& reglages, QWidget* parent = nullptr);
    void Init(const PlanComptable& p);
    PlanComptable Result() const; // the fields as typed

    void accept() override; // only when the plan can be used

private:
    QLineEdit* Numero(const char* nom);
    QLineEdit* Libelle(const char* nom);
    void Defauts(); // the usual chart, after a question

    Reglages m_reglages;
    QLineEdit *m_codeVentes, *m_libelleVentes, *m_codeAchats, *m_libelleAchats;
    std::vector<std::pair<QLineEdit*, QLineEdit*>> m_comptes; // by Rubriques()
    QDateEdit* m_cloture;
    QLabel* m_probleme;
};

// The command: the dialog filled from Fact.cpt (the usual chart when there is
// none); accepted, the file is written at once. Errors are shown by the
// platform; a file that cannot be read is not replaced.
void ParamComptes(QWidget* parent, Plateforme& plateforme, const Reglages& reglages);

} // namespace kyr
