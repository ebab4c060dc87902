#pragma once

#include <cstdlib>
#include <cstring>
#include <string>

// "--name value" pairs of a driver's command line.
namespace reliability {

class Options {
public:
    Options(int argc, char* argv[]) : m_argc(argc), m_argv(argv) {}

    long Number(const char* pszName, long nDefault) const
    {
        const char* pszValue = Find(pszName);
        return pszValue ? std::strtol(pszValue, nullptr, 10) : nDefault;
    }
    std::string Text(const char* pszName, const std::string& strDefault) const
    {
        const char* pszValue = Find(pszName);
        return pszValue ? std::string(pszValue) : strDefault;
    }

private:
    const char* Find(const char* pszName) const
    {
        for (int i = 1; i + 1 < m_argc; ++i) {
            if (std::strcmp(m_argv[i], pszName) == 0)
                return m_argv[i + 1];
        }
        return nullptr;
    }

    int m_argc;
    char** m_argv;
};

} // namespace reliability
