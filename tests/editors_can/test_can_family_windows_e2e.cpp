// The CAN frame, J1939, NMEA 2000 and DeviceNet windows inside the started program,
// driven as a user drives them: keys typed into cells, list items picked, check boxes
// toggled with Space and with a click, the row commands with their questions, a bad row
// that keeps the window open, OK and a new opening; the offset map on slaves typed in the
// slave list; and a language change that relabels all eight windows.

#include "editors_can/def_offset_window.h"
#include "editors_can/dnet_window.h"
#include "editors_can/receive_can_window.h"
#include "editors_can/receive_j1939_window.h"
#include "editors_can/receive_nmea_window.h"
#include "editors_can/transmit_can_window.h"
#include "editors_can/transmit_j1939_window.h"
#include "editors_can/transmit_nmea_window.h"

#include "grid/column_grid.h"
#include "platform/core/files.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/stdctrls.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/working_state.h"
#include "shell/window_set.h"

#include "support/file_bytes.h"
#include "support/grid_typing.h"
#include "support/grid_user_input.h"
#include "support/program_test.h"

#include <QApplication>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace {

// How one frame window is driven in row 1: the cells typed, the list picked, the boxes
// toggled, and the bad cell that OK refuses in row 2.
struct TDrive {
  const char* Name;
  std::function<TRuleEditorFrame*()> Form;
  std::function<TLbButton*()> Step;  // the hidden step button; null: shown directly
  QStringList Good;                  // row 1 before typing, row 2 before the paste
  std::vector<std::pair<int, QString>> Typed;  // key, number, mnemonic
  int List_Col = -1, List_Downs = 0;
  QString List_Item;
  int Space_Col = -1, Click_Col = -1;
  int Bad_Col = -1;
  QString Bad_Text, Bad_Message;
  int Hint_Col = 1;
  int Hint_Text = -1;
  int Delete_Question = -1;
};

QString Row_Of(TKvStringGrid* g, int r)
{
  QStringList cells;
  for (int c = 1; c < g->ColCount(); ++c)
    cells << g->Cells(c, r);
  return cells.join(u'|');
}

void Put_Row(TKvStringGrid* g, int r, const QStringList& cells)
{
  for (int c = 0; c < cells.size(); ++c)
    g->SetCells(c + 1, r, cells.at(c));
}

QString Toggled(const QString& box)
{
  return box == QLatin1String("Y") ? QStringLiteral("N") : QStringLiteral("Y");
}

const QString Mnemonic = QStringLiteral("Temp & <in> \"A\" 20\u00b0C");

class CanFamilyProgram : public TProgramTest {
protected:
  // Shows the window as the program does (through its hidden step, or directly where no
  // step opens it); act runs while it is open.
  void Open(const TDrive& d, const std::function<void(TRuleEditorFrame*)>& act)
  {
    TRuleEditorFrame* w = d.Form();
    const auto shown = [&](TCustomForm* f) {
      EXPECT_EQ(f, w);
      f->Show();
      QApplication::processEvents();
      act(w);
    };
    if (d.Step) {
      Click_Step(d.Step(), shown);
    } else {
      TModalScope scope([&](TCustomForm* f) {
        shown(f);
        return int(mrNone);
      });
      w->ShowModal();
    }
  }

  void Drive(const TDrive& d)
  {
    SCOPED_TRACE(d.Name);
    QString rows[3];
    Open(d, [&](TRuleEditorFrame* w) {
      TKvStringGrid* g = w->Grids[0];
      Put_Row(g, 1, d.Good);
      for (const auto& [col, text] : d.Typed)
        Type_In_Cell(g, col, 1, text);
      for (const auto& [col, text] : d.Typed)
        EXPECT_EQ(g->Cells(col, 1), text);
      if (d.List_Col >= 0) {
        Pick(g, d.List_Col, 1, d.List_Downs);
        EXPECT_EQ(g->Cells(d.List_Col, 1), d.List_Item);
      }
      if (d.Space_Col >= 0) {
        const QString before = g->Cells(d.Space_Col, 1);
        g->FocusCell(d.Space_Col, 1);
        QTest::keyClick(Focus(g), Qt::Key_Space);
        QApplication::processEvents();
        EXPECT_EQ(g->Cells(d.Space_Col, 1), Toggled(before));
      }
      if (d.Click_Col >= 0) {
        const QString before = g->Cells(d.Click_Col, 1);
        Click_Cell(g, d.Click_Col, 1);
        EXPECT_EQ(g->Cells(d.Click_Col, 1), Toggled(before));
      }
      const QString typed = Row_Of(g, 1);

      // Copy row 1 over the used row 2.
      Put_Row(g, 2, d.Good);
      g->FocusCell(1, 1);
      w->Btn_CopyRow->Click();
      g->FocusCell(1, 2);
      Answers.QueueResult(mrYes);
      w->Btn_PasteRow->Click();
      EXPECT_EQ(Answers.LastText(), Lang_Str(1500));
      EXPECT_EQ(Row_Of(g, 2), typed);

      // Insert at row 2 moves it down; Delete answered No keeps the empty row, Yes
      // takes it away.
      w->Btn_InsRow->Click();
      EXPECT_EQ(g->Cells(w->Desc().Grids[0].Key_Col, 2), QString());
      EXPECT_EQ(Row_Of(g, 3), typed);
      Answers.QueueResult(mrNo);
      w->Btn_DelRow->Click();
      EXPECT_EQ(Answers.LastText(), Lang_Str(d.Delete_Question) + QStringLiteral("2"));
      EXPECT_EQ(Row_Of(g, 3), typed);
      Answers.QueueResult(mrYes);
      w->Btn_DelRow->Click();
      EXPECT_EQ(Row_Of(g, 2), typed);
      EXPECT_EQ(g->Cells(w->Desc().Grids[0].Key_Col, 3), QString());

      // A bad row keeps the window open with its message.
      const QString kept = g->Cells(d.Bad_Col, 2);
      g->SetCells(d.Bad_Col, 2, d.Bad_Text);
      w->Btn_OK->Click();
      EXPECT_EQ(Answers.LastText(), d.Bad_Message);
      EXPECT_EQ(w->ModalResult(), mrNone);
      g->SetCells(d.Bad_Col, 2, kept);

      QString hint;
      ASSERT_TRUE(bool(g->OnGridHint));
      g->OnGridHint(g, 0, d.Hint_Col, hint);
      EXPECT_EQ(hint, Lang_Str(d.Hint_Text));

      for (int r = 0; r < 3; ++r)
        rows[r] = Row_Of(g, r + 1);
      w->Btn_OK->Click();
      EXPECT_EQ(w->ModalResult(), mrOk) << Answers.LastText().toStdString();
    });
    Open(d, [&](TRuleEditorFrame* w) {
      for (int r = 0; r < 3; ++r)
        EXPECT_EQ(Row_Of(w->Grids[0], r + 1), rows[r]);
      EXPECT_EQ(w->Grids[0]->Cells(d.Typed.back().first, 1), Mnemonic);
    });
  }

  TDialogResponder Answers;
};

}  // namespace

namespace {

// The drive of each frame window, in creation order.
const std::vector<TDrive>& Drives()
{
  static const std::vector<TDrive> drives = {
      {"CAN receive", [] { return FReceiveCAN; }, [] { return FKalvoraFirmWare->Btn_CAN_Rec_Frame; },
       {"Y", "100", "2.0A (11 bits)", "2", "0", "0", "1", "", "", "", "", "", "", "m"},
       {{2, "0x123"}, {5, "250"}, {14, Mnemonic}}, 6, 3, "2",
       1, 1, 4, "9", "Error row 2!! Dimension must be between 1 and 8", 5, 2634, 2658},
      {"CAN transmit", [] { return FTransmitCAN; }, [] { return FKalvoraFirmWare->Btn_CAN_Send_Frame; },
       {"Y", "100", "2.0A (11 bits)", "2", "Y", "N", "N", "", "0", "1", "", "", "", "", "", "", "m"},
       {{2, "0x7FF"}, {4, "1"}, {17, Mnemonic}}, 3, 1, "2.0B (29 bits)",
       5, 6, 9, "2700", "Error row 2!! Byte1 must be between 0 and 2699 or None", 6, 2763, 2761},
      {"J1939 receive", [] { return FReceiveJ1939; }, nullptr,
       {"0", "61444", "0", "N", "", "", "N", "N", "1000", "m"},
       {{2, "65226"}, {3, "17"}, {10, Mnemonic}}, 1, 1, "1",
       7, 8, 3, "240", "Error in row 2!! Source Address must be between 0 and 239", 2, 3726, 3747},
      {"J1939 transmit", [] { return FTransmitJ1939; }, nullptr,
       {"3", "0", "61444", "0", "8", "N", "N", "N", "", "m"},
       {{3, "0x1FFFF"}, {1, "6"}, {10, Mnemonic}}, 2, 1, "1",
       6, 7, 4, "256", "Error in row 2!! Source Address must be between 0 and 255", 3, 3827, 3843},
      {"NMEA receive", [] { return FReceiveNMEA; }, nullptr,
       {"127250", "0", "N", "N", "1", "7", "N", "m"},
       {{1, "0x1F805"}, {2, "239"}, {8, Mnemonic}}, -1, 0, "",
       7, 4, 2, "240", "Error in row 2!! Source Address must be between 0 and 239", 1, 4123, 4143},
      {"NMEA transmit", [] { return FTransmitNMEA; }, nullptr,
       {"2", "127250", "0", "N", "8", "N", "N", "N", "", "m"},
       {{2, "130306"}, {5, "16"}, {10, Mnemonic}}, -1, 0, "",
       4, 6, 1, "8", "Error in row 2!! Priority must be between 0 and 7", 2, 4226, 4242},
      {"DeviceNet slaves", [] { return FDNet; }, [] { return FKalvoraFirmWare->Btn_DNet_Net; },
       {"1", "2", "3", "m"},
       {{1, "0x0A"}, {2, "4"}, {4, Mnemonic}}, -1, 0, "",
       -1, -1, 1, "64", "Error in row 2!! ID must be 0 or 63", 1, 3119, 3127},
  };
  return drives;
}

}  // namespace

// Each frame window: typed into, saved and shown again.
TEST_F(CanFamilyProgram, CanReceiveRulesAreTypedSavedAndShownAgain) { Drive(Drives()[0]); }
TEST_F(CanFamilyProgram, CanTransmitRulesAreTypedSavedAndShownAgain) { Drive(Drives()[1]); }
TEST_F(CanFamilyProgram, J1939ReceiveRulesAreTypedSavedAndShownAgain) { Drive(Drives()[2]); }
TEST_F(CanFamilyProgram, J1939TransmitRulesAreTypedSavedAndShownAgain) { Drive(Drives()[3]); }
TEST_F(CanFamilyProgram, NmeaReceiveRulesAreTypedSavedAndShownAgain) { Drive(Drives()[4]); }
TEST_F(CanFamilyProgram, NmeaTransmitRulesAreTypedSavedAndShownAgain) { Drive(Drives()[5]); }
TEST_F(CanFamilyProgram, DeviceNetSlavesAreTypedSavedAndShownAgain) { Drive(Drives()[6]); }

TEST_F(CanFamilyProgram, OffsetsPickedForTypedSlavesClashThenSave)
{
  TDrive slaves;
  slaves.Name = "slave list";
  slaves.Form = [] { return FDNet; };
  slaves.Step = [] { return FKalvoraFirmWare->Btn_DNet_Net; };
  Open(slaves, [&](TRuleEditorFrame* w) {
    TKvStringGrid* g = w->Grids[0];
    Type_In_Cell(g, 1, 1, QStringLiteral("5"));
    Type_In_Cell(g, 2, 1, QStringLiteral("1"));
    Type_In_Cell(g, 3, 1, QStringLiteral("2"));
    Type_In_Cell(g, 1, 2, QStringLiteral("7"));
    Type_In_Cell(g, 2, 2, QStringLiteral("0"));
    Type_In_Cell(g, 3, 2, QStringLiteral("4"));
    Type_In_Cell(g, 4, 2, QStringLiteral("Valves"));
    w->Btn_OK->Click();
    EXPECT_EQ(w->ModalResult(), mrOk) << Answers.LastText().toStdString();
  });

  TFDefOffset* m = FDefOffset;
  auto open = [&](const std::function<void()>& act) {
    Click_Step(FKalvoraFirmWare->Btn_DNet_Offset, [&](TCustomForm* f) {
      f->Show();
      QApplication::processEvents();
      act();
    });
  };
  open([&] {
    EXPECT_EQ(m->KCG_DN_Slaves->RowCount(), 3);
    EXPECT_EQ(m->KCG_DN_Slaves->Cells(3, 2), QStringLiteral("Valves"));
    m->PageControl1->SetActivePage(m->TabSheet2);
    QApplication::processEvents();
    Pick(m->KCG_ByteOUT, 1, 1, 11);  // position 10
    Type_In_Cell(m->KCG_ByteOUT, 2, 1, QStringLiteral("Motor"));
    EXPECT_EQ(m->KCG_ByteOUT->Cells(1, 1), QStringLiteral("10"));
    Click_Cell(m->KCG_DN_Slaves, 1, 2);
    EXPECT_EQ(m->Slave_Before_Select, 1);
    EXPECT_EQ(m->KCG_ByteOUT->RowCount(), 5);
    Pick(m->KCG_ByteOUT, 1, 4, 11);  // byte 3 on position 10 as well
    m->Btn_OK->Click();
    EXPECT_EQ(Answers.LastText(), QStringLiteral("Error in ByteOUT! The same byte of IO-Link Slave is used in two bytes "
                                                 "DeviceNet.\n\r( First ID = 5 Byte = 0, Second ID = 7 Byte = 3)"));
    EXPECT_EQ(m->ModalResult(), mrNone);
    Pick(m->KCG_ByteOUT, 1, 4, 12);  // position 11
    m->Btn_OK->Click();
    EXPECT_EQ(m->ModalResult(), mrOk);
  });
  open([&] {
    EXPECT_EQ(m->KCG_ByteOUT->Cells(1, 1), QStringLiteral("10"));
    EXPECT_EQ(m->KCG_ByteOUT->Cells(2, 1), QStringLiteral("Motor"));
    Click_Cell(m->KCG_DN_Slaves, 0, 2);
    EXPECT_EQ(m->KCG_ByteIN->RowCount(), 1);
    EXPECT_EQ(m->KCG_ByteOUT->Cells(1, 4), QStringLiteral("11"));
  });
}

TEST_F(CanFamilyProgram, ALanguageChangeRelabelsTheEightWindowsAndLeavesTheCells)
{
  FReceiveCAN->KCG_CAN_Receive->SetCells(14, 3, QStringLiteral("kept"));
  FTransmitNMEA->sga->SetCells(2, 1, QStringLiteral("130306"));
  FDefOffset->KCG_ByteIN->SetRowCount(2);
  FDefOffset->KCG_ByteIN->SetCells(2, 1, QStringLiteral("kept"));
  const QString lang = Dir.filePath(QStringLiteral("Deutsch.lng"));
  Write_All(lang, "STR2600 = CAN Empfang\r\nSTR2622 = Beschreibung\r\nSTR2647 = !! Laenge 1 bis 8\r\n"
                  "STR2700 = CAN Senden\r\nSTR2724 = Notiz\r\nSTR2751 = !! Zeit 0 bis 100000000\r\n"
                  "STR3100 = DeviceNet Netz\r\nSTR3115 = Knoten\r\nSTR3124 = !! Knoten 0 bis 63\r\n"
                  "STR3200 = Offsets\r\nSTR3216 = Lage\r\nSTR3221 = Doppelt belegt!\r\n"
                  "STR3700 = J1939 Empfang\r\nSTR3716 = PGN-Nummer\r\nSTR3745 = Zu viele Bytes: \r\n"
                  "STR3800 = J1939 Senden\r\nSTR3815 = Vorrang\r\nSTR3836 = !! Vorrang 0 bis 7\r\n"
                  "STR4100 = NMEA Empfang\r\nSTR4115 = PGN-Nr\r\nSTR4132 = !! PGN zu gross\r\n"
                  "STR4200 = NMEA Senden\r\nSTR4215 = Prio\r\nSTR4236 = !! Prio 0 bis 7\r\n");
  ASSERT_TRUE(Load_Lang_File(lang));
  FKalvoraFirmWare->Change_Language();
  EXPECT_EQ(FReceiveCAN->Caption(), QStringLiteral("CAN Empfang"));
  EXPECT_EQ(FReceiveCAN->KCG_CAN_Receive->Cells(14, 0), QStringLiteral("Beschreibung"));
  EXPECT_EQ(FTransmitCAN->Caption(), QStringLiteral("CAN Senden"));
  EXPECT_EQ(FTransmitCAN->KCG_CAN_Transmit->Columns()->Items(17)->Header(), QStringLiteral("Notiz"));
  EXPECT_EQ(FDNet->Caption(), QStringLiteral("DeviceNet Netz"));
  EXPECT_EQ(FDNet->KSG->Cells(1, 0), QStringLiteral("Knoten"));
  EXPECT_EQ(FDefOffset->Caption(), QStringLiteral("Offsets"));
  EXPECT_EQ(FDefOffset->KCG_ByteIN->Cells(1, 0), QStringLiteral("Lage"));
  EXPECT_EQ(FReceiveJ1939->Caption(), QStringLiteral("J1939 Empfang"));
  EXPECT_EQ(FReceiveJ1939->sga->Cells(2, 0), QStringLiteral("PGN-Nummer"));
  EXPECT_EQ(FTransmitJ1939->sga->Cells(1, 0), QStringLiteral("Vorrang"));
  EXPECT_EQ(FReceiveNMEA->sga->Cells(1, 0), QStringLiteral("PGN-Nr"));
  EXPECT_EQ(FTransmitNMEA->Caption(), QStringLiteral("NMEA Senden"));
  EXPECT_EQ(FTransmitNMEA->sga->Cells(1, 0), QStringLiteral("Prio"));
  EXPECT_EQ(FTransmitNMEA->Btn_OK->Caption(), QStringLiteral("OK"));
  // Texts only: the cells stay.
  EXPECT_EQ(FReceiveCAN->KCG_CAN_Receive->Cells(14, 3), QStringLiteral("kept"));
  EXPECT_EQ(FTransmitNMEA->sga->Cells(2, 1), QStringLiteral("130306"));
  EXPECT_EQ(FDefOffset->KCG_ByteIN->Cells(2, 1), QStringLiteral("kept"));

  // The overlaid messages are the ones the checks show.
  struct Msg {
    std::function<bool()> check;
    const char* text;
  };
  // Windows never shown hold their design cells: rows are filled in full here.
  FReceiveCAN->KCG_CAN_Receive->SetCells(1, 1, QStringLiteral("Y"));
  FReceiveCAN->KCG_CAN_Receive->SetCells(2, 1, QStringLiteral("1"));
  FTransmitCAN->KCG_CAN_Transmit->SetCells(1, 1, QStringLiteral("Y"));
  FTransmitCAN->KCG_CAN_Transmit->SetCells(2, 1, QStringLiteral("1"));
  FTransmitCAN->KCG_CAN_Transmit->SetCells(4, 1, QStringLiteral("1"));
  FTransmitCAN->KCG_CAN_Transmit->SetCells(7, 1, QStringLiteral("Y"));
  FDNet->KSG->SetCells(1, 1, QStringLiteral("99"));
  for (int r = 1; r <= 181; ++r) {
    FReceiveJ1939->sga->SetCells(1, r, QStringLiteral("0"));
    FReceiveJ1939->sga->SetCells(2, r, QStringLiteral("1"));
    FReceiveJ1939->sga->SetCells(3, r, QStringLiteral("0"));
  }
  FTransmitJ1939->sga->SetCells(3, 1, QStringLiteral("1"));
  FReceiveNMEA->sga->SetCells(1, 1, QStringLiteral("0x20000"));
  FTransmitNMEA->sga->SetCells(1, 1, QStringLiteral("9"));
  const Msg msgs[] = {
      {[] { return FReceiveCAN->Controllo_dati(); }, "Error row 1!! Laenge 1 bis 8"},
      {[] { return FTransmitCAN->Controllo_dati(); }, "Error row 1!! Zeit 0 bis 100000000"},
      {[] { return FDNet->controllo_dati(); }, "Error in row 1!! Knoten 0 bis 63"},
      {[] { return FReceiveJ1939->Controllo_Dati(); }, "Zu viele Bytes:1440"},
      {[] { return FTransmitJ1939->Controllo_Dati(); }, "Error in row 1!! Vorrang 0 bis 7"},
      {[] { return FReceiveNMEA->Controllo_Dati(); }, "Error in row 1!! PGN zu gross"},
      {[] { return FTransmitNMEA->Controllo_Dati(); }, "Error in row 1!! Prio 0 bis 7"},
  };
  for (const Msg& m : msgs) {
    SCOPED_TRACE(m.text);
    EXPECT_FALSE(m.check());
    EXPECT_EQ(Answers.LastText(), QString::fromUtf8(m.text));
  }
  FDefOffset->List_Slaves_DN = {TSlave_DN(1, 0, 2)};
  FDefOffset->List_Slaves_DN[0].SL_ByteOUT = QStringList{"3", "3"};
  EXPECT_FALSE(FDefOffset->Check_Data());
  EXPECT_TRUE(Answers.LastText().startsWith(QStringLiteral("Doppelt belegt!\n\r( First ID = 1")));
}
