#include "shell/ui/about.h"

#include "shell/ui/image_programme.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace kyr {

namespace {

QLabel* Texte(QWidget* parent, const char* nom, const QString& texte, int hauteur, bool gras,
              const QRect& place) {
    auto* l = new QLabel(texte, parent);
    l->setObjectName(QLatin1String(nom));
    QFont f = l->font();
    f.setBold(gras);
    f.setPixelSize(hauteur);
    l->setFont(f);
    l->setGeometry(place);
    return l;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("A propos"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QFont police(QStringLiteral("MS Sans Serif"));
    police.setPixelSize(11);
    setFont(police);
    setFixedSize(298, 220);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(8, 8, 282, 161);

    auto* icone = new QLabel(panel);
    icone->setObjectName(QStringLiteral("ProgramIcon"));
    icone->setGeometry(8, 8, 80, 70);
    // The picture keeps its proportions, centred in its 80 x 70 place.
    icone->setAlignment(Qt::AlignCenter);
    icone->setPixmap(ImageProgramme(QSize(55, 70)));

    Texte(panel, "ProductName", QStringLiteral("Kyr Facture"), 20, true, QRect(100, 16, 170, 26));
    Texte(panel, "Version", QStringLiteral("Version 2001"), 13, true, QRect(100, 48, 170, 18));
    QLabel* commentaires = Texte(panel, "Comments", QStringLiteral("Logiciel de facturation."), 17,
                                 false, QRect(8, 96, 266, 56));
    commentaires->setWordWrap(true);
    commentaires->setAlignment(Qt::AlignLeft | Qt::AlignBottom);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(111, 180, 75, 28);
    ok->setDefault(true);
    ok->setAutoDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace kyr
