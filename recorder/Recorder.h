#pragma once

#include "platform/ByteString.h"

// Appends the request found in the folder's vando.ini, with the argument, as
// one line to the folder's batch list. Returns the message to show when the
// list could not be updated, or the empty string.
CString RecordRequest(const CString& strFolder, const CString& strArgument);

// The whole program: exit status 3 whatever happens.
int RecorderMain(int argc, char* argv[]);
