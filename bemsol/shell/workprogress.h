#pragma once

#include "model/progress.h"

#include <QProgressDialog>

class QWidget;

// A progress dialog behind the core's progress callback. It appears when the work is
// going to take more than a moment, shows how far it has come, and its ｷｬﾝｾﾙ button
// stops the work at the core's next report; the core then leaves everything as it was.
// While it shows, the rest of the program takes no input, so nothing else can start
// beside the work.
class WorkProgress
{
public:
    WorkProgress(QWidget* parent, const QString& label);
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // Valid while this object lives.
    ProgressCallback callback();

    static constexpr auto objectName = "WorkProgress";

private:
    QProgressDialog dialog_;
};
