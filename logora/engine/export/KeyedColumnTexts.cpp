#include "logora/engine/export/KeyedColumnTexts.h"

namespace logora {

KeyedColumnTexts::KeyedColumnTexts(ListLineFormatter& lines)
    : lines_(lines), columns_(lines.Plan().columns.size()), scratch_(new char[lines.Plan().maxLineLength])
{}

void KeyedColumnTexts::Keep(size_t index, const uint8_t* record)
{
    columns_[index].kept.assign(scratch_.get(), lines_.PutColumn(index, record, scratch_.get()));
}

}  // namespace logora
