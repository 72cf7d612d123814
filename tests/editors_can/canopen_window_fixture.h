#pragma once
// A project folder, the CANopen texts and the dialog seam for the CANopen editor windows.

#include "editors_can/canopen_texts.h"
#include "editors_can/canopen_window.h"
#include "grid/column_grid.h"
#include "platform/ui/comctrls.h"
#include "common/lang_table.h"
#include "common/lb_button.h"

#include "support/file_bytes.h"
#include "support/rule_window_test.h"
#include "support/xmllint.h"

#include <QApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

template <typename Window>
class TCANopenWindowTest : public TRuleWindowTest<Window> {
protected:
  TCANopenWindowTest()
      : TRuleWindowTest<Window>({&PDO_Lang_Blocks, &SDO_Client_Lang_Blocks, &SDO_Server_Lang_Blocks}, "editors_can")
  {
  }

  // Each case fills rows 1 to 3 of grid G with its good row, replaces the listed cells of
  // row Row and runs the check: the one message it shows, or none.
  struct TCase {
    const char* Name;
    int G;
    int Row;
    std::vector<std::pair<int, const char*>> Cells;  // column, text
    const char* Message;                             // empty: the rows pass
  };
  void Run_Check_Cases(const std::vector<TCase>& Cases, const QStringList& Good0, const QStringList& Good1)
  {
    for (const TCase& c : Cases) {
      SCOPED_TRACE(c.Name);
      this->Form->FormShow(nullptr);
      this->Dialogs->Requests.clear();
      TKvStringGrid* g = this->Form->Grids[size_t(c.G)];
      for (int r = 1; r <= 3; ++r)
        this->Set_Row(g, r, c.G == 0 ? Good0 : Good1);
      for (const auto& [col, text] : c.Cells)
        g->SetCells(col, c.Row, QString::fromUtf8(text));
      // A failure leaves the page that was active.
      this->Form->PageControl1->SetActivePage(this->Form->Sheets[1]);
      this->Expect_Check(c.Message);
      EXPECT_EQ(this->Form->PageControl1->ActivePage(), this->Form->Sheets[1]);
    }
  }
};

// Rows of a section: N copies of Row.
inline QByteArray Repeat_Rows(const QByteArray& Row, int N)
{
  QByteArray out;
  for (int i = 0; i < N; ++i)
    out += Row;
  return out;
}
