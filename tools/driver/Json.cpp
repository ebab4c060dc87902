#include "Json.h"

#include <windows.h>

#include <cstdio>

namespace json {

namespace {

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                        nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

} // namespace

std::string String(const std::wstring& text)
{
    std::string out = "\"";
    for (const char ch : Utf8(text)) {
        const unsigned char byte = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

std::string Number(long value)
{
    return std::to_string(value);
}

std::string Array(const std::vector<std::string>& items)
{
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i)
        out += (i ? ", " : "") + items[i];
    return out + "]";
}

namespace {

// Straight to the handle: the C run time's text mode would turn LF into CR LF.
void WriteLine(DWORD dwHandle, const std::string& line)
{
    const std::string text = line + "\n";
    DWORD dwWritten = 0;
    ::WriteFile(::GetStdHandle(dwHandle), text.data(), static_cast<DWORD>(text.size()), &dwWritten, nullptr);
}

} // namespace

void PrintLine(const std::string& line)
{
    WriteLine(STD_OUTPUT_HANDLE, line);
}

void Trace(const std::wstring& text)
{
    WriteLine(STD_ERROR_HANDLE, "rundriver: " + Utf8(text));
}

} // namespace json
