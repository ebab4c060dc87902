#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// Cuts one fuzz input into the pieces a target needs.
class FuzzInput {
public:
    FuzzInput(const uint8_t* pData, size_t nSize) : m_data(reinterpret_cast<const char*>(pData), nSize) {}

    // The next byte, or 0 at the end.
    unsigned char Byte()
    {
        return m_pos < m_data.size() ? static_cast<unsigned char>(m_data[m_pos++]) : 0;
    }
    // Everything up to the next 0xFF byte (dropped), or to the end.
    std::string Piece()
    {
        const size_t end = m_data.find('\xFF', m_pos);
        const std::string piece = m_data.substr(m_pos, end == std::string::npos ? std::string::npos : end - m_pos);
        m_pos = end == std::string::npos ? m_data.size() : end + 1;
        return piece;
    }
    std::string Rest()
    {
        const std::string rest = m_data.substr(m_pos);
        m_pos = m_data.size();
        return rest;
    }

private:
    std::string m_data;
    size_t m_pos = 0;
};

// The lines of a text, without their line feeds; a last line feed ends the
// last line rather than beginning an empty one.
inline std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// A failed property: the fuzzer keeps the input that led here.
#define FUZZ_EXPECT(condition)                                                                                         \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition);                     \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)
