#pragma once

class ExchangeReader;

// Reads the BaselineList element at the reader's cursor up to its closing tag.
void ReadBaselineList(ExchangeReader& reader);

// Gives every baseline end an occupation record of its own: the first baseline to
// refer to a record keeps it, every later end gets a copy appended to the occupations.
void SeparateSharedOccupations(ProjectModel& model);
