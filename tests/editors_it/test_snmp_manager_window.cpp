// The SNMP manager rule editor: the row checks, the duplicate pass and the character
// total with their exact messages, the file's round trip, its defaults and the rows past
// the grid, the row commands, and a render.

#include "editors_it/snmp_manager_window.h"
#include "editors_it/snmp_texts.h"

#include "grid/column_grid.h"
#include "common/lb_button.h"

#include "snmp_mqtt_window_fixture.h"

#include <QApplication>

namespace {

class SNMPManagerWindow : public TITWindowTest<TFSNMPManagerAccess> {
protected:
  SNMPManagerWindow() : TITWindowTest({&SNMP_Manager_Lang_Blocks}) {}
  QString File() const { return WS().Name_File_SNMP_Manager; }
};

// Enable, IP, Version, Community, OID, Type, Mode, OnChange, OnCMD, OnTimer, Time,
// Position, Num Bytes, Conversion, Cancel, User, Auth Pass, Priv Pass, Security Level,
// Auth Mode, Priv Mode, Mnemonic. Row r gets the OID 1.r so that rows differ.
QStringList Good_Row(int r)
{
  return {"Y", "192.168.1.1", "2", "public", "1." + QString::number(r), "Int", "Get", "N", "N", "N", "", "0", "4",
          "None", "N", "", "", "", "", "", "", "m"};
}

}  // namespace

TEST_F(SNMPManagerWindow, ChecksGiveTheirExactMessages)
{
  struct Case {
    const char* name;
    int row;
    std::vector<std::pair<int, const char*>> cells;  // column, text
    const char* message;                             // empty: the rows pass
  };
  const QByteArray oid62 = QByteArray("1.") + QByteArray(59, '2') + "x";  // too long and a letter
  const Case cases[] = {
      {"bad address", 2, {{2, "192.168.1"}}, "Error row 2!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
      {"62-character OID with a letter", 2, {{5, oid62.constData()}}, "Error row 2!! OID string is too much length"},
      {"letter in OID", 2, {{5, "1.a"}}, "Error row 2!! OID string can contains only number and \".\""},
      {"empty OID", 2, {{5, ""}}, "Error row 2!! OID string cannot start with a \".\""},
      {"two points", 2, {{5, "1..2"}}, "Error row 2!! OID string cannot contains two or more consecutive \".\""},
      {"timer of 0", 2, {{10, "Y"}, {11, "0"}}, "Error row 2!! Time must be between 1 and 100000000 ms"},
      {"no timer, bad time", 2, {{10, "N"}, {11, "x"}}, ""},
      {"no bytes", 2, {{13, "0"}}, ""},
      {"1025 bytes", 2, {{13, "1025"}}, "Error row 2!! Number bytes must be between 0 and 1024"},
      {"empty bytes", 2, {{13, ""}}, "Error row 2!! Number bytes must be between 0 and 1024"},
      {"no conversion", 2, {{14, " "}}, "Error row 2!! Conversion not selected"},
      {"version 1 ignores the v3 columns", 2, {{3, "1"}, {19, "bad"}, {20, ""}}, ""},
      {"v3 without level", 2, {{3, "3"}}, "Error row 2!! Security Level must be selected"},
      {"v3 NoAuth NoPriv", 2, {{3, "3"}, {19, "NoAuth NoPriv"}}, ""},
      {"v3 auth without mode", 2, {{3, "3"}, {19, "Auth NoPriv"}}, "Error row 2!! Auth Mode must be selected"},
      {"v3 priv without mode", 2, {{3, "3"}, {19, " auth priv "}, {20, "MD5"}}, "Error row 2!! Priv Mode must be selected"},
      {"disabled bad row", 2, {{1, "N"}, {2, "x"}}, ""},
      {"filled row after the first empty address", 3, {{2, " "}, {5, "bad"}}, ""},
      {"same key in rows 2 and 5", 5, {{5, "1.2"}, {2, " 192.168.1.1"}}, "Error in rows 2 and 5!! Same IP Address, Version and OID used"},
      {"same key on a disabled row", 5, {{5, "1.2"}, {1, "N"}}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Form->FormShow(nullptr);
    Dialogs->Requests.clear();
    for (int r = 1; r <= 5; ++r)
      Set_Row(Form->KCG_SNMP, r, Good_Row(r));
    for (const auto& [col, text] : c.cells)
      Form->KCG_SNMP->SetCells(col, c.row, QString::fromUtf8(text));
    Expect_Check(c.message);
  }
}

TEST_F(SNMPManagerWindow, TheCharacterTotalCountsWhatTheVersionUsesAndIsCheckedLast)
{
  Form->FormShow(nullptr);
  TKvStringGrid* g = Form->KCG_SNMP;
  Set_Row(g, 1, Good_Row(1));  // 1 + "1.1" + 1 + "public" + 1
  EXPECT_EQ(Form->Text_Chars(), 1 + 4 + 7);
  g->SetCells(16, 1, QStringLiteral("user"));
  g->SetCells(17, 1, QStringLiteral("pass"));
  g->SetCells(19, 1, QStringLiteral("Auth Priv"));
  EXPECT_EQ(Form->Text_Chars(), 1 + 4 + 7);  // version 2: the community only
  g->SetCells(3, 1, QStringLiteral("3"));
  EXPECT_EQ(Form->Text_Chars(), 1 + 4 + 5 + 5);  // user and auth pass; no priv pass
  g->SetCells(19, 1, QStringLiteral("NoAuth NoPriv"));
  EXPECT_EQ(Form->Text_Chars(), 1 + 4 + 5);

  // One rule: 1 + ("1.1" + 1) + (community + 1) = community + 6.
  Set_Row(g, 1, Good_Row(1));
  g->SetCells(4, 1, QString(47098, u'c'));
  EXPECT_TRUE(Form->Controllo_dati());
  g->SetCells(4, 1, QString(47099, u'c'));
  EXPECT_FALSE(Form->Controllo_dati());
  EXPECT_EQ(Messages().value(0), Lang_Str(5189));
  Dialogs->Requests.clear();
  Set_Row(g, 2, Good_Row(2));
  g->SetCells(13, 2, QStringLiteral("2000"));
  EXPECT_FALSE(Form->Controllo_dati());
  EXPECT_EQ(Messages().value(0), QStringLiteral("Error row 2!! Number bytes must be between 0 and 1024"));
}

TEST_F(SNMPManagerWindow, TheFileRoundTripsByteForByteAndMissingAttributesTakeDefaults)
{
  Use_Fixture("SNMP_Manager.xml", File());
  const QByteArray before = Read_All(File());
  EXPECT_EQ(Show([&] {
              EXPECT_TRUE(Messages().isEmpty());
              EXPECT_EQ(Form->KCG_SNMP->Cells(9, 2), QString());  // an untouched box
              EXPECT_EQ(Form->KCG_SNMP->Columns()->Items(12)->ComboItems()->Count(), 1440);
              Form->Btn_OK->Click();
            }),
            mrOk);
  EXPECT_EQ(Read_All(File()).toStdString(), before.toStdString());
  EXPECT_EQ(Xmllint_Failure(File()), QString());

  Write_All(File(), "<Any><x IP_Address=\"1.2.3.4\"/></Any>");
  Show([&] {
    EXPECT_TRUE(Messages().isEmpty());
    QStringList cells;
    for (int c = 1; c <= 22; ++c)
      cells << Form->KCG_SNMP->Cells(c, 1);
    EXPECT_EQ(cells.join(u'|'), QStringLiteral("Y|1.2.3.4||||||N|N|N||||None|N|||||||"));
  });
}

TEST_F(SNMPManagerWindow, RowsPastTheGridAreNamedAndOkAsksFirst)
{
  QByteArray rows;
  for (int i = 1; i <= 515; ++i)
    rows += "<row IP_Address=\"10.0.0.1\" OID=\"1." + QByteArray::number(i) + "\" Number_Bytes=\"1\"/>";
  Write_All(File(), "<SNMP_Agent_Access>" + rows + "</SNMP_Agent_Access>");
  const QByteArray before = Read_All(File());
  Show([&] {
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages().at(0), Lang_Str(1507).arg(3).arg(QStringLiteral("SNMP_Agent_Access")));
    Dialogs->QueueResult(mrNo);
    Form->Btn_OK->Click();
    EXPECT_EQ(Dialogs->LastText(), Lang_Str(1506));
  });
  EXPECT_EQ(Read_All(File()), before);
}

TEST_F(SNMPManagerWindow, RowCommandsAndHints)
{
  Show([&] {
    TKvStringGrid* g = Form->KCG_SNMP;
    Set_Row(g, 1, Good_Row(1));
    g->FocusCell(2, 1);
    Form->Btn_InsRow->Click();
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("Y"));
    EXPECT_EQ(g->Cells(5, 2), QStringLiteral("1.1"));
    Dialogs->QueueResult(mrYes);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(Dialogs->LastText(), Lang_Str(5147) + QStringLiteral("1"));
    EXPECT_EQ(g->Cells(5, 1), QStringLiteral("1.1"));
    Form->Btn_PasteRow->Click();
    EXPECT_EQ(Dialogs->LastText(), Lang_Str(1502));
    QString hint;
    Form->GridHint(g, 0, 22, hint);
    EXPECT_EQ(hint, Lang_Str(5136));
    EXPECT_EQ(Form->Btn_OK->Hint(), Lang_Str(5148));
    EXPECT_EQ(Form->Caption(), Lang_Str(5100));
  });
}

TEST_F(SNMPManagerWindow, RendersToPng)
{
  Use_Fixture("SNMP_Manager.xml", File());
  Show([&] {
    QApplication::processEvents();
    const QImage img = Form->grab().toImage();
    ASSERT_FALSE(img.isNull());
    EXPECT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/snmp_manager_window.png")));
  });
}
