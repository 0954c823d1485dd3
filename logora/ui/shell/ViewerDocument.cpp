#include "logora/ui/shell/ViewerDocument.h"

#include <QFileInfo>

#include "logora/ui/shell/CChildFrame.h"
#include "logora/ui/shell/FollowWatch.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {

ViewerDocument::ViewerDocument(std::unique_ptr<CDatReaderDoc> document, QObject* parent)
    : QObject(parent), document_(std::move(document))
{}

ViewerDocument::~ViewerDocument()
{
    // Its thread ends before the table goes; the windows are gone already.
    delete watch_;
    document_->OnCloseDocument();
}

void ViewerDocument::SetFollowing(bool following)
{
    following = following && document_->CanFollow();
    if (following == IsFollowing()) return;
    if (watch_) {
        // It may be the sender of the signal being answered.
        watch_->disconnect(this);
        watch_->deleteLater();
        watch_ = nullptr;
    }
    if (following) {
        watch_ = new FollowWatch(document_->GetPathName(), this);
        connect(watch_, &FollowWatch::MayHaveChanged, this, &ViewerDocument::TakeNewRecords);
        // What came between the open and now.
        TakeNewRecords();
    }
    emit FollowingChanged(IsFollowing());
}

void ViewerDocument::TakeNewRecords()
{
    if (!watch_) return;
    watch_->Answered();
    const CDatReaderDoc::FollowStep step = document_->TakeNewRecords();
    if (step.added > 0) emit RecordsAdded(step.added);
    if (step.kind == CDatReaderDoc::FollowStep::Kind::Cancelled) SetFollowing(false);
    if (step.kind == CDatReaderDoc::FollowStep::Kind::Moved) {
        SetFollowing(false);
        emit InputMoved(ToQString(step.why));
    }
}

QString ViewerDocument::PathName() const
{
    return ToQString(document_->GetPathName());
}

QString ViewerDocument::Title() const
{
    const QString name = QFileInfo(PathName()).fileName();
    return document_->GetRecordsRead() ? name + " (incomplete)" : name;
}

void ViewerDocument::ReplaceDoc(std::unique_ptr<CDatReaderDoc> document)
{
    // Deferred deletions go in the order they were asked for.
    auto* retired = new QObject(this);
    connect(retired, &QObject::destroyed, [old = std::shared_ptr<CDatReaderDoc>(std::move(document_))] {});
    retired->deleteLater();
    SetFollowing(false);
    document_ = std::move(document);
}

void ViewerDocument::AddFrame(CChildFrame* frame)
{
    frames_.append(frame);
}

void ViewerDocument::RemoveFrame(CChildFrame* frame)
{
    frames_.removeAll(frame);
    if (PlotFrame() == frame) SetPlotFrame(nullptr);
    if (frames_.isEmpty()) {
        emit Closed(this);
        // The document goes once the closing window (and its view) is gone.
        connect(frame, &QObject::destroyed, this, &QObject::deleteLater);
    }
}

CChildFrame* ViewerDocument::PlotFrame() const
{
    return plotFrame_;
}

void ViewerDocument::SetPlotFrame(CChildFrame* frame)
{
    plotFrame_ = frame;
}

}  // namespace logora::ui
