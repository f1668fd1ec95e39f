// SPDX-License-Identifier: MIT
#include "investigate/job.h"

#include "platform/headless.h"
#include "ui/design_loader.h"
#include "ui/zorbal.h"

#include <utility>

namespace zorbal::investigate {

JobResult runJob(const Job& job, int threads, const std::function<void(std::size_t, std::size_t)>& onProgress,
                 const std::atomic<bool>* cancel) {
    JobResult result;
    result.id = job.id;
    result.kind = job.kind;
    {
        // A design that does not load is refused once, before any worker starts.
        platform::HeadlessPlatform platform;
        ui::Zorbal window(platform.services());
        window.Form_Load();
        if (!ui::applyDesignFile(window, job.designFile)) {
            result.refusal = ui::kCannotOpenDesign;
            return result;
        }
    }
    explore::SweepOptions options;
    options.threads = threads;
    options.setDesign = [&job](ui::Zorbal& window) { ui::applyDesignFile(window, job.designFile); };
    options.onProgress = onProgress;
    options.cancel = cancel;
    switch (job.kind) {
    case JobKind::Sweep: {
        explore::SweepGrid grid;
        if (auto error = explore::SweepGrid::make(job.axes, grid); !error.empty()) {
            result.refusal = std::move(error);
            return result;
        }
        result.rows.reserve(grid.size());
        result.isComplete = explore::runSweep(
            grid, options, [&result](explore::SweepRow&& row) { result.rows.push_back(std::move(row)); });
        if (!result.isComplete)
            result.rows.clear();
        break;
    }
    case JobKind::Fit:
        result.fit = explore::fitMeasured(job.fit, options);
        result.refusal = result.fit.refusal;
        result.isComplete = result.fit.isComplete;
        break;
    case JobKind::Scatter:
        result.scatter = explore::scatter(job.scatter, options);
        result.refusal = result.scatter.refusal;
        result.isComplete = result.scatter.isComplete;
        break;
    }
    return result;
}

// Written by the page's worker work; until then nothing reads.
std::string jobText(const Job&) {
    return {};
}
std::optional<Job> readJob(std::string_view) {
    return std::nullopt;
}
std::string resultText(const JobResult&) {
    return {};
}
std::optional<JobResult> readResult(std::string_view) {
    return std::nullopt;
}

} // namespace zorbal::investigate
