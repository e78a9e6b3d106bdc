#include "net/TransportWarmUp.h"

#include "net/CurlGlobal.h"
#include "net/TrustedRoots.h"

TransportWarmUp::TransportWarmUp()
    : thread_([] {
          EnsureCurlGlobalInit();
          if (SystemPeerChecks() == PeerChecks::ByBundleOnly) SystemRootCertificatesPem();
      }) {}

TransportWarmUp::~TransportWarmUp() {
    if (thread_.joinable()) thread_.join();
}
