#pragma once

#include <QString>
#include <QStringView>

// The two ways the grid shows a stored date-time text ("2004/10/12 9:05:30", or the
// date alone at midnight): as it is, or nine hours later for Japanese time.
enum class TimeView { Utc = 0, Japan = 1 };

// "yy/MM/dd HH:mm:ss" of the stored text in the chosen view. A text that cannot be read
// as a date and time (an empty one included) is shown unchanged in both views, so the
// user sees what the project holds rather than an invented time.
QString gridTimeText(QStringView stored, TimeView view);
