// The invoice window's ways to reach a document without paging (the document
// list, the search by number) and its glossary dialog.
#include "book/ui/facture_window.h"

#include "lists/edition_glossaire.h"
#include "lists/liste_factures.h"
#include "lists/recherche_numero.h"
#include "lists/ui/factliste_dialog.h"
#include "lists/ui/find_dialog.h"
#include "lists/ui/glos_dialog.h"

#include <QTableWidget>

namespace kyr {

void TFacture::Liste() {
    bool montre = false;
    Execute(*this, [&] {
        montre = kyr::Liste(m_logique, [this](const LignesLivre& livre) {
            TFactListe d(this);
            d.Init(livre);
            d.exec();
            return d.Result();
        });
    });
    if (montre) apresDeplacement();
}

void TFacture::Chercher() {
    bool montre = false;
    Execute(*this, [&] {
        montre = kyr::Chercher(m_logique, [this] {
            TFindDialog d(this);
            d.exec();
            return d.Result();
        });
    });
    if (montre) apresDeplacement();
}

void TFacture::Glossaire() {
    Execute(*this, [this] {
        kyr::Glossaire(
            m_logique,
            [this](Lignes& liste) {
                TGlos d(this);
                d.Init(liste);
                d.exec();
                return d.Result(liste);
            },
            m_grille->currentColumn(), m_grille->currentRow() + 1);
    });
}

} // namespace kyr
