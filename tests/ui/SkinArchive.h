#pragma once
// The program's layout archive of this build (PIMLO_SKIN_ARCHIVE), handed
// to the UI library once per test program.

#include <string>

#include "platform/uilib/UIlib.h"
#include "tests/app/AppTestSupport.h"

inline bool LoadSkinArchiveOnce() {
    static const bool loaded = [] {
        std::string archive;
        ReadFileBytes(PIMLO_SKIN_ARCHIVE, archive);
        return CPaintManagerUI::SetResourceZip(archive.data(),
                                               static_cast<unsigned>(archive.size()));
    }();
    return loaded;
}
