// Helper of the installer signature test: checks the file named by its
// argument in a process of its own and exits 0 when the signature is
// accepted, 1 when it is not, 2 without an argument. Under Wine a process
// reads the trusted roots once, at its first check, so each check that
// follows a change of the roots needs a fresh process.
#include "services/InstallerSignature.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    return HasTrustedSignature(argv[1]) ? 0 : 1;
}
