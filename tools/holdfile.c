/* Holds a file open with share mode 0, as another program may, so that tests
 * can see how ours behave meanwhile.
 * holdfile <file> <ready-marker> <seconds> [read]: opens the file, creates the
 * marker once it is held, and keeps it for the given time. With "read" other
 * programs may still read the file meanwhile, but not write, replace or
 * delete it. */
#include <windows.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char* argv[])
{
    if (argc != 4 && !(argc == 5 && strcmp(argv[4], "read") == 0))
        return 2;
    const DWORD dwShare = argc == 5 ? FILE_SHARE_READ : 0;
    HANDLE hFile = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, dwShare, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return 1;
    HANDLE hReady = CreateFileA(argv[2], GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    CloseHandle(hReady);
    Sleep((DWORD)atoi(argv[3]) * 1000);
    CloseHandle(hFile);
    return 0;
}
