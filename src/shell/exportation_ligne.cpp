#include "shell/exportation_ligne.h"

#include "book/reglages.h"
#include "book/societe.h"
#include "common/erreurs.h"
#include "einvoice/fichiers_tiers.h"
#include "einvoice/lot.h"
#include "shell/coquille.h"
#include "shell/plateforme_console.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>

namespace kyr {

namespace {

QString Q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

void Ecrit(std::FILE* f, const QString& texte) {
    const QByteArray octets = (texte + QLatin1Char('\n')).toUtf8();
    std::fwrite(octets.constData(), 1, static_cast<std::size_t>(octets.size()), f);
    std::fflush(f);
}

QString Local(const std::string& argument) {
    return QString::fromLocal8Bit(argument.c_str());
}

const char* const Usage = "Usage : kyrfact --exporter FORMAT --periode AAAA-MM LIVRE.fct DOSSIER\n"
                          "  FORMAT : factur-x, cii ou ubl ; lancé dans le dossier des fichiers "
                          "de Kyr Facture.";

} // namespace

int ExporteEnLigne(const std::vector<std::string>& arguments, std::FILE* sortie, std::FILE* erreurs,
                   const ServicesLigneDeCommande& services) {
    const auto refus = [erreurs](const QString& message) {
        Ecrit(erreurs, message);
        return 2;
    };
    std::vector<std::string> positions;
    std::string periode;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--periode" && i + 1 < arguments.size())
            periode = arguments[++i];
        else
            positions.push_back(arguments[i]);
    }
    if (positions.size() != 3 || periode.empty()) return refus(Q(Usage));
    const auto format = FormatDeCle(positions[0]);
    if (!format)
        return refus(Q("Format « %1 » inconnu : factur-x, cii ou ubl.").arg(Local(positions[0])));
    const auto mois = QRegularExpression(QStringLiteral("^(\\d{4})-(\\d{2})$"))
                          .match(QString::fromLatin1(periode.c_str()));
    const QDate debut =
        mois.hasMatch() ? QDate(mois.captured(1).toInt(), mois.captured(2).toInt(), 1) : QDate();
    if (!debut.isValid())
        return refus(Q("Période « %1 » incorrecte : un mois s'écrit AAAA-MM, par exemple "
                       "2026-09.")
                         .arg(Local(periode)));
    const QString livre = Local(positions[1]);
    if (!livre.endsWith(QLatin1String(".fct"), Qt::CaseInsensitive))
        return refus(Q("%1 : type de fichier non valide (un facturier finit par .fct).")
                         .arg(QDir::toNativeSeparators(livre)));

    Reglages r;
    LignesSociete societe;
    Vendeur vendeur = VendeurNeuf();
    Acheteurs memorises;
    DonneesDocuments documents;
    try {
        ChargeIni(r);
        ChargeSoc(societe);
        ChargeVendeur(vendeur);
        ChargeAcheteurs(memorises);
        ChargeDonneesDocuments(documents, CheminDonneesDocuments(livre));
    } catch (const ErreurExecution& e) {
        return refus(e.message() + QLatin1Char('.'));
    }
    if (!QFileInfo(livre).isFile())
        return refus(Q("Le fichier %1 n'existe pas.").arg(QDir::toNativeSeparators(livre)));
    // The documents exported are issued: the book is held as the window
    // holds it, and not while a window has it open (its changes not saved yet).
    QLockFile verrou(Coquille::NomVerrou(livre));
    verrou.setStaleLockTime(0);
    if (!verrou.tryLock(0))
        return refus(verrou.error() == QLockFile::LockFailedError
                         ? Q("Le facturier %1 est ouvert dans Kyr Facture : fermez-le, puis "
                             "relancez l'exportation.")
                               .arg(QDir::toNativeSeparators(livre))
                         : Q("Le facturier %1 ne peut être réservé (dossier en lecture seule ?) : "
                             "ses documents ne peuvent être émis.")
                               .arg(QDir::toNativeSeparators(livre)));
    PlateformeConsole console(erreurs);
    Facture f(console);
    f.reglages = r;
    f.Societe = societe;
    try {
        f.Charge(livre);
    } catch (const ErreurExecution& e) {
        return refus(e.message() + QLatin1Char('.'));
    }
    // Nothing is edited here; a book repaired at loading is saved first.
    f.EnregistrePourEmission = [&f, &livre]() -> std::optional<QString> {
        if (f.TestModif()) f.Sauve(livre);
        return livre;
    };

    DemandeLot demande;
    demande.Du = debut;
    demande.Au = debut.addMonths(1).addDays(-1);
    demande.Dossier = Local(positions[2]);
    demande.Format = *format;
    OutilsLot outils;
    if (*format == FormatFE::FacturX && services.FacturX)
        outils.FacturX = services.FacturX(societe);
    // A script answers nothing: what is already in the folder stays.
    outils.Remplace = [](const QStringList&) { return Remplacement::Garder; };
    outils.Emet = [&f](const std::vector<RefDocument>& refs) { return f.Emet(refs); };
    const RapportLot rapport =
        ExporteLot({f.Livre, f.reglages, f.Societe, vendeur, memorises, &documents}, demande, outils);
    Ecrit(sortie, TexteRapport(rapport));
    return rapport.Complet() ? 0 : 1;
}

} // namespace kyr
