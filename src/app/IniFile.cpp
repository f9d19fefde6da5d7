#include "app/IniFile.h"

#include "app/FileIo.h"
#include "app/TextLines.h"

#include <algorithm>
#include <charconv>
#include <system_error>
#include <utility>

namespace morvane::app {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return AsciiLower(x) == AsciiLower(y);
    });
}

std::string WithoutLineBreaks(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c != '\r' && c != '\n')
            result += c;
    }
    return result;
}

std::string ListSectionName(std::string_view section, std::string_view key)
{
    std::string name(section);
    name += '.';
    name += key;
    return name;
}

} // namespace

IniFile IniFile::FromText(std::string_view text)
{
    IniFile ini;
    Section* current = &ini.m_sections.front();
    for (const std::string& rawLine : SplitLines(text)) {
        const std::string_view raw = rawLine;
        const std::string_view line = Trimmed(raw);
        if (line.empty())
            continue;
        if (line.front() == ';' || line.front() == '#') {
            current->lines.push_back(Line { true, {}, std::string(raw) });
            continue;
        }
        if (line.front() == '[') {
            const size_t close = line.find(']');
            if (close == std::string_view::npos)
                continue;
            const std::string_view name = Trimmed(line.substr(1, close - 1));
            Section* existing = ini.findSection(name);
            if (existing && existing != &ini.m_sections.front()) {
                current = existing;
            } else {
                ini.m_sections.push_back(Section { std::string(name), {} });
                current = &ini.m_sections.back();
            }
            continue;
        }
        // The raw line, not the trimmed one: blanks at the end belong to the value.
        const size_t equals = raw.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = Trimmed(raw.substr(0, equals));
        if (key.empty())
            continue;
        const bool seen = std::any_of(current->lines.begin(), current->lines.end(),
            [&](const Line& l) { return !l.comment && SameName(l.key, key); });
        if (!seen)
            current->lines.push_back(Line { false, std::string(key), std::string(raw.substr(equals + 1)) });
    }
    return ini;
}

std::string IniFile::toText() const
{
    std::string out;
    bool first = true;
    for (const Section& section : m_sections) {
        const bool preamble = &section == &m_sections.front();
        if (preamble && section.lines.empty())
            continue;
        if (!first)
            out += "\r\n";
        first = false;
        if (!preamble)
            out += "[" + WithoutLineBreaks(section.name) + "]\r\n";
        for (const Line& line : section.lines) {
            if (line.comment)
                out += WithoutLineBreaks(line.text);
            else
                out += WithoutLineBreaks(line.key) + "=" + WithoutLineBreaks(line.text);
            out += "\r\n";
        }
    }
    return out;
}

const IniFile::Section* IniFile::findSection(std::string_view name) const
{
    // The preamble is never found by name: keys before the first header belong to no section.
    for (size_t i = 1; i < m_sections.size(); ++i) {
        if (SameName(m_sections[i].name, name))
            return &m_sections[i];
    }
    return nullptr;
}

IniFile::Section* IniFile::findSection(std::string_view name)
{
    return const_cast<Section*>(std::as_const(*this).findSection(name));
}

IniFile::Section& IniFile::sectionForWrite(std::string_view name)
{
    if (Section* existing = findSection(name))
        return *existing;
    m_sections.push_back(Section { std::string(name), {} });
    return m_sections.back();
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    const Section* s = findSection(section);
    if (!s)
        return std::nullopt;
    for (const Line& line : s->lines) {
        if (!line.comment && SameName(line.key, key))
            return line.text;
    }
    return std::nullopt;
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    Section& s = sectionForWrite(section);
    for (Line& line : s.lines) {
        if (!line.comment && SameName(line.key, key)) {
            line.text = value;
            return;
        }
    }
    s.lines.push_back(Line { false, std::string(key), std::string(value) });
}

void IniFile::removeKey(std::string_view section, std::string_view key)
{
    if (Section* s = findSection(section)) {
        std::erase_if(s->lines, [&](const Line& l) { return !l.comment && SameName(l.key, key); });
    }
}

bool IniFile::hasSection(std::string_view section) const
{
    return findSection(section) != nullptr;
}

void IniFile::eraseSection(std::string_view section)
{
    if (const Section* s = findSection(section))
        m_sections.erase(m_sections.begin() + (s - m_sections.data()));
}

std::vector<std::string> IniFile::sections() const
{
    std::vector<std::string> names;
    for (size_t i = 1; i < m_sections.size(); ++i)
        names.push_back(m_sections[i].name);
    return names;
}

std::vector<std::string> IniFile::keys(std::string_view section) const
{
    std::vector<std::string> names;
    if (const Section* s = findSection(section)) {
        for (const Line& line : s->lines) {
            if (!line.comment)
                names.push_back(line.key);
        }
    }
    return names;
}

void IniFile::writeList(std::string_view section, std::string_view key, const std::vector<std::string>& items)
{
    const std::string name = ListSectionName(section, key);
    eraseSection(name);
    if (items.empty())
        return;
    setValue(name, "Count", std::to_string(items.size()));
    for (size_t i = 0; i < items.size(); ++i)
        setValue(name, "Item" + std::to_string(i), items[i]);
}

std::optional<std::vector<std::string>> IniFile::readList(
    std::string_view section, std::string_view key) const
{
    const std::string name = ListSectionName(section, key);
    const std::optional<std::string> countText = value(name, "Count");
    if (!countText)
        return std::nullopt;
    const std::string_view digits = Trimmed(*countText);
    size_t count = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
    if (ec != std::errc() || end != digits.data() + digits.size() || digits.empty())
        return std::nullopt;
    // A hand-edited count far beyond the items present must not allocate without bound, so
    // the list ends after the highest item that exists; gaps below it read as empty texts.
    size_t present = 0;
    for (const std::string& k : keys(name)) {
        if (k.size() < 5 || !SameName(std::string_view(k).substr(0, 4), "Item"))
            continue;
        size_t index = 0;
        const auto [e, err] = std::from_chars(k.data() + 4, k.data() + k.size(), index);
        if (err == std::errc() && e == k.data() + k.size() && index < count)
            present = std::max(present, index + 1);
    }
    std::vector<std::string> items;
    items.reserve(present);
    for (size_t i = 0; i < present; ++i)
        items.push_back(value(name, "Item" + std::to_string(i)).value_or(std::string()));
    return items;
}

std::optional<FileError> LoadIniFile(const std::filesystem::path& path, IniFile& ini)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !ec) {
        ini = IniFile();
        return std::nullopt;
    }
    std::string bytes;
    if (std::optional<FileError> error = ReadWholeFile(path, bytes))
        return error;
    ini = IniFile::FromText(bytes);
    return std::nullopt;
}

std::optional<FileError> SaveIniFile(const std::filesystem::path& path, const IniFile& ini)
{
    return WriteWholeFile(path, ini.toText());
}

} // namespace morvane::app
