#include "replay/golden_file.h"

#include <cinttypes>
#include <cstdio>
#include <fstream>

namespace pelko::testing {
namespace {

std::string Hex(uint64_t v) {
    char text[20];
    std::snprintf(text, sizeof text, "%016" PRIx64, v);
    return text;
}

} // namespace

GoldenLine ToGoldenLine(const ReplaySample& s) {
    GoldenLine line = {{"tick", std::to_string(s.tick)},   {"screen", s.screen},
                       {"stage", std::to_string(s.stage)}, {"frame", std::to_string(s.frame)},
                       {"score", std::to_string(s.score)}, {"lives", std::to_string(s.lives)},
                       {"hard", s.hard ? "1" : "0"},       {"digest", Hex(s.digest)}};
    for (const StateSection& section : s.sections)
        line.emplace_back(section.name, Hex(section.digest));
    return line;
}

std::string FormatGoldenLine(const GoldenLine& line) {
    std::string out;
    for (const auto& [key, value] : line) {
        if (!out.empty()) out += ';';
        out += key + '=' + value;
    }
    return out;
}

std::optional<GoldenLine> ParseGoldenLine(const std::string& text) {
    GoldenLine line;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(';', start);
        if (end == std::string::npos) end = text.size();
        const std::string field = text.substr(start, end - start);
        const size_t eq = field.find('=');
        if (eq == std::string::npos || eq == 0) return std::nullopt;
        line.emplace_back(field.substr(0, eq), field.substr(eq + 1));
        start = end + 1;
    }
    if (line.empty() || line.front().first != "tick") return std::nullopt;
    return line;
}

std::optional<std::vector<GoldenLine>> ReadGoldenFile(const std::string& path, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return std::nullopt;
    }
    std::vector<GoldenLine> lines;
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        if (text.empty() || text[0] == '#') continue;
        std::optional<GoldenLine> line = ParseGoldenLine(text);
        if (!line) {
            error = path + ":" + std::to_string(number) + ": not a recorded sample";
            return std::nullopt;
        }
        lines.push_back(std::move(*line));
    }
    return lines;
}

std::string DescribeDifference(const GoldenLine& recorded, const GoldenLine& replayed) {
    std::string out;
    auto valueOf = [](const GoldenLine& line, const std::string& key) -> std::string {
        for (const auto& [k, v] : line)
            if (k == key) return v;
        return "(none)";
    };
    for (const auto& [key, value] : recorded) {
        const std::string now = valueOf(replayed, key);
        if (now != value) out += "  " + key + ": recorded " + value + ", replayed " + now + "\n";
    }
    for (const auto& [key, value] : replayed)
        if (valueOf(recorded, key) == "(none)")
            out += "  " + key + ": not recorded, replayed " + value + "\n";
    return out;
}

} // namespace pelko::testing
