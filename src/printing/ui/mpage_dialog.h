#pragma once
// TMPage, "Mise en page": the paper type of the document print and
// the two envelope settings.
#include "book/parametres.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QRadioButton;

namespace kyr {

class TMPage final : public QDialog {
    Q_OBJECT
public:
    explicit TMPage(QWidget* parent = nullptr);

    // Presets the dialog; a paper type outside 0..3 or an orientation outside
    // 0..1 leaves every control at its default (3 selects "Papier imprimé").
    void Init(int typePapier, int orientation, bool guideADroite);
    // Presets "Format enveloppe". An envelope of its own size is printed with
    // its long side across and no guide offset: the orientation and the guide
    // place the envelope on the printer's own paper only, and are greyed.
    void InitEnveloppe(FormatEnveloppe format);
    // Paper type and orientation -1 unless the dialog was accepted ("OK");
    // the guide flag is then left untouched.
    void Result(int& typePapier, int& orientation, bool& guideADroite) const;
    // The same as one value with the envelope size, for AppliqueParM.
    ChoixMiseEnPage Result() const;

protected:
    void showEvent(QShowEvent* e) override;

private:
    QButtonGroup* m_papier = nullptr;
    void FormatChange();

    QButtonGroup* m_orientation = nullptr;
    QButtonGroup* m_format = nullptr;
    QGroupBox* m_groupeOrientation = nullptr;
    QCheckBox* m_guide = nullptr;
};

// ParM: runs the dialog on the settings and stores an accepted answer
// (written to the file at the next SauveIni, the envelope size to its own file
// at once). True when something was stored.
bool ParM(Reglages& reglages, QWidget* parent);

} // namespace kyr
