#pragma once
// TParamf, the invoicing parameters dialog: euro rate, VAT rates, payment
// conditions, currency and the conversion flag.
#include "book/facture.h"
#include "book/parametres.h"

#include <QDialog>
#include <array>
#include <optional>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace kyr {

class TParamf final : public QDialog {
    Q_OBJECT
public:
    explicit TParamf(QWidget* parent = nullptr);

    void Init(const ChampsParamf& champs);
    // The answer when the dialog was accepted; nullopt when it was cancelled.
    std::optional<ChampsParamf> Result() const;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void keyPressEvent(QKeyEvent* evenement) override;
    void showEvent(QShowEvent* evenement) override;

private:
    // The key filter of the four rate fields; true when the key is consumed.
    bool FormKeyPress(QLineEdit* edit, const class QKeyEvent& touche);

    std::array<QLineEdit*, 9> m_edit{};
    QRadioButton* m_franc = nullptr;
    QRadioButton* m_euro = nullptr;
    QCheckBox* m_omettre = nullptr;
};

// Runs the dialog, applies the answer, writes the settings file and refreshes
// the currency captions and totals of f.fiche; the caller then redisplays.
void ParF(Facture& f, QWidget* parent);

} // namespace kyr
