#pragma once
// The reporting host. The program posts each report as Base64 text of its
// encrypted JSON:
//   POST /action.ashx  an event report
//   POST /ocr.ashx     a usage report, with the program's basic credentials
// A report that decrypts and holds the expected members is stored and
// answered with its row id, a decimal number above 0; anything else is
// answered "0" and stored nowhere.

#include <httplib.h>

#include <memory>
#include <string>

#include "platform/servers/core/ControlBoard.h"

namespace pimlo::servers {

class ReportStore;

struct ReportSettings {
    std::string databasePath;  // SQLite file, created when missing
};

class ReportHost {
public:
    // Opens the database; throws SqliteError when it cannot.
    ReportHost(ReportSettings settings, ControlBoard& board);
    ~ReportHost();

    // Adds the host's routes to `server`, which serves this host alone.
    void Mount(httplib::Server& server);
    // Adds to the control port GET /reports?kind=event|usage: the JSON
    // objects of the reports stored, oldest first, as one JSON array.
    void MountControl(httplib::Server& control);

private:
    ControlBoard& board_;
    std::unique_ptr<ReportStore> store_;
};

}  // namespace pimlo::servers
