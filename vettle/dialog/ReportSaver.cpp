#include "vettle/dialog/ReportSaver.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cctype>

#include "vettle/MessageFormat.h"
#include "vettle/Messages.h"
#include "vettle/ReportFile.h"
#include "vettle/dialog/DialogTexts.h"

namespace vettle {

namespace {

constexpr std::string_view kReportExtension = ".txt";
constexpr std::string_view kByteOrderMark = "\xFF\xFE";

std::string FileNameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool HasReportExtension(const std::string& fileName)
{
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || fileName.size() - dot != kReportExtension.size()) return false;
    for (size_t i = 0; i < kReportExtension.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(fileName[dot + i])) != kReportExtension[i]) return false;
    }
    return true;
}

// String 207 names the file that would be replaced, split as base name and
// extension.
std::string ReplaceQuestion(const std::string& path)
{
    const std::string fileName = FileNameOf(path);
    const size_t dot = fileName.rfind('.');
    const std::string base = fileName.substr(0, dot);
    const std::string extension = dot == std::string::npos ? std::string() : fileName.substr(dot);
    std::string question = kReplaceQuestion;
    question.replace(question.find("%s%s"), 4, base + extension);
    return question;
}

bool WriteAtomically(const std::string& path, const std::string& bytes)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace

std::optional<std::string> ReportTargetPath(const std::string& chosen)
{
    if (!IsValidReportName(chosen)) return std::nullopt;
    if (HasReportExtension(FileNameOf(chosen))) return chosen;
    return chosen + std::string(kReportExtension);
}

std::string ReportFileBytes(const std::string& detectPath, const std::string& report)
{
    return std::string(kByteOrderMark) + ToUtf16LeBytes(FormatWithPath(kReportHeading, detectPath)) +
           ToUtf16LeBytes(report) + ToUtf16LeBytes("\r\n");
}

SaveOutcome SaveResult(const std::string& detectPath, const std::string& report,
                       const SaveResultPrompts& prompts)
{
    const std::optional<std::string> chosen = prompts.chooseFile();
    if (!chosen) return SaveOutcome::Cancelled;
    const std::optional<std::string> target = ReportTargetPath(*chosen);
    if (!target) return SaveOutcome::InvalidName;
    if (QFileInfo::exists(QString::fromStdString(*target)) &&
        !prompts.confirmReplace(ReplaceQuestion(*target))) {
        return SaveOutcome::Declined;
    }
    if (!WriteAtomically(*target, ReportFileBytes(detectPath, report))) {
        prompts.showError(FormatWithPath(kReportNotOpened, *target));
        return SaveOutcome::NotWritten;
    }
    return SaveOutcome::Saved;
}

}  // namespace vettle
