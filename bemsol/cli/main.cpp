#include "clicommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>

#include <unistd.h>

namespace {

// Batch runs often have no desktop session. Qt then falls back to a runtime directory
// of its own but says so on standard error, where scripts read our messages; take the
// same fallback quietly.
void ensureRuntimeDirectory()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QString dir = QDir::tempPath() + QStringLiteral("/runtime-") + QString::number(getuid());
    if (QDir().mkpath(dir) &&
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ExeOwner))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir));
}

// Only the forms, the check book and the diagram are drawn with fonts; every other
// command runs as a plain program, without a platform plugin or the font database, which
// cost more than reading a large project.
bool drawsForms(int argc, char* argv[])
{
    if (argc < 2)
        return false;
    for (const char* command : {"fieldbook", "record", "checks", "diagram"})
        if (qstrcmp(argv[1], command) == 0)
            return true;
    return false;
}

// The same per-user data folder as the window's: a name table placed there serves both.
int runCommand(QCoreApplication& app)
{
    QCoreApplication::setApplicationName(QStringLiteral("Bemsol"));
    return RunCliCommand(app.arguments().mid(1));
}

} // namespace

int main(int argc, char* argv[])
{
    ensureRuntimeDirectory();
    if (!drawsForms(argc, argv)) {
        QCoreApplication app(argc, argv);
        return runCommand(app);
    }
    // A batch run has no screen, so the offscreen platform serves unless the caller
    // chose another.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return runCommand(app);
}
