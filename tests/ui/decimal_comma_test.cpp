// SPDX-License-Identifier: MIT
// Design boxes typed with a decimal comma: launched, checked and coloured as the number they
// mean, shown as typed; a comma that could group thousands is asked about.
#include "history/history_table.h"
#include "support/window_fixture.h"

#include <string>
#include <utility>
#include <vector>

namespace zorbal::test {
namespace {

using DecimalComma = WindowTest;

using Typed = std::vector<std::pair<int, std::string>>;

// Every value a launch reads or shows, to compare two windows.
struct Flown {
    std::vector<std::string> outputs;
    std::string commentary;
    double volume, pressure, mass, efficiency, rail, parachute, wind;

    bool operator==(const Flown&) const = default;
};

Flown flownWith(const Typed& typed) {
    StartedWindow started;
    auto& w = started.window;
    w.chkOptions[2].setValue(1);
    w.chkOptions[3].setValue(1);
    for (const auto& [index, text] : typed)
        started.type(index, text);
    EXPECT_TRUE(started.launch());
    EXPECT_TRUE(started.messages().empty());
    Flown flown{{},
                w.txtCommentary.Text,
                w.Rocket.BottleVolume,
                w.Rocket.InitialPressure,
                w.Rocket.DryMass,
                w.Rocket.NozzleEfficiency,
                w.Rocket.RailLength,
                w.Rocket.ParachuteDiameter,
                w.WindSpeed};
    for (const auto& box : w.txtOutput)
        flown.outputs.push_back(box.Text);
    return flown;
}

TEST_F(DecimalComma, ALaunchFliesTheVolumeMeantAndTheHistoryShowsItAsTyped) {
    type(0, "1,5");
    ASSERT_TRUE(launch());
    EXPECT_DOUBLE_EQ(window.Rocket.BottleVolume, 0.0015);
    EXPECT_EQ(window.txtInput[0].Text, "1,5");
    const auto& grid = window.MSFlexGrid1;
    EXPECT_EQ(grid.TextMatrix(2, 1), "1,5");
    const std::string range = window.txtOutput[9].Text;

    // The same volume with a point flies the same; the cell is marked as changed (its text
    // differs), and the equal range leaves the best mark on the first launch.
    type(0, "1.5");
    ASSERT_TRUE(launch());
    EXPECT_EQ(window.txtOutput[9].Text, range);
    EXPECT_EQ(grid.cell(3, 1).backColor, history::kChangedYellow);
    EXPECT_EQ(grid.cell(2, 17).backColor, history::kBestPink);
    EXPECT_EQ(grid.cell(3, 17).backColor, history::kResultWhite);
}

TEST(DecimalCommas, EveryDesignBoxReadsItsDecimalCommaAsThePointItMeans) {
    const Flown withPoints = flownWith({{0, "1.5"},
                                        {1, "25.5"},
                                        {3, "3.5"},
                                        {5, "150.5"},
                                        {6, "7.5"},
                                        {8, "0.75"},
                                        {9, "70.5"},
                                        {10, "-2.5"},
                                        {12, "1.5"},
                                        {13, "0.25"}});
    const Flown withCommas = flownWith({{0, "1,5"},
                                        {1, "25,5"},
                                        {3, " 3,5 "},
                                        {5, "150,5"},
                                        {6, "7,5"},
                                        {8, "0,75"},
                                        {9, "70,5"},
                                        {10, "-2,5"},
                                        {12, "1,5"},
                                        {13, ",25"}});
    EXPECT_TRUE(withCommas == withPoints);
    EXPECT_DOUBLE_EQ(withCommas.volume, 0.0015);
    EXPECT_DOUBLE_EQ(withCommas.efficiency, 0.705);
    EXPECT_DOUBLE_EQ(withCommas.wind, -2.5);
}

TEST_F(DecimalComma, ACommaThatCouldGroupThousandsIsAskedAboutAndNothingIsFlown) {
    type(5, "1,250"); // 1.25 g or 1250 g?
    EXPECT_FALSE(launch());
    window.cmdCheck_Click();
    window.cmdOptimise_Click();
    ASSERT_EQ(started.messages().size(), 3u);
    for (const auto& message : started.messages())
        EXPECT_EQ(message,
                  "The Mass of empty rocket box holds \"1,250\", which could mean more than one "
                  "number. Please write it with a decimal point and no commas, such as 1.5 or 1500.");
    EXPECT_EQ(window.txtInput[5].Text, "1,250"); // kept for the user to put right
    EXPECT_EQ(window.txtInput[1].Text, "30.0");  // the optimiser did not start

    // Boxes are asked about in their order, and an option's box only when the option is on.
    type(5, "100");
    type(8, "1,5,0");
    type(11, "1.250,5");
    EXPECT_TRUE(launch());
    window.chkOptions[3].setValue(1);
    EXPECT_FALSE(launch());
    EXPECT_NE(started.messages().back().find("The Trigger by angle from horizontal box holds \"1.250,5\""),
              std::string::npos);
}

TEST_F(DecimalComma, TheEfficiencyTakesADecimalCommaButStaysAPlainNumber) {
    type(9, "70,5%");
    EXPECT_FALSE(launch());
    ASSERT_EQ(started.messages().size(), 1u);
    EXPECT_NE(started.messages()[0].find("Nozzle Efficiency box must hold a plain number"),
              std::string::npos);
    type(9, " 70,5 ");
    EXPECT_TRUE(launch());
    EXPECT_DOUBLE_EQ(window.Rocket.NozzleEfficiency, 0.705);
}

TEST_F(DecimalComma, ThePressureColourAndTheRangeCheckReadTheCommaAsThePoint) {
    bool cancel = false;
    auto colourFor = [&](const char* text) {
        type(3, text);
        window.txtInput_Validate(3, cancel);
        return window.txtInput[3].BackColor;
    };
    EXPECT_EQ(colourFor("3,5"), platform::rgb(255, 127, 127));
    EXPECT_EQ(colourFor("3,500"), platform::rgb(255, 127, 127)); // unclear: left as it was
    EXPECT_EQ(colourFor("7,0"), platform::rgb(255, 0, 0));

    type(3, "7,5"); // read as 7 it would pass
    EXPECT_FALSE(launch());
    EXPECT_EQ(started.messages().back(),
              "More than 7 atmospheres pressure? That probably isn't safe: try reducing the drag instead!");
    EXPECT_EQ(window.txtInput[3].Text, "7.0");
}

} // namespace
} // namespace zorbal::test
