#include "common/lang_table.h"

#include "common/working_state.h"

#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/core/sysutils.h"

#include <algorithm>

int Num_Lang_Str = 5500;
QStringList SL_Lang;

namespace {

std::vector<TLangBlockSource>& Sources()
{
    static std::vector<TLangBlockSource> sources;
    return sources;
}

const QString Filler = QStringLiteral(" ");
const QChar Pilcrow = QChar(0x00B6);

bool Is_Fixed_Filler(qsizetype i)
{
    return std::find(std::begin(Lang_Fixed_Fillers), std::end(Lang_Fixed_Fillers), i) !=
           std::end(Lang_Fixed_Fillers);
}

}  // namespace

QString Lang_Str(int n)
{
    if (n < 0 || n >= SL_Lang.size())
        return QString();
    return SL_Lang.at(n);
}

void Add_Lang_Block_Source(TLangBlockSource source)
{
    if (!source)
        return;
    auto& list = Sources();
    if (std::find(list.begin(), list.end(), source) == list.end())
        list.push_back(source);
}

void Remove_Lang_Block_Source(TLangBlockSource source)
{
    auto& list = Sources();
    list.erase(std::remove(list.begin(), list.end(), source), list.end());
}

QStringList Build_Lang_Table(const std::vector<TLangBlock>& blocks,
                             const std::vector<TLangBlock>& yielding)
{
    QStringList table;
    table.reserve(Lang_Table_Size);
    for (int i = 0; i < Lang_Table_Size; ++i)
        table.append(Filler);
    std::vector<bool> written(Lang_Table_Size, false);

    for (const TLangBlock& block : blocks) {
        const qsizetype end = block.Start + block.Texts.size();
        if (block.Start < 0 || end > Lang_Table_Size)
            throw EInvalidOperation(QStringLiteral("Text block starting at %1 leaves the text table")
                                        .arg(block.Start));
        for (qsizetype k = 0; k < block.Texts.size(); ++k) {
            const qsizetype i = block.Start + k;
            if (written[i])
                throw EInvalidOperation(QStringLiteral("Two text blocks write entry %1 (block starting at %2)")
                                            .arg(i)
                                            .arg(block.Start));
            // These entries are captions their windows show as a blank, whatever a block says.
            if (Is_Fixed_Filler(i) && block.Texts.at(k) != Filler)
                throw EInvalidOperation(QStringLiteral("Entry %1 must stay a blank (block starting at %2)")
                                            .arg(i)
                                            .arg(block.Start));
            written[i] = true;
            table[i] = block.Texts.at(k);
        }
    }
    for (const TLangBlock& block : yielding) {
        for (qsizetype k = 0; k < block.Texts.size(); ++k) {
            const qsizetype i = block.Start + k;
            if (i >= 0 && i < Lang_Table_Size && !written[i])
                table[i] = block.Texts.at(k);
        }
    }
    return table;
}

void Init_Lang_Table()
{
    std::vector<TLangBlock> blocks = Shell_Lang_Blocks();
    for (TLangBlockSource source : Sources()) {
        std::vector<TLangBlock> more = source();
        blocks.insert(blocks.end(), more.begin(), more.end());
    }
    QStringList table = Build_Lang_Table(blocks, Shell_Lang_Shared_Blocks());
    SL_Lang.swap(table);
    Num_Lang_Str = 5500;
}

bool Parse_Lang_Line(const QString& rawLine, int maxIndex, int& index, QString& text)
{
    const QString line = Trim(rawLine);
    if (!line.startsWith(QLatin1String("STR")))
        return false;
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return false;
    // The index is everything between "STR" and the first "=": digits only, blanks around.
    QString number = Trim(line.mid(3, eq - 3));
    if (number.isEmpty())
        return false;
    for (QChar c : number)
        if (c < u'0' || c > u'9')
            return false;
    while (number.size() > 1 && number.front() == u'0')
        number.remove(0, 1);
    if (number.size() > 9)
        return false;
    const int n = number.toInt();
    if (n < 0 || n >= maxIndex)
        return false;

    QString t = Trim(line.mid(eq + 1));
    if (t.isEmpty())
        return false;
    const qsizetype remark = t.indexOf(QLatin1String("/#/"));
    if (remark >= 0) {
        t = Trim(t.left(remark));
        // A line holding only a remark sets nothing, like a line without text.
        if (t.isEmpty())
            return false;
    }
    // A text between two pilcrows keeps its outer blanks.
    if (t.startsWith(Pilcrow))
        t.remove(0, 1);
    const qsizetype p = t.indexOf(Pilcrow);
    if (p >= 0)
        t = t.left(p);

    index = n;
    text = t;
    return true;
}

bool Load_Lang_File(const QString& path)
{
    QStringList lines;
    try {
        // A byte-order mark selects UTF-8 or UTF-16; otherwise the ANSI code page.
        lines = ReadTextLines(path);
    } catch (...) {
        // An unreadable file leaves the texts as they are; the start must go on.
        return false;
    }
    const int maxIndex = std::min<int>(Num_Lang_Str, SL_Lang.size());
    for (const QString& line : lines) {
        int index = 0;
        QString text;
        if (Parse_Lang_Line(line, maxIndex, index, text))
            SL_Lang[index] = text;
    }
    return true;
}

void Load_Language(TWorkingState& ws)
{
    Init_Lang_Table();
    const QString file = PathJoin(ws.Dir_Language, ws.Language_Name + QStringLiteral(".lng"));
    if (FileExists(file)) {
        Load_Lang_File(file);
        return;
    }
    ws.Language_Name = QStringLiteral("English");
    const QString english = PathJoin(ws.Dir_Language, QStringLiteral("English.lng"));
    if (FileExists(english))
        Load_Lang_File(english);
}

void Load_Language()
{
    Load_Language(WS());
}

QString Get_Lang_Flag_File(const QString& dirLanguage, const QString& languageName)
{
    const QString flag = PathJoin(dirLanguage, languageName + QStringLiteral(".bmp"));
    if (FileExists(flag))
        return flag;
    const QString def = PathJoin(dirLanguage, QStringLiteral("DefaultFlag.bmp"));
    if (FileExists(def))
        return def;
    return QString();
}
