#pragma once
// Colours in the component stream: written as the platform's colour name where the value
// has one ("clWindow"), else as an integer; read back from either form.
#include "platform/core/component_stream.h"
#include "platform/ui/graphics.h"

void WriteColorProperty(TComponentWriter& Writer, const QString& Name, TColor Color);
// Raises EReadError naming the property for an unknown name or another kind of value.
TColor ColorFromValue(const TComponentValue& Value, const QString& Property);
