#pragma once
// The received invoice as a person reads it (recues/vue_html.h), with the
// PDF's own pages beside it for a Factur-X; it prints, previews and exports
// to PDF through the program's outputs (printing/ui/sorties.h).
#include "einvoice/tiers.h"
#include "printing/ui/sorties.h"
#include "recues/facture_recue.h"

#include <QByteArray>
#include <QDialog>
#include <memory>
#include <optional>

class QScrollArea;
class QTextBrowser;
class QTextDocument;

namespace kyr {

// The pages shown of a Factur-X: its own, rarely more than a few.
inline constexpr int PagesMaxVue = 20;

// Draws a rich text document on the pages of a print job: A4 portrait,
// 15 mm margins, "Page n/N" at the foot. Throws ErreurExecution on a page
// device that is not the program's own.
DessinImpression DessinTexte(std::shared_ptr<QTextDocument> document);

class TVueRecue final : public QDialog {
    Q_OBJECT
public:
    // The file's bytes as kept; `moi` is the company (buyer check), nullopt
    // when Fact.fxv is not there.
    TVueRecue(const QByteArray& octets, const QString& nom, const std::optional<Vendeur>& moi,
              Plateforme& plateforme, QWidget* parent = nullptr);
    ~TVueRecue() override;

    const QString& Html() const { return m_html; }
    bool AvecPages() const { return m_pages != nullptr; }

private:
    void Imprimer();
    void Apercu();
    void Exporter();
    void Execute(const std::function<void()>& f);

    Plateforme& m_plateforme;
    QString m_nom, m_html;
    QByteArray m_octets;
    QScrollArea* m_pages = nullptr;
    QTextBrowser* m_texte = nullptr;
};

} // namespace kyr
