#pragma once
// What the dialogs share: the "Annuler" / "OK" row, the place on the screen,
// the look of a read-only code field.
#include <QDialog>
#include <QHBoxLayout>

class QLineEdit;

namespace kyr {

// "Annuler" (Button1, Escape) then "OK" (Button2, default: Enter), on the right.
QHBoxLayout* BoutonsAnnulerOK(QDialog* dialogue);
// Centres a window on its screen (call it from showEvent, once the frame is known).
void CentreSurEcran(QWidget* fenetre);
// A read-only field gets the window's background, so it does not invite typing.
void LectureSeule(QLineEdit* champ, bool lectureSeule);

} // namespace kyr
