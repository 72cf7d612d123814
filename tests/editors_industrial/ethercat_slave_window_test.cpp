// The EtherCAT slave process data editor on a temporary project: the length rule of a
// chosen type, positions after each kind of edit and row command, loading, the fixture's
// round trip, the texts of a language file, typed rows and a picture of both pages.

#include "editors_industrial/ethercat_slave_window.h"

#include "editors_industrial/ethercat_texts.h"
#include "grid/kv_string_grid.h"
#include "platform/ui/comctrls.h"
#include "common/lb_button.h"

#include "support/file_bytes.h"
#include "support/grid_typing.h"
#include "support/grid_user_input.h"
#include "support/lang_block_check.h"
#include "support/rule_window_test.h"
#include "support/xmllint.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QtTest/QTest>

namespace {

using W = TFEtherCATSlave;

class EtherCATSlaveWindow : public TRuleWindowTest<W> {
protected:
  EtherCATSlaveWindow() : TRuleWindowTest<W>({&EtherCAT_Lang_Blocks}, "editors_industrial") {}

  QString File() const { return WS().Name_File_EtherCAT_Slave; }
  TKvStringGrid* StM() const { return Form->KSG_SlaveMaster; }
  TKvStringGrid* MtS() const { return Form->KSG_MasterSlave; }

  static bool Checked(TKvStringGrid* g, int r)
  {
    bool state = false;
    g->GetCheckBoxState(W::Col_Enable, r, state);
    return state;
  }
  // The type chosen from the drop-down, as the grid reports it.
  static void Pick_Type(TKvStringGrid* g, int r, const QString& type)
  {
    g->OnComboChange(g, W::Col_Type, r, -1, type);
  }
  // "position,bit" of row r of the Slave To Master grid.
  QString StM_Place(int r) const { return StM()->Cells(W::StM_Position, r) + u',' + StM()->Cells(W::StM_Bit, r); }
  QStringList StM_Places(int rows) const
  {
    QStringList out;
    for (int r = 1; r <= rows; ++r)
      out << StM_Place(r);
    return out;
  }
  void Type_Rows(const QStringList& types)
  {
    for (int r = 1; r <= types.size(); ++r)
      Pick_Type(StM(), r, types.at(r - 1));
  }
};

TEST_F(EtherCATSlaveWindow, ATypeChoiceSetsTheLengthAndItsStateAndMovesTheLaterPositions)
{
  Show([&] {
    Type_Rows({"Bool", "Bool", "Int16", "Bool", "String", "Int32"});
    EXPECT_EQ(StM_Places(6), QStringList({"0,0", "0,1", "1,0", "3,0", "4,0", "14,0"}));
    Pick_Type(StM(), 3, QStringLiteral("Int32"));
    EXPECT_EQ(StM()->Cells(W::Col_Type, 3), QStringLiteral("Int32"));
    EXPECT_EQ(StM()->Cells(W::Col_Length, 3), QStringLiteral("4"));
    EXPECT_TRUE(StM()->ReadOnly(W::Col_Length, 3));
    EXPECT_EQ(StM_Place(4), QStringLiteral("5,0"));
    Pick_Type(StM(), 3, QStringLiteral("String"));
    EXPECT_EQ(StM()->Cells(W::Col_Length, 3), QStringLiteral("10"));
    EXPECT_FALSE(StM()->ReadOnly(W::Col_Length, 3));
    EXPECT_EQ(StM_Place(4), QStringLiteral("11,0"));
    // The computed cells stay read-only; a validated Length edit moves what follows.
    EXPECT_TRUE(StM()->ReadOnly(W::StM_Position, 3));
    EXPECT_TRUE(StM()->ReadOnly(W::StM_Bit, 3));
    QString value = QStringLiteral("abc");
    bool valid = true;
    StM()->OnCellValidate(StM(), W::Col_Length, 3, value, valid);
    EXPECT_EQ(StM_Place(4), QStringLiteral("1,0"));
    // An empty Type ends the computing: the rows after it keep what they showed.
    StM()->SetCells(W::Col_Type, 2, QString());
    Pick_Type(StM(), 1, QStringLiteral("Int8"));
    EXPECT_EQ(StM_Place(1), QStringLiteral("0,0"));
    EXPECT_EQ(StM_Place(3), QStringLiteral("1,0"));
    // The other grid is not touched.
    EXPECT_EQ(MtS()->Cells(W::MtS_Position, 1), QString());
    Form->Btn_OK->Click();
  });
  const QByteArray saved = Read_All(File());
  EXPECT_TRUE(saved.contains("<row Enable=\"Y\" Type=\"Int8\" Length=\"1\""));
  EXPECT_FALSE(saved.contains("Type=\"Int32\""));
  EXPECT_FALSE(saved.contains("Type=\"String\""));  // after the gap: not saved
}

TEST_F(EtherCATSlaveWindow, LoadAppliesTheRuleBeforeTheStoredLengthAndRecomputesPositions)
{
  Write_All(File(), "<EtherCAT_Slave><EtherCAT_Slave_Variables>"
                    "<EtherCAT_Slave_To_Master>"
                    "<row Enable=\"n\" Type=\"Int16\" Length=\"7\" Name=\"a\" InitValue=\"\" Position=\"9\" BitStart=\"9\" Mnemonic=\"\"/>"
                    "<row Type=\"Int8\" Position=\"99\"/>"
                    "<row Enable=\"N\" Type=\"Bool\"/>"
                    "</EtherCAT_Slave_To_Master>"
                    "<EtherCAT_Master_To_Slave>"
                    "<row Enable=\"Y\" Type=\"String\" Length=\"20\" Name=\"s\" Position=\"0\" BitStart=\"0\" Mnemonic=\"\"/>"
                    "<row Enable=\"Y\" Type=\"Int8\" Length=\"1\" Name=\"b\" Position=\"0\" BitStart=\"0\" Mnemonic=\"\"/>"
                    "</EtherCAT_Master_To_Slave>"
                    "</EtherCAT_Slave_Variables></EtherCAT_Slave>");
  Show([&] {
    EXPECT_TRUE(Checked(StM(), 1));  // only "N" clears the box
    EXPECT_EQ(StM()->Cells(W::Col_Length, 1), QStringLiteral("7"));  // the stored text, read-only
    EXPECT_TRUE(StM()->ReadOnly(W::Col_Length, 1));
    EXPECT_TRUE(Checked(StM(), 2));  // a missing Enable
    EXPECT_EQ(StM()->Cells(W::Col_Length, 2), QString());
    EXPECT_EQ(StM_Places(3), QStringList({"0,0", "2,0", "0,0"}));
    EXPECT_FALSE(Checked(StM(), 3));
    EXPECT_EQ(MtS()->Cells(W::Col_Length, 1), QStringLiteral("20"));
    EXPECT_FALSE(MtS()->ReadOnly(W::Col_Length, 1));
    EXPECT_EQ(MtS()->Cells(W::MtS_Position, 2), QStringLiteral("20"));
    EXPECT_TRUE(Messages().isEmpty());
  });
}

TEST_F(EtherCATSlaveWindow, DeleteRecomputesWhateverTheAnswerInsertDoesNot)
{
  Show([&] {
    Type_Rows({"Int8", "Int16", "Int32"});
    StM()->SetCells(W::StM_Position, 3, QStringLiteral("stale"));
    StM()->SetRow(1);
    Dialogs->QueueResult(mrNo);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Are you sure to delete the Row number 1")});
    EXPECT_EQ(StM_Places(3), QStringList({"0,0", "1,0", "3,0"}));

    Dialogs->QueueResult(mrYes);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(StM()->Cells(W::Col_Type, 1), QStringLiteral("Int16"));
    EXPECT_EQ(StM_Places(2), QStringList({"0,0", "2,0"}));
    EXPECT_TRUE(Checked(StM(), W::Var_Rows));  // the emptied last row keeps its box checked

    StM()->SetRow(1);
    Form->Btn_InsRow->Click();
    EXPECT_TRUE(Checked(StM(), 1));
    EXPECT_EQ(StM()->Cells(W::Col_Type, 1), QString());
    EXPECT_EQ(StM_Places(3), QStringList({",", "0,0", "2,0"}));  // moved with the rows, not recomputed
    EXPECT_FALSE(StM()->ReadOnly(W::StM_Position, 1));
  });
}

TEST_F(EtherCATSlaveWindow, APastedStringRowKeepsItsLengthAFixedTypeTakesItsOwn)
{
  Show([&] {
    Type_Rows({"String", "Int8", "Int8", "Bool"});
    StM()->SetCells(W::Col_Length, 1, QStringLiteral("32"));
    StM()->SetCells(W::Col_Name, 1, QStringLiteral("label"));
    StM()->SetCells(W::Col_Length, 2, QStringLiteral("9"));  // a stale text on a fixed type
    StM()->SetRow(1);
    Form->Btn_CopyRow->Click();
    StM()->SetRow(5);
    Form->Btn_PasteRow->Click();
    EXPECT_EQ(StM()->Cells(W::Col_Length, 5), QStringLiteral("32"));
    EXPECT_EQ(StM()->Cells(W::Col_Name, 5), QStringLiteral("label"));
    EXPECT_FALSE(StM()->ReadOnly(W::Col_Length, 5));
    EXPECT_EQ(StM_Place(5), QStringLiteral("35,0"));

    StM()->SetRow(2);
    Form->Btn_CopyRow->Click();
    StM()->SetRow(6);
    Form->Btn_PasteRow->Click();
    EXPECT_EQ(StM()->Cells(W::Col_Length, 6), QStringLiteral("1"));
    EXPECT_TRUE(StM()->ReadOnly(W::Col_Length, 6));
    EXPECT_EQ(StM_Place(6), QStringLiteral("67,0"));

    // A row copied from one grid does not paste into the other.
    Form->PageControl1->SetActivePage(Form->TS_MasterToSlave);
    MtS()->SetRow(1);
    Form->Btn_PasteRow->Click();
    EXPECT_EQ(Messages().value(0), QStringLiteral("Error!!! Copy a valid row before Paste it"));
  });
}

TEST_F(EtherCATSlaveWindow, AFixtureRoundTripsByteForByte)
{
  Use_Fixture("EtherCAT_Slave.xml", File());
  const QByteArray before = Read_All(File());
  EXPECT_EQ(Show([&] { Form->Btn_OK->Click(); }), mrOk);
  EXPECT_EQ(Read_All(File()), before);
  EXPECT_EQ(Xmllint_Failure(File()), QString());
}

TEST_F(EtherCATSlaveWindow, AMissingSectionStopsTheLoadWithTheFailureReport)
{
  Write_All(File(), "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>"
                    "<row Enable=\"Y\" Type=\"Int8\" Length=\"1\"/></EtherCAT_Slave_To_Master>"
                    "</EtherCAT_Slave_Variables></EtherCAT_Slave>");
  EXPECT_ANY_THROW(Form->FormShow(Form.get()));
  EXPECT_EQ(StM()->Cells(W::Col_Type, 1), QStringLiteral("Int8"));
  EXPECT_EQ(StM_Place(1), QStringLiteral("0,0"));
  EXPECT_TRUE(Form->Load_State.Stopped);
}

TEST_F(EtherCATSlaveWindow, SetLangPutsTheBlockOnCaptionsHeadersAndHints)
{
  Load_Lang_Lines({"STR3300 = EtherCAT Slave Zugriff", "STR3304 = Zeile loeschen", "STR3310 = Loescht die Zeile",
                   "STR3320 = Startwert", "STR3326 = Laenge der Zeichenkette", "STR3335 = Master zum Slave",
                   "STR3343 = Kuerzel", "STR3350 = Beschreibung"});
  Form->Set_Lang();
  EXPECT_EQ(Form->Caption(), QStringLiteral("EtherCAT Slave Zugriff"));
  EXPECT_EQ(Form->Btn_DelRow->Caption(), QStringLiteral("Zeile loeschen"));
  EXPECT_EQ(Form->Btn_DelRow->Hint(), QStringLiteral("Loescht die Zeile"));
  EXPECT_EQ(StM()->Cells(W::StM_Init_Value, 0), QStringLiteral("Startwert"));
  EXPECT_EQ(Form->TS_MasterToSlave->Caption(), QStringLiteral("Master zum Slave"));
  EXPECT_EQ(MtS()->Cells(W::MtS_Mnemonic, 0), QStringLiteral("Kuerzel"));
  QString hint = QStringLiteral("old");
  StM()->OnGridHint(StM(), 0, W::Col_Length, hint);
  EXPECT_EQ(hint, QStringLiteral("Laenge der Zeichenkette"));
  MtS()->OnGridHint(MtS(), 0, W::MtS_Mnemonic, hint);
  EXPECT_EQ(hint, QStringLiteral("Beschreibung"));
  MtS()->OnGridHint(MtS(), 2, W::MtS_Mnemonic, hint);
  EXPECT_EQ(hint, QString());  // no hint outside the header
}

TEST_F(EtherCATSlaveWindow, TypedRowsMoveThePositionsAsEachEditEndsAndSurviveOkAndReopening)
{
  Show([&] {
    Form->Show();
    QApplication::processEvents();
    StM()->SetFocus();
    Pick(StM(), W::Col_Type, 1, 0);  // Bool
    Pick(StM(), W::Col_Type, 2, 8);  // String
    EXPECT_EQ(StM()->Cells(W::Col_Length, 2), QStringLiteral("10"));
    Pick(StM(), W::Col_Type, 3, 2);  // Int16
    EXPECT_EQ(StM_Places(3), QStringList({"0,0", "1,0", "11,0"}));
    Type_In_Cell(StM(), W::Col_Length, 2, QStringLiteral("4"));
    EXPECT_EQ(StM()->Cells(W::Col_Length, 2), QStringLiteral("4"));
    EXPECT_EQ(StM_Place(3), QStringLiteral("5,0"));
    Type_Cell(StM(), W::Col_Name, 3, QStringLiteral("Speed"));
    StM()->FocusCell(W::Col_Enable, 1);
    QTest::keyClick(Focus(StM()), Qt::Key_Space);  // Bool off
    QApplication::processEvents();
    EXPECT_FALSE(Checked(StM(), 1));
    EXPECT_EQ(StM_Places(3), QStringList({"0,0", "0,0", "4,0"}));
    Form->Btn_OK->Click();
  });
  EXPECT_EQ(Form->ModalResult(), mrOk);
  Show([&] {
    EXPECT_FALSE(Checked(StM(), 1));
    EXPECT_EQ(StM()->Cells(W::Col_Type, 2), QStringLiteral("String"));
    EXPECT_EQ(StM()->Cells(W::Col_Length, 2), QStringLiteral("4"));
    EXPECT_EQ(StM()->Cells(W::Col_Name, 3), QStringLiteral("Speed"));
    EXPECT_EQ(StM_Place(3), QStringLiteral("4,0"));
  });
}

TEST_F(EtherCATSlaveWindow, ThePageStaysBetweenOpeningsAndBothPagesRenderToPng)
{
  Use_Fixture("EtherCAT_Slave.xml", File());
  Show([&] {
    QApplication::processEvents();
    const QImage first = Form->grab().toImage();
    EXPECT_EQ(first.width(), 1200);
    EXPECT_TRUE(first.save(QStringLiteral(KV_TEST_BINARY_DIR "/ethercat_slave_to_master.png")));
    Form->PageControl1->SetActivePage(Form->TS_MasterToSlave);
  });
  Show([&] {
    EXPECT_EQ(Form->PageControl1->ActivePage(), Form->TS_MasterToSlave);
    QApplication::processEvents();
    EXPECT_TRUE(Form->grab().toImage().save(QStringLiteral(KV_TEST_BINARY_DIR "/ethercat_master_to_slave.png")));
  });
}

}  // namespace
