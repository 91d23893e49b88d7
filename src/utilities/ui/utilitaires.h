#pragma once
// The five desk utilities as the main window opens them: each window is
// created for one use, shown modally and destroyed when it closes.
#include "common/plateforme.h"
#include "utilities/calculatrice.h"
#include "utilities/ui/execution.h"

class QWidget;

namespace kyr {

void OuvreCalendrier(QWidget* parent);
// The calculator works on the caller's state, which outlives the window.
void OuvreCalculatrice(QWidget* parent, Calculatrice& etat, const Execution& execution);
void OuvreHorloge(QWidget* parent, Plateforme& plateforme);
void OuvreEuro(QWidget* parent, const Execution& execution);
// The note "Fact.nte" of the start-up folder (the current one when it is not
// known yet): loaded before the window is shown (an error ends the command
// before it opens), saved after it closed when changed. When it cannot be
// saved the user is offered to go back to the text rather than lose it.
void OuvreBlocNotes(QWidget* parent, Plateforme& plateforme, const QString& repertoire,
                    const Execution& execution);

} // namespace kyr
