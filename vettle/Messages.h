#pragma once
// The texts of the detection and of the console, with their string numbers.
// %s takes a path, %ld a line number.

namespace vettle {

inline constexpr const char* kSyntaxError =
    "The syntax of the command is incorrect. Type vettle ? for help.";                      // 240
inline constexpr const char* kDetectFileMissing = "Detect file %s does not exist.";         // 241
inline constexpr const char* kDetectFileNotOpened = "Detect file %s could not be opened.";  // 242
// The system's reason and a full stop follow.
inline constexpr const char* kDetectFileNotRead = "Detect file %s could not be read: ";
inline constexpr const char* kReportNameInvalid = "Report file name %s contains invalid characters.";  // 243
inline constexpr const char* kReportNotCreated = "Report file %s could not be created.";               // 244
inline constexpr const char* kReportNotOpened = "Report file %s could not be opened.";                 // 245
inline constexpr const char* kPleaseWait = "Please wait...";                                           // 246
inline constexpr const char* kReportHeading = "Detection report of file %s:\r\n";                      // 247
inline constexpr const char* kReportSaved = "Report has been saved to file %s.";                       // 248
inline constexpr const char* kPressEnter = "Press Enter key to continue...";                           // 249
inline constexpr const char* kPassed = "Passed. No data adulteration detected.";                       // 250
inline constexpr const char* kFormatUnknown =
    "Cannot perform tamper detection. The selected file's formatting information is old or is not "
    "recognizable.";  // 251
inline constexpr const char* kFormatCorrupted =
    "Cannot perform tamper detection. The selected file's formatting information has been corrupted.";  // 252
inline constexpr const char* kAdulteration = "Adulteration detected at line %ld.";                      // 253
inline constexpr const char* kOrderChanged =
    "The order of lines has been changed at (or before) line %ld.";  // 254
inline constexpr const char* kRowsAltered =
    "Cannot perform tamper detection. The number of rows in the selected file has been altered.";  // 256
inline constexpr const char* kColumnsAltered =
    "Cannot perform tamper detection. The number of columns in the selected file has been altered.";  // 257
// Closes a findings list cut short so that a heavily damaged file cannot grow
// the report without bound.
inline constexpr const char* kFindingsNotListed = "%ld further findings are not listed.";

// String 255, the help text; it begins with a line break.
inline constexpr const char* kHelpText =
    "\n"
    "Usage:\n"
    "(1) vettle -i \"detect_file_path\\detect_file_name.csv\" -o \"report_file_path\\report_file_name.txt\"\n"
    "(2) vettle -i \"detect_file_path\\detect_file_name.csv\"\n"
    "(3) vettle -i \"detect_file_path\\*.csv\" -o \"report_file_path\\report_file_name.txt\"\n"
    "(4) vettle -i \"detect_file_path\\*.csv\"\n"
    "Note:\n"
    "(1) With argument -o \"report_file_path\\report_file_name.txt\", the detection report will be saved "
    "into "
    "file \"report_file_name.txt\".\n"
    "(2) Without argument -o \"report_file_path\\report_file_name.txt\", the detection report will be shown "
    "on "
    "the console.\n"
    "(3) With detect file name like *.csv, all the csv files under \"detect_file_path\" folder will be "
    "detected.";

}  // namespace vettle
