#pragma once
// TFactListe, "Liste des factures": one line per document of the book, in a
// fixed-width font so that numbers, dates and codes line up. The entries can
// be moved up and down for the look only; the one selected when the dialog
// closes (other than with Escape) is the document to show.
#include "common/texte.h"

#include <QDialog>

class QListWidget;
class QToolButton;
class QPushButton;

namespace kyr {

class TFactListe final : public QDialog {
    Q_OBJECT
public:
    explicit TFactListe(QWidget* parent = nullptr);
    void Init(const Lignes& livre);
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

    QListWidget* m_liste;
    QToolButton* m_monte;
    QToolButton* m_descend;
    QPushButton* m_fermer;
};

} // namespace kyr
