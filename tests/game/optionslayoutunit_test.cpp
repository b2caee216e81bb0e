// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/optionslayoutunit.h"

#include "gui/guiunit.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

namespace {

TEST(OptionsLayout, TheInstalledFileHoldsEveryNamedWidget) {
    TTestDir dir;
    const auto window = LoadOptionsWindow(std::string(QUELMARK_MEDIA_DIR) + "/options.xml");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Title, "Options");
    EXPECT_NO_THROW(FindOptionsWidgets(*window));
    EXPECT_EQ(dir.ReadFile("log"), "");
}

TEST(OptionsLayout, AFileThatCannotServeGivesWayToTheBuiltInLayout) {
    TTestDir dir;
    dir.WriteFile("noback.xml", "<L><WINDOW name=\"options\"><CHILDREN>"
                                "<BUTTON name=\"volume\"/></CHILDREN></WINDOW></L>");
    dir.WriteFile("broken.xml", "<L><WINDOW name=\"options\"><LEFT>x</LEFT></WINDOW></L>");
    for (const char* file : {"missing.xml", "noback.xml", "broken.xml"}) {
        const auto window = LoadOptionsWindow((dir.Path() / file).string());
        ASSERT_NE(window, nullptr) << file;
        EXPECT_NE(window->FindByName("back"), nullptr) << file;
        EXPECT_TRUE(dir.ReadFile("log").find(std::string("Unable to use layout ") +
                                             (dir.Path() / file).string()) != std::string::npos)
            << file;
    }
}

} // namespace
