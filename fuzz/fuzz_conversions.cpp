// The text conversions the readers use; the first byte picks one, the rest is its input.
#include "fuzz_support.h"
#include "platform/core/codepages.h"
#include "platform/core/files.h"
#include "platform/core/format_settings.h"
#include "platform/core/inifiles.h"
#include "platform/core/stringlist.h"
#include "platform/core/sysutils.h"
#include "common/common_routines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QString text = DecodeText(bytes);
    switch (data[0] % 8) {
    case 0: {
        int i = 0;
        qint64 l = 0;
        if (TryStrToInt(text, i))
            FUZZ_REQUIRE(StrToIntDef(IntToStr(i), i + 1) == i);
        (void)TryStrToInt64(text, l);
        (void)IntToHex(i, int(size % 20));
        (void)IntToHex(l, int(size % 20));
        break;
    }
    case 1: {
        double d = 0;
        float f = 0;
        (void)TryStrToFloat(text, d);
        (void)TryStrToFloat(text, d, InvariantFormatSettings());
        (void)Conv_Str_To_Float(text, QLatin1Char(','), f);
        (void)FloatToStr(d);
        break;
    }
    case 2: {
        TStringList l;
        l.SetCommaText(text);
        l.SetDelimitedText(l.CommaText());
        (void)l.DelimitedText();
        break;
    }
    case 3:
        FUZZ_REQUIRE(UnicodeToAnsi(AnsiToUnicode(bytes)).size() == bytes.size());
        (void)UnicodeToAnsi(text);
        break;
    case 4:
        FUZZ_REQUIRE(UnicodeToOem(OemToUnicode(bytes)).size() == bytes.size());
        (void)UnicodeToOem(text);
        break;
    case 5: {
        TTextEncoding found = TTextEncoding::Ansi;
        const QString decoded = DecodeText(bytes, &found);
        (void)SplitLines(decoded);
        (void)EncodeText(decoded, found);
        break;
    }
    case 6: {
        // INI text: parsed, written and parsed again; every key written can be read.
        TMemIniFile ini;
        ini.SetText(text);
        TMemIniFile back;
        back.SetText(ini.Text());
        for (const QString& section : back.SectionNames())
            for (const QString& key : back.SectionKeys(section))
                (void)back.ReadString(section, key, QString());
        break;
    }
    default: {
        uint8_t b[4] = {};
        uint16_t port = 0;
        (void)Get_IP_Bytes(text, b[0], b[1], b[2], b[3]);
        (void)Get_IP_Port_Bytes(text, b[0], b[1], b[2], b[3], port);
        (void)Get_IOLink_Slave_Com(text);
        break;
    }
    }
    return 0;
}

#include "fuzz_standalone_main.h"
