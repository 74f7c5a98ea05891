#include "workprogress.h"

#include "model/programtitle.h"

#include <algorithm>

namespace {

constexpr int steps = 1000;
// Work expected to end sooner than this shows no dialog at all.
constexpr int showAfterMs = 800;

} // namespace

WorkProgress::WorkProgress(QWidget* parent, const QString& label)
    : dialog_(label, QStringLiteral("ｷｬﾝｾﾙ"), 0, steps, parent)
{
    dialog_.setObjectName(QString::fromLatin1(objectName));
    dialog_.setWindowTitle(VersionedTitle());
    dialog_.setWindowModality(Qt::ApplicationModal);
    dialog_.setMinimumDuration(showAfterMs);
    dialog_.setAutoReset(false);
    dialog_.setAutoClose(false);
}

WorkProgress::~WorkProgress()
{
    dialog_.close();
}

ProgressCallback WorkProgress::callback()
{
    return [this](qint64 done, qint64 total) {
        const int value = total > 0 ? int(std::clamp<qint64>(done * steps / total, 0, steps)) : 0;
        // Once the dialog shows, setting the value lets the window handle its events,
        // the click on ｷｬﾝｾﾙ among them.
        if (value != dialog_.value())
            dialog_.setValue(value);
        return !dialog_.wasCanceled();
    };
}
