#pragma once
// Stand-in files for the update host's folder, so a fresh checkout has
// something to download. The bytes are the same on every run, so a test can
// compare a downloaded file with what was written.

#include <string>

namespace pimlo::servers {

// Writes "PimloOCRSetup.exe" and "cd.cab" into `folder`, creating the folder
// when missing and replacing files of those names; false when any write fails.
bool WriteSampleUpdateFiles(const std::string& folder);

// The bytes WriteSampleUpdateFiles writes for `name`; empty for other names.
std::string SampleUpdateFile(const std::string& name);

}  // namespace pimlo::servers
