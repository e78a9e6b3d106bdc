#include <gtest/gtest.h>

#include "app/entry/StartSwitch.h"

TEST(StartSwitch, TheFirstSwitchOfTheOrderDecides) {
    EXPECT_EQ(FindStartSwitch(L"\"C:\\PimloOCR\\PimloOCR.exe\""), StartSwitch::None);
    EXPECT_EQ(FindStartSwitch(L"PimloOCR.exe /autorun"), StartSwitch::Autorun);
    EXPECT_EQ(FindStartSwitch(L"PimloOCR.exe /install"), StartSwitch::Install);
    EXPECT_EQ(FindStartSwitch(L"PimloOCR.exe /makemachine"), StartSwitch::MakeMachine);
    // "/uninstall" holds "/install", and is looked for first.
    EXPECT_EQ(FindStartSwitch(L"PimloOCR.exe /uninstall"), StartSwitch::Uninstall);
    EXPECT_EQ(FindStartSwitch(L"x /autorun /makemachine"), StartSwitch::MakeMachine);
    // Switches are parts of the arguments, wherever they stand...
    EXPECT_EQ(FindStartSwitch(L"x a/autorun"), StartSwitch::Autorun);
    // ...but the program's own path asks for nothing.
    EXPECT_EQ(FindStartSwitch(L"\"Z:/work/install/PimloOCR.exe\""), StartSwitch::None);
    EXPECT_EQ(FindStartSwitch(L"Z:/install/PimloOCR.exe /autorun"), StartSwitch::Autorun);
    EXPECT_EQ(FindStartSwitch(L"x /AUTORUN"), StartSwitch::None);
}
