#include "logora/engine/convert/Converter.h"

#include "logora/engine/dbf/CDBF.h"

namespace logora {

const std::vector<std::string>& Converter::TagNames() const
{
    static const std::vector<std::string> kNone;
    return kNone;
}

std::unique_ptr<RecordMaker> Converter::MakerFor(DBFRecordSink& /*sink*/) const
{
    return nullptr;
}

MadeTableShape Converter::DeclaredShape()
{
    ShapeOfTable declared;
    CDBF layoutOnly;
    layoutOnly.OpenSink(declared);
    Declare(layoutOnly);
    return std::move(declared.shape);
}

}  // namespace logora
