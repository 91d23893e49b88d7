#pragma once
// One page device, as the page drawings see it: the printer chosen by the
// user, the print preview, a PDF file, or a recording fake in the tests. The
// drawings (document, envelope, journal, electronic invoice page) compute
// every position in device units from the metrics below and never know which
// device they paint on.
#include <string>

namespace kyr {

struct Police {
    std::string Nom = "Arial";
    int Points = 10;
    bool Gras = false;
    bool operator==(const Police&) const = default;
};

enum class Orientation { Portrait, Paysage };

class Surface {
public:
    virtual ~Surface() = default;

    // The printable area in device pixels (HORZRES, VERTRES) and in whole
    // millimetres (HORZSIZE, VERTSIZE).
    virtual int LargeurPixels() const = 0;
    virtual int HauteurPixels() const = 0;
    virtual int LargeurMm() const = 0;
    virtual int HauteurMm() const = 0;

    virtual void ChoisitPolice(const Police& police) = 0;
    virtual void EpaisseurTrait(int pixels) = 0;
    // A text (Windows-1252 bytes) placed by its top-left corner, in device units.
    virtual void Texte(int x, int y, const std::string& texte) = 0;
    // The width of a text in the current font, in device units.
    virtual int LargeurTexte(const std::string& texte) = 0;
    virtual void Ligne(int x1, int y1, int x2, int y2) = 0;
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    // Ends the current page and starts the next one of the same job.
    virtual void NouvellePage() = 0;
};

// A print back-end: one print job at a time, drawn on its Surface.
class Imprimante {
public:
    virtual ~Imprimante() = default;
    virtual void Oriente(Orientation o) = 0;
    // The paper of the next jobs, in portrait millimetres (an envelope's size);
    // 0 x 0 gives the back-end's own back: the printer's paper as it is set
    // up, A4 for a PDF file. A back-end of one paper size ignores it.
    virtual void Papier(int largeurMm, int hauteurMm) {
        (void)largeurMm;
        (void)hauteurMm;
    }
    // Begins a job; the surface lives until FinTravail. Throws
    // ErreurExecution with a French message when the job cannot start.
    virtual Surface& DebutTravail() = 0;
    virtual void FinTravail() = 0;
};

} // namespace kyr
