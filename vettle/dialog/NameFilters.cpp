#include "vettle/dialog/NameFilters.h"

namespace vettle {

QStringList ToNameFilters(const char* pairs)
{
    const QStringList parts = QString::fromUtf8(pairs).split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;
        QString description = parts[i];
        const qsizetype open = description.lastIndexOf(u'(');
        if (open > 0) description = description.left(open).trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        filters << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return filters;
}

}  // namespace vettle
