#pragma once
// Conversion between UTF-16 and the 8-bit code page of the program's texts.
// The Windows single-byte code pages (437, 850, 874, 1250-1258) use tables of
// our own, so bytes those code pages leave undefined pass through unchanged;
// 65001 is UTF-8; any other code page goes through iconv ("CP<number>").
// A character that the code page cannot represent becomes "?".

#include <cstdint>
#include <string>
#include <string_view>

namespace logora {

inline constexpr int kCodePageUtf8 = 65001;
inline constexpr int kCodePageFallback = 1252;

class AppSettings;

// The code page of the program's 8-bit texts: the "CodePage" setting, else
// the one the user's locale implies (LocaleCodePage); 1252 when the setting
// names a code page this machine cannot convert.
int CodePageOf(const AppSettings& settings);
// CodePageOf the program's settings, decided on first use; the viewer's
// texts and the program's engine context use it.
int ActiveCodePage();
// Replaces the active code page for the rest of the run; an unsupported code
// page selects 1252.
void SetActiveCodePage(int codePage);

bool IsCodePageSupported(int codePage);

// Bytes of `codePage` to UTF-16. An unsupported code page reads as 1252.
std::u16string ToUtf16(std::string_view bytes, int codePage);
std::u16string ToUtf16(std::string_view bytes);
// UTF-16 to bytes of `codePage`. An unsupported code page writes 1252.
std::string FromUtf16(std::u16string_view text, int codePage);
std::string FromUtf16(std::u16string_view text);

// True when `byte` starts a two-byte character in `codePage` (the East Asian
// double-byte code pages 932, 936, 949 and 950); false for every other page.
bool IsLeadByte(int codePage, uint8_t byte);

}  // namespace logora
