// SPDX-License-Identifier: MIT
#include "investigate/investigate.h"

namespace zorbal::investigate {

struct Investigator::State {
    platform::Services services;
    std::string designFile;
    std::map<std::string, ControlState, std::less<>> controls;
    platform::DrawingSurface vary, scatter;
    std::uint64_t revision = 0;
    std::atomic<bool> cancel{false};
    std::string announcement;
    std::uint64_t announcements = 0;
};

Investigator::Investigator(const platform::Services& services) : m(std::make_unique<State>()) {
    m->services = services;
}
Investigator::~Investigator() = default;

void Investigator::open(const std::string& designFile) {
    m->designFile = designFile;
    ++m->revision;
}
const std::string& Investigator::designFile() const {
    return m->designFile;
}

const ControlState& Investigator::control(std::string_view id) const {
    static const ControlState none = [] {
        ControlState state;
        state.enabled = false;
        return state;
    }();
    const auto it = m->controls.find(id);
    return it == m->controls.end() ? none : it->second;
}

const platform::DrawingSurface& Investigator::surface(std::string_view id) const {
    return id == "picScatter" ? m->scatter : m->vary;
}
std::uint64_t Investigator::revision() const {
    return m->revision;
}
bool Investigator::act(ui::FormEvent, std::string_view, std::string_view) {
    return false;
}
std::optional<Job> Investigator::takeJob() {
    return std::nullopt;
}
bool Investigator::isBusy() const {
    return false;
}
const std::atomic<bool>& Investigator::cancelFlag() const {
    return m->cancel;
}
void Investigator::progress(std::size_t, std::size_t) {}
void Investigator::finish(JobResult) {}
const std::string& Investigator::announcement() const {
    return m->announcement;
}
std::uint64_t Investigator::announcementCount() const {
    return m->announcements;
}

} // namespace zorbal::investigate
