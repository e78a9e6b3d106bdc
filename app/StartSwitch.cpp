#include "app/StartSwitch.h"

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

}  // namespace

StartSwitch FindStartSwitch(std::wstring_view commandLine) {
    for (const SwitchText& candidate : kSwitches) {
        if (commandLine.find(candidate.text) != std::wstring_view::npos)
            return candidate.startSwitch;
    }
    return StartSwitch::None;
}
