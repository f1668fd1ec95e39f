// SPDX-License-Identifier: MIT
// Design files: writing a design's text and reading it back.
#include "files/design_file.h"

#include "platform/number_text.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <utility>

namespace zorbal::files {

namespace {

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string upperText(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = upper(c);
    return result;
}

bool isFolder(const std::filesystem::path& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

// The documents folder named in the freedesktop user-dirs.dirs file, e.g.
// XDG_DOCUMENTS_DIR="$HOME/Dokumente".
std::optional<std::string> userDirsDocuments(const EnvironmentLookup& environment, const std::string& home) {
    std::filesystem::path config;
    if (auto configHome = environment("XDG_CONFIG_HOME"); configHome && !configHome->empty())
        config = *configHome;
    else if (!home.empty())
        config = std::filesystem::path(home) / ".config";
    else
        return std::nullopt;
    std::ifstream in(config / "user-dirs.dirs");
    std::string line;
    constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR=";
    while (std::getline(in, line)) {
        if (line.rfind(kKey, 0) != 0)
            continue;
        std::string value = line.substr(kKey.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        constexpr std::string_view kHome = "$HOME";
        if (value.rfind(kHome, 0) == 0)
            value = home + value.substr(kHome.size());
        return value;
    }
    return std::nullopt;
}

} // namespace

std::string designFileText(const DesignTexts& d) {
    const auto& in = d.inputs;
    const std::pair<const char*, std::string_view> lines[] = {
        {"Volume", in[0]},
        {"Filling Factor", in[1]},
        {"Density", in[2]},
        {"Pressure", in[3]},
        {"Nozzle", in[4]},
        {"Mass", in[5]},
        {"Drag", in[6]},
        {"Efficiency", in[9]},
        {"Angle", in[7]},
        {"LaunchTube", d.railTicked ? "1" : "0"},
        {"LTLength", in[8]},
        {"Parachute", d.parachuteTicked ? std::string_view(in[13]) : std::string_view("0")},
        {"TriggerMechanism", d.triggerByAngle ? "Angle" : "Time"},
        {"TrAngle", in[11]},
        {"TrTime", in[12]},
        {"Wind", in[10]},
    };
    std::string text;
    for (const auto& [key, value] : lines) {
        text += key;
        text += '\t';
        // The loader ends a field at a comma: "1,5" would come back as 1.
        text += platform::decimalPointText(value);
        text += "\r\n";
    }
    return text;
}

DesignFieldReader::DesignFieldReader(std::string_view content) : m_content(content) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (m_content.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        m_position = kByteOrderMark.size();
}

bool DesignFieldReader::read(std::string& field) {
    m_hasEndedAtComma = false;
    if (atEnd())
        return false;
    while (m_position < m_content.size() && m_content[m_position] == ' ')
        ++m_position;
    const std::size_t end = m_content.find_first_of(",\r\n", m_position);
    const std::size_t stop = end == std::string_view::npos ? m_content.size() : end;
    if (stop - m_position > kMaxFieldLength)
        return false;
    field.assign(m_content.substr(m_position, stop - m_position));
    m_position = stop;
    if (m_position < m_content.size()) {
        const char delimiter = m_content[m_position++];
        m_hasEndedAtComma = delimiter == ',';
        if (delimiter == '\r' && m_position < m_content.size() && m_content[m_position] == '\n')
            ++m_position;
    }
    return true;
}

std::optional<std::string_view> DesignFieldReader::commaTail() const {
    if (!m_hasEndedAtComma)
        return std::nullopt;
    const std::string_view rest = m_content.substr(m_position);
    const std::string_view tail = rest.substr(0, rest.find_first_of(",\r\n"));
    if (tail.size() < rest.size() && rest[tail.size()] == ',')
        return std::nullopt;
    return tail;
}

void DesignFieldReader::skipCommaTail() {
    if (commaTail()) {
        std::string ignored;
        read(ignored);
    }
}

bool readsWhole(std::string_view content) {
    if (content.size() > kMaxDesignFileBytes || content.find('\0') != std::string_view::npos)
        return false;
    DesignFieldReader reader(content);
    std::string field;
    do {
        if (!reader.read(field))
            return false;
    } while (!reader.atEnd());
    return true;
}

DesignLine parseDesignLine(std::string_view field) {
    DesignLine line;
    const std::size_t tab = field.empty() ? std::string_view::npos : field.find('\t', 1);
    line.rawValue = tab == std::string_view::npos ? field : field.substr(tab + 1);
    line.value = platform::readLenient(line.rawValue);
    line.valueText = platform::generalText(line.value);

    struct Key {
        std::string_view prefix;
        DesignTarget target;
        int input;
    };
    static constexpr Key kKeys[] = {
        {"VOL", DesignTarget::InputBox, 0},  {"FIL", DesignTarget::InputBox, 1},
        {"DEN", DesignTarget::InputBox, 2},  {"PRE", DesignTarget::InputBox, 3},
        {"NOZ", DesignTarget::InputBox, 4},  {"MAS", DesignTarget::InputBox, 5},
        {"DRA", DesignTarget::InputBox, 6},  {"ANG", DesignTarget::InputBox, 7},
        {"LTL", DesignTarget::InputBox, 8},  {"LAU", DesignTarget::LaunchRail, -1},
        {"EFF", DesignTarget::InputBox, 9},  {"PAR", DesignTarget::Parachute, 13},
        {"TRI", DesignTarget::Trigger, -1},  {"TRA", DesignTarget::InputBox, 11},
        {"TRT", DesignTarget::InputBox, 12}, {"WIN", DesignTarget::InputBox, 10},
    };
    const std::string prefix = upperText(field.substr(0, 3));
    for (const Key& key : kKeys) {
        if (prefix == key.prefix) {
            line.target = key.target;
            line.input = key.input;
            break;
        }
    }
    return line;
}

std::optional<DesignLine> joinCommaValue(const DesignLine& line, std::string_view tail) {
    if (line.target != DesignTarget::InputBox && line.target != DesignTarget::Parachute)
        return std::nullopt;
    std::string joined = line.rawValue + ',' + std::string(tail);
    const platform::TypedNumber typed = platform::readTypedNumber(joined);
    if (typed.comma == platform::CommaUse::None)
        return std::nullopt;
    DesignLine whole = line;
    whole.value = typed.value;
    // A comma that may group thousands is kept as written, for the launch check to ask about.
    whole.valueText =
        typed.comma == platform::CommaUse::Decimal ? platform::generalText(typed.value) : joined;
    whole.rawValue = std::move(joined);
    return whole;
}

bool isAngleTrigger(std::string_view rawValue) {
    return upperText(rawValue) == "ANGLE";
}

EnvironmentLookup processEnvironment() {
    return [](const char* name) -> std::optional<std::string> {
        if (const char* value = std::getenv(name))
            return std::string(value);
        return std::nullopt;
    };
}

std::string documentsFolder(const EnvironmentLookup& environment) {
    namespace fs = std::filesystem;
    std::string home;
    if (auto value = environment("HOME"); value && !value->empty())
        home = *value;
    else if (auto profile = environment("USERPROFILE"); profile && !profile->empty())
        home = *profile;

    if (auto value = environment("XDG_DOCUMENTS_DIR"); value && isFolder(*value))
        return *value;
    if (auto value = userDirsDocuments(environment, home); value && isFolder(*value))
        return *value;
    if (!home.empty() && isFolder(fs::path(home) / "Documents"))
        return (fs::path(home) / "Documents").string();
    if (isFolder(home))
        return home;
    return {};
}

std::string initialDesignFolder(const std::string& programFolder, const EnvironmentLookup& environment) {
    const std::filesystem::path beside = std::filesystem::path(programFolder) / "Water Rockets";
    if (!programFolder.empty() && isFolder(beside))
        return beside.string();
    return documentsFolder(environment);
}

} // namespace zorbal::files
