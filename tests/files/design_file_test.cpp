// SPDX-License-Identifier: MIT
// The design file's text, its field reading and key recognition, and the dialogs' start folder.
#include "files/design_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace zorbal::files {
namespace {

std::vector<std::string> fieldsOf(std::string_view content, bool* failed = nullptr) {
    DesignFieldReader reader(content);
    std::vector<std::string> fields;
    std::string field;
    bool ok = true;
    do {
        ok = reader.read(field);
        if (ok)
            fields.push_back(field);
    } while (ok && !reader.atEnd());
    if (failed)
        *failed = !ok;
    return fields;
}

TEST(DesignFileText, WritesSixteenKeyedLinesInTheirOrderWithBoxTextsAsTyped) {
    DesignTexts d;
    for (int i = 0; i < sim::kInputCount; ++i)
        d.inputs[static_cast<std::size_t>(i)] = "v" + std::to_string(i);
    d.inputs[0] = " 1,5 litres"; // as typed but for the decimal comma, no check
    d.inputs[1] = "1,250";       // a comma that may group thousands stays
    d.railTicked = true;
    d.parachuteTicked = true;
    d.triggerByAngle = false;
    EXPECT_EQ(designFileText(d),
              "Volume\t 1.5 litres\r\nFilling Factor\t1,250\r\nDensity\tv2\r\nPressure\tv3\r\n"
              "Nozzle\tv4\r\nMass\tv5\r\nDrag\tv6\r\nEfficiency\tv9\r\nAngle\tv7\r\n"
              "LaunchTube\t1\r\nLTLength\tv8\r\nParachute\tv13\r\nTriggerMechanism\tTime\r\n"
              "TrAngle\tv11\r\nTrTime\tv12\r\nWind\tv10\r\n");
    d.railTicked = false;
    d.parachuteTicked = false;
    d.triggerByAngle = true;
    const std::string text = designFileText(d);
    EXPECT_NE(text.find("\r\nLaunchTube\t0\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nParachute\t0\r\nTriggerMechanism\tAngle\r\n"), std::string::npos);
}

TEST(DesignFieldReader, EndsFieldsAtCommasAndAnyLineEndAndSkipsLeadingBlanks) {
    EXPECT_EQ(fieldsOf("A\t1\r\nB\t2\r\n"), (std::vector<std::string>{"A\t1", "B\t2"}));
    EXPECT_EQ(fieldsOf("A\t1\nB\t2\n"), (std::vector<std::string>{"A\t1", "B\t2"}));
    EXPECT_EQ(fieldsOf("A\t1\rB\t2"), (std::vector<std::string>{"A\t1", "B\t2"}));
    EXPECT_EQ(fieldsOf("Volume\t1,5\r\n  Mass\t3 \r\n\r\n"),
              (std::vector<std::string>{"Volume\t1", "5", "Mass\t3 ", ""}));
}

TEST(DesignFieldReader, OffersTheRestOfALineCutAtItsOnlyComma) {
    DesignFieldReader reader("Volume\t1,5 l\r\nDrag\t1,5,6\r\nMass\t3\r\n");
    std::string field;
    ASSERT_TRUE(reader.read(field));
    EXPECT_EQ(reader.commaTail(), "5 l");
    reader.skipCommaTail();
    ASSERT_TRUE(reader.read(field));
    EXPECT_EQ(field, "Drag\t1");
    EXPECT_EQ(reader.commaTail(), std::nullopt); // another comma follows
    ASSERT_TRUE(reader.read(field));
    EXPECT_EQ(reader.commaTail(), "6"); // the last comma of the line
    ASSERT_TRUE(reader.read(field));
    EXPECT_EQ(field, "6");
    EXPECT_EQ(reader.commaTail(), std::nullopt); // ended at the line end
    reader.skipCommaTail();
    ASSERT_TRUE(reader.read(field));
    EXPECT_EQ(field, "Mass\t3");
}

TEST(DesignFieldReader, FailsOnAnEmptyTextAndOnAnOverlongField) {
    bool failed = false;
    EXPECT_TRUE(fieldsOf("", &failed).empty());
    EXPECT_TRUE(failed);
    const auto fields =
        fieldsOf("Volume\t2\r\n" + std::string(kMaxFieldLength + 1, 'x') + "\r\nMass\t1\r\n", &failed);
    EXPECT_TRUE(failed);
    EXPECT_EQ(fields, std::vector<std::string>{"Volume\t2"}); // what came before stays read
    fieldsOf(std::string(kMaxFieldLength, 'x'), &failed);
    EXPECT_FALSE(failed);
}

TEST(DesignLine, RecognisesKeysByTheirFirstThreeLettersInAnyCase) {
    const std::map<std::string, std::pair<DesignTarget, int>> expected = {
        {"Volume", {DesignTarget::InputBox, 0}},
        {"filling factor", {DesignTarget::InputBox, 1}},
        {"DENSITY", {DesignTarget::InputBox, 2}},
        {"Pressure", {DesignTarget::InputBox, 3}},
        {"nozzle", {DesignTarget::InputBox, 4}},
        {"Massive", {DesignTarget::InputBox, 5}},
        {"Drag", {DesignTarget::InputBox, 6}},
        {"Efficiency", {DesignTarget::InputBox, 9}},
        {"angle", {DesignTarget::InputBox, 7}},
        {"LaunchTube", {DesignTarget::LaunchRail, -1}},
        {"ltlength", {DesignTarget::InputBox, 8}},
        {"Parachute", {DesignTarget::Parachute, 13}},
        {"TriggerMechanism", {DesignTarget::Trigger, -1}},
        {"TrAngle", {DesignTarget::InputBox, 11}},
        {"trtime", {DesignTarget::InputBox, 12}},
        {"Wind", {DesignTarget::InputBox, 10}},
        {"Colour", {DesignTarget::None, -1}},
        {"Vo", {DesignTarget::None, -1}},
    };
    for (const auto& [key, target] : expected) {
        const DesignLine line = parseDesignLine(key + "\t2");
        EXPECT_EQ(line.target, target.first) << key;
        EXPECT_EQ(line.input, target.second) << key;
    }
}

TEST(DesignLine, ReadsTheValueLenientlyAndWritesItBackAsGeneralText) {
    EXPECT_EQ(parseDesignLine("Volume\t1.0").valueText, "1");
    EXPECT_EQ(parseDesignLine("Filling Factor\t0.50").valueText, "0.5");
    EXPECT_EQ(parseDesignLine("Volume\t.5 litres").valueText, "0.5");
    EXPECT_EQ(parseDesignLine("Volume\tabc").valueText, "0");
    EXPECT_EQ(parseDesignLine("Volume 2").valueText, "0"); // no TAB: the whole line, letters first
    // The delay and the wind on one line: the delay is read, the rest is not a number.
    const DesignLine shared = parseDesignLine("TrTime\t3.5Wind\t4");
    EXPECT_EQ(shared.input, 12);
    EXPECT_EQ(shared.valueText, "3.5");
    // The first TAB after the first character separates the value.
    EXPECT_EQ(parseDesignLine("\tVol\t7").valueText, "7");
    EXPECT_EQ(parseDesignLine("TriggerMechanism\tAngle ").rawValue, "Angle ");
}

TEST(DesignLine, SelectsTheAngleTriggerOnlyForAngleInAnyCase) {
    EXPECT_TRUE(isAngleTrigger("aNGle"));
    EXPECT_FALSE(isAngleTrigger("Time"));
    EXPECT_FALSE(isAngleTrigger("Angles"));
    EXPECT_FALSE(isAngleTrigger(""));
}

TEST(InitialDesignFolder, PrefersWaterRocketsBesideTheProgramThenTheDocumentsFolder) {
    test::TempFolder program, home;
    std::map<std::string, std::string> vars = {{"HOME", home.path().string()},
                                               {"XDG_CONFIG_HOME", home.file("config")}};
    const EnvironmentLookup env = [&vars](const char* name) -> std::optional<std::string> {
        if (auto it = vars.find(name); it != vars.end())
            return it->second;
        return std::nullopt;
    };
    EXPECT_EQ(initialDesignFolder(program.path().string(), env), home.path().string());
    std::filesystem::create_directory(home.path() / "Documents");
    EXPECT_EQ(initialDesignFolder(program.path().string(), env), home.file("Documents"));
    std::filesystem::create_directories(home.path() / "Dokumente");
    std::filesystem::create_directories(home.path() / "config");
    home.put("config/user-dirs.dirs",
             "# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    EXPECT_EQ(initialDesignFolder(program.path().string(), env), home.file("Dokumente"));
    std::filesystem::create_directory(program.path() / "Water Rockets");
    EXPECT_EQ(initialDesignFolder(program.path().string(), env), program.file("Water Rockets"));
    vars.clear();
    EXPECT_EQ(initialDesignFolder("", env), "");
}

} // namespace
} // namespace zorbal::files
