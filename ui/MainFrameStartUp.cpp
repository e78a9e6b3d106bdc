// What the main window does at every start, once it is made: without a
// stored machine code the program runs itself elevated to make one, and a
// user who refuses the elevation ends the program.
#include "app/ProductRegistry.h"
#include "services/MachineCodeStore.h"
#include "ui/MainFrame.h"

void CMainFrame::RunStartUpSteps() {
    if (!ProductRegistry().MachineCode().empty() || RequestElevatedMachineCode()) return;
    ShowWindow(hwnd_, SW_MINIMIZE);
    Close();
}
