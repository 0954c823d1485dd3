#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <initializer_list>

#include "platform/files/TempName.h"
#include "platform/paths/Paths.h"
#include "platform/process/ChildProcess.h"
#include "platform/process/CommandLineWin32.h"
#include "platform/signals/Interrupts.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

// Closes a handle that was not handed over to a C runtime descriptor.
class OwnedHandle
{
public:
    explicit OwnedHandle(HANDLE handle = nullptr) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle)
    {}
    ~OwnedHandle()
    {
        if (handle_ != nullptr) CloseHandle(handle_);
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    HANDLE Get() const { return handle_; }
    HANDLE* Receive() { return &handle_; }
    HANDLE Release()
    {
        HANDLE handle = handle_;
        handle_ = nullptr;
        return handle;
    }

private:
    HANDLE handle_;
};

// The handle as a C runtime descriptor, which then owns it.
FileDescriptor AsDescriptor(OwnedHandle& handle, int flags)
{
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle.Get()), flags | _O_BINARY);
    if (descriptor >= 0) handle.Release();
    return FileDescriptor(descriptor);
}

// A file in the temporary folder that the system deletes once the last
// handle to it is closed, here and in the child.
OwnedHandle UnnamedTemporaryFile(SECURITY_ATTRIBUTES& inheritable)
{
    const std::string name = CreateTempFileIn(TempFolder());
    if (name.empty()) return OwnedHandle();
    const std::wstring wideName = Widen(name);
    HANDLE file = CreateFileW(wideName.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inheritable,
                              OPEN_EXISTING, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        DeleteFileW(wideName.c_str());
        SetLastError(error);
    }
    return OwnedHandle(file);
}

// The list of the handles a child inherits, and no others: children started
// one after another must not keep each other's pipes open.
class InheritedHandles
{
public:
    explicit InheritedHandles(std::initializer_list<HANDLE> handles) : handles_(handles)
    {
        SIZE_T size = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        storage_.resize(size);
        list_ = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data());
        ready_ = InitializeProcThreadAttributeList(list_, 1, 0, &size) &&
                 UpdateProcThreadAttribute(list_, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles_.data(),
                                           handles_.size() * sizeof(HANDLE), nullptr, nullptr);
    }
    ~InheritedHandles()
    {
        if (list_ != nullptr) DeleteProcThreadAttributeList(list_);
    }
    InheritedHandles(const InheritedHandles&) = delete;
    InheritedHandles& operator=(const InheritedHandles&) = delete;
    LPPROC_THREAD_ATTRIBUTE_LIST Get() const { return ready_ ? list_ : nullptr; }

private:
    std::vector<HANDLE> handles_;
    std::vector<char> storage_;
    LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
    bool ready_ = false;
};

// Whether a child's pipe holds something to read or was closed by it.
bool PipeHasNews(int descriptor)
{
    DWORD available = 0;
    return !PeekNamedPipe(HandleOf(descriptor), nullptr, 0, nullptr, &available, nullptr) || available > 0;
}

}  // namespace

ChildProcess::~ChildProcess()
{
    while (IsRunning()) Collect(true);
}

bool ChildProcess::Start(const std::string& program, const std::vector<std::string>& arguments,
                         std::string& error)
{
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    OwnedHandle readEnd;
    OwnedHandle writeEnd;
    if (!CreatePipe(readEnd.Receive(), writeEnd.Receive(), &inheritable, 0) ||
        !SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0)) {
        error = WindowsErrorText(GetLastError());
        return false;
    }
    OwnedHandle errorFile = UnnamedTemporaryFile(inheritable);
    if (errorFile.Get() == nullptr) {
        error = "no temporary file for its messages: " + WindowsErrorText(GetLastError());
        return false;
    }
    OwnedHandle nullDevice(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                       OPEN_EXISTING, 0, nullptr));
    if (nullDevice.Get() == nullptr) {
        error = WindowsErrorText(GetLastError());
        return false;
    }

    InheritedHandles inherited{nullDevice.Get(), writeEnd.Get(), errorFile.Get()};
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = inherited.Get() != nullptr ? sizeof(STARTUPINFOEXW) : sizeof(STARTUPINFOW);
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = nullDevice.Get();
    startup.StartupInfo.hStdOutput = writeEnd.Get();
    startup.StartupInfo.hStdError = errorFile.Get();
    startup.lpAttributeList = inherited.Get();
    std::wstring commandLine = WindowsCommandLine(program, arguments);
    // A group of its own: Ctrl+C reaches only this process, which passes it on.
    DWORD flags = CREATE_NEW_PROCESS_GROUP | CREATE_UNICODE_ENVIRONMENT;
    if (startup.lpAttributeList != nullptr) flags |= EXTENDED_STARTUPINFO_PRESENT;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(Widen(program).c_str(), commandLine.data(), nullptr, nullptr, TRUE, flags, nullptr,
                        nullptr, &startup.StartupInfo, &started)) {
        error = WindowsErrorText(GetLastError());
        return false;
    }
    CloseHandle(started.hThread);
    processId_ = int(started.dwProcessId);
    processHandle_ = started.hProcess;
    output_ = AsDescriptor(readEnd, _O_RDONLY);
    errorFile_ = AsDescriptor(errorFile, _O_RDONLY);
    return true;
}

bool ChildProcess::StartCopy(const std::function<int()>&, std::string& error)
{
    error = "Windows cannot copy a running process";
    return false;
}

std::string ChildProcess::ErrorOutput() const
{
    std::string text;
    if (!errorFile_.IsOpen()) return text;
    char buffer[4096];
    for (uint64_t offset = 0;;) {
        const int64_t count = ReadAtOffset(errorFile_.Get(), buffer, sizeof buffer, offset);
        if (count <= 0) break;
        text.append(buffer, size_t(count));
        offset += uint64_t(count);
    }
    return text;
}

void ChildProcess::PassOnInterrupt() const
{
    if (IsRunning()) platform::PassOnInterrupt(processId_);
}

void ChildProcess::Collect(bool block)
{
    if (!IsRunning()) return;
    char buffer[4096];
    while (output_.IsOpen() && (block || PipeHasNews(output_.Get()))) {
        // Reads what is there, or waits for more until the child closes it.
        const int64_t count = output_.Read(buffer, sizeof buffer);
        if (count <= 0) {
            output_.Close();
            break;
        }
        pending_.append(buffer, size_t(count));
    }
    if (output_.IsOpen()) return;
    if (WaitForSingleObject(processHandle_, block ? INFINITE : 0) != WAIT_OBJECT_0) return;
    DWORD code = 1;
    GetExitCodeProcess(processHandle_, &code);
    exitStatus_ = int(code);
    CloseHandle(processHandle_);
    processHandle_ = nullptr;
    processId_ = 0;
}

void WaitForChildren(const std::vector<ChildProcess*>& children, int milliseconds)
{
    // Pipes cannot be waited on: look every few milliseconds.
    const ULONGLONG deadline = GetTickCount64() + ULONGLONG(milliseconds > 0 ? milliseconds : 0);
    for (;;) {
        bool news = Interrupted();
        for (ChildProcess* child : children) {
            if (!child->IsRunning()) continue;
            if (child->OutputDescriptor() >= 0) {
                news = news || PipeHasNews(child->OutputDescriptor());
            } else {
                child->Collect(false);
                news = news || !child->IsRunning();
            }
        }
        if (news || GetTickCount64() >= deadline) break;
        Sleep(10);
    }
    for (ChildProcess* child : children) child->Collect(false);
}

bool CanStartCopies()
{
    return false;
}

}  // namespace platform
