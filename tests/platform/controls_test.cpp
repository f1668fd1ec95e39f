// SPDX-License-Identifier: MIT
#include "platform/controls.h"

#include <gtest/gtest.h>

namespace zorbal::platform {
namespace {

TEST(CheckBox, RaisesItsClickOnlyWhenTheValueChanges) {
    CheckBox box;
    int clicks = 0;
    box.onClick = [&] { ++clicks; };
    box.setValue(0);
    EXPECT_EQ(clicks, 0);
    box.setValue(1);
    box.setValue(1);
    EXPECT_EQ(clicks, 1);
    box.setValue(2);
    EXPECT_EQ(box.Value(), 2);
    EXPECT_EQ(clicks, 2);
}

TEST(OptionGroup, SelectingDeselectsTheOthersAndRaisesTheClick) {
    OptionGroup group(2);
    std::vector<int> clicks;
    group.onClick = [&](int i) { clicks.push_back(i); };
    group.select(0);
    group.select(1);
    EXPECT_FALSE(group[0].Value);
    EXPECT_TRUE(group[1].Value);
    EXPECT_EQ(group.selected(), 1);
    EXPECT_EQ(clicks, (std::vector<int>{0, 1}));
}

TEST(TabControl, SelectingAnotherPageRaisesTheTabHandlerWithThePreviousPage) {
    TabControl tabs({"a", "b", "c"});
    std::vector<int> previous;
    tabs.onClick = [&](int p) { previous.push_back(p); };
    tabs.setTab(2);
    tabs.setTab(2);
    tabs.setTab(7);
    tabs.setTab(1);
    EXPECT_EQ(previous, (std::vector<int>{0, 2}));
    EXPECT_EQ(tabs.Tab(), 1);
}

} // namespace
} // namespace zorbal::platform
