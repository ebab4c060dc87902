#pragma once

#include "ByteString.h"

#include <cstdint>

// One lock across processes per folder, shared by every program of this
// system that works on that folder's batch list. The system releases it when
// its holder dies, so a killed program never blocks the others.
class CFolderLock {
public:
    CFolderLock() = default;
    ~CFolderLock() { Unlock(); }
    CFolderLock(const CFolderLock&) = delete;
    CFolderLock& operator=(const CFolderLock&) = delete;

    // False when the lock was not had within nTimeoutMs.
    bool Lock(const CString& strFolder, unsigned nTimeoutMs);
    void Unlock();

private:
    std::intptr_t m_handle = -1;
};
