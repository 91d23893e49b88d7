#pragma once
// TFactListe, "Liste des factures": one line per document of the book, in a
// fixed-width font so that numbers, dates and codes line up. The entries can
// be moved up and down for the look only; the one selected when the dialog
// closes (other than with Escape) is the document to show.
#include "book/lignes_livre.h"

#include <QDialog>

class QListView;
class QToolButton;
class QPushButton;

namespace kyr {

class ModeleListeFactures;

class TFactListe final : public QDialog {
    Q_OBJECT
public:
    explicit TFactListe(QWidget* parent = nullptr);
    // The entries of `livre`, which must outlive the dialog unchanged: each
    // entry's text is read from it when the entry is drawn.
    void Init(const LignesLivre& livre);
    // The block of the selected entry, -1 when none is selected.
    int Result() const;

public slots:
    void reject() override; // Escape: nothing is opened

protected:
    void closeEvent(QCloseEvent* e) override; // the close box: as "Fermer"
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void Deplace(int sens); // SpeedButton1 (-1) and SpeedButton2 (+1)
    void Dimensionne();
    int Selection() const; // the selected row, -1 for none

    ModeleListeFactures* m_modele;
    QListView* m_liste;
    QToolButton* m_monte;
    QToolButton* m_descend;
    QPushButton* m_fermer;
};

} // namespace kyr
