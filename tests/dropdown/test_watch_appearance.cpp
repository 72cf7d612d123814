// The watch's look and mode objects, the twelve watch faces and the colour
// schemes of the visual styles.
#include "dropdown/watch.h"

#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"

#include <QFontDatabase>
#include <gtest/gtest.h>

#include <vector>

namespace {

// Every stored value of an appearance, in field order (fonts as name, size,
// colour and style), for comparing whole states.
std::vector<long long> Values(TWatchAppearance& a)
{
    auto font = [](const TFont* f) {
        return std::vector<long long>{(long long)qHash(f->Name()), f->Size(), f->Color(), f->Style().Bits()};
    };
    std::vector<long long> v = {a.Size(), a.HourPointer(), a.BackgroundColor(), a.MinutePointerShadow(),
                                a.BackgroundColorTo(), a.HourPointerShadow(), a.SecondPointerShadow(),
                                a.SecondPointer(), a.BorderColor(), a.MinutePointer()};
    for (long long x : font(a.HourFont()))
        v.push_back(x);
    for (long long x : font(a.AMPMFont()))
        v.push_back(x);
    for (long long x : {(long long)a.AMPMFrame(), (long long)a.Shape(), (long long)a.PointerStyle(),
                        (long long)a.BorderStyle(), (long long)a.HourPointerSize(), (long long)a.SecondPointerSize(),
                        (long long)a.MinutePointerSize(), (long long)a.HourColor(), (long long)a.MinuteColor(),
                        (long long)a.CenterPointSize(), (long long)a.CenterPointColor(),
                        (long long)a.CenterPointBorderColor(), (long long)a.BackgroundGradient(),
                        (long long)a.Rounding(), (long long)a.HourMarkLength(), (long long)a.HourMarkWidth(),
                        (long long)a.MinuteMarkLength(), (long long)a.MinuteMarkWidth(), (long long)a.BorderWidth(),
                        (long long)a.AMPMColor(), (long long)a.AMPMBorderColor(),
                        (long long)a.CenterPointOuterBorderColor(), (long long)a.TickMarks(),
                        (long long)a.HourMarkStyle()})
        v.push_back(x);
    return v;
}

} // namespace

TEST(WatchAppearance, NewWatchHasThePlainDefaults)
{
    TKvWatch w;
    TWatchAppearance& a = *w.Appearance();
    EXPECT_EQ(w.Style(), wsClassic);
    EXPECT_EQ(w.Width(), 180);
    EXPECT_EQ(w.Height(), 180);
    EXPECT_TRUE(w.Animation());
    EXPECT_EQ(w.AnimationFactor(), 10);
    EXPECT_TRUE(w.ShowAMPM());
    EXPECT_TRUE(w.ShowNumbers());
    EXPECT_EQ(w.Time(), 0.0);
    EXPECT_TRUE(w.AM());
    EXPECT_FALSE(w.WatchTimer()->Enabled());
    EXPECT_EQ(w.WatchTimer()->Interval(), 100u);
    EXPECT_FALSE(w.AnimationTimer()->Enabled());
    EXPECT_EQ(w.AnimationTimer()->Interval(), 1u);
    EXPECT_FALSE(w.Settings()->Auto());
    EXPECT_TRUE(w.Settings()->Second());
    EXPECT_EQ(w.Settings()->TimeOffset(), 0);

    EXPECT_EQ(a.Size(), 0);
    EXPECT_EQ(a.HourFont()->Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(a.HourFont()->Size(), 8);
    EXPECT_EQ(a.HourFont()->Color(), clWindowText);
    EXPECT_EQ(a.AMPMFont()->Size(), 10);
    EXPECT_EQ(a.HourPointerSize(), 4);
    EXPECT_EQ(a.MinutePointerSize(), 3);
    EXPECT_EQ(a.SecondPointerSize(), 1);
    EXPECT_EQ(a.BackgroundColor(), clWhite);
    EXPECT_EQ(a.BackgroundColorTo(), clNone);
    EXPECT_EQ(a.MinutePointerShadow(), clBtnShadow);
    EXPECT_EQ(a.SecondPointer(), clRed);
    EXPECT_EQ(a.MinuteColor(), clGray);
    EXPECT_EQ(a.CenterPointSize(), 4);
    EXPECT_EQ(a.CenterPointBorderColor(), clNone);
    EXPECT_EQ(a.CenterPointOuterBorderColor(), clNone);
    EXPECT_EQ(a.Rounding(), 5);
    EXPECT_EQ(a.BorderWidth(), 4);
    EXPECT_EQ(a.HourMarkLength(), 0);
    EXPECT_EQ(a.AMPMColor(), clWhite);
    EXPECT_EQ(a.AMPMBorderColor(), clBlack);
    EXPECT_EQ(a.Shape(), wsCircle);
    EXPECT_EQ(a.PointerStyle(), psLine);
    EXPECT_EQ(a.BorderStyle(), wbLine);
    EXPECT_EQ(a.BackgroundGradient(), wgVertical);
    EXPECT_EQ(a.TickMarks(), tmAll);
    EXPECT_EQ(a.HourMarkStyle(), hmsLine);
    EXPECT_EQ(a.AMPMFrame(), apRect);
}

TEST(WatchAppearance, SettersNotifyExceptTheAMPMBoxColours)
{
    TWatchAppearance a;
    int changes = 0;
    a.OnChange = [&](TObject*) { ++changes; };
    a.SetHourPointer(clRed);
    a.SetHourPointer(clRed); // unchanged: silent
    a.SetTickMarks(tmNone);
    a.SetBorderWidth(2);
    EXPECT_EQ(changes, 3);
    a.SetAMPMColor(clYellow);
    a.SetAMPMBorderColor(clBlue);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(a.AMPMColor(), clYellow);
    TFont f;
    f.SetName(QStringLiteral("Verdana"));
    a.SetHourFont(f);
    a.SetHourFont(f); // fonts always announce
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(a.HourFont()->Name(), QStringLiteral("Verdana"));
    TPicture p;
    a.SetPicture(&p);
    EXPECT_EQ(changes, 6);
}

TEST(WatchAppearance, AssignKeepsTheTargetsObjectsAndCopiesEverything)
{
    TWatchAppearance src, dst;
    ApplyWatchStyle(src, wsFluorescent, 180, 180);
    src.SetSize(150);
    auto bmp = std::make_unique<TBitmap>(3, 3);
    src.Picture()->SetGraphic(std::move(bmp));
    TFont* hourFont = dst.HourFont();
    TFont* ampmFont = dst.AMPMFont();
    TPicture* picture = dst.Picture();
    int changes = 0;
    dst.OnChange = [&](TObject*) { ++changes; };
    dst.Assign(&src);
    EXPECT_EQ(dst.HourFont(), hourFont);
    EXPECT_EQ(dst.AMPMFont(), ampmFont);
    EXPECT_EQ(dst.Picture(), picture);
    EXPECT_EQ(Values(dst), Values(src));
    EXPECT_EQ(dst.Picture()->Width(), 3);
    // The picture copy, then the outer centre border, tick marks and mark style setters.
    EXPECT_EQ(changes, 4);

    TWatchSettings settings;
    EXPECT_THROW(dst.Assign(&settings), Exception);
}

TEST(WatchAppearance, SettingsAssignAnnouncesOnlyThroughAuto)
{
    TWatchSettings src, dst;
    src.SetSecond(false);
    src.SetTimeOffset(90);
    int changes = 0;
    dst.OnChange = [&](TObject*) { ++changes; };
    dst.Assign(&src);
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(dst.Second());
    EXPECT_EQ(dst.TimeOffset(), 90);
    src.SetAuto(true);
    dst.Assign(&src);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(dst.Auto());
}

TEST(WatchAppearance, ClassicPresetComesOnlyWhenChangingBackToIt)
{
    TKvWatch w;
    w.SetAnimation(false);
    w.SetAnimationFactor(3);
    w.SetStyle(wsClassic); // unchanged: nothing
    EXPECT_EQ(w.Appearance()->HourMarkLength(), 0);
    EXPECT_FALSE(w.Animation());

    w.SetStyle(wsTower);
    TWatchAppearance& a = *w.Appearance();
    EXPECT_EQ(a.Shape(), wsRect);
    EXPECT_EQ(a.PointerStyle(), psPointer);
    EXPECT_EQ(a.AMPMColor(), TColor(0xB1F0FE));
    EXPECT_EQ(a.HourFont()->Name(), QStringLiteral("Century"));
    EXPECT_TRUE(a.HourFont()->Style().Contains(fsBold));
    EXPECT_FALSE(w.ShowNumbers());
    EXPECT_TRUE(w.ShowAMPM());

    w.SetStyle(wsClassic);
    EXPECT_EQ(a.HourMarkLength(), 8);
    EXPECT_EQ(a.HourPointerSize(), 5);
    EXPECT_EQ(a.MinuteMarkLength(), 4);
    EXPECT_EQ(a.HourFont()->Name(), QStringLiteral("Comic Sans MS"));
    EXPECT_EQ(a.HourFont()->Size(), 10);
    EXPECT_TRUE(a.HourFont()->Style().Contains(fsBold));
    EXPECT_EQ(a.AMPMFont()->Name(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(a.AMPMFont()->Size(), 10);
    EXPECT_EQ(a.Shape(), wsCircle) << "the reset undoes the tower";
    EXPECT_EQ(a.BackgroundColor(), clWhite);
    EXPECT_TRUE(w.Animation());
    EXPECT_EQ(w.AnimationFactor(), 10);
    EXPECT_TRUE(w.ShowNumbers());

    w.SetStyle(static_cast<TWatchStyle>(12)); // beyond the last face
    EXPECT_EQ(w.Style(), wsClassic);
    EXPECT_EQ(a.HourMarkLength(), 8);
}

TEST(WatchAppearance, SizeDependentPresets)
{
    TKvWatch w;
    w.SetBounds(0, 0, 180, 120);
    w.SetStyle(wsSuperNova);
    EXPECT_EQ(w.Appearance()->HourMarkLength(), 27);
    EXPECT_EQ(w.Appearance()->MinuteMarkLength(), 40);
    EXPECT_EQ(w.Appearance()->BorderColor(), clNone);
    EXPECT_FALSE(w.ShowAMPM());
    EXPECT_FALSE(w.ShowNumbers());

    w.SetBounds(0, 0, 200, 180);
    w.SetStyle(wsSports);
    EXPECT_EQ(w.Appearance()->CenterPointSize(), 50);
    EXPECT_EQ(w.Appearance()->HourPointerShadow(), clNone);
}

TEST(WatchAppearance, FullPresetRows)
{
    // wsFluorescent, typed from its description, against the reset defaults.
    TWatchAppearance a;
    ApplyWatchStyle(a, wsFluorescent, 180, 180);
    TWatchAppearance e;
    e.AMPMFont()->SetName(QStringLiteral("MS Sans Serif"));
    e.SetAMPMFrame(apRoundRect);
    e.SetBorderColor(0xFF3E3E);
    e.SetBackgroundColor(0x000000);
    e.SetBackgroundColorTo(0x000000);
    e.SetCenterPointColor(0xFF3E3E);
    e.SetCenterPointBorderColor(0x000000);
    e.SetCenterPointOuterBorderColor(0x000000);
    e.SetCenterPointSize(20);
    e.HourFont()->SetName(QStringLiteral("MS Sans Serif"));
    e.SetHourColor(0xFF3E3E);
    e.SetHourMarkLength(10);
    e.SetHourPointer(0xFF3E3E);
    e.SetMinutePointer(0xFF3E3E);
    e.SetHourPointerSize(2);
    e.SetMinutePointerSize(2);
    e.SetMinuteColor(0xFF3E3E);
    e.SetShape(wsRoundRect);
    e.SetHourMarkWidth(2);
    e.SetHourMarkStyle(hmsQuartDblLine);
    e.SetTickMarks(tmHours);
    EXPECT_EQ(Values(a), Values(e));

    TWatchAppearance b;
    const TWatchStyleExtras extras = ApplyWatchStyle(b, wsBlackWhite, 180, 180);
    TWatchAppearance f;
    f.SetBorderWidth(8);
    f.SetCenterPointBorderColor(0x000000);
    f.SetCenterPointOuterBorderColor(0x000000);
    f.SetCenterPointSize(8);
    f.SetHourColor(0x585858);
    f.HourFont()->SetName(QStringLiteral("Century Gothic"));
    f.HourFont()->SetSize(14);
    f.HourFont()->SetColor(0x000000);
    f.HourFont()->SetStyle(fsBold);
    f.SetHourPointerSize(5);
    f.SetMinuteMarkLength(4);
    f.SetSecondPointer(0x000080);
    f.SetPointerStyle(psPointer);
    f.SetTickMarks(tmQuartHours);
    EXPECT_EQ(Values(b), Values(f));
    EXPECT_EQ(extras.ShowAMPM, 0);
    EXPECT_EQ(extras.ShowNumbers, 1);
    EXPECT_EQ(extras.Animation, -1);
}

TEST(WatchAppearance, CustomSchemeOnlyBlackensThreeValues)
{
    TKvWatch w;
    w.SetStyle(wsBlack);
    std::vector<long long> before = Values(*w.Appearance());
    w.SetComponentStyle(tsCustom);
    std::vector<long long> after = Values(*w.Appearance());
    TWatchAppearance& a = *w.Appearance();
    EXPECT_EQ(a.CenterPointOuterBorderColor(), clBlack);
    EXPECT_EQ(a.HourFont()->Color(), clBlack);
    EXPECT_EQ(a.AMPMFont()->Color(), clBlack);
    int differing = 0;
    for (size_t i = 0; i < before.size(); ++i)
        differing += before[i] != after[i];
    EXPECT_EQ(differing, 3);
}

TEST(WatchAppearance, SchemeRows)
{
    struct Row {
        TQRVStyle Style;
        TColor Frame, Fill, Background, BackgroundTo, Border, CenterBorder, CenterFill, Ink, Second, Shadow, Font;
    };
    const Row rows[] = {
        {tsOffice2003Blue, 0x962D00, 0xD68759, 0xFFD2AF, 0xFFD2AF, 0xD68759, 0xD68759, 0xD68759, 0xD68759, 0xFFFFFF,
         0xFFFFFF, 0x000000},
        {tsOffice2007Obsidian, 0xF2F1F0, 0x5C534C, 0x5C534C, 0x5C534C, 0xF2F1F0, 0xFFEFE3, 0xFFEFE3, 0xF2F1F0,
         0xF2F1F0, 0xFFFFFF, 0xF2F1F0},
        {tsWindowsXP, 0x000000, clBtnFace, clBtnFace, clBtnFace, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000,
         0xFFFFFF, 0x000000},
        {tsOffice2007Silver, 0xE8E0DB, 0xF8F4F1, 0xF8F4F1, 0xF8F4F1, 0xE8E0DB, 0xE8E0DB, 0x74706F, 0x74706F, 0x74706F,
         0xFFFFFF, 0x000000},
        {tsWindowsVista, 0xFEDF9A, 0xFFFDF9, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A,
         0xFFFFFF, 0x000000},
        {tsOffice2010Silver, 0xD2CDC8, 0xEDE5E0, 0xFFFFFF, 0xFFFFFF, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8,
         0xC0C0C0, 0x000000},
        {tsOffice2010Black, 0x6D6D6D, 0x919191, 0xBFBFBF, 0xBFBFBF, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D,
         0xFFFFFF, 0x000000},
    };
    for (const Row& r : rows) {
        TWatchAppearance a;
        int changes = 0;
        a.OnChange = [&](TObject*) { ++changes; };
        ApplyWatchColorScheme(a, r.Style);
        EXPECT_EQ(a.AMPMBorderColor(), r.Frame) << r.Style;
        EXPECT_EQ(a.AMPMColor(), r.Fill) << r.Style;
        EXPECT_EQ(a.BackgroundColor(), r.Background) << r.Style;
        EXPECT_EQ(a.BackgroundColorTo(), r.BackgroundTo) << r.Style;
        EXPECT_EQ(a.BorderColor(), r.Border) << r.Style;
        EXPECT_EQ(a.CenterPointBorderColor(), r.CenterBorder) << r.Style;
        EXPECT_EQ(a.CenterPointColor(), r.CenterFill) << r.Style;
        for (TColor ink : {a.HourColor(), a.MinuteColor(), a.HourPointer(), a.MinutePointer()})
            EXPECT_EQ(ink, r.Ink) << r.Style;
        EXPECT_EQ(a.SecondPointer(), r.Second) << r.Style;
        EXPECT_EQ(a.HourPointerShadow(), r.Shadow) << r.Style;
        EXPECT_EQ(a.MinutePointerShadow(), r.Shadow) << r.Style;
        EXPECT_EQ(a.HourFont()->Color(), r.Font) << r.Style;
        EXPECT_EQ(a.AMPMFont()->Color(), r.Font) << r.Style;
        EXPECT_EQ(a.CenterPointOuterBorderColor(), clBlack) << r.Style;
        EXPECT_GT(changes, 0) << r.Style;
    }
}

TEST(WatchAppearance, WatchFaceFontsAreSubstitutedByInstalledFamilies)
{
    InitPlatformApplication();
    for (const char* name : {"Comic Sans MS", "Century", "Century Gothic"}) {
        const QStringList subs = QFont::substitutes(QString::fromLatin1(name));
        bool installed = false;
        for (const QString& s : subs)
            installed = installed || QFontDatabase::hasFamily(s);
        EXPECT_TRUE(installed) << name << ": " << subs.join(QLatin1Char(',')).toStdString();
    }
}
