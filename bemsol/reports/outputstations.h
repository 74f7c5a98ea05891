#pragma once

#include <QSet>
#include <QString>

#include <utility>

// The stations a field-book fill has met so far: for the by-session field book, which
// (point, session) pairs already have a page, and which occupations those pages show.
class OutputStations
{
public:
    void clear();

    // True when a station with the same point name and session was remembered before
    // (exact comparison); otherwise remembers this one and returns false.
    bool RememberStation(const QString& pointName, const QString& session, int occupation);

    // True when a remembered station carries this occupation index.
    bool StationWasOutput(int occupation) const;

private:
    QSet<std::pair<QString, QString>> stations_;
    QSet<int> occupations_;
};
