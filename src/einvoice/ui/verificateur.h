#pragma once
// The field checks of the e-invoice dialogs, run where the text is typed: a
// field is checked when the user leaves it, and every field again on "OK";
// the first problem shows, in red, under the form, and that field takes the
// focus.
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QWidget;

namespace kyr {

class Verificateur final : public QObject {
    Q_OBJECT
public:
    // `message` shows the problem (empty when none).
    explicit Verificateur(QLabel* message);
    void Ajoute(QLineEdit* champ, std::function<QString()> controle);
    // Every field in order: false, with the first problem shown and its field
    // focused, when one is wrong.
    bool Tout();

private:
    void Montre(const QString& probleme);
    QLabel* m_message;
    std::vector<std::pair<QLineEdit*, std::function<QString()>>> m_champs;
};

// A label in red, word-wrapped, for Verificateur.
QLabel* LabelProbleme(QWidget* parent);

} // namespace kyr
