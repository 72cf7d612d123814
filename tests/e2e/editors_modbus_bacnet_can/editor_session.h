#pragma once
// What a user does in a rule editor window of the field-bus editors, through the X
// server: open the window from the main window, type into text cells, choose in list
// cells, tick check boxes, press the row commands and read back what the window and the
// saved project file hold.
//
// Columns are real columns (hidden ones counted), as the project file's attributes
// follow them; the steps click where the column is shown.

#include "program_session.h"

#include "common/working_state.h"

#include <QString>
#include <QStringList>

#include <vector>

class TForm;
class TKvStringGrid;
class TLbButton;
class TRuleEditorFrame;
class TTabSheet;

// One cell of a rule as the user enters it.
struct TCell_Entry {
    enum TKind { Text, Pick, Typed_Item, Tick };
    int Col;
    TKind Kind;
    QString Value;  // the text, the item, or the box's text after the click ("Y", "N")
};

class TEditorSession : public TProgramSession {
protected:
    // A project of the test's own, opened at start (before the first Run).
    void SetUp() override;

    // The project folder's file of that name.
    static QString Project_File(const QString& Name);

    // Opens an editor with its (hidden) main-window button and waits until it is shown.
    static void Open_Editor(TE2eUser& U, TLbButton* Button, TForm* Window);
    // Shows a window that no code of the program opens, modally, as the program shows
    // its editors; the user goes on at once.
    static void Show_Unreached(TE2eUser& U, TForm* Window);

    // Clicks the cell and types the text at full speed, ending with Return; waits until
    // the cell holds it.
    static void Type_Cell(TE2eUser& U, TKvStringGrid* Grid, int Col, int Row, const QString& Text);
    // Opens the cell's list (a click on the cell, a second on the current cell, the
    // list dropped with alt+Down) and clicks the item; waits until the cell holds it.
    static void Pick_Cell(TE2eUser& U, TKvStringGrid* Grid, int Col, int Row, const QString& Item);
    // Chooses a list item with the keyboard: a click on the cell, the item's text typed,
    // Return; waits until the cell holds it.
    static void Type_List_Cell(TE2eUser& U, TKvStringGrid* Grid, int Col, int Row, const QString& Item);
    // Clicks the cell's check box and waits until its text is To ("Y" or "N").
    static void Tick_Cell(TE2eUser& U, TKvStringGrid* Grid, int Col, int Row, const QString& To);

    // Enters the cells of a row in their order: Text with Type_Cell, Pick with Pick_Cell,
    // Typed_Item with Type_List_Cell, Tick with Tick_Cell.
    static void Fill_Row(TE2eUser& U, TKvStringGrid* Grid, int Row, const std::vector<TCell_Entry>& Cells);

    // Presses a row command on the current cell's row after a click on Col, Row.
    static void Row_Command(TE2eUser& U, TKvStringGrid* Grid, int Col, int Row, TLbButton* Command);
    // Delete Row on that row, its question (the window's own, with the row number)
    // answered Yes.
    static void Delete_Row(TE2eUser& U, TRuleEditorFrame* Window, TKvStringGrid* Grid, int Row);
    // The row commands on a rule typed into row 1, which holds Rule (Row_Text's form):
    // Copy Row and Paste Row into row 2 where the window offers them, Insert Row before
    // row 1 (the new row holds Inserted), Delete Row of that row; row 1 holds the rule
    // again at the end, row 2 its copy.
    static void Use_Row_Commands(TE2eUser& U, TRuleEditorFrame* Window, TKvStringGrid* Grid, const QString& Rule,
                                 const QString& Inserted);

    // Cells 1 .. last real column of a row, joined by "|".
    static QString Row_Text(TE2eUser& U, TKvStringGrid* Grid, int Row);
    // Waits until a row holds the text (Row_Text's form).
    static bool Wait_Row(TE2eUser& U, TKvStringGrid* Grid, int Row, const QString& Text);
    // Clicks OK and waits until the window closes.
    static void Press_OK(TE2eUser& U, TForm* Window, TLbButton* OK);

    // The rows of a saved project file's section (element names from the root down; an
    // empty path: the root's own children), each as its attributes "name=value" in their
    // order, joined by " ".
    static QStringList Saved_Rows(const QString& File, const QStringList& Section);
};
