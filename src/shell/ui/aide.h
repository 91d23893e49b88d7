#pragma once
// The help viewer: the program's help pages (HTML in the resources) with a
// keyword index. It stays open beside the main window while the user works.
#include <QDialog>
#include <QString>
#include <functional>

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace kyr {

enum class ModeAide { Sommaire, Chercher, UtiliserAide };

class TAide final : public QDialog {
    Q_OBJECT
public:
    explicit TAide(QWidget* parent = nullptr);

    // Contents, keyword search (opened with an empty keyword), help on help.
    void Ouvre(ModeAide mode);
    // The page of a help context number (3 to 8: the menus, 9: the invoice window).
    void OuvreContexte(int contexte);
    // A page of the help ("fichier.html#FileOpenItem").
    void Montre(const QString& page);
    // The HTML of a page of the help (without its anchor); empty if there is none.
    static QString Html(const QString& page);

private:
    void Filtre(const QString& debut);
    void OuvreMotCle();
    void OuvrePage(const QString& page);

    QLineEdit* m_motCle = nullptr;
    QListWidget* m_liste = nullptr;
    QTextBrowser* m_page = nullptr;
};

// F1 anywhere in the program, in one place: the page of the menu that is open
// (at its highlighted command), else of the dialog or window that has the
// focus, found by walking up from it: a "HelpContext" number (the menus, the
// invoice window) or a window with a page of its own (kyr::PageFenetre).
class AideF1 final : public QObject {
public:
    // `montre` shows a page in the help viewer kept beside the main window.
    // While a dialog is open the page opens in a viewer of that dialog's own,
    // which its modality leaves usable.
    AideF1(std::function<void(const QString& page)> montre, QObject* parent);

    static QString PagePour(const QWidget* w);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    std::function<void(const QString&)> m_montre;
};

} // namespace kyr
