#include "logora/ui/app/OpenFilters.h"

#include <QRegularExpression>

namespace logora::ui {

namespace {

// "*.[dD][aA][tT]" for "DAT".
QString AnyCase(const QString& extension)
{
    QString pattern = "*.";
    for (QChar c : extension) pattern += QString("[%1%2]").arg(c.toLower(), c.toUpper());
    return pattern;
}

QString Filter(const QString& label, const QStringList& extensions)
{
    QStringList patterns;
    for (const QString& extension : extensions) patterns << AnyCase(extension);
    return QString("%1 (%2)").arg(label, patterns.join(' '));
}

}  // namespace

QStringList OpenFilters()
{
    return {Filter("All supported files", {"DAT", "OBF", "LOG", "ALM", "DBF", "RPP"}),
            Filter("Zarn Datalog Files", {"DAT", "OBF"}),
            Filter("Vell Datalog File", {"LOG"}),
            Filter("Vell Alarm Log File", {"ALM"}),
            Filter("dBASE File", {"DBF"}),
            Filter("Blendcraft File", {"RPP"})};
}

bool FilterMatches(const QString& filter, const QString& fileName)
{
    qsizetype open = filter.lastIndexOf('('), close = filter.lastIndexOf(')');
    for (const QString& pattern : filter.mid(open + 1, close - open - 1).split(' ', Qt::SkipEmptyParts))
        if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern))
                .match(fileName)
                .hasMatch())
            return true;
    return false;
}

}  // namespace logora::ui
