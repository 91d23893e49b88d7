#include "common/ui/boutons_dialogue.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace kyr {

QHBoxLayout* BoutonsAnnulerOK(QDialog* dialogue) {
    auto* annuler = new QPushButton(QStringLiteral("Annuler"), dialogue);
    annuler->setObjectName(QStringLiteral("Button1"));
    annuler->setAutoDefault(false);
    auto* ok = new QPushButton(QStringLiteral("OK"), dialogue);
    ok->setObjectName(QStringLiteral("Button2"));
    ok->setDefault(true);
    QObject::connect(annuler, &QPushButton::clicked, dialogue, &QDialog::reject);
    QObject::connect(ok, &QPushButton::clicked, dialogue, &QDialog::accept);
    auto* l = new QHBoxLayout;
    l->addStretch();
    l->addWidget(annuler);
    l->addWidget(ok);
    return l;
}

void CentreSurEcran(QWidget* fenetre) {
    if (const QScreen* ecran = fenetre->screen()) {
        QRect cadre = fenetre->frameGeometry();
        cadre.moveCenter(ecran->availableGeometry().center());
        fenetre->move(cadre.topLeft());
    }
}

void LectureSeule(QLineEdit* champ, bool lectureSeule) {
    champ->setReadOnly(lectureSeule);
    QPalette p = champ->palette();
    const QPalette defaut = QApplication::palette(champ);
    p.setColor(QPalette::Base,
               lectureSeule ? defaut.color(QPalette::Window) : defaut.color(QPalette::Base));
    champ->setPalette(p);
}

} // namespace kyr
