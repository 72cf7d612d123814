#include "platform/ui/component_colors.h"

#include <gtest/gtest.h>

TEST(ComponentColors, NamedColoursTravelAsIdentifiersOthersAsIntegers)
{
    std::vector<uint8_t> out;
    TComponentWriter w(out);
    w.BeginRecord(QStringLiteral("T"));
    WriteColorProperty(w, QStringLiteral("A"), clWindow);
    WriteColorProperty(w, QStringLiteral("B"), clRed);
    WriteColorProperty(w, QStringLiteral("C"), TColor(0x123456));
    WriteColorProperty(w, QStringLiteral("D"), clNone);
    w.EndRecord();
    const TComponentRecord r = TComponentReader(out).ReadRecord();
    EXPECT_EQ(r.Properties[0].Value.Kind, TComponentValue::Ident);
    EXPECT_EQ(r.Properties[0].Value.Str, QStringLiteral("clWindow"));
    EXPECT_EQ(r.Properties[2].Value.Kind, TComponentValue::Integer);
    const TColor expected[] = {clWindow, clRed, TColor(0x123456), clNone};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(ColorFromValue(r.Properties[i].Value, r.Properties[i].Name), expected[i]) << i;

    TComponentValue bad;
    bad.Kind = TComponentValue::Ident;
    bad.Str = QStringLiteral("clNoSuchColour");
    EXPECT_THROW(ColorFromValue(bad, QStringLiteral("X")), EReadError);
    TComponentValue text;
    text.Kind = TComponentValue::String;
    EXPECT_THROW(ColorFromValue(text, QStringLiteral("X")), EReadError);
}
