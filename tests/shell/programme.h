#pragma once
// One copy of the program at work, without a window: the invoice window's
// logic and the file commands on a scripted platform.
#include "book/facture.h"
#include "common/erreurs.h"
#include "shell/coquille.h"
#include "support/plateforme_fausse.h"

namespace kyr::test {

struct Programme {
    PlateformeFausse p;
    Facture f{p};
    Coquille c{f, p};

    bool Ouvre(const QString& chemin) {
        p.nomsOuvrir.push_back(chemin);
        return c.Ouvrir();
    }
    // An edit of the shown document, as the window's change handlers make it.
    void Edite(const std::string& nom) {
        f.fiche.Adresse[0] = nom;
        f.Modifie();
    }
    QString Question() const { return p.questions.empty() ? QString() : p.questions.back().texte; }
    // The message the user saw: the one the command threw to the main
    // window's dispatch, or the last error shown.
    template <class F> QString Message(F&& commande) {
        try {
            commande();
        } catch (const ErreurExecution& e) {
            return e.message();
        }
        return p.erreurs.empty() ? QString() : p.erreurs.back();
    }
};

} // namespace kyr::test
