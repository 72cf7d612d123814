// The S7 rules editor on a temporary project: the connection count over both grids, the
// ranges of its checks, the defaults of a loaded row and a stopped load, the read page on
// every show, the fixture's round trip, a language file, typed rules and both pages.

#include "editors_industrial/s7_protocol_window.h"

#include "editors_industrial/s7_texts.h"
#include "grid/column_grid.h"
#include "platform/ui/comctrls.h"
#include "common/lb_button.h"

#include "support/file_bytes.h"
#include "support/grid_typing.h"
#include "support/lang_block_check.h"
#include "support/rule_window_test.h"
#include "support/xmllint.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QtTest/QTest>

namespace {

using W = TFS7_Protocol_Set_Access;

QStringList Read_Rule(const QString& ip, const QString& port = QStringLiteral("102"))
{
  return {"Y", ip, port, "S71200", "0", "1", "Int", "DB", "1", "Flags (M) (Merker)", "0", "0", "100", "0", "0",
          "N", "N", "m"};
}

QStringList Write_Rule(const QString& ip, const QString& port = QStringLiteral("102"))
{
  return {"Y", ip, port, "S7300", "0", "2", "Word", "DB", "2", "Output (Q)", "4", "0", "0", "Y", "N", "10", "0",
          "N", "N", "w"};
}

QString Ip(int n)
{
  return QStringLiteral("10.0.0.%1").arg(n);
}

class S7Window : public TRuleWindowTest<W> {
protected:
  S7Window() : TRuleWindowTest<W>({&S7_Lang_Blocks}, "editors_industrial") {}

  QString File() const { return WS().Name_File_S7_Protocol; }
  TKvStringGrid* R() const { return Form->Grids[W::Read]; }
  TKvStringGrid* Wr() const { return Form->Grids[W::Write]; }

  // Message empty: the check passes without a word; else it fails with exactly that box.
  void Expect_Check(const QString& Message)
  {
    Dialogs->Requests.clear();
    EXPECT_EQ(Form->Controllo_dati(), Message.isEmpty());
    if (Message.isEmpty()) {
      EXPECT_TRUE(Messages().isEmpty()) << Messages().join(u'\n').toStdString();
    } else {
      ASSERT_EQ(Messages().size(), 1);
      EXPECT_EQ(Messages().at(0), Message);
      EXPECT_EQ(Dialogs->Requests.at(0).DlgType, mtError);
    }
  }
  void Clear()
  {
    for (int r = 1; r <= 20; ++r) {
      Set_Row(R(), r, QStringList(18, QString()));
      Set_Row(Wr(), r, QStringList(20, QString()));
    }
  }
};

TEST_F(S7Window, TenConnectionsOverBothGridsAndTheEleventhFails)
{
  Form->FormShow(Form.get());
  for (int r = 1; r <= 11; ++r)
    Set_Row(R(), r, Read_Rule(Ip(r)));
  Expect_Check("Error row 11!! [S7comm Read] Device support 10 connection");

  // Ten reads; a write to an eleventh PLC fails, to one of the ten it passes.
  Set_Row(R(), 11, QStringList(18, QString()));
  Set_Row(Wr(), 1, Write_Rule(QStringLiteral("10.0.0.11")));
  Expect_Check("Error row 1!! [S7comm Write] Device support 10 connection");
  Set_Row(Wr(), 1, Write_Rule(QStringLiteral("10.0.0.007")));  // leading zeros do not matter
  Expect_Check("");

  // Ports 102 and 103 are two connections; another rack or slot is not.
  Clear();
  for (int r = 1; r <= 9; ++r)
    Set_Row(R(), r, Read_Rule(Ip(r)));
  Set_Row(R(), 10, Read_Rule(Ip(50), "102"));
  QStringList other = Read_Rule(Ip(50), "102");
  other[4] = "3";
  other[5] = "31";
  Set_Row(R(), 11, other);
  Expect_Check("");
  Set_Row(R(), 11, Read_Rule(Ip(50), "103"));
  Expect_Check("Error row 11!! [S7comm Read] Device support 10 connection");

  // A disabled rule is neither checked nor counted.
  QStringList off = Read_Rule(Ip(60), "bad");
  off[0] = "N";
  Set_Row(R(), 11, off);
  Set_Row(R(), 12, Read_Rule(Ip(1)));
  Expect_Check("");
}

TEST_F(S7Window, TheChecksInTheirOrderWithTheirLimits)
{
  Form->FormShow(Form.get());
  struct Case {
    bool Write;
    int Col;
    const char* Text;
    const char* Message;  // empty: passes
  } const cases[] = {
      {false, 2, "192.168.1", "Error row 1!! [S7comm Read] PLC Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
      {false, 3, "65536", "Error row 1!! [S7comm Read] PLC Port must be between 0 and 65535"},
      {false, 4, " ", "Error row 1!! [S7comm Read] PLC Type cannot be empty"},
      {false, 5, "4", "Error row 1!! [S7comm Read] Rack must be between 0 and 3"},
      {true, 5, "4", "Error row 1!! [S7comm Write] Rack must be between 0 and 3"},
      {false, 6, "32", "Error row 1!! [S7comm Read] Slot must be between 0 and 31"},
      {true, 6, "32", "Error row 1!! [S7comm Write] Slot must be between 0 and 31"},
      {false, 9, "65536", "Error row 1!! [S7comm Read] DB Number must be between 0 and 65535"},
      {true, 11, "-1", "Error row 1!! [S7comm Write] PLC Address must be between 0 and 65535"},
      {false, 13, "0", "Error row 1!! [S7comm Read] Poll Time must be between 1 and 100000000"},
      {true, 13, "0", ""},
      {true, 13, "100000001", "Error row 1!! [S7comm Write] Poll Time must be between 0 and 100000000"},
      {false, 14, "1500", "Error row 1!! [S7comm Read] Position must be between 0 and 1499"},
      {true, 16, "1500", "Error row 1!! [S7comm Write] Position must be between 0 and 1499"},
      {false, 14, "1499", ""},
      {true, 17, "", "Error row 1!! [S7comm Write] Start Bit cannot be empty"},
      {false, 13, " 5", ""},  // the integer reading skips leading blanks
      {false, 13, "5 ", "Error row 1!! [S7comm Read] Poll Time must be between 1 and 100000000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Message);
    Clear();
    QStringList row = c.Write ? Write_Rule(Ip(1)) : Read_Rule(Ip(1));
    row[c.Col - 1] = QString::fromLatin1(c.Text);
    Set_Row(c.Write ? Wr() : R(), 1, row);
    Expect_Check(QString::fromLatin1(c.Message));
  }
}

TEST_F(S7Window, LoadDefaultsRackAndSlotAndAMissingRequiredAttributeStopsTheLoad)
{
  const QByteArray head = "<S7_Protocol><S7_Protocol_Read>";
  const QByteArray full = "PLC_Address=\"10.0.0.1\" PLC_Port=\"102\" PLC_Type=\"S7300\" ";
  const QByteArray rest = "Data_Type=\"Int\" Data_Identifier=\"DB\" DB_Number=\"1\" PLC_Area=\"Inputs (I)\" PLC_Add=\"0\" "
                          "PLC_Bit=\"0\" PollTime=\"100\" Position=\"0\" Bit=\"0\" Swap=\"N\" SwapWord=\"N\" Mnemonic=\"\"";
  Write_All(File(), head + "<row " + full + rest + "/><row PLC_Address=\"10.0.0.2\" PLC_Port=\"102\" " + rest +
                        "/></S7_Protocol_Read><S7_Protocol_Write/></S7_Protocol>");
  Show([&] {
    EXPECT_EQ(R()->Cells(1, 1), QStringLiteral("Y"));
    EXPECT_EQ(R()->Cells(W::Col_Rack, 1), QStringLiteral("0"));
    EXPECT_EQ(R()->Cells(W::Col_Slot, 1), QStringLiteral("0"));
    EXPECT_EQ(R()->Cells(W::Col_PLC_Address, 2), QStringLiteral("10.0.0.2"));
    EXPECT_EQ(R()->Cells(W::Col_PLC_Port, 2), QStringLiteral("102"));
    EXPECT_EQ(R()->Cells(7, 2), QString());  // the load stopped at PLC_Type
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages().at(0).contains(QStringLiteral("PLC_Type"))) << Messages().at(0).toStdString();
    R()->SetCells(W::Col_PLC_Address, 2, QString());
    Dialogs->QueueResult(mrNo);
    Form->Btn_OK->Click();
    EXPECT_EQ(Dialogs->LastText(), Lang_Str(Rule_Text_Replace_Partial_File));
    EXPECT_EQ(Form->ModalResult(), mrNone);
  });
}

TEST_F(S7Window, EveryShowOpensTheReadPageWithThePositionItems)
{
  Show([&] { Form->PageControl1->SetActivePage(Form->TS_S7_Write); });
  Show([&] {
    EXPECT_EQ(Form->PageControl1->ActivePage(), Form->TS_S7_Read);
    const TStringList* items = Form->KCG_S7_Write->Columns()->Items(W::Write_Position_Col)->ComboItems();
    ASSERT_EQ(items->Count(), 1500);
    EXPECT_EQ(items->Strings(1499), QStringLiteral("1499"));
    EXPECT_EQ(Form->KCG_S7_Read->Columns()->Items(W::Read_Position_Col)->ComboItems()->Count(), 1500);
  });
}

TEST_F(S7Window, AFixtureRoundTripsByteForByte)
{
  Use_Fixture("S7_Protocol.xml", File());
  const QByteArray before = Read_All(File());
  EXPECT_EQ(Show([&] { Form->Btn_OK->Click(); }), mrOk);
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(u'\n').toStdString();
  EXPECT_EQ(Read_All(File()), before);
  EXPECT_EQ(Xmllint_Failure(File()), QString());
}

TEST_F(S7Window, SetLangPutsTheBlockOnCaptionsHeadersHintsAndTheDeleteQuestion)
{
  Load_Lang_Lines({"STR4900 = Accesso S7comm", "STR4905 = Inserisci riga", "STR4915 = Scrittura S7comm",
                   "STR5013 = Telaio", "STR4943 = Descrizione", "STR5017 = Telaio del PLC", "STR4969 = Nota",
                   "STR5025 = Riga da cancellare:"});
  Form->Set_Lang();
  EXPECT_EQ(Form->Caption(), QStringLiteral("Accesso S7comm"));
  EXPECT_EQ(Form->Btn_InsRow->Caption(), QStringLiteral("Inserisci riga"));
  EXPECT_EQ(Form->TS_S7_Write->Caption(), QStringLiteral("Scrittura S7comm"));
  EXPECT_EQ(Form->KCG_S7_Read->Columns()->Items(W::Col_Rack)->Header(), QStringLiteral("Telaio"));
  EXPECT_EQ(Wr()->Cells(20, 0), QStringLiteral("Descrizione"));
  QString hint;
  R()->OnGridHint(R(), 0, W::Col_Rack, hint);
  EXPECT_EQ(hint, QStringLiteral("Telaio del PLC"));
  Wr()->OnGridHint(Wr(), 0, 20, hint);
  EXPECT_EQ(hint, QStringLiteral("Nota"));
  Dialogs->QueueResult(mrNo);
  Show([&] {
    R()->SetRow(4);
    Form->Btn_DelRow->Click();
  });
  EXPECT_EQ(Messages(), QStringList{QStringLiteral("Riga da cancellare:4")});
}

TEST_F(S7Window, TypedRulesSurviveOkAndReopeningAndBothPagesRenderToPng)
{
  Show([&] {
    Form->Show();
    QApplication::processEvents();
    R()->SetFocus();
    Type_Cell(R(), 2, 1, QStringLiteral("192.168.0.10"));
    Type_Cell(R(), 3, 1, QStringLiteral("102"));
    Pick(R(), 4, 1, 4);  // S71200
    Type_Cell(R(), 5, 1, QStringLiteral("0"));
    Type_Cell(R(), 6, 1, QStringLiteral("1"));
    Pick(R(), 7, 1, 4);  // Int
    Pick(R(), 8, 1, 1);  // DB
    Type_Cell(R(), 9, 1, QStringLiteral("10"));
    Pick(R(), 10, 1, 3);  // Flags
    Type_Cell(R(), 11, 1, QStringLiteral("20"));
    Pick(R(), 12, 1, 0);
    Type_Cell(R(), 13, 1, QStringLiteral("500"));
    Pick(R(), 14, 1, 12);
    Pick(R(), 15, 1, 0);
    Type_Cell(R(), 18, 1, QStringLiteral("Pressure"));
    QApplication::processEvents();
    EXPECT_TRUE(Form->grab().toImage().save(QStringLiteral(KV_TEST_BINARY_DIR "/s7_read.png")));

    Form->PageControl1->SetActivePage(Form->TS_S7_Write);
    Set_Row(Wr(), 1, Write_Rule(QStringLiteral("192.168.0.11")));
    Wr()->SetFocus();
    Wr()->FocusCell(1, 1);
    QTest::keyClick(Focus(Wr()), Qt::Key_Space);  // Enable off
    QApplication::processEvents();
    EXPECT_TRUE(Form->grab().toImage().save(QStringLiteral(KV_TEST_BINARY_DIR "/s7_write.png")));
    Form->Btn_OK->Click();
    EXPECT_EQ(Form->ModalResult(), mrOk);
  });
  const QByteArray saved = Read_All(File());
  EXPECT_TRUE(saved.contains("<row Enable=\"Y\" PLC_Address=\"192.168.0.10\" PLC_Port=\"102\" PLC_Type=\"S71200\" "
                             "Rack=\"0\" Slot=\"1\" Data_Type=\"Int\" Data_Identifier=\"DB\" DB_Number=\"10\" "
                             "PLC_Area=\"Flags (M) (Merker)\" PLC_Add=\"20\" PLC_Bit=\"0\" PollTime=\"500\" "
                             "Position=\"12\" Bit=\"0\""))
      << saved.toStdString();
  EXPECT_TRUE(saved.contains("<row Enable=\"N\" PLC_Address=\"192.168.0.11\""));
  Show([&] {
    EXPECT_EQ(R()->Cells(18, 1), QStringLiteral("Pressure"));
    EXPECT_EQ(Wr()->Cells(1, 1), QStringLiteral("N"));
  });
}

}  // namespace
