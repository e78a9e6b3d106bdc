#pragma once
// The control port that tests use to steer the stand-in hosts:
//   POST /script    a JSON script object, or an array of them, queued in order
//   GET  /requests  ?host=NAME: the requests that host received, oldest first
//   POST /reset     forgets all scripts and recorded requests
// Without scripts the hosts simply work.

#include <httplib.h>

#include "platform/servers/core/ControlBoard.h"

namespace pimlo::servers {

void MountControlPort(httplib::Server& server, ControlBoard& board);

}  // namespace pimlo::servers
