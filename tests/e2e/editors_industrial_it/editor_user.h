#pragma once
// What a user does in the rule editors of the industrial and IT protocols, through the X
// server: opens a window behind its step button, types into grid cells, picks from their
// lists, ticks their boxes and answers the questions; and what the tests read back from
// the files those windows and writers save.

#include "program_session.h"

#include "common/working_state.h"

#include <QString>
#include <QStringList>

#include <map>
#include <ostream>
#include <vector>

class QWidget;
class TForm;
class TKvStringGrid;
class TLbButton;

// A project "Plant" that the program opens at start, as after step 1, and what its user
// does in the editors.
class TIndustrialEditorSession : public TProgramSession {
protected:
  void SetUp() override;
  // The project's folder.
  static QString Project_Dir();

  // Presses the hidden step button and waits until its window is on screen.
  static void Open_Window(TE2eUser& User, TLbButton* Step, const TForm* Window);
  // Clicks the window's button and waits until the window has closed; then the user goes
  // on in Back, when given (Back_To).
  static void Close_With(TE2eUser& User, TLbButton* Button, const TForm* Window, const QWidget* Back = nullptr);
  // Makes Window, which a closed message box or dialog laid open again, the active window.
  static void Back_To(TE2eUser& User, const QWidget* Window);

  // Scrolls the grid with its scroll bars' arrows until the cell is wholly on screen.
  static void Scroll_To_Cell(TE2eUser& User, TKvStringGrid* Grid, int Col, int Row);
  // Clicks the cell, types Text and presses Return; waits until the cell holds Expected
  // (Text when not given). Works for text cells and for list cells (the list takes the
  // typed letters).
  static void Type_Cell(TE2eUser& User, TKvStringGrid* Grid, int Col, int Row, const QString& Text,
                        const QString& Expected = QString());
  // Clicks the cell, opens its drop-down list with the list's arrow, clicks Item and
  // confirms it with Return; waits until the cell holds it.
  static void Pick_Cell(TE2eUser& User, TKvStringGrid* Grid, int Col, int Row, const QString& Item);
  // Clicks a check-box cell and waits until its state has turned.
  static void Click_Check(TE2eUser& User, TKvStringGrid* Grid, int Col, int Row);
  // Whether a check-box cell is ticked ("Y" in a column grid, the box's state in a
  // string grid).
  static bool Checked(TE2eUser& User, TKvStringGrid* Grid, int Col, int Row);
  // The cell's text, read on the program's thread.
  static QString Cell(TE2eUser& User, TKvStringGrid* Grid, int Col, int Row);
  // Makes a rule row current by clicking its row number.
  static void Select_Row(TE2eUser& User, TKvStringGrid* Grid, int Row);
  // Clicks Button and answers the question it asks with Answer; returns the question.
  // The user goes on in Button's window.
  static QString Answer_After(TE2eUser& User, TLbButton* Button, const QString& Answer);
};

// The attributes of every element under the path of element names below the saved
// file's root (an empty path: the root's own children), in file order.
struct TSaved_Row : std::map<QString, QString> {
  using std::map<QString, QString>::map;
  // The attribute's value; empty when the row has no such attribute.
  QString value(const QString& Name) const
  {
    const auto i = find(Name);
    return i == end() ? QString() : i->second;
  }
};
std::vector<TSaved_Row> Saved_Rows(const QString& File, const QStringList& Path = {});
// Whether the file is well-formed XML.
bool Well_Formed_Xml(const QString& File);
