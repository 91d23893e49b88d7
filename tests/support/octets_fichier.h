#pragma once
// The bytes a file holds, for tests that check exactly what was written;
// "<absent>" when there is no such file.
#include <QFile>
#include <QString>

#include <string>

namespace kyr::test {

inline std::string OctetsFichier(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) return "<absent>";
    const QByteArray o = f.readAll();
    return std::string(o.constData(), static_cast<std::size_t>(o.size()));
}

} // namespace kyr::test
