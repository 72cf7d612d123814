#pragma once
// A project folder, the CAN-family texts and the dialog seam for the CAN frame, J1939,
// NMEA 2000 and DeviceNet windows, with the checks their tests share: tables of check
// cases, the byte-for-byte round trip of a fixture and the partial load of a file with
// more rows than the grid.

#include "editors_can/can_texts.h"
#include "grid/column_grid.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/rule_editor_frame.h"
#include "common/working_state.h"

#include "support/file_bytes.h"
#include "support/rule_window_test.h"
#include "support/xmllint.h"

#include <gtest/gtest.h>

#include <vector>

template <typename Window>
class TCANFamilyWindowTest : public TRuleWindowTest<Window> {
protected:
  TCANFamilyWindowTest() : TRuleWindowTest<Window>({&CAN_Lang_Blocks}, "editors_can") {}

  TKvStringGrid* Grid() const { return this->Form->Grids[0]; }

  // One check: rows 1 .. Rows hold the good row, the edits change single cells, and the
  // check shows exactly Message (empty: it passes without a word).
  struct TEdit {
    int Row;
    int Col;
    const char* Text;
  };
  struct TCase {
    const char* Name;
    int Rows;
    std::vector<TEdit> Edits;
    const char* Message;
  };
  void Run_Check_Cases(const QStringList& Good, const std::vector<TCase>& Cases)
  {
    for (const TCase& c : Cases) {
      SCOPED_TRACE(c.Name);
      this->Form->FormShow(nullptr);
      this->Dialogs->Requests.clear();
      for (int r = 1; r <= c.Rows; ++r)
        this->Set_Row(Grid(), r, Good);
      for (const TEdit& e : c.Edits)
        Grid()->SetCells(e.Col, e.Row, QString::fromUtf8(e.Text));
      this->Expect_Check(c.Message);
    }
  }

  // The fixture loads without a word, passes its check and OK writes it back byte for
  // byte, in a form xmllint accepts.
  void Expect_Round_Trip(const char* Fixture, const QString& File)
  {
    this->Use_Fixture(Fixture, File);
    const QByteArray before = Read_All(File);
    ASSERT_FALSE(before.isEmpty());
    EXPECT_EQ(this->Show([&] {
      EXPECT_TRUE(this->Messages().isEmpty()) << this->Messages().join(u'\n').toStdString();
      this->Form->Btn_OK->Click();
    }),
              mrOk);
    EXPECT_EQ(Read_All(File).toStdString(), before.toStdString());
    EXPECT_EQ(Xmllint_Failure(File), QString());
  }

  // A file of Rows + 8 copies of Row: the first Rows are shown, the count message names
  // the 8 left out, and OK asks before the file is replaced (No keeps it, Yes writes the
  // rows shown).
  void Expect_Rows_Left_Out(const QString& File, const QByteArray& Head, const QByteArray& Row, const QByteArray& Tail,
                            int Rows)
  {
    QByteArray all = Head, shown = Head;
    for (int i = 0; i < Rows + 8; ++i) {
      all += Row;
      if (i < Rows)
        shown += Row;
    }
    Write_All(File, all + Tail);
    this->Dialogs->Requests.clear();
    this->Show([&] {
      ASSERT_EQ(this->Messages().size(), 1);
      EXPECT_EQ(this->Messages().at(0), Lang_Str(Rule_Text_Rows_Not_Shown).arg(8).arg(this->Form->Desc().Root));
      EXPECT_FALSE(Grid()->Cells(this->Form->Desc().Grids[0].Key_Col, Rows).isEmpty());
      this->Dialogs->QueueResult(mrNo);
      this->Form->Btn_OK->Click();
      EXPECT_EQ(this->Dialogs->LastText(), Lang_Str(Rule_Text_Replace_Partial_File));
      EXPECT_EQ(this->Form->ModalResult(), mrNone);
      this->Dialogs->QueueResult(mrYes);
      this->Form->Btn_OK->Click();
      EXPECT_EQ(this->Form->ModalResult(), mrOk);
    });
    EXPECT_EQ(Read_All(File).toStdString(), QByteArray(shown + Tail).toStdString());
  }

  // The hint the grid's event gives for a cell.
  QString Hint_Of(int Row, int Col)
  {
    QString hint = QStringLiteral("cell text");
    Grid()->OnGridHint(Grid(), Row, Col, hint);
    return hint;
  }
};

// The saved form of a one-grid file: the root, the rows, the version comment.
inline QByteArray Saved_File(const char* Root, const QByteArray& Rows)
{
  const QByteArray root(Root);
  return (Rows.isEmpty() ? "<" + root + "/>" : "<" + root + ">" + Rows + "</" + root + ">") +
         "\r\n<!--SW_VERSION = 1.000-->\r\n";
}
