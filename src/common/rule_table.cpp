// Clear, load, check and save of the rule grids from their description.

#include "common/rule_table.h"

#include "grid/column_grid.h"
#include "platform/core/sysutils.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/xml_load.h"

#include <QFileInfo>

namespace {

bool Is_Check_Col(const TRuleGrid& D, int Col)
{
  return Col >= 0 && Col < D.Col_Count() && D.Columns[size_t(Col)].Kind == edDataCheckBox;
}

QString Row_Where(int Row, const QString& Attribute)
{
  return QStringLiteral("row %1, attribute \"%2\"").arg(Row).arg(Attribute);
}

// The section element of a grid: the root itself, or the path below it. A missing one
// stops the load.
TXmlNode Find_Section(const TXmlNode& Root, const TRuleGrid& D, const QString& Path)
{
  TXmlNode node = Root;
  for (const QString& name : D.Section) {
    try {
      node = node.ChildByName(name);
    } catch (const Exception& E) {
      throw EXmlError(Load_Failure_Text(Path, QStringLiteral("section \"%1\"").arg(name), E.Message()));
    }
    if (node.IsNull())
      throw EXmlError(Load_Failure_Text(Path, QStringLiteral("section \"%1\"").arg(name),
                                        QStringLiteral("Element \"%1\" not found").arg(name)));
  }
  return node;
}

QString Section_Name(const TRuleGrid& D, const TRuleFile& F)
{
  return D.Section.isEmpty() ? F.Root : D.Section.join(u'/');
}

void Load_Grid(const TRuleFile& F, const TRuleGrid& D, TKvStringGrid* G, const TXmlNode& Root, const QString& Path,
               TRuleLoadState& State)
{
  TXmlNode section;
  try {
    section = Find_Section(Root, D, Path);
  } catch (const EXmlError&) {
    if (D.Optional_Section)
      return;
    throw;
  }
  const int count = section.ChildCount();
  const int shown = std::min(count, D.Rows);
  for (int i = 0; i < shown; ++i) {
    const TXmlNode row = section.Child(i);
    const int r = i + 1;
    for (int c = 1; c < D.Col_Count(); ++c) {
      const TRuleColumn& col = D.Columns[size_t(c)];
      if (col.Attribute.isEmpty())
        continue;
      QString text;
      bool present = true;
      if (col.Required) {
        try {
          text = row.Attribute(col.Attribute);
        } catch (const Exception& E) {
          throw EXmlError(Load_Failure_Text(Path, Section_Name(D, F) + QStringLiteral(", ") + Row_Where(r, col.Attribute),
                                            E.Message()));
        }
      } else {
        try {
          text = row.Attribute(col.Attribute);
        } catch (const Exception&) {
          present = false;
          text = col.Default;
        }
      }
      if (col.Load)
        text = col.Load(r, present, text);
      Set_Rule_Cell(D, G, c, r, text);
    }
    if (D.After_Row_Load)
      D.After_Row_Load(G, r, row);
  }
  if (count > shown)
    State.Rows_Left_Out.emplace_back(Section_Name(D, F), count - shown);
}

bool Default_Row_Enabled(const TRuleGrid& D, TKvStringGrid* G, int Row)
{
  if (D.Enable_Col < 0)
    return true;
  return Get_Rule_Cell(D, G, D.Enable_Col, Row).trimmed() == QLatin1String("Y");
}

}  // namespace

TRuleColumn Rule_Column(int Header, const char* Attribute, int Width, TColor Color, TEditorType Kind, QStringList Items)
{
  TRuleColumn c;
  c.Header = Header;
  c.Attribute = QString::fromLatin1(Attribute);
  c.Width = Width;
  c.Color = Color;
  c.Kind = Kind;
  c.Items = std::move(Items);
  return c;
}

TRuleColumn Rule_Defaulted(TRuleColumn Column, const char* Default)
{
  Column.Required = false;
  Column.Default = QString::fromLatin1(Default);
  return Column;
}

TRuleColumn Rule_Row_Number(int Header)
{
  TRuleColumn c;
  c.Header = Header;
  c.Width = 40;
  return c;
}

int TRuleGrid::Visible_Col_Count() const
{
  int n = 0;
  for (const TRuleColumn& c : Columns)
    if (!c.Hidden)
      ++n;
  return n;
}

int Rule_Int(const QString& Text, int Default)
{
  return StrToIntDef(Text, Default);
}

qint64 Rule_Int64(const QString& Text, qint64 Default)
{
  return StrToInt64Def(Text, Default);
}

QString Get_Rule_Cell(const TRuleGrid& D, TKvStringGrid* G, int Col, int Row)
{
  if (D.Check_Boxes && Is_Check_Col(D, Col)) {
    bool state = false;
    if (G->GetCheckBoxState(Col, Row, state))
      return state ? QStringLiteral("Y") : QStringLiteral("N");
  }
  return G->Cells(Col, Row);
}

void Set_Rule_Cell(const TRuleGrid& D, TKvStringGrid* G, int Col, int Row, const QString& Text)
{
  if (D.Check_Boxes && Is_Check_Col(D, Col) && G->HasCheckBox(Col, Row)) {
    G->SetCheckBoxState(Col, Row, Text == QLatin1String("Y"));
    return;
  }
  G->SetCells(Col, Row, Text);
}

void Setup_Rule_Grid(const TRuleGrid& D, TKvStringGrid* G)
{
  G->UnHideColumnsAll();
  auto* cg = dynamic_cast<TKvColumnGrid*>(G);
  if (cg)
    cg->SetColCount(D.Col_Count());  // the column grid keeps one item per column
  else
    G->SetColCount(D.Col_Count());
  G->SetRowCount(D.Rows + 1);
  G->SetFixedCols(1);
  G->SetFixedRows(1);
  G->SetDefaultRowHeight(22);
  for (int c = 0; c < D.Col_Count(); ++c) {
    const TRuleColumn& col = D.Columns[size_t(c)];
    const int width = c == 0 ? 40 : col.Width;  // the row numbers
    if (cg) {
      TGridColumnItem* item = cg->Columns()->Items(c);
      item->SetWidth(width);
      if (c > 0) {
        item->SetEditor(col.Kind);
        item->SetColor(col.Color);
      }
      Set_Column_Items(cg, c, col.Items);
      if (col.Kind == edDataCheckBox) {
        item->SetCheckTrue(QStringLiteral("Y"));
        item->SetCheckFalse(QStringLiteral("N"));
        item->SetAlignment(taCenter);
      }
    } else {
      G->SetColWidths(c, width);
      if (D.Check_Boxes && col.Kind == edDataCheckBox)
        G->AddCheckBoxColumn(c, false, false);
    }
  }
  for (int c = D.Col_Count() - 1; c > 0; --c)
    if (D.Columns[size_t(c)].Hidden)
      G->HideColumn(c);
}

void Paint_Rule_Rows(const TRuleGrid& D, TKvStringGrid* G)
{
  G->BeginUpdate();
  for (int r = 1; r <= D.Rows; ++r) {
    G->SetCells(0, r, QString::number(r));
    for (int c = 1; c < D.Col_Count(); ++c)
      G->SetColors(c, r, D.Columns[size_t(c)].Color);
    if (D.Enable_Col >= 0)
      G->SetAlignments(D.Enable_Col, r, taCenter);
  }
  G->EndUpdate();
}

void Set_Column_Items(TKvColumnGrid* G, int Col, const QStringList& Items)
{
  TStringList* list = G->Columns()->Items(Col)->ComboItems();
  list->BeginUpdate();
  list->Clear();
  for (const QString& s : Items)
    list->Add(s);
  list->EndUpdate();
}

void Clear_Rule_Grid(const TRuleGrid& D, TKvStringGrid* G)
{
  G->BeginUpdate();
  for (int r = 1; r <= D.Rows; ++r) {
    G->SetCells(0, r, QString::number(r));
    for (int c = 1; c < D.Col_Count(); ++c) {
      if (c == D.Enable_Col)
        Set_Rule_Cell(D, G, c, r, QStringLiteral("Y"));
      else if (D.Check_Boxes && Is_Check_Col(D, c))
        Set_Rule_Cell(D, G, c, r, QStringLiteral("N"));
      else
        G->SetCells(c, r, QString());
    }
  }
  G->EndUpdate();
}

void Load_Rule_File(const TRuleFile& F, const std::vector<TKvStringGrid*>& Grids, const QString& Path,
                    TRuleLoadState& State)
{
  State = TRuleLoadState{};
  if (!QFileInfo(Path).isFile())
    return;
  State.File_Found = true;
  try {
    TXmlDocument doc;
    doc.LoadFromFile(Path);
    const TXmlNode root = doc.Root();
    if (root.IsNull())
      throw EXmlError(Load_Failure_Text(Path, QString(), QStringLiteral("The file holds no element")));
    for (size_t g = 0; g < F.Grids.size() && g < Grids.size(); ++g)
      Load_Grid(F, F.Grids[g], Grids[g], root, Path, State);
  } catch (...) {
    State.Stopped = true;
    throw;
  }
}

bool Rule_Key_Empty(const TRuleGrid& D, TKvStringGrid* G, int Row)
{
  const auto empty = [&](int Col) {
    const QString key = Get_Rule_Cell(D, G, Col, Row);
    return D.Key_Untrimmed ? key.isEmpty() : key.trimmed().isEmpty();
  };
  return empty(D.Key_Col) && (D.Second_Key_Col < 0 || empty(D.Second_Key_Col));
}

int Rule_Table_End(const TRuleGrid& D, TKvStringGrid* G)
{
  if (D.Skip_Empty_Keys)
    return D.Rows + 1;
  for (int r = 1; r <= D.Rows; ++r)
    if (Rule_Key_Empty(D, G, r))
      return r;
  return D.Rows + 1;
}

bool Rule_Data_After_End(const TRuleGrid& D, TKvStringGrid* G)
{
  for (int r = Rule_Table_End(D, G); r <= D.Rows; ++r)
    for (int c = 1; c < D.Col_Count(); ++c)
      if (!Is_Check_Col(D, c) && !G->Cells(c, r).trimmed().isEmpty())
        return true;
  return false;
}

bool Check_Rule_Grids(const TRuleFile& F, const std::vector<TKvStringGrid*>& Grids)
{
  if (F.Start_Check)
    F.Start_Check();
  for (size_t g = 0; g < F.Grids.size() && g < Grids.size(); ++g) {
    const TRuleGrid& D = F.Grids[g];
    TKvStringGrid* G = Grids[g];
    const int end = Rule_Table_End(D, G);
    for (int r = 1; r < end; ++r) {
      if (D.Skip_Empty_Keys && Rule_Key_Empty(D, G, r))
        continue;
      const bool enabled = D.Row_Enabled ? D.Row_Enabled(G, r) : Default_Row_Enabled(D, G, r);
      if (!enabled || !D.Check_Row)
        continue;
      const TRuleFailure fail = D.Check_Row(G, r);
      if (fail) {
        if (fail.No_Row_Prefix)
          MessageDlg(Lang_Str(fail.Text) + fail.Limit, mtError, mbOK);
        else if (!fail.Silent)
          MessageDlg(Lang_Str(D.Error_Prefix) + QString::number(r) + Lang_Str(fail.Text) + fail.Limit, mtError, mbOK);
        return false;
      }
    }
  }
  return !F.Final_Check || F.Final_Check();
}

void Build_Rule_Document(const TRuleFile& F, const std::vector<TKvStringGrid*>& Grids, TXmlDocument& Doc)
{
  Doc.Clear();
  const TXmlNode root = Doc.AddChild(F.Root);
  Doc.AddComment(QStringLiteral("SW_VERSION = ") + F.Version);
  for (size_t g = 0; g < F.Grids.size() && g < Grids.size(); ++g) {
    const TRuleGrid& D = F.Grids[g];
    TKvStringGrid* G = Grids[g];
    TXmlNode section = root;
    for (int k = 0; k < D.Section.size(); ++k) {
      // Grids nested under one parent share it; each grid's own section is new.
      const TXmlNode shared = k + 1 < D.Section.size() ? section.ChildByName(D.Section.at(k)) : TXmlNode();
      section = shared ? shared : section.AddChild(D.Section.at(k));
    }
    const int end = Rule_Table_End(D, G);
    for (int r = 1; r < end; ++r) {
      if (D.Skip_Empty_Keys && Rule_Key_Empty(D, G, r))
        continue;
      TXmlNode row = section.AddChild(QStringLiteral("row"));
      for (int c = 1; c < D.Col_Count(); ++c) {
        const TRuleColumn& col = D.Columns[size_t(c)];
        if (col.Attribute.isEmpty())
          continue;
        const QString cell = Get_Rule_Cell(D, G, c, r);
        row.SetAttribute(col.Attribute, col.Save ? col.Save(r, cell) : cell);
      }
    }
  }
}

void Save_Rule_File(const TRuleFile& F, const std::vector<TKvStringGrid*>& Grids, const QString& Path)
{
  TXmlDocument doc;
  Build_Rule_Document(F, Grids, doc);
  doc.SaveToFile(Path);
}
