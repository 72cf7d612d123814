#include "enip_outputs/iodd_document.h"

#include "enip_outputs/bank_compiler.h"
#include "enip_outputs/enip_convert.h"
#include "common/maker_identity.h"
#include "platform/core/format_settings.h"
#include "platform/core/sysutils.h"
#include "common/common_routines.h"
#include "common/iolink_slave_file.h"
#include "common/par_gen_file.h"
#include "common/xml_text.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <limits>

namespace {

constexpr int Max_Item_Bits = 64;
constexpr int Max_PD_Bits = 256;
constexpr int Max_Index = 65535;
// Schema checkers (libxml2's among them) take decimals of at most this many digits.
constexpr int Max_Decimal_Digits = 24;

QString Q(const char* s)
{
    return QString::fromUtf8(s);
}

// Collects the document line by line; every line ends in CR LF.
class TLines {
public:
    void Add(int depth, const QString& text)
    {
        FText += QString(depth, QLatin1Char('\t'));
        FText += text;
        FText += QLatin1String("\r\n");
    }
    QByteArray Bytes() const { return FText.toUtf8(); }

private:
    QString FText;
};

QString Datatype_Attr(int length)
{
    if (length == 1)
        return QStringLiteral("xsi:type=\"BooleanT\"");
    return QStringLiteral("xsi:type=\"UIntegerT\" bitLength=\"%1\"").arg(length);
}

void Write_Process_Data(TLines& w, const QVector<TProcessData>& items, bool input)
{
    const QString id = input ? QStringLiteral("PD_IN") : QStringLiteral("PD_OUT");
    const QString elem = input ? QStringLiteral("ProcessDataIn") : QStringLiteral("ProcessDataOut");
    const QString tn = input ? QStringLiteral("TN_PDIn_") : QStringLiteral("TN_PDOut_");
    const QString td = input ? QStringLiteral("TD_PDIn_") : QStringLiteral("TD_PDOut_");
    const QString name = input ? QStringLiteral("TN_PD_In") : QStringLiteral("TN_PD_Out");
    const int total = IODD_PD_Bit_Length(items);

    w.Add(5, QStringLiteral("<%1 id=\"%2\" bitLength=\"%3\">").arg(elem, id).arg(total));
    w.Add(6, QStringLiteral("<Datatype xsi:type=\"RecordT\" bitLength=\"%1\" subindexAccessSupported=\"false\">")
                 .arg(total));
    qint64 offset = 0;
    for (int j = 0; j < items.size(); ++j) {
        const TProcessData& p = items[j];
        w.Add(7, QStringLiteral("<RecordItem subindex=\"%1\" bitOffset=\"%2\">").arg(j + 1).arg(offset));
        w.Add(8, QStringLiteral("<SimpleDatatype %1/>").arg(Datatype_Attr(p.Length)));
        w.Add(8, QStringLiteral("<Name textId=\"%1%2\"></Name>").arg(tn).arg(j));
        w.Add(8, QStringLiteral("<Description textId=\"%1%2\"/>").arg(td).arg(j));
        w.Add(7, QStringLiteral("</RecordItem>"));
        offset += p.Length;
    }
    w.Add(6, QStringLiteral("</Datatype>"));
    w.Add(6, QStringLiteral("<Name textId=\"%1\"/>").arg(name));
    w.Add(5, QStringLiteral("</%1>").arg(elem));
}

void Write_Observe(TLines& w, const QVector<TProcessData>& items, const char* variable)
{
    for (int j = 0; j < items.size(); ++j) {
        const TProcessData& p = items[j];
        QString line = QStringLiteral("<RecordItemRef variableId=\"%1\" subindex=\"%2\" displayFormat=\"Dec\"")
                           .arg(Q(variable))
                           .arg(j + 1);
        if (p.Length != 1)
            line += QStringLiteral(" gradient=\"%1\" offset=\"%2\"").arg(IODD_Float_Str(p.Gradient)).arg(p.Offset);
        w.Add(6, line + QStringLiteral("/>"));
    }
}

void Write_Texts(TLines& w, const QVector<TProcessData>& items, const char* tn, const char* td)
{
    for (int j = 0; j < items.size(); ++j) {
        w.Add(3, QStringLiteral("<Text id=\"%1%2\" value=\"%3\"/>").arg(Q(tn)).arg(j).arg(IODD_Escape(items[j].Name)));
        w.Add(3, QStringLiteral("<Text id=\"%1%2\" value=\"%3\"/>")
                     .arg(Q(td))
                     .arg(j)
                     .arg(IODD_Escape(items[j].Description)));
    }
}

}  // namespace

QString Get_IODD_Access(const QString& text)
{
    if (text == QLatin1String("Read Only"))
        return QStringLiteral("ro");
    if (text == QLatin1String("Write Only"))
        return QStringLiteral("wo");
    if (text == QLatin1String("Read Write"))
        return QStringLiteral("rw");
    return QString();
}

static QString Year_Str(int year)
{
    if (year < 10)
        return QStringLiteral("200") + QString::number(year);
    if (year < 100)
        return QStringLiteral("20") + QString::number(year);
    return QString::number(year);
}

QString Get_Date_Str(const QDate& date)
{
    return Year_Str(date.year()) + QStringLiteral("%1%2").arg(date.month(), 2, 10, QLatin1Char('0'))
                                        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

QString Get_Date_Str_Dash(const QDate& date)
{
    return Year_Str(date.year()) + QStringLiteral("-%1-%2").arg(date.month(), 2, 10, QLatin1Char('0'))
                                        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

QString Get_Device_Code()
{
    return Q(maker::Device_Code);
}

QString Get_Device_Id()
{
    return QString::number(maker::IOLink_Device_Id);
}

QString IODD_Base_Name(const QDate& date)
{
    return Q(maker::Vendor_Name) + QLatin1Char('-') + Get_Device_Code() + QLatin1Char('-') + Get_Date_Str(date) +
           QStringLiteral("-IODD1.1");
}

QString IODD_Float_Str(float value)
{
    TFormatSettings fs = FormatSettings();
    fs.DecimalSeparator = QLatin1Char('.');
    const QString general = FloatToStr(double(value), fs);
    const qsizetype e = general.indexOf(QLatin1Char('E'));
    if (e < 0)
        return general;
    // The attribute is a schema decimal, which has no exponent: move the point instead.
    QString mantissa = general.left(e);
    const int exponent = general.mid(e + 1).toInt();
    const bool negative = mantissa.startsWith(QLatin1Char('-'));
    if (negative)
        mantissa.remove(0, 1);
    const qsizetype dot = mantissa.indexOf(QLatin1Char('.'));
    qsizetype point = dot < 0 ? mantissa.size() : dot;
    QString digits = mantissa;
    if (dot >= 0)
        digits.remove(dot, 1);
    point += exponent;
    if (point <= 0) {
        digits.prepend(QString(-point, QLatin1Char('0')));
        point = 0;
    } else if (point > digits.size()) {
        digits.append(QString(point - digits.size(), QLatin1Char('0')));
    }
    QString intPart = digits.left(point), fracPart = digits.mid(point);
    while (fracPart.endsWith(QLatin1Char('0')))
        fracPart.chop(1);
    if (intPart.isEmpty())
        intPart = QStringLiteral("0");
    QString out = negative ? QStringLiteral("-") : QString();
    out += intPart;
    if (!fracPart.isEmpty())
        out += QLatin1Char('.') + fracPart;
    return out;
}

namespace {

// Digits a schema checker counts in a decimal: the integer part without its leading
// zeros, and the whole fraction.
qsizetype Decimal_Digits(const QString& text)
{
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    QString intPart = dot < 0 ? text : text.left(dot);
    intPart.remove(QLatin1Char('-'));
    while (intPart.startsWith(QLatin1Char('0')))
        intPart.remove(0, 1);
    return intPart.size() + (dot < 0 ? 0 : text.size() - dot - 1);
}

bool Gradient_Writable(float gradient)
{
    return Decimal_Digits(IODD_Float_Str(gradient)) <= Max_Decimal_Digits;
}

}  // namespace

// Only what would break a double-quoted attribute is replaced, so a text without
// those characters is written exactly as typed.
QString IODD_Escape(const QString& text)
{
    return Xml_Escape(text, false);
}

qint64 IODD_PD_Bit_Length(const QVector<TProcessData>& items)
{
    qint64 total = 0;
    for (const TProcessData& p : items)
        total += p.Length;
    if (total > 16 && total % 8 != 0)
        total += 8 - total % 8;
    return total;
}

TIODD_Data Load_IODD_Data(const QString& parGenPath, const QString& ioLinkSlavePath)
{
    TIODD_Data d;
    if (QFile::exists(parGenPath)) {
        // Matched as the general-parameters window and the bank compiler match it, so
        // the three agree and the document names a rate the schema knows.
        try {
            const QString stored = Read_ParGen_File(parGenPath).IOLink_Slave_Baudrate;
            d.Bit_Rate = QStringLiteral("COM%1").arg(Get_IOLink_Slave_Com(stored));
        } catch (...) {
            d.Bit_Rate = QStringLiteral("COM1");
        }
    }
    const QChar sep = Get_Decimal_Separator();

    if (QFile::exists(ioLinkSlavePath)) {
        const TIOLink_Slave_Data file = Read_IOLink_Slave_File(ioLinkSlavePath);
        // Only a row whose Enable attribute reads "Y" goes into the document.
        auto enabled = [](const auto& row) {
            return row.Has(iol_Enable) && row.Enable.trimmed().toUpper() == QLatin1String("Y");
        };
        // A missing attribute or a text that is no number keeps the default.
        auto integer = [](const QString& text, int def) { return enip::Str_To_Int_Def(text, def); };
        auto gradient = [&](const QString& text) {
            float g = 1.0f;
            if (!Conv_Str_To_Float(text, sep, g))
                g = 1.0f;
            return g;
        };
        // The editor and the bank compiler hold Max_IOLink_Par rows a section; rows beyond
        // them are counted, not read.
        int skipped = 0;
        for (const TIOLink_Slave_Variable& r : file.Variables) {
            if (!enabled(r))
                continue;
            if (d.Variables.size() >= Max_IOLink_Par) {
                ++skipped;
                continue;
            }
            TVariable v;
            v.Index = integer(r.Index, 60);
            v.Name = r.Name;
            v.Access = Get_IODD_Access(r.Access);
            v.Length = integer(r.Length, 0);
            v.Gradient = gradient(r.Gradient);
            v.Offset = integer(r.Offset, 0);
            v.UnitCode = integer(r.UnitCode, 0);
            v.DefaultValue = integer(r.DefaultValue, 0);
            v.Description = r.Description;
            d.Variables.append(v);
        }
        if (skipped > 0)
            d.Warnings << IOLink_Variables_Left_Out(skipped);
        // More process-data items than the editor holds exceed what IO-Link carries, so
        // the surplus is not read and the check refuses the rest.
        auto read_pd = [&](const std::vector<TIOLink_Slave_Process_Row>& rows, QVector<TProcessData>& list,
                           qint64& total) {
            for (const TIOLink_Slave_Process_Row& r : rows) {
                if (list.size() >= Max_IOLink_Par)
                    break;
                if (!enabled(r))
                    continue;
                TProcessData p;
                p.Name = r.Name;
                p.Description = r.Description;
                p.Length = integer(r.Length, 0);
                p.Gradient = gradient(r.Gradient);
                p.Offset = integer(r.Offset, 0);
                p.UnitCode = integer(r.UnitCode, 0);
                total += p.Length;
                list.append(p);
            }
        };
        read_pd(file.Process_Data_Input, d.Input, d.Input_Bits);
        read_pd(file.Process_Data_Output, d.Output, d.Output_Bits);
    }
    auto bits = [](qint64 total) {
        return int(std::clamp<qint64>(total, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    };
    int us = 0;
    Calc_IOLink_Min_Cycle_Time(d.Bit_Rate, bits(d.Input_Bits), bits(d.Output_Bits), us);
    d.Min_Cycle_Time = us;
    return d;
}

QString Check_IODD_Data(const TIODD_Data& data)
{
    if (data.Variables.isEmpty())
        return QStringLiteral("The IODD file was not written: the project has no enabled IO-Link variable.");
    if (data.Input.isEmpty() && data.Output.isEmpty())
        return QStringLiteral("The IODD file was not written: the project has no enabled process data.");
    for (int j = 0; j < data.Variables.size(); ++j) {
        const TVariable& v = data.Variables[j];
        if (v.Length < 1 || v.Length > Max_Item_Bits)
            return QStringLiteral("The IODD file was not written: the IO-Link variable \"%1\" (index %2) is %3 bits "
                                  "long; an IODD variable holds 1 to %4 bits.")
                .arg(v.Name)
                .arg(v.Index)
                .arg(v.Length)
                .arg(Max_Item_Bits);
        if (v.Access.isEmpty())
            return QStringLiteral("The IODD file was not written: the IO-Link variable \"%1\" (index %2) has no "
                                  "valid access (Read Only, Write Only or Read Write).")
                .arg(v.Name)
                .arg(v.Index);
        if (v.Index < 0 || v.Index > Max_Index)
            return QStringLiteral("The IODD file was not written: the IO-Link variable \"%1\" has the index %2; "
                                  "an IODD variable index is 0 to %3.")
                .arg(v.Name)
                .arg(v.Index)
                .arg(Max_Index);
        if (v.Length != 1 && v.UnitCode < 0)
            return QStringLiteral("The IODD file was not written: the IO-Link variable \"%1\" (index %2) has the "
                                  "unit code %3; a unit code is a positive number, or 0 for none.")
                .arg(v.Name)
                .arg(v.Index)
                .arg(v.UnitCode);
        if (v.Length != 1 && !Gradient_Writable(v.Gradient))
            return QStringLiteral("The IODD file was not written: the gradient %1 of the IO-Link variable \"%2\" "
                                  "(index %3) needs more than %4 digits as a decimal number.")
                .arg(IODD_Float_Str(v.Gradient), v.Name)
                .arg(v.Index)
                .arg(Max_Decimal_Digits);
    }
    QHash<int, int> byIndex;
    for (int j = 0; j < data.Variables.size(); ++j) {
        const TVariable& v = data.Variables[j];
        const auto seen = byIndex.constFind(v.Index);
        if (seen != byIndex.constEnd())
            return QStringLiteral("The IODD file was not written: the IO-Link variables \"%1\" and \"%2\" both "
                                  "have the index %3.")
                .arg(data.Variables[*seen].Name, v.Name)
                .arg(v.Index);
        byIndex.insert(v.Index, j);
    }
    auto check_pd = [](const QVector<TProcessData>& items, const QString& dir) -> QString {
        for (const TProcessData& p : items) {
            if (p.Length < 1 || p.Length > Max_Item_Bits)
                return QStringLiteral("The IODD file was not written: the %1 process data item \"%2\" is %3 bits "
                                      "long; an item holds 1 to %4 bits.")
                    .arg(dir, p.Name)
                    .arg(p.Length)
                    .arg(Max_Item_Bits);
            if (p.Length != 1 && !Gradient_Writable(p.Gradient))
                return QStringLiteral("The IODD file was not written: the gradient %1 of the %2 process data item "
                                      "\"%3\" needs more than %4 digits as a decimal number.")
                    .arg(IODD_Float_Str(p.Gradient), dir, p.Name)
                    .arg(Max_Decimal_Digits);
        }
        const qint64 total = IODD_PD_Bit_Length(items);
        if (total > Max_PD_Bits)
            return QStringLiteral("The IODD file was not written: the %1 process data take %2 bits; IO-Link "
                                  "carries at most %3 bits.")
                .arg(dir)
                .arg(total)
                .arg(Max_PD_Bits);
        return QString();
    };
    QString e = check_pd(data.Input, QStringLiteral("input"));
    if (e.isEmpty())
        e = check_pd(data.Output, QStringLiteral("output"));
    return e;
}

QByteArray Build_IODD_Document(const TIODD_Data& data, const QString& crc, const QDate& date)
{
    TLines w;
    const QString code = Get_Device_Code();
    const QString vendor = IODD_Escape(Q(maker::Vendor_Name));
    const QString web = IODD_Escape(Q(maker::Web_Address));

    w.Add(0, QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>"));
    w.Add(0, QStringLiteral("<IODevice xmlns=\"http://www.io-link.com/IODD/2010/10\" "
                            "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                            "xsi:schemaLocation=\"http://www.io-link.com/IODD/2010/10 IODD1.1.xsd\">"));
    w.Add(1, QStringLiteral("<DocumentInfo version=\"V1.0.1\" releaseDate=\"%1\" copyright=\"%2\"/>")
                 .arg(Get_Date_Str_Dash(date), IODD_Escape(Q(maker::Notice_Text))));
    w.Add(1, QStringLiteral("<ProfileHeader>"));
    w.Add(2, QStringLiteral("<ProfileIdentification>IO Device Profile</ProfileIdentification>"));
    w.Add(2, QStringLiteral("<ProfileRevision>1.1</ProfileRevision>"));
    w.Add(2, QStringLiteral("<ProfileName>Device Profile for IO Devices</ProfileName>"));
    w.Add(2, QStringLiteral("<ProfileSource>IO-Link Consortium</ProfileSource>"));
    w.Add(2, QStringLiteral("<ProfileClassID>Device</ProfileClassID>"));
    w.Add(2, QStringLiteral("<ISO15745Reference>"));
    w.Add(3, QStringLiteral("<ISO15745Part>1</ISO15745Part>"));
    w.Add(3, QStringLiteral("<ISO15745Edition>1</ISO15745Edition>"));
    w.Add(3, QStringLiteral("<ProfileTechnology>IODD</ProfileTechnology>"));
    w.Add(2, QStringLiteral("</ISO15745Reference>"));
    w.Add(1, QStringLiteral("</ProfileHeader>"));

    w.Add(1, QStringLiteral("<ProfileBody>"));
    w.Add(2, QStringLiteral("<DeviceIdentity vendorId=\"%1\" vendorName=\"%2\" deviceId=\"%3\">")
                 .arg(maker::IOLink_Vendor_Id)
                 .arg(vendor, Get_Device_Id()));
    w.Add(3, QStringLiteral("<VendorText textId=\"TI_VendorText\"/>"));
    w.Add(3, QStringLiteral("<VendorUrl textId=\"TI_VendorUrl\"/>"));
    w.Add(3, QStringLiteral("<VendorLogo name=\"Norvel-logo.png\"/>"));
    w.Add(3, QStringLiteral("<DeviceName textId=\"TI_DeviceName\"/>"));
    w.Add(3, QStringLiteral("<DeviceFamily textId=\"TI_DeviceFamily\"/>"));
    w.Add(3, QStringLiteral("<DeviceVariantCollection>"));
    w.Add(4, QStringLiteral("<DeviceVariant productId=\"%1\" deviceSymbol=\"Norvel-pic.png\" "
                            "deviceIcon=\"Norvel-icon.png\">")
                 .arg(code));
    w.Add(5, QStringLiteral("<Name textId=\"TN_Product\"/>"));
    w.Add(5, QStringLiteral("<Description textId=\"TD_Product\"/>"));
    w.Add(4, QStringLiteral("</DeviceVariant>"));
    w.Add(3, QStringLiteral("</DeviceVariantCollection>"));
    w.Add(2, QStringLiteral("</DeviceIdentity>"));

    w.Add(2, QStringLiteral("<DeviceFunction>"));
    w.Add(3, QStringLiteral("<Features blockParameter=\"true\" dataStorage=\"true\"/>"));
    w.Add(3, QStringLiteral("<VariableCollection>"));
    w.Add(4, QStringLiteral("<StdVariableRef id=\"V_DirectParameters_1\"/>"));
    w.Add(4, QStringLiteral("<StdVariableRef id=\"V_SystemCommand\">"));
    for (int v : {129, 130, 131})
        w.Add(5, QStringLiteral("<StdSingleValueRef value=\"%1\"/>").arg(v));
    w.Add(4, QStringLiteral("</StdVariableRef>"));
    auto std_ref = [&](const char* id, int len, const QString& def) {
        w.Add(4, QStringLiteral("<StdVariableRef id=\"%1\" fixedLengthRestriction=\"%2\" defaultValue=\"%3\"/>")
                     .arg(Q(id))
                     .arg(len)
                     .arg(def));
    };
    std_ref("V_VendorName", 32, vendor);
    std_ref("V_VendorText", 32, web);
    std_ref("V_ProductName", 32, QString());
    std_ref("V_ProductID", 32, QString());
    std_ref("V_ProductText", 32, QString());
    std_ref("V_HardwareRevision", 32, QString());
    std_ref("V_FirmwareRevision", 16, QString());
    std_ref("V_ApplicationSpecificTag", 16, QStringLiteral("***"));
    w.Add(4, QStringLiteral("<StdVariableRef id=\"V_ProcessDataInput\"/>"));
    w.Add(4, QStringLiteral("<StdVariableRef id=\"V_ProcessDataOutput\"/>"));
    w.Add(0, QString());
    for (int j = 0; j < data.Variables.size(); ++j) {
        const TVariable& v = data.Variables[j];
        w.Add(4, QStringLiteral("<Variable id=\"PAR_%1\" accessRights=\"%2\"  index=\"%3\" defaultValue=\"%4\">")
                     .arg(j)
                     .arg(v.Access)
                     .arg(v.Index)
                     .arg(v.DefaultValue));
        w.Add(5, QStringLiteral("<Datatype %1/>").arg(Datatype_Attr(v.Length)));
        w.Add(5, QStringLiteral("<Name textId=\"TN_par_%1\"/>").arg(j));
        w.Add(5, QStringLiteral("<Description textId=\"TD_par_%1\"/>").arg(j));
        w.Add(4, QStringLiteral("</Variable>"));
    }
    w.Add(3, QStringLiteral("</VariableCollection>"));

    w.Add(3, QStringLiteral("<ProcessDataCollection>"));
    w.Add(4, QStringLiteral("<ProcessData id=\"PD\">"));
    if (!data.Input.isEmpty())
        Write_Process_Data(w, data.Input, true);
    if (!data.Output.isEmpty())
        Write_Process_Data(w, data.Output, false);
    w.Add(4, QStringLiteral("</ProcessData>"));
    w.Add(3, QStringLiteral("</ProcessDataCollection>"));

    w.Add(3, QStringLiteral("<ErrorTypeCollection>"));
    const struct {
        int code;
        const char* text;
    } errors[] = {{0, "no detail"},
                  {17, "Idx not avail."},
                  {18, "Subidx not avail."},
                  {32, "Service not avail."},
                  {35, "Access denied"},
                  {48, "Para value out of range"},
                  {51, "Para len overrun"},
                  {52, "Para len underrun"},
                  {53, "Function not avail."},
                  {54, "Function temporarily not avail"},
                  {64, "Para set invalid"},
                  {65, "Para set inconsistent"},
                  {130, "Application not ready"}};
    for (const auto& e : errors)
        w.Add(4, QStringLiteral("<StdErrorTypeRef code=\"128\" additionalCode=\"%1\"/><!-- %2 -->")
                     .arg(e.code)
                     .arg(Q(e.text)));
    w.Add(3, QStringLiteral("</ErrorTypeCollection>"));

    w.Add(3, QStringLiteral("<UserInterface>"));
    w.Add(4, QStringLiteral("<MenuCollection>"));
    w.Add(5, QStringLiteral("<Menu id=\"M_Ident\">"));
    for (const char* id : {"V_VendorName", "V_VendorText", "V_ProductName", "V_ProductID", "V_ProductText",
                           "V_HardwareRevision", "V_FirmwareRevision", "V_ApplicationSpecificTag"})
        w.Add(6, QStringLiteral("<VariableRef variableId=\"%1\"/>").arg(Q(id)));
    w.Add(5, QStringLiteral("</Menu>"));
    w.Add(5, QStringLiteral("<Menu id=\"M_Par\">"));
    for (int j = 0; j < data.Variables.size(); ++j) {
        const TVariable& v = data.Variables[j];
        QString line = QStringLiteral("<VariableRef variableId=\"PAR_%1\" displayFormat=\"Dec\"").arg(j);
        if (v.Length != 1) {
            line += QStringLiteral(" gradient=\"%1\" offset=\"%2\"").arg(IODD_Float_Str(v.Gradient)).arg(v.Offset);
            // A unit code is a positive number; a row without one writes none.
            if (v.UnitCode > 0)
                line += QStringLiteral(" unitCode=\"%1\"").arg(v.UnitCode);
        }
        w.Add(6, line + QStringLiteral("/>"));
    }
    w.Add(5, QStringLiteral("</Menu>"));
    w.Add(5, QStringLiteral("<Menu id=\"M_Observe\">"));
    Write_Observe(w, data.Input, "V_ProcessDataInput");
    Write_Observe(w, data.Output, "V_ProcessDataOutput");
    w.Add(5, QStringLiteral("</Menu>"));
    w.Add(4, QStringLiteral("</MenuCollection>"));
    w.Add(4, QStringLiteral("<ObserverRoleMenuSet>"));
    w.Add(5, QStringLiteral("<IdentificationMenu menuId=\"M_Ident\"/>"));
    w.Add(5, QStringLiteral("<ParameterMenu menuId=\"M_Par\"/>"));
    w.Add(4, QStringLiteral("</ObserverRoleMenuSet>"));
    for (const char* set : {"MaintenanceRoleMenuSet", "SpecialistRoleMenuSet"}) {
        w.Add(4, QStringLiteral("<%1>").arg(Q(set)));
        w.Add(5, QStringLiteral("<IdentificationMenu menuId=\"M_Ident\"/>"));
        w.Add(5, QStringLiteral("<ParameterMenu menuId=\"M_Par\"/>"));
        w.Add(5, QStringLiteral("<ObservationMenu menuId=\"M_Observe\"/>"));
        w.Add(4, QStringLiteral("</%1>").arg(Q(set)));
    }
    w.Add(3, QStringLiteral("</UserInterface>"));
    w.Add(2, QStringLiteral("</DeviceFunction>"));
    w.Add(1, QStringLiteral("</ProfileBody>"));

    w.Add(1, QStringLiteral("<CommNetworkProfile xsi:type=\"IOLinkCommNetworkProfileT\" iolinkRevision=\"V1.1\">"));
    w.Add(2, QStringLiteral("<TransportLayers>"));
    w.Add(3, QStringLiteral("<PhysicalLayer minCycleTime=\"%1\" sioSupported=\"true\" bitrate=\"%2\" "
                            "mSequenceCapability=\"41\">")
                 .arg(data.Min_Cycle_Time)
                 .arg(IODD_Escape(data.Bit_Rate)));
    w.Add(4, QStringLiteral("<Connection xsi:type=\"M12-4ConnectionT\">"));
    w.Add(5, QStringLiteral("<ProductRef productId=\"%1\"/>").arg(code));
    w.Add(5, QStringLiteral("<Wire1 function=\"L+\"/>"));
    w.Add(5, QStringLiteral("<Wire2 function=\"NC\"/>"));
    w.Add(5, QStringLiteral("<Wire3 function=\"L-\"/>"));
    w.Add(5, QStringLiteral("<Wire4 function=\"C/Q\"/>"));
    w.Add(4, QStringLiteral("</Connection>"));
    w.Add(3, QStringLiteral("</PhysicalLayer>"));
    w.Add(2, QStringLiteral("</TransportLayers>"));
    w.Add(2, QStringLiteral("<Test>"));
    w.Add(3, QStringLiteral("<Config1 index=\"241\" testValue=\"0xFE\"/>"));
    w.Add(3, QStringLiteral("<Config3 index=\"24\" testValue=\"0x31,0x32,0x33,0x34,0x35,0x36,0x37,0x38,0x39,0x41,"
                            "0x42,0x43,0x44,0x45,0x46\"/>"));
    w.Add(2, QStringLiteral("</Test>"));
    w.Add(1, QStringLiteral("</CommNetworkProfile>"));

    w.Add(1, QStringLiteral("<ExternalTextCollection>"));
    w.Add(2, QStringLiteral("<PrimaryLanguage xml:lang=\"en\">"));
    auto text = [&](const QString& id, const QString& value) {
        w.Add(3, QStringLiteral("<Text id=\"%1\" value=\"%2\"/>").arg(id, value));
    };
    const QString family = IODD_Escape(Q(maker::Device_Family));
    text(QStringLiteral("TI_VendorText"), web);
    text(QStringLiteral("TI_VendorUrl"), web);
    text(QStringLiteral("TI_DeviceName"), code);
    text(QStringLiteral("TI_DeviceFamily"), family);
    text(QStringLiteral("TN_Product"), code);
    text(QStringLiteral("TD_Product"), family);
    for (int j = 0; j < data.Variables.size(); ++j) {
        text(QStringLiteral("TN_par_%1").arg(j), IODD_Escape(data.Variables[j].Name));
        text(QStringLiteral("TD_par_%1").arg(j), IODD_Escape(data.Variables[j].Description));
    }
    Write_Texts(w, data.Input, "TN_PDIn_", "TD_PDIn_");
    Write_Texts(w, data.Output, "TN_PDOut_", "TD_PDOut_");
    text(QStringLiteral("TN_PD_In"), QStringLiteral("Process data input"));
    text(QStringLiteral("TN_PD_Out"), QStringLiteral("Process data output"));
    w.Add(2, QStringLiteral("</PrimaryLanguage>"));
    w.Add(1, QStringLiteral("</ExternalTextCollection>"));
    w.Add(1, QStringLiteral("<Stamp crc=\"%1\"><Checker name=\"IODD-Checker V1.1.6\" version=\"V1.1.6.0\"/></Stamp>")
                 .arg(crc));
    w.Add(0, QStringLiteral("</IODevice>"));
    return w.Bytes();
}
