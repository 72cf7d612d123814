#include "platform/core/files.h"

#include "platform/core/codepages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void (*GAtomicWriteHook)(const QString&) = nullptr;

QString ErrnoText(int Err)
{
    return QString::fromLocal8Bit(std::strerror(Err));
}

}  // namespace

QString IncludeTrailingPathDelimiter(const QString& Path)
{
    if (Path.endsWith(PathDelim))
        return Path;
    return Path + PathDelim;
}

QString ExcludeTrailingPathDelimiter(const QString& Path)
{
    QString R = Path;
    while (R.size() > 1 && R.endsWith(PathDelim))
        R.chop(1);
    return R;
}

QString PathJoin(const QString& A, const QString& B)
{
    if (A.isEmpty())
        return B;
    if (B.isEmpty())
        return A;
    QString Right = B;
    while (Right.startsWith(PathDelim))
        Right.remove(0, 1);
    return IncludeTrailingPathDelimiter(A) + Right;
}

QString PathJoin(std::initializer_list<QString> Parts)
{
    QString R;
    for (const QString& P : Parts)
        R = PathJoin(R, P);
    return R;
}

QString ExtractFileName(const QString& FileName)
{
    return FileName.mid(FileName.lastIndexOf(PathDelim) + 1);
}

QString ExtractFilePath(const QString& FileName)
{
    return FileName.left(FileName.lastIndexOf(PathDelim) + 1);
}

QString ExtractFileDir(const QString& FileName)
{
    const int P = FileName.lastIndexOf(PathDelim);
    if (P < 0)
        return QString();
    if (P == 0)
        return QStringLiteral("/");
    return FileName.left(P);
}

QString ExtractFileExt(const QString& FileName)
{
    const int Dot = FileName.lastIndexOf(QLatin1Char('.'));
    if (Dot < 0 || Dot < FileName.lastIndexOf(PathDelim))
        return QString();
    return FileName.mid(Dot);
}

QString ChangeFileExt(const QString& FileName, const QString& Extension)
{
    const int Dot = FileName.lastIndexOf(QLatin1Char('.'));
    if (Dot < 0 || Dot < FileName.lastIndexOf(PathDelim))
        return FileName + Extension;
    return FileName.left(Dot) + Extension;
}

bool FileExists(const QString& FileName)
{
    QFileInfo I(FileName);
    return !FileName.isEmpty() && I.exists() && !I.isDir();
}

bool DirectoryExists(const QString& Directory)
{
    return !Directory.isEmpty() && QFileInfo(Directory).isDir();
}

bool ForceDirectories(const QString& Dir)
{
    if (Dir.isEmpty())
        return false;
    if (DirectoryExists(Dir))
        return true;
    return QDir().mkpath(Dir);
}

bool CreateDir(const QString& Dir)
{
    if (Dir.isEmpty())
        return false;
    return ::mkdir(QFile::encodeName(Dir).constData(), 0777) == 0;
}

bool RemoveDir(const QString& Dir)
{
    return ::rmdir(QFile::encodeName(Dir).constData()) == 0;
}

bool DeleteFile(const QString& FileName)
{
    if (!FileExists(FileName))
        return false;
    return ::unlink(QFile::encodeName(FileName).constData()) == 0;
}

bool RenameFile(const QString& OldName, const QString& NewName)
{
    if (!QFileInfo::exists(OldName) || QFileInfo::exists(NewName))
        return false;
    return ::rename(QFile::encodeName(OldName).constData(), QFile::encodeName(NewName).constData()) == 0;
}

bool CopyFile(const QString& Source, const QString& Dest, bool FailIfExists)
{
    if (!FileExists(Source))
        return false;
    if (FailIfExists && QFileInfo::exists(Dest))
        return false;
    try {
        WriteFileAtomic(Dest, ReadBinaryFile(Source));
    } catch (const Exception&) {
        return false;
    }
    return true;
}

qint64 FileSize(const QString& FileName)
{
    QFileInfo I(FileName);
    return I.exists() && !I.isDir() ? I.size() : -1;
}

QStringList ListSubFolders(const QString& Dir)
{
    QDir D(Dir);
    QStringList R = D.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    R.removeIf([](const QString& N) { return N.startsWith(QLatin1Char('.')); });
    return R;
}

bool MatchesMask(const QString& FileName, const QString& Mask)
{
    // Wildcards '*' and '?', compared without regard to case. "*.*" matches every name.
    if (Mask == QLatin1String("*.*") || Mask == QLatin1String("*"))
        return true;
    const QString N = FileName.toLower();
    const QString M = Mask.toLower();
    int n = 0, m = 0, StarM = -1, StarN = 0;
    while (n < N.size()) {
        if (m < M.size() && (M[m] == QLatin1Char('?') || M[m] == N[n])) {
            ++n;
            ++m;
        } else if (m < M.size() && M[m] == QLatin1Char('*')) {
            StarM = m++;
            StarN = n;
        } else if (StarM >= 0) {
            m = StarM + 1;
            n = ++StarN;
        } else {
            return false;
        }
    }
    while (m < M.size() && M[m] == QLatin1Char('*'))
        ++m;
    return m == M.size();
}

QStringList ListFiles(const QString& Dir, const QString& Mask)
{
    QDir D(Dir);
    QStringList R;
    for (const QString& N : D.entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase))
        if (!N.startsWith(QLatin1Char('.')) && MatchesMask(N, Mask))
            R << N;
    return R;
}

QStringList ListAllEntries(const QString& Dir, const QString& Mask)
{
    QStringList R;
    DIR* D = ::opendir(QFile::encodeName(Dir.isEmpty() ? QStringLiteral(".") : Dir).constData());
    if (!D)
        return R;
    while (const dirent* E = ::readdir(D)) {
        const QString N = QFile::decodeName(E->d_name);
        if (MatchesMask(N, Mask))
            R << N;
    }
    ::closedir(D);
    return R;
}

QString ProgramFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    char Buf[4096];
    const ssize_t L = ::readlink("/proc/self/exe", Buf, sizeof Buf - 1);
    if (L <= 0)
        return QDir::currentPath();
    return ExtractFileDir(QFile::decodeName(QByteArray(Buf, static_cast<int>(L))));
}

// ---- text -----------------------------------------------------------------------------

QString DecodeText(const QByteArray& Bytes, TTextEncoding* Detected)
{
    auto Set = [&](TTextEncoding E) {
        if (Detected)
            *Detected = E;
    };
    if (Bytes.startsWith("\xEF\xBB\xBF")) {
        Set(TTextEncoding::UTF8BOM);
        return QString::fromUtf8(Bytes.constData() + 3, Bytes.size() - 3);
    }
    if (Bytes.startsWith("\xFF\xFE")) {
        Set(TTextEncoding::UTF16LE);
        QStringDecoder D(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
        return D(QByteArrayView(Bytes).sliced(2));
    }
    if (Bytes.startsWith("\xFE\xFF")) {
        Set(TTextEncoding::UTF16BE);
        QStringDecoder D(QStringDecoder::Utf16BE, QStringDecoder::Flag::Stateless);
        return D(QByteArrayView(Bytes).sliced(2));
    }
    QStringDecoder D(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString S = D(Bytes);
    if (!D.hasError()) {
        Set(TTextEncoding::UTF8);
        return S;
    }
    Set(TTextEncoding::Ansi);
    return AnsiToUnicode(Bytes);
}

QByteArray EncodeText(const QString& Text, TTextEncoding Encoding)
{
    switch (Encoding) {
    case TTextEncoding::Ansi:
        return UnicodeToAnsi(Text);
    case TTextEncoding::UTF8:
        return Text.toUtf8();
    case TTextEncoding::UTF8BOM:
        return QByteArray("\xEF\xBB\xBF") + Text.toUtf8();
    case TTextEncoding::UTF16LE: {
        QByteArray R("\xFF\xFE");
        for (QChar C : Text) {
            R += char(C.unicode() & 0xFF);
            R += char(C.unicode() >> 8);
        }
        return R;
    }
    case TTextEncoding::UTF16BE: {
        QByteArray R("\xFE\xFF");
        for (QChar C : Text) {
            R += char(C.unicode() >> 8);
            R += char(C.unicode() & 0xFF);
        }
        return R;
    }
    }
    return QByteArray();
}

QByteArray ReadBinaryFile(const QString& FileName)
{
    QFile F(FileName);
    if (QFileInfo(FileName).isDir() || !F.open(QIODevice::ReadOnly))
        throw EInOutError(QStringLiteral("Cannot open file \"%1\". %2").arg(FileName, F.errorString()));
    QByteArray B = F.readAll();
    if (F.error() != QFileDevice::NoError)
        throw EInOutError(QStringLiteral("Cannot read file \"%1\". %2").arg(FileName, F.errorString()));
    return B;
}

QString ReadTextFile(const QString& FileName, TTextEncoding* Detected)
{
    return DecodeText(ReadBinaryFile(FileName), Detected);
}

QStringList SplitLines(const QString& Text)
{
    QStringList R;
    const int n = Text.size();
    int Start = 0;
    int i = 0;
    while (i < n) {
        const QChar C = Text[i];
        if (C == QLatin1Char('\r') || C == QLatin1Char('\n')) {
            R << Text.mid(Start, i - Start);
            if (C == QLatin1Char('\r') && i + 1 < n && Text[i + 1] == QLatin1Char('\n'))
                ++i;
            ++i;
            Start = i;
        } else {
            ++i;
        }
    }
    if (Start < n)
        R << Text.mid(Start);
    return R;
}

QStringList ReadTextLines(const QString& FileName, TTextEncoding* Detected)
{
    return SplitLines(ReadTextFile(FileName, Detected));
}

void SetAtomicWriteHookForTests(void (*Hook)(const QString&))
{
    GAtomicWriteHook = Hook;
}

void WriteFileAtomic(const QString& FileName, const QByteArray& Bytes)
{
    auto Fail = [&](const QString& Reason) -> void {
        throw EInOutError(QStringLiteral("Cannot create file \"%1\". %2").arg(FileName, Reason));
    };
    if (FileName.isEmpty())
        Fail(QStringLiteral("Empty file name"));
    const QString Dir = ExtractFileDir(FileName).isEmpty() ? QStringLiteral(".") : ExtractFileDir(FileName);
    const QString TempName = PathJoin(Dir, QStringLiteral(".") + ExtractFileName(FileName) + QStringLiteral(".XXXXXX"));
    QByteArray Templ = QFile::encodeName(TempName);
    const int Fd = ::mkstemp(Templ.data());
    if (Fd < 0)
        Fail(ErrnoText(errno));
    const QString Temp = QFile::decodeName(Templ);
    auto Cleanup = [&]() { ::unlink(Templ.constData()); };

    // The new file takes the old one's permissions, or the usual ones for a new file
    // (mkstemp creates it readable by the owner only).
    struct stat St {};
    mode_t Mode;
    if (::stat(QFile::encodeName(FileName).constData(), &St) == 0 && S_ISREG(St.st_mode)) {
        Mode = St.st_mode & 07777;
    } else {
        const mode_t Mask = ::umask(0);
        ::umask(Mask);
        Mode = 0666 & ~Mask;
    }
    ::fchmod(Fd, Mode);

    const char* P = Bytes.constData();
    qint64 Left = Bytes.size();
    while (Left > 0) {
        const ssize_t W = ::write(Fd, P, static_cast<size_t>(Left));
        if (W < 0) {
            if (errno == EINTR)
                continue;
            const int Err = errno;
            ::close(Fd);
            Cleanup();
            Fail(ErrnoText(Err));
        }
        P += W;
        Left -= W;
    }
    if (::fsync(Fd) != 0 && errno != EINVAL) {
        const int Err = errno;
        ::close(Fd);
        Cleanup();
        Fail(ErrnoText(Err));
    }
    if (::close(Fd) != 0) {
        const int Err = errno;
        Cleanup();
        Fail(ErrnoText(Err));
    }
    if (GAtomicWriteHook) {
        try {
            GAtomicWriteHook(Temp);
        } catch (const Exception& E) {
            Cleanup();
            Fail(E.Message());
        }
    }
    if (::rename(Templ.constData(), QFile::encodeName(FileName).constData()) != 0) {
        const int Err = errno;
        Cleanup();
        Fail(ErrnoText(Err));
    }
}

void WriteBinaryFile(const QString& FileName, const QByteArray& Bytes)
{
    WriteFileAtomic(FileName, Bytes);
}

void WriteBinaryFile(const QString& FileName, const std::vector<uint8_t>& Bytes)
{
    WriteFileAtomic(FileName,
                    QByteArray(reinterpret_cast<const char*>(Bytes.data()), static_cast<qsizetype>(Bytes.size())));
}

void WriteTextFile(const QString& FileName, const QString& Text, TTextEncoding Encoding)
{
    WriteFileAtomic(FileName, EncodeText(Text, Encoding));
}

void WriteTextLines(const QString& FileName, const QStringList& Lines, TTextEncoding Encoding)
{
    QString T;
    for (const QString& L : Lines) {
        T += L;
        T += QStringLiteral("\r\n");
    }
    WriteTextFile(FileName, T, Encoding);
}
