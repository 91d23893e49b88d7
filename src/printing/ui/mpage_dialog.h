#pragma once
// TMPage, "Mise en page": the paper type of the document print and
// the two envelope settings.
#include "book/parametres.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QRadioButton;

namespace kyr {

class TMPage final : public QDialog {
    Q_OBJECT
public:
    explicit TMPage(QWidget* parent = nullptr);

    // Presets the dialog; a paper type outside 0..3 or an orientation outside
    // 0..1 leaves every control at its default (3 selects "Papier imprimé").
    void Init(int typePapier, int orientation, bool guideADroite);
    // Paper type and orientation -1 unless the dialog was accepted ("OK");
    // the guide flag is then left untouched.
    void Result(int& typePapier, int& orientation, bool& guideADroite) const;
    // The same as one value, for AppliqueParM.
    ChoixMiseEnPage Result() const;

protected:
    void showEvent(QShowEvent* e) override;

private:
    QButtonGroup* m_papier = nullptr;
    QButtonGroup* m_orientation = nullptr;
    QCheckBox* m_guide = nullptr;
};

// ParM: runs the dialog on the settings and stores an accepted answer
// (written to the file at the next SauveIni). True when something was stored.
bool ParM(Reglages& reglages, QWidget* parent);

} // namespace kyr
