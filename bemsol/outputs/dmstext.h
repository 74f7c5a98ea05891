#pragma once

#include <QStringView>

#include <optional>

// Reads an angle text of the form the import writes ("-35°39′29.12345″") back as
// decimal degrees. A leading "-" negates the whole angle, minutes and seconds included.
// Nothing when one of the three signs is missing or a piece is not a plain number.
std::optional<double> ParseDmsText(QStringView text);
