#pragma once
// A page device for the tests: records every drawing call in device units, with
// fixed metrics and text widths, so that each position of a layout is checked
// without a printer.
#include "printing/surface.h"

#include <string>
#include <utility>
#include <vector>

namespace kyr::test {

struct Trace {
    enum Sorte { Texte, Ligne, Rectangle, Police, Trait, Page } sorte;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::string texte;
    kyr::Police police; // the font in force for a Texte, the chosen one for a Police
};

class SurfaceEnregistree : public Surface {
public:
    // By default an A4 printable area of 200 x 287 mm at 10 pixels a millimetre.
    int largeurPixels = 2000, hauteurPixels = 2870, largeurMm = 200, hauteurMm = 287;
    int largeurCaractere = 20; // device units a byte, whatever the font
    std::vector<Trace> traces;
    kyr::Police police;
    int trait = 1;

    int LargeurPixels() const override { return largeurPixels; }
    int HauteurPixels() const override { return hauteurPixels; }
    int LargeurMm() const override { return largeurMm; }
    int HauteurMm() const override { return hauteurMm; }
    void ChoisitPolice(const kyr::Police& p) override {
        police = p;
        traces.push_back({Trace::Police, 0, 0, 0, 0, {}, p});
    }
    void EpaisseurTrait(int pixels) override {
        trait = pixels;
        traces.push_back({Trace::Trait, pixels, 0, 0, 0, {}, police});
    }
    void Texte(int x, int y, const std::string& t) override {
        traces.push_back({Trace::Texte, x, y, 0, 0, t, police});
    }
    int LargeurTexte(const std::string& t) override {
        return largeurCaractere * static_cast<int>(t.size());
    }
    void Ligne(int x1, int y1, int x2, int y2) override {
        traces.push_back({Trace::Ligne, x1, y1, x2, y2, {}, police});
    }
    void Rectangle(int x1, int y1, int x2, int y2) override {
        traces.push_back({Trace::Rectangle, x1, y1, x2, y2, {}, police});
    }
    void NouvellePage() override { traces.push_back({Trace::Page, 0, 0, 0, 0, {}, police}); }

    // The texts drawn, in order; the calls of one kind.
    std::vector<std::string> Textes() const {
        std::vector<std::string> r;
        for (const auto& t : traces)
            if (t.sorte == Trace::Texte) r.push_back(t.texte);
        return r;
    }
    std::vector<Trace> De(Trace::Sorte s) const {
        std::vector<Trace> r;
        for (const auto& t : traces)
            if (t.sorte == s) r.push_back(t);
        return r;
    }
};

// A back-end that hands out one recording surface and counts the jobs.
class ImprimanteEnregistree : public Imprimante {
public:
    struct Travail {
        Orientation orientation;
        std::vector<Trace> traces;
        std::pair<int, int> papier; // millimetres, {0, 0}: the printer's own
    };
    std::vector<Travail> travaux;
    Orientation orientation = Orientation::Portrait;
    std::pair<int, int> papier{0, 0};
    SurfaceEnregistree surface;
    bool enCours = false;

    void Oriente(Orientation o) override { orientation = o; }
    void Papier(int largeurMm, int hauteurMm) override { papier = {largeurMm, hauteurMm}; }
    Surface& DebutTravail() override {
        surface.traces.clear();
        enCours = true;
        return surface;
    }
    void FinTravail() override {
        travaux.push_back({orientation, surface.traces, papier});
        enCours = false;
    }
};

} // namespace kyr::test
