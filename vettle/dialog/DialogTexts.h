#pragma once
// The texts of the dialog mode, with their string numbers.

namespace vettle {

inline constexpr const char* kDialogTitle = "Tarrow Automation ZAZ Izez Ive Zodidi Darevedaz Iziduda";  // 204
inline constexpr const char* kReplaceQuestion = "%s%s already exists.\nDo you want to replace it?";     // 207
inline constexpr const char* kConfirmSaveAs = "Confirm Save As";                                        // 208
inline constexpr const char* kReportFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";          // 210
inline constexpr const char* kDetectFilter = "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*||";           // 211
inline constexpr const char* kDetectButton = "Detect";                                                  // 212
inline constexpr const char16_t* kHelpFileName = u"ZAZIzezIveZodidiDarevedazIziduda.chm";               // 215
inline constexpr const char* kReportCaption = "Detection Report";                                       // 205
inline constexpr const char* kSaveResultButton = "Save Result...";
inline constexpr const char* kReturnButton = "Return";
inline constexpr const char* kCancelButton = "Cancel";
inline constexpr const char* kPercentSign = "%";

// The help topic of the dialog: command and context id of the help request.
inline constexpr unsigned int kHelpCommand = 15;
inline constexpr int kHelpContextId = 1001;

}  // namespace vettle
