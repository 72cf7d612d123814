#pragma once
// The drag-and-drop classes the grid's own drop target and drop source build
// on: a drop target that decides acceptance and effects and hands the dropped
// data to virtual hooks, a drop source that ends the drag with the button or
// Escape, the data object of a drag out of a grid with its format enumerator,
// a reader of the formats of a foreign data object, and the two drag starters.
//
// They speak the result codes and blocks of platform/ui/dragdrop.h and need no
// window: tests drive them with data objects of their own. The grid formats
// are "Grid Column" (one 32-bit little-endian column index) and
// "TKvStringGrid Cells" (a 32-bit little-endian byte count n, four zero bytes,
// then n bytes of the grid's cell stream).
#include "platform/core/classes.h"
#include "platform/core/exceptions.h"
#include "platform/core/stringlist.h"
#include "platform/ui/dragdrop.h"

#include <memory>

// The formats a drag offers, one bit each.
enum TDropFormat : unsigned { dfText = 1, dfFile = 2, dfCol = 4, dfRTF = 8, dfURL = 16, dfGridCells = 32 };
using TDropFormats = unsigned;

// Raised when a dropped data object cannot list its formats.
class EAssertionFailed : public Exception {
public:
    using Exception::Exception;
};

namespace KsgDD {
TClipFormat RTFFormat();        // "Rich Text Format"
TClipFormat ColumnFormat();     // "Grid Column"
TClipFormat GridCellsFormat();  // "TKvStringGrid Cells"
TClipFormat URLFormat();        // "UniformResourceLocator"
} // namespace KsgDD

// Admits "Rich Text Format" for the whole program (off at start).
void SetDropRTFEnabled(bool Value);
bool DropRTFEnabled();

// Copy with Ctrl held (even when only move is allowed), else move when allowed, else copy.
DWORD DropEffectFromKeys(DWORD KeyState, DWORD Allowed);

// Reads the formats of a foreign data object.
class TEnumFormats {
public:
    // Raises EAssertionFailed when the object gives no enumerator.
    explicit TEnumFormats(std::shared_ptr<IDataObject> DataObject);
    bool Reset();
    // Fetches the next format; false at the end.
    bool Next();
    bool HasFormat(TClipFormat cf);
    // The block of the current format in that medium; false without one.
    bool Handle(DWORD tymed, QByteArray& Block);
    bool GlobalHandle(QByteArray& Block) { return Handle(TYMED_HGLOBAL, Block); }
    bool HasText();
    bool HasRTF();
    bool HasCol();
    bool HasFile();
    bool HasURL();
    bool HasGridCells();
    // The dragged text (CF_UNICODETEXT, else the 8-bit text), empty without one.
    QString Text();
    QString RTF();
    // The dragged column, -1 without one.
    int Col();
    // The grid cells of the drag, rewound; null without them.
    std::unique_ptr<TMemoryStream> Stream();
    // The dragged file names into Files; true when at least one was read.
    bool FetchFileList();
    TStringList* Files() { return &FFiles; }
    // The current entry and the Next calls since the last Reset.
    const FORMATETC& Current() const { return FCurrent; }
    DWORD Aspect() const { return FCurrent.dwAspect; }
    void SetAspect(DWORD Value) { FCurrent.dwAspect = Value; }
    TClipFormat Format() const { return FCurrent.cfFormat; }
    void SetFormat(TClipFormat Value) { FCurrent.cfFormat = Value; }
    int Index() const { return FCurrent.lindex; }
    void SetIndex(int Value) { FCurrent.lindex = Value; }
    DWORD Medium() const { return FCurrent.tymed; }
    void SetMedium(DWORD Value) { FCurrent.tymed = Value; }
    int Count() const { return FCount; }
    bool Valid() const { return FValid; }

private:
    QByteArray Block(TClipFormat cf);
    std::shared_ptr<IDataObject> FDataObject;
    std::shared_ptr<IEnumFORMATETC> FEnum;
    FORMATETC FCurrent;
    int FCount = 0;
    bool FValid = false;
    TStringList FFiles;
};

class TKSGDropTarget : public IDropTarget {
public:
    TKSGDropTarget() = default;
    HRESULT DragEnter(const std::shared_ptr<IDataObject>& Data, DWORD KeyState, TPoint Pt, DWORD& Effect) override;
    HRESULT DragOver(DWORD KeyState, TPoint Pt, DWORD& Effect) override;
    HRESULT DragLeave() override;
    HRESULT Drop(const std::shared_ptr<IDataObject>& Data, DWORD KeyState, TPoint Pt, DWORD& Effect) override;
    bool AcceptText() const { return FAcceptText; }
    void SetAcceptText(bool Value) { FAcceptText = Value; }
    bool AcceptFiles() const { return FAcceptFiles; }
    void SetAcceptFiles(bool Value) { FAcceptFiles = Value; }
    bool AcceptCols() const { return FAcceptCols; }
    void SetAcceptCols(bool Value) { FAcceptCols = Value; }
    bool AcceptURLs() const { return FAcceptURLs; }
    void SetAcceptURLs(bool Value) { FAcceptURLs = Value; }
    // Whether the drag under way is accepted, and what it offers.
    bool Ok() const { return FOk; }
    TDropFormats DropFormats() const { return FDropFormats; }

protected:
    // Points are screen coordinates.
    virtual void DropText(TPoint Pt, const QString& Text) { (void)Pt; (void)Text; }
    virtual void DropStream(TPoint Pt, TMemoryStream* Stream) { (void)Pt; (void)Stream; }
    virtual void DropCol(TPoint Pt, int Column) { (void)Pt; (void)Column; }
    virtual void DropRTF(TPoint Pt, const QString& RTF) { (void)Pt; (void)RTF; }
    virtual void DropFiles(TPoint Pt, TStrings* Files) { (void)Pt; (void)Files; }
    virtual void DropURL(TPoint Pt, const QString& URL) { (void)Pt; (void)URL; }
    virtual void DragMouseMove(TPoint Pt, bool& Allow, TDropFormats Formats) { (void)Pt; (void)Allow; (void)Formats; }
    virtual void DragMouseEnter() {}
    virtual void DragMouseLeave() {}
    bool FOk = false;
    bool FAcceptText = true;
    bool FAcceptFiles = true;
    bool FAcceptCols = false;
    bool FAcceptURLs = true;
    TDropFormats FDropFormats = 0;
};

class TKSGDropSource : public IDropSource {
public:
    HRESULT QueryContinueDrag(bool EscapePressed, DWORD KeyState) override;
    HRESULT GiveFeedback(DWORD Effect) override;
    // The last feedback reported no effect.
    bool NoAccept() const { return FNoAccept; }

protected:
    // The drag ended, by Escape or by the released button.
    virtual void DragFinished() {}
    virtual void CurrentEffect(DWORD Effect) { (void)Effect; }
    // Every poll of the drag.
    virtual void QueryDrag() {}
    bool FNoAccept = false;
};

// The data of a drag out of a grid.
class TSourceDataObject : public IDataObject {
public:
    QString textdata;
    QString rtfdata;
    int scolidx = -1;
    // Owned by the caller, which frees it after the drag.
    TMemoryStream* memstr = nullptr;
    HRESULT GetData(const FORMATETC& Format, STGMEDIUM& Medium) override;
    HRESULT GetDataHere(const FORMATETC& Format, STGMEDIUM& Medium) override;
    HRESULT QueryGetData(const FORMATETC& Format) override;
    HRESULT GetCanonicalFormatEtc(const FORMATETC& In, FORMATETC& Out) override;
    HRESULT SetData(const FORMATETC& Format, const STGMEDIUM& Medium, bool Release) override;
    HRESULT EnumFormatEtc(DWORD Direction, std::shared_ptr<IEnumFORMATETC>& Enum) override;
    HRESULT DAdvise(const FORMATETC& Format, DWORD Flags, void* Sink, DWORD& Connection) override;
    HRESULT DUnadvise(DWORD Connection) override;
    HRESULT EnumDAdvise(void*& EnumAdvise) override;
};

// The formats of a TSourceDataObject: the two text formats and "Rich Text
// Format", then "Grid Column" and "TKvStringGrid Cells" when present.
class TSourceEnumFormatEtc : public IEnumFORMATETC {
public:
    TSourceEnumFormatEtc(bool HasCol, bool HasGridCells, int Index = 0)
        : FIndex(Index), FHasCol(HasCol), FHasGridCells(HasGridCells) {}
    HRESULT Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) override;
    HRESULT Skip(ULONG celt) override;
    HRESULT Reset() override;
    HRESULT Clone(std::shared_ptr<IEnumFORMATETC>& Enum) override;
    int Position() const { return FIndex; }
    int Length() const;

private:
    FORMATETC Entry(int i) const;
    int FIndex;
    bool FHasCol, FHasGridCells;
};

// Drags the text (with its RTF and, when given, the grid cells). The result is
// DRAGDROP_S_CANCEL when the last feedback showed no effect, else the drag's.
HRESULT BeginTextDrag(TKSGDropSource* Source, const QString& Text, const QString& RTF, DWORD& Effect,
                      DWORD AllowedEffects, TMemoryStream* Stream);
HRESULT BeginColumnDrag(TKSGDropSource* Source, int Column, DWORD AllowedEffects, DWORD& Effect);
