#pragma once
// The pages of a received PDF drawn as pictures by Qt's PDF module, inside a
// module of the program's own opened the first time a view shows them: Qt's
// PDF library and the ten it brings (Qt's network, Kerberos, libproxy,
// OpenJPEG) are then not loaded at every start of the program. Both sides
// are built together, by the same compiler.
#include <QImage>
#include <QString>

#include <cstddef>
#include <vector>

namespace kyr {

struct RenduPagesPdf {
    const char* pdf = nullptr; // the file's bytes (not owned)
    std::size_t taille = 0;
    int largeur = 0; // of each picture, in pixels; its height follows the page
    int plafond = 0; // the most pages drawn

    std::vector<QImage> pages; // on white paper (a page's own background is transparent)
    int total = 0;             // the document's pages; 0 when it could not be read
};

using FonctionRenduPages = void (*)(RenduPagesPdf&);
inline constexpr const char* NomFonctionRenduPages = "kyr_rend_pages";

// Draws the pages with the module of the folder `dossierModules`
// (DossierModules()). False, with why in `pourquoi` (French, without a
// closing full stop), when the module is missing or unreadable.
bool RendPagesPdf(RenduPagesPdf& r, const QString& dossierModules, QString& pourquoi);

} // namespace kyr
