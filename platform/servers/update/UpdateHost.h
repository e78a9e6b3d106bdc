#pragma once
// The update host: the version manifest and the two files every update check
// fetches, served over plain HTTP from one folder.
//   GET /windows/newversion.htm    "version=" followed by the offered version
//   GET /windows/PimloOCRSetup.exe the installer, from the folder
//   GET /windows/cd.cab            the companion data file, from the folder

#include <httplib.h>

#include <string>

#include "platform/servers/core/ControlBoard.h"

namespace pimlo::servers {

struct UpdateSettings {
    std::string folder;          // files served under /windows/ (PimloOCRSetup.exe, cd.cab)
    std::string offeredVersion;  // the version newversion.htm offers
};

class UpdateHost {
public:
    UpdateHost(UpdateSettings settings, ControlBoard& board);

    // Adds the host's routes to `server`, which serves this host alone.
    void Mount(httplib::Server& server);

private:
    UpdateSettings settings_;
    ControlBoard& board_;
};

}  // namespace pimlo::servers
