#include "logora/engine/recipe/RecipeVariant.h"

namespace logora {

VariantLayout LayoutOf(uint16_t type)
{
    switch (type) {
        case vt::Empty:
            return {VariantPayload::Fixed, 0};
        case vt::I1:
        case vt::UI1:
            return {VariantPayload::Fixed, 1};
        case vt::I2:
        case vt::Bool:
        case vt::UI2:
            return {VariantPayload::Fixed, 2};
        case vt::I4:
        case vt::R4:
        case vt::Error:
        case vt::UI4:
        case vt::Int:
        case vt::UInt:
            return {VariantPayload::Fixed, 4};
        case vt::R8:
        case vt::Currency:
        case vt::Date:
        case vt::I8:
        case vt::UI8:
            return {VariantPayload::Fixed, 8};
        case vt::Dispatch:
        case vt::Unknown:
            return {VariantPayload::Object, 0};
        default:
            return {VariantPayload::Text, 0};
    }
}

}  // namespace logora
