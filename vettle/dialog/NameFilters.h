#pragma once

#include <QStringList>

namespace vettle {

// Turns a filter of "description|pattern|...||" pairs into the file dialog's
// name filters ("description (patterns)"). The pattern "*.*" becomes "*",
// because here it would otherwise hide every file name without a dot.
QStringList ToNameFilters(const char* pairs);

}  // namespace vettle
