// SPDX-License-Identifier: MIT
// The design options every zorbal-cli command shares.
#include "cli_design.h"

#include <charconv>

namespace zorbal::cli {

void addDesignOptions(CLI::App& command, DesignOptions& options) {
    command.add_option("--input", options.inputs, "Set the text of input box I (0..13) exactly as typed: I=TEXT")
        ->type_name("I=TEXT");
    auto* rail = command.add_flag_callback("--rail", [&options] { options.rail = true; }, "Tick \"Launch Rail\"");
    auto* noRail =
        command.add_flag_callback("--no-rail", [&options] { options.rail = false; }, "Clear \"Launch Rail\"");
    rail->excludes(noRail);
    auto* chute =
        command.add_flag_callback("--parachute", [&options] { options.parachute = true; }, "Tick \"Parachute\"");
    auto* noChute = command.add_flag_callback("--no-parachute", [&options] { options.parachute = false; },
                                              "Clear \"Parachute\"");
    chute->excludes(noChute);
    command.add_option("--trigger", options.trigger, "Parachute trigger option")
        ->check(CLI::IsMember({"angle", "time"}));
}

std::string applyDesign(ui::Zorbal& window, const DesignOptions& options) {
    for (const auto& assignment : options.inputs) {
        const auto equals = assignment.find('=');
        int index = -1;
        if (equals != std::string::npos) {
            const char* first = assignment.data();
            const auto [end, error] = std::from_chars(first, first + equals, index);
            if (error != std::errc{} || end != first + equals)
                index = -1;
        }
        if (index < 0 || index >= sim::kInputCount)
            return "--input takes I=TEXT with I from 0 to 13, not \"" + assignment + "\"";
        window.txtInput[static_cast<std::size_t>(index)].Text = assignment.substr(equals + 1);
    }
    if (options.rail)
        window.chkOptions[2].setValue(*options.rail ? 1 : 0);
    if (options.parachute)
        window.chkOptions[3].setValue(*options.parachute ? 1 : 0);
    if (options.trigger == "angle")
        window.optParachute.select(0);
    else if (options.trigger == "time")
        window.optParachute.select(1);
    return {};
}

} // namespace zorbal::cli
