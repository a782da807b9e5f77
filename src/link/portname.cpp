#include "portname.h"

#include <QStringList>

bool PortName::isNone(const QString &name)
{
    // "None" as the program's catalogues have it: English, Chinese, French,
    // Russian.
    static const QStringList words{QStringLiteral("None"), QStringLiteral("\u65E0"), QStringLiteral("Aucun"),
                                   QStringLiteral("\u041D\u0435\u0442")};
    if (name.isEmpty())
        return true;
    for (const QString &word : words) {
        if (name.startsWith(word))
            return true;
    }
    return false;
}
