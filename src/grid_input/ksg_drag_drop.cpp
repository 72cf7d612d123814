#include "grid_input/ksg_drag_drop.h"

#include "platform/core/codepages.h"

#include <algorithm>
#include <new>

namespace {

bool gDropRTFEnabled = false;

} // namespace

namespace KsgDD {
TClipFormat RTFFormat() { return RegisterClipboardFormat(QStringLiteral("Rich Text Format")); }
TClipFormat ColumnFormat() { return RegisterClipboardFormat(QStringLiteral("Grid Column")); }
TClipFormat GridCellsFormat() { return RegisterClipboardFormat(QStringLiteral("TKvStringGrid Cells")); }
TClipFormat URLFormat() { return RegisterClipboardFormat(QStringLiteral("UniformResourceLocator")); }
} // namespace KsgDD

void SetDropRTFEnabled(bool Value) { gDropRTFEnabled = Value; }
bool DropRTFEnabled() { return gDropRTFEnabled; }

DWORD DropEffectFromKeys(DWORD KeyState, DWORD Allowed)
{
    if (KeyState & MK_CONTROL) return DROPEFFECT_COPY;
    if (Allowed & DROPEFFECT_MOVE) return DROPEFFECT_MOVE;
    return DROPEFFECT_COPY;
}

// ============================================================ format reader

TEnumFormats::TEnumFormats(std::shared_ptr<IDataObject> DataObject) : FDataObject(std::move(DataObject))
{
    if (!FDataObject || FDataObject->EnumFormatEtc(DATADIR_GET, FEnum) != S_OK || !FEnum)
        throw EAssertionFailed(QStringLiteral("Cannot get the format enumerator"));
}

bool TEnumFormats::Reset()
{
    FCount = 0;
    FValid = false;
    return FEnum->Reset() == S_OK;
}

bool TEnumFormats::Next()
{
    ULONG fetched = 0;
    FValid = FEnum->Next(1, &FCurrent, &fetched) == S_OK && fetched == 1;
    ++FCount;
    return FValid;
}

bool TEnumFormats::HasFormat(TClipFormat cf)
{
    Reset();
    // Bounded, so that an enumerator that never ends still ends here.
    for (int n = 0; n < 4096 && Next(); ++n)
        if (FCurrent.cfFormat == cf) return true;
    return false;
}

bool TEnumFormats::Handle(DWORD tymed, QByteArray& Block)
{
    Block.clear();
    if (!FValid || !(FCurrent.tymed & tymed)) return false;
    FORMATETC fe = FCurrent;
    fe.tymed = tymed;
    STGMEDIUM m;
    if (FDataObject->GetData(fe, m) != S_OK || !(m.tymed & tymed)) return false;
    Block = m.hGlobal;
    return true;
}

QByteArray TEnumFormats::Block(TClipFormat cf)
{
    QByteArray b;
    if (HasFormat(cf)) GlobalHandle(b);
    return b;
}

bool TEnumFormats::HasText() { return HasFormat(CF_UNICODETEXT) || HasFormat(CF_TEXT); }
bool TEnumFormats::HasRTF() { return HasFormat(KsgDD::RTFFormat()); }
bool TEnumFormats::HasCol() { return HasFormat(KsgDD::ColumnFormat()); }
bool TEnumFormats::HasFile() { return HasFormat(CF_HDROP); }
bool TEnumFormats::HasURL() { return HasFormat(KsgDD::URLFormat()); }
bool TEnumFormats::HasGridCells() { return HasFormat(KsgDD::GridCellsFormat()); }

QString TEnumFormats::Text()
{
    if (HasFormat(CF_UNICODETEXT)) {
        QByteArray b;
        return GlobalHandle(b) ? TextOfUtf16Block(b) : QString();
    }
    // A source that offers only 8-bit text.
    return AnsiToUnicode(BlockUpToZero(Block(CF_TEXT)));
}

QString TEnumFormats::RTF() { return AnsiToUnicode(BlockUpToZero(Block(KsgDD::RTFFormat()))); }

int TEnumFormats::Col()
{
    const QByteArray b = Block(KsgDD::ColumnFormat());
    if (b.size() < 4) return -1;
    return int(BlockLE32(b, 0));
}

std::unique_ptr<TMemoryStream> TEnumFormats::Stream()
{
    if (!HasFormat(KsgDD::GridCellsFormat())) return nullptr;
    QByteArray b;
    if (!GlobalHandle(b) || b.size() < 8) return nullptr;
    // A count larger than the block takes what the block holds.
    const qsizetype n = std::min<qsizetype>(qsizetype(BlockLE32(b, 0)), b.size() - 8);
    auto ms = std::make_unique<TMemoryStream>();
    if (n > 0) ms->Write(b.constData() + 8, n);
    ms->SetPosition(0);
    return ms;
}

bool TEnumFormats::FetchFileList()
{
    FFiles.Clear();
    for (const QString& name : ReadDropFilesBlock(Block(CF_HDROP))) FFiles.Add(name);
    return FFiles.Count() > 0;
}

// ============================================================ drop target

HRESULT TKSGDropTarget::DragEnter(const std::shared_ptr<IDataObject>& Data, DWORD KeyState, TPoint Pt,
                                  DWORD& Effect)
{
    (void)Pt;
    {
        TEnumFormats f(Data);
        const bool text = f.HasText(), files = f.HasFile(), rtf = f.HasRTF(), col = f.HasCol(), url = f.HasURL(),
                   cells = f.HasGridCells();
        FOk = (text && FAcceptText) || (files && FAcceptFiles) || (rtf && gDropRTFEnabled && FAcceptText) ||
              (col && FAcceptCols) || (url && FAcceptURLs) || cells;
        FDropFormats = (text ? dfText : 0u) | (files ? dfFile : 0u) | (col ? dfCol : 0u) | (rtf ? dfRTF : 0u) |
                       (url ? dfURL : 0u) | (cells ? dfGridCells : 0u);
    }
    Effect = FOk ? DropEffectFromKeys(KeyState, Effect) : DWORD(DROPEFFECT_NONE);
    DragMouseEnter();
    return S_OK;
}

HRESULT TKSGDropTarget::DragOver(DWORD KeyState, TPoint Pt, DWORD& Effect)
{
    Effect = FOk ? DropEffectFromKeys(KeyState, Effect) : DWORD(DROPEFFECT_NONE);
    bool allow = Effect != DROPEFFECT_NONE;
    DragMouseMove(Pt, allow, FDropFormats);
    if (!allow) Effect = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT TKSGDropTarget::DragLeave()
{
    DragMouseLeave();
    return S_OK;
}

HRESULT TKSGDropTarget::Drop(const std::shared_ptr<IDataObject>& Data, DWORD KeyState, TPoint Pt, DWORD& Effect)
{
    if (!FOk) {
        Effect = DROPEFFECT_NONE;
        return S_OK;
    }
    TEnumFormats f(Data);
    if (f.HasCol()) {
        DropCol(Pt, f.Col());
    } else {
        if (f.HasGridCells()) {
            std::unique_ptr<TMemoryStream> ms = f.Stream();
            if (ms) DropStream(Pt, ms.get());
        } else if (f.HasRTF() && gDropRTFEnabled) {
            DropRTF(Pt, f.RTF());
        } else if (f.HasText()) {
            DropText(Pt, f.Text());
        }
        if (f.HasFile() && f.FetchFileList()) DropFiles(Pt, f.Files());
        if (f.HasURL()) DropURL(Pt, f.Text());
    }
    Effect = DropEffectFromKeys(KeyState, Effect);
    return S_OK;
}

// ============================================================ drop source

HRESULT TKSGDropSource::QueryContinueDrag(bool EscapePressed, DWORD KeyState)
{
    HRESULT hr = S_OK;
    if (EscapePressed) {
        DragFinished();
        hr = DRAGDROP_S_CANCEL;
    } else if (!(KeyState & MK_LBUTTON)) {
        DragFinished();
        hr = DRAGDROP_S_DROP;
    }
    QueryDrag();
    return hr;
}

HRESULT TKSGDropSource::GiveFeedback(DWORD Effect)
{
    FNoAccept = Effect == DROPEFFECT_NONE;
    CurrentEffect(Effect);
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

// ============================================================ data object

HRESULT TSourceDataObject::QueryGetData(const FORMATETC& Format)
{
    if (Format.dwAspect != DVASPECT_CONTENT || !(Format.tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
    const TClipFormat f = Format.cfFormat;
    if ((f == CF_TEXT || f == CF_UNICODETEXT || (f == KsgDD::RTFFormat() && gDropRTFEnabled)) && !textdata.isEmpty())
        return S_OK;
    if (f == KsgDD::GridCellsFormat() && memstr) return S_OK;
    if (f == KsgDD::ColumnFormat() && scolidx != -1) return S_OK;
    return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetData(const FORMATETC& Format, STGMEDIUM& Medium)
{
    Medium = STGMEDIUM();
    if (QueryGetData(Format) != S_OK) return DV_E_FORMATETC;
    const TClipFormat f = Format.cfFormat;
    QByteArray block;
    try {
        if (f == CF_TEXT) {
            block = UnicodeToAnsi(textdata) + QByteArray(1, '\0');
        } else if (f == CF_UNICODETEXT) {
            block = Utf16Block(textdata);
        } else if (f == KsgDD::RTFFormat()) {
            block = UnicodeToAnsi(rtfdata) + QByteArray(1, '\0');
        } else if (f == KsgDD::ColumnFormat()) {
            AppendBlockLE32(block, uint32_t(scolidx));
        } else {
            const std::vector<uint8_t>& bytes = memstr->Bytes();
            AppendBlockLE32(block, uint32_t(bytes.size()));
            AppendBlockLE32(block, 0);
            block.append(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
        }
    } catch (const std::bad_alloc&) {
        return DV_E_FORMATETC;
    }
    Medium.tymed = TYMED_HGLOBAL;
    Medium.hGlobal = block;
    Medium.pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT TSourceDataObject::GetDataHere(const FORMATETC&, STGMEDIUM&) { return DV_E_FORMATETC; }

HRESULT TSourceDataObject::GetCanonicalFormatEtc(const FORMATETC&, FORMATETC& Out)
{
    Out.ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT TSourceDataObject::SetData(const FORMATETC&, const STGMEDIUM&, bool) { return DV_E_FORMATETC; }

HRESULT TSourceDataObject::EnumFormatEtc(DWORD Direction, std::shared_ptr<IEnumFORMATETC>& Enum)
{
    if (Direction != DATADIR_GET) {
        Enum.reset();
        return E_NOTIMPL;
    }
    Enum = std::make_shared<TSourceEnumFormatEtc>(scolidx != -1, memstr != nullptr);
    return S_OK;
}

HRESULT TSourceDataObject::DAdvise(const FORMATETC&, DWORD, void*, DWORD&) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT TSourceDataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT TSourceDataObject::EnumDAdvise(void*& EnumAdvise)
{
    EnumAdvise = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}

// ============================================================ format enumerator

int TSourceEnumFormatEtc::Length() const { return 3 + (FHasCol ? 1 : 0) + (FHasGridCells ? 1 : 0); }

FORMATETC TSourceEnumFormatEtc::Entry(int i) const
{
    FORMATETC fe;
    switch (i) {
    case 0: fe.cfFormat = CF_TEXT; break;
    case 1: fe.cfFormat = CF_UNICODETEXT; break;
    case 2: fe.cfFormat = KsgDD::RTFFormat(); break;
    default: fe.cfFormat = (i == 3 && FHasCol) ? KsgDD::ColumnFormat() : KsgDD::GridCellsFormat(); break;
    }
    return fe;
}

HRESULT TSourceEnumFormatEtc::Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched)
{
    ULONG n = 0;
    while (n < celt && FIndex < Length() && rgelt) rgelt[n++] = Entry(FIndex++);
    if (pceltFetched) *pceltFetched = n;
    return n == celt ? S_OK : S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Skip(ULONG celt)
{
    const long long next = (long long)FIndex + celt;
    if (next > Length()) {
        FIndex = Length();
        return S_FALSE;
    }
    FIndex = int(next);
    return S_OK;
}

HRESULT TSourceEnumFormatEtc::Reset()
{
    FIndex = 0;
    return S_OK;
}

HRESULT TSourceEnumFormatEtc::Clone(std::shared_ptr<IEnumFORMATETC>& Enum)
{
    Enum = std::make_shared<TSourceEnumFormatEtc>(FHasCol, FHasGridCells, FIndex);
    return S_OK;
}

// ============================================================ drag starters

namespace {
HRESULT RunDrag(const std::shared_ptr<TSourceDataObject>& Data, TKSGDropSource* Source, DWORD AllowedEffects,
                DWORD& Effect)
{
    const HRESULT hr = DoDragDrop(Data, Source, AllowedEffects, Effect);
    // The caller frees the stream now; a data object still held elsewhere no longer offers it.
    Data->memstr = nullptr;
    return Source && Source->NoAccept() ? DRAGDROP_S_CANCEL : hr;
}
} // namespace

HRESULT BeginTextDrag(TKSGDropSource* Source, const QString& Text, const QString& RTF, DWORD& Effect,
                      DWORD AllowedEffects, TMemoryStream* Stream)
{
    auto data = std::make_shared<TSourceDataObject>();
    data->textdata = Text;
    data->rtfdata = RTF;
    data->memstr = Stream;
    return RunDrag(data, Source, AllowedEffects, Effect);
}

HRESULT BeginColumnDrag(TKSGDropSource* Source, int Column, DWORD AllowedEffects, DWORD& Effect)
{
    auto data = std::make_shared<TSourceDataObject>();
    data->scolidx = Column;
    return RunDrag(data, Source, AllowedEffects, Effect);
}
