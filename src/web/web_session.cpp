// SPDX-License-Identifier: MIT
#include "web/web_session.h"

#include <charconv>
#include <cstring>
#include <exception>
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

std::string indexed(std::string_view name, std::size_t index) {
    return std::string(name) + "_" + std::to_string(index);
}

/// Parses a whole decimal integer; -1 when `text` is not one.
int indexOf(std::string_view text) {
    int value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size() ? value : -1;
}

/// A small writer of one JSON object.
class Fields {
  public:
    Fields& add(std::string_view key, std::string_view text) {
        sep(key);
        m_out += jsonString(text);
        return *this;
    }
    Fields& add(std::string_view key, bool value) {
        sep(key);
        m_out += value ? "true" : "false";
        return *this;
    }
    Fields& add(std::string_view key, long long value) {
        sep(key);
        m_out += std::to_string(value);
        return *this;
    }
    Fields& add(std::string_view key, int value) { return add(key, static_cast<long long>(value)); }
    Fields& add(std::string_view key, unsigned value) { return add(key, static_cast<long long>(value)); }
    std::string done() { return m_out + "}"; }

  private:
    void sep(std::string_view key) {
        m_out += m_out.size() > 1 ? "," : "";
        m_out += jsonString(key);
        m_out += ':';
    }
    std::string m_out = "{";
};

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
      m_splash(std::make_unique<ui::Splash>(*m_window)) {
    // The page animates the help panel itself, so the handler's own animation ends at once: each
    // reading of its clock is a second later than the one before.
    m_window->helpPanelClock = [tick = std::chrono::steady_clock::time_point()]() mutable {
        tick += std::chrono::seconds(1);
        return tick;
    };
    bindActions();
}

void Session::bindActions() {
    ui::Zorbal& w = *m_window;
    auto plain = [](std::function<void()> handler) {
        return [handler = std::move(handler)](std::string_view) {
            handler();
            return false;
        };
    };
    auto on = [this](std::string_view event, const std::string& id, Action action) {
        m_actions[std::string(event) + ":" + id] = std::move(action);
    };

    const std::pair<const char*, Button*> buttons[] = {
        {"cmdLaunch", &w.cmdLaunch},
        {"cmdLaunch2", &w.cmdLaunch2},
        {"cmdCheck", &w.cmdCheck},
        {"cmdDefault", &w.cmdDefault},
        {"cmdOptimise", &w.cmdOptimise},
        {"cmdSave", &w.cmdSave},
        {"cmdLoad", &w.cmdLoad},
        {"cmdCopy", &w.cmdCopy},
        {"cmdSaveTraj", &w.cmdSaveTraj},
        {"cmdCopyHistory", &w.cmdCopyHistory},
        {"cmdSaveHistory", &w.cmdSaveHistory},
        {"cmdCopyCommentary", &w.cmdCopyCommentary},
        {"cmdShowHelp_0", &w.cmdShowHelp[0]},
        {"cmdClearGraph_1", &w.cmdClearGraph[1]},
    };
    const std::function<void()> clicks[] = {
        [&w] { w.cmdLaunch_Click(); },      [&w] { w.cmdLaunch2_Click(); },
        [&w] { w.cmdCheck_Click(); },       [&w] { w.cmdDefault_Click(); },
        [&w] { w.cmdOptimise_Click(); },    [&w] { w.cmdSave_Click(); },
        [&w] { w.cmdLoad_Click(); },        [&w] { w.cmdCopy_Click(); },
        [&w] { w.cmdSaveTraj_Click(); },    [&w] { w.cmdCopyHistory_Click(); },
        [&w] { w.cmdSaveHistory_Click(); }, [&w] { w.cmdCopyCommentary_Click(); },
        [&w] { w.cmdShowHelp_Click(0); },   [&w] { w.cmdClearGraph_Click(1); },
    };
    for (std::size_t i = 0; i < std::size(buttons); ++i) {
        Button* button = buttons[i].second;
        // A disabled button takes no click, whatever the page's element did; a launch button
        // that was pressed (and so shows "Busy...") takes the click that follows.
        on("click", buttons[i].first,
           [this, button, id = std::string(buttons[i].first), click = clicks[i]](std::string_view) {
               const bool pressed = !m_pressed.empty() && m_pressed == id;
               if (pressed)
                   m_pressed.clear();
               if (pressed || (button->Enabled && button->Visible))
                   click();
               return false;
           });
        on("move", buttons[i].first, plain([&w, button] { w.cmdButton_MouseMove(*button); }));
    }
    // A press of a launch button shows what the launch shows first, so that the page can put it
    // on the screen before it runs the launch (a click then); the click's handler sets it again.
    for (const char* id : {"cmdLaunch", "cmdLaunch2"}) {
        Button* button = id == std::string_view("cmdLaunch") ? &w.cmdLaunch : &w.cmdLaunch2;
        on("press", id, [this, &w, button, id](std::string_view) {
            if (!button->Enabled || !button->Visible)
                return false;
            w.setLaunchButtonBusy();
            m_pressed = id;
            return true;
        });
    }

    for (int i = 0; i < static_cast<int>(w.txtInput.size()); ++i) {
        const std::string id = indexed("txtInput", static_cast<std::size_t>(i));
        TextBox& box = w.txtInput[static_cast<std::size_t>(i)];
        on("input", id, [&box](std::string_view text) {
            box.Text = std::string(text);
            return false;
        });
        on("click", id, plain([&w, i] { w.txtInput_Click(i); }));
        on("move", id, plain([&w, i] { w.txtInput_MouseMove(i); }));
        on("validate", id, [&w, i](std::string_view) {
            bool cancel = false;
            w.txtInput_Validate(i, cancel);
            return cancel;
        });
    }
    for (int i = 0; i < static_cast<int>(w.txtOutput.size()); ++i) {
        const std::string id = indexed("txtOutput", static_cast<std::size_t>(i));
        on("click", id, plain([&w, i] { w.txtOutput_Click(i); }));
        on("move", id, plain([&w, i] { w.txtOutput_MouseMove(i); }));
    }
    for (int i = 0; i < static_cast<int>(w.txtGraph.size()); ++i) {
        const std::string id = indexed("txtGraph", static_cast<std::size_t>(i));
        TextBox& box = w.txtGraph[static_cast<std::size_t>(i)];
        on("input", id, [&box](std::string_view text) {
            box.Text = std::string(text);
            return false;
        });
        on("move", id, plain([&w, i] { w.txtGraph_MouseMove(i); }));
        on("validate", id, [&w, i](std::string_view) {
            bool cancel = false;
            w.txtGraph_Validate(i, cancel);
            return cancel;
        });
    }
    for (auto [name, box] : {std::pair{"txtHelp", &w.txtHelp}, std::pair{"Text1", &w.Text1}}) {
        TextBox* target = box;
        on("input", name, [target](std::string_view text) {
            if (!target->Locked)
                target->Text = std::string(text);
            return false;
        });
    }
    for (int i = 0; i < static_cast<int>(w.chkOptions.size()); ++i) {
        const std::string id = indexed("chkOptions", static_cast<std::size_t>(i));
        platform::CheckBox& box = w.chkOptions[static_cast<std::size_t>(i)];
        on("click", id, [&box](std::string_view value) {
            if (box.Enabled)
                box.setValue(indexOf(value));
            return false;
        });
        on("move", id, plain([&w, i] { w.chkOptions_MouseMove(i); }));
    }
    for (int i = 0; i < static_cast<int>(w.optParachute.size()); ++i) {
        const std::string id = indexed("optParachute", static_cast<std::size_t>(i));
        on("click", id, [&w, i](std::string_view) {
            if (w.optParachute[static_cast<std::size_t>(i)].Enabled)
                w.optParachute.select(i);
            return false;
        });
        on("move", id, plain([&w, i] { w.optParachute_MouseMove(i); }));
    }
    for (std::size_t i = 0; i < w.SSTab1.captions().size(); ++i)
        on("click", indexed("SSTab1", i), plain([&w, i] { w.SSTab1.setTab(static_cast<int>(i)); }));

    on("click", "Frame1", plain([&w] { w.Frame1_Click(); }));
    on("click", "frmLauncher", plain([&w] { w.frmLauncher_Click(); }));
    on("click", "frmParachute", plain([&w] { w.frmParachute_Click(); }));
    on("move", "Frame1", plain([&w] { w.Frame1_MouseMove(); }));
    on("move", "frmLauncher", plain([&w] { w.frmLauncher_MouseMove(); }));
    on("move", "frmParachute", plain([&w] { w.frmParachute_MouseMove(); }));
    on("move", "Frame3", plain([&w] { w.Frame3_MouseMove(); }));
    on("move", "Frame4", plain([&w] { w.Frame4_MouseMove(); }));
    on("move", "Frame5", plain([&w] { w.Frame5_MouseMove(); }));
    on("move", "pctXYGraph", plain([&w] { w.pctXYGraph_MouseMove(); }));
    on("move", "pctVTgraph", plain([&w] { w.pctVTgraph_MouseMove(); }));

    ui::Splash& s = *m_splash;
    on("click", "cmdOK", plain([&s] { s.cmdOK_Click(); }));
    on("click", "Image1", plain([&s] { s.Image1_Click(); }));
    on("unload", "frmZorbal", plain([&w] {
           int cancel = 0;
           w.Form_Unload(cancel);
       }));
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
    const std::string key = std::string(event) + ":" + std::string(id);
    const auto it = m_actions.find(key);
    if (it == m_actions.end())
        return false;
    return run(it->second, value);
}

void Session::pickFile(std::string name, std::string content) {
    // Each pick gets its own path, so a later pick of a file with the same name is read afresh.
    const std::string path = "/picked/" + std::to_string(m_platform.textFiles.picked.size()) + "/" + name;
    m_platform.textFiles.picked[path] = std::move(content);
    m_platform.dialog.pickedPath = path;
}

std::string Session::changedControls() {
    const ui::Zorbal& w = *m_window;
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
    auto boxes = [&](const char* name, const auto& array) {
        for (std::size_t i = 0; i < array.size(); ++i)
            put(indexed(name, i), textBoxJson(array[i]));
    };
    auto labels = [&](const char* name, const auto& array) {
        for (std::size_t i = 0; i < array.size(); ++i)
            put(indexed(name, i), labelJson(array[i]));
    };

    put("frmZorbal", Fields()
                         .add("caption", w.Caption)
                         .add("width", m_platform.frame.width)
                         .add("tab", w.SSTab1.Tab())
                         .add("loaded", w.Loaded)
                         .add("unloaded", w.Unloaded)
                         .done());
    boxes("txtInput", w.txtInput);
    boxes("txtOutput", w.txtOutput);
    boxes("txtGraph", w.txtGraph);
    put("txtHelp", textBoxJson(w.txtHelp));
    put("txtCommentary", textBoxJson(w.txtCommentary));
    put("Text1", textBoxJson(w.Text1));
    for (std::size_t i = 0; i < w.chkOptions.size(); ++i)
        put(indexed("chkOptions", i), Fields()
                                          .add("caption", w.chkOptions[i].Caption)
                                          .add("enabled", w.chkOptions[i].Enabled)
                                          .add("value", w.chkOptions[i].Value())
                                          .done());
    for (std::size_t i = 0; i < w.optParachute.size(); ++i)
        put(indexed("optParachute", i), Fields()
                                            .add("caption", w.optParachute[i].Caption)
                                            .add("enabled", w.optParachute[i].Enabled)
                                            .add("value", w.optParachute[i].Value)
                                            .done());
    const std::pair<const char*, const Button*> buttons[] = {
        {"cmdLaunch", &w.cmdLaunch},
        {"cmdLaunch2", &w.cmdLaunch2},
        {"cmdCheck", &w.cmdCheck},
        {"cmdDefault", &w.cmdDefault},
        {"cmdOptimise", &w.cmdOptimise},
        {"cmdSave", &w.cmdSave},
        {"cmdLoad", &w.cmdLoad},
        {"cmdCopy", &w.cmdCopy},
        {"cmdSaveTraj", &w.cmdSaveTraj},
        {"cmdCopyHistory", &w.cmdCopyHistory},
        {"cmdSaveHistory", &w.cmdSaveHistory},
        {"cmdCopyCommentary", &w.cmdCopyCommentary},
        {"cmdShowHelp_0", &w.cmdShowHelp[0]},
        {"cmdClearGraph_1", &w.cmdClearGraph[1]},
        {"cmdOK", &s.cmdOK},
    };
    for (const auto& [id, button] : buttons)
        put(id, buttonJson(*button));
    labels("lblInput", w.lblInput);
    labels("lblOutput", w.lblOutput);
    labels("Label1", w.Label1);
    labels("Label2", w.Label2);
    labels("Label6", w.Label6);
    const std::pair<const char*, const Label*> single[] = {
        {"Label3", &w.Label3},
        {"Label4", &w.Label4},
        {"Frame1", &w.Frame1},
        {"Frame2", &w.Frame2},
        {"Frame3", &w.Frame3},
        {"Frame4", &w.Frame4},
        {"Frame5", &w.Frame5},
        {"Frame6", &w.Frame6},
        {"Frame7", &w.Frame7},
        {"Frame8", &w.Frame8},
        {"frmLauncher", &w.frmLauncher},
        {"frmParachute", &w.frmParachute},
        {"frmWater", &w.frmWater},
        {"frmAir", &w.frmAir},
        {"frmParameters", &w.frmParameters},
        {"splashLabel1_0", &s.Label1[0]},
        {"splashLabel1_1", &s.Label1[1]},
        {"splashLabel3", &s.Label3},
    };
    for (const auto& [id, label] : single)
        put(id, labelJson(*label));
    for (std::size_t i = 0; i < w.Line1.size(); ++i)
        put(indexed("Line1", i),
            Fields().add("color", w.Line1[i].BorderColor).add("width", w.Line1[i].BorderWidth).done());
    std::string captions = "[";
    for (const std::string& caption : w.SSTab1.captions())
        captions += (captions.size() > 1 ? "," : "") + jsonString(caption);
    captions += "]";
    put("SSTab1", Fields().add("tab", w.SSTab1.Tab()).done().insert(1, "\"captions\":" + captions + ","));
    put("frmSplash", Fields().add("visible", s.Visible).add("mainWindowShown", s.MainWindowShown).done());
    for (const auto& [id, surface] :
         {std::pair{"pctXYGraph", &w.pctXYGraph}, std::pair{"pctVTgraph", &w.pctVTgraph}})
        put(id, Fields()
                    .add("revision", static_cast<long long>(surface->revision()))
                    .add("back", surface->backColor())
                    .done());
    out += "}";
    return out;
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

void packDisplayList(const platform::DrawingSurface& surface, std::vector<std::uint32_t>& out) {
    const auto& list = surface.primitives();
    out.assign(list.size() * kPackedWords, 0);
    std::uint32_t* word = out.data();
    for (const platform::Primitive& e : list) {
        word[0] = static_cast<std::uint32_t>(e.kind);
        word[1] = e.period;
        word[2] = e.color;
        word[3] = e.fill;
        word[4] = static_cast<std::uint32_t>(e.width);
        const float floats[] = {e.x1, e.y1, e.x2, e.y2, e.radius, e.aspect, e.start, e.end};
        for (std::size_t k = 0; k < std::size(floats); ++k)
            std::memcpy(&word[5 + k], &floats[k], sizeof(float)); // libc++ 13 has no bit_cast
        word[13] = e.first;
        word[14] = e.count;
        for (std::size_t s = 0; s < platform::kMaxRunPeriod; ++s) {
            word[15 + 2 * s] = e.styles[s].color;
            word[16 + 2 * s] = static_cast<std::uint32_t>(e.styles[s].width);
        }
        word += kPackedWords;
    }
}

} // namespace zorbal::web
