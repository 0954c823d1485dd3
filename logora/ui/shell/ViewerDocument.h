#pragma once
// One open document as the viewer holds it: the engine's document, the
// windows that show it, and its trend plot window. Closing its last window
// closes the document, which deletes its temporary table.

#include <QList>
#include <QObject>
#include <memory>

#include "logora/engine/document/CDatReaderDoc.h"

namespace logora::ui {

class CChildFrame;
class FollowWatch;

class ViewerDocument : public QObject
{
    Q_OBJECT
public:
    ViewerDocument(std::unique_ptr<CDatReaderDoc> document, QObject* parent);
    ~ViewerDocument() override;

    CDatReaderDoc& Doc() { return *document_; }
    // Holds `document`, its input converted again, in place of the one held,
    // which ends once the windows closed before are gone; the windows left
    // reload themselves.
    void ReplaceDoc(std::unique_ptr<CDatReaderDoc> document);
    QString PathName() const;
    // The file name shown in window titles, marked when the table is
    // incomplete.
    QString Title() const;

    void AddFrame(CChildFrame* frame);
    // Called by a closing frame; the last one closes the document.
    void RemoveFrame(CChildFrame* frame);
    const QList<CChildFrame*>& Frames() const { return frames_; }

    CChildFrame* PlotFrame() const;
    void SetPlotFrame(CChildFrame* frame);

    // View > Follow: the input is watched, and the records its writer adds
    // are taken in as they come. Only for a document that CanFollow.
    bool IsFollowing() const { return watch_ != nullptr; }
    void SetFollowing(bool following);

signals:
    void Closed(ViewerDocument* document);
    void FollowingChanged(bool following);
    // The table gained `added` records at its end.
    void RecordsAdded(qint64 added);
    // What was read of the input is no longer there (`why` says what
    // happened); following stopped.
    void InputMoved(const QString& why);

private:
    void TakeNewRecords();

    std::unique_ptr<CDatReaderDoc> document_;
    FollowWatch* watch_ = nullptr;
    QList<CChildFrame*> frames_;
    CChildFrame* plotFrame_ = nullptr;
};

}  // namespace logora::ui
