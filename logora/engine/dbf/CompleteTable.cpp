#include "logora/engine/dbf/CompleteTable.h"

#include "logora/engine/context/ConversionError.h"

namespace logora {

void CompleteTable(CDBF& table, const std::string& input)
{
    if (!table.Finish()) throw ConversionError::TableUnwritten(input, table.GetFailure());
}

}  // namespace logora
