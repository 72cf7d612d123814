#pragma once
// A user's mouse and keys on a grid in a shown window, for the typed end-to-end tests.

#include "grid/kv_string_grid.h"

#include <QApplication>
#include <QTest>

// A click (or a double click) in the middle of a displayed cell.
inline void Click_Cell(TKvStringGrid* g, int c, int r, bool twice = false)
{
    // A user scrolls the cell into view before clicking it.
    g->ScrollInView(c, r);
    const TRect rc = g->CellRect(c, r);
    const QPoint p((rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2);
    QTest::mouseClick(g, Qt::LeftButton, Qt::NoModifier, p);
    if (twice) {
        // A real double click reaches a widget as press, release, double click, release;
        // QTest's own double click sends the third event alone, so the first press that
        // makes the cell current would be missing.
        QTest::mouseDClick(g, Qt::LeftButton, Qt::NoModifier, p);
        QTest::mouseRelease(g, Qt::LeftButton, Qt::NoModifier, p);
    }
    QApplication::processEvents();
}

// Selects a displayed cell, opens its editor with F2, types the text over it and ends
// with Enter.
inline void Type_In_Cell(TKvStringGrid* g, int c, int r, const QString& text)
{
    g->FocusCell(c, r);
    g->SetFocus();
    QApplication::processEvents();
    QTest::keyClick(g, Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget() ? QApplication::focusWidget() : static_cast<QWidget*>(g);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
}
