// SPDX-License-Identifier: MIT
// The monkey test: thousands of random user actions on the window, reproducible from a seed,
// with the window's invariants checked after each.
//
//   ZORBAL_MONKEY_ACTIONS=100000 ZORBAL_MONKEY_SEED=7 zorbal_robustness_tests --gtest_filter='Monkey.*'
//
// runs a longer one (the default is 3,000 actions); ZORBAL_MONKEY_TRACE=1 prints each action
// before it runs, to find the one that hangs or crashes.
#include "platform/number_text.h"
#include "random_design.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zorbal::test {
namespace {

class Monkey {
  public:
    explicit Monkey(std::uint64_t seed) : m_random(seed) {
        // The help panel animation reads the clock; a fast fake clock keeps it to a few steps.
        w().helpPanelClock = [this] {
            m_now += std::chrono::milliseconds(90);
            return m_now;
        };
        m_trace = std::getenv("ZORBAL_MONKEY_TRACE") != nullptr;
    }

    ui::Zorbal& w() { return m_started.window; }
    std::size_t messageCount() const { return m_started.messages().size(); }

    /// Runs one random action; returns its description.
    std::string act() {
        const int pick = m_random.below(100);
        std::string what;
        auto run = [&](std::string name, const std::function<void()>& action) {
            what = std::move(name);
            if (m_trace)
                std::fprintf(stderr, "monkey: %s\n", what.c_str());
            action();
        };
        if (pick < 18) {
            const int i = m_random.below(14);
            const std::string text = randomText();
            run("type \"" + printable(text) + "\" into txtInput(" + std::to_string(i) + ")",
                [&] { w().txtInput[static_cast<std::size_t>(i)].Text = text; });
        } else if (pick < 22) {
            const int i = m_random.below(14);
            run("leave txtInput(" + std::to_string(i) + ")", [&] {
                bool cancel = false;
                w().txtInput_Validate(i, cancel);
            });
        } else if (pick < 26) {
            const int i = m_random.below(4);
            const std::string text = m_random.below(3) == 0 ? randomText() : graphLimitText();
            run("type \"" + printable(text) + "\" into txtGraph(" + std::to_string(i) + ") and leave it",
                [&] {
                    w().txtGraph[static_cast<std::size_t>(i)].Text = text;
                    bool cancel = false;
                    w().txtGraph_Validate(i, cancel);
                });
        } else if (pick < 36) {
            run("click Launch!", [&] { clickIfEnabled(w().cmdLaunch, [&] { w().cmdLaunch_Click(); }); });
        } else if (pick < 40) {
            run("click the second Launch!", [&] { w().cmdLaunch2_Click(); });
        } else if (pick < 44) {
            run("click Launch! with a second Launch! waiting in the event queue", [&] {
                pump().post([this] { w().cmdLaunch2_Click(); });
                clickIfEnabled(w().cmdLaunch, [&] { w().cmdLaunch_Click(); });
            });
        } else if (pick < 47) {
            const int nested = m_random.below(6);
            run("queue action " + std::to_string(nested) + " for the next yield",
                [&] { pump().post([this, nested] { nestedAction(nested); }); });
        } else if (pick < 50) {
            run("click Check Parameters", [&] { w().cmdCheck_Click(); });
        } else if (pick < 53) {
            run("click Default Design", [&] { w().cmdDefault_Click(); });
        } else if (pick < 54) {
            run("click Optimise", [&] { w().cmdOptimise_Click(); });
        } else if (pick < 58) {
            const auto answer = randomPath();
            run("save the design to " + (answer ? *answer : std::string("(cancel)")), [&] {
                dialog().answers.push_back(answer);
                w().cmdSave_Click();
            });
        } else if (pick < 62) {
            const auto answer = randomPath();
            run("load a design from " + (answer ? *answer : std::string("(cancel)")), [&] {
                dialog().answers.push_back(answer);
                w().cmdLoad_Click();
            });
        } else if (pick < 64) {
            const std::string path = m_folder.put("random.txt", randomFile());
            run("load a random file", [&] {
                dialog().answers.push_back(path);
                w().cmdLoad_Click();
            });
        } else if (pick < 70) {
            run("click an export button", [&] { clickExport(m_random.below(5)); });
        } else if (pick < 76) {
            const int i = m_random.below(4);
            const int value = m_random.below(2);
            run("set chkOptions(" + std::to_string(i) + ") to " + std::to_string(value), [&] {
                auto& box = w().chkOptions[static_cast<std::size_t>(i)];
                if (box.Enabled)
                    box.setValue(value);
            });
        } else if (pick < 79) {
            const int i = m_random.below(2);
            run("select optParachute(" + std::to_string(i) + ")", [&] {
                if (w().optParachute[static_cast<std::size_t>(i)].Enabled)
                    w().optParachute.select(i);
            });
        } else if (pick < 83) {
            const int tab = m_random.below(7);
            run("select tab " + std::to_string(tab), [&] { w().SSTab1.setTab(tab); });
        } else if (pick < 93) {
            run("move the mouse", [&] { mouseMove(m_random.below(12)); });
        } else if (pick < 95) {
            run("click Show/Hide Help", [&] { w().cmdShowHelp_Click(0); });
        } else {
            const int i = m_random.below(14);
            run("click a frame or box", [&] {
                switch (m_random.below(5)) {
                case 0:
                    w().Frame1_Click();
                    break;
                case 1:
                    w().frmLauncher_Click();
                    break;
                case 2:
                    w().frmParachute_Click();
                    break;
                case 3:
                    w().txtInput_Click(i);
                    break;
                default:
                    w().txtOutput_Click(i);
                    break;
                }
            });
        }
        return what;
    }

    /// The invariants of the window between actions; empty when they hold.
    std::vector<std::string> broken() {
        std::vector<std::string> problems;
        if (w().LaunchCount < m_lastCount)
            problems.push_back("LaunchCount fell from " + std::to_string(m_lastCount) + " to " +
                               std::to_string(w().LaunchCount));
        m_lastCount = w().LaunchCount;
        // Two heading rows and a row per launch; before the first launch one empty launch row.
        if (w().MSFlexGrid1.Rows() != std::max(w().LaunchCount + 2, 3))
            problems.push_back("the history has " + std::to_string(w().MSFlexGrid1.Rows()) + " rows after " +
                               std::to_string(w().LaunchCount) + " launches");
        const auto& launch = w().cmdLaunch;
        if (launch.Caption != "Launch!" || !launch.Enabled || launch.BackColor != platform::kRed)
            problems.push_back("the launch button is not ready (\"" + launch.Caption + "\")");
        for (auto& text : nonFiniteTexts(w()))
            problems.push_back(std::move(text));
        for (const auto* button :
             {&w().cmdCopy, &w().cmdSaveTraj, &w().cmdCopyHistory, &w().cmdSaveHistory}) {
            if (button->Caption == " Busy...")
                problems.push_back("an export button stayed busy");
            if (w().LaunchCount > 0 && !button->Enabled)
                problems.push_back("an export button is disabled after a launch");
        }
        // The help panel animation always ends, exactly at the width its caption promises.
        const bool isShown = w().HelpPanelShown;
        if (m_started.platform.windowFrame.width != (isShown ? ui::kWidthWithHelp : ui::kWidthWithoutHelp) ||
            w().cmdShowHelp[0].Caption != (isShown ? "Hide Help" : "Show Help"))
            problems.push_back("the help panel rests at " +
                               std::to_string(m_started.platform.windowFrame.width) + " twips under \"" +
                               w().cmdShowHelp[0].Caption + "\"");
        return problems;
    }

  private:
    platform::ScriptedEventPump& pump() { return m_started.platform.eventPump; }
    platform::ScriptedFileDialog& dialog() { return m_started.platform.fileDialog; }

    static std::string printable(const std::string& text) {
        std::string out;
        for (char c : text.substr(0, 40)) {
            const auto u = static_cast<unsigned char>(c);
            if (u < 32 || u >= 127 || c == '"' || c == '\\') {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", u);
                out += hex;
            } else {
                out += c;
            }
        }
        return text.size() > 40 ? out + "..." : out;
    }

    void clickIfEnabled(const platform::Button& button, const std::function<void()>& click) {
        if (button.Enabled)
            click();
    }

    std::string randomText() {
        static const std::vector<std::string> kOdd = {
            "",
            " ",
            "0",
            "-0",
            "1e308",
            "-1e308",
            "1e309",
            "1e-320",
            "4.9e-324",
            "&HFFFF",
            "&O777",
            "&H",
            "1D5",
            " 12abc",
            "70%",
            "50 %",
            ",5",
            "1,5",
            "..",
            "-",
            "+",
            "e5",
            "1e",
            "NaN",
            "nan",
            "inf",
            "-Infinity",
            "1.#INF",
            "\xD9\xA3",
            "\t3\r\n",
            std::string("7\0"
                        "5",
                        3),
            "0.1",
            "99.999999999999999",
            std::string(400, '9'),
            "1" + std::string(5000, '0'),
            "-" + std::string(300, '9') + ".5",
            "2.00",
            "30.0",
            "3.0",
            "10000",
            "1000",
            "90",
            "-90",
            "20",
            "0.01",
            "100",
            "10",
        };
        switch (m_random.below(4)) {
        case 0:
            return kOdd[static_cast<std::size_t>(m_random.below(static_cast<int>(kOdd.size())))];
        case 1: {
            // A design value inside the limits, as the soak draws it.
            DesignGenerator generator(m_random.engine()());
            return generator.next().inputs[static_cast<std::size_t>(m_random.below(14))];
        }
        case 2:
            return platform::generalText((m_random.unit() - 0.3) * std::pow(10.0, m_random.below(12) - 4));
        default: {
            std::string text;
            const int length = m_random.below(12);
            for (int i = 0; i < length; ++i)
                text += static_cast<char>(m_random.below(256) - 128);
            return text;
        }
        }
    }

    std::string graphLimitText() {
        static const std::vector<std::string> kLimits = {"0",    "-5",  "1",    "10",  "100",
                                                         "1000", "1e6", "1e-6", "55.5"};
        return kLimits[static_cast<std::size_t>(m_random.below(static_cast<int>(kLimits.size())))];
    }

    std::optional<std::string> randomPath() {
        switch (m_random.below(6)) {
        case 0:
            return std::nullopt;
        case 1:
            return m_folder.path().string(); // a folder
        case 2:
            return m_folder.file("missing/design.txt"); // a folder that does not exist
        default:
            return m_folder.file("design" + std::to_string(m_random.below(3)) + ".txt");
        }
    }

    std::string randomFile() {
        std::string text = designFileText(m_random.below(2) == 0);
        // Damage it: replace, insert or cut a few bytes.
        const int edits = m_random.below(6);
        for (int e = 0; e < edits && !text.empty(); ++e) {
            const auto at = static_cast<std::size_t>(m_random.below(static_cast<int>(text.size())));
            switch (m_random.below(3)) {
            case 0:
                text[at] = static_cast<char>(m_random.below(256) - 128);
                break;
            case 1:
                text.insert(at, 1, ",\t\r\n\0-e9"[m_random.below(8)]);
                break;
            default:
                text.erase(at, static_cast<std::size_t>(m_random.below(20)));
                break;
            }
        }
        return text;
    }

    std::string designFileText(bool inLimits) {
        static const char* kKeys[] = {
            "Volume",   "Filling Factor", "Density",          "Pressure", "Nozzle",
            "Mass",     "Drag",           "Efficiency",       "Angle",    "LaunchTube",
            "LTLength", "Parachute",      "TriggerMechanism", "TrAngle",  "TrTime",
            "Wind"};
        static const int kBoxes[] = {0, 1, 2, 3, 4, 5, 6, 9, 7, -1, 8, 13, -2, 11, 12, 10};
        DesignGenerator generator(m_random.engine()());
        const RandomDesign design = generator.next();
        std::string text;
        for (std::size_t k = 0; k < 16; ++k) {
            std::string value;
            if (kBoxes[k] == -1)
                value = design.isRailOn ? "1" : "0";
            else if (kBoxes[k] == -2)
                value = design.isTriggerByAngle ? "Angle" : "Time";
            else
                value = inLimits ? design.inputs[static_cast<std::size_t>(kBoxes[k])] : randomText();
            text += std::string(kKeys[k]) + "\t" + value + "\r\n";
        }
        return text;
    }

    void clickExport(int which) {
        auto& w = this->w();
        switch (which) {
        case 0:
            clickIfEnabled(w.cmdCopy, [&] { w.cmdCopy_Click(); });
            break;
        case 1:
            dialog().answers.push_back(randomPath());
            clickIfEnabled(w.cmdSaveTraj, [&] { w.cmdSaveTraj_Click(); });
            break;
        case 2:
            clickIfEnabled(w.cmdCopyHistory, [&] { w.cmdCopyHistory_Click(); });
            break;
        case 3:
            dialog().answers.push_back(randomPath());
            clickIfEnabled(w.cmdSaveHistory, [&] { w.cmdSaveHistory_Click(); });
            break;
        default:
            w.cmdCopyCommentary_Click();
            break;
        }
        // An answer left unused by a disabled button would be taken by the next dialog.
        dialog().answers.clear();
    }

    void mouseMove(int where) {
        auto& w = this->w();
        const int i = m_random.below(14);
        switch (where) {
        case 0:
            w.txtInput_MouseMove(i);
            break;
        case 1:
            w.txtOutput_MouseMove(i);
            break;
        case 2:
            w.chkOptions_MouseMove(i % 4);
            break;
        case 3:
            w.optParachute_MouseMove(i % 2);
            break;
        case 4: {
            const platform::Button* buttons[] = {&w.cmdLaunch,      &w.cmdLaunch2,      &w.cmdCheck,
                                                 &w.cmdDefault,     &w.cmdOptimise,     &w.cmdSave,
                                                 &w.cmdLoad,        &w.cmdCopy,         &w.cmdSaveTraj,
                                                 &w.cmdCopyHistory, &w.cmdSaveHistory,  &w.cmdCopyCommentary,
                                                 &w.cmdShowHelp[0], &w.cmdClearGraph[1]};
            w.cmdButton_MouseMove(*buttons[i]);
            break;
        }
        case 5:
            w.Frame3_MouseMove();
            break;
        case 6:
            w.Frame4_MouseMove();
            break;
        case 7:
            w.Frame5_MouseMove();
            break;
        case 8:
            w.pctXYGraph_MouseMove();
            break;
        case 9:
            w.pctVTgraph_MouseMove();
            break;
        case 10:
            w.txtGraph_MouseMove(i % 4);
            break;
        default:
            w.frmParachute_MouseMove();
            break;
        }
    }

    // What a user may do while an operation yields to the event queue.
    void nestedAction(int which) {
        auto& w = this->w();
        switch (which) {
        case 0:
            w.cmdLaunch2_Click();
            break;
        case 1:
            w.txtInput[static_cast<std::size_t>(m_random.below(14))].Text = randomText();
            break;
        case 2:
            w.cmdOptimise_Click();
            break;
        case 3:
            w.chkOptions[0].setValue(1 - w.chkOptions[0].Value());
            break;
        case 4:
            w.cmdShowHelp_Click(0);
            break;
        default:
            w.cmdCheck_Click();
            break;
        }
    }

    StartedWindow m_started;
    DesignGenerator m_random;
    TempFolder m_folder;
    int m_lastCount = 0;
    bool m_trace = false;
    std::chrono::steady_clock::time_point m_now{};
};

TEST(Monkey, ThousandsOfRandomActionsKeepTheWindowSound) {
    const long long actions = environmentNumber("ZORBAL_MONKEY_ACTIONS", 3000);
    const auto seed = static_cast<std::uint64_t>(environmentNumber("ZORBAL_MONKEY_SEED", 1));
    Monkey monkey(seed);
    std::deque<std::string> recent;
    const auto start = std::chrono::steady_clock::now();
    for (long long n = 0; n < actions; ++n) {
        recent.push_back(monkey.act());
        if (recent.size() > 8)
            recent.pop_front();
        const auto problems = monkey.broken();
        if (!problems.empty()) {
            std::string message =
                "after action " + std::to_string(n) + " (seed " + std::to_string(seed) + "):";
            for (const auto& p : problems)
                message += "\n  - " + p;
            message += "\nlast actions:";
            for (const auto& a : recent)
                message += "\n  " + a;
            FAIL() << message;
        }
    }
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("monkey: %lld actions (seed %llu) in %.1f s, %d launches, %zu messages\n", actions,
                static_cast<unsigned long long>(seed), elapsed, monkey.w().LaunchCount,
                monkey.messageCount());
}

} // namespace
} // namespace zorbal::test
