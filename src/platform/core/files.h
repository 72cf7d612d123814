#pragma once
// Files and folders. Paths use the platform separator ('/'); every write goes to a
// temporary file beside the target that is then renamed over it, so a failed write keeps
// the old file and raises EInOutError naming the path.

#include "platform/core/exceptions.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

inline constexpr QChar PathDelim = QLatin1Char('/');

QString IncludeTrailingPathDelimiter(const QString& Path);
QString ExcludeTrailingPathDelimiter(const QString& Path);
// Joins the parts with exactly one separator between them.
QString PathJoin(const QString& A, const QString& B);
QString PathJoin(std::initializer_list<QString> Parts);

QString ExtractFileName(const QString& FileName);   // after the last separator
QString ExtractFilePath(const QString& FileName);   // up to and including the last separator
QString ExtractFileDir(const QString& FileName);    // without the trailing separator
QString ExtractFileExt(const QString& FileName);    // ".ext" or empty
QString ChangeFileExt(const QString& FileName, const QString& Extension);

bool FileExists(const QString& FileName);           // a file (not a folder)
bool DirectoryExists(const QString& Directory);
bool ForceDirectories(const QString& Dir);           // creates every missing level
bool CreateDir(const QString& Dir);                  // one level
bool RemoveDir(const QString& Dir);                  // empty folder
bool DeleteFile(const QString& FileName);
bool RenameFile(const QString& OldName, const QString& NewName);
// Copies Source over Dest (atomically) unless FailIfExists and Dest exists.
bool CopyFile(const QString& Source, const QString& Dest, bool FailIfExists);
qint64 FileSize(const QString& FileName);           // -1 when missing

// Names (not paths) of the sub-folders, sorted, without hidden entries, "." and "..".
QStringList ListSubFolders(const QString& Dir);
// Names of the files matching Mask ("*.lng", "*", "a?.xml") without regard to case, sorted.
QStringList ListFiles(const QString& Dir, const QString& Mask);
bool MatchesMask(const QString& FileName, const QString& Mask);
// Names of every entry of Dir matching Mask whatever its kind or attributes (files,
// folders, hidden entries, "." and ".." included), in the order the file system gives
// them; empty when the folder cannot be read.
QStringList ListAllEntries(const QString& Dir, const QString& Mask);

// The folder that holds the executable.
QString ProgramFolder();

// ---- text files -----------------------------------------------------------------------

enum class TTextEncoding {
    Ansi,        // Windows-1252, no BOM
    UTF8,        // no BOM
    UTF8BOM,
    UTF16LE,     // with BOM
    UTF16BE,     // with BOM (reading only in practice)
};

// Decodes file bytes: BOM for UTF-8, UTF-16 LE and BE; without BOM UTF-8 when the bytes
// are valid UTF-8, else Windows-1252. Detected receives what was found.
QString DecodeText(const QByteArray& Bytes, TTextEncoding* Detected = nullptr);
QByteArray EncodeText(const QString& Text, TTextEncoding Encoding);

QByteArray ReadBinaryFile(const QString& FileName);   // raises EInOutError
QString ReadTextFile(const QString& FileName, TTextEncoding* Detected = nullptr);
// Lines split at CR LF, LF or CR; a final line break does not add an empty line.
QStringList SplitLines(const QString& Text);
QStringList ReadTextLines(const QString& FileName, TTextEncoding* Detected = nullptr);

void WriteFileAtomic(const QString& FileName, const QByteArray& Bytes);   // raises EInOutError
void WriteBinaryFile(const QString& FileName, const QByteArray& Bytes);
void WriteBinaryFile(const QString& FileName, const std::vector<uint8_t>& Bytes);
// Writes Text as it is (the caller supplies the line breaks).
void WriteTextFile(const QString& FileName, const QString& Text, TTextEncoding Encoding);
// Writes each line followed by CR LF.
void WriteTextLines(const QString& FileName, const QStringList& Lines, TTextEncoding Encoding);

// Test hook: when set, WriteFileAtomic calls it after the temporary file is complete and
// before the rename; throwing from it simulates a failed write.
void SetAtomicWriteHookForTests(void (*Hook)(const QString& TempName));
