// SPDX-License-Identifier: MIT
// The Investigate window: varying one or two inputs of the current design, comparing it with a
// measured launch, and where it lands when its inputs are uncertain. A Qt-free model of the
// window's controls and every handler, as the main window has: a front end builds one widget per
// row of investigateForm(), passes the user's events to Investigator::act, runs the job it is
// given in the background (runJob) and shows the controls as Investigator::control says.
#pragma once

#include "investigate/job.h"
#include "platform/drawing_surface.h"
#include "platform/services.h"
#include "ui/form.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zorbal::investigate {

/// The window's client area as designed, twips (15 to a pixel at 96 dots per inch).
inline constexpr ui::TwipsRect kInvestigateArea{0, 0, 14400, 9600};

/// The window's caption.
inline constexpr const char* kInvestigateTitle = "Investigate";

/// The window's controls in tab order, a container before what it holds, as rows of the main
/// window's form table (their click and move handlers are null: every event goes through
/// Investigator::act). The controls:
/// - "tabInvestigate" (Tabs; pages "tabInvestigate_page_0..2": "Vary", "Compare with a real
///   launch", "Where will it land?");
/// - Vary page: "cboVary_0", "cboVary_1" (Choice: the input varied; the second has "(none)"
///   first), "txtFrom_0/1", "txtTo_0/1", "txtSteps_0/1" (InputBox), "cboFigure" (Choice: the
///   figure the map colours and "Best" maximises), "cmdVaryRun", "cmdBest", "cmdUseDesign",
///   "cmdSaveTable", "cmdSavePicture" (Button), "picVary" (Graph), "txtVaryPoint" (TextArea: the
///   design and results pointed at or chosen);
/// - Compare page: "txtMeasured_0..2" (InputBox: flight duration, maximum height, range; several
///   launches of one design as values separated by ";"), "txtUncertainty_0..2" (InputBox),
///   "cboFitInput" (Choice: the uncertain input, the drag factor first chosen), "cmdFit",
///   "cmdUseFit" (Button), "txtFitResult" (TextArea: measured against predicted, the interval);
/// - Where-will-it-land page: "txtSpread_0..13" (InputBox: each input's uncertainty, captioned by
///   the input), "txtRuns", "txtSeed" (InputBox), "cboDistribution" (Choice), "cmdScatterRun",
///   "cmdSaveRuns", "cmdSaveScatterPicture" (Button), "picScatter" (Graph), "txtScatterResult"
///   (TextArea: the 5-95 % ranges);
/// - below the pages: "prgProgress" (Progress), "cmdCancel" (Button), "lblStatus" (Label: what
///   runs or ran; its text is also the announcement), "cmdClose" (Button).
/// Every box, choice, text area and graph names its caption label and, for a box, its unit label.
std::span<const ui::FormControl> investigateForm();
/// The control of investigateForm() named `id`, or nullptr.
const ui::FormControl* findInvestigateControl(std::string_view id);

/// What one control shows; each kind uses the fields it has.
struct ControlState {
    std::string text; ///< a box's text; a label's, frame's or button's caption; a text area's lines (CR LF)
    bool enabled = true;
    bool visible = true;
    std::vector<std::string> items; ///< a choice's entries; the tab control's page captions
    int selected = 0;               ///< a choice's entry; the tab control's page
    int value = 0;                  ///< a progress bar's per cent, 0 to 100
    std::string description;        ///< for assistive technology: a graph's text alternative
    std::string toolTip;            ///< the control's advice
};

/// The Investigate window's model. Lives on the window's thread; only runJob runs elsewhere.
class Investigator {
  public:
    /// Uses the message box, the file dialog and the text files of `services`.
    explicit Investigator(const platform::Services& services);
    ~Investigator();
    Investigator(const Investigator&) = delete;
    Investigator& operator=(const Investigator&) = delete;

    /// Takes the design to investigate (a design file's text, as the main window's "Save" writes
    /// it): the boxes' settings stay, the results of another design are cleared.
    void open(const std::string& designFile);
    /// The design investigated.
    const std::string& designFile() const;

    /// The state of control `id` of the form; an unknown name gives an empty, disabled state.
    const ControlState& control(std::string_view id) const;
    /// The drawing of graph "picVary" or "picScatter", in the graph's designed pixels.
    const platform::DrawingSurface& surface(std::string_view id) const;
    /// Grows whenever a control or a drawing changes, so a front end mirrors only then.
    std::uint64_t revision() const;

    /// A user's event on control `id`:
    /// - Input: a box's typed text; a choice's chosen entry index; the tab control's page index;
    ///   on graph "picVary" a key ("left", "right", "up", "down", "home", "end") choosing the
    ///   design next to the chosen one, along the first input or the second (a map's rows);
    /// - Click: a button (disabled or hidden ones take none); a graph, with "x,y" in its designed
    ///   pixels, chooses the design drawn there;
    /// - Move: over a graph at "x,y" shows the design there in the point box ("" when the
    ///   pointer leaves);
    /// - Validate: leaving a box (never cancelled: a box is checked when its job is asked for).
    /// Returns true when the event was handled.
    bool act(ui::FormEvent event, std::string_view id, std::string_view value = {});

    /// The job a run button asked for, once: the front end runs it (runJob with cancelFlag) off
    /// the window's thread and hands the result to finish. Empty while none is waiting.
    std::optional<Job> takeJob();
    /// True from a run button's click until its job's result (or cancellation) has arrived.
    bool isBusy() const;
    /// Becomes true when "Cancel" is clicked; runJob stops on it.
    const std::atomic<bool>& cancelFlag() const;
    /// The running job's progress, on the window's thread.
    void progress(std::size_t done, std::size_t total);
    /// The job's result, on the window's thread; a result of a job no longer waited for is
    /// dropped.
    void finish(JobResult result);

    /// What a screen reader is told: the latest news (a job started, finished, refused,
    /// cancelled), and a count that grows with every piece of news.
    const std::string& announcement() const;
    std::uint64_t announcementCount() const;

    /// "Use this design" and "Put into design" hand a design file's text to the main window,
    /// which loads it as "Load" loads a file.
    std::function<void(const std::string& designFile)> onUseDesign;
    /// Turns a drawing into a PNG file's bytes at the given pixel size (the front end's painter);
    /// empty on failure. Unset: "Save Picture..." says the picture cannot be saved.
    std::function<std::string(const platform::DrawingSurface& drawing, int width, int height)> encodePng;
    /// "Close" was clicked (a running job has been cancelled first): the front end closes the
    /// window. Unset: the click only cancels.
    std::function<void()> onClose;

  private:
    /// "Cancel": sets the cancel flag; a job not yet taken is dropped at once.
    void cancelRunning();
    struct State;
    std::unique_ptr<State> m;
};

} // namespace zorbal::investigate
