#pragma once
// Bridges the engine's 8-bit texts (in the active code page) and Qt strings.

#include <QString>
#include <string>
#include <string_view>

namespace logora::ui {

QString ToQString(std::string_view codePageText);
std::string FromQString(const QString& text);

}  // namespace logora::ui
