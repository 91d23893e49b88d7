#include "shell/ui/splash.h"

#include "shell/ui/image_programme.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QScreen>

namespace kyr {

namespace {

QLabel* Texte(QWidget* parent, const char* nom, const QString& texte, int hauteur,
              const QRect& place) {
    auto* l = new QLabel(texte, parent);
    l->setObjectName(QLatin1String(nom));
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(hauteur);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    l->setPalette(pal);
    l->setAttribute(Qt::WA_TranslucentBackground);
    l->setGeometry(place);
    return l;
}

} // namespace

TSplash::TSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Splash"));
    setFixedSize(318, 221);

    // A single dark border around a raised lavender panel.
    auto* bord = new QFrame(this);
    bord->setFrameStyle(QFrame::Box | QFrame::Plain);
    bord->setLineWidth(1);
    bord->setGeometry(rect());

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(3);
    panel->setGeometry(rect().adjusted(1, 1, -1, -1));
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, QColor(208, 192, 224));
    panel->setPalette(pal);

    auto* image = new QLabel(panel);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(20, 53, 89, 113);
    image->setPixmap(ImageProgramme(QSize(89, 113)));

    Texte(panel, "Label1", QStringLiteral("Kyr Facture"), 23, QRect(124, 76, 180, 30));
    Texte(panel, "Label2", QStringLiteral("Version 2001"), 17, QRect(124, 112, 180, 24));
}

void TSplash::Montre() {
    if (const QScreen* ecran = QGuiApplication::primaryScreen())
        move(ecran->geometry().center() - rect().center());
    show();
    repaint();
    QApplication::processEvents();
}

} // namespace kyr
