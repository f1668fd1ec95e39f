// SPDX-License-Identifier: MIT
// Design exploration: the candidate grid, one candidate flown through the window, and the
// parallel sweep that keeps grid order.
#include "explore/sweep.h"

#include "platform/number_text.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <exception>
#include <mutex>
#include <thread>

namespace zorbal::explore {

const std::array<std::string, sim::kInputCount>& inputNames() {
    static const std::array<std::string, sim::kInputCount> names = {
        "volume",     "filling_factor", "liquid_density", "pressure",           "nozzle_diameter",
        "empty_mass", "drag_factor",    "launch_angle",   "rail_length",        "nozzle_efficiency",
        "wind_speed", "trigger_angle",  "trigger_delay",  "parachute_diameter",
    };
    return names;
}

// ---- Axes and grid ------------------------------------------------------------------------------

namespace {

/// Significant digits kept of an axis' largest magnitude when its values are rounded.
constexpr int kAxisDigits = 13;
/// A TO this close to a grid point, in steps, counts as on it.
constexpr double kStepTolerance = 1e-9;

/// 10^n for 0 <= n <= 22, exactly.
double exactPowerOfTen(int n) {
    double p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

} // namespace

std::string VaryAxis::parse(std::string_view text, VaryAxis& axis) {
    const std::string quoted = "--vary takes I=FROM:TO:STEP, not \"" + std::string(text) + "\"";
    const auto equals = text.find('=');
    if (equals == std::string_view::npos)
        return quoted;
    int input = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + equals, input);
    if (error != std::errc{} || end != text.data() + equals || input < 0 || input >= sim::kInputCount)
        return quoted + ": I is an input box from 0 to 13";

    std::array<double, 3> numbers{};
    std::string_view rest = text.substr(equals + 1);
    for (std::size_t n = 0; n < numbers.size(); ++n) {
        const auto colon = rest.find(':');
        if ((n < 2) != (colon != std::string_view::npos))
            return quoted;
        const auto number = platform::readStrict(rest.substr(0, colon));
        if (!number || !std::isfinite(*number))
            return quoted + ": FROM, TO and STEP are plain numbers such as 0.5";
        numbers[n] = *number;
        rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
    }
    const auto [from, to, step] = numbers;
    if (step == 0)
        return quoted + ": STEP cannot be 0";
    const double steps = (to - from) / step;
    if (!(steps >= -kStepTolerance))
        return quoted + ": STEP must lead from FROM towards TO";
    if (!(steps < static_cast<double>(kMaxCandidates)))
        return quoted + ": more than " + platform::integerText(static_cast<long long>(kMaxCandidates)) +
               " values";

    axis.m_input = input;
    axis.m_from = from;
    axis.m_to = to;
    axis.m_step = step;
    axis.m_count = static_cast<std::size_t>(std::floor(std::max(steps, 0.0) + kStepTolerance)) + 1;
    const double magnitude = std::max({std::fabs(from), std::fabs(to), std::fabs(step)});
    // Values are rounded to whole multiples of 10^-decimals; beyond 10^22 powers of ten are not
    // exact doubles, and such axes are left unrounded.
    axis.m_decimals = kAxisDigits - 1 - static_cast<int>(std::floor(std::log10(magnitude)));
    axis.m_isRounded = std::abs(axis.m_decimals) <= 22;
    axis.m_power = axis.m_isRounded ? exactPowerOfTen(std::abs(axis.m_decimals)) : 1;
    return {};
}

double VaryAxis::value(std::size_t k) const {
    const double exact = m_from + static_cast<double>(k) * m_step;
    if (!m_isRounded)
        return exact;
    // Dividing a whole number by an exact power of ten gives the double nearest to the decimal,
    // the same double the box's text reads back as.
    if (m_decimals >= 0)
        return std::nearbyint(exact * m_power) / m_power;
    return std::nearbyint(exact / m_power) * m_power;
}

std::string VaryAxis::text(std::size_t k) const {
    return platform::generalText(value(k));
}

std::string SweepGrid::make(std::vector<VaryAxis> axes, SweepGrid& grid) {
    if (axes.empty())
        return "Give at least one --vary I=FROM:TO:STEP";
    if (axes.size() > kMaxAxes)
        return "A sweep varies at most three inputs";
    std::size_t size = 1;
    for (std::size_t a = 0; a < axes.size(); ++a) {
        for (std::size_t b = 0; b < a; ++b) {
            if (axes[a].input() == axes[b].input())
                return "Input " + platform::integerText(axes[a].input()) + " is varied twice";
        }
        if (axes[a].count() > kMaxCandidates / size)
            return "A sweep flies at most " + platform::integerText(static_cast<long long>(kMaxCandidates)) +
                   " designs";
        size *= axes[a].count();
    }
    grid.m_axes = std::move(axes);
    grid.m_size = size;
    return {};
}

std::vector<std::size_t> SweepGrid::position(std::size_t index) const {
    std::vector<std::size_t> at(m_axes.size());
    for (std::size_t a = m_axes.size(); a-- > 0;) {
        at[a] = index % m_axes[a].count();
        index /= m_axes[a].count();
    }
    return at;
}

std::vector<std::string> SweepGrid::texts(std::size_t index) const {
    const auto at = position(index);
    std::vector<std::string> result;
    result.reserve(at.size());
    for (std::size_t a = 0; a < at.size(); ++a)
        result.push_back(m_axes[a].text(at[a]));
    return result;
}

const char* outcomeName(Outcome outcome) {
    switch (outcome) {
    case Outcome::Flown:
        return "flown";
    case Outcome::Refused:
        return "refused";
    case Outcome::StepLimit:
        return "step_limit";
    case Outcome::NonFinite:
        return "non_finite";
    }
    return "refused";
}

// ---- One candidate ------------------------------------------------------------------------------

CandidateFlyer::CandidateFlyer(const SweepGrid& grid, const DesignSetter& setDesign)
    : m_grid(grid), m_window(m_platform.services()) {
    m_window.Form_Load();
    if (setDesign)
        setDesign(m_window);
    m_startControls = m_window.controls();
    m_startState = m_window.state();
}

void CandidateFlyer::typeCandidate(std::size_t index) {
    // Everything a launch reads or writes goes back to its state after start-up: a refused check
    // writes a limit into a box, and speeds and events otherwise carry over from the previous
    // flight. The trajectory record keeps its storage, so no candidate allocates it again.
    m_window.controls() = m_startControls;
    m_window.state() = m_startState;
    const auto at = m_grid.position(index);
    for (std::size_t a = 0; a < at.size(); ++a) {
        const auto& axis = m_grid.axes()[a];
        m_window.txtInput[static_cast<std::size_t>(axis.input())].Text = axis.text(at[a]);
    }
}

SweepRow CandidateFlyer::fly(std::size_t index) {
    SweepRow row;
    row.index = index;
    typeCandidate(index);
    for (const auto& axis : m_grid.axes())
        row.inputs.push_back(m_window.txtInput[static_cast<std::size_t>(axis.input())].Text);

    auto& messages = m_platform.messageBox.messages;
    messages.clear();
    if (m_window.LaunchRefused()) {
        row.outcome = Outcome::Refused;
        for (const auto& message : messages)
            row.message += row.message.empty() ? message : "\r\n" + message;
        return row;
    }

    m_window.FlyCurrentDesign();

    const auto& flight = m_window.LastFlight;
    switch (flight.outcome) {
    case sim::FlightOutcome::Landed:
        row.outcome = Outcome::Flown;
        break;
    case sim::FlightOutcome::StepLimitReached:
        row.outcome = Outcome::StepLimit;
        break;
    case sim::FlightOutcome::NonFiniteState:
        row.outcome = Outcome::NonFinite;
        break;
    }
    row.message = m_window.FlightStoppedMessage();
    row.duration = m_window.txtOutput[ui::ResultFlightTime].Text;
    row.height = m_window.txtOutput[ui::ResultMaxHeight].Text;
    row.range = m_window.txtOutput[ui::ResultRange].Text;
    row.steps = flight.steps;
    row.flightTime = flight.flightTime;
    row.maxHeight = m_window.Rocket.MaxHeight;
    row.rangeMetres = m_window.Rocket.Range;
    return row;
}

// ---- The sweep ----------------------------------------------------------------------------------

int workerCount(int requested, std::size_t candidates) {
    std::size_t threads =
        requested > 0 ? static_cast<std::size_t>(requested) : std::thread::hardware_concurrency();
    threads = std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(candidates, 1));
    return static_cast<int>(threads);
}

void runSweep(const SweepGrid& grid, const SweepOptions& options,
              const std::function<void(SweepRow&&)>& onRow) {
    const std::size_t total = grid.size();
    if (total == 0)
        return;
    const int threads = workerCount(options.threads, total);
    // Rows of one block are kept until they can be handed on in order; the calling thread hands
    // on one block while the workers fly the next.
    const std::size_t blockSize = std::min<std::size_t>(total, 1024 * static_cast<std::size_t>(threads));

    std::vector<std::unique_ptr<CandidateFlyer>> flyers(static_cast<std::size_t>(threads));
    auto flyerFor = [&](std::size_t t) -> CandidateFlyer& {
        if (!flyers[t])
            flyers[t] = std::make_unique<CandidateFlyer>(grid, options.setDesign);
        return *flyers[t];
    };

    std::vector<SweepRow> flying, finished;
    std::exception_ptr failure;
    std::mutex failureMutex;
    std::atomic<bool> isStopping{false};
    std::size_t done = 0;

    auto handOn = [&] {
        if (finished.empty())
            return;
        for (auto& row : finished)
            onRow(std::move(row));
        done += finished.size();
        finished.clear();
        if (options.onProgress)
            options.onProgress(done, total);
    };

    for (std::size_t begin = 0; begin < total; begin += blockSize) {
        const std::size_t end = std::min(total, begin + blockSize);
        flying.assign(end - begin, SweepRow{});
        std::atomic<std::size_t> next{begin};
        auto work = [&](std::size_t t) {
            try {
                CandidateFlyer& flyer = flyerFor(t);
                for (std::size_t i = next++; i < end && !isStopping; i = next++)
                    flying[i - begin] = flyer.fly(i);
            } catch (...) {
                const std::lock_guard lock(failureMutex);
                if (!failure)
                    failure = std::current_exception();
                isStopping = true;
            }
        };
        if (threads == 1) {
            handOn();
            work(0);
        } else {
            std::vector<std::thread> workers;
            auto joinWorkers = [&workers] {
                for (auto& worker : workers)
                    worker.join();
            };
            try {
                workers.reserve(static_cast<std::size_t>(threads));
                for (int t = 0; t < threads; ++t)
                    workers.emplace_back(work, static_cast<std::size_t>(t));
                handOn();
            } catch (...) {
                // A thread that could not start, or a failing consumer: stop, then let the
                // workers that did start finish before leaving.
                isStopping = true;
                joinWorkers();
                throw;
            }
            joinWorkers();
        }
        if (failure)
            std::rethrow_exception(failure);
        std::swap(flying, finished);
    }
    handOn();
}

std::vector<SweepRow> sweepRows(const SweepGrid& grid, const SweepOptions& options) {
    std::vector<SweepRow> rows;
    rows.reserve(grid.size());
    runSweep(grid, options, [&rows](SweepRow&& row) { rows.push_back(std::move(row)); });
    return rows;
}

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

} // namespace zorbal::explore
