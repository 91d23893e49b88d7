#include "lists/ui/choix_periode.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>

namespace kyr {

namespace {

// The period choices, in the order of Periode, then the dates typed by hand.
const char* const Periodes[] = {
    "Ce mois-ci",  "Le mois dernier",  "Ce trimestre", "Le trimestre dernier",
    "Cette année", "L'année dernière", "Tout"};
constexpr int Personnalisee = 7;

} // namespace

ChoixPeriode::ChoixPeriode(const Journal& journal, const QDate& aujourdhui, QWidget* parent)
    : QWidget(parent), m_journal(journal), m_aujourdhui(aujourdhui) {
    auto* haut = new QHBoxLayout(this);
    haut->setContentsMargins(0, 0, 0, 0);
    auto* etiquette = new QLabel(QStringLiteral("Pé&riode :"), this);
    m_periode = new QComboBox(this);
    m_periode->setObjectName(QStringLiteral("ComboBox1"));
    for (const char* p : Periodes)
        m_periode->addItem(QString::fromUtf8(p));
    m_periode->addItem(QStringLiteral("Personnalisée"));
    etiquette->setBuddy(m_periode);
    haut->addWidget(etiquette);
    haut->addWidget(m_periode);
    const auto date = [this, haut](const QString& texte, const char* nom) {
        auto* l = new QLabel(texte, this);
        auto* d = new QDateEdit(this);
        d->setObjectName(QLatin1String(nom));
        d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        d->setCalendarPopup(true);
        l->setBuddy(d);
        haut->addSpacing(12);
        haut->addWidget(l);
        haut->addWidget(d);
        connect(d, &QDateEdit::dateChanged, this, &ChoixPeriode::datesChangees);
        return d;
    };
    m_du = date(QStringLiteral("&Du"), "DateTimePicker1");
    m_au = date(QStringLiteral("&Au"), "DateTimePicker2");
    setTabOrder(m_periode, m_du);
    setTabOrder(m_du, m_au);
    connect(m_periode, &QComboBox::activated, this, &ChoixPeriode::periodeChoisie);
    Choisit(Periode::MoisCourant);
}

void ChoixPeriode::Choisit(Periode p) {
    periodeChoisie(static_cast<int>(p));
}

QDate ChoixPeriode::Du() const {
    return m_du->date();
}

QDate ChoixPeriode::Au() const {
    return m_au->date();
}

void ChoixPeriode::periodeChoisie(int index) {
    if (index < 0 || index >= Personnalisee) return;
    const Bornes b = BornesPeriode(static_cast<Periode>(index), m_aujourdhui, m_journal);
    {
        const QSignalBlocker b1(m_du), b2(m_au);
        m_du->setDate(b.Du);
        m_au->setDate(b.Au);
    }
    m_periode->setCurrentIndex(index);
    emit change();
}

void ChoixPeriode::datesChangees() {
    m_periode->setCurrentIndex(Personnalisee);
    emit change();
}

} // namespace kyr
