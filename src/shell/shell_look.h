#pragma once
// Button pictures of the shell's windows; the windows' shared look comes with them.

#include "common/window_look.h"

#include <QString>

class QByteArray;
class QImage;

// The windows' pictures are compiled into the program (":/Pictures/<file>"), so a
// program copied without any folder beside it still shows them.
// The picture file's bytes; empty when there is no such picture.
QByteArray Program_Picture(const QString& file);
// Loads one of the program's pictures as the button's glyph; an unknown name leaves
// the button without one.
void Load_Button_Glyph(TLbButton* button, const QString& file);

// An uncompressed 24-bit bitmap file; a null image for any other content.
QImage Read_Plain_Bmp(const QByteArray& data);
