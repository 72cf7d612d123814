#pragma once
// The classic binary component-stream encoding: records of signature "TPF0", a class
// name, a component name and tagged property values, ended by the two zero bytes of the
// empty property and child lists. The grid's binary cell format (files, streams and the
// clipboard) is a sequence of such records.
//
// The writer picks the smallest integer tag and the string tag by content, as the
// classic writer does; extended floats are converted to and from their 80-bit form by
// our own code (no reliance on the compiler's long double). The reader checks every
// length against the bytes left and limits list nesting, so a truncated or foreign
// stream raises EReadError instead of reading past the end or allocating without bound.

#include "platform/core/exceptions.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

// Value tags of the encoding.
enum class TValueTag : uint8_t {
    Null = 0, List = 1, Int8 = 2, Int16 = 3, Int32 = 4, Extended = 5, String = 6, Ident = 7,
    False = 8, True = 9, Binary = 10, Set = 11, LString = 12, Nil = 13, WString = 18, Int64 = 19,
    UTF8String = 20,
};

// 80-bit extended precision, little-endian: 64-bit mantissa with its explicit integer bit,
// then sign and 15-bit exponent. Conversions round to nearest, halves to even.
std::array<uint8_t, 10> DoubleToExtended(double Value);
double ExtendedToDouble(const std::array<uint8_t, 10>& Bytes);

struct TComponentValue {
    enum TKind { Integer, Float, String, Ident, Boolean, Binary, Set, List, Nil };
    TKind Kind = Nil;
    TValueTag Tag = TValueTag::Nil;   // the tag as read or written
    int64_t Int = 0;
    double Real = 0;
    bool Bool = false;
    QString Str;                      // String and Ident
    std::vector<uint8_t> Bytes;       // Binary
    QStringList Names;                // Set members
    std::vector<TComponentValue> Items;   // List

    // Typed reads raise EReadError naming the property when the kind does not fit.
    int64_t AsInteger(const QString& Property) const;
    double AsFloat(const QString& Property) const;   // integers are accepted
    bool AsBoolean(const QString& Property) const;
    QString AsString(const QString& Property) const;
    QString AsIdent(const QString& Property) const;
    QStringList AsStrings(const QString& Property) const;   // a list of strings
};

struct TComponentProperty {
    QString Name;
    TComponentValue Value;
};

struct TComponentRecord {
    QString ClassName;
    QString Name;
    std::vector<TComponentProperty> Properties;
    // The property of that name, null when the record omits it.
    const TComponentValue* Find(const QString& Property) const;
    // Raises EReadError "Error reading Class.Name: Property Name does not exist" for the
    // first property not in Known.
    void CheckProperties(std::initializer_list<const char*> Known) const;
    void CheckProperties(const QStringList& Known) const;
};

class TComponentWriter {
public:
    // Appends to Out.
    explicit TComponentWriter(std::vector<uint8_t>& Out) : FOut(Out) {}

    // Signature, class name and the empty component name.
    void BeginRecord(const QString& ClassName);
    // The ends of the property list and of the (empty) child list.
    void EndRecord();

    void WriteInteger(const QString& Name, int64_t Value);
    void WriteBoolean(const QString& Name, bool Value);
    void WriteFloat(const QString& Name, double Value);
    void WriteString(const QString& Name, const QString& Value);
    void WriteIdent(const QString& Name, const QString& Ident);
    void WriteSet(const QString& Name, const QStringList& Members);
    void WriteBinary(const QString& Name, const std::vector<uint8_t>& Bytes);
    void WriteBinary(const QString& Name, const uint8_t* Data, size_t Size);
    void WriteNil(const QString& Name);
    // A list of strings (the form of a string list's Strings).
    void WriteStringList(const QString& Name, const QStringList& Strings);

    // Bare values, for callers that compose their own property.
    void WritePropertyName(const QString& Name);
    void WriteIntegerValue(int64_t Value);
    void WriteStringValue(const QString& Value);

private:
    void Byte(uint8_t B) { FOut.push_back(B); }
    void Bytes(const void* Data, size_t Size);
    void Int32(int32_t V);
    void ShortString(const QByteArray& S);
    std::vector<uint8_t>& FOut;
};

class TComponentReader {
public:
    TComponentReader(const uint8_t* Data, size_t Size, size_t Position = 0)
        : FData(Data), FSize(Size), FPos(Position) {}
    explicit TComponentReader(const std::vector<uint8_t>& Data, size_t Position = 0)
        : TComponentReader(Data.data(), Data.size(), Position) {}

    // One whole record; raises EReadError ("Invalid stream format" for a missing
    // signature, "Stream read error" for a record cut short).
    TComponentRecord ReadRecord();
    size_t Position() const { return FPos; }
    size_t Remaining() const { return FSize - FPos; }

    static constexpr int MaxListDepth = 32;

private:
    uint8_t Byte();
    const uint8_t* Take(size_t Size);
    int64_t Signed(size_t Size);
    QString ShortString();
    TComponentValue Value(int Depth);
    const uint8_t* FData;
    size_t FSize;
    size_t FPos;
};
