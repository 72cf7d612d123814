#pragma once
// String and number conversions with the classic runtime's semantics.
// Conversions that follow the user's locale read FormatSettings(); overloads taking a
// TFormatSettings (for example InvariantFormatSettings()) give locale-independent text.

#include "platform/core/exceptions.h"
#include "platform/core/format_settings.h"

#include <QString>
#include <QStringList>
#include <concepts>
#include <cstdint>
#include <initializer_list>

// ---- integers -------------------------------------------------------------------------

template <std::integral T>
QString IntToStr(T Value)
{
    return QString::number(Value);
}

// Accept '$', 'x', 'X', '0x', '0X' hex prefixes after an optional sign; leading blanks are
// skipped, trailing characters are an error. Out of range is an error.
int StrToInt(const QString& S);                       // raises EConvertError
int StrToIntDef(const QString& S, int Default);
bool TryStrToInt(const QString& S, int& Value);
qint64 StrToInt64(const QString& S);                  // raises EConvertError
qint64 StrToInt64Def(const QString& S, qint64 Default);
bool TryStrToInt64(const QString& S, qint64& Value);

// Upper-case hex, at least Digits digits. Negative values show their two's complement in
// the width of their type (IntToHex(-1, 2) of an int gives "FFFFFFFF").
QString IntToHexBits(quint64 Bits, int Digits);
template <std::integral T>
QString IntToHex(T Value, int Digits)
{
    if constexpr (sizeof(T) <= 4)
        return IntToHexBits(static_cast<quint32>(Value), Digits);
    else
        return IntToHexBits(static_cast<quint64>(Value), Digits);
}

// ---- floating point -------------------------------------------------------------------

// General format with 15 significant digits: fixed notation unless the exponent is below
// -4 or at least 15, then "1.5E20" / "1E-5".
QString FloatToStr(double Value);
QString FloatToStr(double Value, const TFormatSettings& Settings);

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber };
QString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits);
QString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits, const TFormatSettings& Settings);

// Accepts the settings' decimal separator, an optional exponent, surrounding blanks.
double StrToFloat(const QString& S);                  // raises EConvertError
double StrToFloat(const QString& S, const TFormatSettings& Settings);
double StrToFloatDef(const QString& S, double Default);
bool TryStrToFloat(const QString& S, double& Value);
bool TryStrToFloat(const QString& S, double& Value, const TFormatSettings& Settings);
// The strict reading of a decimal number in "." notation, whatever the locale:
// leading blanks, an optional sign, digits with an optional "." and fraction, an
// optional exponent, and nothing after them. Code is 0 when the whole text was
// read; otherwise Value is 0 and Code the 1-based position of the first
// character that does not fit (the length + 1 when the text ends too early or
// the number is too large for a double).
void Val(const QString& S, double& Value, int& Code);

// Classic Round: halves go to the even neighbour.
qint64 RoundHalfEven(double Value);
qint64 Trunc(double Value);
// (A * B) / C rounded half away from zero; -1 when C is 0 or the result overflows.
int MulDiv(int A, int B, int C);

// ---- Format ---------------------------------------------------------------------------

// One argument of Format.
class TVarRec {
public:
    enum TKind { vkInteger, vkUnsigned, vkFloat, vkString, vkChar, vkPointer };
    TVarRec(int V) : Kind(vkInteger), I(V) {}
    TVarRec(long V) : Kind(vkInteger), I(V) {}
    TVarRec(long long V) : Kind(vkInteger), I(V) {}
    TVarRec(unsigned V) : Kind(vkUnsigned), U(V) {}
    TVarRec(unsigned long V) : Kind(vkUnsigned), U(V) {}
    TVarRec(unsigned long long V) : Kind(vkUnsigned), U(V) {}
    TVarRec(short V) : Kind(vkInteger), I(V) {}
    TVarRec(unsigned short V) : Kind(vkUnsigned), U(V) {}
    TVarRec(unsigned char V) : Kind(vkUnsigned), U(V) {}
    TVarRec(double V) : Kind(vkFloat), F(V) {}
    TVarRec(float V) : Kind(vkFloat), F(V) {}
    TVarRec(const QString& V) : Kind(vkString), S(V) {}
    TVarRec(const char* V) : Kind(vkString), S(QString::fromUtf8(V)) {}
    TVarRec(QChar V) : Kind(vkChar), S(V) {}
    TVarRec(char V) : Kind(vkChar), S(QChar::fromLatin1(V)) {}
    TVarRec(const void* V) : Kind(vkPointer), U(reinterpret_cast<quintptr>(V)) {}
    TVarRec(bool) = delete;

    TKind Kind;
    qint64 I = 0;
    quint64 U = 0;
    double F = 0;
    QString S;
};

// Format directives: %[index:][-][width][.precision]type with type d u e f g n m p s x
// (x in upper case) and '*' for width or precision from the arguments; "%%" is '%'.
// A bad directive or an argument of the wrong kind raises EConvertError
// "Format '...' invalid or incompatible with argument".
QString Format(const QString& Fmt, std::initializer_list<TVarRec> Args);
QString Format(const QString& Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& Settings);

// ---- text -----------------------------------------------------------------------------

QString Trim(const QString& S);        // removes characters up to #32 at both ends
QString TrimLeft(const QString& S);
QString TrimRight(const QString& S);
QString UpperCase(const QString& S);   // ASCII letters only
QString LowerCase(const QString& S);
QString AnsiUpperCase(const QString& S);   // every letter, by the Unicode tables
QString AnsiLowerCase(const QString& S);
int CompareStr(const QString& S1, const QString& S2);    // ordinal
int CompareText(const QString& S1, const QString& S2);   // ASCII letters compared as upper case
bool SameText(const QString& S1, const QString& S2);
int AnsiCompareText(const QString& S1, const QString& S2);
int AnsiCompareStr(const QString& S1, const QString& S2);
bool AnsiSameText(const QString& S1, const QString& S2);

QString QuotedStr(const QString& S);                       // 'it''s'
QString AnsiQuotedStr(const QString& S, QChar Quote);
// Reads a quoted string from S starting at Pos (0-based), doubled quotes meaning one;
// Pos is left after the closing quote (or at the end). Not quoted: returns empty.
QString AnsiExtractQuotedStr(const QString& S, int& Pos, QChar Quote);
QString AnsiDequotedStr(const QString& S, QChar Quote);

enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
QString StringReplace(const QString& S, const QString& OldPattern, const QString& NewPattern, int Flags);

// 1-based positions as in the classic routines.
int Pos(const QString& SubStr, const QString& S);
QString Copy(const QString& S, int Index, int Count);

QString BoolToStr(bool B, bool UseBoolStrs = false);
bool StrToBool(const QString& S);                          // raises EConvertError
