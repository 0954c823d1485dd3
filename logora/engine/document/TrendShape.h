#pragma once
// Whether a table has the field layout of a Zarn or Vell datalog, and can
// therefore be plotted over time.

#include <vector>

#include "logora/engine/dbf/DBFStructures.h"

namespace logora {

bool HasTrendShape(const std::vector<DBFField>& fields);

}  // namespace logora
