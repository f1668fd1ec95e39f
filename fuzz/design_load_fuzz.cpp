// SPDX-License-Identifier: MIT
// Fuzz target: arbitrary bytes as a design file, loaded through the window's own "Load" button,
// then launched.
//
// Properties: loading never crashes or hangs and shows at most the load message; no output box
// shows "nan" or "inf"; a loaded design saved again and loaded into a fresh window gives the
// same design; the launch that follows ends with the button ready, and a flown design passes the
// soak's checks (bounded, finite, no energy from the drag).
#include "fuzz_check.h"
#include "platform/headless.h"
#include "platform/number_text.h"
#include "random_design.h"
#include "ui/zorbal.h"

#include <cstdint>
#include <string>

using namespace zorbal;

namespace {

/// Files held in memory: the fuzz input is every file read; the last write is kept.
class MemoryTextFiles final : public platform::TextFiles {
  public:
    bool read(const std::string&, std::string& content) override {
        content = file;
        return true;
    }
    bool write(const std::string&, const std::string& content) override {
        file = content;
        return true;
    }
    std::string file;
};

struct Window {
    Window() : window(services()) { window.Form_Load(); }
    platform::Services services() {
        auto s = platform.services();
        s.textFiles = &files;
        return s;
    }
    platform::HeadlessPlatform platform;
    MemoryTextFiles files;
    ui::Zorbal window;

    bool load(std::string content) {
        files.file = std::move(content);
        const std::size_t before = platform.messageBox.messages.size();
        platform.fileDialog.answers.push_back("design.txt");
        window.cmdLoad_Click();
        const auto& messages = platform.messageBox.messages;
        FUZZ_CHECK(messages.size() <= before + 1, "loading showed %zu messages", messages.size() - before);
        if (messages.size() == before)
            return true;
        FUZZ_CHECK(messages.back() == "Sorry, the program can't open that file.", "loading showed \"%s\"",
                   messages.back().c_str());
        return false;
    }
};

void checkTexts(const ui::Zorbal& w, const char* when) {
    const auto found = test::nonFiniteTexts(w);
    FUZZ_CHECK(found.empty(), "%s: %s", when, found.front().c_str());
}

// The design as the loader leaves it: each box as a number, and the options. A box left out of
// the file keeps its default text ("2.00"), which a saved file brings back as "2".
std::string designOf(const ui::Zorbal& w) {
    std::string design;
    for (std::size_t i = 0; i < w.txtInput.size(); ++i) {
        // Without the parachute the file keeps "0" in place of the diameter.
        if (i == 13 && w.chkOptions[3].Value() != 1)
            continue;
        design += platform::generalText(platform::readLenient(w.txtInput[i].Text)) + " ";
    }
    design += std::to_string(w.chkOptions[2].Value()) + std::to_string(w.chkOptions[3].Value()) +
              std::to_string(w.optParachute.selected());
    return design;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Window first;
    const bool loaded = first.load(std::string(reinterpret_cast<const char*>(data), size));
    checkTexts(first.window, "after loading");

    if (loaded) {
        first.platform.fileDialog.answers.push_back("saved.txt");
        first.window.cmdSave_Click();
        Window second;
        FUZZ_CHECK(second.load(first.files.file), "a saved design cannot be loaded again:\n%s",
                   first.files.file.c_str());
        FUZZ_CHECK(designOf(first.window) == designOf(second.window), "saved and loaded again: %s\nbecame %s",
                   designOf(first.window).c_str(), designOf(second.window).c_str());
    }

    auto& w = first.window;
    w.cmdLaunch_Click();
    FUZZ_CHECK(w.cmdLaunch.Caption == "Launch!" && w.cmdLaunch.Enabled, "the launch button is not ready");
    checkTexts(w, "after launching");
    if (w.LaunchCount == 1) {
        FUZZ_CHECK(w.LastFlight.outcome != sim::FlightOutcome::NonFiniteState,
                   "the flight became non-finite");
        const auto problems = test::flightProblems(w.TrajectoryData.slot(1));
        FUZZ_CHECK(problems.empty(), "%s", problems.front().c_str());
    }
    return 0;
}
