#pragma once
// A conversion into a table file with a progress reporter of the test's (one
// that cancels, say), for converters that take one: the road of
// ConvertToTableFile otherwise.

#include <stdexcept>
#include <string>

#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/run/ControlProcess.h"

namespace testsupport {

template <class ConverterClass>
void ConvertWithProgress(ConverterClass& converter, const std::string& input, const std::string& tablePath,
                         logora::ControlProcess& progress)
{
    converter.Open(input);
    logora::CDBF table;
    if (!table.Create(tablePath)) converter.RefuseTable(table.GetFailure());
    converter.Declare(table);
    converter.Run(table, progress);
}

}  // namespace testsupport
