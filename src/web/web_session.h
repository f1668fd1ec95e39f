// SPDX-License-Identifier: MIT
// The web edition's side of the window module: the browser's platform services and one session
// that runs the page's user actions through the window's own setters and handlers.
//
// A browser cannot block inside a handler, so the services that wait for the user on the desktop
// are turned into effects the page carries out after the handler has returned: message boxes in
// the order they were shown, files to download, text for the clipboard. An open dialog is
// answered before the handler runs (the page shows its file picker first).
#pragma once

#include "investigate/investigate.h"
#include "platform/services.h"
#include "ui/form.h"
#include "ui/splash.h"
#include "ui/zorbal.h"
#include "web/journal.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorbal::web {

/// What a handler left for the page to do once it has returned.
struct Effect {
    /// Picture: the page paints the Investigate window's graph `text` ("picVary", "picScatter")
    /// at width x height pixels and downloads it as the PNG file `name` (the module has no
    /// painter of its own).
    enum class Kind : std::uint8_t { Message, Download, Clipboard, Picture };
    Kind kind = Kind::Message;
    std::string text;          ///< the message, the file's bytes, the clipboard text, or the graph
    std::string name;          ///< the downloaded file's name
    int width = 0, height = 0; ///< a picture's size in pixels
};

/// The services of the page. Each records what the handler asked for in the session's effects.
struct WebPlatform {
    class Messages final : public platform::MessageBox {
      public:
        explicit Messages(std::vector<Effect>& effects) : m_effects(effects) {}
        void show(std::string_view text) override;

      private:
        std::vector<Effect>& m_effects;
    };
    /// Nothing can be repainted inside a handler: the page shows the state it returns with.
    class Pump final : public platform::EventPump {
      public:
        void doEvents() override {}
    };
    /// Accepts every text; the page writes it to the browser's clipboard afterwards. `refusing`
    /// is set while a handler runs again after the browser refused the clipboard.
    class WebClipboard final : public platform::Clipboard {
      public:
        explicit WebClipboard(std::vector<Effect>& effects) : m_effects(effects) {}
        bool setText(const std::string& text) override;
        bool refusing = false;

      private:
        std::vector<Effect>& m_effects;
    };
    /// Saves go to the browser's downloads under the proposed name; an open dialog returns the
    /// file the page's picker chose before the handler ran, once.
    class Dialog final : public platform::FileDialog {
      public:
        bool showSave() override { return true; }
        bool showOpen() override;
        std::optional<std::string> pickedPath;
    };
    class Frame final : public platform::WindowFrame {
      public:
        int outerWidthTwips() const override { return width; }
        void setOuterWidthTwips(int twips) override { width = twips; }
        int width = ui::kWidthWithHelp;
    };
    class Folder final : public platform::ProgramFolder {
      public:
        std::string path() const override { return "/zorbal"; }
    };
    /// Reading returns the picked file's bytes; writing becomes a download of the named file, or
    /// of a picture when the content is `pictureToken` (what the Investigate window's PNG
    /// encoder hands back on the page: the page paints it).
    class Files final : public platform::TextFiles {
      public:
        explicit Files(std::vector<Effect>& effects) : m_effects(effects) {}
        bool read(const std::string& path, std::string& content) override;
        bool write(const std::string& path, const std::string& content) override;
        std::map<std::string, std::string> picked; ///< path to bytes of files the user picked
        /// The picture being saved, while "Save Picture..." runs.
        struct Picture {
            std::string token, graph;
            int width = 0, height = 0;
        };
        std::optional<Picture> picture;

      private:
        std::vector<Effect>& m_effects;
    };

    explicit WebPlatform(std::vector<Effect>& effects)
        : messages(effects), clipboard(effects), textFiles(effects) {}
    Messages messages;
    Pump pump;
    WebClipboard clipboard;
    Dialog dialog;
    Frame frame;
    Folder folder;
    Files textFiles;

    platform::Services services() {
        return platform::Services{&messages, &pump, &clipboard, &dialog, &frame, &folder, &textFiles};
    }
};

/// One running program in the page: the main window module, its splash, the services and the
/// effects of the last action.
class Session {
  public:
    Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    ui::Zorbal& window() { return *m_window; }
    ui::Splash& splash() { return *m_splash; }
    WebPlatform& platform() { return m_platform; }

    /// Runs the user action `event` ("click", "move", "validate", "input") on the control with
    /// element id `id`, with `value` where the action takes one (the typed text, the check
    /// box's new value). Unknown ids do nothing. A failure inside the handler becomes a message,
    /// as on the desktop. Returns true when a validation cancelled the move of the focus.
    /// "press" on a launch button shows "Busy..." as the launch does first and returns true when
    /// the button took it; its next "click" then runs the launch.
    bool act(std::string_view event, std::string_view id, std::string_view value = {});
    /// The file the user picked for the next open dialog (answered before "Load" runs).
    void pickFile(std::string name, std::string content);

    /// What opening a link did.
    enum class LinkOutcome : int {
        NotADesign = 0, ///< the link carries no design (no fragment, or another's): nothing done
        Opened = 1,     ///< its design was loaded as "Load" loads a file, on the Rocket Design tab
        Refused = 2,    ///< damaged: "Load"'s message, and nothing changed
    };
    /// Opens the design a link (files/design_link.h) carries as if the user had picked its text
    /// as a file and pressed "Load", after "OK" on the splash window if it is open, then selects
    /// the Rocket Design tab; these are the journal's actions, so a replay gives them back. A text
    /// "Load" would not read to its end is refused before any of it is applied.
    LinkOutcome openLink(std::string_view link);

    /// The effects of the last action, in the order the handler caused them.
    const std::vector<Effect>& effects() const { return m_effects; }
    void clearEffects() { m_effects.clear(); }
    /// While set, the clipboard refuses every text: the page runs an action again this way when
    /// the browser refused the clipboard, so the program shows its own failure message.
    void setClipboardRefusing(bool refusing) { m_platform.clipboard.refusing = refusing; }

    /// The form the page builds its elements from, as JSON: one object per control, in the
    /// form's order, with its name, kind, container, designed rectangle in twips, the labels
    /// that name it, its text style and the events it takes.
    std::string form() const;
    /// The splash window's form as JSON: {"width", "height" (twips), "controls": [...]}, each
    /// control with its page element's id, kind, designed rectangle and font.
    std::string splashForm() const;
    /// The controls whose properties changed since the last call (all on the first), as JSON:
    /// {"id": {...}, ...}.
    std::string changedControls();
    /// The whole grid as JSON when it changed since the last call, else an empty string.
    std::string changedGrid();
    /// What the page says to a screen reader, as JSON: the latest announcement of a launch (its
    /// results, or the messages that refused it) with the count of announcements made, each
    /// graph's description, and the title, headings and rows of the latest flight's events. Sent by
    /// changedControls as the entry "accessible".
    std::string accessibleJson() const;

    // ---- The Investigate window ------------------------------------------------------------
    // Its actions are not kept in the lesson (a reload shows it closed); what it hands the main
    // window is: "Use this design" loads the design as "Load" loads a file, through the journal.

    /// Opens the Investigate window (made on first use) on the design the main window shows.
    void openInvestigate();
    /// The window's model, made on first use.
    investigate::Investigator& investigator();
    /// A user's event in the Investigate window ("click", "move", "input", "validate") on control
    /// `id` of investigateForm(); a failure inside becomes a message. Returns true when handled.
    bool investigateAct(std::string_view event, std::string_view id, std::string_view value);
    /// The Investigate window's form as JSON, as form() gives the main window's.
    std::string investigateForm() const;
    /// The Investigate window's controls that changed since the last call (all on the first), as
    /// JSON {"id": {...}, ...}, with "investigate": the announcement, its count, whether a job
    /// runs and whether it was cancelled.
    std::string changedInvestigateControls();
    /// The job a run button asked for, as its text (investigate::jobText), once; "" when none.
    std::string takeInvestigateJob();
    /// The running job's progress.
    void investigateProgress(double done, double total);
    /// The running job's result text (investigate::resultText); an empty or unreadable one
    /// (the work failed) is reported as the job's refusal. The same as takeInvestigateResult,
    /// then showInvestigateResult.
    void finishInvestigateJob(std::string_view resultText);
    /// The first half of finishInvestigateJob: the result read and kept. The page shows it a task
    /// later, so that reading a large result and showing it do not hold the page at once.
    void takeInvestigateResult(std::string_view resultText);
    /// The second half: the result kept handed to the window, which shows it.
    void showInvestigateResult();
    /// The page stopped the running job (after "Cancel", or when another design was opened):
    /// the model hears that it was cancelled.
    void investigateJobStopped();
    /// The drawing of the Investigate window's graph `id`.
    const platform::DrawingSurface& investigateSurface(std::string_view id);

    /// Loads `designFile`'s text as if the user had picked it as the file `name` and pressed
    /// "Load" (after "OK" on the splash window if it is open): the journal's actions.
    void openDesign(std::string name, std::string designFile);

    /// The lesson so far as a journal text (web/journal.h), which the page keeps.
    std::string journal() const { return m_journal.text(*m_window, m_platform.frame.width); }
    /// Moves whenever an action was added to the journal.
    std::uint64_t journalRevision() const { return m_journal.revision(); }
    /// Replays a kept journal in this session, which has run no action yet, through the same
    /// actions, showing nothing: the effects are dropped. Restored when the lesson came out as it
    /// was kept; after anything else the session is in no state to go on with (the page starts a
    /// new one).
    RestoreOutcome restore(std::string_view journal);

  private:
    using Action = std::function<bool(std::string_view value)>;
    void bindActions();
    /// Runs a user action (see act), without keeping it in the journal.
    bool dispatch(std::string_view event, std::string_view id, std::string_view value);
    bool run(const Action& action, std::string_view value);

    std::vector<Effect> m_effects;
    WebPlatform m_platform;
    std::unique_ptr<ui::Zorbal> m_window;
    std::unique_ptr<ui::Splash> m_splash;
    ui::FormActions m_formActions; ///< the form's controls' handlers
    std::map<std::string, Action, std::less<>> m_actions;
    std::map<std::string, std::string, std::less<>> m_shownControls;
    std::uint64_t m_shownGridRevision = ~std::uint64_t{0};
    std::string m_pressed;      ///< the launch button pressed, whose click comes next
    Journal m_journal;          ///< the user's actions so far
    std::string m_announcement; ///< what the latest launch said: its results or its refusal
    long long m_announcements = 0;
    std::unique_ptr<investigate::Investigator> m_investigator;
    std::map<std::string, std::string, std::less<>> m_shownInvestigate;
    std::uint64_t m_investigateJob = 0; ///< the id of the job the page runs
    investigate::JobKind m_investigateJobKind = investigate::JobKind::Sweep;
    std::optional<investigate::JobResult> m_investigateResult; ///< read, not yet shown
    long long m_investigateCloses = 0; ///< how often "Close" asked the page to close the window
    std::uint64_t m_pictures = 0;      ///< pictures saved, numbering their tokens
};

/// `text` as a JSON string literal (UTF-8 kept, control characters escaped).
std::string jsonString(std::string_view text);

/// What the page's painter does with one command of canvasCommands. Every command is
/// kCanvasCommandWords numbers: kind, colour (0xRRGGBB), pen width in pixels, pen cap (a
/// platform::PenCap), then a to e as each kind says. Positions are pixels of the canvas, already
/// mapped, clipped and snapped.
enum class CanvasCommand : std::uint8_t {
    Dots,       ///< the point run that is entry `a` of the display list, mapped with origin (b, c)
                ///< and scale (d, e): drawn into the layer of dots (PointLayer), not stroked
    Hairline,   ///< a one-pixel line along an axis from (a, b) to (c, d), on whole pixels;
                ///< consecutive ones in one colour may be stroked as one path
    Line,       ///< a line from (a, b) to (c, d)
    FillRect,   ///< the whole pixels from (a, b), c wide and d high, filled in `colour` at opacity
                ///< e (255: opaque)
    StrokeRect, ///< the outline along the rectangle from (a, b), c wide and d high
    Ellipse,    ///< the outline of the ellipse centred (a, b) with half-axes c and d
    Arc,        ///< the arc of radius c centred (a, b), from canvas angle d anticlockwise to e
    // The kinds charts draw in pixels:
    Text,        ///< text d of the surface's texts() anchored at (a, b), c pixels high; e holds its
                 ///< placement: hAlign + 3 * vAlign + 9 * bold + 18 * turned to read upwards
    Stroke,      ///< a line from (a, b) to (c, d), square ends, not smoothed, dashed when e is 1
    Polyline,    ///< a smoothed line with round joins and ends from (a, b) through the points of
                 ///< the PolylineTo commands that follow it
    PolylineTo,  ///< the next point (a, b) of the Polyline before it
    FillEllipse, ///< the ellipse centred (a, b) with half-axes c and d, filled in `colour`
    Hatch,       ///< diagonal hatching in `colour` over the whole pixels from (a, b), c wide, d high
};
inline constexpr std::size_t kCanvasCommandWords = 9;

/// The display list of `surface` as the commands that paint it on a canvas of widthPx x heightPx
/// pixels at `pixelRatio` (pen widths times the ratio), in drawing order, as the desktop's
/// painter places everything (platform/pixel_geometry.h). What cannot be seen (outside the
/// picture, not finite, too large) gives no command. Replaces the contents of `out`.
void canvasCommands(const platform::DrawingSurface& surface, int widthPx, int heightPx, double pixelRatio,
                    std::vector<double>& out);

} // namespace zorbal::web
