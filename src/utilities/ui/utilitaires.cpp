#include "utilities/ui/utilitaires.h"

#include "utilities/bloc_notes.h"
#include "utilities/ui/bloc_notes_window.h"
#include "utilities/ui/calendrier_window.h"
#include "utilities/ui/euro_window.h"
#include "utilities/ui/horloge_window.h"
#include "utilities/ui/pocket_window.h"

#include <QDir>

namespace kyr {

void OuvreCalendrier(QWidget* parent) {
    TCalendrier fenetre(parent);
    fenetre.exec();
}

void OuvreCalculatrice(QWidget* parent, Calculatrice& etat, const Execution& execution) {
    TPocket fenetre(etat, execution, parent);
    fenetre.exec();
}

void OuvreHorloge(QWidget* parent, Plateforme& plateforme) {
    THorloge fenetre(plateforme, parent);
    fenetre.exec();
}

void OuvreEuro(QWidget* parent, const Execution& execution) {
    TEurof fenetre(execution, parent);
    fenetre.exec();
}

void OuvreBlocNotes(QWidget* parent, Plateforme& plateforme, const QString& repertoire,
                    const Execution& execution) {
    const QString chemin = CheminNote(
        QDir::toNativeSeparators(repertoire.isEmpty() ? QDir::currentPath() : repertoire));
    TBlocnotes fenetre(execution, parent);
    fenetre.Charge(chemin);
    while (true) {
        fenetre.exec();
        bool enregistre = false;
        execution([&] {
            fenetre.Sauve(chemin);
            enregistre = true;
        });
        if (enregistre) return;
        if (Avertissement(plateforme,
                          QStringLiteral("Le bloc-notes n'a pas été enregistré. Revenir au "
                                         "bloc-notes pour garder son texte ?"),
                          {Bouton::Oui, Bouton::Non}) != Bouton::Oui)
            return;
    }
}

} // namespace kyr
