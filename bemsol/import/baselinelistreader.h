#pragma once

class ExchangeReader;

// Reads the BaselineList element at the reader's cursor up to its closing tag.
void ReadBaselineList(ExchangeReader& reader);
