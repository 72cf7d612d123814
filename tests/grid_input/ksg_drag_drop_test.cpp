// The drag-and-drop classes without a display: acceptance and effects of the
// drop target, the drop dispatch, the data object's blocks and refusals, its
// format enumerator, the drop source's ends, the drag starters and the reader
// of foreign formats; then the same target behind real drop events and the
// grid formats through the MIME table.
#include "grid_input/ksg_drag_drop.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"

#include <QtCore/QMimeData>
#include <QtCore/QUrl>
#include <QtGui/QDropEvent>
#include <QtWidgets/QApplication>
#include <gtest/gtest.h>

namespace {

// A foreign data object with fixed blocks (Fail: it lists no formats).
class TFixedData : public TBlockDataObject {
public:
    bool Fail = false;
    void Text(const QString& s) { Add(CF_UNICODETEXT, Utf16Block(s)); }
    HRESULT EnumFormatEtc(DWORD Direction, std::shared_ptr<IEnumFORMATETC>& e) override
    {
        return Fail ? E_NOTIMPL : TBlockDataObject::EnumFormatEtc(Direction, e);
    }
};

QByteArray Le32(uint32_t v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); }
QByteArray CellsBlock(const QByteArray& stream) { return Le32(uint32_t(stream.size())) + Le32(0) + stream; }

// The drop target with its hooks noted.
class TNotingTarget : public TKSGDropTarget {
public:
    std::vector<QString> Calls;
    bool Refuse = false;
    TDropFormats SeenFormats = 0;

protected:
    void DropText(TPoint, const QString& s) override { Calls.push_back(QStringLiteral("text:") + s); }
    void DropStream(TPoint, TMemoryStream* ms) override
    {
        Calls.push_back(QStringLiteral("stream:") + QString::fromLatin1(ms->ReadAll()));
    }
    void DropCol(TPoint, int c) override { Calls.push_back(QStringLiteral("col:%1").arg(c)); }
    void DropRTF(TPoint, const QString& s) override { Calls.push_back(QStringLiteral("rtf:") + s); }
    void DropFiles(TPoint, TStrings* f) override
    {
        QStringList names;
        for (int i = 0; i < f->Count(); ++i) names << f->Strings(i);
        Calls.push_back(QStringLiteral("files:") + names.join(QLatin1Char('\n')));
    }
    void DropURL(TPoint, const QString& s) override { Calls.push_back(QStringLiteral("url:") + s); }
    void DragMouseMove(TPoint, bool& Allow, TDropFormats f) override
    {
        SeenFormats = f;
        Calls.push_back(QStringLiteral("move"));
        if (Refuse) Allow = false;
    }
    void DragMouseEnter() override { Calls.push_back(QStringLiteral("enter")); }
    void DragMouseLeave() override { Calls.push_back(QStringLiteral("leave")); }
};

// The drop source with its hooks counted.
class TCountingSource : public TKSGDropSource {
public:
    int Finished = 0, Queries = 0;
    std::vector<DWORD> Effects;

protected:
    void DragFinished() override { ++Finished; }
    void CurrentEffect(DWORD e) override { Effects.push_back(e); }
    void QueryDrag() override { ++Queries; }
};

struct TRtfSwitch {
    explicit TRtfSwitch(bool on) { SetDropRTFEnabled(on); }
    ~TRtfSwitch() { SetDropRTFEnabled(false); }
};

FORMATETC Fe(TClipFormat f, DWORD aspect = DVASPECT_CONTENT, DWORD tymed = TYMED_HGLOBAL)
{
    FORMATETC fe;
    fe.cfFormat = f;
    fe.dwAspect = aspect;
    fe.tymed = tymed;
    return fe;
}

} // namespace

TEST(KsgDropTarget, AcceptsOnEnterByFormatAndSwitches)
{
    enum Fmt { Text = 1, Rtf = 2, Cells = 4, Col = 8, File = 16, Url = 32 };
    struct TCase {
        const char* Name;
        unsigned Formats;
        bool AcceptText, AcceptCols, RtfSwitch;
        bool Ok;
    };
    const TCase cases[] = {
        {"text", Text, true, false, false, true},
        {"text refused without AcceptText", Text, false, false, false, false},
        {"grid cells are always taken", Text | Cells, false, false, false, true},
        {"RTF alone needs the switch", Rtf, true, false, false, false},
        {"RTF with the switch", Rtf, true, false, true, true},
        {"RTF with the switch but no text wanted", Rtf, false, false, true, false},
        {"a column needs AcceptCols", Col, true, false, false, false},
        {"a column with AcceptCols", Col, true, true, false, true},
        {"files", File, false, false, false, true},
        {"a URL", Url, false, false, false, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRtfSwitch sw(c.RtfSwitch);
        auto data = std::make_shared<TFixedData>();
        if (c.Formats & Text) data->Text(QStringLiteral("t"));
        if (c.Formats & Rtf) data->Add(KsgDD::RTFFormat(), QByteArray("{\\rtf1 r}\0", 10));
        if (c.Formats & Cells) data->Add(KsgDD::GridCellsFormat(), CellsBlock("x"));
        if (c.Formats & Col) data->Add(KsgDD::ColumnFormat(), Le32(2));
        if (c.Formats & File) data->Add(CF_HDROP, MakeDropFilesBlock({QStringLiteral("/a")}));
        if (c.Formats & Url) data->Add(KsgDD::URLFormat(), QByteArray("http://x\0", 9));
        TNotingTarget t;
        t.SetAcceptText(c.AcceptText);
        t.SetAcceptCols(c.AcceptCols);
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(t.DragEnter(data, MK_LBUTTON, TPoint(1, 2), effect), S_OK);
        EXPECT_EQ(t.Ok(), c.Ok);
        EXPECT_EQ(effect, c.Ok ? DWORD(DROPEFFECT_MOVE) : DWORD(DROPEFFECT_NONE));
        // RTF is among the formats whenever the data has it, switch or not.
        EXPECT_EQ(bool(t.DropFormats() & dfRTF), bool(c.Formats & Rtf));
        EXPECT_EQ(bool(t.DropFormats() & dfGridCells), bool(c.Formats & Cells));
        EXPECT_EQ(t.Calls.front(), QStringLiteral("enter"));
    }
}

TEST(KsgDropTarget, EffectFromKeysAndAMoveHookThatRefuses)
{
    struct TCase {
        DWORD Keys, Allowed, Effect;
    };
    const TCase cases[] = {
        {MK_CONTROL, DROPEFFECT_MOVE, DROPEFFECT_COPY}, // Ctrl copies even when only move is allowed
        {MK_CONTROL, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_COPY},
        {0, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_MOVE},
        {MK_SHIFT, DROPEFFECT_MOVE, DROPEFFECT_MOVE},
        {0, DROPEFFECT_COPY, DROPEFFECT_COPY},
        {0, DROPEFFECT_NONE, DROPEFFECT_COPY},
    };
    for (const TCase& c : cases) EXPECT_EQ(DropEffectFromKeys(c.Keys, c.Allowed), c.Effect) << c.Keys << " " << c.Allowed;

    auto data = std::make_shared<TFixedData>();
    data->Text(QStringLiteral("t"));
    TNotingTarget t;
    DWORD e = DROPEFFECT_COPY;
    t.DragEnter(data, 0, TPoint(), e);
    e = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    t.DragOver(MK_CONTROL, TPoint(), e);
    EXPECT_EQ(e, DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(t.SeenFormats, TDropFormats(dfText));
    t.Refuse = true;
    t.DragOver(0, TPoint(), e);
    EXPECT_EQ(e, DWORD(DROPEFFECT_NONE));
    t.DragLeave();
    EXPECT_EQ(t.Calls.back(), QStringLiteral("leave"));
}

TEST(KsgDropTarget, DropHandsOverOneOfStreamRtfTextThenFilesAndUrl)
{
    struct TCase {
        const char* Name;
        bool Col, Cells, Rtf, Text, Files, Url, Switch;
        std::vector<QString> Calls;
    };
    const TCase cases[] = {
        {"a column only calls DropCol", true, false, false, true, true, false, false, {QStringLiteral("col:7")}},
        {"cells before RTF and text", false, true, true, true, false, false, true, {QStringLiteral("stream:SS")}},
        {"RTF before text with the switch", false, false, true, true, false, false, true, {QStringLiteral("rtf:{r}")}},
        {"text when the switch is off", false, false, true, true, false, false, false, {QStringLiteral("text:tx")}},
        {"files beside the text",
         false, false, false, true, true, false, false, {QStringLiteral("text:tx"), QStringLiteral("files:/f1\n/f2")}},
        {"a URL beside the text", false, false, false, true, false, true, false,
         {QStringLiteral("text:tx"), QStringLiteral("url:tx")}},
        {"files alone", false, false, false, false, true, false, false, {QStringLiteral("files:/f1\n/f2")}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRtfSwitch sw(c.Switch);
        auto data = std::make_shared<TFixedData>();
        if (c.Col) data->Add(KsgDD::ColumnFormat(), Le32(7));
        if (c.Cells) data->Add(KsgDD::GridCellsFormat(), CellsBlock("SS"));
        if (c.Rtf) data->Add(KsgDD::RTFFormat(), QByteArray("{r}\0", 4));
        if (c.Text) data->Text(QStringLiteral("tx"));
        if (c.Files) data->Add(CF_HDROP, MakeDropFilesBlock({QStringLiteral("/f1"), QStringLiteral("/f2")}));
        if (c.Url) data->Add(KsgDD::URLFormat(), QByteArray("tx\0", 3));
        TNotingTarget t;
        t.SetAcceptCols(true);
        DWORD e = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        t.DragEnter(data, MK_LBUTTON, TPoint(), e);
        t.Calls.clear();
        e = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(t.Drop(data, MK_CONTROL, TPoint(), e), S_OK);
        EXPECT_EQ(e, DWORD(DROPEFFECT_COPY));
        EXPECT_EQ(t.Calls, c.Calls);
    }
    // A drop the enter refused hands over nothing.
    auto data = std::make_shared<TFixedData>();
    data->Text(QStringLiteral("t"));
    TNotingTarget t;
    t.SetAcceptText(false);
    DWORD e = DROPEFFECT_COPY;
    t.DragEnter(data, 0, TPoint(), e);
    t.Calls.clear();
    e = DROPEFFECT_COPY;
    t.Drop(data, 0, TPoint(), e);
    EXPECT_EQ(e, DWORD(DROPEFFECT_NONE));
    EXPECT_TRUE(t.Calls.empty());
}

TEST(KsgDataObject, BlocksOfEachFormat)
{
    TRtfSwitch sw(true);
    TMemoryStream ms;
    ms.Write("cells", 5);
    TSourceDataObject d;
    d.textdata = QStringLiteral("abc");
    d.rtfdata = QStringLiteral("{\\rtf1 \u00e9}");
    d.scolidx = 3;
    d.memstr = &ms;
    STGMEDIUM m;
    ASSERT_EQ(d.GetData(Fe(CF_UNICODETEXT), m), S_OK);
    EXPECT_EQ(m.tymed, DWORD(TYMED_HGLOBAL));
    EXPECT_EQ(m.hGlobal, QByteArray("a\0b\0c\0\0\0", 8));
    d.GetData(Fe(CF_TEXT), m);
    EXPECT_EQ(m.hGlobal, QByteArray("abc\0", 4));
    d.GetData(Fe(KsgDD::RTFFormat()), m);
    EXPECT_EQ(m.hGlobal, QByteArray("{\\rtf1 \xe9}\0", 10));
    d.GetData(Fe(KsgDD::ColumnFormat()), m);
    EXPECT_EQ(m.hGlobal, Le32(3));
    d.GetData(Fe(KsgDD::GridCellsFormat()), m);
    EXPECT_EQ(m.hGlobal, CellsBlock("cells"));
    EXPECT_EQ(m.hGlobal.size(), 13);
    d.rtfdata.clear();
    d.GetData(Fe(KsgDD::RTFFormat()), m);
    EXPECT_EQ(m.hGlobal, QByteArray(1, '\0'));
}

TEST(KsgDataObject, RefusalsAndTheUnsupportedCalls)
{
    TSourceDataObject d;
    d.textdata = QStringLiteral("abc");
    struct TCase {
        const char* Name;
        FORMATETC Fe;
    };
    const TCase refused[] = {
        {"another aspect", Fe(CF_TEXT, 4)},
        {"another medium", Fe(CF_TEXT, DVASPECT_CONTENT, 4)},
        {"RTF while the switch is off", Fe(KsgDD::RTFFormat())},
        {"no stream", Fe(KsgDD::GridCellsFormat())},
        {"no column", Fe(KsgDD::ColumnFormat())},
        {"a format never offered", Fe(CF_HDROP)},
    };
    for (const TCase& c : refused) {
        EXPECT_EQ(d.QueryGetData(c.Fe), DV_E_FORMATETC) << c.Name;
        STGMEDIUM m;
        m.hGlobal = "stale";
        EXPECT_EQ(d.GetData(c.Fe, m), DV_E_FORMATETC) << c.Name;
        EXPECT_TRUE(m.hGlobal.isEmpty()) << c.Name;
    }
    EXPECT_EQ(d.QueryGetData(Fe(CF_TEXT)), S_OK);
    d.textdata.clear();
    EXPECT_EQ(d.QueryGetData(Fe(CF_UNICODETEXT)), DV_E_FORMATETC) << "no text";
    STGMEDIUM m;
    EXPECT_EQ(d.GetDataHere(Fe(CF_TEXT), m), DV_E_FORMATETC);
    EXPECT_EQ(d.SetData(Fe(CF_TEXT), m, true), DV_E_FORMATETC);
    FORMATETC out;
    out.ptd = &d;
    EXPECT_EQ(d.GetCanonicalFormatEtc(Fe(CF_TEXT), out), E_NOTIMPL);
    EXPECT_EQ(out.ptd, nullptr);
    DWORD conn = 0;
    EXPECT_EQ(d.DAdvise(Fe(CF_TEXT), 0, nullptr, conn), OLE_E_ADVISENOTSUPPORTED);
    EXPECT_EQ(d.DUnadvise(0), OLE_E_ADVISENOTSUPPORTED);
    void* adv = &d;
    EXPECT_EQ(d.EnumDAdvise(adv), OLE_E_ADVISENOTSUPPORTED);
    EXPECT_EQ(adv, nullptr);
    std::shared_ptr<IEnumFORMATETC> e;
    EXPECT_EQ(d.EnumFormatEtc(DATADIR_SET, e), E_NOTIMPL);
    EXPECT_EQ(e, nullptr);
}

TEST(KsgFormatEnumerator, ListsAndSteps)
{
    TMemoryStream ms;
    TSourceDataObject d;
    d.textdata = QStringLiteral("t");
    d.memstr = &ms;
    auto list = [](IEnumFORMATETC& e) {
        std::vector<TClipFormat> fs;
        FORMATETC fe[8];
        ULONG got = 0;
        e.Next(8, fe, &got);
        for (ULONG i = 0; i < got; ++i) {
            EXPECT_EQ(fe[i].dwAspect, DWORD(DVASPECT_CONTENT));
            EXPECT_EQ(fe[i].lindex, -1);
            EXPECT_EQ(fe[i].tymed, DWORD(TYMED_HGLOBAL));
            EXPECT_EQ(fe[i].ptd, nullptr);
            fs.push_back(fe[i].cfFormat);
        }
        return fs;
    };
    std::shared_ptr<IEnumFORMATETC> e;
    ASSERT_EQ(d.EnumFormatEtc(DATADIR_GET, e), S_OK);
    EXPECT_EQ(list(*e), (std::vector<TClipFormat>{CF_TEXT, CF_UNICODETEXT, KsgDD::RTFFormat(), KsgDD::GridCellsFormat()}));
    d.scolidx = 0;
    d.EnumFormatEtc(DATADIR_GET, e);
    EXPECT_EQ(list(*e), (std::vector<TClipFormat>{CF_TEXT, CF_UNICODETEXT, KsgDD::RTFFormat(), KsgDD::ColumnFormat(),
                                                  KsgDD::GridCellsFormat()}));

    TSourceEnumFormatEtc three(false, false);
    EXPECT_EQ(three.Skip(10), S_FALSE);
    EXPECT_EQ(three.Position(), 3);
    FORMATETC fe;
    ULONG got = 9;
    EXPECT_EQ(three.Next(1, &fe, &got), S_FALSE);
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(three.Reset(), S_OK);
    EXPECT_EQ(three.Skip(2), S_OK);
    std::shared_ptr<IEnumFORMATETC> copy;
    EXPECT_EQ(three.Clone(copy), S_OK);
    FORMATETC two[2];
    EXPECT_EQ(copy->Next(2, two, &got), S_FALSE);
    EXPECT_EQ(got, 1u);
    EXPECT_EQ(two[0].cfFormat, KsgDD::RTFFormat());
    EXPECT_EQ(copy->Next(1, &fe, nullptr), S_FALSE);
}

TEST(KsgDropSource, EndsWithTheButtonOrEscapeAndNotesTheFeedback)
{
    struct TCase {
        bool Escape;
        DWORD Keys;
        HRESULT Result;
        int Finished;
    };
    for (const TCase& c : {TCase{true, MK_LBUTTON, DRAGDROP_S_CANCEL, 1}, TCase{false, 0, DRAGDROP_S_DROP, 1},
                           TCase{false, MK_LBUTTON, S_OK, 0}, TCase{true, 0, DRAGDROP_S_CANCEL, 1}}) {
        TCountingSource s;
        EXPECT_EQ(s.QueryContinueDrag(c.Escape, c.Keys), c.Result);
        EXPECT_EQ(s.Finished, c.Finished);
        EXPECT_EQ(s.Queries, 1);
    }
    TCountingSource s;
    EXPECT_EQ(s.GiveFeedback(DROPEFFECT_NONE), DRAGDROP_S_USEDEFAULTCURSORS);
    EXPECT_TRUE(s.NoAccept());
    s.GiveFeedback(DROPEFFECT_COPY);
    EXPECT_FALSE(s.NoAccept());
    EXPECT_EQ(s.Effects, (std::vector<DWORD>{DROPEFFECT_NONE, DROPEFFECT_COPY}));
}

TEST(KsgDragStarters, ACancelAfterANoEffectFeedbackAndTheDataDragged)
{
    using TStep = TScriptedDragLoop::TStep;
    {
        TScriptedDragLoop script;
        script.Steps = {TStep{MK_LBUTTON, false, DROPEFFECT_COPY}, TStep{MK_LBUTTON, false, DROPEFFECT_NONE},
                        TStep{0, false, DROPEFFECT_NONE}};
        TDragLoopScope scope(script.Loop());
        TCountingSource s;
        TMemoryStream ms;
        DWORD effect = 77;
        EXPECT_EQ(BeginTextDrag(&s, QStringLiteral("a\tb"), QStringLiteral("rtf"), effect, DROPEFFECT_MOVE, &ms),
                  DRAGDROP_S_CANCEL);
        EXPECT_EQ(script.Result, DRAGDROP_S_DROP) << "the loop itself ended in a drop";
        EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
        EXPECT_EQ(s.Finished, 1);
        auto* d = dynamic_cast<TSourceDataObject*>(script.Dragged.get());
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->textdata, QStringLiteral("a\tb"));
        EXPECT_EQ(d->rtfdata, QStringLiteral("rtf"));
        EXPECT_EQ(d->scolidx, -1);
        EXPECT_EQ(d->memstr, nullptr) << "the caller's stream is not offered after the drag";
    }
    {
        TScriptedDragLoop script;
        script.Steps = {TStep{MK_LBUTTON, false, DROPEFFECT_MOVE}, TStep{0}};
        TDragLoopScope scope(script.Loop());
        TCountingSource s;
        DWORD effect = 0;
        EXPECT_EQ(BeginColumnDrag(&s, 4, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect), DRAGDROP_S_DROP);
        EXPECT_EQ(effect, DWORD(DROPEFFECT_MOVE));
        auto* d = dynamic_cast<TSourceDataObject*>(script.Dragged.get());
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->scolidx, 4);
        EXPECT_TRUE(d->textdata.isEmpty());
    }
}

TEST(KsgEnumFormats, ReadsForeignDataAndRaisesWithoutAnEnumerator)
{
    auto data = std::make_shared<TFixedData>();
    data->Add(CF_TEXT, QByteArray("ansi \xe9\0junk", 11));
    data->Add(KsgDD::ColumnFormat(), QByteArray("\x05", 1)); // too short for a column
    data->Add(KsgDD::GridCellsFormat(), Le32(1000) + Le32(0) + "abc"); // a count past the block
    data->Add(CF_HDROP, MakeDropFilesBlock({QStringLiteral("/x/y.csv")}));
    TEnumFormats f(data);
    EXPECT_TRUE(f.HasText());
    EXPECT_EQ(f.Text(), QStringLiteral("ansi \u00e9")) << "8-bit text when no UTF-16 is offered";
    EXPECT_EQ(f.Col(), -1);
    std::unique_ptr<TMemoryStream> ms = f.Stream();
    ASSERT_NE(ms, nullptr);
    EXPECT_EQ(ms->Size(), 3);
    EXPECT_EQ(ms->Position(), 0);
    EXPECT_TRUE(f.FetchFileList());
    EXPECT_EQ(f.Files()->Strings(0), QStringLiteral("/x/y.csv"));
    EXPECT_FALSE(f.HasRTF());
    EXPECT_EQ(f.RTF(), QString());
    EXPECT_FALSE(f.HasURL());
    EXPECT_EQ(f.Count(), 5) << "four formats and the failed fifth fetch since the last reset";

    auto broken = std::make_shared<TFixedData>();
    broken->Fail = true;
    try {
        TEnumFormats bad(broken);
        FAIL() << "no error";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot get the format enumerator"));
    }
    // Raised in a drag over a target, it reaches the application's error handling.
    TNotingTarget t;
    DWORD e = DROPEFFECT_COPY;
    QString shown;
    auto saved = Application->OnException;
    Application->OnException = [&](TObject*, const QString& m) { shown = m; };
    TControl::Guard([&] { t.DragEnter(broken, 0, TPoint(), e); });
    Application->OnException = saved;
    EXPECT_EQ(shown, QStringLiteral("Cannot get the format enumerator"));
}

TEST(KsgDropEvents, DropEventsReachTheTargetHooksWithTheirPayloads)
{
    TForm form;
    form.SetBounds(0, 0, 300, 200);
    auto* box = new TEdit(&form);
    box->SetParent(&form);
    box->SetBounds(10, 10, 200, 100);
    form.Show();
    QApplication::processEvents();
    auto target = std::make_shared<TNotingTarget>();
    ASSERT_EQ(RegisterDragDrop(box, target), S_OK);
    QWidget* w = box->InputWidget();
    const Qt::DropActions both = Qt::CopyAction | Qt::MoveAction;

    QMimeData mime;
    mime.setText(QStringLiteral("row1\tx\r\nrow2"));
    mime.setUrls({QUrl::fromLocalFile(QStringLiteral("/data/one.csv"))});
    QDragEnterEvent enter(QPoint(3, 4), both, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &enter);
    EXPECT_EQ(enter.dropAction(), Qt::MoveAction);
    QDragMoveEvent move(QPoint(5, 6), both, &mime, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(w, &move);
    EXPECT_TRUE(move.isAccepted());
    EXPECT_EQ(move.dropAction(), Qt::CopyAction);
    EXPECT_EQ(target->SeenFormats, TDropFormats(dfText | dfFile));
    QDropEvent drop(QPointF(5, 6), both, &mime, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &drop);
    EXPECT_EQ(target->Calls, (std::vector<QString>{QStringLiteral("enter"), QStringLiteral("move"),
                                                   QStringLiteral("text:row1\tx\r\nrow2"),
                                                   QStringLiteral("files:/data/one.csv")}));
    RevokeDragDrop(box);
}

TEST(KsgDropEvents, GridCellsAndAColumnSurviveTheMimeTable)
{
    TMemoryStream ms;
    const QByteArray stream("\x00\x01\xff binary cells", 16);
    ms.Write(stream.constData(), stream.size());
    TSourceDataObject cells;
    cells.textdata = QStringLiteral("a\tb");
    cells.memstr = &ms;
    TSourceDataObject column;
    column.scolidx = 6;

    std::unique_ptr<QMimeData> m1(MimeFromDataObject(&cells));
    std::unique_ptr<QMimeData> m2(MimeFromDataObject(&column));
    EXPECT_TRUE(m1->hasFormat(QStringLiteral("application/x-kv-tkvstringgrid-cells")));
    EXPECT_TRUE(m2->hasFormat(QStringLiteral("application/x-kv-grid-column")));

    TEnumFormats back1(DataObjectFromMime(m1.get()));
    std::unique_ptr<TMemoryStream> got = back1.Stream();
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(got->ReadAll(), stream);
    EXPECT_EQ(back1.Text(), QStringLiteral("a\tb"));
    EXPECT_EQ(back1.Col(), -1);
    TEnumFormats back2(DataObjectFromMime(m2.get()));
    EXPECT_EQ(back2.Col(), 6);
    EXPECT_FALSE(back2.HasGridCells());
}
