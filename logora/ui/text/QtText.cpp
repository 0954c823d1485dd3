#include "logora/ui/text/QtText.h"

#include "logora/engine/text/CodePage.h"

namespace logora::ui {

QString ToQString(std::string_view codePageText)
{
    std::u16string utf16 = ToUtf16(codePageText);
    return QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
}

std::string FromQString(const QString& text)
{
    return FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                         static_cast<size_t>(text.size())));
}

}  // namespace logora::ui
