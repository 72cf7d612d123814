// Drag and drop over Qt: the MIME table, file-list blocks, data objects over
// MIME data both ways, drop events reaching a registered target, and the
// scripted drag loop the headless tests run instead of the window system's.
#include "platform/ui/dragdrop.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"

#include <QtCore/QMimeData>
#include <QtCore/QUrl>
#include <QtGui/QDropEvent>
#include <QtWidgets/QApplication>
#include <gtest/gtest.h>

namespace {

QByteArray Block(IDataObject& d, TClipFormat f)
{
    FORMATETC fe;
    fe.cfFormat = f;
    STGMEDIUM m;
    return d.GetData(fe, m) == S_OK ? m.hGlobal : QByteArray("<none>");
}

// A drop target noting what reaches it; it answers with Answer.
class TRecordingTarget : public IDropTarget {
public:
    DWORD Answer = DROPEFFECT_COPY;
    std::vector<std::string> Calls;
    std::shared_ptr<IDataObject> Data;
    TPoint LastPt;
    DWORD LastKeys = 0;
    HRESULT DragEnter(const std::shared_ptr<IDataObject>& d, DWORD k, TPoint pt, DWORD& e) override
    {
        Calls.push_back("enter");
        Data = d;
        LastPt = pt;
        LastKeys = k;
        e &= Answer;
        return S_OK;
    }
    HRESULT DragOver(DWORD k, TPoint pt, DWORD& e) override
    {
        Calls.push_back("over");
        LastPt = pt;
        LastKeys = k;
        e &= Answer;
        return S_OK;
    }
    HRESULT DragLeave() override
    {
        Calls.push_back("leave");
        return S_OK;
    }
    HRESULT Drop(const std::shared_ptr<IDataObject>& d, DWORD, TPoint, DWORD& e) override
    {
        Calls.push_back("drop");
        Data = d;
        e &= Answer;
        return S_OK;
    }
};

// A drop source that drops on button release and cancels on Escape.
class TRecordingSource : public IDropSource {
public:
    std::vector<DWORD> Feedback;
    int Polls = 0;
    HRESULT QueryContinueDrag(bool esc, DWORD keys) override
    {
        ++Polls;
        if (esc) return DRAGDROP_S_CANCEL;
        if (!(keys & MK_LBUTTON)) return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT GiveFeedback(DWORD e) override
    {
        Feedback.push_back(e);
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }
};

} // namespace

TEST(DragDropMime, OneTableNamesEveryFormat)
{
    const TClipFormat col = RegisterClipboardFormat(QStringLiteral("Grid Column"));
    const TClipFormat cells = RegisterClipboardFormat(QStringLiteral("TKvStringGrid Cells"));
    EXPECT_EQ(ClipboardMimeType(CF_TEXT), QStringLiteral("text/plain"));
    EXPECT_EQ(ClipboardMimeType(CF_UNICODETEXT), QStringLiteral("text/plain"));
    EXPECT_EQ(ClipboardMimeType(RegisterClipboardFormat(QStringLiteral("Rich Text Format"))), QStringLiteral("text/rtf"));
    EXPECT_EQ(ClipboardMimeType(CF_HDROP), QStringLiteral("text/uri-list"));
    EXPECT_EQ(ClipboardMimeType(RegisterClipboardFormat(QStringLiteral("UniformResourceLocator"))),
              QStringLiteral("text/uri-list"));
    EXPECT_EQ(ClipboardMimeType(col), QStringLiteral("application/x-kv-grid-column"));
    EXPECT_EQ(ClipboardMimeType(cells), QStringLiteral("application/x-kv-tkvstringgrid-cells"));
    EXPECT_EQ(ClipboardFormatOfMimeType(QStringLiteral("application/x-kv-grid-column")), col);
    EXPECT_EQ(ClipboardFormatOfMimeType(QStringLiteral("text/plain")), 0u);
    EXPECT_EQ(ClipboardFormatOfMimeType(QStringLiteral("application/x-kv-never-registered")), 0u);
}

TEST(DragDropMime, FileListBlocksReadBackAndCutBlocksGiveWhatTheyHold)
{
    const QStringList names{QStringLiteral("/tmp/a b.csv"), QStringLiteral("/tmp/\u00fcber.xls")};
    const QByteArray block = MakeDropFilesBlock(names);
    EXPECT_EQ(block.size(), 20 + (12 + 1) * 2 + (13 + 1) * 2 + 2);
    EXPECT_EQ(ReadDropFilesBlock(block), names);
    // Eight-bit names when the wide flag is clear.
    QByteArray ansi(20, '\0');
    ansi[0] = 20;
    ansi += QByteArray("C:\\x.txt\0D:\\y\0\0", 16);
    EXPECT_EQ(ReadDropFilesBlock(ansi), (QStringList{QStringLiteral("C:\\x.txt"), QStringLiteral("D:\\y")}));
    // Short headers and offsets past the end give nothing; a list cut short its first name.
    EXPECT_TRUE(ReadDropFilesBlock(block.left(19)).isEmpty());
    QByteArray far = block;
    far[0] = char(0xFF);
    EXPECT_TRUE(ReadDropFilesBlock(far).isEmpty());
    EXPECT_EQ(ReadDropFilesBlock(block.left(20 + 6)), QStringList{QStringLiteral("/tm")});
}

TEST(DragDropMime, DataObjectsCrossTheMimeTableBothWays)
{
    const TClipFormat col = RegisterClipboardFormat(QStringLiteral("Grid Column"));
    const TClipFormat rtf = RegisterClipboardFormat(QStringLiteral("Rich Text Format"));
    TBlockDataObject src;
    src.Add(CF_UNICODETEXT, QByteArray("a\0b\0\0\0", 6));
    src.Add(rtf, QByteArray("{\\rtf1 x}\0", 10));
    src.Add(col, QByteArray("\x07\0\0\0", 4));
    src.Add(CF_HDROP, MakeDropFilesBlock({QStringLiteral("/tmp/f.txt")}));
    std::unique_ptr<QMimeData> mime(MimeFromDataObject(&src));
    EXPECT_EQ(mime->text(), QStringLiteral("ab"));
    EXPECT_EQ(mime->data(QStringLiteral("text/rtf")), QByteArray("{\\rtf1 x}"));
    EXPECT_EQ(mime->data(QStringLiteral("application/x-kv-grid-column")), QByteArray("\x07\0\0\0", 4));
    ASSERT_EQ(mime->urls().size(), 1);
    EXPECT_EQ(mime->urls()[0].toLocalFile(), QStringLiteral("/tmp/f.txt"));

    const std::shared_ptr<IDataObject> back = DataObjectFromMime(mime.get());
    EXPECT_EQ(Block(*back, CF_UNICODETEXT), QByteArray("a\0b\0\0\0", 6));
    EXPECT_EQ(Block(*back, CF_TEXT), QByteArray("ab\0", 3));
    EXPECT_EQ(Block(*back, rtf), QByteArray("{\\rtf1 x}\0", 10));
    EXPECT_EQ(Block(*back, col), QByteArray("\x07\0\0\0", 4));
    EXPECT_EQ(ReadDropFilesBlock(Block(*back, CF_HDROP)), QStringList{QStringLiteral("/tmp/f.txt")});
    FORMATETC wrong;
    wrong.cfFormat = CF_TEXT;
    wrong.dwAspect = 4;
    EXPECT_EQ(back->QueryGetData(wrong), DV_E_FORMATETC);

    // A web link: the URL format, its text read as the text.
    QMimeData link;
    link.setUrls({QUrl(QStringLiteral("https://example.com/x"))});
    const std::shared_ptr<IDataObject> web = DataObjectFromMime(&link);
    EXPECT_EQ(Block(*web, RegisterClipboardFormat(QStringLiteral("UniformResourceLocator"))),
              QByteArray("https://example.com/x\0", 22));
    EXPECT_EQ(Block(*web, CF_HDROP), QByteArray("<none>"));
}

TEST(DragDropEvents, DropEventsOfARegisteredControlReachItsTarget)
{
    TForm form;
    form.SetBounds(0, 0, 300, 200);
    auto* panel = new TEdit(&form);
    panel->SetParent(&form);
    panel->SetBounds(10, 10, 200, 100);
    form.Show();
    QApplication::processEvents();
    auto target = std::make_shared<TRecordingTarget>();
    ASSERT_EQ(RegisterDragDrop(panel, target), S_OK);
    EXPECT_EQ(RegisterDragDrop(panel, target), DRAGDROP_E_ALREADYREGISTERED);
    QWidget* w = panel->InputWidget();

    QMimeData mime;
    mime.setText(QStringLiteral("dropped"));
    const Qt::DropActions both = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(QPoint(5, 6), both, &mime, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(w, &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    ASSERT_EQ(target->Calls, std::vector<std::string>{"enter"});
    EXPECT_EQ(target->LastKeys, DWORD(MK_LBUTTON | MK_CONTROL));
    const QPoint g = w->mapToGlobal(QPoint(5, 6));
    EXPECT_EQ(target->LastPt, TPoint(g.x(), g.y()));
    EXPECT_EQ(Block(*target->Data, CF_UNICODETEXT).size(), 16);

    // A target that answers no effect: the move is refused there.
    target->Answer = DROPEFFECT_NONE;
    QDragMoveEvent move(QPoint(7, 8), both, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    EXPECT_FALSE(move.isAccepted());
    target->Answer = DROPEFFECT_MOVE;
    QDropEvent drop(QPointF(7, 8), both, &mime, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::MoveAction);
    EXPECT_EQ(target->Calls, (std::vector<std::string>{"enter", "over", "drop"}));

    // (Qt delivers a leave only within a drag of the window system, so none is sent here.)
    ASSERT_EQ(RevokeDragDrop(panel), S_OK);
    EXPECT_EQ(RevokeDragDrop(panel), DRAGDROP_E_NOTREGISTERED);
    QDragEnterEvent again(QPoint(5, 6), both, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &again);
    EXPECT_EQ(target->Calls.size(), 3u);
}

TEST(DragDropLoop, AScriptedDragGivesTheFeedbackAndTheFinalEffect)
{
    struct TCase {
        const char* Name;
        std::vector<TScriptedDragLoop::TStep> Steps;
        HRESULT Result;
        DWORD Effect;
        std::vector<DWORD> Feedback;
    };
    const TCase cases[] = {
        {"drop after copy feedback",
         {{MK_LBUTTON, false, DROPEFFECT_NONE}, {MK_LBUTTON, false, DROPEFFECT_COPY}, {0, false, DROPEFFECT_NONE}},
         DRAGDROP_S_DROP, DROPEFFECT_COPY, {DROPEFFECT_NONE, DROPEFFECT_COPY}},
        {"escape", {{MK_LBUTTON, false, DROPEFFECT_MOVE}, {MK_LBUTTON, true, DROPEFFECT_MOVE}}, DRAGDROP_S_CANCEL,
         DROPEFFECT_NONE, {DROPEFFECT_MOVE}},
        {"feedback limited to the allowed effects", {{MK_LBUTTON, false, DROPEFFECT_LINK}, {0, false, 0}},
         DRAGDROP_S_DROP, DROPEFFECT_NONE, {DROPEFFECT_NONE}},
        {"a script that runs out", {{MK_LBUTTON, false, DROPEFFECT_COPY}}, DRAGDROP_S_CANCEL, DROPEFFECT_NONE,
         {DROPEFFECT_COPY}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TScriptedDragLoop script;
        script.Steps = c.Steps;
        TDragLoopScope scope(script.Loop());
        TRecordingSource source;
        DWORD effect = 99;
        auto data = std::make_shared<TBlockDataObject>();
        EXPECT_EQ(DoDragDrop(data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect), c.Result);
        EXPECT_EQ(effect, c.Effect);
        EXPECT_EQ(source.Feedback, c.Feedback);
        EXPECT_EQ(script.Dragged, data);
    }
    // With a target the target's answers are the feedback, and the drop reaches it.
    TRecordingTarget target;
    TScriptedDragLoop script;
    script.Target = &target;
    script.Steps = {{MK_LBUTTON}, {MK_LBUTTON}, {0}};
    TDragLoopScope scope(script.Loop());
    TRecordingSource source;
    DWORD effect = 0;
    EXPECT_EQ(DoDragDrop(std::make_shared<TBlockDataObject>(), &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect),
              DRAGDROP_S_DROP);
    EXPECT_EQ(target.Calls, (std::vector<std::string>{"enter", "over", "drop"}));
    EXPECT_EQ(effect, DWORD(DROPEFFECT_COPY));
}
