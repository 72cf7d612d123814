#pragma once
// Program start: every window of the program, created once in its fixed order with the
// main window first, and destroyed together at the end.

#include <QStringList>

// Registers the windows' text blocks and creates the 42 windows in their order. The
// main window's creation handler builds the working state and the text table before
// any other window exists.
void Create_Program_Windows();

// Destroys the windows (last created first) and clears their instance pointers.
void Destroy_Program_Windows();

// Class names of the created windows, in creation order.
QStringList Program_Window_Classes();
