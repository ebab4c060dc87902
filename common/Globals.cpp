#include "Globals.h"

CTextReader g_reader;
CTextWriter g_writer;
CKeyText g_keyText;
const CString g_strNewline = "\n";
CString g_strDir;
