#pragma once
// TBlocnotes: the notepad, one free text kept in "Fact.nte" from one run to
// the next. The caller loads it before showing the window and saves it after
// the window has closed (only when the text was changed).
#include "utilities/ui/execution.h"

#include <QDialog>
#include <string>

class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace kyr {

class TBlocnotes final : public QDialog {
    Q_OBJECT
public:
    explicit TBlocnotes(Execution execution, QWidget* parent = nullptr);

    // Loads the note file when it exists (errors reach the caller).
    void Charge(const QString& chemin);
    // Writes the note when it was changed; the changed mark is cleared only
    // once the file is written.
    void Sauve(const QString& chemin);
    // Prints the note on the default printer ("Aucune imprimante par défaut
    // sélectionnée" when there is none).
    void Imprimer();

    QPlainTextEdit* memo() const { return m_memo; }
    std::string Note() const; // the text as bytes, lines separated by "\n"

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    Execution m_execution;
    QPlainTextEdit* m_memo;
    QPushButton* m_fermer;
    QToolButton* m_imprimer;
};

} // namespace kyr
