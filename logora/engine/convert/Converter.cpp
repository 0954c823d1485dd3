#include "logora/engine/convert/Converter.h"

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

}  // namespace logora
