// The reference of the start-time ratios: a plain Qt form window, as small as
// a real one gets (five menus of two items, a tool bar of two actions, a
// status bar label and a form of five labelled fields), nothing else.
#include <QApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow fenetre;
    fenetre.setWindowTitle(QStringLiteral("Fenetre formulaire"));
    for (const char* menu : {"&Fichier", "&Edition", "&Document", "&Paramètres", "&Aide"}) {
        QMenu* m = fenetre.menuBar()->addMenu(QString::fromUtf8(menu));
        m->addAction(QStringLiteral("&Premier"));
        m->addAction(QStringLiteral("&Second"));
    }
    QToolBar* outils = fenetre.addToolBar(QStringLiteral("Outils"));
    outils->addAction(QStringLiteral("Ouvrir"));
    outils->addAction(QStringLiteral("Enregistrer"));
    fenetre.statusBar()->addWidget(new QLabel(QStringLiteral("Prêt")));
    auto* formulaire = new QWidget;
    auto* champs = new QFormLayout(formulaire);
    for (const char* etiquette : {"&Nom", "&Rue", "&Ville", "&Code", "&Téléphone"})
        champs->addRow(QString::fromUtf8(etiquette), new QLineEdit);
    fenetre.setCentralWidget(formulaire);
    fenetre.show();
    return app.exec();
}
