#include "logora/engine/document/DocumentDialogs.h"

#include "logora/engine/run/RunState.h"

namespace logora {

namespace {

CDocumentDialogs*& Installed()
{
    static CDocumentDialogs* dialogs = nullptr;
    return dialogs;
}

}  // namespace

void SetDocumentDialogs(CDocumentDialogs* dialogs)
{
    Installed() = dialogs;
}

CDocumentDialogs* DocumentDialogs()
{
    return IsCommandLineMode() ? nullptr : Installed();
}

}  // namespace logora
