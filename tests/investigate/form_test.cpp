// SPDX-License-Identifier: MIT
// The Investigate window's form table: every front end builds its widgets from it, so a name used
// twice, a container after its controls, a caption that does not exist or a control outside its
// container shows as a broken window on the desktop and the page alike.
#include "investigate/investigate.h"
#include "platform/headless.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace zorbal::test {
namespace {

using investigate::investigateForm;
using ui::ControlKind;

bool isContainer(const ui::FormControl& row) {
    return row.kind == ControlKind::Frame || row.kind == ControlKind::Graph;
}

TEST(InvestigateForm, NamesAreUniqueContainersComeFirstAndEveryControlLiesInsideItsContainer) {
    const auto form = investigateForm();
    ASSERT_FALSE(form.empty());
    std::map<std::string, ui::TwipsRect, std::less<>> containers{{"", investigate::kInvestigateArea}};
    std::set<std::string, std::less<>> seen;
    for (const auto& row : form) {
        EXPECT_TRUE(seen.insert(std::string(row.id)).second) << row.id << " is used twice";
        const auto parent = containers.find(row.parent);
        ASSERT_NE(parent, containers.end()) << row.id << "'s container " << row.parent << " comes after it";
        const auto& outer = parent->second;
        EXPECT_GE(row.rect.left, 0) << row.id;
        EXPECT_GE(row.rect.top, 0) << row.id;
        EXPECT_LE(row.rect.left + row.rect.width, outer.width) << row.id << " sticks out of " << row.parent;
        EXPECT_LE(row.rect.top + row.rect.height, outer.height) << row.id << " sticks out of " << row.parent;
        EXPECT_GT(row.rect.width, 0) << row.id;
        EXPECT_GT(row.rect.height, 0) << row.id;
        EXPECT_EQ(row.click, nullptr) << row.id;
        EXPECT_EQ(row.move, nullptr) << row.id;
        if (isContainer(row))
            containers.emplace(std::string(row.id), row.rect);
        if (row.kind == ControlKind::Tabs)
            for (int page = 0; page < 3; ++page)
                containers.emplace(std::string(row.id) + "_page_" + std::to_string(page), row.rect);
    }
}

TEST(InvestigateForm, EveryBoxChoiceTextAreaAndGraphNamesLabelsThatExistAndSay) {
    platform::HeadlessPlatform platform;
    const investigate::Investigator model(platform.services());
    for (const auto& row : investigateForm()) {
        const bool needsCaption = row.kind == ControlKind::InputBox || row.kind == ControlKind::Choice ||
                                  row.kind == ControlKind::TextArea || row.kind == ControlKind::Graph;
        if (needsCaption) {
            EXPECT_FALSE(row.caption.empty()) << row.id << " has no caption";
        }
        for (const auto name : {row.caption, row.unit}) {
            if (name.empty())
                continue;
            const auto* label = investigate::findInvestigateControl(name);
            ASSERT_NE(label, nullptr) << row.id << " names " << name;
            EXPECT_EQ(label->kind, ControlKind::Label) << name;
            EXPECT_EQ(label->parent, row.parent) << name << " stands apart from " << row.id;
        }
        if (!row.caption.empty()) {
            EXPECT_FALSE(model.control(row.caption).text.empty()) << row.id << "'s caption says nothing";
        }
        if (row.kind == ControlKind::Button || row.kind == ControlKind::Frame) {
            EXPECT_FALSE(model.control(row.id).text.empty()) << row.id << " has no caption";
        }
    }
}

TEST(InvestigateForm, HoldsTheControlsTheFrontEndsLookFor) {
    std::vector<std::string> ids = {"tabInvestigate", "cboVary_0",        "cboVary_1",
                                    "cboFigure",      "cmdVaryRun",       "cmdBest",
                                    "cmdUseDesign",   "cmdSaveTable",     "cmdSavePicture",
                                    "picVary",        "txtVaryPoint",     "cboFitInput",
                                    "cmdFit",         "cmdUseFit",        "txtFitResult",
                                    "txtRuns",        "txtSeed",          "cboDistribution",
                                    "cmdScatterRun",  "cmdSaveRuns",      "cmdSaveScatterPicture",
                                    "picScatter",     "txtScatterResult", "prgProgress",
                                    "cmdCancel",      "lblStatus",        "cmdClose"};
    for (int a = 0; a < 2; ++a)
        for (const char* box : {"txtFrom_", "txtTo_", "txtSteps_"})
            ids.push_back(box + std::to_string(a));
    for (int i = 0; i < 3; ++i) {
        ids.push_back("txtMeasured_" + std::to_string(i));
        ids.push_back("txtUncertainty_" + std::to_string(i));
    }
    for (int i = 0; i < 14; ++i)
        ids.push_back("txtSpread_" + std::to_string(i));
    for (const auto& id : ids)
        EXPECT_NE(investigate::findInvestigateControl(id), nullptr) << id;
    EXPECT_EQ(investigate::findInvestigateControl("txtNothing"), nullptr);

    // Both graphs at least 600 x 380 pixels, so the chart's texts stay readable.
    for (const char* graph : {"picVary", "picScatter"}) {
        const auto* row = investigate::findInvestigateControl(graph);
        EXPECT_EQ(row->kind, ControlKind::Graph);
        EXPECT_GE(row->rect.width, 600 * 15) << graph;
        EXPECT_GE(row->rect.height, 380 * 15) << graph;
    }
}

TEST(InvestigateForm, ControlsOfOnePageDoNotOverlap) {
    // Labels may touch their boxes, but no two controls of one container share pixels.
    const auto form = investigateForm();
    for (std::size_t i = 0; i < form.size(); ++i) {
        for (std::size_t j = i + 1; j < form.size(); ++j) {
            const auto& a = form[i];
            const auto& b = form[j];
            if (a.parent != b.parent)
                continue;
            const bool overlaps =
                a.rect.left < b.rect.left + b.rect.width && b.rect.left < a.rect.left + a.rect.width &&
                a.rect.top < b.rect.top + b.rect.height && b.rect.top < a.rect.top + a.rect.height;
            EXPECT_FALSE(overlaps) << a.id << " overlaps " << b.id;
        }
    }
}

} // namespace
} // namespace zorbal::test
