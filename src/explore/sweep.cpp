// SPDX-License-Identifier: MIT
// The parallel sweep: candidates flown in blocks by a pool of workers, rows handed on in grid order.
#include "explore/sweep.h"

#include "files/export_text.h"
#include "platform/number_text.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

namespace zorbal::explore {

int workerCount(int requested, std::size_t candidates) {
    const std::size_t cores = std::max(std::thread::hardware_concurrency(), 1U);
    std::size_t threads = requested > 0 ? static_cast<std::size_t>(requested) : cores;
    threads = std::min(threads, cores * kMaxThreadsPerCore);
    threads = std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(candidates, 1));
    return static_cast<int>(threads);
}

bool runCandidates(std::size_t total, const FlyCandidate& fly, const SweepOptions& options,
                   const std::function<void(SweepRow&&)>& onRow) {
    if (total == 0)
        return true;
    auto isCancelled = [&options] { return options.cancel != nullptr && options.cancel->load(); };
    const int threads = workerCount(options.threads, total);
    // Rows of one block are kept until they can be handed on in order; the calling thread hands
    // on one block while the workers fly the next.
    const std::size_t blockSize = std::min<std::size_t>(total, 1024 * static_cast<std::size_t>(threads));

    std::vector<std::unique_ptr<CandidateFlyer>> flyers(static_cast<std::size_t>(threads));
    auto flyerFor = [&](std::size_t t) -> CandidateFlyer& {
        if (!flyers[t])
            flyers[t] = std::make_unique<CandidateFlyer>(options.setDesign);
        return *flyers[t];
    };

    std::vector<SweepRow> flying, finished;
    std::exception_ptr failure;
    std::mutex failureMutex;
    std::atomic<bool> isStopping{false};
    std::size_t done = 0;
    int startable = threads; ///< worker threads to start for a block

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
        std::atomic<int> droppedOut{0};
        // The candidates workers gave up on for want of memory: at most one each.
        std::vector<std::size_t> leftOver;
        leftOver.reserve(static_cast<std::size_t>(threads));
        auto fail = [&] {
            const std::lock_guard lock(failureMutex);
            if (!failure)
                failure = std::current_exception();
            isStopping = true;
        };
        auto work = [&](std::size_t t) {
            std::size_t i = end;
            try {
                CandidateFlyer& flyer = flyerFor(t);
                for (i = next++; i < end && !isStopping && !isCancelled(); i = next++)
                    flying[i - begin] = fly(flyer, i);
            } catch (const std::bad_alloc&) {
                // No memory for this worker's window or flight: it gives its memory back to the
                // others and leaves its candidate to the calling thread.
                flyers[t].reset();
                const std::lock_guard lock(failureMutex);
                if (i < end)
                    leftOver.push_back(i);
                ++droppedOut;
            } catch (...) {
                fail();
            }
        };
        // Workers start where they can; a thread the system refuses (too many processes, too
        // little memory for its stack, its window or a flight) is simply not there, and the
        // ones that started share the block. What none of them flew, the calling thread flies
        // itself once it has handed on the previous block: the rows are the same whoever flies
        // them. Only when the calling thread runs out of memory too does the sweep fail.
        std::vector<std::thread> workers;
        if (threads > 1 && startable > 0) {
            try {
                workers.reserve(static_cast<std::size_t>(startable));
                for (int t = 0; t < startable; ++t)
                    workers.emplace_back(work, static_cast<std::size_t>(t));
            } catch (const std::system_error&) {
            } catch (const std::bad_alloc&) {
            }
        }
        auto joinWorkers = [&workers] {
            for (auto& worker : workers)
                worker.join();
        };
        try {
            handOn();
        } catch (...) {
            // A failing consumer: stop, then let the workers finish before leaving.
            isStopping = true;
            joinWorkers();
            throw;
        }
        joinWorkers();
        // Later blocks do not ask again for the threads the system has just refused.
        if (threads > 1)
            startable = static_cast<int>(workers.size()) - droppedOut;
        if (!failure && !isCancelled() && (!leftOver.empty() || next < end)) {
            try {
                CandidateFlyer& flyer = flyerFor(0);
                for (const std::size_t i : leftOver) {
                    if (isCancelled())
                        break;
                    flying[i - begin] = fly(flyer, i);
                }
                for (std::size_t i = next++; i < end && !isCancelled(); i = next++)
                    flying[i - begin] = fly(flyer, i);
            } catch (...) {
                fail();
            }
        }
        if (failure)
            std::rethrow_exception(failure);
        // A cancelled block is not handed on: some of its rows were never flown.
        if (isCancelled())
            return false;
        std::swap(flying, finished);
    }
    handOn();
    return true;
}

bool runSweep(const SweepGrid& grid, const SweepOptions& options,
              const std::function<void(SweepRow&&)>& onRow) {
    return runCandidates(
        grid.size(), [&grid](CandidateFlyer& flyer, std::size_t index) { return flyer.fly(grid, index); },
        options, onRow);
}

std::vector<SweepRow> sweepRows(const SweepGrid& grid, const SweepOptions& options) {
    std::vector<SweepRow> rows;
    rows.reserve(grid.size());
    runSweep(grid, options, [&rows](SweepRow&& row) { rows.push_back(std::move(row)); });
    return rows;
}

std::string sweepCsvHeading(const SweepGrid& grid) {
    std::string line;
    for (const auto& axis : grid.axes())
        line += inputNames()[static_cast<std::size_t>(axis.input())] + ",";
    return line + "flight_duration,max_height,range,steps,outcome,message\r\n";
}

std::string sweepCsvRow(const SweepRow& row) {
    std::string line;
    for (const auto& text : row.inputs)
        line += files::csvField(text) + ",";
    const bool hasFlown = row.outcome != Outcome::Refused;
    line += files::csvField(row.duration) + "," + files::csvField(row.height) + "," +
            files::csvField(row.range) + "," + (hasFlown ? platform::integerText(row.steps) : "") + "," +
            outcomeName(row.outcome) + "," + files::csvField(row.message) + "\r\n";
    return line;
}

std::string sweepCsv(const SweepGrid& grid, const std::vector<SweepRow>& rows) {
    std::string out = sweepCsvHeading(grid);
    for (const auto& row : rows)
        out += sweepCsvRow(row);
    return out;
}

} // namespace zorbal::explore
