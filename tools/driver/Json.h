#pragma once

#include <string>
#include <vector>

// The driver prints each result as one JSON array on a line of its own, so
// that a test reads texts back exactly, line ends and umlauts included.
namespace json {

std::string String(const std::wstring& text);
std::string Number(long value);
std::string Array(const std::vector<std::string>& items);
void PrintLine(const std::string& line);
// A note on standard error, to tell how far a run got.
void Trace(const std::wstring& text);

} // namespace json
