#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Our own sample templates, the files that ship beside the programs until a surveyor
// puts the organisation's own in their place. The same bytes on every run.
struct GeneratedTemplate
{
    QString fileName;
    QByteArray bytes;
};

QList<GeneratedTemplate> GenerateTemplates();

// The headings of row 1 of "基線一覧", one per column of the baseline list.
QStringList BaselineListHeadings();
