#pragma once

#include "model/filelocations.h"
#include "model/outcome.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The registered user of this installation, kept in prtct.dat: three quoted Shift-JIS
// lines, the header that marks the file as ours, the user name and the password.

inline constexpr auto loginFileName = "prtct.dat";
inline const QString loginFileHeader = QStringLiteral("Bemsol Making Syubo And Kibo");

struct LoginRecord
{
    QString userName;
    QString password;
};

// The record of a file whose first value is the header; nothing for any other file.
std::optional<LoginRecord> ParseLoginFile(QByteArrayView bytes);

// What is wrong with a user name or password for the file: a double quote would end the
// quoted value early, a line break would split the file, and a character without a
// Shift-JIS code could not be written at all. Empty when the value can be stored.
QString LoginValueProblem(const QString& value);

// The file's bytes; only for values LoginValueProblem accepts.
QByteArray LoginFileBytes(const LoginRecord& record);

// Where the file lives: beside the program, or in the per-user data folder when the
// program's folder cannot be written (an installed program).
class LoginFileStore
{
public:
    explicit LoginFileStore(FileLocations files);

    // The registration beside the program when that file is valid. Otherwise a first
    // run when the program's folder can be written (registering overwrites the file
    // there, whatever the user's folder holds); else the user's own file.
    std::optional<LoginRecord> ReadLoginFile() const;
    // Writes the file afresh and atomically: beside the program when its folder can be
    // written, in the user's folder otherwise or when that write fails.
    Outcome WriteLoginFile(const LoginRecord& record) const;

    // The file the login reads or a registration writes first.
    QString loginFilePath() const;

private:
    FileLocations files_;
};
