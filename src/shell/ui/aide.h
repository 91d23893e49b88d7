#pragma once
// The help viewer: the program's help pages (HTML in the resources) with a
// keyword index. It stays open beside the main window while the user works.
#include <QDialog>
#include <QString>
#include <utility>
#include <vector>

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

    // The keywords of the index with their pages.
    static const std::vector<std::pair<QString, QString>>& MotsCles();

private:
    void Filtre(const QString& debut);
    void OuvreMotCle();
    void OuvrePage(const QString& page);

    QLineEdit* m_motCle = nullptr;
    QListWidget* m_liste = nullptr;
    QTextBrowser* m_page = nullptr;
};

} // namespace kyr
