#pragma once

#include "KeyText.h"
#include "TextReader.h"
#include "TextWriter.h"
#include "platform/ByteString.h"

// Shared by both programs: the helper objects, the line feed that ends every
// line in memory, and the program's folder.
extern CTextReader g_reader;
extern CTextWriter g_writer;
extern CKeyText g_keyText;
extern const CString g_strNewline;
extern CString g_strDir;
