#include "platform/core/component_stream.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace {

std::vector<uint8_t> Hex(const char* S)
{
    std::vector<uint8_t> out;
    for (const QString& b : QString::fromLatin1(S).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        out.push_back(uint8_t(b.toUInt(nullptr, 16)));
    return out;
}

// One property in a record of its own, and the bytes of its value (after the name).
std::vector<uint8_t> ValueBytes(const std::function<void(TComponentWriter&)>& Write)
{
    std::vector<uint8_t> out;
    TComponentWriter w(out);
    Write(w);
    // The property name "P" takes two bytes.
    return std::vector<uint8_t>(out.begin() + 2, out.end());
}

TComponentValue RoundTrip(const std::function<void(TComponentWriter&)>& Write)
{
    std::vector<uint8_t> out;
    TComponentWriter w(out);
    w.BeginRecord(QStringLiteral("TX"));
    Write(w);
    w.EndRecord();
    TComponentReader r(out);
    const TComponentRecord rec = r.ReadRecord();
    EXPECT_EQ(r.Remaining(), 0u);
    EXPECT_EQ(rec.Properties.size(), 1u);
    return rec.Properties.at(0).Value;
}

double Bits(uint64_t B)
{
    double d;
    std::memcpy(&d, &B, 8);
    return d;
}

}  // namespace

TEST(ComponentStream, ARecordIsWrittenByteForByte)
{
    std::vector<uint8_t> out;
    TComponentWriter w(out);
    w.BeginRecord(QStringLiteral("TGridCellIO"));
    w.WriteInteger(QStringLiteral("Col"), 5);
    w.WriteInteger(QStringLiteral("Row"), 300);
    w.WriteString(QStringLiteral("Cell"), QStringLiteral("a b"));
    w.WriteBoolean(QStringLiteral("HasProp"), true);
    w.EndRecord();
    EXPECT_EQ(out, Hex("54 50 46 30 0B 54 47 72 69 64 43 65 6C 6C 49 4F 00 "
                       "03 43 6F 6C 02 05 "
                       "03 52 6F 77 03 2C 01 "
                       "04 43 65 6C 6C 06 03 61 20 62 "
                       "07 48 61 73 50 72 6F 70 09 "
                       "00 00"));
    TComponentReader r(out);
    const TComponentRecord rec = r.ReadRecord();
    EXPECT_EQ(rec.ClassName, QStringLiteral("TGridCellIO"));
    EXPECT_TRUE(rec.Name.isEmpty());
    ASSERT_EQ(rec.Properties.size(), 4u);
    EXPECT_EQ(rec.Find(QStringLiteral("Row"))->AsInteger(QStringLiteral("Row")), 300);
    EXPECT_EQ(rec.Find(QStringLiteral("Cell"))->AsString(QStringLiteral("Cell")), QStringLiteral("a b"));
    EXPECT_TRUE(rec.Find(QStringLiteral("HasProp"))->AsBoolean(QStringLiteral("HasProp")));
    EXPECT_EQ(rec.Find(QStringLiteral("Missing")), nullptr);
}

TEST(ComponentStream, IntegersTakeTheSmallestTag)
{
    const struct { int64_t V; const char* Bytes; } cases[] = {
        {0, "02 00"}, {-1, "02 FF"}, {127, "02 7F"}, {-128, "02 80"}, {128, "03 80 00"}, {-129, "03 7F FF"},
        {32767, "03 FF 7F"}, {-32768, "03 00 80"}, {32768, "04 00 80 00 00"}, {-32769, "04 FF 7F FF FF"},
        {65540, "04 04 00 01 00"}, {INT32_MAX, "04 FF FF FF 7F"}, {INT32_MIN, "04 00 00 00 80"},
        {int64_t(INT32_MAX) + 1, "13 00 00 00 80 00 00 00 00"},
    };
    for (const auto& c : cases) {
        const auto fn = [&](TComponentWriter& w) { w.WriteInteger(QStringLiteral("P"), c.V); };
        EXPECT_EQ(ValueBytes(fn), Hex(c.Bytes)) << c.V;
        EXPECT_EQ(RoundTrip(fn).AsInteger(QStringLiteral("P")), c.V);
    }
}

TEST(ComponentStream, StringsTakeTheirTagByContent)
{
    const QString longAscii(300, QLatin1Char('a'));
    const struct { QString V; uint8_t Tag; } cases[] = {
        {QString(), 18},                       // the empty string
        {QStringLiteral("abc"), 6},
        {QString(255, QLatin1Char('x')), 6},
        {QString(256, QLatin1Char('x')), 12},
        {QStringLiteral("aaaü"), 20},          // UTF-8 shorter than two bytes a character
        {QStringLiteral("ü"), 18},             // two bytes a character: UTF-16
        {QStringLiteral("日本"), 18},
        {QStringLiteral("a€b"), 20},
    };
    for (const auto& c : cases) {
        const auto fn = [&](TComponentWriter& w) { w.WriteString(QStringLiteral("P"), c.V); };
        EXPECT_EQ(ValueBytes(fn).at(0), c.Tag) << c.V.toStdString();
        const TComponentValue v = RoundTrip(fn);
        EXPECT_EQ(v.AsString(QStringLiteral("P")), c.V) << c.V.toStdString();
        EXPECT_EQ(uint8_t(v.Tag), c.Tag);
    }
    EXPECT_EQ(ValueBytes([](TComponentWriter& w) { w.WriteString(QStringLiteral("P"), QStringLiteral("ü")); }),
              Hex("12 01 00 00 00 FC 00"));
    EXPECT_EQ(ValueBytes([](TComponentWriter& w) { w.WriteString(QStringLiteral("P"), QString()); }),
              Hex("12 00 00 00 00"));
}

TEST(ComponentStream, ExtendedFloatsAreConvertedBothWays)
{
    const struct { double V; const char* Bytes; } exact[] = {
        {1.5, "00 00 00 00 00 00 00 C0 FF 3F"},
        {1.0, "00 00 00 00 00 00 00 80 FF 3F"},
        {-2.0, "00 00 00 00 00 00 00 80 00 C0"},
        {0.0, "00 00 00 00 00 00 00 00 00 00"},
        {0.1, "00 D0 CC CC CC CC CC CC FB 3F"},
        {std::numeric_limits<double>::infinity(), "00 00 00 00 00 00 00 80 FF 7F"},
    };
    for (const auto& c : exact) {
        const auto fn = [&](TComponentWriter& w) { w.WriteFloat(QStringLiteral("P"), c.V); };
        EXPECT_EQ(ValueBytes(fn), Hex((std::string("05 ") + c.Bytes).c_str())) << c.V;
        EXPECT_EQ(RoundTrip(fn).AsFloat(QStringLiteral("P")), c.V);
    }
    for (double v : {DBL_MIN, DBL_MAX, -DBL_MAX, std::numeric_limits<double>::denorm_min(), DBL_MIN / 3, 1e-310,
                     123456.789, -0.0, M_PI}) {
        const double back = ExtendedToDouble(DoubleToExtended(v));
        EXPECT_EQ(back, v);
        EXPECT_EQ(std::signbit(back), std::signbit(v));
    }
    EXPECT_TRUE(std::isnan(ExtendedToDouble(DoubleToExtended(std::nan("")))));

    // Wider values round to nearest, halves to even, and overflow to infinity.
    auto ext = [](uint64_t Mant, uint16_t SignExp) {
        std::array<uint8_t, 10> b{};
        for (int i = 0; i < 8; ++i)
            b[size_t(i)] = uint8_t(Mant >> (8 * i));
        b[8] = uint8_t(SignExp);
        b[9] = uint8_t(SignExp >> 8);
        return b;
    };
    const uint64_t one = uint64_t(1) << 63;
    EXPECT_EQ(ExtendedToDouble(ext(one | (1u << 10), 0x3FFF)), 1.0) << "a half to the even neighbour below";
    EXPECT_EQ(ExtendedToDouble(ext(one | (3u << 10), 0x3FFF)), 1.0 + 2 * DBL_EPSILON) << "a half to the even neighbour above";
    EXPECT_EQ(ExtendedToDouble(ext(one | (1u << 10) | 1u, 0x3FFF)), 1.0 + DBL_EPSILON) << "above a half";
    EXPECT_EQ(ExtendedToDouble(ext(~uint64_t(0), 0x3FFF)), 2.0) << "a carry into the exponent";
    EXPECT_TRUE(std::isinf(ExtendedToDouble(ext(one, 0x3FFF + 1024))));
    EXPECT_EQ(ExtendedToDouble(ext(one, 0x3FFF - 2000)), 0.0);
    EXPECT_EQ(ExtendedToDouble(ext(one, 0x3FFF - 1074)), Bits(1)) << "the smallest subnormal";
    EXPECT_EQ(ExtendedToDouble(ext(one >> 3, 0x3FFF)), 0.125) << "an unnormal form is normalised";
}

TEST(ComponentStream, IdentifiersSetsBinaryNilAndListsRoundTrip)
{
    EXPECT_EQ(RoundTrip([](TComponentWriter& w) { w.WriteIdent(QStringLiteral("P"), QStringLiteral("taCenter")); })
                  .AsIdent(QStringLiteral("P")),
              QStringLiteral("taCenter"));
    const TComponentValue set = RoundTrip([](TComponentWriter& w) {
        w.WriteSet(QStringLiteral("P"), {QStringLiteral("fsBold"), QStringLiteral("fsItalic")});
    });
    EXPECT_EQ(set.Kind, TComponentValue::Set);
    EXPECT_EQ(set.Names, (QStringList{QStringLiteral("fsBold"), QStringLiteral("fsItalic")}));
    EXPECT_EQ(ValueBytes([](TComponentWriter& w) { w.WriteSet(QStringLiteral("P"), {}); }), Hex("0B 00"));
    const std::vector<uint8_t> blob = {0, 1, 2, 255};
    EXPECT_EQ(RoundTrip([&](TComponentWriter& w) { w.WriteBinary(QStringLiteral("P"), blob); }).Bytes, blob);
    EXPECT_EQ(ValueBytes([&](TComponentWriter& w) { w.WriteBinary(QStringLiteral("P"), blob); }),
              Hex("0A 04 00 00 00 00 01 02 FF"));
    EXPECT_EQ(RoundTrip([](TComponentWriter& w) { w.WriteNil(QStringLiteral("P")); }).Kind, TComponentValue::Nil);
    const QStringList lines = {QStringLiteral("one"), QString(), QStringLiteral("drei ü")};
    EXPECT_EQ(RoundTrip([&](TComponentWriter& w) { w.WriteStringList(QStringLiteral("P"), lines); })
                  .AsStrings(QStringLiteral("P")),
              lines);
    EXPECT_EQ(ValueBytes([](TComponentWriter& w) { w.WriteStringList(QStringLiteral("P"), {QStringLiteral("a")}); }),
              Hex("01 06 01 61 00"));
}

TEST(ComponentStream, RecordsFollowEachOtherAndATrailingByteIsLeft)
{
    std::vector<uint8_t> out;
    TComponentWriter w(out);
    for (int i = 0; i < 2; ++i) {
        w.BeginRecord(QStringLiteral("TGridCellIO"));
        w.WriteInteger(QStringLiteral("Col"), i);
        w.EndRecord();
    }
    out.push_back(0);
    TComponentReader r(out);
    EXPECT_EQ(r.ReadRecord().Properties[0].Value.Int, 0);
    EXPECT_EQ(r.ReadRecord().Properties[0].Value.Int, 1);
    EXPECT_EQ(r.Remaining(), 1u);
    EXPECT_THROW(r.ReadRecord(), EReadError);
}

TEST(ComponentStream, TruncatedAndForeignStreamsRaiseTheReadersError)
{
    std::vector<uint8_t> out;
    TComponentWriter w(out);
    w.BeginRecord(QStringLiteral("TGridBMPIO"));
    w.WriteString(QStringLiteral("Cell"), QStringLiteral("text ü€"));
    w.WriteBinary(QStringLiteral("Bitmap.Data"), std::vector<uint8_t>(40, 7));
    w.WriteStringList(QStringLiteral("Strings.Strings"), {QStringLiteral("x"), QString(300, QLatin1Char('y'))});
    w.WriteFloat(QStringLiteral("CellGraphic.CellValue"), 2.5);
    w.EndRecord();
    // Every cut of the record fails cleanly.
    for (size_t n = 0; n < out.size(); ++n) {
        TComponentReader r(out.data(), n);
        EXPECT_THROW(r.ReadRecord(), EReadError) << "cut at " << n;
    }
    // A length far beyond the bytes left is refused before anything is allocated.
    std::vector<uint8_t> huge = Hex("54 50 46 30 01 54 00 01 50 0A FF FF FF 7F 00 00");
    EXPECT_THROW(TComponentReader(huge).ReadRecord(), EReadError);
    std::vector<uint8_t> wide = Hex("54 50 46 30 01 54 00 01 50 12 FF FF FF 3F 00 00");
    EXPECT_THROW(TComponentReader(wide).ReadRecord(), EReadError);
    std::vector<uint8_t> negative = Hex("54 50 46 30 01 54 00 01 50 0C FF FF FF FF 00 00");
    EXPECT_THROW(TComponentReader(negative).ReadRecord(), EReadError);
    try {
        TComponentReader(Hex("54 50 46 31 00")).ReadRecord();
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid stream format"));
    }
    EXPECT_THROW(TComponentReader(Hex("54 50 46 30 01 54 00 01 50 63 00 00")).ReadRecord(), EReadError) << "unknown tag";
    // Lists nested without end cannot exhaust the stack.
    std::vector<uint8_t> deep = Hex("54 50 46 30 01 54 00 01 50");
    deep.insert(deep.end(), 100000, 1);
    EXPECT_THROW(TComponentReader(deep).ReadRecord(), EReadError);
}

TEST(ComponentStream, AnUnknownPropertyIsNamedInTheError)
{
    std::vector<uint8_t> out;
    TComponentWriter w(out);
    w.BeginRecord(QStringLiteral("TGridCellIO"));
    w.WriteInteger(QStringLiteral("Col"), 1);
    w.WriteInteger(QStringLiteral("Colour"), 1);
    w.EndRecord();
    const TComponentRecord rec = TComponentReader(out).ReadRecord();
    try {
        rec.CheckProperties({"Col", "Row", "Cell", "HasProp"});
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Error reading TGridCellIO.Colour: Property Colour does not exist"));
    }
    EXPECT_NO_THROW(rec.CheckProperties({"col", "colour"})) << "names compare without case";
    EXPECT_THROW(rec.Find(QStringLiteral("Col"))->AsString(QStringLiteral("Col")), EReadError);
}
