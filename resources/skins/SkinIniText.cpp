#include "SkinIniText.h"

namespace Skingen {

bool IniSection::Has(const std::string& key) const
{
    for (const auto& kv : keys_)
        if (kv.first == key)
            return true;
    return false;
}

std::string IniSection::Get(const std::string& key) const
{
    for (const auto& kv : keys_)
        if (kv.first == key)
            return kv.second;
    return std::string();
}

IniSection& IniSection::Text(const std::string& key, const std::string& value)
{
    for (auto& kv : keys_)
        if (kv.first == key) {
            kv.second = value;
            return *this;
        }
    keys_.emplace_back(key, value);
    return *this;
}

IniSection& IniSection::Int(const std::string& key, long long value)
{
    return Text(key, std::to_string(value));
}

IniSection& IniSection::Rect(const std::string& key, const Box& r)
{
    return Text(key, std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
                         std::to_string(r.Bottom));
}

IniSection& IniSection::Point(const std::string& key, int x, int y)
{
    return Text(key, std::to_string(x) + "," + std::to_string(y));
}

IniSection& IniText::Section(const std::string& name)
{
    for (auto& s : sections_)
        if (s.Name() == name)
            return s;
    sections_.emplace_back(name);
    return sections_.back();
}

const IniSection* IniText::Find(const std::string& name) const
{
    for (const auto& s : sections_)
        if (s.Name() == name)
            return &s;
    return nullptr;
}

std::string IniText::Render() const
{
    std::string out;
    for (const auto& s : sections_) {
        out += "[" + s.Name() + "]\r\n";
        for (const auto& kv : s.Keys())
            out += kv.first + "=" + kv.second + "\r\n";
        out += "\r\n";
    }
    return out;
}

} // namespace Skingen
