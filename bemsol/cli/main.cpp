#include "clicommands.h"

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

} // namespace

int main(int argc, char* argv[])
{
    // The forms are drawn with fonts, which need a GUI application; a batch run has no
    // screen, so the offscreen platform serves unless the caller chose another.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ensureRuntimeDirectory();
    QGuiApplication app(argc, argv);
    // The same per-user data folder as the window's: a name table placed there serves both.
    QGuiApplication::setApplicationName(QStringLiteral("Bemsol"));
    return RunCliCommand(app.arguments().mid(1));
}
