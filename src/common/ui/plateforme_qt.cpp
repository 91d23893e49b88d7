#include "common/ui/plateforme_qt.h"

#include "common/horloge_systeme.h"
#include "common/texte.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QFontMetrics>
#include <QMessageBox>
#include <QProcess>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace kyr {

namespace {
const QString kTitreApplication = QStringLiteral("Kyr Facture");

QMessageBox::Icon IconeQt(Icone i) {
    switch (i) {
    case Icone::Avertissement:
        return QMessageBox::Warning;
    case Icone::Information:
        return QMessageBox::Information;
    case Icone::Erreur:
        return QMessageBox::Critical;
    case Icone::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole Role(Bouton b) {
    switch (b) {
    case Bouton::Oui:
        return QMessageBox::YesRole;
    case Bouton::Non:
        return QMessageBox::NoRole;
    case Bouton::Annuler:
        return QMessageBox::RejectRole;
    case Bouton::OK:
        return QMessageBox::AcceptRole;
    }
    return QMessageBox::AcceptRole;
}
} // namespace

PlateformeQt::PlateformeQt(QWidget* parent) : m_parent(parent) {}

void PlateformeQt::DefinitParent(QWidget* parent) {
    m_parent = parent;
}
void PlateformeQt::DefinitPolice(const QFont& police) {
    m_police = police;
}

QString PlateformeQt::TexteBouton(Bouton b) {
    switch (b) {
    case Bouton::Oui:
        return QStringLiteral("&Oui");
    case Bouton::Non:
        return QStringLiteral("&Non");
    case Bouton::Annuler:
        return QStringLiteral("Annuler");
    case Bouton::OK:
        return QStringLiteral("OK");
    }
    return {};
}

Bouton PlateformeQt::Question(const QString& titre, const QString& texte, Icone icone,
                              const std::vector<Bouton>& boutons) {
    const std::vector<Bouton> liste = boutons.empty() ? std::vector<Bouton>{Bouton::OK} : boutons;
    QMessageBox boite(IconeQt(icone), titre, texte, QMessageBox::NoButton, m_parent);
    boite.setObjectName(QStringLiteral("MessageBox"));
    // The buttons carry the program's own texts, whatever Qt's translations say.
    std::vector<QPushButton*> qboutons;
    for (Bouton b : liste) {
        QPushButton* q = boite.addButton(TexteBouton(b), Role(b));
        q->setObjectName(TexteBouton(b).remove(QLatin1Char('&')));
        qboutons.push_back(q);
    }
    boite.setDefaultButton(qboutons.front());
    boite.setEscapeButton(qboutons.back()); // Escape and closing count as the last button
    boite.exec();
    for (std::size_t i = 0; i < qboutons.size(); ++i)
        if (boite.clickedButton() == qboutons[i]) return liste[i];
    return liste.back();
}

void PlateformeQt::Message(const QString& texte) {
    Question(kTitreApplication, texte, Icone::Information, {Bouton::OK});
}

void PlateformeQt::Erreur(const QString& message) {
    Question(kTitreApplication, message + QLatin1Char('.'), Icone::Erreur, {Bouton::OK});
}

std::optional<QString> PlateformeQt::NomFichierOuvrir(const QString& filtre) {
    const QString nom =
        QFileDialog::getOpenFileName(m_parent, QStringLiteral("Ouvrir"), QString(), filtre);
    if (nom.isEmpty()) return std::nullopt;
    return nom;
}

std::optional<QString> PlateformeQt::NomFichierEnregistrer(const QString& filtre,
                                                           const QString& nomPropose) {
    // The caller asks "Ce fichier existe déjà" itself, on the name it will
    // really write (the extension made ".fct"): the dialog must not ask first.
    const QString nom =
        QFileDialog::getSaveFileName(m_parent, QStringLiteral("Enregistrer sous"), nomPropose,
                                     filtre, nullptr, QFileDialog::DontConfirmOverwrite);
    if (nom.isEmpty()) return std::nullopt;
    return nom;
}

QDateTime PlateformeQt::Maintenant() {
    return QDateTime::currentDateTime();
}

std::optional<QString> PlateformeQt::ReglerHorloge(const QDateTime& t) {
    if (!t.isValid()) return QStringLiteral("cette date ou cette heure n'existe pas");
    // A normal user may not set the clock himself: systemd's time service
    // does it, asking for the administrator's password where the desktop
    // can, and says why when it refuses. It may wait for that password.
    QProcess service;
    service.start(QStringLiteral("timedatectl"), ArgumentsReglageHorloge(t));
    if (!service.waitForStarted(5000))
        return QStringLiteral("le service d'heure du système (timedatectl) est introuvable");
    // The windows keep being drawn while the service waits (for a password,
    // up to two minutes); the window that asked takes no input meanwhile.
    QPointer<QWidget> fenetre = QApplication::activeModalWidget();
    if (!fenetre) fenetre = QApplication::activeWindow();
    if (fenetre) fenetre->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QEventLoop attente;
    QObject::connect(&service, &QProcess::finished, &attente, &QEventLoop::quit);
    QTimer delai;
    delai.setSingleShot(true);
    QObject::connect(&delai, &QTimer::timeout, &attente, &QEventLoop::quit);
    delai.start(120000);
    if (service.state() != QProcess::NotRunning) attente.exec();
    QApplication::restoreOverrideCursor();
    if (fenetre) fenetre->setEnabled(true);
    if (service.state() != QProcess::NotRunning) {
        service.kill();
        service.waitForFinished(1000);
        return QStringLiteral("le service d'heure du système n'a pas répondu");
    }
    if (service.exitStatus() == QProcess::NormalExit && service.exitCode() == 0)
        return std::nullopt;
    return RaisonRefusHorloge(QString::fromLocal8Bit(service.readAllStandardError()));
}

int PlateformeQt::LargeurTexte(const std::string& texte) {
    return QFontMetrics(m_police).horizontalAdvance(VersQString(texte));
}

void PlateformeQt::Poste(std::function<void()> f) {
    // Queued to the application object, which lives on the main thread.
    QMetaObject::invokeMethod(qApp, std::move(f), Qt::QueuedConnection);
}

} // namespace kyr
