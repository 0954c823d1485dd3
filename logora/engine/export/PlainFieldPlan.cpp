#include "logora/engine/export/PlainFieldPlan.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "logora/engine/dbf/ColumnRoles.h"
#include "logora/engine/dbf/FixedFormat.h"
#include "logora/engine/export/CDataFormatHelper.h"
#include "logora/engine/export/RawValues.h"

namespace logora {

namespace {

constexpr uint8_t kInternalLength = 10;
constexpr uint8_t kTimestampLength = 19;

// A formatted text cut to the field, the rest of a C field NUL bytes.
void PutText(const char* text, size_t textLength, char* output, uint32_t length)
{
    const size_t kept = std::min<size_t>(textLength, length);
    std::memcpy(output, text, kept);
    std::memset(output + kept, 0, length - kept);
}

void ConvertValue(const uint8_t* source, uint32_t, char* output, uint32_t length, int decimals)
{
    const double value = RawDouble(source);
    char text[512];
    // printf's text, cut as printf into this buffer cut it; but for a
    // precision that asks for more room, without the cost of printf.
    const size_t written =
        FixedTextRoom(int(length), decimals) <= sizeof text
            ? FormatFixed(text, value, int(length), decimals)
            : size_t(std::clamp(std::snprintf(text, sizeof text, "%*.*f", int(length), decimals, value), 0,
                                int(sizeof text) - 1));
    PutText(text, written, output, length);
}

void ConvertInternal(const uint8_t* source, uint32_t sourceLength, char* output, uint32_t length, int)
{
    FormatFixedWidthInt(RawInt32(source, sourceLength), length, length, output);
}

void ConvertTimestamp(const uint8_t* source, uint32_t sourceLength, char* output, uint32_t length, int)
{
    char text[CDataFormatHelper::DateTextRoom(CDataFormatHelper::kTimestampCapacity)];
    PutText(text, CDataFormatHelper::FormatTimestampColumn(text, source, sourceLength, 0, 0), output, length);
}

void CopyField(const uint8_t* source, uint32_t sourceLength, char* output, uint32_t length, int)
{
    std::memcpy(output, source, std::min(sourceLength, length));
}

}  // namespace

std::vector<PlainField> PlanPlainFields(const std::vector<DBFField>& loaded, int floatLength,
                                        int floatDecimals, uint32_t& recordLength)
{
    std::vector<PlainField> plan;
    uint32_t sourceDisplacement = 1;
    recordLength = 1;
    for (const DBFField& field : loaded) {
        PlainField planned{field, CopyField, sourceDisplacement, field.length};
        DBFField& descriptor = planned.descriptor;
        switch (KindOfColumn(field).encoding) {
            case ColumnEncoding::RawDouble:
                descriptor.type = 'F';
                descriptor.length = uint8_t(floatLength);
                descriptor.decimals = uint8_t(floatDecimals);
                planned.routine = ConvertValue;
                break;
            case ColumnEncoding::RawInteger:
                descriptor.type = 'N';
                descriptor.length = kInternalLength;
                planned.routine = ConvertInternal;
                break;
            case ColumnEncoding::OleDateTime:
                descriptor.type = 'C';
                descriptor.length = kTimestampLength;
                // A C field's decimal count is read as the high byte of its length by common readers.
                descriptor.decimals = 0;
                planned.routine = ConvertTimestamp;
                break;
            case ColumnEncoding::DbfDate:
            case ColumnEncoding::Text:
                break;
        }
        descriptor.displacement = recordLength;
        recordLength += descriptor.length;
        sourceDisplacement += field.length;
        plan.push_back(planned);
    }
    return plan;
}

}  // namespace logora
