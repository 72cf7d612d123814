// Project folder and language file rules.

#include "shell/project_folders.h"

#include "platform/core/files.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

int Create_Project_Folder(const QString& dirProjects, const QString& name)
{
    if (name.isEmpty())
        return Txt_Name_Empty;
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name == QLatin1String(".") || name == QLatin1String(".."))
        return Txt_Name_Not_Valid;
    const QString folder = PathJoin(dirProjects, name);
    if (DirectoryExists(folder) || QFileInfo::exists(folder))
        return Txt_Name_Exists;
    // Open finds projects without regard to case, so two names differing only in case
    // would be one project to it.
    const QStringList existing = QDir(dirProjects).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& e : existing)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return Txt_Name_Exists;
    if (!CreateDir(folder))
        return Txt_Name_Not_Valid;
    ForceDirectories(PathJoin(folder, QStringLiteral("bin")));
    return 0;
}

QStringList Load_Existing_Configuration(const QString& dirProjects)
{
    return ListSubFolders(dirProjects);
}

int Search_Open_Conf(const QStringList& list, const QString& name)
{
    for (int i = 0; i < list.size(); ++i)
        if (list[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QStringList Language_File_List(const QString& dirLanguage)
{
    QStringList files;
    // Only regular files: a folder named like a language file is no language.
    const QFileInfoList infos = QDir(dirLanguage).entryInfoList(
        {QStringLiteral("*.lng")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& fi : infos)
        if (fi.suffix().compare(QLatin1String("lng"), Qt::CaseInsensitive) == 0)
            files << fi.fileName();
    std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return files;
}
