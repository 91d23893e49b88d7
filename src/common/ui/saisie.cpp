#include "common/ui/saisie.h"

#include "common/texte.h"

#include <QComboBox>
#include <QDropEvent>
#include <QEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace kyr {

Validateur1252::Validateur1252(QObject* parent, QValidator* interne)
    : QValidator(parent), m_interne(interne) {}

QValidator::State Validateur1252::validate(QString& texte, int& position) const {
    if (!EstRepresentable(texte)) return Invalid;
    return m_interne ? m_interne->validate(texte, position) : Acceptable;
}

void Validateur1252::fixup(QString& texte) const {
    if (m_interne) m_interne->fixup(texte);
}

void Filtre1252(QLineEdit* edit) {
    if (!edit) return;
    const QValidator* existant = edit->validator();
    if (qobject_cast<const Validateur1252*>(existant)) return; // already filtered
    edit->setValidator(new Validateur1252(edit, const_cast<QValidator*>(existant)));
}

void Filtre1252(QComboBox* combo) {
    if (combo && combo->lineEdit()) Filtre1252(combo->lineEdit());
}

namespace {

// Watches a plain text editor: refuses keys and input-method text that hold
// characters without a byte, and undoes any other change that brings some in
// (context-menu paste, drag and drop, a program insertion).
class Garde1252 final : public QObject {
public:
    explicit Garde1252(QPlainTextEdit* edit)
        : QObject(edit), m_edit(edit), m_texte(edit->toPlainText()) {
        setObjectName(kNom);
        edit->installEventFilter(this);
        edit->viewport()->installEventFilter(this);
        // Where the change starts: the cursor goes back there if it is undone.
        connect(edit->document(), &QTextDocument::contentsChange, this,
                [this](int position, int, int) {
                    if (!m_retablit) m_position = position;
                });
        connect(edit, &QPlainTextEdit::textChanged, this, &Garde1252::Verifie);
    }

    static constexpr const char* kNom = "Garde1252";

protected:
    bool eventFilter(QObject* objet, QEvent* e) override {
        switch (e->type()) {
        case QEvent::KeyPress: {
            auto* k = static_cast<QKeyEvent*>(e);
            if (!k->text().isEmpty() && !EstRepresentable(k->text())) return true;
            break;
        }
        case QEvent::InputMethod: {
            auto* im = static_cast<QInputMethodEvent*>(e);
            if (!EstRepresentable(im->commitString())) {
                e->accept();
                return true;
            }
            break;
        }
        case QEvent::Drop: {
            auto* d = static_cast<QDropEvent*>(e);
            if (d->mimeData() && d->mimeData()->hasText() &&
                !EstRepresentable(d->mimeData()->text())) {
                d->ignore();
                return true;
            }
            break;
        }
        default:
            break;
        }
        return QObject::eventFilter(objet, e);
    }

private:
    void Verifie() {
        if (m_retablit) return;
        const QString texte = m_edit->toPlainText();
        if (EstRepresentable(texte)) {
            m_texte = texte;
            return;
        }
        // Put back the last acceptable text where the user was.
        m_retablit = true;
        const int defilement = m_edit->verticalScrollBar()->value();
        m_edit->setPlainText(m_texte);
        QTextCursor c = m_edit->textCursor();
        c.setPosition(std::min(m_position, static_cast<int>(m_texte.size())));
        m_edit->setTextCursor(c);
        m_edit->verticalScrollBar()->setValue(defilement);
        m_retablit = false;
    }

    QPlainTextEdit* m_edit;
    QString m_texte;
    int m_position = 0;
    bool m_retablit = false;
};

} // namespace

void Filtre1252(QPlainTextEdit* edit) {
    if (!edit || edit->findChild<QObject*>(Garde1252::kNom, Qt::FindDirectChildrenOnly)) return;
    new Garde1252(edit);
}

QString Q(const std::string& octets) {
    return VersQString(octets);
}

std::string S(const QString& texte) {
    if (auto octets = DepuisQString(texte)) return *octets;
    std::string r;
    for (QChar c : texte)
        if (auto o = DepuisQString(QString(c))) r += *o;
    return r;
}

} // namespace kyr
