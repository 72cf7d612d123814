#include "editor_user.h"

#include "e2e_places.h"

#include "grid/kv_string_grid.h"
#include "platform/core/exceptions.h"
#include "platform/core/xml.h"
#include "platform/ui/forms.h"
#include "common/lb_button.h"
#include "common/working_state.h"
#include "shell/main_window.h"

#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

// The cell's rectangle in the grid's client area when it is wholly shown, else empty
// (the grid's rectangle of a cell is empty out of view and cut at the client's edge).
QRect Shown_Cell(TKvStringGrid* Grid, int Col, int Row)
{
  const TRect c = Grid->TCustomGrid::CellRect(Col, Row);
  if (c.Width() != Grid->ColWidths(Col) || c.Height() != Grid->RowHeights(Row))
    return QRect();
  return QRect(c.Left, c.Top, c.Width(), c.Height());
}

}  // namespace

void TIndustrialEditorSession::SetUp()
{
  TProgramSession::SetUp();
  Open_Project(QStringLiteral("Plant"));
}

QString TIndustrialEditorSession::Project_Dir()
{
  return WS().Dir_Projects + QStringLiteral("/Plant");
}

void TIndustrialEditorSession::Open_Window(TE2eUser& User, TLbButton* Step, const TForm* Window)
{
  User.Wait_Shown(FKalvoraFirmWare);
  Press_Hidden(User, Step);
  User.Wait_Shown(Window);
}

void TIndustrialEditorSession::Close_With(TE2eUser& User, TLbButton* Button, const TForm* Window, const QWidget* Back)
{
  User.Click(Button);
  User.Wait_Hidden(Window);
  if (Back)
    Back_To(User, Back);
}

void TIndustrialEditorSession::Back_To(TE2eUser& User, const QWidget* Window)
{
  User.Wait_Shown(Window);
}

void TIndustrialEditorSession::Scroll_To_Cell(TE2eUser& User, TKvStringGrid* Grid, int Col, int Row)
{
  for (int step = 0; step < 200; ++step) {
    struct TWhere {
      bool Shown;
      int Bar;        // 0 horizontal, 1 vertical
      bool Forward;
      QRect Bar_Rect;
    };
    const TWhere w = User.Ui([&] {
      TWhere r{!Shown_Cell(Grid, Col, Row).isEmpty(), 0, true, QRect()};
      if (r.Shown)
        return r;
      const TRect c = Grid->TCustomGrid::CellRect(Col, Row);
      const bool colOut = Col >= Grid->FixedCols() && c.Width() != Grid->ColWidths(Col);
      r.Bar = colOut ? 0 : 1;
      r.Forward = colOut ? Col >= Grid->LeftCol() : Row >= Grid->TopRow();
      if (QScrollBar* b = Grid->ScrollBarWidget(r.Bar); b && b->isVisible())
        r.Bar_Rect = QRect(b->mapToGlobal(QPoint(0, 0)), b->size());
      return r;
    });
    if (w.Shown)
      return;
    ASSERT_FALSE(w.Bar_Rect.isEmpty()) << "cell " << Col << "," << Row << " is off screen and the grid has no scroll bar";
    // The bar's arrow buttons are as long as the bar is thick.
    const QRect& b = w.Bar_Rect;
    const int arrow = (w.Bar == 0 ? b.height() : b.width()) / 2;
    const QPoint at = w.Bar == 0 ? (w.Forward ? QPoint(b.right() - arrow, b.center().y()) : QPoint(b.left() + arrow, b.center().y()))
                                 : (w.Forward ? QPoint(b.center().x(), b.bottom() - arrow) : QPoint(b.center().x(), b.top() + arrow));
    User.Click_At(at);
    User.Sync();
  }
  ADD_FAILURE() << "the scroll bars never showed cell " << Col << "," << Row;
}

void TIndustrialEditorSession::Type_Cell(TE2eUser& User, TKvStringGrid* Grid, int Col, int Row, const QString& Text,
                               const QString& Expected)
{
  Scroll_To_Cell(User, Grid, Col, Row);
  User.Click_Cell(Grid, Col, Row);
  User.Type(Text);
  User.Keys(QStringLiteral("Return"));
  const QString want = Expected.isNull() ? Text : Expected;
  if (!User.Wait(QStringLiteral("'%1' in cell %2,%3").arg(want).arg(Col).arg(Row),
                 [&] { return Grid->Cells(Grid->RealColIndex(Col), Row) == want && !Grid->EditorMode(); })) {
    ADD_FAILURE() << "the cell holds '" << Cell(User, Grid, Grid->RealColIndex(Col), Row).toStdString() << "'";
    User.Snapshot(Grid, QStringLiteral("failed-%1-%2").arg(Col).arg(Row));
  }
}

void TIndustrialEditorSession::Pick_Cell(TE2eUser& User, TKvStringGrid* Grid, int Col, int Row, const QString& Item)
{
  Scroll_To_Cell(User, Grid, Col, Row);
  const QRect cell = User.Cell_Rect(Grid, Col, Row);
  User.Click_At(cell.center());
  // The list's arrow sits at the cell's right end; a user whose click did not open the
  // list clicks the arrow again.
  for (int click = 0; click < 3 && !Popup_Shown(User); ++click) {
    User.Click_At(QPoint(cell.right() - 6, cell.center().y()));
    User.Sync();
  }
  Pick_From_Popup(User, Item);
  // Return confirms the pick where the list's editor is still open.
  if (User.Ui([Grid] { return Grid->EditorMode(); }))
    User.Keys(QStringLiteral("Return"));
  User.Wait(QStringLiteral("'%1' picked into cell %2,%3 of %4").arg(Item).arg(Col).arg(Row).arg(Grid->objectName()),
            [&] { return Grid->Cells(Grid->RealColIndex(Col), Row) == Item; });
}

bool TIndustrialEditorSession::Checked(TE2eUser& User, TKvStringGrid* Grid, int Col, int Row)
{
  return User.Ui([&] {
    bool state = false;
    if (Grid->GetCheckBoxState(Grid->RealColIndex(Col), Row, state))
      return state;
    return Grid->Cells(Grid->RealColIndex(Col), Row) == QLatin1String("Y");
  });
}

void TIndustrialEditorSession::Click_Check(TE2eUser& User, TKvStringGrid* Grid, int Col, int Row)
{
  Scroll_To_Cell(User, Grid, Col, Row);
  const bool before = Checked(User, Grid, Col, Row);
  User.Click_Cell(Grid, Col, Row);
  User.Wait(QStringLiteral("the box in cell %1,%2 of %3 to turn").arg(Col).arg(Row).arg(Grid->objectName()), [&] {
    bool state = false;
    if (Grid->GetCheckBoxState(Grid->RealColIndex(Col), Row, state))
      return state != before;
    return (Grid->Cells(Grid->RealColIndex(Col), Row) == QLatin1String("Y")) != before;
  });
}

QString TIndustrialEditorSession::Cell(TE2eUser& User, TKvStringGrid* Grid, int Col, int Row)
{
  return User.Ui([&] { return Grid->Cells(Col, Row); });
}

void TIndustrialEditorSession::Select_Row(TE2eUser& User, TKvStringGrid* Grid, int Row)
{
  Scroll_To_Cell(User, Grid, 0, Row);
  User.Click_Cell(Grid, 0, Row);
  User.Wait(QStringLiteral("row %1 of %2 current").arg(Row).arg(Grid->objectName()), [&] { return Grid->Row() == Row; });
}

QString TIndustrialEditorSession::Answer_After(TE2eUser& User, TLbButton* Button, const QString& Answer)
{
  User.Click(Button);
  const QString text = User.Message_Text();
  User.Answer(Answer);
  Back_To(User, Button->window());
  return text;
}

std::vector<TSaved_Row> Saved_Rows(const QString& File, const QStringList& Path)
{
  std::vector<TSaved_Row> rows;
  try {
    TXmlDocument doc;
    doc.LoadFromFile(File);
    TXmlNode node = doc.Root();
    for (const QString& name : Path)
      node = node.ChildByName(name);
    for (const TXmlNode& row : node.ChildElements()) {
      TSaved_Row r;
      for (int a = 0; a < row.AttributeCount(); ++a)
        r[row.AttributeName(a)] = row.AttributeValue(a);
      rows.push_back(r);
    }
  } catch (const Exception& e) {
    ADD_FAILURE() << "reading " << File.toStdString() << ": " << e.Message().toStdString();
  }
  return rows;
}

bool Well_Formed_Xml(const QString& File)
{
  try {
    TXmlDocument doc;
    doc.LoadFromFile(File);
    return !doc.IsEmpty();
  } catch (const Exception&) {
    return false;
  }
}
