#pragma once
// TGlos, "Glossaire": edits the glossary's "abbreviation TAB designation"
// entries and picks one designation to insert into the current line.
#include "lists/edition_glossaire.h"

#include <QDialog>

class QLineEdit;
class QListView;
class QPushButton;

namespace kyr {

class ModeleGlossaire;

class TGlos final : public QDialog {
    Q_OBJECT
public:
    explicit TGlos(QWidget* parent = nullptr);
    // The dialog edits `liste` where it is (see EditionGlossaire::Init).
    void Init(Lignes& liste);
    // The caller's list has every entry, however the dialog closed; the
    // selected entry's designation when it closed with "Insérer", else "".
    std::string Result(Lignes& liste) const;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void Clic();    // ListBox1Click
    void Ajouter(); // Button3Click, Enter in Edit2
    void Supprimer();
    void AfficheChamps();

    int Choisie() const; // the selected row, -1 for none

    EditionGlossaire m_logique;
    ModeleGlossaire* m_modele;
    QListView* m_liste;
    QLineEdit* m_abreviation;
    QLineEdit* m_designation;
};

} // namespace kyr
