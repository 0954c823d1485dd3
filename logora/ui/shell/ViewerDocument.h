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

signals:
    void Closed(ViewerDocument* document);

private:
    std::unique_ptr<CDatReaderDoc> document_;
    QList<CChildFrame*> frames_;
    CChildFrame* plotFrame_ = nullptr;
};

}  // namespace logora::ui
