#include "platform/core/sysutils.h"

#include <QVarLengthArray>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

// ---- integers -------------------------------------------------------------------------

namespace {

// Parses the classic integer syntax into a 64-bit magnitude. MaxDec / MaxHex bound the
// accepted magnitude for decimal and hex text.
bool ParseInteger(const QString& S, quint64 MaxDecPositive, quint64 MaxDecNegative, quint64 MaxHex, bool& Negative,
                  quint64& Magnitude)
{
    int i = 0;
    const int n = S.size();
    while (i < n && S[i] == QLatin1Char(' '))
        ++i;
    Negative = false;
    if (i < n && (S[i] == QLatin1Char('-') || S[i] == QLatin1Char('+'))) {
        Negative = S[i] == QLatin1Char('-');
        ++i;
    }
    bool Hex = false;
    if (i < n && S[i] == QLatin1Char('$')) {
        Hex = true;
        ++i;
    } else if (i < n && (S[i] == QLatin1Char('x') || S[i] == QLatin1Char('X'))) {
        Hex = true;
        ++i;
    } else if (i + 1 < n && S[i] == QLatin1Char('0') && (S[i + 1] == QLatin1Char('x') || S[i + 1] == QLatin1Char('X'))) {
        Hex = true;
        i += 2;
    }
    if (i >= n)
        return false;
    quint64 V = 0;
    for (; i < n; ++i) {
        const ushort C = S[i].unicode();
        unsigned D;
        if (C >= '0' && C <= '9')
            D = C - '0';
        else if (Hex && C >= 'a' && C <= 'f')
            D = C - 'a' + 10;
        else if (Hex && C >= 'A' && C <= 'F')
            D = C - 'A' + 10;
        else
            return false;
        const quint64 Base = Hex ? 16 : 10;
        if (V > (std::numeric_limits<quint64>::max() - D) / Base)
            return false;
        V = V * Base + D;
        if (Hex ? V > MaxHex : V > (Negative ? MaxDecNegative : MaxDecPositive))
            return false;
    }
    Magnitude = V;
    return true;
}

[[noreturn]] void RaiseInteger(const QString& S)
{
    throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(S));
}

[[noreturn]] void RaiseFloat(const QString& S)
{
    throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(S));
}

}  // namespace

bool TryStrToInt(const QString& S, int& Value)
{
    bool Neg;
    quint64 M;
    if (!ParseInteger(S, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, Neg, M))
        return false;
    // Hex text may spell the bit pattern of a negative number ($FFFFFFFF is -1).
    const quint32 Bits = static_cast<quint32>(M);
    const qint32 V = static_cast<qint32>(Bits);
    Value = Neg ? static_cast<int>(0u - Bits) : V;
    return true;
}

int StrToInt(const QString& S)
{
    int V;
    if (!TryStrToInt(S, V))
        RaiseInteger(S);
    return V;
}

int StrToIntDef(const QString& S, int Default)
{
    int V;
    return TryStrToInt(S, V) ? V : Default;
}

bool TryStrToInt64(const QString& S, qint64& Value)
{
    bool Neg;
    quint64 M;
    if (!ParseInteger(S, 0x7FFFFFFFFFFFFFFFull, 0x8000000000000000ull, 0xFFFFFFFFFFFFFFFFull, Neg, M))
        return false;
    Value = Neg ? static_cast<qint64>(0ull - M) : static_cast<qint64>(M);
    return true;
}

qint64 StrToInt64(const QString& S)
{
    qint64 V;
    if (!TryStrToInt64(S, V))
        RaiseInteger(S);
    return V;
}

qint64 StrToInt64Def(const QString& S, qint64 Default)
{
    qint64 V;
    return TryStrToInt64(S, V) ? V : Default;
}

QString IntToHexBits(quint64 Bits, int Digits)
{
    QString R = QString::number(Bits, 16).toUpper();
    if (R.size() < Digits)
        R = QString(Digits - R.size(), QLatin1Char('0')) + R;
    return R;
}

// ---- floating point -------------------------------------------------------------------

namespace {

// A decimal rendering of a double: value = 0.Digits x 10^Exponent. Digits holds no
// trailing zeros; an empty Digits is zero.
struct TDecimal {
    bool Negative = false;
    QByteArray Digits;
    int Exponent = 0;
};

// Rounds (halves away from zero) to at most Precision significant digits and at most
// Decimals digits after the point.
TDecimal ToDecimal(double V, int Precision, int Decimals)
{
    TDecimal D;
    D.Negative = std::signbit(V);
    V = std::fabs(V);
    if (V == 0)
        return D;
    // 30 significant digits: enough that rounding to 18 or fewer never rounds twice (17
    // digits could turn ...4|97 into ...5 and then round up).
    char Buf[64];
    auto Res = std::to_chars(Buf, Buf + sizeof Buf - 1, V, std::chars_format::scientific, 29);
    *Res.ptr = 0;
    // Buf: d.ddd...de[+-]XX
    QByteArray Dig;
    Dig += Buf[0];
    const char* P = Buf + 2;
    while (*P != 'e')
        Dig += *P++;
    const int Exp10 = std::atoi(P + 1);
    int E = Exp10 + 1;
    int Keep = Precision;
    if (Decimals < 1000 && E + Decimals < Keep)
        Keep = E + Decimals;
    if (Keep < 0) {
        D.Negative = false;
        return D;
    }
    if (Keep < Dig.size()) {
        const bool Up = Dig[Keep] >= '5';
        Dig.truncate(Keep);
        if (Up) {
            int i = Keep - 1;
            while (i >= 0 && Dig[i] == '9') {
                Dig[i] = '0';
                --i;
            }
            if (i >= 0)
                Dig[i] = Dig[i] + 1;
            else {
                Dig.prepend('1');
                ++E;
                Dig.chop(1);
                if (Keep == 0)
                    Dig = "1";
            }
        }
    }
    while (!Dig.isEmpty() && Dig.endsWith('0'))
        Dig.chop(1);
    if (Dig.isEmpty()) {
        D.Negative = false;
        return D;
    }
    D.Digits = Dig;
    D.Exponent = E;
    return D;
}

QString ExponentText(int Exp, int MinDigits, bool PlusSign)
{
    QString R = QStringLiteral("E");
    if (Exp < 0)
        R += QLatin1Char('-');
    else if (PlusSign)
        R += QLatin1Char('+');
    QString N = QString::number(std::abs(Exp));
    if (N.size() < MinDigits)
        N = QString(MinDigits - N.size(), QLatin1Char('0')) + N;
    return R + N;
}

QString GeneralText(double V, int Precision, int ExpDigits, const TFormatSettings& FS)
{
    if (std::isnan(V))
        return QStringLiteral("NAN");
    if (std::isinf(V))
        return V > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (Precision < 1 || Precision > 18)
        Precision = 15;
    TDecimal D = ToDecimal(V, Precision, 100000);
    if (D.Digits.isEmpty())
        return QStringLiteral("0");
    QString R;
    if (D.Negative)
        R += QLatin1Char('-');
    const QString Dig = QString::fromLatin1(D.Digits);
    if (D.Exponent > Precision || D.Exponent < -3) {
        R += Dig[0];
        if (Dig.size() > 1)
            R += FS.DecimalSeparator + Dig.mid(1);
        R += ExponentText(D.Exponent - 1, ExpDigits, false);
        return R;
    }
    if (D.Exponent <= 0) {
        R += QLatin1Char('0');
        R += FS.DecimalSeparator;
        R += QString(-D.Exponent, QLatin1Char('0'));
        R += Dig;
    } else if (D.Exponent >= Dig.size()) {
        R += Dig + QString(D.Exponent - Dig.size(), QLatin1Char('0'));
    } else {
        R += Dig.left(D.Exponent) + FS.DecimalSeparator + Dig.mid(D.Exponent);
    }
    return R;
}

QString GroupThousands(const QString& IntPart, QChar Sep)
{
    if (Sep.isNull())
        return IntPart;
    QString R;
    const int n = IntPart.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            R += Sep;
        R += IntPart[i];
    }
    return R;
}

QString FixedText(double V, int Precision, int Digits, bool Thousands, const TFormatSettings& FS)
{
    if (std::isnan(V) || std::isinf(V))
        return GeneralText(V, Precision, 0, FS);
    if (Precision < 1 || Precision > 18)
        Precision = 18;
    if (Digits < 0)
        Digits = 0;
    if (Digits > 18)
        Digits = 18;
    TDecimal D = ToDecimal(V, Precision, Digits);
    if (D.Exponent > Precision)
        return GeneralText(V, Precision, 0, FS);
    const QString Dig = QString::fromLatin1(D.Digits);
    QString IntPart, Frac;
    if (Dig.isEmpty()) {
        IntPart = QStringLiteral("0");
    } else if (D.Exponent <= 0) {
        IntPart = QStringLiteral("0");
        Frac = QString(-D.Exponent, QLatin1Char('0')) + Dig;
    } else {
        IntPart = Dig.left(D.Exponent);
        if (IntPart.size() < D.Exponent)
            IntPart += QString(D.Exponent - IntPart.size(), QLatin1Char('0'));
        Frac = Dig.mid(D.Exponent);
    }
    if (Frac.size() < Digits)
        Frac += QString(Digits - Frac.size(), QLatin1Char('0'));
    Frac.truncate(Digits);
    QString R;
    if (D.Negative && !Dig.isEmpty())
        R += QLatin1Char('-');
    R += Thousands ? GroupThousands(IntPart, FS.ThousandSeparator) : IntPart;
    if (Digits > 0)
        R += FS.DecimalSeparator + Frac;
    return R;
}

QString ExponentFormText(double V, int Precision, int Digits, const TFormatSettings& FS)
{
    if (std::isnan(V) || std::isinf(V))
        return GeneralText(V, Precision, 0, FS);
    if (Precision < 1 || Precision > 18)
        Precision = 15;
    TDecimal D = ToDecimal(V, Precision, 100000);
    QString Dig = QString::fromLatin1(D.Digits);
    int Exp = Dig.isEmpty() ? 0 : D.Exponent - 1;
    if (Dig.isEmpty())
        Dig = QStringLiteral("0");
    if (Dig.size() < Precision)
        Dig += QString(Precision - Dig.size(), QLatin1Char('0'));
    QString R;
    if (D.Negative && !D.Digits.isEmpty())
        R += QLatin1Char('-');
    R += Dig[0];
    if (Precision > 1)
        R += FS.DecimalSeparator + Dig.mid(1);
    R += ExponentText(Exp, std::clamp(Digits, 0, 4), true);
    return R;
}

}  // namespace

QString FloatToStr(double Value, const TFormatSettings& Settings)
{
    return GeneralText(Value, 15, 0, Settings);
}

QString FloatToStr(double Value)
{
    return FloatToStr(Value, FormatSettings());
}

QString FloatToStrF(double Value, TFloatFormat Fmt, int Precision, int Digits, const TFormatSettings& Settings)
{
    switch (Fmt) {
    case ffGeneral:
        return GeneralText(Value, Precision, Digits, Settings);
    case ffExponent:
        return ExponentFormText(Value, Precision, Digits, Settings);
    case ffFixed:
        return FixedText(Value, Precision, Digits, false, Settings);
    case ffNumber:
        return FixedText(Value, Precision, Digits, true, Settings);
    }
    return QString();
}

QString FloatToStrF(double Value, TFloatFormat Fmt, int Precision, int Digits)
{
    return FloatToStrF(Value, Fmt, Precision, Digits, FormatSettings());
}

namespace {

bool IsAsciiDigit(QChar C)
{
    return C >= QLatin1Char('0') && C <= QLatin1Char('9');
}

// The characters of a number in "." notation, on the stack for usual lengths.
using TNumberChars = QVarLengthArray<char, 64>;

// Reads a decimal number of T from index i on: an optional sign, digits with an
// optional separator and fraction, an optional exponent. A receives the text in
// "." notation for from_chars. Returns the index of the first character that
// does not belong to the number; Complete is false when the text stopped where a
// digit was still required (no mantissa digit, or an exponent without digits).
int ScanDecimal(const QString& T, int i, QChar Decimal, TNumberChars& A, bool& Complete)
{
    const int n = T.size();
    Complete = false;
    if (i < n && (T[i] == QLatin1Char('+') || T[i] == QLatin1Char('-'))) {
        if (T[i] == QLatin1Char('-'))
            A.append('-');
        ++i;
    }
    int Digits = 0;
    while (i < n && IsAsciiDigit(T[i])) {
        A.append(char(T[i].unicode()));
        ++i;
        ++Digits;
    }
    if (i < n && T[i] == Decimal) {
        A.append('.');
        ++i;
        while (i < n && IsAsciiDigit(T[i])) {
            A.append(char(T[i].unicode()));
            ++i;
            ++Digits;
        }
    }
    if (Digits == 0)
        return i;
    if (i < n && (T[i] == QLatin1Char('e') || T[i] == QLatin1Char('E'))) {
        A.append('e');
        ++i;
        if (i < n && (T[i] == QLatin1Char('+') || T[i] == QLatin1Char('-'))) {
            A.append(char(T[i].unicode()));
            ++i;
        }
        int ExpDigits = 0;
        while (i < n && IsAsciiDigit(T[i])) {
            A.append(char(T[i].unicode()));
            ++i;
            ++ExpDigits;
        }
        if (ExpDigits == 0)
            return i;
    }
    Complete = true;
    return i;
}

// The value of a scanned number; false when it does not fit a finite double.
bool ConvertScanned(const TNumberChars& A, double& Value)
{
    double V = 0;
    auto Res = std::from_chars(A.constData(), A.constData() + A.size(), V);
    if (Res.ec != std::errc() || Res.ptr != A.constData() + A.size() || std::isinf(V))
        return false;
    Value = V;
    return true;
}

} // namespace

bool TryStrToFloat(const QString& S, double& Value, const TFormatSettings& Settings)
{
    const QString T = Trim(S);
    if (T.isEmpty())
        return false;
    TNumberChars A;
    bool Complete = false;
    const int Stop = ScanDecimal(T, 0, Settings.DecimalSeparator, A, Complete);
    if (!Complete || Stop != T.size())
        return false;
    return ConvertScanned(A, Value);
}

void Val(const QString& S, double& Value, int& Code)
{
    int i = 0;
    while (i < S.size() && S[i] == QLatin1Char(' '))
        ++i;
    TNumberChars A;
    bool Complete = false;
    const int Stop = ScanDecimal(S, i, QLatin1Char('.'), A, Complete);
    Value = 0;
    if (!Complete || Stop != S.size()) {
        Code = Stop + 1;
        return;
    }
    // A number too large for a double is wrong from its exponent on: the whole text.
    Code = ConvertScanned(A, Value) ? 0 : S.size() + 1;
    if (Code != 0)
        Value = 0;
}

bool TryStrToFloat(const QString& S, double& Value)
{
    return TryStrToFloat(S, Value, FormatSettings());
}

double StrToFloat(const QString& S, const TFormatSettings& Settings)
{
    double V;
    if (!TryStrToFloat(S, V, Settings))
        RaiseFloat(S);
    return V;
}

double StrToFloat(const QString& S)
{
    return StrToFloat(S, FormatSettings());
}

double StrToFloatDef(const QString& S, double Default)
{
    double V;
    return TryStrToFloat(S, V) ? V : Default;
}

qint64 RoundHalfEven(double Value)
{
    return static_cast<qint64>(std::nearbyint(Value));  // default rounding mode: to nearest even
}

qint64 Trunc(double Value)
{
    return static_cast<qint64>(std::trunc(Value));
}

int MulDiv(int A, int B, int C)
{
    if (C == 0)
        return -1;
    const qint64 P = static_cast<qint64>(A) * B;
    qint64 Q = P / C;
    const qint64 R = P % C;
    // Round half away from zero: compare twice the remainder with the divisor.
    if (2 * (R < 0 ? -R : R) >= (C < 0 ? -static_cast<qint64>(C) : C)) {
        const bool Negative = (P < 0) != (C < 0);
        Q += Negative ? -1 : 1;
    }
    if (Q > std::numeric_limits<int>::max() || Q < std::numeric_limits<int>::min())
        return -1;
    return static_cast<int>(Q);
}

// ---- Format ---------------------------------------------------------------------------

QString Format(const QString& Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& FS)
{
    const TVarRec* A = Args.begin();
    const int ArgCount = static_cast<int>(Args.size());
    auto Fail = [&]() -> void {
        throw EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(Fmt));
    };
    QString R;
    int ArgIndex = 0;
    const int n = Fmt.size();
    int i = 0;
    while (i < n) {
        QChar C = Fmt[i];
        if (C != QLatin1Char('%')) {
            R += C;
            ++i;
            continue;
        }
        ++i;
        if (i >= n)
            Fail();
        if (Fmt[i] == QLatin1Char('%')) {
            R += QLatin1Char('%');
            ++i;
            continue;
        }
        auto ReadNumber = [&](int& Out) -> bool {
            if (i < n && Fmt[i] == QLatin1Char('*')) {
                ++i;
                if (ArgIndex >= ArgCount || A[ArgIndex].Kind != TVarRec::vkInteger)
                    Fail();
                Out = static_cast<int>(A[ArgIndex++].I);
                return true;
            }
            bool Any = false;
            int V = 0;
            while (i < n && Fmt[i] >= QLatin1Char('0') && Fmt[i] <= QLatin1Char('9')) {
                V = V * 10 + (Fmt[i].unicode() - '0');
                ++i;
                Any = true;
            }
            Out = V;
            return Any;
        };
        // [index:] [-] [width] [.precision] type
        {
            int j = i, Num = 0;
            while (j < n && Fmt[j] >= QLatin1Char('0') && Fmt[j] <= QLatin1Char('9'))
                Num = Num * 10 + (Fmt[j++].unicode() - '0');
            if (j > i && j < n && Fmt[j] == QLatin1Char(':')) {
                ArgIndex = Num;
                i = j + 1;
            }
        }
        bool LeftJustify = false;
        if (i < n && Fmt[i] == QLatin1Char('-')) {
            LeftJustify = true;
            ++i;
        }
        int Width = -1;
        if (!ReadNumber(Width))
            Width = -1;
        int Prec = -1;
        if (i < n && Fmt[i] == QLatin1Char('.')) {
            ++i;
            if (!ReadNumber(Prec))
                Prec = 0;
        }
        if (i >= n)
            Fail();
        const QChar Type = Fmt[i].toLower();
        ++i;
        if (ArgIndex >= ArgCount)
            Fail();
        const TVarRec& Arg = A[ArgIndex++];
        QString T;
        switch (Type.unicode()) {
        case 'd':
        case 'u': {
            if (Arg.Kind != TVarRec::vkInteger && Arg.Kind != TVarRec::vkUnsigned)
                Fail();
            bool Neg = false;
            quint64 Mag;
            if (Arg.Kind == TVarRec::vkInteger) {
                qint64 V = Arg.I;
                if (Type == QLatin1Char('u') && V < 0)
                    V = static_cast<qint64>(static_cast<quint32>(V));
                Neg = V < 0;
                Mag = Neg ? 0ull - static_cast<quint64>(V) : static_cast<quint64>(V);
            } else {
                Mag = Arg.U;
            }
            T = QString::number(Mag);
            if (Prec > 0 && T.size() < Prec)
                T = QString(Prec - T.size(), QLatin1Char('0')) + T;
            if (Neg)
                T.prepend(QLatin1Char('-'));
            break;
        }
        case 'x': {
            quint64 Bits;
            if (Arg.Kind == TVarRec::vkInteger)
                Bits = (Arg.I >= std::numeric_limits<qint32>::min() && Arg.I <= std::numeric_limits<qint32>::max())
                           ? static_cast<quint32>(Arg.I)
                           : static_cast<quint64>(Arg.I);
            else if (Arg.Kind == TVarRec::vkUnsigned)
                Bits = Arg.U;
            else
                Fail();
            T = IntToHexBits(Bits, Prec > 0 ? Prec : 0);
            break;
        }
        case 'p':
            if (Arg.Kind != TVarRec::vkPointer)
                Fail();
            T = IntToHexBits(Arg.U, static_cast<int>(sizeof(void*) * 2));
            break;
        case 'e':
        case 'f':
        case 'g':
        case 'n':
        case 'm': {
            double V;
            if (Arg.Kind == TVarRec::vkFloat)
                V = Arg.F;
            else
                Fail();
            if (Type == QLatin1Char('e'))
                T = ExponentFormText(V, Prec < 0 ? 15 : Prec, 3, FS);
            else if (Type == QLatin1Char('f'))
                T = FixedText(V, 18, Prec < 0 ? 2 : Prec, false, FS);
            else if (Type == QLatin1Char('n') || Type == QLatin1Char('m'))
                T = FixedText(V, 18, Prec < 0 ? 2 : Prec, true, FS);
            else
                T = GeneralText(V, Prec < 0 ? 15 : Prec, 0, FS);
            break;
        }
        case 's':
            if (Arg.Kind != TVarRec::vkString && Arg.Kind != TVarRec::vkChar)
                Fail();
            T = Arg.S;
            if (Prec >= 0 && T.size() > Prec)
                T.truncate(Prec);
            break;
        default:
            Fail();
        }
        if (Width > T.size()) {
            const QString Pad(Width - T.size(), QLatin1Char(' '));
            T = LeftJustify ? T + Pad : Pad + T;
        }
        R += T;
    }
    return R;
}

QString Format(const QString& Fmt, std::initializer_list<TVarRec> Args)
{
    return Format(Fmt, Args, FormatSettings());
}

// ---- text -----------------------------------------------------------------------------

QString Trim(const QString& S)
{
    int L = 0, R = S.size();
    while (L < R && S[L].unicode() <= ' ')
        ++L;
    while (R > L && S[R - 1].unicode() <= ' ')
        --R;
    return S.mid(L, R - L);
}

QString TrimLeft(const QString& S)
{
    int L = 0;
    while (L < S.size() && S[L].unicode() <= ' ')
        ++L;
    return S.mid(L);
}

QString TrimRight(const QString& S)
{
    int R = S.size();
    while (R > 0 && S[R - 1].unicode() <= ' ')
        --R;
    return S.left(R);
}

QString UpperCase(const QString& S)
{
    QString R = S;
    for (QChar& C : R)
        if (C.unicode() >= 'a' && C.unicode() <= 'z')
            C = QChar(C.unicode() - 32);
    return R;
}

QString LowerCase(const QString& S)
{
    QString R = S;
    for (QChar& C : R)
        if (C.unicode() >= 'A' && C.unicode() <= 'Z')
            C = QChar(C.unicode() + 32);
    return R;
}

QString AnsiUpperCase(const QString& S)
{
    return S.toUpper();
}

QString AnsiLowerCase(const QString& S)
{
    return S.toLower();
}

int CompareStr(const QString& S1, const QString& S2)
{
    const int n = std::min(S1.size(), S2.size());
    for (int i = 0; i < n; ++i)
        if (S1[i] != S2[i])
            return int(S1[i].unicode()) - int(S2[i].unicode());
    return int(S1.size()) - int(S2.size());
}

int CompareText(const QString& S1, const QString& S2)
{
    const int n = std::min(S1.size(), S2.size());
    for (int i = 0; i < n; ++i) {
        int a = S1[i].unicode(), b = S2[i].unicode();
        if (a >= 'a' && a <= 'z')
            a -= 32;
        if (b >= 'a' && b <= 'z')
            b -= 32;
        if (a != b)
            return a - b;
    }
    return int(S1.size()) - int(S2.size());
}

bool SameText(const QString& S1, const QString& S2)
{
    return S1.size() == S2.size() && CompareText(S1, S2) == 0;
}

int AnsiCompareText(const QString& S1, const QString& S2)
{
    return QString::compare(S1, S2, Qt::CaseInsensitive);
}

int AnsiCompareStr(const QString& S1, const QString& S2)
{
    return QString::compare(S1, S2, Qt::CaseSensitive);
}

bool AnsiSameText(const QString& S1, const QString& S2)
{
    return AnsiCompareText(S1, S2) == 0;
}

QString AnsiQuotedStr(const QString& S, QChar Quote)
{
    QString R = Quote;
    for (QChar C : S) {
        R += C;
        if (C == Quote)
            R += C;
    }
    R += Quote;
    return R;
}

QString QuotedStr(const QString& S)
{
    return AnsiQuotedStr(S, QLatin1Char('\''));
}

QString AnsiExtractQuotedStr(const QString& S, int& Pos, QChar Quote)
{
    if (Pos >= S.size() || S[Pos] != Quote)
        return QString();
    QString R;
    int i = Pos + 1;
    while (i < S.size()) {
        if (S[i] == Quote) {
            if (i + 1 < S.size() && S[i + 1] == Quote) {
                R += Quote;
                i += 2;
                continue;
            }
            ++i;
            Pos = i;
            return R;
        }
        R += S[i++];
    }
    Pos = i;
    return R;
}

QString AnsiDequotedStr(const QString& S, QChar Quote)
{
    int P = 0;
    if (S.isEmpty() || S[0] != Quote)
        return S;
    QString R = AnsiExtractQuotedStr(S, P, Quote);
    // Not a single well-formed quoted string: keep the text as it is.
    if (P != S.size() || S.size() < 2 || S[S.size() - 1] != Quote)
        return S;
    return R;
}

QString StringReplace(const QString& S, const QString& OldPattern, const QString& NewPattern, int Flags)
{
    if (OldPattern.isEmpty())
        return S;
    const Qt::CaseSensitivity CS = (Flags & rfIgnoreCase) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (Flags & rfReplaceAll) {
        QString R = S;
        return R.replace(OldPattern, NewPattern, CS);
    }
    const int P = S.indexOf(OldPattern, 0, CS);
    if (P < 0)
        return S;
    return S.left(P) + NewPattern + S.mid(P + OldPattern.size());
}

int Pos(const QString& SubStr, const QString& S)
{
    if (SubStr.isEmpty())
        return 0;
    return S.indexOf(SubStr) + 1;
}

QString Copy(const QString& S, int Index, int Count)
{
    if (Index < 1)
        Index = 1;
    if (Count <= 0 || Index > S.size())
        return QString();
    return S.mid(Index - 1, Count);
}

QString BoolToStr(bool B, bool UseBoolStrs)
{
    if (UseBoolStrs)
        return B ? QStringLiteral("True") : QStringLiteral("False");
    return B ? QStringLiteral("-1") : QStringLiteral("0");
}

bool StrToBool(const QString& S)
{
    if (SameText(S, QStringLiteral("True")))
        return true;
    if (SameText(S, QStringLiteral("False")))
        return false;
    double V;
    if (TryStrToFloat(S, V))
        return V != 0;
    throw EConvertError(QStringLiteral("'%1' is not a valid boolean value").arg(S));
}
