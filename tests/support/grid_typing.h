#pragma once
// Typing into a grid of a shown window as a user would, through Qt's test input.

#include "grid/kv_string_grid.h"

#include <QApplication>
#include <QString>
#include <QtTest/QTest>

// The widget that takes the keys: the open in-place editor, else the grid.
inline QWidget* Focus(TKvStringGrid* g)
{
  return QApplication::focusWidget() ? QApplication::focusWidget() : static_cast<QWidget*>(g);
}

// Types text into the cell and ends it with Enter.
inline void Type_Cell(TKvStringGrid* g, int col, int row, const QString& text)
{
  g->FocusCell(col, row);
  // Key by key to the focused widget: the first key opens the editor, which takes the rest.
  for (const QChar ch : text) QTest::keyClicks(Focus(g), QString(ch));
  QTest::keyClick(Focus(g), Qt::Key_Return);
  QApplication::processEvents();
}

// Opens the cell's drop-down list with F2, walks down `downs` items from the top and
// takes the item with Enter. The grid takes the focus first, as the user's click on it
// would give it (a grid on a page just shown does not have it).
inline void Pick(TKvStringGrid* g, int col, int row, int downs)
{
  g->SetFocus();
  QApplication::processEvents();
  g->FocusCell(col, row);
  QTest::keyClick(Focus(g), Qt::Key_F2);
  QTest::keyClick(Focus(g), Qt::Key_Home);
  for (int i = 0; i < downs; ++i)
    QTest::keyClick(Focus(g), Qt::Key_Down);
  QTest::keyClick(Focus(g), Qt::Key_Return);
  QApplication::processEvents();
}
