// SPDX-License-Identifier: MIT
// The session's Investigate window: its model on the page's services, its form and controls as
// JSON for the page, and the jobs the page's worker runs. A picture is painted by the page, which
// has the canvas: the model's PNG encoder hands back a token that the file writer turns into a
// picture effect.
#include "files/design_file.h"
#include "ui/design_loader.h"
#include "web/json_fields.h"
#include "web/web_session.h"

#include <cmath>
#include <exception>
#include <string>

namespace zorbal::web {

namespace {

std::string listJson(const std::vector<std::string>& texts) {
    std::string out = "[";
    for (const std::string& text : texts)
        out += (out.size() > 1 ? "," : "") + jsonString(text);
    return out + "]";
}

std::string stateJson(const investigate::ControlState& state) {
    std::string out = JsonFields()
                          .add("text", state.text)
                          .add("enabled", state.enabled)
                          .add("visible", state.visible)
                          .add("selected", state.selected)
                          .add("value", state.value)
                          .add("description", state.description)
                          .add("tip", state.toolTip)
                          .done();
    out.pop_back();
    return out + ",\"items\":" + listJson(state.items) + "}";
}

/// A count of flights as the model takes it: what is not a whole number from 0 up counts as 0.
std::size_t flights(double count) {
    return std::isfinite(count) && count >= 0 && count < 1e15 ? static_cast<std::size_t>(count) : 0;
}

/// The refusal of a job whose work the browser did not finish.
constexpr const char* kWorkFailed =
    "Zorbal could not finish this work: the browser stopped it, perhaps for want of memory.";

} // namespace

investigate::Investigator& Session::investigator() {
    if (m_investigator)
        return *m_investigator;
    m_investigator = std::make_unique<investigate::Investigator>(m_platform.services());
    investigate::Investigator& model = *m_investigator;
    model.onUseDesign = [this](const std::string& file) { openDesign("Investigate.txt", file); };
    model.encodePng = [this](const platform::DrawingSurface& drawing, int width, int height) {
        // The page paints the graph once the save has chosen its name: what is "encoded" here is
        // a token no real picture can be, which the file writer recognises.
        const bool isScatter = &drawing == &m_investigator->surface("picScatter");
        WebPlatform::Files::Picture picture;
        picture.token = "\x89PNG zorbal picture " + std::to_string(++m_pictures);
        picture.graph = isScatter ? "picScatter" : "picVary";
        picture.width = width;
        picture.height = height;
        m_platform.textFiles.picture = picture;
        return picture.token;
    };
    model.onClose = [this] { ++m_investigateCloses; };
    return model;
}

void Session::openInvestigate() {
    investigator().open(files::designFileText(ui::designTexts(*m_window)));
}

bool Session::investigateAct(std::string_view event, std::string_view id, std::string_view value) {
    const std::pair<std::string_view, ui::FormEvent> events[] = {
        {"click", ui::FormEvent::Click},
        {"move", ui::FormEvent::Move},
        {"input", ui::FormEvent::Input},
        {"validate", ui::FormEvent::Validate},
    };
    bool handled = false;
    for (const auto& [name, formEvent] : events)
        if (event == name)
            run(
                [&, formEvent = formEvent](std::string_view text) {
                    handled = investigator().act(formEvent, id, text);
                    return false;
                },
                value);
    m_platform.textFiles.picture.reset();
    return handled;
}

std::string Session::investigateForm() const {
    std::string out = "[";
    for (const ui::FormControl& control : investigate::investigateForm()) {
        out += out.size() > 1 ? "," : "";
        out += formRowFields(control).done();
    }
    const std::string area = JsonFields()
                                 .add("width", investigate::kInvestigateArea.width)
                                 .add("height", investigate::kInvestigateArea.height)
                                 .add("title", investigate::kInvestigateTitle)
                                 .done();
    return area.substr(0, area.size() - 1) + ",\"controls\":" + out + "]}";
}

std::string Session::changedInvestigateControls() {
    investigate::Investigator& model = investigator();
    std::string out = "{";
    auto put = [&](std::string_view id, std::string json) {
        auto& shown = m_shownInvestigate[std::string(id)];
        if (shown == json)
            return;
        out += out.size() > 1 ? "," : "";
        out += jsonString(id);
        out += ':';
        out += json;
        shown = std::move(json);
    };
    for (const ui::FormControl& control : investigate::investigateForm()) {
        if (control.kind == ui::ControlKind::Graph) {
            std::string json = stateJson(model.control(control.id));
            json.pop_back();
            put(control.id, json + ",\"revision\":" + std::to_string(model.surface(control.id).revision()) +
                                ",\"back\":" + std::to_string(model.surface(control.id).backColor()) + "}");
        } else {
            put(control.id, stateJson(model.control(control.id)));
        }
    }
    put("investigate", JsonFields()
                           .add("announcement", model.announcement())
                           .add("announced", static_cast<long long>(model.announcementCount()))
                           .add("busy", model.isBusy())
                           .add("cancelled", model.cancelFlag().load())
                           .add("closes", static_cast<long long>(m_investigateCloses))
                           .done());
    return out + "}";
}

std::string Session::takeInvestigateJob() {
    if (!m_investigator)
        return {};
    std::optional<investigate::Job> job = m_investigator->takeJob();
    if (!job)
        return {};
    m_investigateJob = job->id;
    m_investigateJobKind = job->kind;
    return investigate::jobText(*job);
}

void Session::investigateProgress(double done, double total) {
    if (m_investigator)
        run(
            [&](std::string_view) {
                m_investigator->progress(flights(done), flights(total));
                return false;
            },
            {});
}

void Session::finishInvestigateJob(std::string_view resultText) {
    takeInvestigateResult(resultText);
    showInvestigateResult();
}

void Session::takeInvestigateResult(std::string_view resultText) {
    if (!m_investigator)
        return;
    m_investigateResult = investigate::readResult(resultText);
    if (!m_investigateResult) {
        // The work failed in the worker, or gave what is not a result: said as its refusal.
        m_investigateResult = investigate::JobResult{};
        m_investigateResult->id = m_investigateJob;
        m_investigateResult->kind = m_investigateJobKind;
        m_investigateResult->isComplete = true;
        m_investigateResult->refusal = kWorkFailed;
    }
}

void Session::showInvestigateResult() {
    if (!m_investigator || !m_investigateResult)
        return;
    investigate::JobResult result = std::move(*m_investigateResult);
    m_investigateResult.reset();
    run(
        [&](std::string_view) {
            m_investigator->finish(std::move(result));
            return false;
        },
        {});
}

void Session::investigateJobStopped() {
    if (!m_investigator)
        return;
    investigate::JobResult result;
    result.id = m_investigateJob;
    result.kind = m_investigateJobKind;
    result.isComplete = false;
    run(
        [&](std::string_view) {
            m_investigator->finish(std::move(result));
            return false;
        },
        {});
}

const platform::DrawingSurface& Session::investigateSurface(std::string_view id) {
    return investigator().surface(id);
}

void Session::openDesign(std::string name, std::string designFile) {
    if (m_splash->Visible)
        act("click", "cmdOK");
    pickFile(std::move(name), std::move(designFile));
    act("click", "cmdLoad");
    act("click", "SSTab1_" + std::to_string(ui::TabRocketDesign));
}

} // namespace zorbal::web
