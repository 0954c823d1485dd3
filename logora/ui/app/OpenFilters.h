#pragma once
// The Open dialog's file type filters: "All supported files" first, then one
// per kind of input; every pattern matches its extension in any letter case.

#include <QStringList>

namespace logora::ui {

QStringList OpenFilters();
// Whether `fileName` matches the patterns of `filter`.
bool FilterMatches(const QString& filter, const QString& fileName);

}  // namespace logora::ui
