#pragma once
// Drag and drop between windows and programs, in the shape the program's drop
// targets, drop sources and data objects expect: result codes, key states and
// effects, blocks of named clipboard formats, and a modal drag loop.
//
// Underneath it is Qt's QDrag, QMimeData and the drop events; the formats
// travel under the MIME types of ClipboardMimeType (clipboard.h). The text
// formats become text/plain (CF_UNICODETEXT a UTF-16 block with a zero
// character, CF_TEXT the Windows-1252 bytes with a zero byte), file lists and
// "UniformResourceLocator" text/uri-list.
//
// The modal loop (DoDragDrop) goes through a seam: a test installs a loop of
// its own (TScriptedDragLoop scripts the key states and the feedback a target
// gives), since a headless platform runs no real drag. A drop target is
// registered on a control (RegisterDragDrop); the control's drop events reach
// it with the data as a data object over the dropped QMimeData.
#include "platform/ui/clipboard.h"
#include "platform/ui/graphics.h"

#include <QtCore/QByteArray>
#include <QtCore/QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QMimeData;
class TWinControl;

using HRESULT = int32_t;
using DWORD = uint32_t;
using ULONG = uint32_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001u);
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
constexpr HRESULT E_INVALIDARG = HRESULT(0x80070057u);
constexpr HRESULT DV_E_FORMATETC = HRESULT(0x80040064u);
constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = HRESULT(0x80040003u);
constexpr HRESULT DRAGDROP_S_DROP = 0x00040100;
constexpr HRESULT DRAGDROP_S_CANCEL = 0x00040101;
constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;
constexpr HRESULT DRAGDROP_E_NOTREGISTERED = HRESULT(0x80040100u);
constexpr HRESULT DRAGDROP_E_ALREADYREGISTERED = HRESULT(0x80040101u);

enum : DWORD { DROPEFFECT_NONE = 0, DROPEFFECT_COPY = 1, DROPEFFECT_MOVE = 2, DROPEFFECT_LINK = 4 };
// Key state of a drag: mouse buttons and modifier keys held.
enum : DWORD { MK_LBUTTON = 0x01, MK_RBUTTON = 0x02, MK_SHIFT = 0x04, MK_CONTROL = 0x08, MK_MBUTTON = 0x10,
               MK_ALT = 0x20 };
enum : DWORD { DVASPECT_CONTENT = 1 };
enum : DWORD { TYMED_NULL = 0, TYMED_HGLOBAL = 1 };
enum : DWORD { DATADIR_GET = 1, DATADIR_SET = 2 };

// One format of a data object: which block, in which aspect and medium.
struct FORMATETC {
    TClipFormat cfFormat = 0;
    const void* ptd = nullptr; // target device: none
    DWORD dwAspect = DVASPECT_CONTENT;
    int32_t lindex = -1;
    DWORD tymed = TYMED_HGLOBAL;
};

// A block handed over: its bytes as a global memory block.
struct STGMEDIUM {
    DWORD tymed = TYMED_NULL;
    QByteArray hGlobal;
    const void* pUnkForRelease = nullptr;
};

class IEnumFORMATETC {
public:
    virtual ~IEnumFORMATETC() = default;
    virtual HRESULT Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) = 0;
    virtual HRESULT Skip(ULONG celt) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(std::shared_ptr<IEnumFORMATETC>& Enum) = 0;
};

class IDataObject {
public:
    virtual ~IDataObject() = default;
    virtual HRESULT GetData(const FORMATETC& Format, STGMEDIUM& Medium) = 0;
    virtual HRESULT GetDataHere(const FORMATETC& Format, STGMEDIUM& Medium) = 0;
    virtual HRESULT QueryGetData(const FORMATETC& Format) = 0;
    virtual HRESULT GetCanonicalFormatEtc(const FORMATETC& In, FORMATETC& Out) = 0;
    virtual HRESULT SetData(const FORMATETC& Format, const STGMEDIUM& Medium, bool Release) = 0;
    virtual HRESULT EnumFormatEtc(DWORD Direction, std::shared_ptr<IEnumFORMATETC>& Enum) = 0;
    virtual HRESULT DAdvise(const FORMATETC& Format, DWORD Flags, void* Sink, DWORD& Connection) = 0;
    virtual HRESULT DUnadvise(DWORD Connection) = 0;
    virtual HRESULT EnumDAdvise(void*& EnumAdvise) = 0;
};

class IDropSource {
public:
    virtual ~IDropSource() = default;
    virtual HRESULT QueryContinueDrag(bool EscapePressed, DWORD KeyState) = 0;
    virtual HRESULT GiveFeedback(DWORD Effect) = 0;
};

// Points are screen coordinates.
class IDropTarget {
public:
    virtual ~IDropTarget() = default;
    virtual HRESULT DragEnter(const std::shared_ptr<IDataObject>& Data, DWORD KeyState, TPoint Pt, DWORD& Effect) = 0;
    virtual HRESULT DragOver(DWORD KeyState, TPoint Pt, DWORD& Effect) = 0;
    virtual HRESULT DragLeave() = 0;
    virtual HRESULT Drop(const std::shared_ptr<IDataObject>& Data, DWORD KeyState, TPoint Pt, DWORD& Effect) = 0;
};

// ---- the modal drag
// Runs a drag of Data: asks Source whether to go on and gives it the feedback
// until it drops or cancels. Effect receives the final effect; the result is
// DRAGDROP_S_DROP or DRAGDROP_S_CANCEL.
HRESULT DoDragDrop(const std::shared_ptr<IDataObject>& Data, IDropSource* Source, DWORD OkEffects, DWORD& Effect);

using TDragLoop =
    std::function<HRESULT(const std::shared_ptr<IDataObject>& Data, IDropSource* Source, DWORD OkEffects, DWORD& Effect)>;
// Installs a drag loop for the lifetime of the object (tests).
class TDragLoopScope {
public:
    explicit TDragLoopScope(TDragLoop Loop);
    ~TDragLoopScope();
    TDragLoopScope(const TDragLoopScope&) = delete;
    TDragLoopScope& operator=(const TDragLoopScope&) = delete;
private:
    TDragLoop FPrev;
};

// A drag loop played from a script: each step polls the source with its key
// state and Escape flag; while the drag goes on, the step's target effect
// (limited to the allowed effects) is the feedback, or the answer of Target
// at Pt when one is given. A script that runs out ends as Escape does.
class TScriptedDragLoop {
public:
    struct TStep {
        DWORD KeyState = MK_LBUTTON;
        bool Escape = false;
        DWORD TargetEffect = DROPEFFECT_NONE;
    };
    std::vector<TStep> Steps;
    IDropTarget* Target = nullptr;
    TPoint Pt;
    // What the run saw: the feedback effects in order, the data dragged and the end.
    std::vector<DWORD> Feedback;
    std::shared_ptr<IDataObject> Dragged;
    HRESULT Result = S_OK;
    int Runs = 0;
    HRESULT operator()(const std::shared_ptr<IDataObject>& Data, IDropSource* Source, DWORD OkEffects, DWORD& Effect);
    // A loop for TDragLoopScope that plays this script.
    TDragLoop Loop() { return [this](auto&&... a) { return (*this)(a...); }; }
};

// ---- drop targets on controls
HRESULT RegisterDragDrop(TWinControl* Control, std::shared_ptr<IDropTarget> Target);
HRESULT RevokeDragDrop(TWinControl* Control);

// ---- blocks and MIME data
// A data object of fixed blocks, offered in the order they were added (a drop
// from another program, or a test's own drag data).
class TBlockDataObject : public IDataObject {
public:
    // A second block of a format already offered is ignored.
    void Add(TClipFormat Format, const QByteArray& Block);
    HRESULT GetData(const FORMATETC& Format, STGMEDIUM& Medium) override;
    HRESULT GetDataHere(const FORMATETC& Format, STGMEDIUM& Medium) override;
    HRESULT QueryGetData(const FORMATETC& Format) override;
    HRESULT GetCanonicalFormatEtc(const FORMATETC& In, FORMATETC& Out) override;
    HRESULT SetData(const FORMATETC& Format, const STGMEDIUM& Medium, bool Release) override;
    HRESULT EnumFormatEtc(DWORD Direction, std::shared_ptr<IEnumFORMATETC>& Enum) override;
    HRESULT DAdvise(const FORMATETC& Format, DWORD Flags, void* Sink, DWORD& Connection) override;
    HRESULT DUnadvise(DWORD Connection) override;
    HRESULT EnumDAdvise(void*& EnumAdvise) override;

private:
    std::vector<std::pair<TClipFormat, QByteArray>> FBlocks;
};

// Little-endian 32-bit values in blocks (0 past the end), the bytes before the
// first zero byte, and UTF-16LE text blocks ending in a zero character.
uint32_t BlockLE32(const QByteArray& Block, qsizetype At);
void AppendBlockLE32(QByteArray& Block, uint32_t Value);
QByteArray BlockUpToZero(const QByteArray& Block);
QByteArray Utf16Block(const QString& Text);
QString TextOfUtf16Block(const QByteArray& Block);
// The key state of Qt buttons and modifiers.
DWORD KeyStateFromQt(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers);
// A DROPFILES block of the names: a 20-byte header (offset of the list, drop
// point, non-client flag, wide flag 1), the UTF-16 names each ending in a zero
// character, and an empty name.
QByteArray MakeDropFilesBlock(const QStringList& Names);
// The names of a DROPFILES block (UTF-16 or Windows-1252 by its wide flag); a
// block too short for its header or its list gives what could be read.
QStringList ReadDropFilesBlock(const QByteArray& Block);
// The data object over a copy of the MIME data (the drop side).
std::shared_ptr<IDataObject> DataObjectFromMime(const QMimeData* Mime);
// MIME data of every format a data object offers (the drag side).
QMimeData* MimeFromDataObject(IDataObject* Data);
