// What the main window does at every start, once it is made: without a
// stored machine code the program runs itself elevated to make one (the
// reports from then on carry it), and a user who refuses the elevation ends
// the program; then, once a day, the silent check sends its reports.
#include "app/AppSettings.h"
#include "app/ProductRegistry.h"
#include "common/StringConversion.h"
#include "services/DailyCheck.h"
#include "services/MachineCodeStore.h"
#include "services/ReportClient.h"
#include "ui/MainFrame.h"

void CMainFrame::RunStartUpSteps() {
    const ProductRegistry registry;
    if (registry.MachineCode().empty()) {
        if (!RequestElevatedMachineCode()) {
            ShowWindow(hwnd_, SW_MINIMIZE);
            Close();
            return;
        }
        CurrentReportClient().SetMachineCode(WideToAnsi(registry.MachineCode()));
    }
    CurrentDailyCheck().StartIfDue(CurrentSettings().SettingsFile());
}
