#include "einvoice/ui/verificateur.h"

#include <QLabel>
#include <QLineEdit>

namespace kyr {

Verificateur::Verificateur(QLabel* message) : QObject(message), m_message(message) {}

void Verificateur::Ajoute(QLineEdit* champ, std::function<QString()> controle) {
    m_champs.emplace_back(champ, controle);
    connect(champ, &QLineEdit::editingFinished, this, [this, controle] { Montre(controle()); });
}

bool Verificateur::Tout() {
    for (const auto& [champ, controle] : m_champs) {
        const QString probleme = controle();
        if (probleme.isEmpty()) continue;
        Montre(probleme);
        champ->setFocus();
        champ->selectAll();
        return false;
    }
    Montre({});
    return true;
}

void Verificateur::Montre(const QString& probleme) {
    m_message->setText(probleme);
}

QLabel* LabelProbleme(QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QStringLiteral("LabelProbleme"));
    l->setWordWrap(true);
    l->setStyleSheet(QStringLiteral("color: #b00000;"));
    l->setMinimumHeight(l->fontMetrics().height() * 2);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

} // namespace kyr
