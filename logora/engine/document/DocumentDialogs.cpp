#include "logora/engine/document/DocumentDialogs.h"

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
    return Installed();
}

}  // namespace logora
