#include "platform/ui/dragdrop.h"

#include "platform/core/codepages.h"
#include "platform/ui/controls.h"

#include <QtCore/QMimeData>
#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtCore/QUrl>
#include <QtGui/QCursor>
#include <QtGui/QDrag>
#include <QtGui/QDropEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <algorithm>
#include <map>

namespace {

TDragLoop& InstalledLoop()
{
    static TDragLoop loop;
    return loop;
}

TClipFormat RtfFormat() { return RegisterClipboardFormat(QStringLiteral("Rich Text Format")); }
TClipFormat UrlFormat() { return RegisterClipboardFormat(QStringLiteral("UniformResourceLocator")); }
TClipFormat HtmlFormat() { return RegisterClipboardFormat(QStringLiteral("HTML Format")); }

// An enumerator over a fixed list of formats.
class TFormatListEnum : public IEnumFORMATETC {
public:
    explicit TFormatListEnum(std::vector<FORMATETC> Formats, size_t Index = 0)
        : FFormats(std::move(Formats)), FIndex(Index) {}
    HRESULT Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) override
    {
        ULONG n = 0;
        while (n < celt && FIndex < FFormats.size() && rgelt) rgelt[n++] = FFormats[FIndex++];
        if (pceltFetched) *pceltFetched = n;
        return n == celt ? S_OK : S_FALSE;
    }
    HRESULT Skip(ULONG celt) override
    {
        FIndex += celt;
        if (FIndex > FFormats.size()) {
            FIndex = FFormats.size();
            return S_FALSE;
        }
        return S_OK;
    }
    HRESULT Reset() override
    {
        FIndex = 0;
        return S_OK;
    }
    HRESULT Clone(std::shared_ptr<IEnumFORMATETC>& Enum) override
    {
        Enum = std::make_shared<TFormatListEnum>(FFormats, FIndex);
        return S_OK;
    }

private:
    std::vector<FORMATETC> FFormats;
    size_t FIndex;
};

// The blocks of dropped MIME data in the formats it can be read as, copied when the drop arrives.
std::shared_ptr<TBlockDataObject> BlocksOfMime(const QMimeData* m)
{
    auto d = std::make_shared<TBlockDataObject>();
    if (!m) return d;
    QStringList files;
    QString url;
    for (const QUrl& u : m->urls()) {
        if (u.isLocalFile()) files << u.toLocalFile();
        else if (url.isEmpty() && u.isValid()) url = u.toString();
    }
    // A URL without text of its own is read as the text. Only text of its own counts:
    // Qt would offer the list of dragged files as text too, which no drop of files carries.
    const bool ownText = m->hasFormat(QStringLiteral("text/plain"));
    const QString text = ownText ? m->text() : url;
    if (ownText || !url.isEmpty()) {
        d->Add(CF_TEXT, UnicodeToAnsi(text) + QByteArray(1, '\0'));
        d->Add(CF_UNICODETEXT, Utf16Block(text));
    }
    if (m->hasFormat(QStringLiteral("text/rtf")))
        d->Add(RtfFormat(), BlockUpToZero(m->data(QStringLiteral("text/rtf"))) + '\0');
    if (m->hasFormat(QStringLiteral("text/html"))) d->Add(HtmlFormat(), m->data(QStringLiteral("text/html")));
    if (!files.isEmpty()) d->Add(CF_HDROP, MakeDropFilesBlock(files));
    if (!url.isEmpty()) d->Add(UrlFormat(), UnicodeToAnsi(url) + QByteArray(1, '\0'));
    for (const QString& mime : m->formats())
        if (const TClipFormat f = ClipboardFormatOfMimeType(mime)) d->Add(f, m->data(mime));
    return d;
}

// Routes a control's drop events to its registered target.
class TDropTargetFilter : public QObject {
public:
    TDropTargetFilter(QWidget* Widget, std::shared_ptr<IDropTarget> Target)
        : QObject(Widget), FWidget(Widget), FTarget(std::move(Target))
    {
        setObjectName(QStringLiteral("kvDropTarget"));
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Watched != FWidget) return false;
        switch (Event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: {
            auto* e = static_cast<QDropEvent*>(Event);
            const DWORD ks = KeyStateFromQt(e->buttons(), e->modifiers());
            const QPoint g = FWidget->mapToGlobal(e->position().toPoint());
            const TPoint pt(g.x(), g.y());
            DWORD effect = DWORD(e->possibleActions()) & 7u;
            TControl::Guard([&] {
                if (Event->type() == QEvent::DragEnter) {
                    FData = DataObjectFromMime(e->mimeData());
                    FTarget->DragEnter(FData, ks, pt, effect);
                } else if (Event->type() == QEvent::DragMove) {
                    FTarget->DragOver(ks, pt, effect);
                } else {
                    std::shared_ptr<IDataObject> data = FData ? FData : DataObjectFromMime(e->mimeData());
                    FData.reset();
                    FTarget->Drop(data, ks, pt, effect);
                }
            });
            Apply(e, effect);
            return true;
        }
        case QEvent::DragLeave:
            FData.reset();
            TControl::Guard([&] { FTarget->DragLeave(); });
            Event->accept();
            return true;
        default:
            return false;
        }
    }

private:
    static void Apply(QDropEvent* e, DWORD effect)
    {
        effect &= DWORD(e->possibleActions());
        if (effect == DROPEFFECT_NONE) {
            // The enter is taken all the same, so that the target hears of the leave.
            if (e->type() == QEvent::DragEnter) e->accept();
            else e->ignore();
            if (e->type() != QEvent::DragEnter) e->setDropAction(Qt::IgnoreAction);
            return;
        }
        Qt::DropAction a = e->proposedAction();
        if (!(DWORD(a) & effect))
            a = (effect & DROPEFFECT_MOVE) ? Qt::MoveAction : (effect & DROPEFFECT_COPY) ? Qt::CopyAction : Qt::LinkAction;
        e->setDropAction(a);
        e->accept();
    }
    QWidget* FWidget;
    std::shared_ptr<IDropTarget> FTarget;
    std::shared_ptr<IDataObject> FData;
};

// The drag of the window system: Qt's modal drag, with the source polled for
// Escape-like ends and told the feedback.
HRESULT QtDragLoop(const std::shared_ptr<IDataObject>& Data, IDropSource* Source, DWORD OkEffects, DWORD& Effect)
{
    Effect = DROPEFFECT_NONE;
    QWidget* w = QApplication::widgetAt(QCursor::pos());
    if (!w) w = QApplication::focusWidget();
    if (!w) w = QApplication::activeWindow();
    if (!w) {
        // Nothing to drag from: the drag ends at once.
        Source->QueryContinueDrag(true, 0);
        return DRAGDROP_S_CANCEL;
    }
    QPointer<QDrag> drag = new QDrag(w);
    drag->setMimeData(MimeFromDataObject(Data.get()));
    bool ended = false;
    QTimer poll;
    poll.setInterval(30);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const DWORD ks = KeyStateFromQt(QGuiApplication::mouseButtons(), QGuiApplication::queryKeyboardModifiers());
        const HRESULT hr = Source->QueryContinueDrag(false, ks);
        if (hr == DRAGDROP_S_CANCEL) QDrag::cancel();
        if (hr != S_OK) ended = true;
    });
    QObject::connect(drag.data(), &QDrag::actionChanged,
                     [&](Qt::DropAction a) { Source->GiveFeedback(DWORD(a) & OkEffects); });
    poll.start();
    const Qt::DropAction res = drag->exec(Qt::DropActions(int(OkEffects & 7u)),
                                          (OkEffects & DROPEFFECT_MOVE) ? Qt::MoveAction : Qt::CopyAction);
    poll.stop();
    if (drag) drag->deleteLater();
    // The window system ended the drag before the source was polled again: tell it now.
    if (!ended) Source->QueryContinueDrag(res == Qt::IgnoreAction, 0);
    if (res == Qt::IgnoreAction) return DRAGDROP_S_CANCEL;
    Effect = DWORD(res) & OkEffects;
    return DRAGDROP_S_DROP;
}

} // namespace

// ============================================================ blocks

uint32_t BlockLE32(const QByteArray& b, qsizetype at)
{
    if (at < 0 || at + 4 > b.size()) return 0;
    const auto* p = reinterpret_cast<const uint8_t*>(b.constData()) + at;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void AppendBlockLE32(QByteArray& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i) b += char((v >> (8 * i)) & 0xFF);
}

QByteArray BlockUpToZero(const QByteArray& b)
{
    const qsizetype z = b.indexOf('\0');
    return z < 0 ? b : b.left(z);
}

QByteArray Utf16Block(const QString& s)
{
    QByteArray b;
    b.reserve((s.size() + 1) * 2);
    for (const QChar c : s) {
        b += char(c.unicode() & 0xFF);
        b += char(c.unicode() >> 8);
    }
    b += '\0';
    b += '\0';
    return b;
}

QString TextOfUtf16Block(const QByteArray& b)
{
    QString s;
    for (qsizetype i = 0; i + 1 < b.size(); i += 2) {
        const char16_t u = char16_t(uint8_t(b[i]) | uint8_t(b[i + 1]) << 8);
        if (u == 0) break;
        s += QChar(u);
    }
    return s;
}

void TBlockDataObject::Add(TClipFormat Format, const QByteArray& Block)
{
    for (const auto& b : FBlocks)
        if (b.first == Format) return;
    FBlocks.emplace_back(Format, Block);
}

HRESULT TBlockDataObject::GetData(const FORMATETC& Format, STGMEDIUM& Medium)
{
    Medium = STGMEDIUM();
    if (QueryGetData(Format) != S_OK) return DV_E_FORMATETC;
    for (const auto& b : FBlocks)
        if (b.first == Format.cfFormat) {
            Medium.tymed = TYMED_HGLOBAL;
            Medium.hGlobal = b.second;
        }
    return S_OK;
}

HRESULT TBlockDataObject::GetDataHere(const FORMATETC&, STGMEDIUM&) { return DV_E_FORMATETC; }

HRESULT TBlockDataObject::QueryGetData(const FORMATETC& Format)
{
    if (Format.dwAspect != DVASPECT_CONTENT || !(Format.tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
    for (const auto& b : FBlocks)
        if (b.first == Format.cfFormat) return S_OK;
    return DV_E_FORMATETC;
}

HRESULT TBlockDataObject::GetCanonicalFormatEtc(const FORMATETC&, FORMATETC& Out)
{
    Out.ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT TBlockDataObject::SetData(const FORMATETC&, const STGMEDIUM&, bool) { return DV_E_FORMATETC; }

HRESULT TBlockDataObject::EnumFormatEtc(DWORD Direction, std::shared_ptr<IEnumFORMATETC>& Enum)
{
    if (Direction != DATADIR_GET) return E_NOTIMPL;
    std::vector<FORMATETC> list;
    for (const auto& b : FBlocks) {
        FORMATETC fe;
        fe.cfFormat = b.first;
        list.push_back(fe);
    }
    Enum = std::make_shared<TFormatListEnum>(std::move(list));
    return S_OK;
}

HRESULT TBlockDataObject::DAdvise(const FORMATETC&, DWORD, void*, DWORD&) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT TBlockDataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT TBlockDataObject::EnumDAdvise(void*& EnumAdvise)
{
    EnumAdvise = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}

// ============================================================ the modal drag

HRESULT DoDragDrop(const std::shared_ptr<IDataObject>& Data, IDropSource* Source, DWORD OkEffects, DWORD& Effect)
{
    Effect = DROPEFFECT_NONE;
    if (!Data || !Source) return E_INVALIDARG;
    if (InstalledLoop()) return InstalledLoop()(Data, Source, OkEffects, Effect);
    return QtDragLoop(Data, Source, OkEffects, Effect);
}

TDragLoopScope::TDragLoopScope(TDragLoop Loop) : FPrev(InstalledLoop()) { InstalledLoop() = std::move(Loop); }
TDragLoopScope::~TDragLoopScope() { InstalledLoop() = FPrev; }

HRESULT TScriptedDragLoop::operator()(const std::shared_ptr<IDataObject>& Data, IDropSource* Source, DWORD OkEffects,
                                      DWORD& Effect)
{
    ++Runs;
    Dragged = Data;
    Feedback.clear();
    Effect = DROPEFFECT_NONE;
    bool entered = false;
    DWORD last = DROPEFFECT_NONE;
    for (const TStep& step : Steps) {
        const HRESULT hr = Source->QueryContinueDrag(step.Escape, step.KeyState);
        if (hr == DRAGDROP_S_DROP) {
            if (Target && entered) {
                if (last == DROPEFFECT_NONE) {
                    Target->DragLeave();
                } else {
                    DWORD e = OkEffects;
                    Target->Drop(Data, step.KeyState, Pt, e);
                    last = e & OkEffects;
                }
            }
            Effect = last;
            return Result = DRAGDROP_S_DROP;
        }
        if (hr == DRAGDROP_S_CANCEL) {
            if (Target && entered) Target->DragLeave();
            return Result = DRAGDROP_S_CANCEL;
        }
        DWORD e = OkEffects;
        if (Target) {
            if (!entered) Target->DragEnter(Data, step.KeyState, Pt, e);
            else Target->DragOver(step.KeyState, Pt, e);
            entered = true;
        } else {
            e = step.TargetEffect;
        }
        last = e & OkEffects;
        Feedback.push_back(last);
        Source->GiveFeedback(last);
    }
    // A script that ran out ends as Escape does.
    Source->QueryContinueDrag(true, 0);
    if (Target && entered) Target->DragLeave();
    return Result = DRAGDROP_S_CANCEL;
}

// ============================================================ drop targets

HRESULT RegisterDragDrop(TWinControl* Control, std::shared_ptr<IDropTarget> Target)
{
    if (!Control || !Target) return E_INVALIDARG;
    QWidget* w = Control->InputWidget();
    if (w->findChild<TDropTargetFilter*>(QStringLiteral("kvDropTarget"), Qt::FindDirectChildrenOnly))
        return DRAGDROP_E_ALREADYREGISTERED;
    auto* filter = new TDropTargetFilter(w, std::move(Target));
    w->installEventFilter(filter);
    w->setAcceptDrops(true);
    return S_OK;
}

HRESULT RevokeDragDrop(TWinControl* Control)
{
    if (!Control) return E_INVALIDARG;
    QWidget* w = Control->InputWidget();
    auto* filter = w->findChild<TDropTargetFilter*>(QStringLiteral("kvDropTarget"), Qt::FindDirectChildrenOnly);
    if (!filter) return DRAGDROP_E_NOTREGISTERED;
    w->removeEventFilter(filter);
    delete filter;
    w->setAcceptDrops(false);
    return S_OK;
}

// ============================================================ blocks and MIME data

DWORD KeyStateFromQt(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers)
{
    DWORD ks = 0;
    if (Buttons & Qt::LeftButton) ks |= MK_LBUTTON;
    if (Buttons & Qt::RightButton) ks |= MK_RBUTTON;
    if (Buttons & Qt::MiddleButton) ks |= MK_MBUTTON;
    if (Modifiers & Qt::ShiftModifier) ks |= MK_SHIFT;
    if (Modifiers & Qt::ControlModifier) ks |= MK_CONTROL;
    if (Modifiers & Qt::AltModifier) ks |= MK_ALT;
    return ks;
}

QByteArray MakeDropFilesBlock(const QStringList& Names)
{
    QByteArray b;
    AppendBlockLE32(b, 20); // the list follows the header
    AppendBlockLE32(b, 0);  // drop point
    AppendBlockLE32(b, 0);
    AppendBlockLE32(b, 0);  // not in the non-client area
    AppendBlockLE32(b, 1);  // wide names
    for (const QString& n : Names)
        if (!n.isEmpty()) b += Utf16Block(n);
    b += '\0';
    b += '\0';
    return b;
}

QStringList ReadDropFilesBlock(const QByteArray& Block)
{
    QStringList names;
    if (Block.size() < 20) return names;
    const uint32_t offset = BlockLE32(Block, 0);
    const bool wide = BlockLE32(Block, 16) != 0;
    if (offset < 20 || offset >= uint32_t(Block.size())) return names;
    QString name;
    if (wide) {
        for (qsizetype i = offset; i + 1 < Block.size(); i += 2) {
            const char16_t u = char16_t(uint8_t(Block[i]) | uint8_t(Block[i + 1]) << 8);
            if (u != 0) {
                name += QChar(u);
                continue;
            }
            if (name.isEmpty()) return names; // the empty name ends the list
            names << name;
            name.clear();
        }
    } else {
        QByteArray bytes;
        for (qsizetype i = offset; i < Block.size(); ++i) {
            if (Block[i] != '\0') {
                bytes += Block[i];
                continue;
            }
            if (bytes.isEmpty()) return names;
            names << AnsiToUnicode(bytes);
            bytes.clear();
        }
        name = AnsiToUnicode(bytes);
    }
    // A list cut short still gives the name it was reading.
    if (!name.isEmpty()) names << name;
    return names;
}

std::shared_ptr<IDataObject> DataObjectFromMime(const QMimeData* Mime) { return BlocksOfMime(Mime); }

QMimeData* MimeFromDataObject(IDataObject* Data)
{
    auto* mime = new QMimeData;
    if (!Data) return mime;
    std::shared_ptr<IEnumFORMATETC> en;
    if (Data->EnumFormatEtc(DATADIR_GET, en) != S_OK || !en) return mime;
    QString text;
    bool haveUnicode = false, haveText = false, haveUrl = false;
    QList<QUrl> urls;
    FORMATETC fe;
    ULONG got = 0;
    // A bounded walk: a list that never ends still ends here.
    for (int n = 0; n < 256 && en->Next(1, &fe, &got) == S_OK && got == 1; ++n) {
        STGMEDIUM m;
        if (Data->GetData(fe, m) != S_OK) continue;
        const TClipFormat f = fe.cfFormat;
        if (f == CF_UNICODETEXT) {
            text = TextOfUtf16Block(m.hGlobal);
            haveUnicode = haveText = true;
        } else if (f == CF_TEXT) {
            if (!haveUnicode) text = AnsiToUnicode(BlockUpToZero(m.hGlobal));
            haveText = true;
        } else if (f == CF_HDROP) {
            for (const QString& name : ReadDropFilesBlock(m.hGlobal)) urls << QUrl::fromLocalFile(name);
        } else if (f == UrlFormat()) {
            haveUrl = true;
        } else if (f == RtfFormat()) {
            mime->setData(QStringLiteral("text/rtf"), BlockUpToZero(m.hGlobal));
        } else {
            mime->setData(ClipboardMimeType(f), m.hGlobal);
        }
    }
    if (haveText) mime->setText(text);
    // The URL's text is the text block.
    if (haveUrl && !text.isEmpty()) urls << QUrl(text);
    if (!urls.isEmpty()) mime->setUrls(urls);
    return mime;
}
