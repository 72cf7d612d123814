#pragma once
// The text table: every caption, hint and message of the windows, by index.
//
// The English texts come in blocks, one per window, each kept next to the window that
// owns it. The program registers every window's block source at start-up; the table is
// then built from the shell's own blocks plus every registered source, and a language
// file may overlay the first Num_Lang_Str entries.

#include <QString>
#include <QStringList>
#include <vector>

class TWorkingState;

// Consecutive texts starting at index Start.
struct TLangBlock {
  int Start = 0;
  QStringList Texts;
};

using TLangBlockSource = std::vector<TLangBlock> (*)();

// Number of entries after a build, and the number a language file may replace.
constexpr int Lang_Table_Size = 5600;
extern int Num_Lang_Str;  // 5500 once the table is built

// The table itself; index n is text n.
extern QStringList SL_Lang;

// Text n of the table; an index outside the table gives the empty text.
QString Lang_Str(int n);

// Registers a window's block source. Adding the same source twice is ignored.
void Add_Lang_Block_Source(TLangBlockSource source);
// Removes a registered source (tests use it to undo a registration).
void Remove_Lang_Block_Source(TLangBlockSource source);

// The shell's own blocks: main window, project dialogs, options dialog, shared messages.
std::vector<TLangBlock> Shell_Lang_Blocks();
// Shared entries that the window owning their range takes over once its block is
// registered (4301 and 4303, read by the OPC UA windows).
std::vector<TLangBlock> Shell_Lang_Shared_Blocks();

// Entries inside or right after a window's range that its window reads as a caption and
// shows as a blank: they always hold the single blank " ".
inline constexpr int Lang_Fixed_Fillers[] = {766, 1328, 2659};

// Builds a table of Lang_Table_Size entries from the given blocks; indexes no block covers
// get the text of a "yielding" block when one covers them, else a single blank " ".
// Throws EInvalidOperation when two blocks write one index, a block leaves the table or a
// block puts anything but " " at one of Lang_Fixed_Fillers.
QStringList Build_Lang_Table(const std::vector<TLangBlock>& blocks,
                             const std::vector<TLangBlock>& yielding = {});

// Rebuilds SL_Lang with the English texts from scratch and sets Num_Lang_Str to 5500.
// On an error SL_Lang is left as it was.
void Init_Lang_Table();

// Overlays the entry lines of a language file on SL_Lang. Returns false when the file
// cannot be read; SL_Lang is then unchanged.
bool Load_Lang_File(const QString& path);

// Parses one line of a language file. Returns true with the index and text when the line
// is an entry line that sets an entry of the first maxIndex entries.
bool Parse_Lang_Line(const QString& line, int maxIndex, int& index, QString& text);

// Builds the English table and overlays the language named by the working state's
// Language_Name from its LANGUAGE folder; a missing file falls back to "English".
void Load_Language(TWorkingState& ws);
void Load_Language();  // on the program's working state

// The flag picture shown for a language: "<name>.bmp" in the language folder, else
// "DefaultFlag.bmp" there, else the empty text (no picture).
QString Get_Lang_Flag_File(const QString& dirLanguage, const QString& languageName);
