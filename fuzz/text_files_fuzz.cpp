// Reading, cleaning and writing text files: any bytes on disk read as the
// cleaned, non-empty lines of the file, and whatever is written reads back
// the same way.
#include "FuzzInput.h"
#include "common/Globals.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

// What reading must give for the bytes of a file: CR LF is one line end, a
// lone CR is data, backspaces become spaces, empty lines vanish, and every
// line ends in one line feed.
std::string ExpectedRead(const std::string& bytes)
{
    std::string joined;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n'))
            joined += bytes[i] == '\b' ? ' ' : bytes[i];
    }
    std::string text;
    for (const std::string& line : SplitLines(joined)) {
        if (!line.empty())
            text += line + "\n";
    }
    return text;
}

std::string OnDisk(const std::string& text)
{
    std::string bytes;
    for (const char ch : text)
        bytes += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    return bytes;
}

// On tmpfs: the writer's flush to disk costs nothing there.
const std::string& ScratchFile()
{
    static const std::string path = "/dev/shm/vando-fuzz-" + std::to_string(::getpid()) + ".txt";
    return path;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    FuzzInput input(pData, nSize);
    const unsigned char chMode = input.Byte();
    const bool bWriteFirst = chMode & 1;
    // Files are read and written in pieces of 64 KB: a long first line puts
    // the input's bytes across the seam between two pieces.
    const std::string seam = chMode & 2 ? std::string(65536 - input.Byte(), 'p') : std::string();
    const std::string bytes = seam + input.Rest();
    const CString strPath(ScratchFile());

    const CString strClean = g_reader.CleanLine(CString(bytes));
    FUZZ_EXPECT(strClean.Find('\n') < 0 && strClean.Find('\b') < 0);

    if (bWriteFirst) {
        FUZZ_EXPECT(g_writer.WriteAll(strPath, CString(bytes)));
        FUZZ_EXPECT(ReadBytes(ScratchFile()) == OnDisk(bytes));
        FUZZ_EXPECT(g_reader.ReadAll(strPath).Str() == ExpectedRead(OnDisk(bytes)));
    } else {
        std::ofstream(ScratchFile(), std::ios::binary | std::ios::trunc) << bytes;
        FUZZ_EXPECT(g_reader.ReadAll(strPath).Str() == ExpectedRead(bytes));
    }
    std::remove(ScratchFile().c_str());
    return 0;
}
