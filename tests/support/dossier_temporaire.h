#pragma once
// Runs a test inside a fresh temporary folder made current, as the program
// works on its data files by bare name in the current directory.
#include <QDir>
#include <QTemporaryDir>

namespace kyr::test {

class DossierTemporaire {
public:
    DossierTemporaire() : m_ancien(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~DossierTemporaire() { QDir::setCurrent(m_ancien); }
    QString chemin(const QString& nom) const { return m_dir.filePath(nom); }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_ancien;
};

} // namespace kyr::test
