#pragma once
// A book of invoices on disk for the tests of issued documents, and a
// Facture whose save before issuing writes it (as the main window's save
// does, without its dialogs).
#include "book/bloc.h"
#include "book/facture.h"
#include "book/registre.h"
#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"

#include <functional>
#include <gtest/gtest.h>

namespace kyr::test {

// Document n of the book: two lines at codes 1 and 2 (45,00 and 22,50 before tax).
inline Lignes BlocEmis(int n, const std::string& numero, const std::string& genre = "Facture",
                       const std::string& client = "10002", bool paye = false) {
    Lignes b = {LigneDebut(n),
                "NUM" + genre.substr(0, 1) + numero,
                "09/03/2026",
                client,
                "A r\xE9"
                "ception",
                genre,
                "Garage du Centre",
                "4 place de la Gare",
                "69002 Lyon",
                "",
                "TTCN",
                "FACTVidange\t1\t45,00\t\t45,00\t1",
                "FACTFiltre\t2\t12,50\t10\t22,50\t2"};
    if (paye) b.push_back("PAYE");
    b.push_back(LigneFin(n));
    return b;
}

inline Lignes Concatene(std::initializer_list<Lignes> blocs) {
    Lignes l;
    for (const auto& b : blocs)
        l.insert(l.end(), b.begin(), b.end());
    return l;
}

class LivreEmisTest : public ::testing::Test {
protected:
    DossierTemporaire dossier;
    PlateformeFausse p;
    Facture f{p};
    QString livre = dossier.chemin(QStringLiteral("livre.fct"));
    int sauvegardes = 0;
    // What the save before issuing does; by default it writes the book.
    std::function<std::optional<QString>()> sauve = [this]() -> std::optional<QString> {
        f.Sauve(livre);
        return livre;
    };

    void SetUp() override {
        f.reglages.TauxTVA = {0, 20.0L, 10.0L, 5.5L};
        p.maintenant = QDateTime(QDate(2026, 3, 10), QTime(9, 15, 0));
        f.EnregistrePourEmission = [this] {
            ++sauvegardes;
            return sauve();
        };
    }
    void Ouvre(const Lignes& lignes) {
        EcritFichier(livre, lignes);
        f.Charge(livre);
    }
    void Montre(int n) {
        f.FicheCourante = n;
        f.LitFiche();
    }
    QString Registre() const { return NomRegistre(livre); }
};

} // namespace kyr::test
