#pragma once
// Where the parts of list-like controls are on screen, for the user to click them: a
// page's tab, a list box line, a tree node, and an item of the drop-down list that is
// open (a combo box's list, the grid's list cells). Each comes from the control's own
// geometry on the program's thread; an empty rectangle means the part is not on screen.

#include <QRect>
#include <QString>

class TCustomListBox;
class TE2eUser;
class TPageControl;
class TTreeNode;
class TTreeView;

QRect Tab_Rect(TE2eUser& User, TPageControl* Pages, int Index);
QRect List_Item_Rect(TE2eUser& User, TCustomListBox* List, int Index);
QRect Tree_Node_Rect(TE2eUser& User, TTreeView* Tree, TTreeNode* Node);

// The item Text of the drop-down list on screen; waits for the list to open. Empty when
// the list holds no such item or shows it only after scrolling.
QRect Popup_Item_Rect(TE2eUser& User, const QString& Text);
// Whether a drop-down list is open.
bool Popup_Shown(TE2eUser& User);

// The user clicks a page's tab and waits until the page is the active one.
void Click_Tab(TE2eUser& User, TPageControl* Pages, int Index);
// The user clicks item Text of the drop-down list that is open (or opening) and waits
// until the list has closed.
void Pick_From_Popup(TE2eUser& User, const QString& Text);
