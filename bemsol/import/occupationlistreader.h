#pragma once

class ExchangeReader;

// Reads the OccupationList element at the reader's cursor up to its closing tag.
void ReadOccupationList(ExchangeReader& reader);
