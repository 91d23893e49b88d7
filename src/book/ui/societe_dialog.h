#pragma once
// TSociete: the seven lines of the company heading.
#include "book/facture.h"
#include "book/societe.h"

#include <QDialog>
#include <array>

class QLineEdit;

namespace kyr {

class TSociete final : public QDialog {
    Q_OBJECT
public:
    explicit TSociete(QWidget* parent = nullptr);

    void Init(const LignesSociete& lignes);
    // The first output is emptied; when the dialog was accepted the seven
    // outputs take the fields, otherwise the others are left as they are.
    void Result(LignesSociete& sorties) const;
    LignesSociete Champs() const; // the texts of Edit1..Edit7

protected:
    void keyPressEvent(QKeyEvent* evenement) override;
    void showEvent(QShowEvent* evenement) override;

private:
    std::array<QLineEdit*, 7> m_edit{};
};

// Runs the dialog; an accepted description with a first line replaces the
// company lines and is written to Fact.soc at once.
void Psoc(Facture& f, QWidget* parent);

} // namespace kyr
