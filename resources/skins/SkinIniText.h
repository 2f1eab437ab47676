// The generator's description text: sections and keys kept in the order they are
// written, so that the description reads like the one the skin data component writes.
#pragma once
#include "SkinCanvas.h"
#include <string>
#include <utility>
#include <vector>

namespace Skingen {

struct IniPoint {
    int X = 0, Y = 0;
};

class IniSection {
public:
    explicit IniSection(std::string name) : name_(std::move(name)) {}
    const std::string& Name() const { return name_; }
    const std::vector<std::pair<std::string, std::string>>& Keys() const { return keys_; }
    bool Has(const std::string& key) const;
    std::string Get(const std::string& key) const;   // empty when absent

    IniSection& Text(const std::string& key, const std::string& value);
    IniSection& Int(const std::string& key, long long value);
    IniSection& Bool(const std::string& key, bool value) { return Int(key, value ? 1 : 0); }
    IniSection& Rect(const std::string& key, const Box& r);
    IniSection& Point(const std::string& key, int x, int y);
    IniSection& Point(const std::string& key, IniPoint p) { return Point(key, p.X, p.Y); }

private:
    std::string name_;
    std::vector<std::pair<std::string, std::string>> keys_;
};

class IniText {
public:
    // The section of that name, appended when new.
    IniSection& Section(const std::string& name);
    const IniSection* Find(const std::string& name) const;
    const std::vector<IniSection>& Sections() const { return sections_; }
    // Section header, key=value lines and one empty line per section, lines ended by CR LF.
    std::string Render() const;

private:
    std::vector<IniSection> sections_;
};

} // namespace Skingen
