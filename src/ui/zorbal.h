// SPDX-License-Identifier: MIT
// The main window's module: its controls, the module state and every event handler. The
// handlers are defined in the files of src/ui/, one file per subsystem they work for.
#pragma once

#include "history/history_table.h"
#include "platform/controls.h"
#include "platform/drawing_surface.h"
#include "platform/grid.h"
#include "platform/services.h"
#include "sim/flight.h"
#include "sim/launch_record.h"
#include "sim/limits.h"

#include <array>
#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace zorbal::ui {

using platform::Button;
using platform::CheckBox;
using platform::Label;
using platform::TextBox;

/// A short key line of a graph's legend.
struct KeyLine {
    platform::Color BorderColor = platform::kBlack;
    int BorderWidth = 1;
};

/// Tabs of SSTab1.
enum TabPage : int {
    TabIntroduction = 0,
    TabRocketDesign = 1,
    TabTrajectory = 2,
    TabVelocity = 3,
    TabCommentary = 4,
    TabAdvanced = 5,
    TabHistory = 6,
};

/// Window widths with the help panel shown and hidden, twips.
inline constexpr int kWidthWithHelp = 15495;
inline constexpr int kWidthWithoutHelp = 12495;

/// Result boxes txtOutput(i).
enum ResultBox : int {
    ResultInitialPressure = 0,
    ResultFinalPressure = 1,
    ResultAccessibleEnergy = 2,
    ResultGasBlastEnergy = 3,
    ResultFlightTime = 4,
    ResultGasBlastTemperature = 5,
    ResultMaxHeight = 6,
    ResultLaunchMass = 7,
    ResultEnergyPerMass = 8,
    ResultRange = 9,
    ResultFinalTemperature = 10,
    ResultInitialThrust = 11,
    ResultInitialAcceleration = 12,
    ResultAccelerationInG = 13,
};

/// Option check boxes chkOptions(i).
enum OptionBox : int {
    OptionLatestOnly = 0, ///< only plot the last launch
    OptionCommaFiles = 1, ///< exports separated by commas rather than TAB
    OptionRail = 2,       ///< the launch rail
    OptionParachute = 3,  ///< the parachute
};

/// Parachute trigger options optParachute(i).
enum TriggerOption : int {
    TriggerOnAngle = 0,
    TriggerOnDelay = 1,
};

/// Every control of the main window as plain data, in its designed state until Form_Load runs.
/// Copying it copies the click callbacks too, which call the window they were made for.
struct FormControls {
    std::string Caption;
    std::array<TextBox, 14> txtInput;
    std::array<TextBox, 14> txtOutput;
    std::array<TextBox, 4> txtGraph;
    TextBox txtHelp, txtCommentary, Text1;
    std::array<CheckBox, 4> chkOptions;
    platform::OptionGroup optParachute{2};
    Button cmdLaunch, cmdLaunch2, cmdCheck, cmdDefault, cmdOptimise, cmdSave, cmdLoad, cmdCopy, cmdSaveTraj,
        cmdCopyHistory, cmdSaveHistory, cmdCopyCommentary;
    std::array<Button, 1> cmdShowHelp;
    std::array<Button, 2> cmdClearGraph; ///< only element 1 exists; it stays hidden
    std::array<Label, 37> lblInput;
    std::array<Label, 17> lblOutput;
    std::array<Label, 10> Label1;
    std::array<Label, 8> Label2;
    std::array<Label, 3> Label6;
    Label Label3, Label4;
    Label Frame1, Frame2, Frame3, Frame4, Frame5, Frame6, Frame7, Frame8;
    Label frmLauncher, frmParachute, frmWater, frmAir, frmParameters;
    std::array<KeyLine, 9> Line1;
    platform::TabControl SSTab1{{"Introduction", "Rocket Design", "Trajectory", "Velocity vs. Time",
                                 "Commentary", "Advanced", "History"}};
    platform::DrawingSurface pctXYGraph, pctVTgraph;
    platform::Grid MSFlexGrid1;
};

/// The window module's state: everything its handlers keep between events.
struct ModuleState {
    double Pi = 0;
    double WindSpeed = 0;
    int LaunchCount = 0;
    sim::TrajectoryRecord TrajectoryData;
    int TrajectoryCapacity = 5000;
    bool CountLaunch = true;
    int TabAfterLaunch = 2;
    bool HelpPanelShown = false;
    sim::LimitsTable Limits;      ///< DefaultValue, MinimumValue, ... filled by MinMaxAssignment
    sim::LaunchRecord Rocket;     ///< the current launch record
    sim::FlightResult LastFlight; ///< outcome, time and steps of the latest flight
    /// What AddLaunchtoFlexgrid remembers of the table, so a launch touches only the rows it changes.
    history::Marks HistoryMarks;
    bool Loaded = false;   ///< Form_Load has run
    bool Unloaded = false; ///< Form_Unload has run: the program ends

    /// The trajectory record's slot of launch `launch`: ten slots in turn, so the latest ten stay.
    static int SlotOf(int launch) { return launch % 10; }
    /// The trajectory record's slot of the current launch.
    int CurrentSlot() const { return SlotOf(LaunchCount); }
};

/// The main window "frmZorbal": its controls, its module state and its handlers. Single-threaded;
/// handlers may run nested inside another handler's call to the event pump, as the window system
/// does.
class Zorbal : public FormControls, public ModuleState {
  public:
    /// Creates the window's controls in their designed state. Form_Load is not run yet.
    explicit Zorbal(platform::Services services);
    Zorbal(const Zorbal&) = delete;
    Zorbal& operator=(const Zorbal&) = delete;

    FormControls& controls() { return *this; }
    const FormControls& controls() const { return *this; }
    ModuleState& state() { return *this; }
    const ModuleState& state() const { return *this; }

    platform::Services& services() { return m_services; }

    /// The wall clock that paces the help panel animation; tests replace it.
    std::function<std::chrono::steady_clock::time_point()> helpPanelClock = [] {
        return std::chrono::steady_clock::now();
    };

    // ---- Design parameters and limits ------------------------------------------------------
    void MinMaxAssignment();
    void AssignParameters();
    void ResetLaunchParameters();
    void cmdDefault_Click();

    // ---- Parameter checking ----------------------------------------------------------------
    /// True when an input was out of range (the message has been shown, the box corrected) or
    /// cannot be used (the message has been shown).
    bool CheckParameters();
    void txtInput_Validate(int Index, bool& Cancel);

    // ---- Pre-launch calculations, flight, launch sequence, optimiser -------------------------
    void CalculateLaunchParameters();
    void CalculateTrajectory();
    void cmdLaunch_Click();
    void cmdLaunch2_Click();
    void cmdCheck_Click();
    void cmdOptimise_Click();
    /// Runs cmdLaunch_Click without counting the launch (a re-plot); does nothing before the
    /// first counted launch.
    void Replot();
    /// The checks of a launch (cmdLaunch_Click steps 2 to 4): CheckParameters, AssignParameters,
    /// CalculateLaunchParameters and the refusal of a design whose air cannot expel all the
    /// water. True when the launch is refused; the message has then been shown.
    bool LaunchRefused();
    /// Flies the launch record as it stands, from the launcher, without drawing, history or
    /// commentary: the flight into the current slot, LastFlight and the three result texts. The
    /// window's launch and the sweep's candidates both fly through it; a candidate, which needs the
    /// results alone, keeps only the latest sample in the slot.
    void FlyCurrentDesign(sim::Recording recording = sim::Recording::EverySample);
    /// The settings CalculateTrajectory flies with: the trigger option, the wind, the record size.
    sim::FlightSettings WindowFlightSettings() const;
    /// Writes LastFlight's duration and the record's maximum height and range into txtOutput(4),
    /// txtOutput(6) and txtOutput(9) as the window shows them.
    void ShowFlightResults();
    /// The message shown after a flight stopped before landing; empty after a landing.
    std::string FlightStoppedMessage() const;

    // ---- Commentary ------------------------------------------------------------------------
    void CommentaryCreation(int Stage);

    // ---- Graphs ----------------------------------------------------------------------------
    void ScaleXYGraph();
    void ScaleVTGraph();
    void cmdClearGraph_Click(int Index);
    void txtGraph_Validate(int Index, bool& Cancel);
    /// Before the flight: up to nine earlier launches in blue, then the drawing width.
    void PlotEarlierLaunches();
    /// The flight's points on the trajectory graph in the colours of their phases.
    void PlotTrajectory();
    /// After the landing: velocities, event lines and parachute symbols.
    void PlotVelocities();
    void PlotParachute(double X, double Y, double Size);
    void pctXYGraph_MouseMove();
    void pctVTgraph_MouseMove();
    void txtGraph_MouseMove(int Index);

    // ---- History ---------------------------------------------------------------------------
    void PrepareFlexGrid();
    void AddLaunchtoFlexgrid();
    // ---- Files and clipboard -----------------------------------------------------------------
    void cmdSave_Click();
    void cmdLoad_Click();
    /// What "Load" does once its dialog has chosen `path`: the file's design into the window, or
    /// "Load"'s message when it cannot be read (zorbal FILE opens a file this way).
    void openDesignFile(const std::string& path);
    void cmdCopy_Click();
    void cmdSaveTraj_Click();
    void cmdCopyHistory_Click();
    void cmdSaveHistory_Click();
    void cmdCopyCommentary_Click();
    /// The page's "Copy Link": a link to `base` (the page's address) carrying the design as
    /// "Save" would write it goes to the clipboard; the clipboard's refusal is said as the other
    /// copy buttons say it.
    void copyDesignLink(std::string_view base);

    // ---- Window, options, advice -------------------------------------------------------------
    void Form_Load();
    void Form_Unload(int& Cancel);
    void SSTab1_Click(int PreviousTab);
    void chkOptions_Click(int Index);
    void optParachute_Click(int Index);
    void Frame1_Click();
    void frmLauncher_Click();
    void frmParachute_Click();
    void cmdShowHelp_Click(int Index);
    void txtInput_Click(int Index);
    void txtInput_MouseMove(int Index);
    void txtOutput_Click(int Index);
    void txtOutput_MouseMove(int Index);
    void chkOptions_MouseMove(int Index);
    void optParachute_MouseMove(int Index);
    /// Mouse over a command button; `button` is one of the window's buttons. Dispatches to the
    /// button's own handler below; other buttons (cmdClearGraph) show no advice.
    void cmdButton_MouseMove(const Button& button);
    void cmdCheck_MouseMove();
    void cmdCopy_MouseMove();
    void cmdCopyCommentary_MouseMove();
    void cmdCopyHistory_MouseMove();
    void cmdDefault_MouseMove();
    void cmdLaunch_MouseMove();
    void cmdLaunch2_MouseMove();
    void cmdLoad_MouseMove();
    void cmdOptimise_MouseMove();
    void cmdSave_MouseMove();
    void cmdSaveHistory_MouseMove();
    void cmdSaveTraj_MouseMove();
    void cmdShowHelp_MouseMove(int Index);
    void Frame3_MouseMove();
    void Frame4_MouseMove();
    void Frame5_MouseMove();
    void Frame1_MouseMove() { Frame1_Click(); }
    void frmLauncher_MouseMove() { frmLauncher_Click(); }
    void frmParachute_MouseMove() { frmParachute_Click(); }

    /// "Busy..." on a green, disabled "Launch!": the first thing both launch buttons do. A page
    /// that cannot repaint inside a handler shows it before it runs a long launch.
    void setLaunchButtonBusy();

  private:
    /// Sets the controls' design-time captions, texts, colours and enabled states.
    void InitializeComponent();
    /// Shows a message box with the program's title.
    void MsgBox(const std::string& text);
    void setLaunchButtonReady();

    platform::Services m_services;
    /// A help panel animation is running (a press arriving meanwhile only turns it round).
    bool m_isHelpPanelMoving = false;
};

} // namespace zorbal::ui
