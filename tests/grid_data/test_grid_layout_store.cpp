// The grid's layout kept between runs: column states, widths and order in the ColumnSize
// store, the visual properties file and the print settings section.
#include <QDir>

#include "exchange_test_support.h"
#include "grid_data/grid_enum_names.h"
#include "grid_data/grid_exchange.h"
#include "platform/core/files.h"
#include "platform/core/inifiles.h"
#include "platform/office/office_test_support.h"

namespace {

std::unique_ptr<TKvStringGrid> Columns(int Count)
{
    auto g = std::make_unique<TKvStringGrid>();
    g->SetFixedCols(0);
    g->SetColCount(Count);
    g->SetRowCount(2);
    for (int c = 0; c < Count; ++c) g->SetCells(c, 0, QStringLiteral("c%1").arg(c));
    return g;
}

QStringList Header(TKvStringGrid& G)
{
    QStringList h;
    for (int c = 0; c < G.ColCount(); ++c) h << G.Cells(G.RealColIndex(c), 0);
    return h;
}

}  // namespace

class GridLayout : public ExchangeFiles {};

TEST_F(GridLayout, ColumnStatesOfAPlainGrid)
{
    auto g = Columns(3);
    EXPECT_EQ(g->ColumnStatesToString(), QStringLiteral("3#64,64,64#0,1,2#1,1,1"));
}

TEST_F(GridLayout, ColumnStatesCarryOrderWidthsAndHiddenColumnsToAnotherGrid)
{
    auto g = Columns(4);
    g->MoveColumn(0, 2);
    g->SetColWidths(0, 80);
    g->HideColumn(3);
    const QString state = g->ColumnStatesToString();
    EXPECT_EQ(state, QStringLiteral("4#80,64,64,64#1,2,0,3#1,1,1,0"));

    auto h = Columns(4);
    h->StringToColumnStates(state);
    EXPECT_EQ(Header(*h), (QStringList{QStringLiteral("c1"), QStringLiteral("c2"), QStringLiteral("c0")}));
    EXPECT_EQ(h->ColumnStatesToString(), state);
    EXPECT_TRUE(h->CheckHiddenConsistency());
    // A later reset brings the initial order back.
    h->ResetColumnOrder();
    EXPECT_EQ(Header(*h), (QStringList{QStringLiteral("c0"), QStringLiteral("c1"), QStringLiteral("c2"), QStringLiteral("c3")}));
}

TEST_F(GridLayout, ShortOrRepeatedStatesChangeOnlyWhatTheyCanSay)
{
    const struct {
        const char* State;
        const char* Header;
        const char* Widths;
    } cases[] = {
        {"3#90#1,0#1,1,1", "c1|c0|c2", "90,64,64"},     // short order and widths
        {"3#64,64,64#0,0,1#1,1", "c0|c1|c2", "64,64,64"}, // a repeated entry: no order
        {"3#64,64,64#0,7,1#1,1,1", "c0|c1|c2", "64,64,64"}, // a column the grid lacks
        {"3#64,64,64#2,x,0#1,1,1", "c0|c1|c2", "64,64,64"}, // no number
        {"3#64,64,64#-1,2,-1,0,1#0", "c0|c1", "64,64"},     // -1 entries skipped; first column hidden
        {"no state", "c0|c1|c2", "64,64,64"},
        {"0#1,2#0#1", "c0|c1|c2", "64,64,64"},
        {"99999999#1#0#1", "c0|c1|c2", "64,64,64"},
        {"513#1#0#1", "c0|c1|c2", "64,64,64"},          // more columns than a layout keeps
    };
    for (const auto& c : cases) {
        auto g = Columns(3);
        g->StringToColumnStates(QString::fromLatin1(c.State));
        EXPECT_EQ(Header(*g).join(QLatin1Char('|')), QString::fromLatin1(c.Header)) << c.State;
        QStringList w;
        for (int i = 0; i < g->ColCount(); ++i) w << QString::number(g->ColWidths(i));
        EXPECT_EQ(w.join(QLatin1Char(',')), QString::fromLatin1(c.Widths)) << c.State;
    }
}

TEST_F(GridLayout, WidthsAndOrderLiveInTheIniFileNamedByKey)
{
    const QString ini = Path(QStringLiteral("layout.ini"));
    auto g = Columns(3);
    TColumnSize* cs = g->ColumnSize();
    cs->SetLocation(clIniFile);
    g->SaveColSizes();   // no key: nothing
    EXPECT_FALSE(FileExists(ini));
    cs->SetKey(ini);
    g->SaveColSizes();   // no section: nothing
    EXPECT_FALSE(FileExists(ini));
    cs->SetSection(QStringLiteral("Grid"));
    g->SetColWidths(1, 120);
    g->MoveColumn(2, 0);
    g->SaveColSizes();
    g->SaveColPositions();
    TMemIniFile file(ini);
    EXPECT_EQ(file.SectionKeys(QStringLiteral("Grid")),
              (QStringList{QStringLiteral("Col0"), QStringLiteral("Col1"), QStringLiteral("Col2"), QStringLiteral("Pos0"),
                           QStringLiteral("Pos1"), QStringLiteral("Pos2")}));
    EXPECT_EQ(file.ReadInteger(QStringLiteral("Grid"), QStringLiteral("Col2"), 0), 120);
    EXPECT_EQ(file.ReadInteger(QStringLiteral("Grid"), QStringLiteral("Pos0"), 0), 2);

    auto h = Columns(3);
    h->ColumnSize()->Assign(cs);
    h->HideColumn(1);
    h->LoadColPositions();
    // The order is restored and the hidden column stays hidden where it went.
    EXPECT_EQ(Header(*h), (QStringList{QStringLiteral("c2"), QStringLiteral("c0")}));
    EXPECT_TRUE(h->IsHiddenColumn(2));
    h->UnHideColumnsAll();
    h->LoadColSizes();
    EXPECT_EQ(h->ColWidths(2), 120);

    // A store without "Pos0", or with a repeated position, changes no order.
    file.EraseSection(QStringLiteral("Grid"));
    file.WriteInteger(QStringLiteral("Grid"), QStringLiteral("Pos1"), 0);
    file.UpdateFile();
    auto e = Columns(3);
    e->ColumnSize()->Assign(cs);
    e->LoadColPositions();
    EXPECT_EQ(Header(*e), (QStringList{QStringLiteral("c0"), QStringLiteral("c1"), QStringLiteral("c2")}));
    for (const char* positions : {"1,1,0", "0,3,1"}) {
        const QStringList p = QString::fromLatin1(positions).split(QLatin1Char(','));
        for (int i = 0; i < 3; ++i) file.WriteString(QStringLiteral("Grid"), QStringLiteral("Pos%1").arg(i), p[i]);
        file.UpdateFile();
        e->LoadColPositions();
        EXPECT_EQ(Header(*e), (QStringList{QStringLiteral("c0"), QStringLiteral("c1"), QStringLiteral("c2")})) << positions;
    }
}

TEST_F(GridLayout, ThePerUserStoreKeepsWidthsUnderKeyAndSection)
{
    const QByteArray oldHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", Dir.path().toUtf8());
    {
        auto g = Columns(2);
        g->ColumnSize()->SetKey(QStringLiteral("Software\\Kalvora"));
        g->ColumnSize()->SetSection(QStringLiteral("Rules"));
        g->ColumnSize()->SetSave(true);
        g->SetColWidths(0, 33);
    }   // the grid saves its widths as it goes
    TMemIniFile store(TRegistryStore::DefaultFileName());
    EXPECT_TRUE(store.FileName().startsWith(Dir.path()));
    EXPECT_EQ(store.ReadInteger(QStringLiteral("Software\\Kalvora\\Rules"), QStringLiteral("Col0"), 0), 33);
    auto h = Columns(2);
    h->ColumnSize()->SetKey(QStringLiteral("Software\\Kalvora"));
    h->ColumnSize()->SetSection(QStringLiteral("Rules"));
    h->LoadColSizes();
    EXPECT_EQ(h->ColWidths(0), 33);
    if (oldHome.isNull()) qunsetenv("XDG_CONFIG_HOME");
    else qputenv("XDG_CONFIG_HOME", oldHome);
}

// ============================================================ visual properties

TEST_F(GridLayout, VisualPropertiesAreSixtyNineLinesThatLoadBack)
{
    auto g = Columns(2);
    g->SetLook(glListView);
    const QString listView = Path(QStringLiteral("listview.txt"));
    g->SaveVisualProps(listView);
    EXPECT_TRUE(ReadExchangeLines(listView).contains(QStringLiteral("Look=glListView")));
    g->SetLook(glXP);
    g->SetSelectionColor(0x123456);
    g->Font()->SetStyle(fsBold | fsItalic);
    g->Font()->SetSize(11);
    g->Font()->SetName(QStringLiteral("Arial"));
    g->ControlLook()->SetControlStyle(csQRV);
    g->BackGround()->SetDisplay(bdGradientVert);
    g->Grouping()->SetSummaryLineWidth(5);
    g->SetURLShow(true);
    const QString file = Path(QStringLiteral("look.txt"));
    g->SaveVisualProps(file);
    const QStringList lines = ReadExchangeLines(file);
    ASSERT_EQ(lines.size(), 69);
    EXPECT_EQ(lines[0], QStringLiteral("Color=clWindow"));
    EXPECT_EQ(lines[2], QStringLiteral("SelectionColor=$00123456"));
    EXPECT_EQ(lines[8], QStringLiteral("URLShow=true"));
    EXPECT_EQ(lines.mid(14, 4), (QStringList{QStringLiteral("Font.Color=clWindowText"), QStringLiteral("Font.Style=fsBold,fsItalic"),
                                             QStringLiteral("Font.Size=11"), QStringLiteral("Font.Name=Arial")}));
    EXPECT_TRUE(lines.contains(QStringLiteral("Look=glXP")));
    EXPECT_TRUE(lines.contains(QStringLiteral("ControlLook.ControlStyle=csQRV")));
    EXPECT_TRUE(lines.contains(QStringLiteral("BackGround.Display=bdGradientVert")));
    EXPECT_EQ(lines.last(), QStringLiteral("BackGround.ColorTo=clBtnFace"));

    auto h = Columns(2);
    h->LoadVisualProps(file);
    const QString again = Path(QStringLiteral("again.txt"));
    h->SaveVisualProps(again);
    EXPECT_EQ(ReadBytes(again), ReadBytes(file));
    EXPECT_EQ(h->Look(), glXP);
}

TEST_F(GridLayout, VisualPropertyNamesIgnoreCaseAndACustomLookStays)
{
    auto g = Columns(2);
    g->SetLook(glCustom);
    const QString file = Path(QStringLiteral("look.txt"));
    g->SaveVisualProps(file);
    EXPECT_TRUE(ReadExchangeLines(file).contains(QStringLiteral("Look=")));
    auto h = Columns(2);
    h->SetLook(glVista);
    h->LoadVisualProps(file);
    EXPECT_EQ(h->Look(), glVista);

    // Lower-case names and values, a missing colour as none, an unknown style kept.
    WriteBytes(file, "color=clred\r\nactivecellshow=TRUE\r\nlook=glsoft\r\ncontrollook.controlstyle=csNone\r\n");
    auto k = Columns(2);
    const TControlStyle style = k->ControlLook()->ControlStyle();
    try {
        k->LoadVisualProps(file);
        ADD_FAILURE() << "a missing integer fails its conversion";
    } catch (const EConvertError&) {
    }
    EXPECT_EQ(k->Color(), clRed);
    EXPECT_TRUE(k->ActiveCellShow());
    EXPECT_EQ(k->HintColor(), clNone);
    // Properties after the failing one were not applied.
    EXPECT_EQ(k->ControlLook()->ControlStyle(), style);
    EXPECT_NE(k->Look(), glSoft);

    WriteBytes(file, "HintColor=notacolour\r\n");
    EXPECT_THROW(k->LoadVisualProps(file), EConvertError);
    EXPECT_EQ(k->Color(), clNone);
    EXPECT_THROW(k->LoadVisualProps(Path(QStringLiteral("missing.txt"))), Exception);
}

// ============================================================ print settings

TEST_F(GridLayout, PrintSettingsRoundTripAndAnIniReaderReadsThem)
{
    const QString ini = Path(QStringLiteral("print.ini"));
    auto g = Columns(2);
    TPrintSettings* ps = g->PrintSettings();
    ps->Borders = pbAroundVertical;
    ps->BorderStyle = psDashDot;
    ps->BorderColor = clWindow;
    ps->Date = ppBottomRight;
    ps->Orientation = poLandscape;
    ps->FitToPage = fpShrink;
    ps->Centered = false;
    ps->TitleText = QStringLiteral("50% done");
    ps->TitleLines()->SetText(QStringLiteral("first\r\nsecond"));
    ps->HeaderFont()->SetStyle(fsUnderline);
    ps->PrintGraphics = true;
    g->SavePrintSettings(ini, QStringLiteral("Print"));
    g->SavePrintSettings(QString(), QStringLiteral("Print"));
    g->SavePrintSettings(ini, QString());

    TMemIniFile file(ini);
    const QStringList keys = file.SectionKeys(QStringLiteral("Print"));
    ASSERT_EQ(keys.size(), 45);
    EXPECT_EQ(keys.mid(0, 6), (QStringList{QStringLiteral("ColumnSpacing"), QStringLiteral("RowSpacing"),
                                           QStringLiteral("TitleSpacing"), QStringLiteral("FixedHeight"),
                                           QStringLiteral("FixedWidth"), QStringLiteral("Centered")}));
    EXPECT_EQ(keys.last(), QStringLiteral("PrintGraphics"));
    EXPECT_EQ(file.ReadString(QStringLiteral("Print"), QStringLiteral("TitleLines"), QString()), QStringLiteral("first\\nsecond\\n"));

    auto h = Columns(2);
    h->LoadPrintSettings(ini, QStringLiteral("Print"));
    TPrintSettings* back = h->PrintSettings();
    EXPECT_EQ(back->Borders, pbAroundVertical);
    EXPECT_EQ(back->BorderStyle, psDashDot);
    EXPECT_EQ(back->BorderColor, clWindow);
    EXPECT_EQ(back->Date, ppBottomRight);
    EXPECT_EQ(back->Orientation, poLandscape);
    EXPECT_EQ(back->FitToPage, fpShrink);
    EXPECT_FALSE(back->Centered);
    EXPECT_EQ(back->TitleText, QStringLiteral("50% done"));
    EXPECT_EQ(back->TitleLines()->ToStringList(), (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
    EXPECT_TRUE(back->HeaderFont()->Style().Contains(fsUnderline));
    EXPECT_TRUE(back->PrintGraphics);

    if (!PythonHas(QStringLiteral("configparser"))) GTEST_SKIP() << "/usr/bin/python3 is not installed: outside reader check skipped";
    const TRunResult r = RunPython(QStringLiteral("import sys, configparser\n"
                                                  "c = configparser.ConfigParser(interpolation=None)\n"
                                                  "c.optionxform = str\n"
                                                  "c.read(sys.argv[1], encoding='cp1252')\n"
                                                  "s = c['Print']\n"
                                                  "print(len(s), s['Borders'], s['BorderColor'], s['Centered'], s['TitleText'], s['FontName'])\n"),
                                   {ini});
    ASSERT_EQ(r.ExitCode, 0) << r.Output.toStdString();
    EXPECT_EQ(r.Output, QStringLiteral("45 6 -16777211 N 50% done Tahoma\n"));
}

TEST_F(GridLayout, MissingKeysGiveTheirDefaultsAndOddValuesAreChecked)
{
    const QString ini = Path(QStringLiteral("print.ini"));
    WriteBytes(ini, "[Print]\r\nBorders=9\r\nBorderStyle=3\r\nDate=7\r\nPageNr=6\r\nFitToPage=-1\r\nOrientation=2\r\n"
                    "FontStyle=0\r\nNoAutoSize=y\r\nRowSpacing=many\r\n");
    auto g = Columns(2);
    TPrintSettings* ps = g->PrintSettings();
    ps->Borders = pbDouble;
    ps->FitToPage = fpGrow;
    ps->Orientation = poLandscape;
    ps->Font()->SetStyle(fsBold);
    ps->Font()->SetName(QStringLiteral("Courier"));
    g->LoadPrintSettings(ini, QStringLiteral("Print"));
    EXPECT_EQ(ps->Borders, pbDouble);          // 9 is no border kind
    EXPECT_EQ(ps->BorderStyle, psDashDot);
    EXPECT_EQ(ps->Date, ppNone);
    EXPECT_EQ(ps->PageNr, ppBottomCenter);
    EXPECT_EQ(ps->FitToPage, fpGrow);
    EXPECT_EQ(ps->Orientation, poLandscape);
    EXPECT_TRUE(ps->Font()->Style().Contains(fsBold));   // style bits are only added
    EXPECT_EQ(ps->Font()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(ps->Font()->Size(), 10);
    EXPECT_TRUE(ps->Centered);                 // no "Centered" key: centred
    EXPECT_FALSE(ps->NoAutoSize);              // only "Y" is yes
    EXPECT_EQ(ps->RowSpacing, 20);
    EXPECT_EQ(ps->ColumnSpacing, 20);
    EXPECT_EQ(ps->FooterSize, 100);
    EXPECT_TRUE(ps->DateFormat.isEmpty());
}

TEST(GridEnumNames, NamesAreFoundWithoutCaseAndTheCustomLookHasNone)
{
    EXPECT_EQ(GridLookNames.Name(glListView), QStringLiteral("glListView"));
    EXPECT_TRUE(GridLookNames.Name(glCustom).isEmpty());
    int v = -1;
    EXPECT_TRUE(ControlStyleNames.Find(QStringLiteral("CSQUILLET"), v));
    EXPECT_EQ(v, csQuillet);
    EXPECT_FALSE(ControlStyleNames.Find(QStringLiteral("csBorland"), v));
    EXPECT_EQ(FontStylesToText(fsBold | fsStrikeOut), QStringLiteral("fsBold,fsStrikeOut"));
    EXPECT_EQ(FontStylesFromText(QStringLiteral("x FSITALIC y")), TFontStyles(fsItalic));
    QString name = QStringLiteral("kept");
    TKvStringGrid::LookToString(glCustom, name);
    EXPECT_EQ(name, QStringLiteral("kept"));
    TKvStringGrid::LookToString(glOffice2007, name);
    EXPECT_EQ(name, QStringLiteral("glOffice2007"));
}
