#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

// Every file an installation holds, relative to the prefix, sorted. The manual's
// pictures are the ones its page shows, read from the installed page itself.
inline QStringList ExpectedInstalledFiles(const QString& manualPage)
{
    QStringList files{
        "bin/bemsol",
        "bin/bemsol-cli",
        "bin/dravel",
        "bin/dravel-cli",
        "share/applications/bemsol.desktop",
        "share/applications/dravel.desktop",
        "share/bemsol/ChangeName.ini",
        "share/bemsol/kijuntenseika.xlsx",
        "share/bemsol/kisenkakusa.xlsx",
        "share/bemsol/seido-fuku.xlsx",
        "share/bemsol/seidokanri.docx",
        "share/bemsol/tenken-katei.xlsx",
        "share/bemsol/examples/sample-survey.xml",
        "share/bemsol/manual/index.html",
        "share/bemsol/manual/manual.css",
        "share/doc/bemsol/changelog.gz",
        "share/doc/bemsol/copyright",
        "share/man/man1/bemsol.1.gz",
        "share/man/man1/bemsol-cli.1.gz",
        "share/man/man1/dravel.1.gz",
        "share/man/man1/dravel-cli.1.gz",
        "share/metainfo/bemsol.metainfo.xml",
        "share/metainfo/dravel.metainfo.xml",
        "share/mime/packages/bemsol.xml",
    };
    for (const char* page : {"contents.htm", "list001.htm", "list002.htm", "report.htm"})
        files << QStringLiteral("share/bemsol/examples/results-report/%1").arg(QLatin1String(page));
    for (int i = 1; i <= 8; ++i)
        files << QStringLiteral("share/bemsol/examples/results-report/result%1.htm").arg(i, 4, 10, QChar(u'0'));
    for (const char* icon : {"bemsol", "dravel"}) {
        files << QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(QLatin1String(icon));
        for (int size : {16, 32, 48, 64, 128, 256})
            files << QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(QLatin1String(icon));
    }

    QFile page(manualPage);
    if (page.open(QIODevice::ReadOnly)) {
        static const QRegularExpression image(QStringLiteral("<img src=\"(images/[^\"]+)\""));
        auto matches = image.globalMatch(QString::fromUtf8(page.readAll()));
        while (matches.hasNext())
            files << QStringLiteral("share/bemsol/manual/") + matches.next().captured(1);
    }
    files.removeDuplicates();
    files.sort();
    return files;
}

// The files under `root`, relative to it, sorted.
inline QStringList FilesUnder(const QString& root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}
