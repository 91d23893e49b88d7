#include "book/parametres.h"

#include "common/erreurs.h"
#include "common/nombres.h"

#include <string_view>

namespace kyr {

namespace {

constexpr int DecalageGuideADroite = 100;

} // namespace

ChampsParamf InitParamf(const Reglages& r) {
    ChampsParamf c;
    c.Edit[0] = FormatDecimales(r.TauxEuro, 5);
    for (int k = 1; k <= 3; ++k)
        c.Edit[k] = FormatDecimales(r.TauxTVA[k], 2);
    for (std::size_t i = 0; i < 5 && i < r.ConditionsReglement.size(); ++i)
        c.Edit[4 + i] = r.ConditionsReglement[i];
    c.Devise = r.Devise != 0 ? 1 : 0;
    c.OmettreConversion = r.OmettreConversion != 0;
    return c;
}

void ResultParamf(const ChampsParamf& champs, Reglages& r) {
    // The first rate that is not a number (or too large to hold) ends the
    // conversion: the rates before it are taken, it and the later ones are not.
    const std::array<Reel6*, 4> taux{&r.TauxEuro, &r.TauxTVA[1], &r.TauxTVA[2], &r.TauxTVA[3]};
    for (std::size_t i = 0; i < taux.size(); ++i) {
        const auto v = LitNombre(champs.Edit[i]);
        if (!v) break;
        try {
            *taux[i] = Reel6(*v);
        } catch (const ErreurExecution&) {
            break;
        }
    }
    r.ConditionsReglement.clear();
    for (std::size_t i = 4; i < champs.Edit.size(); ++i)
        if (!champs.Edit[i].empty()) r.ConditionsReglement.push_back(champs.Edit[i]);
    r.Devise = champs.Devise;
    r.OmettreConversion = champs.OmettreConversion ? 1 : 0;
}

ToucheTaux FormKeyPress(char touche) {
    constexpr char Retour = '\b', Entree = '\r';
    if (touche == Retour) return {false, touche, false};
    if (touche == Entree) return {true, touche, true};
    if (touche == '.') touche = ',';
    if (std::string_view("0123456789,").find(touche) == std::string_view::npos)
        return {true, touche, false};
    return {false, touche, false};
}

void AppliqueParF(Facture& f, const std::optional<ChampsParamf>& reponse) {
    if (reponse) ResultParamf(*reponse, f.reglages);
    try {
        SauveIni(f.reglages, f.reglages.DernierLivre);
    } catch (const ErreurExecution& e) {
        // The settings stay in force and are written again at exit.
        f.plateforme().Erreur(e.ModificationsGardees().message());
    }
    // The shown document is recomputed where it stands rather than read again
    // from the book, which would drop the edits not stored yet.
    f.AppliqueLibellesDevise();
    f.Calcule();
    if (f.reglages.OmettreConversion != 0) f.fiche.Devise2.clear();
}

void ResultSociete(const LignesSociete& champs, bool accepte, LignesSociete& sorties) {
    sorties[0].clear();
    if (accepte) sorties = champs;
}

bool AppliquePsoc(Facture& f, const LignesSociete& champs, bool accepte) {
    LignesSociete copie = f.Societe;
    ResultSociete(champs, accepte, copie);
    if (copie[0].empty()) return false;
    f.Societe = copie;
    try {
        SauveSoc(f.Societe);
    } catch (const ErreurExecution& e) {
        f.plateforme().Erreur(e.message());
    }
    return true;
}

ChoixMiseEnPage InitParM(const Reglages& r) {
    ChoixMiseEnPage c;
    c.TypePapier = r.TypePapier >= 0 && r.TypePapier <= 2 ? r.TypePapier : 0;
    c.OrientationEnveloppe =
        r.OrientationEnveloppe >= 0 && r.OrientationEnveloppe <= 1 ? r.OrientationEnveloppe : 0;
    c.GuideADroite = r.DecalageEnveloppe > 0;
    c.Enveloppe = r.Enveloppe;
    return c;
}

bool AppliqueParM(Reglages& r, const ChoixMiseEnPage& reponse) {
    if (reponse.TypePapier == -1 || reponse.OrientationEnveloppe == -1) return false;
    r.TypePapier = reponse.TypePapier;
    r.OrientationEnveloppe = reponse.OrientationEnveloppe;
    r.DecalageEnveloppe = reponse.GuideADroite ? DecalageGuideADroite : 0;
    if (reponse.Enveloppe != r.Enveloppe) {
        r.Enveloppe = reponse.Enveloppe;
        SauveFormatEnveloppe(r.Enveloppe);
    }
    return true;
}

} // namespace kyr
