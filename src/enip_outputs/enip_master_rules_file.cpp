#include "enip_outputs/enip_master_rules_file.h"

#include "common/xml_rows.h"

#include "platform/core/files.h"
#include "platform/core/sysutils.h"
#include "platform/core/xml.h"

#include <array>

namespace {

using TField = QString TEtherNetIP_Master_Row::*;

struct TAttrDef {
    const char* Name;
    TField Field;
};

const std::array<TAttrDef, EtherNetIP_Master_Attr_Count>& Attr_Defs()
{
    using R = TEtherNetIP_Master_Row;
    static const std::array<TAttrDef, EtherNetIP_Master_Attr_Count> defs = {{
        {"Enable", &R::Enable},
        {"IP_Address", &R::IP_Address},
        {"Start_Input", &R::Start_Input},
        {"Num_Input", &R::Num_Input},
        {"Start_Output", &R::Start_Output},
        {"Num_Output", &R::Num_Output},
        {"Time_Poll", &R::Time_Poll},
        {"Instance_T_O", &R::Instance_T_O},
        {"Connection_Point_T_O", &R::Connection_Point_T_O},
        {"Instance_O_T", &R::Instance_O_T},
        {"Connection_Point_O_T", &R::Connection_Point_O_T},
        {"Dim_Header_T_O", &R::Dim_Header_T_O},
        {"Dim_Header_O_T", &R::Dim_Header_O_T},
        {"EnableElectronicKey", &R::EnableElectronicKey},
        {"ElectronicKey", &R::ElectronicKey},
        {"EnableDataSegment", &R::EnableDataSegment},
        {"DataSegment", &R::DataSegment},
        {"ResetData", &R::ResetData},
        {"Mnemonic", &R::Mnemonic},
    }};
    return defs;
}

QString Text_Attr(const TXmlNode& node, const char* name)
{
    return node.AttributeDef(QString::fromLatin1(name), QString());
}

int32_t Int_Attr(const TXmlNode& node, const char* name)
{
    return StrToIntDef(Text_Attr(node, name), 0);
}

int64_t Int64_Attr(const TXmlNode& node, const char* name)
{
    return StrToInt64Def(Text_Attr(node, name), 0);
}

// Either separator is the decimal mark: the file may come from a user with the other
// locale, and the values carry no thousands separators.
double Real_Attr(const TXmlNode& node, const char* name)
{
    QString t = Text_Attr(node, name);
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    double v = 0;
    return TryStrToFloat(t, v, InvariantFormatSettings()) ? v : 0;
}

TTargetConfig Read_Target_Config(const TXmlNode& tc)
{
    TTargetConfig c;
    c.FileName = Text_Attr(tc, "FileName");
    c.Size = Text_Attr(tc, "Size");
    c.Format = Text_Attr(tc, "Format");
    c.AO_Name = Text_Attr(tc, "AO_Name");
    c.AO_SizeBit = Text_Attr(tc, "AO_SizeBit");
    const TXmlNode objects = tc.ChildByName(QStringLiteral("ParamObjects"));
    if (!objects)
        return c;
    for (const TXmlNode& po : objects.ChildElements()) {
        TTC_ParamObj m;
        m.BitSize = Text_Attr(po, "BitSize");
        m.ParamName = Text_Attr(po, "ParamName");
        m.Name = Text_Attr(po, "Name");
        m.DataSizeByte = Int_Attr(po, "DataSizeByte");
        m.DataType = Int_Attr(po, "DataType");
        m.Min = Int64_Attr(po, "Min");
        m.Max = Int64_Attr(po, "Max");
        m.Default = Int64_Attr(po, "Default");
        m.Value = Int64_Attr(po, "Value");
        m.MinReal = Real_Attr(po, "MinReal");
        m.MaxReal = Real_Attr(po, "MaxReal");
        m.DefaultReal = Real_Attr(po, "DefaultReal");
        m.ValueReal = Real_Attr(po, "ValueReal");
        m.Enum = Text_Attr(po, "Enum") == QLatin1String("1");
        if (const TXmlNode list = po.ChildByName(QStringLiteral("EnumList"))) {
            for (const TXmlNode& en : list.ChildElements()) {
                TTC_EnumObj e;
                e.Value = Int_Attr(en, "Value");
                e.Description = Text_Attr(en, "Description");
                m.ListEnum.push_back(e);
                m.EnumString.append(e.Description);
            }
        }
        c.ListParamObject.push_back(std::move(m));
    }
    return c;
}

void Write_Target_Config(TXmlNode row, const TTargetConfig& c)
{
    TXmlNode tc = row.AddChild(QStringLiteral("TargetCong"));
    tc.SetAttribute(QStringLiteral("FileName"), c.FileName);
    tc.SetAttribute(QStringLiteral("Size"), c.Size);
    tc.SetAttribute(QStringLiteral("Format"), c.Format);
    tc.SetAttribute(QStringLiteral("AO_Name"), c.AO_Name);
    tc.SetAttribute(QStringLiteral("AO_SizeBit"), c.AO_SizeBit);
    TXmlNode objects = tc.AddChild(QStringLiteral("ParamObjects"));
    for (const TTC_ParamObj& m : c.ListParamObject) {
        TXmlNode po = objects.AddChild(QStringLiteral("ParamObject"));
        po.SetAttribute(QStringLiteral("BitSize"), m.BitSize);
        po.SetAttribute(QStringLiteral("ParamName"), m.ParamName);
        po.SetAttribute(QStringLiteral("Name"), m.Name);
        po.SetAttribute(QStringLiteral("DataSizeByte"), QString::number(m.DataSizeByte));
        po.SetAttribute(QStringLiteral("DataType"), QString::number(m.DataType));
        po.SetAttribute(QStringLiteral("Min"), QString::number(m.Min));
        po.SetAttribute(QStringLiteral("Max"), QString::number(m.Max));
        po.SetAttribute(QStringLiteral("Default"), QString::number(m.Default));
        po.SetAttribute(QStringLiteral("Value"), QString::number(m.Value));
        po.SetAttribute(QStringLiteral("MinReal"), FloatToStr(m.MinReal));
        po.SetAttribute(QStringLiteral("MaxReal"), FloatToStr(m.MaxReal));
        po.SetAttribute(QStringLiteral("DefaultReal"), FloatToStr(m.DefaultReal));
        po.SetAttribute(QStringLiteral("ValueReal"), FloatToStr(m.ValueReal));
        po.SetAttribute(QStringLiteral("Enum"), m.Enum ? QStringLiteral("1") : QStringLiteral("0"));
        TXmlNode list = po.AddChild(QStringLiteral("EnumList"));
        for (const TTC_EnumObj& e : m.ListEnum) {
            TXmlNode en = list.AddChild(QStringLiteral("Enum"));
            en.SetAttribute(QStringLiteral("Value"), QString::number(e.Value));
            en.SetAttribute(QStringLiteral("Description"), e.Description);
        }
    }
}

}  // namespace

QString& TEtherNetIP_Master_Row::Field(int index)
{
    return this->*(Attr_Defs().at(size_t(index)).Field);
}

const QString& TEtherNetIP_Master_Row::Field(int index) const
{
    return this->*(Attr_Defs().at(size_t(index)).Field);
}

const QStringList& EtherNetIP_Master_Attributes()
{
    static const QStringList names = [] {
        QStringList n;
        for (const TAttrDef& d : Attr_Defs())
            n.append(QString::fromLatin1(d.Name));
        return n;
    }();
    return names;
}

TEtherNetIP_Master_Rules Read_EtherNetIP_Master_Rules(const QString& path, int MaxRows, bool* FileFound)
{
    TEtherNetIP_Master_Rules rules;
    const bool exists = FileExists(path);
    if (FileFound)
        *FileFound = exists;
    if (!exists)
        return rules;

    TXmlDocument doc;
    doc.LoadFromFile(path);
    const TXmlNode root = doc.Root();
    if (!root)
        return rules;
    const QStringList& names = EtherNetIP_Master_Attributes();
    // Only elements are rules: a comment between rows must not become an empty rule,
    // which the writer would take for the end of the rules.
    for (const TXmlNode& node : root.ChildElements()) {
        if (MaxRows >= 0 && int(rules.Rows.size()) >= MaxRows) {
            ++rules.Rows_Left_Out;
            continue;
        }
        TEtherNetIP_Master_Row row;
        row.Present = Read_Row_Attributes(node, names, row);
        if (const TXmlNode tc = node.ChildByName(QStringLiteral("TargetCong")))
            row.TargetCong = Read_Target_Config(tc);
        rules.Rows.push_back(std::move(row));
    }
    return rules;
}

void Write_EtherNetIP_Master_Rules(const QString& path, const std::vector<TEtherNetIP_Master_Row>& Rows)
{
    TXmlDocument doc;
    TXmlNode root = doc.AddChild(EtherNetIP_Master_Root_Name);
    doc.AddComment(EtherNetIP_Master_SW_Version_Comment);
    const QStringList& names = EtherNetIP_Master_Attributes();
    for (size_t r = 0; r < Rows.size() && r < size_t(EtherNetIP_Master_Max_Rows); ++r) {
        const TEtherNetIP_Master_Row& rule = Rows[r];
        if (Trim(rule.IP_Address).isEmpty())
            break;
        TXmlNode row = root.AddChild(QStringLiteral("row"));
        Write_Row_Attributes(row, names, rule);
        if (rule.TargetCong)
            Write_Target_Config(row, *rule.TargetCong);
    }
    doc.SaveToFile(path);
}

QString Electronic_Key_Text(uint16_t VendCode, uint16_t ProdType, uint16_t ProdCode, uint8_t MajRev,
                            uint8_t MinRev)
{
    const unsigned items[8] = {VendCode & 0xFFu, unsigned(VendCode) >> 8, ProdType & 0xFFu, unsigned(ProdType) >> 8,
                               ProdCode & 0xFFu, unsigned(ProdCode) >> 8, MajRev + 0x80u, MinRev};
    QStringList parts;
    for (const unsigned v : items)
        parts << QStringLiteral("0x") + IntToHex(v, 2);
    return parts.join(QStringLiteral(", "));
}
