#pragma once

#include <QStringList>

// Column names of the three report tables, each list in the order its rows are written.

// Table Common: one row of project-wide data.
const QStringList& CommonColumns();

// Table tblBaseLine as the field book writes it: one row per station.
const QStringList& FieldBookColumns();

// Table tblBaseLine as the record writes it: one row per baseline.
const QStringList& RecordColumns();

// Every column of tblBaseLine: the record's, then those only the field book writes.
const QStringList& BaselineTableColumns();

// Table SSatList: one row per satellite of a printed station.
const QStringList& SatelliteColumns();

// The numeric columns; every other column holds text.
bool IsRealColumn(const QString& column);
