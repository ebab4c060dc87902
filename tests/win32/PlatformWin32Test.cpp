#include "common/Globals.h"
#include "common/ProgramFolder.h"
#include "platform/FolderLock.h"
#include "platform/Process.h"
#include "platform/StdioFile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char* g_pszOwnPath = nullptr;

// A fresh folder per test, whose name holds what cmd and paths trip over.
class Win32Folder : public testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        m_strDir = CString(temp) + "vando (x86) & ^ test " + std::to_string(GetTickCount()).c_str() + "-" +
                   std::to_string(++s_nCount).c_str();
        ASSERT_TRUE(CreateDirectoryA(m_strDir.GetString(), nullptr));
    }
    void TearDown() override
    {
        WIN32_FIND_DATAA data;
        const HANDLE hFind = FindFirstFileA((m_strDir + "\\*").GetString(), &data);
        if (hFind != INVALID_HANDLE_VALUE) {
            do {
                DeleteFileA(Path(data.cFileName).GetString());
            } while (FindNextFileA(hFind, &data));
            FindClose(hFind);
        }
        RemoveDirectoryA(m_strDir.GetString());
    }

    CString Path(const char* pszName) const { return PathInFolder(m_strDir, pszName); }

    void Write(const char* pszName, const std::string& bytes) const
    {
        const HANDLE h = CreateFileA(Path(pszName).GetString(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD dwWritten = 0;
        WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &dwWritten, nullptr);
        CloseHandle(h);
    }
    std::string Read(const char* pszName) const
    {
        const HANDLE h = CreateFileA(Path(pszName).GetString(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
        std::string bytes(1 << 16, '\0');
        DWORD dwRead = 0;
        ReadFile(h, &bytes[0], static_cast<DWORD>(bytes.size()), &dwRead, nullptr);
        CloseHandle(h);
        bytes.resize(dwRead);
        return bytes;
    }
    HANDLE Hold(const char* pszName, DWORD dwShare) const
    {
        return CreateFileA(Path(pszName).GetString(), GENERIC_READ | GENERIC_WRITE, dwShare, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    }

    CString m_strDir;
    static int s_nCount;
};

int Win32Folder::s_nCount = 0;

TEST_F(Win32Folder, WriteAllReplacesWholeAndLeavesNoTemporaryFile)
{
    Write("f.txt", "old\r\nlonger old content\r\n");
    ASSERT_TRUE(g_writer.WriteAll(Path("f.txt"), "a\nb"));
    EXPECT_EQ(Read("f.txt"), "a\r\nb");
    WIN32_FIND_DATAA data;
    const HANDLE hFind = FindFirstFileA((m_strDir + "\\*.tmp").GetString(), &data);
    EXPECT_EQ(hFind, INVALID_HANDLE_VALUE);
    if (hFind != INVALID_HANDLE_VALUE)
        FindClose(hFind);
}

TEST_F(Win32Folder, FileHeldWithoutSharingCannotBeReadOrWritten)
{
    Write("f.txt", "old\r\n");
    const HANDLE hHeld = Hold("f.txt", 0);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    CString text;
    EXPECT_FALSE(g_reader.ReadIfPresent(Path("f.txt"), text));
    EXPECT_FALSE(g_reader.CanOpen(Path("f.txt")));
    EXPECT_FALSE(g_writer.WriteAll(Path("f.txt"), "new\n"));
    CloseHandle(hHeld);
    EXPECT_EQ(Read("f.txt"), "old\r\n");
}

TEST_F(Win32Folder, FileHeldByAnEditorCanBeReadButIsNotReplaced)
{
    Write("f.txt", "old\r\n");
    const HANDLE hHeld = Hold("f.txt", FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    EXPECT_EQ(g_reader.ReadAll(Path("f.txt")), CString("old\n"));
    EXPECT_FALSE(g_reader.CanOpen(Path("f.txt")));
    EXPECT_FALSE(g_writer.WriteAll(Path("f.txt"), "new\n"));
    CloseHandle(hHeld);
    EXPECT_EQ(Read("f.txt"), "old\r\n");
}

// Starts this program again as a helper process (see main) without waiting.
HANDLE StartHelper(const CString& strArguments)
{
    std::string commandLine = (CString("\"") + g_pszOwnPath + "\" " + strArguments).Str();
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return nullptr;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

int RunHelper(const CString& strArguments)
{
    const HANDLE hProcess = StartHelper(strArguments);
    WaitForSingleObject(hProcess, INFINITE);
    DWORD dwStatus = 0;
    GetExitCodeProcess(hProcess, &dwStatus);
    CloseHandle(hProcess);
    return static_cast<int>(dwStatus);
}

CString Quoted(const CString& strText)
{
    return CString("\"") + strText + "\"";
}

TEST_F(Win32Folder, OurOwnReaderNeverMakesAReplaceFail)
{
    Write("f.txt", "old\r\n");
    Write("ready", "");
    DeleteFileA(Path("ready").GetString());
    const HANDLE hReader = StartHelper(CString("--read-briefly ") + Quoted(Path("f.txt")) + " " + Quoted(Path("ready")));
    ASSERT_NE(hReader, nullptr);
    for (int i = 0; i < 500 && GetFileAttributesA(Path("ready").GetString()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(10);
    EXPECT_TRUE(g_writer.WriteAll(Path("f.txt"), "new\n"));
    WaitForSingleObject(hReader, INFINITE);
    CloseHandle(hReader);
    EXPECT_EQ(Read("f.txt"), "new\r\n");
}

TEST_F(Win32Folder, MissingFileAndFolderInItsPlace)
{
    CString text = "stale";
    EXPECT_TRUE(g_reader.ReadIfPresent(Path("missing.txt"), text));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_FALSE(g_reader.CanOpen(Path("missing.txt")));
    ASSERT_TRUE(CreateDirectoryA(Path("dir.txt").GetString(), nullptr));
    EXPECT_FALSE(g_reader.ReadIfPresent(Path("dir.txt"), text));
    EXPECT_FALSE(g_writer.WriteAll(Path("dir.txt"), "x\n"));
    EXPECT_NE(GetFileAttributesA(Path("dir.txt").GetString()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    RemoveDirectoryA(Path("dir.txt").GetString());
}

bool LockedByAnotherProgram(const CString& strFolder)
{
    return RunHelper(CString("--try-lock ") + Quoted(strFolder)) == 1;
}

TEST_F(Win32Folder, FolderLockIsOnePerFolderWhateverItsSpelling)
{
    CFolderLock lock;
    ASSERT_TRUE(lock.Lock(m_strDir, 1000));
    std::string upper = m_strDir.Str();
    CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
    EXPECT_FALSE(LockedByAnotherProgram(m_strDir));
    EXPECT_FALSE(LockedByAnotherProgram(CString(upper)));
    std::string slashes = m_strDir.Str();
    std::replace(slashes.begin(), slashes.end(), '\\', '/');
    EXPECT_FALSE(LockedByAnotherProgram(CString(slashes)));
    // Doubled, because a backslash before the closing quote would escape it.
    EXPECT_FALSE(LockedByAnotherProgram(m_strDir + "\\\\"));
    EXPECT_TRUE(LockedByAnotherProgram(m_strDir + "-other"));
    lock.Unlock();
    EXPECT_TRUE(LockedByAnotherProgram(m_strDir));
}

TEST_F(Win32Folder, FolderLockOfAProgramThatDiedIsFree)
{
    EXPECT_EQ(RunHelper(CString("--lock-and-die ") + Quoted(m_strDir)), 9);
    EXPECT_TRUE(LockedByAnotherProgram(m_strDir));
}

TEST_F(Win32Folder, RunProgramTakesAPathWithSpacesParenthesesAmpersandAndCaret)
{
    const CString strCopy = Path("child program.exe");
    ASSERT_TRUE(CopyFileA(g_pszOwnPath, strCopy.GetString(), FALSE));
    EXPECT_EQ(platform::RunProgram(strCopy, "--exit-with 7"), 7);
    EXPECT_EQ(platform::RunProgram(strCopy, "--exit-with \"12\""), 12);
    EXPECT_EQ(platform::RunProgram(Path("missing.exe"), "-ft"), 9009);
}

// The helper roles this program takes when the tests start it again.
int RunAsHelper(const char* pszRole, const char* pszArgument, const char* pszReady)
{
    if (std::strcmp(pszRole, "--exit-with") == 0)
        return std::atoi(pszArgument);
    if (std::strcmp(pszRole, "--try-lock") == 0) {
        CFolderLock lock;
        return lock.Lock(pszArgument, 200) ? 1 : 0;
    }
    if (std::strcmp(pszRole, "--lock-and-die") == 0) {
        CFolderLock lock;
        lock.Lock(pszArgument, 1000);
        ExitProcess(9);
    }
    if (std::strcmp(pszRole, "--read-briefly") == 0 && pszReady) {
        // Holds the file as our readers do, a little longer than they would.
        CStdioFile file;
        file.Open(pszArgument, CStdioFile::modeReadShared);
        CloseHandle(CreateFileA(pszReady, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        Sleep(150);
        return 0;
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strncmp(argv[1], "--", 2) == 0 && std::strncmp(argv[1], "--gtest", 7) != 0)
        return RunAsHelper(argv[1], argv[2], argc > 3 ? argv[3] : nullptr);
    g_pszOwnPath = argv[0];
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
