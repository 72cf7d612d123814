// The part of the one-grid CAN-family editors that is not the frame's.

#include "editors_can/single_grid_editor.h"

#include "grid/kv_string_grid.h"

TRuleFile Single_Grid_File(const char* Root, TRuleGrid Grid)
{
  TRuleFile f;
  f.Root = QString::fromLatin1(Root);
  f.Version = QStringLiteral("1.000");
  f.Grids = {std::move(Grid)};
  return f;
}

TRuleGrid Untrimmed_Key_Grid(int Rows, int Key_Col, int Error_Prefix, std::vector<TRuleColumn> Columns)
{
  TRuleGrid g;
  g.Rows = Rows;
  g.Key_Col = Key_Col;
  g.Enable_Col = -1;
  g.Key_Untrimmed = true;
  g.Error_Prefix = Error_Prefix;
  g.Columns = std::move(Columns);
  return g;
}

TRuleEditorTexts Single_Grid_Texts(int Base, int Button_Hints, std::vector<int> Column_Hints, int Delete_Question)
{
  TRuleEditorTexts t;
  t.Base = Base;
  for (int i = 0; i < 6; ++i) {
    t.Buttons[size_t(i)] = Base + 2 + i;
    t.Button_Hints[size_t(i)] = Button_Hints + i;
  }
  t.Column_Hints = {std::move(Column_Hints)};
  t.Delete_Question = Delete_Question;
  t.Header_Hints_Only = true;
  return t;
}

std::vector<int> Text_Run(int First, int Count)
{
  std::vector<int> out;
  for (int k = 0; k < Count; ++k)
    out.push_back(First + k);
  return out;
}

TRuleColumn Guarded(int Header, const char* Attribute, int Width, TEditorType Kind, const char* Default,
                    QStringList Items)
{
  return Rule_Defaulted(Rule_Column(Header, Attribute, Width, clWhite, Kind, std::move(Items)), Default);
}

bool Cell_In_Range(TKvStringGrid* G, int Col, int Row, qint64 Low, qint64 High)
{
  const qint64 v = Rule_Int(G->Cells(Col, Row));
  return v >= Low && v <= High;
}

QStringList Position_Items(int Count)
{
  QStringList items;
  items.reserve(Count + 1);
  items << QStringLiteral("None");
  for (int p = 0; p < Count; ++p)
    items << QString::number(p);
  return items;
}
