#pragma once
// Button pictures of the shell's windows; the windows' shared look comes with them.

#include "shell/common/window_look.h"

#include <QString>

class QByteArray;
class QImage;

// Loads a picture of the program folder's Pictures folder as the button's glyph;
// a missing picture leaves the button without one.
void Load_Button_Glyph(TLbButton* button, const QString& dirExe, const QString& file);

// An uncompressed 24-bit bitmap file; a null image for any other content.
QImage Read_Plain_Bmp(const QByteArray& data);
