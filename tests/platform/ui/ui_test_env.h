#pragma once
// Shared set-up of the platform UI tests: Fusion style, font substitutions and
// the registered test font.
#include <QtCore/QString>

// Family name of the font registered for pixel tests.
QString TestFontFamily();
