#include "logora/engine/dbf/TableWriteError.h"

namespace logora {

void CompleteTable(CDBF& table)
{
    if (!table.Flush()) throw TableWriteError(table.GetFailure());
}

}  // namespace logora
