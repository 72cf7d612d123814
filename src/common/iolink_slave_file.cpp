#include "common/iolink_slave_file.h"

#include "common/xml_rows.h"

#include "platform/core/files.h"
#include "platform/core/sysutils.h"
#include "platform/core/xml.h"

#include <array>

namespace {

template <typename Row>
struct TAttrDef {
    const char* Name;
    QString Row::*Field;
};

using TVar = TIOLink_Slave_Variable;
using TProc = TIOLink_Slave_Process_Row;

const std::array<TAttrDef<TVar>, IOLink_Slave_Variable_Attr_Count>& Variable_Defs()
{
    static const std::array<TAttrDef<TVar>, IOLink_Slave_Variable_Attr_Count> defs = {{
        {"Enable", &TVar::Enable},
        {"Index", &TVar::Index},
        {"Name", &TVar::Name},
        {"Access", &TVar::Access},
        {"Length", &TVar::Length},
        {"Gradient", &TVar::Gradient},
        {"Offset", &TVar::Offset},
        {"UnitCode", &TVar::UnitCode},
        {"DefaultValue", &TVar::DefaultValue},
        {"PositionRead", &TVar::PositionRead},
        {"StartBitRead", &TVar::StartBitRead},
        {"PositionWrite", &TVar::PositionWrite},
        {"StartBitWrite", &TVar::StartBitWrite},
        {"Description", &TVar::Description},
        {"Mnemonic", &TVar::Mnemonic},
    }};
    return defs;
}

const std::array<TAttrDef<TProc>, IOLink_Slave_Process_Attr_Count>& Process_Defs()
{
    static const std::array<TAttrDef<TProc>, IOLink_Slave_Process_Attr_Count> defs = {{
        {"Enable", &TProc::Enable},
        {"Name", &TProc::Name},
        {"Length", &TProc::Length},
        {"Gradient", &TProc::Gradient},
        {"Offset", &TProc::Offset},
        {"UnitCode", &TProc::UnitCode},
        {"Position", &TProc::Position},
        {"StartBit", &TProc::StartBit},
        {"Description", &TProc::Description},
        {"Mnemonic", &TProc::Mnemonic},
    }};
    return defs;
}

template <typename Defs>
QStringList Names_Of(const Defs& defs)
{
    QStringList n;
    for (const auto& d : defs)
        n.append(QString::fromLatin1(d.Name));
    return n;
}

// Only elements are rows: a comment inside a section must not become an empty row,
// which the writer would take for the end of the section.
template <typename Row>
void Read_Section(const TXmlNode& section, const QStringList& names, int maxRows, std::vector<Row>& rows,
                  int& leftOut)
{
    if (!section)
        return;
    for (const TXmlNode& node : section.ChildElements()) {
        if (maxRows >= 0 && int(rows.size()) >= maxRows) {
            ++leftOut;
            continue;
        }
        Row row;
        row.Present = Read_Row_Attributes(node, names, row);
        rows.push_back(std::move(row));
    }
}

template <typename Row>
void Write_Section(TXmlNode section, const QStringList& names, const std::vector<Row>& rows,
                   QString Row::*key)
{
    for (size_t r = 0; r < rows.size() && r < size_t(IOLink_Slave_Max_Rows); ++r) {
        if (Trim(rows[r].*key).isEmpty())
            break;
        Write_Row_Attributes(section.AddChild(QStringLiteral("row")), names, rows[r]);
    }
}

}  // namespace

QString& TIOLink_Slave_Variable::Field(int index)
{
    return this->*(Variable_Defs().at(size_t(index)).Field);
}

const QString& TIOLink_Slave_Variable::Field(int index) const
{
    return this->*(Variable_Defs().at(size_t(index)).Field);
}

QString& TIOLink_Slave_Process_Row::Field(int index)
{
    return this->*(Process_Defs().at(size_t(index)).Field);
}

const QString& TIOLink_Slave_Process_Row::Field(int index) const
{
    return this->*(Process_Defs().at(size_t(index)).Field);
}

const QStringList& IOLink_Slave_Variable_Attributes()
{
    static const QStringList names = Names_Of(Variable_Defs());
    return names;
}

const QStringList& IOLink_Slave_Process_Attributes()
{
    static const QStringList names = Names_Of(Process_Defs());
    return names;
}

TIOLink_Slave_Data Read_IOLink_Slave_File(const QString& path, int MaxRows, bool* FileFound)
{
    TIOLink_Slave_Data data;
    const bool exists = FileExists(path);
    if (FileFound)
        *FileFound = exists;
    if (!exists)
        return data;

    TXmlDocument doc;
    doc.LoadFromFile(path);
    const TXmlNode root = doc.Root();
    if (!root)
        return data;
    Read_Section(root.ChildByName(QStringLiteral("Variables")), IOLink_Slave_Variable_Attributes(), MaxRows,
                 data.Variables, data.Variables_Left_Out);
    if (const TXmlNode pd = root.ChildByName(QStringLiteral("Process_Data"))) {
        Read_Section(pd.ChildByName(QStringLiteral("Process_Data_Input")), IOLink_Slave_Process_Attributes(),
                     MaxRows, data.Process_Data_Input, data.Input_Left_Out);
        Read_Section(pd.ChildByName(QStringLiteral("Process_Data_Output")), IOLink_Slave_Process_Attributes(),
                     MaxRows, data.Process_Data_Output, data.Output_Left_Out);
    }
    return data;
}

void Write_IOLink_Slave_File(const QString& path, const TIOLink_Slave_Data& data)
{
    TXmlDocument doc;
    TXmlNode root = doc.AddChild(IOLink_Slave_Root_Name);
    doc.AddComment(IOLink_Slave_SW_Version_Comment);
    Write_Section(root.AddChild(QStringLiteral("Variables")), IOLink_Slave_Variable_Attributes(), data.Variables,
                  &TIOLink_Slave_Variable::Index);
    TXmlNode pd = root.AddChild(QStringLiteral("Process_Data"));
    Write_Section(pd.AddChild(QStringLiteral("Process_Data_Input")), IOLink_Slave_Process_Attributes(),
                  data.Process_Data_Input, &TIOLink_Slave_Process_Row::Length);
    Write_Section(pd.AddChild(QStringLiteral("Process_Data_Output")), IOLink_Slave_Process_Attributes(),
                  data.Process_Data_Output, &TIOLink_Slave_Process_Row::Length);
    doc.SaveToFile(path);
}
