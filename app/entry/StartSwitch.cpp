#include "app/entry/StartSwitch.h"

namespace {

struct SwitchText {
    const wchar_t* text;
    StartSwitch startSwitch;
};

constexpr SwitchText kSwitches[] = {
    {L"/uninstall", StartSwitch::Uninstall},
    {L"/makemachine", StartSwitch::MakeMachine},
    {L"/install", StartSwitch::Install},
    {L"/autorun", StartSwitch::Autorun},
};

// The command line without the program's own path, which may hold a switch's
// text ("C:/install/PimloOCR.exe") without asking for anything.
std::wstring_view ArgumentsOf(std::wstring_view commandLine) {
    size_t end;
    if (!commandLine.empty() && commandLine.front() == L'"') {
        end = commandLine.find(L'"', 1);
        end = end == std::wstring_view::npos ? commandLine.size() : end + 1;
    } else {
        end = commandLine.find_first_of(L" \t");
        if (end == std::wstring_view::npos) end = commandLine.size();
    }
    return commandLine.substr(end);
}

}  // namespace

StartSwitch FindStartSwitch(std::wstring_view commandLine) {
    const std::wstring_view arguments = ArgumentsOf(commandLine);
    for (const SwitchText& candidate : kSwitches) {
        if (arguments.find(candidate.text) != std::wstring_view::npos) return candidate.startSwitch;
    }
    return StartSwitch::None;
}
