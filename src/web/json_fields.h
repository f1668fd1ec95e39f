// SPDX-License-Identifier: MIT
// The small JSON writer the session's answers to the page are made with.
#pragma once

#include "ui/form.h"
#include "web/web_session.h"

#include <iterator>
#include <string>
#include <string_view>

namespace zorbal::web {

/// A small writer of one JSON object.
class JsonFields {
  public:
    JsonFields& add(std::string_view key, std::string_view text) {
        sep(key);
        m_out += jsonString(text);
        return *this;
    }
    JsonFields& add(std::string_view key, bool value) {
        sep(key);
        m_out += value ? "true" : "false";
        return *this;
    }
    JsonFields& add(std::string_view key, long long value) {
        sep(key);
        m_out += std::to_string(value);
        return *this;
    }
    JsonFields& add(std::string_view key, int value) { return add(key, static_cast<long long>(value)); }
    JsonFields& add(std::string_view key, unsigned value) { return add(key, static_cast<long long>(value)); }
    JsonFields& add(std::string_view key, double value) {
        sep(key);
        m_out += std::to_string(value);
        return *this;
    }
    JsonFields& add(std::string_view key, const char* text) { return add(key, std::string_view(text)); }
    std::string done() { return m_out + "}"; }

  private:
    void sep(std::string_view key) {
        m_out += m_out.size() > 1 ? "," : "";
        m_out += jsonString(key);
        m_out += ':';
    }
    std::string m_out = "{";
};

/// A form row as the page builds its element from it: its name, kind, container, designed
/// rectangle in twips, the labels that name it, its font, alignment and text flags, a shape's
/// colour (each only where the row has it). Both windows' forms are written with it.
JsonFields formRowFields(const ui::FormControl& control);

/// The name the page knows a control's kind by.
inline const char* controlKindName(ui::ControlKind kind) {
    static constexpr const char* kKinds[] = {"tabs",    "frame",  "label", "input",   "output", "limit",
                                             "area",    "button", "check", "option",  "graph",  "key",
                                             "keyline", "grid",   "shape", "picture", "choice", "progress"};
    static_assert(std::size(kKinds) == static_cast<std::size_t>(ui::ControlKind::Progress) + 1);
    return kKinds[static_cast<std::size_t>(kind)];
}

/// The name the page knows a label's alignment by.
inline const char* textAlignName(ui::TextAlign align) {
    static constexpr const char* kAligns[] = {"topleft",   "middleleft", "centre",
                                              "topcentre", "topright",   "bottomright"};
    return kAligns[static_cast<std::size_t>(align)];
}

} // namespace zorbal::web
