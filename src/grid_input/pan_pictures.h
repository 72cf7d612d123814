#pragma once
// The pictures of wheel panning, drawn by the program: the pan markers shown at
// the panning origin ("INTLI1" both directions, "INTLI2" horizontal, "INTLI3"
// vertical; 26 x 26 on a red key colour) and the panning cursors 8000 .. 8008
// (32 x 32, hot spot at the top-left corner).

#include <QImage>
#include <QString>

// Directions 0 vertical, 1 horizontal, 2 both (the grid's IntelliPan order).
QString PanMarkerName(int IntelliPan);
QImage PanMarkerImage(const QString& Name);
// 8000 neutral, 8001 down, 8002 left, 8003 right, 8004 up, 8005 up-right,
// 8006 up-left, 8007 down-right, 8008 down-left.
QImage PanCursorImage(int Id);
// Registers the markers as resource images and the cursors with the screen, once.
void RegisterPanPictures();
