// SPDX-License-Identifier: MIT
// The functions the page calls: one session of the program, its actions and effects, the
// controls that changed, the grid, and the commands that paint the two graphs as views of the
// module's memory; and the Investigate window's background work, which the page's worker runs.
#include "files/design_link.h"
#include "investigate/job.h"
#include "web/point_layer.h"
#include "web/web_session.h"

#include <emscripten/bind.h>
#include <emscripten/emscripten.h>
#include <emscripten/val.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

namespace zorbal::web {

namespace {

using emscripten::val;

/// The session as the page sees it.
class Page {
  public:
    bool act(const std::string& event, const std::string& id, const std::string& value) {
        return m_session.act(event, id, value);
    }
    /// The picked file's bytes arrive as a Uint8Array, copied byte for byte.
    void pickFile(const std::string& name, const val& bytes) {
        std::string content(bytes["length"].as<std::size_t>(), '\0');
        val view(
            emscripten::typed_memory_view(content.size(), reinterpret_cast<std::uint8_t*>(content.data())));
        view.call<void>("set", bytes);
        m_session.pickFile(name, std::move(content));
    }
    /// Opens the design that the address's fragment `hash` (location.hash) carries: 0 none, 1
    /// opened, 2 refused (the message is among the effects). Only as much of a long fragment as
    /// the link reader looks at is copied into the module, so a huge one costs no memory.
    int openLink(const val& hash) {
        const auto length = hash["length"].as<std::size_t>();
        const std::size_t kept = std::min(length, files::kMaxLinkFragmentLength + 2);
        const auto text = hash.call<std::string>("slice", 0, static_cast<double>(kept));
        return static_cast<int>(m_session.openLink(text));
    }
    int effectCount() const { return static_cast<int>(m_session.effects().size()); }
    int effectKind(int i) const { return static_cast<int>(effect(i).kind); }
    std::string effectText(int i) const { return effect(i).text; }
    std::string effectName(int i) const { return effect(i).name; }
    /// The bytes of a download, as a view the page copies at once.
    val effectBytes(int i) const {
        const std::string& text = effect(i).text;
        return val(
            emscripten::typed_memory_view(text.size(), reinterpret_cast<const std::uint8_t*>(text.data())));
    }
    void clearEffects() { m_session.clearEffects(); }
    void setClipboardRefusing(bool refusing) { m_session.setClipboardRefusing(refusing); }
    std::string changedControls() { return m_session.changedControls(); }
    std::string form() const { return m_session.form(); }
    std::string splashForm() const { return m_session.splashForm(); }
    std::string changedGrid() { return m_session.changedGrid(); }
    /// The lesson to keep, its revision (a count, exact as a double) and its replay in a new
    /// session: 0 restored, 1 another journal format, 2 damaged, 3 not the same lesson.
    std::string journal() const { return m_session.journal(); }
    double journalRevision() const { return static_cast<double>(m_session.journalRevision()); }
    int restore(const std::string& journal) { return static_cast<int>(m_session.restore(journal)); }

    // The Investigate window (see Session).
    void openInvestigate() { m_session.openInvestigate(); }
    bool investigateAct(const std::string& event, const std::string& id, const std::string& value) {
        return m_session.investigateAct(event, id, value);
    }
    std::string investigateForm() const { return m_session.investigateForm(); }
    std::string changedInvestigateControls() { return m_session.changedInvestigateControls(); }
    std::string takeInvestigateJob() { return m_session.takeInvestigateJob(); }
    void investigateProgress(double done, double total) { m_session.investigateProgress(done, total); }
    void takeInvestigateResult(const std::string& result) { m_session.takeInvestigateResult(result); }
    void showInvestigateResult() { m_session.showInvestigateResult(); }
    void investigateJobStopped() { m_session.investigateJobStopped(); }
    /// A picture effect's size in pixels.
    int effectWidth(int i) const { return effect(i).width; }
    int effectHeight(int i) const { return effect(i).height; }
    /// Text `index` of surface `which`'s texts, which its Text commands name.
    std::string surfaceText(int which, int index) {
        const auto& texts = surface(which).texts();
        return index >= 0 && static_cast<std::size_t>(index) < texts.size()
                   ? texts[static_cast<std::size_t>(index)]
                   : std::string();
    }

    /// What paints surface `which` (0 the trajectory graph, 1 the velocity graph, 2 and 3 the
    /// Investigate window's "picVary" and "picScatter") on a canvas of
    /// `width` x `height` pixels at `pixelRatio`: {commands, back}, the commands (see
    /// CanvasCommand) as a view of the module's memory, valid until the memory grows.
    val paintCommands(int which, int width, int height, double pixelRatio) {
        std::vector<double>& commands = m_commands[static_cast<std::size_t>(std::clamp(which, 0, 3))];
        const platform::DrawingSurface& surface = this->surface(which);
        canvasCommands(surface, width, height, pixelRatio, commands);
        val result = val::object();
        result.set("commands", val(emscripten::typed_memory_view(commands.size(), commands.data())));
        result.set("back", surface.backColor());
        return result;
    }

    /// Readies the layer the page's painter writes point runs into, `width` x `height` pixels,
    /// all transparent. Call it before paintCommands(): a new size takes memory.
    void prepareLayer(int width, int height) {
        if (m_layer.width() != width || m_layer.height() != height)
            m_layer.resize(width, height);
        else
            m_layer.clear();
    }
    /// Draws the point run that is entry `entry` of surface `which` into the layer, mapped as its
    /// Dots command says (pixel = (user - origin) * scale). Takes no memory.
    void paintPoints(int which, int entry, double originX, double originY, double scaleX, double scaleY,
                     double pixelRatio) {
        const platform::DrawingSurface& surface = this->surface(which);
        const auto& list = surface.primitives();
        if (entry < 0 || static_cast<std::size_t>(entry) >= list.size() ||
            list[static_cast<std::size_t>(entry)].kind != platform::PrimitiveKind::PointRun)
            return;
        m_layer.paint(surface, list[static_cast<std::size_t>(entry)],
                      platform::PixelMapping{originX, originY, scaleX, scaleY}, pixelRatio);
    }
    /// The area the layer's dots cover, [left, top, right, bottom), and its pixels as a view of
    /// the module's memory; clearLayer() makes it transparent again once the page has copied it.
    val layer() const {
        const PointLayer::Bounds& b = m_layer.written();
        val result = val::object();
        result.set("left", b.left);
        result.set("top", b.top);
        result.set("right", b.right);
        result.set("bottom", b.bottom);
        result.set("pixels", val(emscripten::typed_memory_view(
                                 4 * static_cast<std::size_t>(m_layer.width()) *
                                     static_cast<std::size_t>(m_layer.height()),
                                 reinterpret_cast<const std::uint8_t*>(m_layer.pixels()))));
        return result;
    }
    void clearLayer() { m_layer.clear(); }
    /// The dots both graphs show now: about what the next launch draws again.
    double graphPoints() { return static_cast<double>(surface(0).pointCount() + surface(1).pointCount()); }

  private:
    const platform::DrawingSurface& surface(int which) {
        switch (which) {
        case 0:
            return m_session.window().pctXYGraph;
        case 2:
            return m_session.investigateSurface("picVary");
        case 3:
            return m_session.investigateSurface("picScatter");
        default:
            return m_session.window().pctVTgraph;
        }
    }
    const Effect& effect(int i) const { return m_session.effects().at(static_cast<std::size_t>(i)); }

    Session m_session;
    std::array<std::vector<double>, 4> m_commands;
    PointLayer m_layer;
};

/// The shortest time between two progress calls, milliseconds: about twenty a second, so a worker
/// posting them does not flood the page.
constexpr double kProgressIntervalMs = 50;

/// Runs the job `jobText` (investigate::jobText) on this one thread and gives its result text
/// (investigate::resultText); an empty text when it is not a job or the run failed (out of
/// memory). `onProgress(done, total)`, a function or undefined, is called as the flights are
/// flown, at most every kProgressIntervalMs, and always for the last one.
std::string runInvestigateJob(const std::string& jobText, const val& onProgress) {
    const auto job = investigate::readJob(jobText);
    if (!job)
        return {};
    const bool reports = onProgress.typeOf().as<std::string>() == "function";
    double last = -kProgressIntervalMs;
    auto progress = [&](std::size_t done, std::size_t total) {
        const double now = emscripten_get_now();
        if (!reports || (done < total && now - last < kProgressIntervalMs))
            return;
        last = now;
        onProgress(static_cast<double>(done), static_cast<double>(total));
    };
    try {
        return investigate::resultText(investigate::runJob(*job, 1, progress, nullptr));
    } catch (const std::bad_alloc&) {
        return {};
    }
}

} // namespace

EMSCRIPTEN_BINDINGS(zorbal_investigate) {
    emscripten::function("runInvestigateJob", &runInvestigateJob);
}

EMSCRIPTEN_BINDINGS(zorbal_web) {
    emscripten::class_<Page>("Session")
        .constructor<>()
        .function("act", &Page::act)
        .function("pickFile", &Page::pickFile)
        .function("openLink", &Page::openLink)
        .function("effectCount", &Page::effectCount)
        .function("effectKind", &Page::effectKind)
        .function("effectText", &Page::effectText)
        .function("effectName", &Page::effectName)
        .function("effectBytes", &Page::effectBytes)
        .function("clearEffects", &Page::clearEffects)
        .function("setClipboardRefusing", &Page::setClipboardRefusing)
        .function("changedControls", &Page::changedControls)
        .function("form", &Page::form)
        .function("splashForm", &Page::splashForm)
        .function("changedGrid", &Page::changedGrid)
        .function("journal", &Page::journal)
        .function("journalRevision", &Page::journalRevision)
        .function("restore", &Page::restore)
        .function("paintCommands", &Page::paintCommands)
        .function("prepareLayer", &Page::prepareLayer)
        .function("paintPoints", &Page::paintPoints)
        .function("layer", &Page::layer)
        .function("clearLayer", &Page::clearLayer)
        .function("graphPoints", &Page::graphPoints)
        .function("openInvestigate", &Page::openInvestigate)
        .function("investigateAct", &Page::investigateAct)
        .function("investigateForm", &Page::investigateForm)
        .function("changedInvestigateControls", &Page::changedInvestigateControls)
        .function("takeInvestigateJob", &Page::takeInvestigateJob)
        .function("investigateProgress", &Page::investigateProgress)
        .function("takeInvestigateResult", &Page::takeInvestigateResult)
        .function("showInvestigateResult", &Page::showInvestigateResult)
        .function("investigateJobStopped", &Page::investigateJobStopped)
        .function("effectWidth", &Page::effectWidth)
        .function("effectHeight", &Page::effectHeight)
        .function("surfaceText", &Page::surfaceText);
    emscripten::constant("commandWords", static_cast<int>(kCanvasCommandWords));
}

} // namespace zorbal::web
