// The commands of 成果出力(&A): the core runs them, the window shows the wait and the
// message.

#include "mainwindow.h"

#include <QGuiApplication>

void MainWindow::setOutputEnvironment(std::function<OutputEnvironment()> environment)
{
    outputEnvironment_ = std::move(environment);
}

void MainWindow::runOutputCommand(OutputCommand command)
{
    OutputEnvironment environment = outputEnvironment_();
    // The hourglass only while a baseline list is written: opening a template or
    // starting Dravel is over at once.
    environment.beginWait = [then = std::move(environment.beginWait)] {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        if (then)
            then();
    };
    environment.endWait = [then = std::move(environment.endWait)] {
        if (then)
            then();
        QGuiApplication::restoreOverrideCursor();
    };
    const Outcome outcome = RunOutputCommand(command, document_.model(), environment);
    // A success can carry a message too: rows of the list left incomplete.
    if (!outcome || !outcome.message.isEmpty())
        showOutcome(outcome);
}
