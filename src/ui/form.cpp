// SPDX-License-Identifier: MIT
// The main window's form: the table of its controls, the model control behind each name, and the
// handlers of their events.
#include "ui/form.h"

#include <array>
#include <charconv>

namespace zorbal::ui {

namespace {

using K = ControlKind;
using A = TextAlign;

// Rows in tab order; each container before the controls it holds. A box's caption and unit name
// the labels beside it; rectangles are the designed ones, in twips within the container.
constexpr std::array kMainForm = std::to_array<FormControl>({
    {.id = "SSTab1", .kind = K::Tabs, .parent = "", .rect = {120, 120, 12135, 7695}},
    {.id = "Label4",
     .kind = K::Label,
     .parent = "SSTab1_page_0",
     .rect = {1080, 780, 9615, 735},
     .points = 18,
     .bold = true,
     .align = A::Centre},
    {.id = "Text1",
     .kind = K::TextArea,
     .parent = "SSTab1_page_0",
     .rect = {240, 1380, 11655, 5415},
     .caption = "Label4"},
    {.id = "Label3",
     .kind = K::Label,
     .parent = "SSTab1_page_1",
     .rect = {3120, 480, 6015, 255},
     .points = 8,
     .bold = true},
    {.id = "Frame1",
     .kind = K::Frame,
     .parent = "SSTab1_page_1",
     .rect = {360, 840, 5655, 3975},
     .click = [](Zorbal& w) { w.Frame1_Click(); },
     .move = [](Zorbal& w) { w.Frame1_MouseMove(); }},
    {.id = "lblInput_0",
     .kind = K::Label,
     .parent = "Frame1",
     .rect = {120, 540, 1935, 255},
     .align = A::MiddleLeft},
    {.id = "txtInput_0",
     .kind = K::InputBox,
     .parent = "Frame1",
     .rect = {2160, 480, 975, 375},
     .caption = "lblInput_0",
     .unit = "lblInput_15"},
    {.id = "lblInput_15",
     .kind = K::Label,
     .parent = "Frame1",
     .rect = {3240, 540, 1335, 255},
     .align = A::MiddleLeft},
    {.id = "lblInput_1",
     .kind = K::Label,
     .parent = "Frame1",
     .rect = {120, 1020, 1935, 255},
     .align = A::MiddleLeft},
    {.id = "txtInput_1",
     .kind = K::InputBox,
     .parent = "Frame1",
     .rect = {2160, 960, 975, 375},
     .caption = "lblInput_1",
     .unit = "lblInput_14"},
    {.id = "lblInput_14",
     .kind = K::Label,
     .parent = "Frame1",
     .rect = {3240, 1020, 855, 255},
     .align = A::MiddleLeft},
    {.id = "lblInput_3",
     .kind = K::Label,
     .parent = "Frame1",
     .rect = {120, 1500, 1935, 255},
     .align = A::MiddleLeft},
    {.id = "txtInput_3",
     .kind = K::InputBox,
     .parent = "Frame1",
     .rect = {2160, 1440, 975, 375},
     .caption = "lblInput_3",
     .unit = "lblInput_12"},
    {.id = "lblInput_12",
     .kind = K::Label,
     .parent = "Frame1",
     .rect = {3240, 1500, 1335, 255},
     .align = A::MiddleLeft},
    {.id = "lblInput_4",
     .kind = K::Label,
     .parent = "Frame1",
     .rect = {120, 1980, 1935, 255},
     .align = A::MiddleLeft},
    {.id = "txtInput_4",
     .kind = K::InputBox,
     .parent = "Frame1",
     .rect = {2160, 1920, 975, 375},
     .caption = "lblInput_4",
     .unit = "lblInput_11"},
    {.id = "lblInput_11",
     .kind = K::Label,
     .parent = "Frame1",
     .rect = {3240, 1980, 1335, 255},
     .align = A::MiddleLeft},
    {.id = "lblInput_26",
     .kind = K::Label,
     .parent = "Frame1",
     .rect = {120, 2460, 1935, 255},
     .align = A::MiddleLeft},
    {.id = "txtInput_9",
     .kind = K::InputBox,
     .parent = "Frame1",
     .rect = {2160, 2400, 975, 375},
     .caption = "lblInput_26",
     .unit = "lblInput_27"},
    {.id = "lblInput_27",
     .kind = K::Label,
     .parent = "Frame1",
     .rect = {3240, 2460, 1335, 255},
     .align = A::MiddleLeft},
    {.id = "lblInput_5",
     .kind = K::Label,
     .parent = "Frame1",
     .rect = {120, 2940, 1935, 255},
     .align = A::MiddleLeft},
    {.id = "txtInput_5",
     .kind = K::InputBox,
     .parent = "Frame1",
     .rect = {2160, 2880, 975, 375},
     .caption = "lblInput_5",
     .unit = "lblInput_10"},
    {.id = "lblInput_10",
     .kind = K::Label,
     .parent = "Frame1",
     .rect = {3240, 2940, 1335, 255},
     .align = A::MiddleLeft},
    {.id = "lblInput_6",
     .kind = K::Label,
     .parent = "Frame1",
     .rect = {120, 3420, 1935, 255},
     .align = A::MiddleLeft},
    {.id = "txtInput_6",
     .kind = K::InputBox,
     .parent = "Frame1",
     .rect = {2160, 3360, 975, 375},
     .caption = "lblInput_6",
     .unit = "lblInput_9"},
    {.id = "lblInput_9",
     .kind = K::Label,
     .parent = "Frame1",
     .rect = {3240, 3420, 1335, 255},
     .align = A::MiddleLeft},
    {.id = "cmdOptimise",
     .kind = K::Button,
     .parent = "Frame1",
     .rect = {4200, 960, 1095, 375},
     .click = [](Zorbal& w) { w.cmdOptimise_Click(); }},
    {.id = "frmLauncher",
     .kind = K::Frame,
     .parent = "SSTab1_page_1",
     .rect = {360, 4920, 5655, 1935},
     .click = [](Zorbal& w) { w.frmLauncher_Click(); },
     .move = [](Zorbal& w) { w.frmLauncher_MouseMove(); }},
    {.id = "lblInput_7",
     .kind = K::Label,
     .parent = "frmLauncher",
     .rect = {120, 420, 1935, 255},
     .align = A::MiddleLeft},
    {.id = "txtInput_7",
     .kind = K::InputBox,
     .parent = "frmLauncher",
     .rect = {2160, 360, 975, 375},
     .caption = "lblInput_7",
     .unit = "lblInput_8"},
    {.id = "lblInput_8",
     .kind = K::Label,
     .parent = "frmLauncher",
     .rect = {3240, 420, 1335, 255},
     .align = A::MiddleLeft},
    {.id = "chkOptions_2", .kind = K::CheckBox, .parent = "frmLauncher", .rect = {840, 840, 1815, 375}},
    {.id = "lblInput_25",
     .kind = K::Label,
     .parent = "frmLauncher",
     .rect = {120, 1380, 1935, 255},
     .align = A::MiddleLeft},
    {.id = "txtInput_8",
     .kind = K::InputBox,
     .parent = "frmLauncher",
     .rect = {2160, 1320, 975, 375},
     .caption = "lblInput_25",
     .unit = "lblInput_24"},
    {.id = "lblInput_24",
     .kind = K::Label,
     .parent = "frmLauncher",
     .rect = {3240, 1380, 1335, 255},
     .align = A::MiddleLeft},
    {.id = "chkOptions_3", .kind = K::CheckBox, .parent = "SSTab1_page_1", .rect = {10080, 480, 1815, 375}},
    {.id = "frmParachute",
     .kind = K::Frame,
     .parent = "SSTab1_page_1",
     .rect = {6240, 840, 5655, 3255},
     .click = [](Zorbal& w) { w.frmParachute_Click(); },
     .move = [](Zorbal& w) { w.frmParachute_MouseMove(); }},
    {.id = "optParachute_0",
     .kind = K::OptionButton,
     .parent = "frmParachute",
     .rect = {240, 360, 4455, 375},
     .group = "optParachute"},
    {.id = "txtInput_11",
     .kind = K::InputBox,
     .parent = "frmParachute",
     .rect = {600, 780, 975, 375},
     .caption = "optParachute_0",
     .unit = "lblInput_30"},
    {.id = "lblInput_30",
     .kind = K::Label,
     .parent = "frmParachute",
     .rect = {1680, 840, 1335, 255},
     .align = A::MiddleLeft},
    {.id = "optParachute_1",
     .kind = K::OptionButton,
     .parent = "frmParachute",
     .rect = {240, 1260, 4455, 375},
     .group = "optParachute"},
    {.id = "txtInput_12",
     .kind = K::InputBox,
     .parent = "frmParachute",
     .rect = {600, 1680, 975, 375},
     .caption = "optParachute_1",
     .unit = "lblInput_32"},
    {.id = "lblInput_32",
     .kind = K::Label,
     .parent = "frmParachute",
     .rect = {1680, 1740, 1335, 255},
     .align = A::MiddleLeft},
    {.id = "lblInput_34",
     .kind = K::Label,
     .parent = "frmParachute",
     .rect = {240, 2580, 1815, 255},
     .align = A::MiddleLeft},
    {.id = "txtInput_13",
     .kind = K::InputBox,
     .parent = "frmParachute",
     .rect = {2160, 2520, 975, 375},
     .caption = "lblInput_34",
     .unit = "lblInput_35"},
    {.id = "lblInput_35",
     .kind = K::Label,
     .parent = "frmParachute",
     .rect = {3240, 2580, 1335, 255},
     .align = A::MiddleLeft},
    {.id = "Frame5",
     .kind = K::Frame,
     .parent = "SSTab1_page_1",
     .rect = {6240, 4920, 2295, 1935},
     .move = [](Zorbal& w) { w.Frame5_MouseMove(); }},
    {.id = "cmdLoad",
     .kind = K::Button,
     .parent = "Frame5",
     .rect = {600, 480, 1095, 495},
     .click = [](Zorbal& w) { w.cmdLoad_Click(); }},
    {.id = "cmdSave",
     .kind = K::Button,
     .parent = "Frame5",
     .rect = {600, 1200, 1095, 495},
     .click = [](Zorbal& w) { w.cmdSave_Click(); }},
    {.id = "cmdCheck",
     .kind = K::Button,
     .parent = "SSTab1_page_1",
     .rect = {8880, 5040, 2535, 495},
     .click = [](Zorbal& w) { w.cmdCheck_Click(); }},
    {.id = "cmdDefault",
     .kind = K::Button,
     .parent = "SSTab1_page_1",
     .rect = {8880, 5640, 2535, 495},
     .click = [](Zorbal& w) { w.cmdDefault_Click(); }},
    {.id = "cmdLaunch",
     .kind = K::Button,
     .parent = "SSTab1_page_1",
     .rect = {8880, 6240, 2535, 495},
     .click = [](Zorbal& w) { w.cmdLaunch_Click(); }},
    {.id = "Label1_6", .kind = K::Label, .parent = "SSTab1_page_2", .rect = {240, 660, 2775, 255}},
    {.id = "txtGraph_0",
     .kind = K::GraphLimit,
     .parent = "SSTab1_page_2",
     .rect = {240, 900, 735, 435},
     .caption = "Label1_6"},
    {.id = "Label1_5", .kind = K::Label, .parent = "SSTab1_page_2", .rect = {120, 3360, 1095, 735}},
    {.id = "pctXYGraph",
     .kind = K::Graph,
     .parent = "SSTab1_page_2",
     .rect = {1200, 900, 10575, 5535},
     .move = [](Zorbal& w) { w.pctXYGraph_MouseMove(); }},
    {.id = "Frame8", .kind = K::GraphKey, .parent = "pctXYGraph", .rect = {8160, 0, 2295, 2655}},
    {.id = "Line1_4", .kind = K::KeyLine, .parent = "Frame8", .rect = {120, 420, 360, 120}},
    {.id = "Label2_5", .kind = K::Label, .parent = "Frame8", .rect = {600, 353, 1635, 255}},
    {.id = "Line1_5", .kind = K::KeyLine, .parent = "Frame8", .rect = {120, 900, 360, 120}},
    {.id = "Label2_4", .kind = K::Label, .parent = "Frame8", .rect = {600, 833, 1635, 255}},
    {.id = "Line1_6", .kind = K::KeyLine, .parent = "Frame8", .rect = {120, 1380, 360, 120}},
    {.id = "Label2_3", .kind = K::Label, .parent = "Frame8", .rect = {600, 1313, 1635, 255}},
    {.id = "Line1_7", .kind = K::KeyLine, .parent = "Frame8", .rect = {120, 1860, 360, 120}},
    {.id = "Label2_6", .kind = K::Label, .parent = "Frame8", .rect = {600, 1793, 1635, 255}},
    {.id = "Line1_8", .kind = K::KeyLine, .parent = "Frame8", .rect = {120, 2340, 360, 120}},
    {.id = "Label2_7", .kind = K::Label, .parent = "Frame8", .rect = {600, 2273, 1635, 255}},
    {.id = "Line1_3", .kind = K::KeyLine, .parent = "Frame8", .rect = {120, 2820, 360, 120}},
    {.id = "Label1_7",
     .kind = K::Label,
     .parent = "SSTab1_page_2",
     .rect = {5160, 6480, 2055, 615},
     .align = A::TopCentre},
    {.id = "lblInput_29",
     .kind = K::Label,
     .parent = "SSTab1_page_2",
     .rect = {1080, 6540, 1095, 255},
     .align = A::MiddleLeft},
    {.id = "txtInput_10",
     .kind = K::InputBox,
     .parent = "SSTab1_page_2",
     .rect = {2280, 6480, 855, 375},
     .caption = "lblInput_29",
     .unit = "lblInput_28"},
    {.id = "lblInput_28",
     .kind = K::Label,
     .parent = "SSTab1_page_2",
     .rect = {3240, 6540, 1815, 255},
     .align = A::MiddleLeft},
    {.id = "chkOptions_0", .kind = K::CheckBox, .parent = "SSTab1_page_2", .rect = {1080, 6960, 3975, 375}},
    {.id = "cmdLaunch2",
     .kind = K::Button,
     .parent = "SSTab1_page_2",
     .rect = {8040, 6960, 1935, 495},
     .click = [](Zorbal& w) { w.cmdLaunch2_Click(); }},
    {.id = "Label1_4",
     .kind = K::Label,
     .parent = "SSTab1_page_2",
     .rect = {10320, 6840, 1455, 615},
     .align = A::BottomRight},
    {.id = "txtGraph_1",
     .kind = K::GraphLimit,
     .parent = "SSTab1_page_2",
     .rect = {10800, 6480, 975, 435},
     .caption = "Label1_4"},
    {.id = "Label1_3", .kind = K::Label, .parent = "SSTab1_page_3", .rect = {240, 600, 3015, 255}},
    {.id = "txtGraph_2",
     .kind = K::GraphLimit,
     .parent = "SSTab1_page_3",
     .rect = {120, 900, 855, 435},
     .caption = "Label1_3"},
    {.id = "Label1_2", .kind = K::Label, .parent = "SSTab1_page_3", .rect = {120, 2700, 975, 975}},
    {.id = "pctVTgraph",
     .kind = K::Graph,
     .parent = "SSTab1_page_3",
     .rect = {1080, 840, 10815, 5775},
     .move = [](Zorbal& w) { w.pctVTgraph_MouseMove(); }},
    {.id = "Frame7", .kind = K::GraphKey, .parent = "pctVTgraph", .rect = {8160, 0, 2535, 1815}},
    {.id = "Line1_0", .kind = K::KeyLine, .parent = "Frame7", .rect = {120, 420, 360, 120}},
    {.id = "Label2_0", .kind = K::Label, .parent = "Frame7", .rect = {600, 353, 1875, 255}},
    {.id = "Line1_1", .kind = K::KeyLine, .parent = "Frame7", .rect = {120, 900, 360, 120}},
    {.id = "Label2_1", .kind = K::Label, .parent = "Frame7", .rect = {600, 833, 1875, 255}},
    {.id = "Line1_2", .kind = K::KeyLine, .parent = "Frame7", .rect = {120, 1380, 360, 120}},
    {.id = "Label2_2", .kind = K::Label, .parent = "Frame7", .rect = {600, 1313, 1875, 255}},
    {.id = "cmdClearGraph_1",
     .kind = K::Button,
     .parent = "SSTab1_page_3",
     .rect = {7080, 1200, 2055, 375},
     .click = [](Zorbal& w) { w.cmdClearGraph_Click(1); }},
    {.id = "Label1_0",
     .kind = K::Label,
     .parent = "SSTab1_page_3",
     .rect = {5520, 6720, 1815, 735},
     .align = A::TopCentre},
    {.id = "txtGraph_3",
     .kind = K::GraphLimit,
     .parent = "SSTab1_page_3",
     .rect = {11040, 6780, 855, 435},
     .caption = "Label1_1"},
    {.id = "Label1_1",
     .kind = K::Label,
     .parent = "SSTab1_page_3",
     .rect = {10080, 7200, 1815, 255},
     .align = A::TopRight},
    {.id = "Label6_2",
     .kind = K::Label,
     .parent = "SSTab1_page_4",
     .rect = {360, 480, 3855, 495},
     .points = 12,
     .bold = true},
    {.id = "txtCommentary",
     .kind = K::TextArea,
     .parent = "SSTab1_page_4",
     .rect = {360, 1080, 11415, 5535},
     .caption = "Label6_2",
     .flags = FlagNoLineWrap},
    {.id = "cmdCopyCommentary",
     .kind = K::Button,
     .parent = "SSTab1_page_4",
     .rect = {9240, 6840, 2535, 495},
     .click = [](Zorbal& w) { w.cmdCopyCommentary_Click(); }},
    {.id = "Frame2", .kind = K::Frame, .parent = "SSTab1_page_5", .rect = {240, 480, 6135, 6975}},
    {.id = "frmWater", .kind = K::Frame, .parent = "Frame2", .rect = {120, 360, 5895, 2295}},
    {.id = "lblOutput_0",
     .kind = K::Label,
     .parent = "frmWater",
     .rect = {120, 420, 1935, 255},
     .align = A::MiddleLeft},
    {.id = "txtOutput_0",
     .kind = K::OutputBox,
     .parent = "frmWater",
     .rect = {2160, 360, 975, 375},
     .caption = "lblOutput_0",
     .unit = "lblInput_16"},
    {.id = "lblInput_16",
     .kind = K::Label,
     .parent = "frmWater",
     .rect = {3240, 420, 2535, 255},
     .align = A::MiddleLeft},
    {.id = "lblOutput_1",
     .kind = K::Label,
     .parent = "frmWater",
     .rect = {120, 900, 1935, 255},
     .align = A::MiddleLeft},
    {.id = "txtOutput_1",
     .kind = K::OutputBox,
     .parent = "frmWater",
     .rect = {2160, 840, 975, 375},
     .caption = "lblOutput_1",
     .unit = "lblInput_17"},
    {.id = "lblInput_17",
     .kind = K::Label,
     .parent = "frmWater",
     .rect = {3240, 900, 2535, 255},
     .align = A::MiddleLeft},
    {.id = "lblOutput_13",
     .kind = K::Label,
     .parent = "frmWater",
     .rect = {120, 1380, 1935, 255},
     .align = A::MiddleLeft},
    {.id = "txtOutput_10",
     .kind = K::OutputBox,
     .parent = "frmWater",
     .rect = {2160, 1320, 975, 375},
     .caption = "lblOutput_13",
     .unit = "lblInput_23"},
    {.id = "lblInput_23",
     .kind = K::Label,
     .parent = "frmWater",
     .rect = {3240, 1380, 2535, 255},
     .align = A::MiddleLeft},
    {.id = "lblOutput_2",
     .kind = K::Label,
     .parent = "frmWater",
     .rect = {120, 1860, 1935, 255},
     .align = A::MiddleLeft},
    {.id = "txtOutput_2",
     .kind = K::OutputBox,
     .parent = "frmWater",
     .rect = {2160, 1800, 975, 375},
     .caption = "lblOutput_2",
     .unit = "lblInput_18"},
    {.id = "lblInput_18",
     .kind = K::Label,
     .parent = "frmWater",
     .rect = {3240, 1860, 2535, 255},
     .align = A::MiddleLeft},
    {.id = "frmAir", .kind = K::Frame, .parent = "Frame2", .rect = {120, 2760, 5895, 1215}},
    {.id = "lblOutput_3",
     .kind = K::Label,
     .parent = "frmAir",
     .rect = {120, 360, 1935, 255},
     .align = A::MiddleLeft},
    {.id = "txtOutput_3",
     .kind = K::OutputBox,
     .parent = "frmAir",
     .rect = {2160, 300, 975, 375},
     .caption = "lblOutput_3",
     .unit = "lblInput_19"},
    {.id = "lblInput_19",
     .kind = K::Label,
     .parent = "frmAir",
     .rect = {3240, 360, 2535, 255},
     .align = A::MiddleLeft},
    {.id = "lblOutput_5",
     .kind = K::Label,
     .parent = "frmAir",
     .rect = {120, 780, 1935, 255},
     .align = A::MiddleLeft},
    {.id = "txtOutput_5",
     .kind = K::OutputBox,
     .parent = "frmAir",
     .rect = {2160, 720, 975, 375},
     .caption = "lblOutput_5",
     .unit = "lblInput_20"},
    {.id = "lblInput_20",
     .kind = K::Label,
     .parent = "frmAir",
     .rect = {3240, 780, 2535, 255},
     .align = A::MiddleLeft},
    {.id = "frmParameters", .kind = K::Frame, .parent = "Frame2", .rect = {120, 4080, 5895, 2775}},
    {.id = "lblOutput_7",
     .kind = K::Label,
     .parent = "frmParameters",
     .rect = {120, 420, 1935, 255},
     .align = A::MiddleLeft},
    {.id = "txtOutput_7",
     .kind = K::OutputBox,
     .parent = "frmParameters",
     .rect = {2160, 360, 975, 375},
     .caption = "lblOutput_7",
     .unit = "lblInput_21"},
    {.id = "lblInput_21",
     .kind = K::Label,
     .parent = "frmParameters",
     .rect = {3240, 420, 2535, 255},
     .align = A::MiddleLeft},
    {.id = "lblOutput_8",
     .kind = K::Label,
     .parent = "frmParameters",
     .rect = {120, 900, 1935, 255},
     .align = A::MiddleLeft},
    {.id = "txtOutput_8",
     .kind = K::OutputBox,
     .parent = "frmParameters",
     .rect = {2160, 840, 975, 375},
     .caption = "lblOutput_8",
     .unit = "lblInput_22"},
    {.id = "lblInput_22",
     .kind = K::Label,
     .parent = "frmParameters",
     .rect = {3240, 900, 2535, 255},
     .align = A::MiddleLeft},
    {.id = "lblOutput_14",
     .kind = K::Label,
     .parent = "frmParameters",
     .rect = {120, 1380, 1935, 255},
     .align = A::MiddleLeft},
    {.id = "txtOutput_11",
     .kind = K::OutputBox,
     .parent = "frmParameters",
     .rect = {2160, 1320, 975, 375},
     .caption = "lblOutput_14",
     .unit = "lblInput_31"},
    {.id = "lblInput_31",
     .kind = K::Label,
     .parent = "frmParameters",
     .rect = {3240, 1380, 2535, 255},
     .align = A::MiddleLeft},
    {.id = "lblOutput_15",
     .kind = K::Label,
     .parent = "frmParameters",
     .rect = {120, 1860, 1935, 255},
     .align = A::MiddleLeft},
    {.id = "txtOutput_12",
     .kind = K::OutputBox,
     .parent = "frmParameters",
     .rect = {2160, 1800, 975, 375},
     .caption = "lblOutput_15",
     .unit = "lblInput_33"},
    {.id = "lblInput_33",
     .kind = K::Label,
     .parent = "frmParameters",
     .rect = {3240, 1860, 2535, 255},
     .align = A::MiddleLeft},
    {.id = "lblOutput_16",
     .kind = K::Label,
     .parent = "frmParameters",
     .rect = {120, 2340, 1935, 255},
     .align = A::MiddleLeft},
    {.id = "txtOutput_13",
     .kind = K::OutputBox,
     .parent = "frmParameters",
     .rect = {2160, 2280, 975, 375},
     .caption = "lblOutput_16",
     .unit = "lblInput_36"},
    {.id = "lblInput_36",
     .kind = K::Label,
     .parent = "frmParameters",
     .rect = {3240, 2340, 2535, 255},
     .align = A::MiddleLeft},
    {.id = "chkOptions_1",
     .kind = K::CheckBox,
     .parent = "SSTab1_page_5",
     .rect = {6960, 720, 4335, 1215},
     .flags = FlagWraps},
    {.id = "lblInput_2",
     .kind = K::Label,
     .parent = "SSTab1_page_5",
     .rect = {6960, 2340, 1695, 255},
     .align = A::MiddleLeft},
    {.id = "txtInput_2",
     .kind = K::InputBox,
     .parent = "SSTab1_page_5",
     .rect = {8760, 2280, 975, 375},
     .caption = "lblInput_2",
     .unit = "lblInput_13"},
    {.id = "lblInput_13",
     .kind = K::Label,
     .parent = "SSTab1_page_5",
     .rect = {9840, 2340, 1095, 255},
     .align = A::MiddleLeft},
    {.id = "Label6_1",
     .kind = K::Label,
     .parent = "SSTab1_page_6",
     .rect = {360, 480, 3855, 495},
     .points = 12,
     .bold = true},
    {.id = "MSFlexGrid1",
     .kind = K::Grid,
     .parent = "SSTab1_page_6",
     .rect = {240, 960, 11535, 4335},
     .caption = "Label6_1"},
    {.id = "Shape1_0",
     .kind = K::Shape,
     .parent = "SSTab1_page_6",
     .rect = {480, 5580, 975, 255},
     .color = platform::rgb(255, 255, 0)},
    {.id = "Label1_8", .kind = K::Label, .parent = "SSTab1_page_6", .rect = {1560, 5400, 4215, 615}},
    {.id = "Shape1_1",
     .kind = K::Shape,
     .parent = "SSTab1_page_6",
     .rect = {480, 6780, 975, 255},
     .color = platform::rgb(255, 128, 128)},
    {.id = "Label1_9", .kind = K::Label, .parent = "SSTab1_page_6", .rect = {1560, 6600, 4215, 615}},
    {.id = "Frame6", .kind = K::Frame, .parent = "SSTab1_page_6", .rect = {9840, 5400, 1935, 1935}},
    {.id = "cmdCopyHistory",
     .kind = K::Button,
     .parent = "Frame6",
     .rect = {360, 480, 1095, 495},
     .click = [](Zorbal& w) { w.cmdCopyHistory_Click(); }},
    {.id = "cmdSaveHistory",
     .kind = K::Button,
     .parent = "Frame6",
     .rect = {360, 1200, 1095, 495},
     .click = [](Zorbal& w) { w.cmdSaveHistory_Click(); }},
    {.id = "Frame3",
     .kind = K::Frame,
     .parent = "",
     .rect = {120, 7920, 4575, 1935},
     .move = [](Zorbal& w) { w.Frame3_MouseMove(); }},
    {.id = "lblOutput_6",
     .kind = K::Label,
     .parent = "Frame3",
     .rect = {120, 420, 1575, 255},
     .align = A::MiddleLeft},
    {.id = "txtOutput_4",
     .kind = K::OutputBox,
     .parent = "Frame3",
     .rect = {1800, 360, 1335, 375},
     .caption = "lblOutput_6",
     .unit = "lblOutput_12"},
    {.id = "lblOutput_12",
     .kind = K::Label,
     .parent = "Frame3",
     .rect = {3240, 420, 1215, 255},
     .align = A::MiddleLeft},
    {.id = "lblOutput_4",
     .kind = K::Label,
     .parent = "Frame3",
     .rect = {120, 900, 1575, 255},
     .align = A::MiddleLeft},
    {.id = "txtOutput_6",
     .kind = K::OutputBox,
     .parent = "Frame3",
     .rect = {1800, 840, 1335, 375},
     .caption = "lblOutput_4",
     .unit = "lblOutput_11"},
    {.id = "lblOutput_11",
     .kind = K::Label,
     .parent = "Frame3",
     .rect = {3240, 900, 1215, 255},
     .align = A::MiddleLeft},
    {.id = "lblOutput_9",
     .kind = K::Label,
     .parent = "Frame3",
     .rect = {120, 1380, 1575, 255},
     .align = A::MiddleLeft},
    {.id = "txtOutput_9",
     .kind = K::OutputBox,
     .parent = "Frame3",
     .rect = {1800, 1320, 1335, 375},
     .caption = "lblOutput_9",
     .unit = "lblOutput_10"},
    {.id = "lblOutput_10",
     .kind = K::Label,
     .parent = "Frame3",
     .rect = {3240, 1380, 1215, 255},
     .align = A::MiddleLeft},
    {.id = "Frame4",
     .kind = K::Frame,
     .parent = "",
     .rect = {6600, 7920, 1935, 1935},
     .move = [](Zorbal& w) { w.Frame4_MouseMove(); }},
    {.id = "cmdCopy",
     .kind = K::Button,
     .parent = "Frame4",
     .rect = {360, 480, 1095, 495},
     .click = [](Zorbal& w) { w.cmdCopy_Click(); }},
    {.id = "cmdSaveTraj",
     .kind = K::Button,
     .parent = "Frame4",
     .rect = {360, 1200, 1095, 495},
     .click = [](Zorbal& w) { w.cmdSaveTraj_Click(); }},
    {.id = "cmdShowHelp_0",
     .kind = K::Button,
     .parent = "",
     .rect = {9480, 8520, 2415, 495},
     .click = [](Zorbal& w) { w.cmdShowHelp_Click(0); }},
    {.id = "Label6_0",
     .kind = K::Label,
     .parent = "",
     .rect = {12480, 120, 2535, 495},
     .points = 12,
     .bold = true},
    {.id = "txtHelp",
     .kind = K::TextArea,
     .parent = "",
     .rect = {12450, 600, 2895, 9255},
     .caption = "Label6_0",
     .flags = FlagScrolls},
});

} // namespace

std::span<const FormControl> mainForm() {
    return kMainForm;
}

const FormControl* findControl(std::string_view id) {
    for (const FormControl& control : kMainForm)
        if (control.id == id)
            return &control;
    return nullptr;
}

namespace {

/// A whole decimal number, or -1 when `text` is not one.
int wholeNumber(std::string_view text) {
    int value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size() && !text.empty() ? value : -1;
}

} // namespace

int controlIndex(std::string_view id) {
    const std::size_t underscore = id.rfind('_');
    return underscore == std::string_view::npos ? -1 : wholeNumber(id.substr(underscore + 1));
}

namespace {

/// The name part of an array element's name ("txtInput" of "txtInput_3"), else the whole name.
std::string_view arrayName(std::string_view id) {
    return controlIndex(id) >= 0 ? id.substr(0, id.rfind('_')) : id;
}

template <typename Control, std::size_t N>
Control* element(std::array<Control, N>& array, std::string_view id) {
    const int index = controlIndex(id);
    return index >= 0 && static_cast<std::size_t>(index) < N ? &array[static_cast<std::size_t>(index)]
                                                             : nullptr;
}

template <typename Control> ControlRef refOf(Control* control) {
    return control ? ControlRef(control) : ControlRef();
}

} // namespace

ControlRef controlOf(FormControls& f, std::string_view id) {
    const std::string_view name = arrayName(id);
    const bool indexed = name.size() != id.size();
    if (indexed) {
        if (name == "txtInput")
            return refOf(element(f.txtInput, id));
        if (name == "txtOutput")
            return refOf(element(f.txtOutput, id));
        if (name == "txtGraph")
            return refOf(element(f.txtGraph, id));
        if (name == "chkOptions")
            return refOf(element(f.chkOptions, id));
        if (name == "optParachute") {
            const int index = controlIndex(id);
            return index < static_cast<int>(f.optParachute.size())
                       ? ControlRef(&f.optParachute[static_cast<std::size_t>(index)])
                       : ControlRef();
        }
        if (name == "cmdShowHelp")
            return refOf(element(f.cmdShowHelp, id));
        if (name == "cmdClearGraph")
            return refOf(element(f.cmdClearGraph, id));
        if (name == "lblInput")
            return refOf(element(f.lblInput, id));
        if (name == "lblOutput")
            return refOf(element(f.lblOutput, id));
        if (name == "Label1")
            return refOf(element(f.Label1, id));
        if (name == "Label2")
            return refOf(element(f.Label2, id));
        if (name == "Label6")
            return refOf(element(f.Label6, id));
        if (name == "Line1")
            return refOf(element(f.Line1, id));
        return {};
    }
    const std::pair<std::string_view, TextBox*> boxes[] = {
        {"txtHelp", &f.txtHelp}, {"txtCommentary", &f.txtCommentary}, {"Text1", &f.Text1}};
    for (const auto& [boxName, box] : boxes)
        if (id == boxName)
            return box;
    const std::pair<std::string_view, Button*> buttons[] = {
        {"cmdLaunch", &f.cmdLaunch},
        {"cmdLaunch2", &f.cmdLaunch2},
        {"cmdCheck", &f.cmdCheck},
        {"cmdDefault", &f.cmdDefault},
        {"cmdOptimise", &f.cmdOptimise},
        {"cmdSave", &f.cmdSave},
        {"cmdLoad", &f.cmdLoad},
        {"cmdCopy", &f.cmdCopy},
        {"cmdSaveTraj", &f.cmdSaveTraj},
        {"cmdCopyHistory", &f.cmdCopyHistory},
        {"cmdSaveHistory", &f.cmdSaveHistory},
        {"cmdCopyCommentary", &f.cmdCopyCommentary},
    };
    for (const auto& [buttonName, button] : buttons)
        if (id == buttonName)
            return button;
    const std::pair<std::string_view, Label*> labels[] = {
        {"Label3", &f.Label3},     {"Label4", &f.Label4},           {"Frame1", &f.Frame1},
        {"Frame2", &f.Frame2},     {"Frame3", &f.Frame3},           {"Frame4", &f.Frame4},
        {"Frame5", &f.Frame5},     {"Frame6", &f.Frame6},           {"Frame7", &f.Frame7},
        {"Frame8", &f.Frame8},     {"frmLauncher", &f.frmLauncher}, {"frmParachute", &f.frmParachute},
        {"frmWater", &f.frmWater}, {"frmAir", &f.frmAir},           {"frmParameters", &f.frmParameters},
    };
    for (const auto& [labelName, label] : labels)
        if (id == labelName)
            return label;
    if (id == "pctXYGraph")
        return &f.pctXYGraph;
    if (id == "pctVTgraph")
        return &f.pctVTgraph;
    if (id == "MSFlexGrid1")
        return &f.MSFlexGrid1;
    return {};
}

std::string FormActions::key(FormEvent event, std::string_view id) {
    std::string key(1, static_cast<char>('0' + static_cast<int>(event)));
    key += id;
    return key;
}

void FormActions::on(FormEvent event, std::string_view id, Action action) {
    m_actions[key(event, id)] = std::move(action);
}

bool FormActions::handles(FormEvent event, std::string_view id) const {
    return m_actions.find(key(event, id)) != m_actions.end();
}

bool FormActions::run(FormEvent event, std::string_view id, std::string_view value) {
    const auto it = m_actions.find(key(event, id));
    return it != m_actions.end() && it->second(value);
}

FormActions::FormActions(Zorbal& w) {
    auto plain = [](std::function<void()> handler) {
        return [handler = std::move(handler)](std::string_view) {
            handler();
            return false;
        };
    };
    auto typed = [](TextBox& box) {
        return [&box](std::string_view text) {
            box.Text = std::string(text);
            return false;
        };
    };
    for (const FormControl& control : kMainForm) {
        const std::string_view id = control.id;
        const int i = controlIndex(id);
        const ControlRef model = controlOf(w, id);
        switch (control.kind) {
        case K::InputBox:
            on(FormEvent::Input, id, typed(*std::get<TextBox*>(model)));
            on(FormEvent::Click, id, plain([&w, i] { w.txtInput_Click(i); }));
            on(FormEvent::Move, id, plain([&w, i] { w.txtInput_MouseMove(i); }));
            on(FormEvent::Validate, id, [&w, i](std::string_view) {
                bool cancel = false;
                w.txtInput_Validate(i, cancel);
                return cancel;
            });
            break;
        case K::OutputBox:
            on(FormEvent::Click, id, plain([&w, i] { w.txtOutput_Click(i); }));
            on(FormEvent::Move, id, plain([&w, i] { w.txtOutput_MouseMove(i); }));
            break;
        case K::GraphLimit:
            on(FormEvent::Input, id, typed(*std::get<TextBox*>(model)));
            on(FormEvent::Move, id, plain([&w, i] { w.txtGraph_MouseMove(i); }));
            on(FormEvent::Validate, id, [&w, i](std::string_view) {
                bool cancel = false;
                w.txtGraph_Validate(i, cancel);
                return cancel;
            });
            break;
        case K::TextArea: {
            TextBox* box = std::get<TextBox*>(model);
            on(FormEvent::Input, id, [box](std::string_view text) {
                if (!box->Locked)
                    box->Text = std::string(text);
                return false;
            });
            break;
        }
        case K::Button: {
            Button* button = std::get<Button*>(model);
            on(FormEvent::Click, id, [&w, button, click = control.click](std::string_view) {
                if (click && button->Enabled && button->Visible)
                    click(w);
                return false;
            });
            on(FormEvent::Move, id, plain([&w, button] { w.cmdButton_MouseMove(*button); }));
            break;
        }
        case K::CheckBox: {
            platform::CheckBox* box = std::get<platform::CheckBox*>(model);
            on(FormEvent::Click, id, [box](std::string_view value) {
                if (box->Enabled)
                    box->setValue(wholeNumber(value));
                return false;
            });
            on(FormEvent::Move, id, plain([&w, i] { w.chkOptions_MouseMove(i); }));
            break;
        }
        case K::OptionButton:
            on(FormEvent::Click, id, [&w, i](std::string_view) {
                if (w.optParachute[static_cast<std::size_t>(i)].Enabled)
                    w.optParachute.select(i);
                return false;
            });
            on(FormEvent::Move, id, plain([&w, i] { w.optParachute_MouseMove(i); }));
            break;
        case K::Tabs:
            for (std::size_t page = 0; page < w.SSTab1.captions().size(); ++page)
                on(FormEvent::Click, std::string(id) + "_" + std::to_string(page),
                   plain([&w, page] { w.SSTab1.setTab(static_cast<int>(page)); }));
            break;
        default:
            if (control.click)
                on(FormEvent::Click, id, plain([&w, click = control.click] { click(w); }));
            if (control.move)
                on(FormEvent::Move, id, plain([&w, move = control.move] { move(w); }));
            break;
        }
    }
}

} // namespace zorbal::ui
