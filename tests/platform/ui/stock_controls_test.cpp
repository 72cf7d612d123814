// The smaller stock controls: memo lines, list boxes, link labels, images,
// splitters, scroll bars, and canvas copies and text rectangles.
#include "platform/core/format_settings.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/drawing.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/stdctrls.h"

#include <QtCore/QBuffer>
#include <QtGui/QCursor>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDateTimeEdit>
#include <QtWidgets/QListWidget>
#include <gtest/gtest.h>

TEST(StockControls, MemoLinesFollowTheText)
{
    TMemo m;
    int changes = 0;
    m.OnChange = [&](TObject*) { ++changes; };
    m.Lines()->Add(QStringLiteral("first"));
    m.Lines()->Add(QStringLiteral("second"));
    EXPECT_EQ(m.Text(), QStringLiteral("first\r\nsecond"));
    m.SetText(QStringLiteral("a\r\nb\r\nc"));
    EXPECT_EQ(m.Lines()->Count(), 3);
    EXPECT_EQ(m.Lines()->Strings(2), QStringLiteral("c"));
    EXPECT_GE(changes, 3);
    EXPECT_TRUE(m.Perform(WM_GETDLGCODE) & DLGC_WANTALLKEYS);   // Return stays in the memo
}

TEST(StockControls, ListBoxesKeepItemsSelectionAndChecks)
{
    TListBox lb;
    lb.Items()->Add(QStringLiteral("b"));
    lb.Items()->Add(QStringLiteral("a"));
    lb.SetItemIndex(1);
    EXPECT_EQ(lb.ItemIndex(), 1);
    EXPECT_EQ(lb.List()->item(1)->text(), QStringLiteral("a"));
    lb.SetMultiSelect(true);
    lb.SetSelected(0, true);
    EXPECT_TRUE(lb.Selected(0));
    lb.SetSorted(true);
    EXPECT_EQ(lb.List()->item(0)->text(), QStringLiteral("a"));
    int clicks = 0;
    lb.OnClick = [&](TObject*) { ++clicks; };
    lb.SetItemIndex(0);   // by the program: no click
    EXPECT_EQ(clicks, 0);

    TCheckListBox cl;
    cl.Items()->Add(QStringLiteral("x"));
    cl.Items()->Add(QStringLiteral("y"));
    int checks = 0;
    cl.OnClickCheck = [&](TObject*) { ++checks; };
    cl.SetChecked(1, true);
    EXPECT_TRUE(cl.Checked(1));
    EXPECT_FALSE(cl.Checked(0));
    EXPECT_EQ(checks, 0);
    cl.List()->item(0)->setCheckState(Qt::Checked);   // as a user click does
    EXPECT_EQ(checks, 1);
    EXPECT_THROW(cl.SetChecked(5, true), EListError);
}

TEST(StockControls, LinkLabelGivesTheHref)
{
    TLinkLabel l;
    l.SetCaption(QStringLiteral("Visit <a href=\"https://example.org/x\">our site</a> or <a href=\"mailto:a@b\">mail</a>"));
    EXPECT_EQ(l.Links(), (QStringList{"https://example.org/x", "mailto:a@b"}));
    QString got;
    l.OnLinkClick = [&](TObject*, const QString& link, TSysLinkType) { got = link; };
    l.ClickLink(1);
    EXPECT_EQ(got, QStringLiteral("mailto:a@b"));
}

TEST(StockControls, ImageScalesItsPicture)
{
    TImage img;
    img.SetBounds(0, 0, 100, 50);
    auto bmp = std::make_unique<TBitmap>(20, 10);
    img.Picture()->SetGraphic(std::move(bmp));
    EXPECT_EQ(img.DestRect(), TRect(0, 0, 20, 10));
    img.SetCenter(true);
    EXPECT_EQ(img.DestRect(), TRect(40, 20, 60, 30));
    img.SetStretch(true);
    img.SetProportional(true);
    EXPECT_EQ(img.DestRect(), TRect(0, 0, 100, 50));
    img.SetAutoSize(true);
    EXPECT_EQ(img.Width(), 20);
}

TEST(StockControls, SplitterResizesItsNeighbour)
{
    TForm f;
    f.SetBounds(0, 0, 300, 100);
    auto* left = new TPanel(&f);
    left->SetParent(&f);
    left->SetWidth(100);
    left->SetAlign(alLeft);
    auto* split = new TSplitter(&f);
    split->SetParent(&f);
    split->SetLeft(100);
    split->SetAlign(alLeft);
    auto* rest = new TPanel(&f);
    rest->SetParent(&f);
    rest->SetAlign(alClient);
    ASSERT_EQ(split->Left(), 100);
    int moved = 0;
    split->OnMoved = [&](TObject*) { ++moved; };
    f.Show();
    QTest::mousePress(split, Qt::LeftButton, Qt::NoModifier, QPoint(1, 50));
    QTest::mouseMove(split, QPoint(31, 50));
    QTest::mouseRelease(split, Qt::LeftButton, Qt::NoModifier, QPoint(31, 50));
    EXPECT_EQ(left->Width(), 130);
    EXPECT_EQ(rest->Left(), 133);
    EXPECT_EQ(moved, 1);
    f.Hide();
}

TEST(StockControls, ScrollBarParamsAndEvents)
{
    TScrollBar sb;
    int changes = 0;
    sb.OnChange = [&](TObject*) { ++changes; };
    sb.SetParams(5, 0, 20);
    EXPECT_EQ(sb.Position(), 5);
    EXPECT_EQ(changes, 1);
    sb.SetPosition(50);
    EXPECT_EQ(sb.Position(), 20);   // clamped
    EXPECT_THROW(sb.SetParams(0, 10, 5), EInvalidOperation);
    TProgressBar pb;
    pb.SetMax(25);
    pb.SetStep(10);
    pb.StepIt();
    pb.StepIt();
    pb.StepIt();   // passes the end: starts again
    EXPECT_EQ(pb.Position(), 5);
}

TEST(CanvasText, TextRectOpaqueOrTransparentAndCopyRect)
{
    TBitmap b(40, 20);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect(0, 0, 40, 20));
    c->Brush()->SetColor(clYellow);
    c->TextRect(TRect(0, 0, 20, 20), 2, 2, QString());
    EXPECT_EQ(c->Pixels(19, 19), clYellow);   // opaque: the whole rectangle
    EXPECT_EQ(c->Pixels(20, 19), clWhite);
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(clBlack);
    c->TextRect(TRect(20, 0, 30, 20), 20, 0, QStringLiteral("WWWWWW"));
    EXPECT_EQ(c->Pixels(39, 10), clWhite);    // clipped to the rectangle
    EXPECT_EQ(c->Pixels(21, 19), clWhite);    // transparent: background kept

    TBitmap dst(10, 10);
    dst.Canvas()->CopyRect(TRect(0, 0, 10, 10), c, TRect(10, 5, 20, 15));
    EXPECT_EQ(dst.Canvas()->Pixels(9, 9), clYellow);

    // Icons load by content like the other formats.
    QImage ico(16, 16, QImage::Format_ARGB32);
    ico.fill(QColor(0, 0, 255));
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    ASSERT_TRUE(ico.save(&buf, "ICO"));
    TPicture p;
    p.LoadFromData(data);
    EXPECT_NE(dynamic_cast<TIcon*>(p.Graphic()), nullptr);
    EXPECT_EQ(p.Width(), 16);

    RegisterResourceCursor(QStringLiteral("PAN_DOWN"), ResourceImage(QStringLiteral("ARROW_DOWN")), QPoint(4, 4));
    EXPECT_TRUE(HasResourceCursor(QStringLiteral("pan_down")));
    EXPECT_EQ(ResourceCursor(QStringLiteral("PAN_DOWN")).hotSpot(), QPoint(4, 4));
}

TEST(StockControls, ScrollBoxScrollsItsChildren)
{
    TForm f;
    f.SetBounds(0, 0, 200, 200);
    auto* box = new TScrollBox(&f);
    box->SetParent(&f);
    box->SetBounds(0, 0, 100, 100);
    auto* far = new TPanel(&f);
    far->SetParent(box);
    far->SetBounds(0, 300, 50, 40);
    box->UpdateScrollRange();
    f.Show();
    QApplication::processEvents();
    EXPECT_EQ(far->Top(), 300);   // logical position stays
    box->ScrollInView(far);
    EXPECT_GT(box->VertPosition(), 200);
    const QPoint shown = far->mapTo(box, QPoint(0, 0));
    EXPECT_EQ(shown.y(), 300 - box->VertPosition());
    // The wheel scrolls by the line increment.
    box->SetVertPosition(0);
    box->SetLineIncrement(10);
    box->Perform(CM_MOUSEWHEEL, MAKEWPARAM(0, unsigned(int16_t(-120)) & 0xFFFF), 0);
    EXPECT_EQ(box->VertPosition(), 30);   // three lines per notch
    f.Hide();
}

TEST(StockControls, DateTimePickerFollowsTheRuntimeFormats)
{
    TFormatSettings fs = InvariantFormatSettings();
    fs.DateSeparator = QLatin1Char('/');
    fs.TimeSeparator = QLatin1Char(':');
    TFormatSettingsScope scope(fs);
    struct Case { const char* runtime; const char* qt; };
    for (const Case c : {Case{"dd/mm/yyyy", "dd/MM/yyyy"}, Case{"hh:nn:ss", "HH:mm:ss"}, Case{"d mmmm yy", "d MMMM yy"},
                         Case{"hh:mm", "HH:mm"}, Case{"yyyy-mm-dd \"at\" h", "yyyy-MM-dd 'at' H"}, Case{"h:nn am/pm", "H:mm AP"}})
        EXPECT_EQ(RuntimeFormatToQt(QString::fromLatin1(c.runtime)), QString::fromLatin1(c.qt)) << c.runtime;

    TDateTimePicker p;
    int changes = 0;
    p.OnChange = [&](TObject*) { ++changes; };
    const TDateTime d = EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 0, 0);
    p.SetDateTime(d);
    EXPECT_EQ(changes, 0);   // set by the program
    EXPECT_DOUBLE_EQ(p.Date(), EncodeDate(2024, 2, 29));
    EXPECT_NEAR(p.Time(), EncodeTime(13, 45, 0, 0), 1e-9);
    p.SetKind(dtkTime);
    EXPECT_EQ(p.Editor()->displayFormat(), RuntimeFormatToQt(FormatSettings().LongTimeFormat));
    p.SetShowCheckbox(true);
    p.SetChecked(false);
    EXPECT_FALSE(p.Editor()->isEnabled());

    TMonthCalendar cal;
    cal.SetDate(EncodeDate(2023, 12, 31));
    EXPECT_DOUBLE_EQ(cal.Date(), EncodeDate(2023, 12, 31));
}
