#include "editor_session.h"

#include "grid/grid_editor_controls.h"
#include "grid/kv_string_grid.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/forms.h"
#include "platform/core/sysutils.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/rule_editor_frame.h"
#include "common/working_state.h"

#include <QAbstractItemView>
#include <QApplication>

#include <pugixml.hpp>

namespace {

const QString Project_Name = QStringLiteral("Field");

QString Cell_Name(int Col, int Row) { return QStringLiteral("cell %1,%2").arg(Col).arg(Row); }

int Shown_Col(TE2eUser& U, TKvStringGrid* Grid, int Col)
{
    return U.Ui([&] { return Grid->RealToDisplColumn(Col); });
}

bool Wait_Text(TE2eUser& U, TKvStringGrid* Grid, int Col, int Row, const QString& Text)
{
    QString now;
    const bool ok = U.Wait(QStringLiteral("%1 to hold '%2'").arg(Cell_Name(Col, Row), Text), [&] {
        now = Grid->Cells(Col, Row);
        return now == Text;
    });
    if (!ok)
        ADD_FAILURE() << Cell_Name(Col, Row).toStdString() << " holds '" << now.toStdString() << "'";
    return ok;
}

}  // namespace

void TEditorSession::SetUp()
{
    TProgramSession::SetUp();
    Open_Project(Project_Name);
}

QString TEditorSession::Project_File(const QString& Name)
{
    return WS().Dir_Projects + QLatin1Char('/') + Project_Name + QLatin1Char('/') + Name;
}

void TEditorSession::Open_Editor(TE2eUser& U, TLbButton* Button, TForm* Window)
{
    Press_Hidden(U, Button);
    U.Wait_Shown(Window);
}

void TEditorSession::Show_Unreached(TE2eUser& U, TForm* Window)
{
    U.Post([Window] { TControl::Guard([Window] { Window->ShowModal(); }); });
    U.Wait_Shown(Window);
}

void TEditorSession::Type_Cell(TE2eUser& U, TKvStringGrid* Grid, int Col, int Row, const QString& Text)
{
    U.Click_Cell(Grid, Shown_Col(U, Grid, Col), Row);
    U.Type(Text);
    U.Keys(QStringLiteral("Return"));
    Wait_Text(U, Grid, Col, Row, Text);
}

void TEditorSession::Pick_Cell(TE2eUser& U, TKvStringGrid* Grid, int Col, int Row, const QString& Item)
{
    const int shown = Shown_Col(U, Grid, Col);
    U.Click_Cell(Grid, shown, Row);
    U.Click_Cell(Grid, shown, Row);
    U.Wait(QStringLiteral("the list editor of %1").arg(Cell_Name(Col, Row)),
           [Grid] { return Grid->EditMode && Grid->EditCombo()->isVisible(); });
    U.Keys(QStringLiteral("alt+Down"));
    QRect item;
    U.Wait(QStringLiteral("'%1' shown in the dropped list").arg(Item), [&] {
        QWidget* popup = QApplication::activePopupWidget();
        auto* view = popup ? popup->findChild<QAbstractItemView*>() : nullptr;
        if (!view || !view->isVisible())
            return false;
        const QModelIndexList found =
            view->model()->match(view->model()->index(0, 0), Qt::DisplayRole, Item, 1, Qt::MatchExactly);
        if (found.isEmpty())
            return false;
        const QRect r = view->visualRect(found.front());
        if (!view->viewport()->rect().contains(r))
            return false;
        item = QRect(view->viewport()->mapToGlobal(r.topLeft()), r.size());
        return true;
    });
    if (item.isEmpty())
        return;
    U.Click_At(item.center());
    Wait_Text(U, Grid, Col, Row, Item);
}

void TEditorSession::Type_List_Cell(TE2eUser& U, TKvStringGrid* Grid, int Col, int Row, const QString& Item)
{
    U.Click_Cell(Grid, Shown_Col(U, Grid, Col), Row);
    U.Type(Item);
    U.Keys(QStringLiteral("Return"));
    Wait_Text(U, Grid, Col, Row, Item);
}

void TEditorSession::Tick_Cell(TE2eUser& U, TKvStringGrid* Grid, int Col, int Row, const QString& To)
{
    U.Click_Cell(Grid, Shown_Col(U, Grid, Col), Row);
    Wait_Text(U, Grid, Col, Row, To);
}

void TEditorSession::Row_Command(TE2eUser& U, TKvStringGrid* Grid, int Col, int Row, TLbButton* Command)
{
    U.Click_Cell(Grid, Shown_Col(U, Grid, Col), Row);
    U.Wait(QStringLiteral("row %1 current").arg(Row), [&] { return Grid->Row() == Row; });
    U.Click(Command);
}

void TEditorSession::Fill_Row(TE2eUser& U, TKvStringGrid* Grid, int Row, const std::vector<TCell_Entry>& Cells)
{
    for (const TCell_Entry& c : Cells) {
        switch (c.Kind) {
        case TCell_Entry::Text: Type_Cell(U, Grid, c.Col, Row, c.Value); break;
        case TCell_Entry::Pick: Pick_Cell(U, Grid, c.Col, Row, c.Value); break;
        case TCell_Entry::Typed_Item: Type_List_Cell(U, Grid, c.Col, Row, c.Value); break;
        case TCell_Entry::Tick: Tick_Cell(U, Grid, c.Col, Row, c.Value); break;
        }
    }
}

void TEditorSession::Delete_Row(TE2eUser& U, TRuleEditorFrame* Window, TKvStringGrid* Grid, int Row)
{
    const QString question = U.Ui([Window, Row] {
        const TRuleEditorTexts& t = Window->Texts();
        return t.Delete_Question_Format ? Format(Lang_Str(t.Delete_Question), {Row})
                                        : Lang_Str(t.Delete_Question) + QString::number(Row);
    });
    Row_Command(U, Grid, 0, Row, Window->Btn_DelRow);
    EXPECT_EQ(U.Message_Text(), question);
    U.Answer(QStringLiteral("Yes"));
}

void TEditorSession::Use_Row_Commands(TE2eUser& U, TRuleEditorFrame* Window, TKvStringGrid* Grid,
                                      const QString& Rule, const QString& Inserted)
{
    Wait_Row(U, Grid, 1, Rule);
    const bool copies = U.Ui([Window] { return Window->Btn_CopyRow->Visible() && Window->Btn_PasteRow->Visible(); });
    if (copies) {
        Row_Command(U, Grid, 0, 1, Window->Btn_CopyRow);
        Row_Command(U, Grid, 0, 2, Window->Btn_PasteRow);
        Wait_Row(U, Grid, 2, Rule);
    }
    const QString second = Row_Text(U, Grid, 2);
    Row_Command(U, Grid, 0, 1, Window->Btn_InsRow);
    Wait_Row(U, Grid, 1, Inserted);
    Wait_Row(U, Grid, 2, Rule);
    Delete_Row(U, Window, Grid, 1);
    Wait_Row(U, Grid, 1, Rule);
    Wait_Row(U, Grid, 2, second);
}

QString TEditorSession::Row_Text(TE2eUser& U, TKvStringGrid* Grid, int Row)
{
    return U.Ui([&] {
        QStringList cells;
        for (int c = 1; c < Grid->AllColCount(); ++c)
            cells << Grid->Cells(c, Row);
        return cells.join(QLatin1Char('|'));
    });
}

bool TEditorSession::Wait_Row(TE2eUser& U, TKvStringGrid* Grid, int Row, const QString& Text)
{
    QString now;
    const bool ok = U.Wait(QStringLiteral("row %1 to hold '%2'").arg(Row).arg(Text), [&] {
        now = Row_Text(U, Grid, Row);
        return now == Text;
    });
    if (!ok)
        ADD_FAILURE() << "row " << Row << " holds '" << now.toStdString() << "'";
    return ok;
}

void TEditorSession::Press_OK(TE2eUser& U, TForm* Window, TLbButton* OK)
{
    U.Click(OK);
    U.Wait_Hidden(Window);
}

QStringList TEditorSession::Saved_Rows(const QString& File, const QStringList& Section)
{
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_file(File.toLocal8Bit().constData());
    EXPECT_TRUE(parsed) << File.toStdString() << ": " << parsed.description();
    pugi::xml_node node = doc.first_child();
    for (const QString& name : Section)
        node = node.child(name.toUtf8().constData());
    EXPECT_TRUE(node) << File.toStdString() << " has no " << Section.join(QLatin1Char('/')).toStdString();
    QStringList rows;
    for (pugi::xml_node row : node.children()) {
        QStringList attributes;
        for (pugi::xml_attribute a : row.attributes())
            attributes << QString::fromUtf8(a.name()) + QLatin1Char('=') + QString::fromUtf8(a.value());
        rows << attributes.join(QLatin1Char(' '));
    }
    return rows;
}
