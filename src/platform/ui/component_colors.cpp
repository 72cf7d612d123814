#include "platform/ui/component_colors.h"

void WriteColorProperty(TComponentWriter& Writer, const QString& Name, TColor Color)
{
    const QString text = ColorToString(Color);
    if (text.startsWith(QLatin1Char('$')))
        Writer.WriteInteger(Name, Color);
    else
        Writer.WriteIdent(Name, text);
}

TColor ColorFromValue(const TComponentValue& Value, const QString& Property)
{
    if (Value.Kind == TComponentValue::Ident) {
        TColor c;
        if (IdentToColor(Value.Str, c))
            return c;
        throw EReadError(QStringLiteral("Invalid property value for ") + Property + QStringLiteral(": ") + Value.Str);
    }
    return TColor(int32_t(Value.AsInteger(Property)));
}
