#pragma once
// The program's picture (an invoice sheet with a pen) and the tool bar's
// small pictures, drawn with QPainter so that they scale to any size.
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace kyr {

// The program picture stretched to the given size.
QPixmap ImageProgramme(const QSize& taille);
// The same picture at the usual icon sizes: the windows' icon.
QIcon IconeProgramme();

// The picture of a tool button: "nouveau", "ouvrir", "enregistrer", "copier",
// "coller", "chercher", "premier", "precedent", "suivant", "dernier",
// "facture", "calculer", "imprimer", "enveloppe".
QIcon IconeOutil(const QString& nom);

} // namespace kyr
