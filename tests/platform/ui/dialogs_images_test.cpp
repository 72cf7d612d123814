// The dialog seam and the picture formats.
#include "platform/ui/clipboard.h"
#include "platform/ui/dialogs.h"

#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtGui/QImageWriter>
#include <gtest/gtest.h>

TEST(Dialogs, ResponderRecordsRequestsAndGivesScriptedAnswers)
{
    TDialogResponder r;
    r.QueueResult(mrNo);
    EXPECT_EQ(MessageDlg(QStringLiteral("Save changes?"), mtConfirmation, mbYesNoCancel), mrNo);
    // Without a scripted answer the first button is taken.
    EXPECT_EQ(MessageDlg(QStringLiteral("Overwrite?"), mtWarning, mbYes | mbNo), mrYes);
    EXPECT_EQ(MessageBox(QStringLiteral("Retry?"), QStringLiteral("Title"), MB_RETRYCANCEL | MB_ICONWARNING), IDRETRY);
    ShowMessage(QStringLiteral("Done"));
    ASSERT_EQ(r.Requests.size(), 4u);
    EXPECT_EQ(r.Requests[0].Text, QStringLiteral("Save changes?"));
    EXPECT_EQ(r.Requests[0].DlgType, mtConfirmation);
    EXPECT_EQ(r.Requests[0].Buttons, mbYesNoCancel);
    EXPECT_EQ(r.Requests[1].DlgType, mtWarning);
    EXPECT_EQ(r.Requests[2].Caption, QStringLiteral("Title"));
    EXPECT_EQ(r.Requests[2].Buttons, TMsgDlgButtons(mbRetry | mbCancel));
    EXPECT_EQ(r.Requests[2].DlgType, mtWarning);
    EXPECT_EQ(r.LastText(), QStringLiteral("Done"));

    // Responders nest: the inner one answers while it lives.
    {
        TDialogResponder inner;
        inner.Handler = [](const TDialogRequest&) { TDialogAnswer a; a.Result = mrAll; return a; };
        EXPECT_EQ(MessageDlg(QStringLiteral("x"), mtInformation, mbOK), mrAll);
        EXPECT_EQ(r.Requests.size(), 4u);
    }
    EXPECT_EQ(DialogResponder(), &r);
}

TEST(Dialogs, FileDialogsAndFolderPicker)
{
    TDialogResponder r;
    TSaveDialog save;
    save.Filter = QStringLiteral("Project files (*.xml)|*.xml|All files (*.*)|*.*");
    save.DefaultExt = QStringLiteral("xml");
    save.InitialDir = QStringLiteral("/tmp");
    r.QueueFile(QStringLiteral("/tmp/plant"), 1);
    ASSERT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName, QDir::toNativeSeparators(QStringLiteral("/tmp/plant.xml")));
    EXPECT_EQ(r.Requests[0].Kind, TDialogRequest::dkSaveFile);
    EXPECT_EQ(r.Requests[0].InitialDir, QStringLiteral("/tmp"));
    EXPECT_EQ(r.Requests[0].Filter, save.Filter);

    TOpenDialog open;
    open.FileName = QStringLiteral("keep.txt");
    r.QueueCancel();
    EXPECT_FALSE(open.Execute());
    EXPECT_EQ(open.FileName, QStringLiteral("keep.txt"));   // unchanged when cancelled
    r.QueueFile(QStringLiteral("/data/A.EDS"), 2);
    ASSERT_TRUE(open.Execute());
    EXPECT_EQ(open.FilterIndex, 2);

    QString dir = QStringLiteral("/start");
    EXPECT_FALSE(SelectDirectory(QStringLiteral("Pick"), QString(), dir));   // default: cancelled
    EXPECT_EQ(dir, QStringLiteral("/start"));
    r.QueueFile(QStringLiteral("/chosen"));
    EXPECT_TRUE(SelectDirectory(QStringLiteral("Pick"), QString(), dir));
    EXPECT_EQ(dir, QStringLiteral("/chosen"));
    EXPECT_EQ(r.Requests.back().Kind, TDialogRequest::dkFolder);
}

TEST(Dialogs, FilterPatternsIgnoreCase)
{
    const auto f = ParseDialogFilter(QStringLiteral("EDS files (*.eds)|*.eds;*.EZ|All files (*.*)|*.*"));
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].second, QStringLiteral("*.eds;*.EZ"));
    struct Case { const char* name; const char* pats; bool match; };
    for (const Case c : {Case{"a.eds", "*.eds;*.ez", true}, Case{"A.EDS", "*.eds", true},
                         Case{"dir/b.Ez", "*.eds;*.ez", true}, Case{"c.xml", "*.eds;*.ez", false},
                         Case{"noext", "*.*", true}, Case{"x.eds.bak", "*.eds", false}})
        EXPECT_EQ(MatchesFilterPattern(QString::fromLatin1(c.name), QString::fromLatin1(c.pats)), c.match) << c.name;
    EXPECT_EQ(ApplyDefaultExt(QStringLiteral("a"), QStringLiteral(".txt")), QStringLiteral("a.txt"));
    EXPECT_EQ(ApplyDefaultExt(QStringLiteral("a.csv"), QStringLiteral("txt")), QStringLiteral("a.csv"));
    EXPECT_EQ(ApplyDefaultExt(QStringLiteral("a"), QStringLiteral("*.mib")), QStringLiteral("a.mib"));
}

TEST(Pictures, GifFramesAndFormatDetection)
{
    TPicture p;
    p.LoadFromFile(QStringLiteral(KV_FIXTURES_DIR "/platform_ui/three_frames.gif"));
    auto* g = dynamic_cast<TImageGraphic*>(p.Graphic());
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->Format(), QByteArray("gif"));
    EXPECT_EQ(g->FrameCount(), 3);
    EXPECT_EQ(p.Width(), 4);
    const QColor expected[] = {Qt::red, Qt::green, Qt::blue};
    for (int i = 0; i < 3; ++i) {
        g->SetFrame(i);
        EXPECT_EQ(g->ToImage().pixelColor(2, 2), expected[i]) << i;
        EXPECT_EQ(g->FrameDelay(i), 100);
    }
    EXPECT_THROW(p.LoadFromData(QByteArray("not a picture")), std::runtime_error);
    EXPECT_THROW(p.LoadFromFile(QStringLiteral("/nonexistent/x.png")), std::runtime_error);
}

TEST(Pictures, JpegThroughLibjpegAndOtherFormats)
{
    QImage src(16, 8, QImage::Format_RGB32);
    src.fill(QColor(200, 40, 40));
    QByteArray jpeg;
    {
        QBuffer buf(&jpeg);
        buf.open(QIODevice::WriteOnly);
        ASSERT_TRUE(src.save(&buf, "JPG", 95));
    }
    TPicture p;
    p.LoadFromData(jpeg);
    ASSERT_NE(p.Graphic(), nullptr);
    EXPECT_EQ(p.Width(), 16);
    EXPECT_EQ(p.Height(), 8);
    const QColor c = p.Graphic()->ToImage().pixelColor(8, 4);
    EXPECT_NEAR(c.red(), 200, 6);
    EXPECT_NEAR(c.green(), 40, 6);
    EXPECT_THROW(DecodeJpeg(jpeg.left(40)), std::runtime_error);

    // BMP loads as a TBitmap, PNG keeps its alpha.
    for (const char* fmt : {"BMP", "PNG"}) {
        QByteArray data;
        QBuffer buf(&data);
        buf.open(QIODevice::WriteOnly);
        src.save(&buf, fmt);
        TPicture q;
        q.LoadFromData(data);
        EXPECT_EQ(q.Width(), 16) << fmt;
        EXPECT_EQ(FromQColor(q.Bitmap()->Image().pixelColor(1, 1)), RGB(200, 40, 40)) << fmt;
    }
}

TEST(Pictures, ImageListDrawsEnabledAndDisabled)
{
    TBitmap strip(32, 16);
    strip.Canvas()->Brush()->SetColor(clFuchsia);
    strip.Canvas()->FillRect(TRect(0, 0, 32, 16));
    strip.Canvas()->Brush()->SetColor(clRed);
    strip.Canvas()->FillRect(TRect(4, 4, 8, 8));
    strip.Canvas()->Brush()->SetColor(clBlue);
    strip.Canvas()->FillRect(TRect(20, 4, 24, 8));
    TImageList il(16, 16);
    EXPECT_EQ(il.AddMasked(&strip, clFuchsia), 0);
    ASSERT_EQ(il.Count(), 2);
    TBitmap out(16, 16);
    out.Canvas()->Brush()->SetColor(clWhite);
    out.Canvas()->FillRect(TRect(0, 0, 16, 16));
    il.Draw(out.Canvas(), 0, 0, 1, true);
    EXPECT_EQ(out.Canvas()->Pixels(5, 5), clBlue);
    EXPECT_EQ(out.Canvas()->Pixels(0, 0), clWhite);   // masked
    il.Draw(out.Canvas(), 0, 0, 0, false);
    const TColor grey = out.Canvas()->Pixels(5, 5);
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));      // disabled: grey shades
    EXPECT_EQ(GetGValue(grey), GetBValue(grey));
    EXPECT_TRUE(HasResourceImage(QStringLiteral("check_on")));
    EXPECT_EQ(ResourceImage(QStringLiteral("CHECK_ON")).width(), 13);
}

TEST(ClipboardFormats, TextAndNamedBlocks)
{
    const TClipFormat cells = RegisterClipboardFormat(QStringLiteral("TKvStringGrid Cells"));
    EXPECT_EQ(RegisterClipboardFormat(QStringLiteral("TKvStringGrid Cells")), cells);
    Clipboard()->Open();
    Clipboard()->SetAsText(QStringLiteral("a\tb"));
    Clipboard()->SetAsHandle(cells, QByteArray("\x01\x02\x00\x03", 4));
    Clipboard()->SetFormat(QStringLiteral("Rich Text Format"), QByteArray("{\\rtf1 x}"));
    Clipboard()->Close();
    EXPECT_EQ(Clipboard()->AsText(), QStringLiteral("a\tb"));
    EXPECT_TRUE(Clipboard()->HasFormat(cells));
    EXPECT_EQ(Clipboard()->GetAsHandle(cells), QByteArray("\x01\x02\x00\x03", 4));
    EXPECT_EQ(Clipboard()->GetFormat(QStringLiteral("Rich Text Format")), QByteArray("{\\rtf1 x}"));
    EXPECT_FALSE(Clipboard()->HasFormat(QStringLiteral("HTML Format")));
}
