// SPDX-License-Identifier: MIT
#include "web/web_session.h"

#include "web/json_fields.h"

#include "files/design_file.h"
#include "files/design_link.h"
#include "platform/pixel_geometry.h"
#include "ui/accessible_text.h"
#include "ui/design_loader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <exception>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>

namespace zorbal::web {

using platform::Button;
using platform::Label;
using platform::TextBox;

void WebPlatform::Messages::show(std::string_view text) {
    m_effects.push_back(Effect{Effect::Kind::Message, std::string(text), {}});
}

bool WebPlatform::WebClipboard::setText(const std::string& text) {
    if (refusing)
        return false;
    m_effects.push_back(Effect{Effect::Kind::Clipboard, text, {}});
    return true;
}

bool WebPlatform::Dialog::showOpen() {
    if (!pickedPath)
        return false;
    FileName = *pickedPath;
    pickedPath.reset();
    return true;
}

bool WebPlatform::Files::read(const std::string& path, std::string& content) {
    const auto it = picked.find(path);
    if (it == picked.end())
        return false;
    content = it->second;
    return true;
}

bool WebPlatform::Files::write(const std::string& path, const std::string& content) {
    // The browser saves under a bare name in the user's downloads.
    const std::size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty())
        return false;
    if (picture && content == picture->token) {
        m_effects.push_back(
            Effect{Effect::Kind::Picture, picture->graph, std::move(name), picture->width, picture->height});
        return true;
    }
    m_effects.push_back(Effect{Effect::Kind::Download, content, std::move(name)});
    return true;
}

std::string jsonString(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (u < 0x20) {
                static constexpr char kHex[] = "0123456789abcdef";
                out += "\\u00";
                out += kHex[u >> 4];
                out += kHex[u & 15];
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

namespace {

using Fields = JsonFields;

std::string textBoxJson(const TextBox& box) {
    return Fields()
        .add("text", box.Text)
        .add("enabled", box.Enabled)
        .add("locked", box.Locked)
        .add("back", box.BackColor)
        .add("fore", box.ForeColor)
        .add("tip", box.ToolTip)
        .done();
}

std::string buttonJson(const Button& button) {
    return Fields()
        .add("caption", button.Caption)
        .add("enabled", button.Enabled)
        .add("visible", button.Visible)
        .add("back", button.BackColor)
        .add("tip", button.ToolTip)
        .done();
}

std::string labelJson(const Label& label) {
    return Fields()
        .add("caption", label.Caption)
        .add("enabled", label.Enabled)
        .add("back", label.BackColor)
        .add("fore", label.ForeColor)
        .add("tip", label.ToolTip)
        .done();
}

} // namespace

Session::Session()
    : m_platform(m_effects), m_window(std::make_unique<ui::Zorbal>(m_platform.services())),
      m_splash(std::make_unique<ui::Splash>(*m_window)), m_formActions(*m_window) {
    // The page animates the help panel itself, so the handler's own animation ends at once: each
    // reading of its clock is a second later than the one before.
    m_window->helpPanelClock = [tick = std::chrono::steady_clock::time_point()]() mutable {
        tick += std::chrono::seconds(1);
        return tick;
    };
    bindActions();
}

void Session::bindActions() {
    // The form's own controls go to the window module's handlers (see act); these are the page's.
    ui::Zorbal& w = *m_window;
    ui::Splash& s = *m_splash;
    auto plain = [](std::function<void()> handler) {
        return [handler = std::move(handler)](std::string_view) {
            handler();
            return false;
        };
    };
    // A press of a launch button shows what the launch shows first, so that the page can put it
    // on the screen before it runs the launch (a click then); the click's handler sets it again.
    for (const char* id : {"cmdLaunch", "cmdLaunch2"}) {
        Button* button = std::get<Button*>(ui::controlOf(w, id));
        m_actions[std::string("press:") + id] = [this, &w, button, id](std::string_view) {
            if (!button->Enabled || !button->Visible)
                return false;
            w.setLaunchButtonBusy();
            m_pressed = id;
            return true;
        };
    }
    // The page's "Copy Link", with the page's address as the value.
    m_actions["copylink:page"] = [&w](std::string_view base) {
        w.copyDesignLink(base);
        return false;
    };
    m_actions["click:cmdOK"] = plain([&s] { s.cmdOK_Click(); });
    m_actions["click:Image1"] = plain([&s] { s.Image1_Click(); });
    m_actions["unload:frmZorbal"] = plain([&w] {
        int cancel = 0;
        w.Form_Unload(cancel);
    });
}

bool Session::run(const Action& action, std::string_view value) {
    try {
        return action(value);
    } catch (const std::exception& error) {
        m_platform.messages.show(std::string("Zorbal could not finish this action: ") + error.what());
    } catch (...) {
        m_platform.messages.show("Zorbal could not finish this action.");
    }
    return false;
}

bool Session::act(std::string_view event, std::string_view id, std::string_view value) {
    // An action is kept once it has run, so one that brings the module down is not replayed
    // after the reload. Running it again after the browser refused the clipboard changes nothing
    // but the messages: it is kept once.
    const bool isRepeat = m_platform.clipboard.refusing;
    const bool isLaunch = event == "click" && (id == "cmdLaunch" || id == "cmdLaunch2");
    const int launches = m_window->LaunchCount;
    const std::size_t effectsBefore = m_effects.size();
    const bool cancel = dispatch(event, id, value);
    if (!isRepeat)
        m_journal.record(event, id, value);
    if (!isLaunch)
        return cancel;
    // A launch is announced: its results once it has flown, or the message that refused it.
    std::string said;
    if (m_window->LaunchCount != launches) {
        said = ui::launchAnnouncement(*m_window);
    } else {
        for (std::size_t i = effectsBefore; i < m_effects.size(); ++i)
            if (m_effects[i].kind == Effect::Kind::Message)
                said += (said.empty() ? "" : " ") + m_effects[i].text;
    }
    if (!said.empty()) {
        m_announcement = said;
        ++m_announcements;
    }
    return cancel;
}

bool Session::dispatch(std::string_view event, std::string_view id, std::string_view value) {
    const std::string key = std::string(event) + ":" + std::string(id);
    if (const auto it = m_actions.find(key); it != m_actions.end())
        return run(it->second, value);
    // A launch button that was pressed (and so shows "Busy...", disabled) takes the click that
    // follows; any other disabled button takes none.
    if (event == "click" && !m_pressed.empty() && m_pressed == id) {
        m_pressed.clear();
        const ui::FormControl* control = ui::findControl(id);
        return run(
            [this, control](std::string_view) {
                control->click(*m_window);
                return false;
            },
            value);
    }
    const std::pair<std::string_view, ui::FormEvent> events[] = {
        {"click", ui::FormEvent::Click},
        {"move", ui::FormEvent::Move},
        {"input", ui::FormEvent::Input},
        {"validate", ui::FormEvent::Validate},
    };
    for (const auto& [name, formEvent] : events)
        if (event == name)
            return run([this, formEvent = formEvent,
                        id](std::string_view text) { return m_formActions.run(formEvent, id, text); },
                       value);
    return false;
}

void Session::pickFile(std::string name, std::string content) {
    m_journal.recordPick(name, content);
    // Each pick gets its own path, so a later pick of a file with the same name is read afresh.
    const std::string path = "/picked/" + std::to_string(m_platform.textFiles.picked.size()) + "/" + name;
    m_platform.textFiles.picked[path] = std::move(content);
    m_platform.dialog.pickedPath = path;
}

Session::LinkOutcome Session::openLink(std::string_view link) {
    files::DesignLinkReading reading = files::readDesignLink(link);
    if (reading.content == files::LinkContent::NotADesign)
        return LinkOutcome::NotADesign;
    if (reading.content == files::LinkContent::Damaged || !files::readsWhole(reading.designText)) {
        m_platform.messages.show(ui::kCannotOpenDesign);
        return LinkOutcome::Refused;
    }
    openDesign("Design link.txt", std::move(reading.designText));
    return LinkOutcome::Opened;
}

RestoreOutcome Session::restore(std::string_view journal) {
    JournalContent kept = readJournal(journal);
    if (kept.outcome != RestoreOutcome::Restored)
        return kept.outcome;
    for (JournalAction& action : kept.actions) {
        if (!Journal::keeps(action.event))
            return RestoreOutcome::Damaged; // no page writes it
        if (action.event == "pick")
            pickFile(std::move(action.id), std::move(action.value));
        else
            act(action.event, action.id, action.value);
        m_effects.clear();
    }
    m_pressed.clear();
    const bool isSame = m_window->LaunchCount == kept.launches &&
                        lessonDigest(*m_window, m_platform.frame.width) == kept.state;
    return isSame ? RestoreOutcome::Restored : RestoreOutcome::Different;
}

JsonFields formRowFields(const ui::FormControl& control) {
    JsonFields fields;
    fields.add("id", control.id)
        .add("kind", controlKindName(control.kind))
        .add("parent", control.parent)
        .add("left", control.rect.left)
        .add("top", control.rect.top)
        .add("width", control.rect.width)
        .add("height", control.rect.height);
    if (!control.caption.empty())
        fields.add("caption", control.caption);
    if (!control.unit.empty())
        fields.add("unit", control.unit);
    if (!control.group.empty())
        fields.add("group", control.group);
    if (control.points > 0)
        fields.add("points", control.points).add("bold", control.bold);
    if (control.align != ui::TextAlign::TopLeft)
        fields.add("align", textAlignName(control.align));
    if (control.flags & ui::FlagWraps)
        fields.add("wraps", true);
    if (control.flags & ui::FlagScrolls)
        fields.add("scrolls", true);
    if (control.flags & ui::FlagNoLineWrap)
        fields.add("nowrap", true);
    if (control.kind == ui::ControlKind::Shape)
        fields.add("color", control.color);
    return fields;
}

std::string Session::form() const {
    std::string out = "[";
    for (const ui::FormControl& control : ui::mainForm()) {
        Fields fields = formRowFields(control);
        if (control.kind == ui::ControlKind::Tabs)
            fields.add("pages", static_cast<int>(m_window->SSTab1.captions().size()));
        for (const auto& [name, event] :
             {std::pair{"clicks", ui::FormEvent::Click}, std::pair{"moves", ui::FormEvent::Move},
              std::pair{"validates", ui::FormEvent::Validate}})
            if (m_formActions.handles(event, control.id))
                fields.add(name, true);
        out += out.size() > 1 ? "," : "";
        out += fields.done();
    }
    return out + "]";
}

namespace {

/// The page's element of a splash control: its labels are "splashLabel1_0" and so on, as the
/// main window has labels of the same names.
std::string splashElementId(const ui::FormControl& control) {
    return control.kind == ui::ControlKind::Label ? "splash" + std::string(control.id)
                                                  : std::string(control.id);
}

} // namespace

std::string Session::splashForm() const {
    std::string controls = "[";
    for (const ui::FormControl& control : ui::splashForm()) {
        Fields fields;
        fields.add("id", splashElementId(control))
            .add("kind", control.kind == ui::ControlKind::Picture ? "picture"
                         : control.kind == ui::ControlKind::Label ? "label"
                                                                  : "button")
            .add("left", control.rect.left)
            .add("top", control.rect.top)
            .add("width", control.rect.width)
            .add("height", control.rect.height);
        if (const ui::FontNote* font = m_splash->fontOf(control.id))
            fields.add("family", font->family).add("points", font->pointSize).add("bold", font->isBold);
        controls += controls.size() > 1 ? "," : "";
        controls += fields.done();
    }
    const std::string area =
        Fields().add("width", ui::kSplashArea.width).add("height", ui::kSplashArea.height).done();
    return area.substr(0, area.size() - 1) + ",\"controls\":" + controls + "]}";
}

std::string Session::changedControls() {
    ui::Zorbal& w = *m_window;
    const ui::Splash& s = *m_splash;
    std::string out = "{";
    auto put = [&](const std::string& id, std::string json) {
        auto& shown = m_shownControls[id];
        if (shown == json)
            return;
        out += out.size() > 1 ? "," : "";
        out += jsonString(id);
        out += ':';
        out += json;
        shown = std::move(json);
    };

    put("frmZorbal", Fields()
                         .add("caption", w.Caption)
                         .add("width", m_platform.frame.width)
                         .add("tab", w.SSTab1.Tab())
                         .add("loaded", w.Loaded)
                         .add("unloaded", w.Unloaded)
                         .done());
    for (const ui::FormControl& control : ui::mainForm()) {
        const ui::ControlRef model = ui::controlOf(w, control.id);
        const std::string id(control.id);
        if (const auto* box = std::get_if<TextBox*>(&model))
            put(id, textBoxJson(**box));
        else if (const auto* button = std::get_if<Button*>(&model))
            put(id, buttonJson(**button));
        else if (const auto* label = std::get_if<Label*>(&model))
            put(id, labelJson(**label));
        else if (const auto* check = std::get_if<platform::CheckBox*>(&model))
            put(id, Fields()
                        .add("caption", (*check)->Caption)
                        .add("enabled", (*check)->Enabled)
                        .add("value", (*check)->Value())
                        .done());
        else if (const auto* option = std::get_if<platform::OptionButton*>(&model))
            put(id, Fields()
                        .add("caption", (*option)->Caption)
                        .add("enabled", (*option)->Enabled)
                        .add("value", (*option)->Value)
                        .done());
        else if (const auto* line = std::get_if<ui::KeyLine*>(&model))
            put(id, Fields().add("color", (*line)->BorderColor).add("width", (*line)->BorderWidth).done());
        else if (const auto* surface = std::get_if<platform::DrawingSurface*>(&model))
            put(id, Fields()
                        .add("revision", static_cast<long long>((*surface)->revision()))
                        .add("back", (*surface)->backColor())
                        .done());
    }
    put("cmdOK", buttonJson(s.cmdOK));
    for (const ui::FormControl& control : ui::splashForm())
        if (const platform::Label* label = s.labelOf(control.id))
            put(splashElementId(control), labelJson(*label));
    std::string captions = "[";
    for (const std::string& caption : w.SSTab1.captions())
        captions += (captions.size() > 1 ? "," : "") + jsonString(caption);
    captions += "]";
    put("SSTab1", Fields().add("tab", w.SSTab1.Tab()).done().insert(1, "\"captions\":" + captions + ","));
    put("accessible", accessibleJson());
    put("frmSplash", Fields().add("visible", s.Visible).add("mainWindowShown", s.MainWindowShown).done());
    out += "}";
    return out;
}

std::string Session::accessibleJson() const {
    const ui::Zorbal& w = *m_window;
    auto list = [](const std::vector<std::string>& texts) {
        std::string out = "[";
        for (const std::string& text : texts)
            out += (out.size() > 1 ? "," : "") + jsonString(text);
        return out + "]";
    };
    std::string rows = "[";
    for (const ui::FlightEventRow& row : ui::flightEventRows(w))
        rows += (rows.size() > 1 ? "," : "") + list({row.event, row.time, row.height, row.range, row.speed});
    rows += "]";
    std::string out = Fields()
                          .add("announcement", m_announcement)
                          .add("announced", m_announcements)
                          .add("graph0", ui::graphDescription(w, 0))
                          .add("graph1", ui::graphDescription(w, 1))
                          .add("eventsCaption", ui::flightEventsCaption(w))
                          .done();
    out.pop_back();
    return out + ",\"headings\":" + list(ui::flightEventHeadings()) + ",\"events\":" + rows + "}";
}

std::string Session::changedGrid() {
    const platform::Grid& grid = m_window->MSFlexGrid1;
    if (grid.revision() == m_shownGridRevision)
        return {};
    m_shownGridRevision = grid.revision();
    std::string out = "{\"rows\":" + std::to_string(grid.Rows()) +
                      ",\"cols\":" + std::to_string(grid.Cols()) +
                      ",\"fixedRows\":" + std::to_string(grid.FixedRows()) +
                      ",\"fixedCols\":" + std::to_string(grid.FixedCols()) + ",\"widths\":[";
    for (int c = 0; c < grid.Cols(); ++c)
        out += (c ? "," : "") + std::to_string(grid.ColWidth(c));
    out += "],\"cells\":[";
    for (int r = 0; r < grid.Rows(); ++r) {
        out += r ? ",[" : "[";
        for (int c = 0; c < grid.Cols(); ++c) {
            const platform::GridCell& cell = grid.cell(r, c);
            out += c ? ",[" : "[";
            out += jsonString(cell.text) + "," + std::to_string(cell.backColor) + "," +
                   std::to_string(cell.foreColor) + "," + (cell.bold ? "1" : "0") + "," +
                   std::to_string(static_cast<int>(cell.alignment)) + "]";
        }
        out += "]";
    }
    out += "],\"spans\":[";
    bool first = true;
    for (int r = 0; r < grid.Rows(); ++r) {
        if (!grid.MergeRow(r))
            continue;
        for (const auto& [col, count] : grid.mergedSpans(r)) {
            out += first ? "[" : ",[";
            first = false;
            out += std::to_string(r) + "," + std::to_string(col) + "," + std::to_string(count) + "]";
        }
    }
    out += "]}";
    return out;
}

namespace {

bool allFinite(std::span<const double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

/// A rectangle of whole pixels, as x, y, width and height.
struct WholeRect {
    double x = 0, y = 0, width = 0, height = 0;
};

/// The rectangle of a Rect or Hatch entry on whole pixels, its corners rounded half away from zero
/// and put in order; nothing when a corner is not finite or it covers no pixel of the picture.
std::optional<WholeRect> wholePixels(const platform::PixelMapping& mapping, const platform::Primitive& e,
                                     double width, double height) {
    // Far enough out that no pen reaches into the picture.
    constexpr double kFar = 1 << 20;
    double at[] = {mapping.toPixelX(e.x1), mapping.toPixelY(e.y1), mapping.toPixelX(e.x2),
                   mapping.toPixelY(e.y2)};
    for (int k = 0; k < 4; ++k) {
        if (!std::isfinite(at[k]))
            return std::nullopt;
        at[k] = std::round(std::clamp(at[k], -kFar, (k % 2 == 0 ? width : height) + kFar));
    }
    const double left = std::min(at[0], at[2]), right = std::max(at[0], at[2]);
    const double top = std::min(at[1], at[3]), bottom = std::max(at[1], at[3]);
    if (right <= left || bottom <= top)
        return std::nullopt;
    return WholeRect{left, top, right - left, bottom - top};
}

} // namespace

void canvasCommands(const platform::DrawingSurface& surface, int widthPx, int heightPx, double pixelRatio,
                    std::vector<double>& out) {
    using platform::PrimitiveKind;
    out.clear();
    const double width = widthPx, height = heightPx;
    // A pen's width in device pixels: whole for the kinds placed in user units, as the desktop
    // rounds them; as drawn for the kinds charts draw in pixels.
    auto command = [&out](CanvasCommand kind, platform::Color colour, double pen,
                          std::initializer_list<double> at) {
        out.push_back(static_cast<double>(kind));
        out.push_back(colour);
        out.push_back(pen);
        out.push_back(static_cast<double>(platform::penCapOf(static_cast<int>(pen))));
        out.insert(out.end(), at);
        out.resize(out.size() + (kCanvasCommandWords - 4 - at.size()), 0.0);
    };
    auto mapping = platform::PixelMapping::of(surface.userScale(), width, height);
    const auto& list = surface.primitives();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const platform::Primitive& e = list[i];
        const int penPx = platform::penWidthPx(e.width, pixelRatio);
        switch (e.kind) {
        case PrimitiveKind::Scale:
            mapping = platform::PixelMapping::of(platform::UserScale{e.x1, e.y1, e.x2, e.y2}, width, height);
            break;
        case PrimitiveKind::PointRun:
            command(
                CanvasCommand::Dots, e.color, penPx,
                {static_cast<double>(i), mapping.originX, mapping.originY, mapping.scaleX, mapping.scaleY});
            break;
        case PrimitiveKind::Line:
            if (const auto segment = platform::lineInPixels(mapping, e, width, height)) {
                // Along an axis a line is crisp on the pixel grid; slanted ones are smoothed.
                const platform::PixelSegment s = platform::snapAlongAxis(*segment, penPx);
                const bool isHairline = segment->isAlongAxis() && penPx == 1;
                command(isHairline ? CanvasCommand::Hairline : CanvasCommand::Line, e.color, penPx,
                        {s.x1, s.y1, s.x2, s.y2});
            }
            break;
        case PrimitiveKind::Box:
            if (const auto box = platform::boxInPixels(mapping, e, width, height)) {
                const platform::StrokeRect r = platform::outlinePixels(*box, penPx);
                command(CanvasCommand::StrokeRect, e.color, penPx, {r.x, r.y, r.width, r.height});
            }
            break;
        case PrimitiveKind::FilledBox:
            if (const auto box = platform::boxInPixels(mapping, e, width, height)) {
                const platform::PixelRect r = platform::filledPixels(*box);
                command(CanvasCommand::FillRect, e.fill, penPx,
                        {static_cast<double>(r.left), static_cast<double>(r.top),
                         static_cast<double>(r.width), static_cast<double>(r.height), 255.0});
            }
            break;
        case PrimitiveKind::Circle:
            if (const auto ellipse = platform::circleInPixels(mapping, e, width, height))
                command(CanvasCommand::Ellipse, e.color, penPx,
                        {ellipse->centreX, ellipse->centreY, ellipse->radiusX, ellipse->radiusY});
            break;
        case PrimitiveKind::Arc:
            // The canvas measures angles clockwise, its y axis pointing down.
            if (const auto arc = platform::arcInPixels(mapping, e, width, height))
                command(CanvasCommand::Arc, e.color, penPx,
                        {arc->centreX, arc->centreY, arc->radius, -arc->start, -(arc->start + arc->span)});
            break;
        case PrimitiveKind::Text:
            if (const std::span<const double> v = surface.values(e);
                v.size() >= 3 && allFinite(v) && e.text < surface.texts().size())
                command(CanvasCommand::Text, e.color, penPx,
                        {mapping.toPixelX(v[0]), mapping.toPixelY(v[1]), v[2] * pixelRatio,
                         static_cast<double>(e.text),
                         static_cast<double>(static_cast<int>(e.hAlign) + 3 * static_cast<int>(e.vAlign) +
                                             (e.isBold ? 9 : 0) + (e.isVertical ? 18 : 0))});
            break;
        case PrimitiveKind::Stroke:
            if (const std::span<const double> v = surface.values(e); v.size() >= 5 && allFinite(v))
                command(CanvasCommand::Stroke, e.color, v[4] * pixelRatio,
                        {mapping.toPixelX(v[0]), mapping.toPixelY(v[1]), mapping.toPixelX(v[2]),
                         mapping.toPixelY(v[3]), e.isDashed ? 1.0 : 0.0});
            break;
        case PrimitiveKind::Polyline:
            if (const std::span<const double> v = surface.values(e); v.size() >= 5 && allFinite(v)) {
                command(CanvasCommand::Polyline, e.color, v[0] * pixelRatio,
                        {mapping.toPixelX(v[1]), mapping.toPixelY(v[2])});
                for (std::size_t k = 3; k + 1 < v.size(); k += 2)
                    command(CanvasCommand::PolylineTo, e.color, 0,
                            {mapping.toPixelX(v[k]), mapping.toPixelY(v[k + 1])});
            }
            break;
        case PrimitiveKind::FilledEllipse:
            if (const std::span<const double> v = surface.values(e); v.size() >= 5 && allFinite(v)) {
                const double centreX = mapping.toPixelX(v[0]), centreY = mapping.toPixelY(v[1]);
                command(CanvasCommand::FillEllipse, e.fill, 0,
                        {centreX, centreY, v[2] * pixelRatio, v[3] * pixelRatio});
                if (v[4] > 0)
                    command(CanvasCommand::Ellipse, e.color, v[4] * pixelRatio,
                            {centreX, centreY, v[2] * pixelRatio, v[3] * pixelRatio});
            }
            break;
        case PrimitiveKind::Rect:
            if (const auto r = wholePixels(mapping, e, width, height)) {
                command(CanvasCommand::FillRect, e.fill, 0,
                        {r->x, r->y, r->width, r->height, static_cast<double>(e.opacity)});
                if (e.width > 0)
                    command(CanvasCommand::StrokeRect, e.color, e.width * pixelRatio,
                            {r->x, r->y, r->width, r->height});
            }
            break;
        case PrimitiveKind::Hatch:
            if (const auto r = wholePixels(mapping, e, width, height))
                command(CanvasCommand::Hatch, e.color, 1, {r->x, r->y, r->width, r->height});
            break;
        }
    }
}

} // namespace zorbal::web
