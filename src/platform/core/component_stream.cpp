#include "platform/core/component_stream.h"

#include <cmath>
#include <cstring>

namespace {

QString PropertyError(const QString& Property, const char* What)
{
    return QStringLiteral("Invalid property value for ") + Property + QStringLiteral(": ") + QString::fromLatin1(What);
}

bool IsAscii(const QString& S)
{
    for (QChar c : S)
        if (c.unicode() >= 128)
            return false;
    return true;
}

}  // namespace

// ---------------------------------------------------------------- extended floats

std::array<uint8_t, 10> DoubleToExtended(double Value)
{
    uint64_t bits;
    std::memcpy(&bits, &Value, 8);
    const bool negative = bits >> 63;
    const int exp = int((bits >> 52) & 0x7FF);
    uint64_t frac = bits & ((uint64_t(1) << 52) - 1);
    uint64_t mant = 0;
    int e = 0;   // the 15-bit biased exponent
    if (exp == 0x7FF) {
        e = 0x7FFF;
        mant = frac == 0 ? uint64_t(1) << 63 : (uint64_t(3) << 62) | (frac << 11);
    } else if (exp == 0) {
        if (frac != 0) {
            // Subnormal doubles are normal numbers in the wider exponent range.
            int shift = 0;
            while (!(frac & (uint64_t(1) << 52))) {
                frac <<= 1;
                ++shift;
            }
            mant = frac << 11;
            e = -1022 - shift + 16383;
        }
    } else {
        mant = ((uint64_t(1) << 52) | frac) << 11;
        e = exp - 1023 + 16383;
    }
    std::array<uint8_t, 10> out{};
    for (int i = 0; i < 8; ++i)
        out[size_t(i)] = uint8_t(mant >> (8 * i));
    const uint16_t se = uint16_t((negative ? 0x8000 : 0) | (e & 0x7FFF));
    out[8] = uint8_t(se & 0xFF);
    out[9] = uint8_t(se >> 8);
    return out;
}

double ExtendedToDouble(const std::array<uint8_t, 10>& Bytes)
{
    uint64_t mant = 0;
    for (int i = 7; i >= 0; --i)
        mant = (mant << 8) | Bytes[size_t(i)];
    const uint16_t se = uint16_t(Bytes[8] | (Bytes[9] << 8));
    const bool negative = se & 0x8000;
    const int exp = se & 0x7FFF;
    const uint64_t sign = negative ? uint64_t(1) << 63 : 0;
    auto make = [&](uint64_t bits) {
        bits |= sign;
        double d;
        std::memcpy(&d, &bits, 8);
        return d;
    };
    if (exp == 0x7FFF) {
        const bool nan = (mant & ~(uint64_t(1) << 63)) != 0;
        return nan ? make(0x7FF8000000000000ull) : make(0x7FF0000000000000ull);
    }
    if (mant == 0)
        return make(0);
    // Normalise (also denormal and unnormal forms), then round 64 to 53 bits.
    int e = (exp == 0 ? 1 : exp) - 16383;
    while (!(mant & (uint64_t(1) << 63))) {
        mant <<= 1;
        --e;
    }
    // Bits dropped: 11 for a normal double, more below the smallest normal exponent.
    int drop = 11;
    if (e < -1022)
        drop += -1022 - e;
    if (drop > 100)
        return make(0);
    const unsigned __int128 m = mant;
    uint64_t keep = uint64_t(m >> drop);
    const unsigned __int128 rem = m & (((unsigned __int128)1 << drop) - 1);
    const unsigned __int128 half = (unsigned __int128)1 << (drop - 1);
    if (rem > half || (rem == half && (keep & 1)))
        ++keep;
    if (e < -1022) {
        // Subnormal: the exponent field is 0; a carry into bit 52 makes it the smallest normal.
        return make(keep);
    }
    if (keep == (uint64_t(1) << 53)) {
        keep >>= 1;
        ++e;
    }
    if (e > 1023)
        return make(0x7FF0000000000000ull);
    return make((uint64_t(e + 1023) << 52) | (keep & ((uint64_t(1) << 52) - 1)));
}

// ---------------------------------------------------------------- values

int64_t TComponentValue::AsInteger(const QString& Property) const
{
    if (Kind != Integer)
        throw EReadError(PropertyError(Property, "an integer was expected"));
    return Int;
}

double TComponentValue::AsFloat(const QString& Property) const
{
    if (Kind == Integer)
        return double(Int);
    if (Kind != Float)
        throw EReadError(PropertyError(Property, "a number was expected"));
    return Real;
}

bool TComponentValue::AsBoolean(const QString& Property) const
{
    if (Kind != Boolean)
        throw EReadError(PropertyError(Property, "True or False was expected"));
    return Bool;
}

QString TComponentValue::AsString(const QString& Property) const
{
    if (Kind != String)
        throw EReadError(PropertyError(Property, "a string was expected"));
    return Str;
}

QString TComponentValue::AsIdent(const QString& Property) const
{
    if (Kind != Ident)
        throw EReadError(PropertyError(Property, "an identifier was expected"));
    return Str;
}

QStringList TComponentValue::AsStrings(const QString& Property) const
{
    if (Kind != List)
        throw EReadError(PropertyError(Property, "a list was expected"));
    QStringList out;
    for (const TComponentValue& v : Items)
        out << v.AsString(Property);
    return out;
}

const TComponentValue* TComponentRecord::Find(const QString& Property) const
{
    for (const TComponentProperty& p : Properties)
        if (p.Name.compare(Property, Qt::CaseInsensitive) == 0)
            return &p.Value;
    return nullptr;
}

void TComponentRecord::CheckProperties(const QStringList& Known) const
{
    for (const TComponentProperty& p : Properties)
        if (!Known.contains(p.Name, Qt::CaseInsensitive))
            throw EReadError(QStringLiteral("Error reading ") + ClassName + QLatin1Char('.') + p.Name +
                             QStringLiteral(": Property ") + p.Name + QStringLiteral(" does not exist"));
}

void TComponentRecord::CheckProperties(std::initializer_list<const char*> Known) const
{
    QStringList names;
    for (const char* k : Known)
        names << QString::fromLatin1(k);
    CheckProperties(names);
}

// ---------------------------------------------------------------- writer

void TComponentWriter::Bytes(const void* Data, size_t Size)
{
    const auto* p = static_cast<const uint8_t*>(Data);
    FOut.insert(FOut.end(), p, p + Size);
}

void TComponentWriter::Int32(int32_t V)
{
    const uint32_t u = uint32_t(V);
    for (int i = 0; i < 4; ++i)
        Byte(uint8_t(u >> (8 * i)));
}

void TComponentWriter::ShortString(const QByteArray& S)
{
    if (S.size() > 255)
        throw EWriteError(QStringLiteral("Name too long for the component stream: ") + QString::fromUtf8(S));
    Byte(uint8_t(S.size()));
    Bytes(S.constData(), size_t(S.size()));
}

void TComponentWriter::BeginRecord(const QString& ClassName)
{
    Bytes("TPF0", 4);
    ShortString(ClassName.toUtf8());
    Byte(0);   // the component name is always empty
}

void TComponentWriter::EndRecord()
{
    Byte(0);
    Byte(0);
}

void TComponentWriter::WritePropertyName(const QString& Name) { ShortString(Name.toUtf8()); }

void TComponentWriter::WriteIntegerValue(int64_t V)
{
    if (V >= -128 && V <= 127) {
        Byte(uint8_t(TValueTag::Int8));
        Byte(uint8_t(int8_t(V)));
    } else if (V >= -32768 && V <= 32767) {
        Byte(uint8_t(TValueTag::Int16));
        const uint16_t u = uint16_t(int16_t(V));
        Byte(uint8_t(u));
        Byte(uint8_t(u >> 8));
    } else if (V >= INT32_MIN && V <= INT32_MAX) {
        Byte(uint8_t(TValueTag::Int32));
        Int32(int32_t(V));
    } else {
        Byte(uint8_t(TValueTag::Int64));
        const uint64_t u = uint64_t(V);
        for (int i = 0; i < 8; ++i)
            Byte(uint8_t(u >> (8 * i)));
    }
}

void TComponentWriter::WriteStringValue(const QString& Value)
{
    if (Value.isEmpty()) {
        Byte(uint8_t(TValueTag::WString));
        Int32(0);
        return;
    }
    if (IsAscii(Value)) {
        const QByteArray a = Value.toLatin1();
        if (a.size() < 256) {
            Byte(uint8_t(TValueTag::String));
            Byte(uint8_t(a.size()));
        } else {
            Byte(uint8_t(TValueTag::LString));
            Int32(int32_t(a.size()));
        }
        Bytes(a.constData(), size_t(a.size()));
        return;
    }
    const QByteArray utf8 = Value.toUtf8();
    if (utf8.size() >= 2 * Value.size()) {
        Byte(uint8_t(TValueTag::WString));
        Int32(int32_t(Value.size()));
        for (QChar c : Value) {
            Byte(uint8_t(c.unicode() & 0xFF));
            Byte(uint8_t(c.unicode() >> 8));
        }
    } else {
        Byte(uint8_t(TValueTag::UTF8String));
        Int32(int32_t(utf8.size()));
        Bytes(utf8.constData(), size_t(utf8.size()));
    }
}

void TComponentWriter::WriteInteger(const QString& Name, int64_t Value)
{
    WritePropertyName(Name);
    WriteIntegerValue(Value);
}

void TComponentWriter::WriteBoolean(const QString& Name, bool Value)
{
    WritePropertyName(Name);
    Byte(uint8_t(Value ? TValueTag::True : TValueTag::False));
}

void TComponentWriter::WriteFloat(const QString& Name, double Value)
{
    WritePropertyName(Name);
    Byte(uint8_t(TValueTag::Extended));
    const auto ext = DoubleToExtended(Value);
    Bytes(ext.data(), ext.size());
}

void TComponentWriter::WriteString(const QString& Name, const QString& Value)
{
    WritePropertyName(Name);
    WriteStringValue(Value);
}

void TComponentWriter::WriteIdent(const QString& Name, const QString& Ident)
{
    WritePropertyName(Name);
    Byte(uint8_t(TValueTag::Ident));
    ShortString(Ident.toUtf8());
}

void TComponentWriter::WriteSet(const QString& Name, const QStringList& Members)
{
    WritePropertyName(Name);
    Byte(uint8_t(TValueTag::Set));
    for (const QString& m : Members)
        ShortString(m.toUtf8());
    Byte(0);
}

void TComponentWriter::WriteBinary(const QString& Name, const uint8_t* Data, size_t Size)
{
    if (Size > size_t(INT32_MAX))
        throw EWriteError(QStringLiteral("Binary value too large for the component stream: ") + Name);
    WritePropertyName(Name);
    Byte(uint8_t(TValueTag::Binary));
    Int32(int32_t(Size));
    Bytes(Data, Size);
}

void TComponentWriter::WriteBinary(const QString& Name, const std::vector<uint8_t>& Data)
{
    WriteBinary(Name, Data.data(), Data.size());
}

void TComponentWriter::WriteNil(const QString& Name)
{
    WritePropertyName(Name);
    Byte(uint8_t(TValueTag::Nil));
}

void TComponentWriter::WriteStringList(const QString& Name, const QStringList& Strings)
{
    WritePropertyName(Name);
    Byte(uint8_t(TValueTag::List));
    for (const QString& s : Strings)
        WriteStringValue(s);
    Byte(0);
}

// ---------------------------------------------------------------- reader

const uint8_t* TComponentReader::Take(size_t Size)
{
    if (Size > FSize - FPos)
        throw EReadError(QStringLiteral("Stream read error"));
    const uint8_t* p = FData + FPos;
    FPos += Size;
    return p;
}

uint8_t TComponentReader::Byte() { return *Take(1); }

int64_t TComponentReader::Signed(size_t Size)
{
    const uint8_t* p = Take(Size);
    uint64_t u = 0;
    for (size_t i = 0; i < Size; ++i)
        u |= uint64_t(p[i]) << (8 * i);
    if (Size < 8 && (u & (uint64_t(1) << (8 * Size - 1))))
        u |= ~uint64_t(0) << (8 * Size);   // sign extension
    return int64_t(u);
}

QString TComponentReader::ShortString()
{
    const uint8_t n = Byte();
    const uint8_t* p = Take(n);
    return QString::fromUtf8(reinterpret_cast<const char*>(p), n);
}

TComponentValue TComponentReader::Value(int Depth)
{
    if (Depth > MaxListDepth)
        throw EReadError(QStringLiteral("Invalid stream format: lists nested too deeply"));
    TComponentValue v;
    const uint8_t tag = Byte();
    v.Tag = TValueTag(tag);
    auto length = [&]() -> size_t {
        const int64_t n = Signed(4);
        if (n < 0 || uint64_t(n) > Remaining())
            throw EReadError(QStringLiteral("Stream read error"));
        return size_t(n);
    };
    switch (TValueTag(tag)) {
    case TValueTag::List:
        v.Kind = TComponentValue::List;
        while (true) {
            if (FPos < FSize && FData[FPos] == 0) {
                ++FPos;
                break;
            }
            v.Items.push_back(Value(Depth + 1));
        }
        break;
    case TValueTag::Int8: v.Kind = TComponentValue::Integer; v.Int = Signed(1); break;
    case TValueTag::Int16: v.Kind = TComponentValue::Integer; v.Int = Signed(2); break;
    case TValueTag::Int32: v.Kind = TComponentValue::Integer; v.Int = Signed(4); break;
    case TValueTag::Int64: v.Kind = TComponentValue::Integer; v.Int = Signed(8); break;
    case TValueTag::Extended: {
        std::array<uint8_t, 10> b;
        std::memcpy(b.data(), Take(10), 10);
        v.Kind = TComponentValue::Float;
        v.Real = ExtendedToDouble(b);
        break;
    }
    case TValueTag::String: {
        const uint8_t n = Byte();
        v.Kind = TComponentValue::String;
        v.Str = QString::fromLatin1(reinterpret_cast<const char*>(Take(n)), n);
        break;
    }
    case TValueTag::LString: {
        const size_t n = length();
        v.Kind = TComponentValue::String;
        v.Str = QString::fromLatin1(reinterpret_cast<const char*>(Take(n)), qsizetype(n));
        break;
    }
    case TValueTag::WString: {
        const int64_t units = Signed(4);
        if (units < 0 || uint64_t(units) > Remaining() / 2)
            throw EReadError(QStringLiteral("Stream read error"));
        const uint8_t* p = Take(size_t(units) * 2);
        v.Kind = TComponentValue::String;
        v.Str.resize(qsizetype(units));
        for (int64_t i = 0; i < units; ++i)
            v.Str[qsizetype(i)] = QChar(char16_t(p[2 * i] | (p[2 * i + 1] << 8)));
        break;
    }
    case TValueTag::UTF8String: {
        const size_t n = length();
        v.Kind = TComponentValue::String;
        v.Str = QString::fromUtf8(reinterpret_cast<const char*>(Take(n)), qsizetype(n));
        break;
    }
    case TValueTag::Ident: v.Kind = TComponentValue::Ident; v.Str = ShortString(); break;
    case TValueTag::False: v.Kind = TComponentValue::Boolean; v.Bool = false; break;
    case TValueTag::True: v.Kind = TComponentValue::Boolean; v.Bool = true; break;
    case TValueTag::Binary: {
        const size_t n = length();
        const uint8_t* p = Take(n);
        v.Kind = TComponentValue::Binary;
        v.Bytes.assign(p, p + n);
        break;
    }
    case TValueTag::Set:
        v.Kind = TComponentValue::Set;
        while (true) {
            const QString m = ShortString();
            if (m.isEmpty())
                break;
            v.Names << m;
        }
        break;
    case TValueTag::Nil: v.Kind = TComponentValue::Nil; break;
    default:
        throw EReadError(QStringLiteral("Invalid property value type %1").arg(tag));
    }
    return v;
}

TComponentRecord TComponentReader::ReadRecord()
{
    if (Remaining() < 4 || std::memcmp(FData + FPos, "TPF0", 4) != 0)
        throw EReadError(QStringLiteral("Invalid stream format"));
    FPos += 4;
    TComponentRecord r;
    r.ClassName = ShortString();
    r.Name = ShortString();
    while (true) {
        const QString name = ShortString();
        if (name.isEmpty())
            break;
        r.Properties.push_back(TComponentProperty{name, Value(0)});
    }
    // Child components: none are written; a stream that has some is not one of ours.
    if (Byte() != 0)
        throw EReadError(QStringLiteral("Invalid stream format: unexpected child component"));
    return r;
}
