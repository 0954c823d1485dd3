#pragma once
// "Save Result..." of the report window, below the widgets: which file the
// report goes to, what is asked, and the bytes written. The window supplies
// the three user interactions.

#include <functional>
#include <optional>
#include <string>

namespace vettle {

struct SaveResultPrompts
{
    // The save-file dialog; nullopt when the user cancelled it.
    std::function<std::optional<std::string>()> chooseFile;
    // The replace question (caption "Confirm Save As"); true for Yes.
    std::function<bool(const std::string& question)> confirmReplace;
    // A message box for a file that could not be written.
    std::function<void(const std::string& message)> showError;
};

enum class SaveOutcome {
    Cancelled,    // the save-file dialog was cancelled
    InvalidName,  // empty or invalid name part: ignored without a message
    Declined,     // the user kept the existing file
    NotWritten,   // the file could not be written; the user was told
    Saved,
};

// The file the report goes to: `chosen` with ".txt" appended unless its
// extension is ".txt" (any letter case); nullopt when the name part is empty
// or holds a character a report name may not hold.
std::optional<std::string> ReportTargetPath(const std::string& chosen);

// The saved file's bytes: FF FE, then as UTF-16 little-endian the heading
// with the detect file path, the report and CR LF.
std::string ReportFileBytes(const std::string& detectPath, const std::string& report);

// Runs "Save Result...". The file is written to a temporary file beside it
// and renamed into place, so a failed save never destroys an existing file.
SaveOutcome SaveResult(const std::string& detectPath, const std::string& report,
                       const SaveResultPrompts& prompts);

}  // namespace vettle
