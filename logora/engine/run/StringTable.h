#pragma once
// The program's numbered texts: every caption, prompt and message that reaches
// the user is kept in one table and addressed by its number.

#include <cstdint>
#include <string>
#include <string_view>

namespace logora {

// Numbers of the texts that code refers to by name.
namespace strings {
constexpr uint32_t MainTitle = 128;
constexpr uint32_t DocumentTemplate = 129;
constexpr uint32_t TotalRecordNumber = 10000;
constexpr uint32_t SelectedRecord = 10001;
constexpr uint32_t ListView = 10002;
constexpr uint32_t TrendPlot = 10003;
constexpr uint32_t DecimalCountTooLarge = 10006;
constexpr uint32_t OpenFileCaption = 10007;
constexpr uint32_t SaveAsDbfCaption = 10008;
constexpr uint32_t ReadingFile = 10009;
constexpr uint32_t ConvertingFile = 10010;
constexpr uint32_t ChartControlMissing = 10011;
constexpr uint32_t SaveAsCsvCaption = 10014;
constexpr uint32_t ConvertingAlarmCaption = 10015;
constexpr uint32_t ConvertingLogCaption = 10016;
constexpr uint32_t TableCannotBeOpened = 10017;
constexpr uint32_t OutputCannotBeCreated = 10018;
constexpr uint32_t OutputCannotBeWritten = 10019;
constexpr uint32_t TableFormColumnsMissing = 10020;
constexpr uint32_t TableEndsEarly = 10021;
constexpr uint32_t SaveCancelled = 10025;
constexpr uint32_t AlarmFileCannotBeOpened = 30802;
constexpr uint32_t AlarmSetupNotSelected = 30803;
constexpr uint32_t AlarmSetupMismatch = 30804;
constexpr uint32_t ConvertLogFileError = 32800;
constexpr uint32_t RecipeString = 61446;
constexpr uint32_t RecipeNumber = 61447;
constexpr uint32_t RecipeCannotBeOpened = 61448;
constexpr uint32_t RecipeColumnNumber = 61449;
constexpr uint32_t RecipeColumnIngredient = 61450;
constexpr uint32_t RecipeColumnType = 61451;
constexpr uint32_t RecipeColumnMin = 61452;
constexpr uint32_t RecipeColumnMax = 61453;
constexpr uint32_t ConvertingRecipeCaption = 61454;
constexpr uint32_t RecipeTooManySets = 61455;
}  // namespace strings

// Title of the application's message boxes.
inline constexpr std::string_view kApplicationTitle = "Quorvi Zerovuvuru File Viewer";

// The text numbered `id`; empty when the table has no such text.
std::string_view LoadString(uint32_t id);

// The text numbered `id` with its one "%s" replaced by `argument`.
std::string FormatString(uint32_t id, std::string_view argument);

}  // namespace logora
