#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Where the program's own files are read from and where the files it writes go.
//
// Read: beside the program first (a portable folder holds everything and works as it
// always has), then the user's data folder, then the installed share/bemsol next to
// the program's bin/ for the defaults that ship read-only (templates, ChangeName.ini,
// the manual).
// Write (prtct.dat, BMSData.db): beside the program when that folder can be written,
// otherwise the user's data folder. An installed program never writes beside itself,
// and nothing is ever written to share/bemsol.
class FileLocations
{
public:
    enum class Place { BesideProgram, UserData, Installed };

    struct Folder
    {
        Place place;
        QString path;
    };

    struct FoundFile
    {
        Place place;
        QString path;
    };

    FileLocations() = default;
    // `userDataDir` may be empty (no per-user folder). The installed folder is
    // `programDir/../share/bemsol` when that folder exists; a program with one beside
    // its bin/ is an installed one.
    FileLocations(const QString& programDir, const QString& userDataDir);

    // `programDir` with the running application's per-user data folder
    // (QStandardPaths::AppDataLocation).
    static FileLocations ForProgramDir(const QString& programDir);
    // The running program's own folder and its per-user data folder.
    static FileLocations ForRunningProgram();

    const QString& programDir() const { return programDir_; }
    const QString& userDataDir() const { return userDataDir_; }
    // Empty when the program is not an installed one.
    const QString& installedDir() const { return installedDir_; }
    bool isInstalled() const { return !installedDir_.isEmpty(); }
    // Whether files the program writes may go beside it.
    bool programDirWritable() const { return programDirWritable_; }

    // The folders named files are read from, in the order they are tried.
    QList<Folder> readFolders() const;

    // The first folder holding `relativePath` ("ChangeName.ini", "manual/index.html").
    std::optional<FoundFile> find(const QString& relativePath) const;
    // Folder by folder, each of `names` in turn: an earlier folder's file wins over a
    // later folder's, whichever name it has.
    std::optional<FoundFile> findAny(const QStringList& names) const;

    // Where a file the program writes goes: beside the program when it may write
    // there and an existing file of that name can be written, otherwise the user's
    // data folder (beside the program when there is none).
    QString writablePath(const QString& fileName) const;
    // The file beside the program and the one in the user's data folder (empty when
    // there is none).
    QString besideProgram(const QString& fileName) const;
    QString inUserData(const QString& fileName) const;

private:
    QString programDir_;
    QString userDataDir_;
    QString installedDir_;
    bool programDirWritable_ = false;
};

// "プログラムのフォルダ", "ユーザーのデータフォルダ", "インストール先の共有フォルダ".
QString PlaceName(FileLocations::Place place);

// "探した場所:" and the folders read from, one a line, for a message about a file
// that was not found.
QString SearchedFoldersText(const FileLocations& files);

// The installed share folder relative to a program folder, as CMake installs it.
inline constexpr auto installedDataRelativePath = "../share/bemsol";
