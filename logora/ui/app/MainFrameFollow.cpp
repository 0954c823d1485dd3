// View > Follow: a followed document's windows take in the records its
// input gains, and an input that moved under it is offered to be opened
// again.
#include <QMessageBox>
#include <QStatusBar>

#include "logora/ui/app/CMainFrame.h"
#include "logora/ui/app/Commands.h"
#include "logora/ui/listview/CDatReaderView.h"
#include "logora/ui/plot/CdatPlotView.h"
#include "logora/ui/records/FollowRows.h"
#include "logora/ui/shell/CChildFrame.h"
#include "logora/ui/shell/ViewerDocument.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {

void CMainFrame::OnFollow(bool following)
{
    if (CChildFrame* active = ActiveFrame()) active->Document()->SetFollowing(following);
}

void CMainFrame::ConnectFollowing(ViewerDocument* document)
{
    connect(document, &ViewerDocument::FollowingChanged, this, [this, document](bool following) {
        CChildFrame* active = ActiveFrame();
        if (active && active->Document() == document) {
            const QSignalBlocker quiet(Action(kFollow));
            Action(kFollow)->setChecked(following);
        }
        statusBar()->showMessage(following ? QString("Following %1").arg(document->Title())
                                           : QString("%1 is no longer followed").arg(document->Title()),
                                 5000);
    });
    connect(document, &ViewerDocument::RecordsAdded, this,
            [this, document](qint64 added) { ShowRecordsAdded(document, added); });
    connect(document, &ViewerDocument::InputMoved, this,
            [this, document](const QString& why) { OfferReopen(document, why); });
}

void CMainFrame::ShowRecordsAdded(ViewerDocument* document, qint64 added)
{
    for (CChildFrame* frame : document->Frames()) {
        if (frame->Kind() == ViewKind::List) static_cast<CDatReaderView*>(frame->View())->RecordsAppended();
        if (frame->Kind() == ViewKind::Plot) static_cast<CdatPlotView*>(frame->View())->RecordsAppended();
    }
    statusBar()->showMessage(ToQString(FollowingText(added)), 5000);
}

void CMainFrame::OfferReopen(ViewerDocument* document, const QString& why)
{
    const auto answer = QMessageBox::question(
        this, "Follow", why + "\n\nThe records shown stay as they were read. Open the file again?",
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    RestoreFocus();
    if (answer != QMessageBox::Yes || !documents_.contains(document) || document->Frames().isEmpty()) return;
    std::unique_ptr<CDatReaderDoc> again = ConvertAgain(document);
    if (!again) return;
    CChildFrame* active = ActiveFrame();
    ReplaceDocument(document, std::move(again), active ? active : document->Frames().first());
    document->SetFollowing(true);
}

}  // namespace logora::ui
