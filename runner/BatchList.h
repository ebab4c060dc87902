#pragma once

#include "platform/ByteString.h"

// The batch text's first line, without its line feed.
CString FirstRequest(const CString& strBatch);

// The batch list once a request has been run: the first line equal to the
// request is taken off, and what is left is dropped when it is too short to
// hold a request. Lines others added meanwhile stay.
// The list is taken by value and cut in place, so that a long one is not
// copied on every step.
CString ListAfterRun(CString strList, const CString& strRequest);
