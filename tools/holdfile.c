/* Holds a file open with share mode 0, as another program may, so that tests
 * can see how ours behave meanwhile.
 * holdfile <file> <ready-marker> <seconds>: opens the file, creates the
 * marker once it is held, and keeps it for the given time. */
#include <windows.h>
#include <stdlib.h>

int main(int argc, char* argv[])
{
    if (argc != 4)
        return 2;
    HANDLE hFile = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return 1;
    HANDLE hReady = CreateFileA(argv[2], GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    CloseHandle(hReady);
    Sleep((DWORD)atoi(argv[3]) * 1000);
    CloseHandle(hFile);
    return 0;
}
