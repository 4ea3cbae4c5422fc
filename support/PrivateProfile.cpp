#include "support/PrivateProfile.h"

#include "support/AtomicFile.h"
#include "support/FilePath.h"
#include "support/Sjis.h"

#include <cerrno>
#include <cstdint>
#include <mutex>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// Position of c outside double-byte characters, or npos.
std::size_t findSingle(std::string_view s, char c) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == c) {
            return i;
        }
        if (sjis::isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) {
            ++i;
        }
    }
    return std::string_view::npos;
}

enum class Kind { Other, Section, Key };

struct Parsed {
    Kind kind = Kind::Other;
    std::string_view name;  // section or key name, trimmed
    std::string_view value; // key value, trimmed
};

Parsed parseLine(std::string_view body) {
    Parsed p;
    std::string_view s = trim(body);
    if (s.empty() || s.front() == ';') {
        return p;
    }
    if (s.front() == '[') {
        s.remove_prefix(1);
        std::size_t close = findSingle(s, ']');
        p.kind = Kind::Section;
        p.name = trim(s.substr(0, close));
        return p;
    }
    std::size_t eq = findSingle(s, '=');
    if (eq == std::string_view::npos) {
        return p;
    }
    p.kind = Kind::Key;
    p.name = trim(s.substr(0, eq));
    p.value = trim(s.substr(eq + 1));
    return p;
}

std::string unquote(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return std::string(v);
}

// A line break inside a name or value would split the line; it becomes a blank.
std::string oneLine(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return out;
}

std::string cutToBuffer(std::string s, std::size_t bufferSize) {
    std::size_t max = bufferSize == 0 ? 0 : bufferSize - 1;
    if (s.size() > max) {
        std::size_t n = max;
        if (n > 0 && sjis::isTrailByteAt(s, n)) {
            --n; // keep the double-byte character whole: drop its first byte too
        }
        s.resize(n);
    }
    return s;
}

std::mutex& profileMutex() {
    static std::mutex m;
    return m;
}

// The file's text; `error` is set when it is there but cannot be read.
std::optional<std::string> readIni(const std::filesystem::path& file, int& error) {
    std::optional<std::string> bytes = readWholeFile(file, error);
    if (error == ENOENT) {
        error = 0; // no INI yet
    }
    return bytes;
}

IniDocument load(const std::filesystem::path& file) {
    int error = 0;
    std::optional<std::string> bytes = readIni(file, error);
    return IniDocument(bytes ? *bytes : std::string());
}

} // namespace

IniDocument::IniDocument(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t end = text.find_first_of("\r\n", i);
        if (end == std::string_view::npos) {
            m_lines.push_back({std::string(text.substr(i)), {}});
            break;
        }
        std::size_t next = end + 1;
        if (text[end] == '\r' && next < text.size() && text[next] == '\n') {
            ++next;
        }
        m_lines.push_back(
            {std::string(text.substr(i, end - i)), std::string(text.substr(end, next - end))});
        i = next;
    }
}

bool IniDocument::sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (sjis::isLeadByte(x) && i + 1 < a.size()) {
            if (x != y || a[i + 1] != b[i + 1]) {
                return false;
            }
            ++i;
            continue;
        }
        if (x >= 'a' && x <= 'z') {
            x = static_cast<unsigned char>(x - 'a' + 'A');
        }
        if (y >= 'a' && y <= 'z') {
            y = static_cast<unsigned char>(y - 'a' + 'A');
        }
        if (x != y) {
            return false;
        }
    }
    return true;
}

std::string IniDocument::foldName(std::string_view name) {
    std::string folded(name);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(folded[i]);
        if (sjis::isLeadByte(c) && i + 1 < folded.size())
            ++i;
        else if (c >= 'a' && c <= 'z')
            folded[i] = static_cast<char>(c - 'a' + 'A');
    }
    return folded;
}

IniDocument::Index IniDocument::index() const {
    Index index;
    std::unordered_map<std::string, std::string>* section = nullptr;
    for (const Line& line : m_lines) {
        Parsed p = parseLine(line.body);
        if (p.kind == Kind::Section)
            section = &index[foldName(p.name)];
        else if (p.kind == Kind::Key && section)
            section->emplace(foldName(p.name), unquote(p.value));
    }
    return index;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    bool inSection = false;
    for (const Line& line : m_lines) {
        Parsed p = parseLine(line.body);
        if (p.kind == Kind::Section) {
            inSection = sameName(p.name, trim(section));
        } else if (p.kind == Kind::Key && inSection && sameName(p.name, trim(key))) {
            return unquote(p.value);
        }
    }
    return std::nullopt;
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string sectionName = oneLine(trim(section));
    const std::string keyName = oneLine(trim(key));
    const std::string text = oneLine(value);

    bool inSection = false;
    std::size_t firstSectionEnd = 0; // index after the last key (or header) of the first match
    bool sectionFound = false;
    bool inFirst = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        Parsed p = parseLine(m_lines[i].body);
        if (p.kind == Kind::Section) {
            inSection = sameName(p.name, sectionName);
            inFirst = inSection && !sectionFound;
            if (inFirst) {
                sectionFound = true;
                firstSectionEnd = i + 1;
            }
        } else if (p.kind == Kind::Key && inSection) {
            if (sameName(p.name, keyName)) {
                std::string existingKey(p.name);
                m_lines[i].body = existingKey;
                m_lines[i].body += "=";
                m_lines[i].body += text;
                return;
            }
            if (inFirst) {
                firstSectionEnd = i + 1;
            }
        }
    }

    auto endPreviousLine = [this](std::size_t at) {
        if (at > 0 && m_lines[at - 1].ending.empty()) {
            m_lines[at - 1].ending = "\r\n";
        }
    };
    if (sectionFound) {
        endPreviousLine(firstSectionEnd);
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(firstSectionEnd),
                       Line{keyName + "=" + text, "\r\n"});
        return;
    }
    endPreviousLine(m_lines.size());
    m_lines.push_back({"[" + sectionName + "]", "\r\n"});
    m_lines.push_back({keyName + "=" + text, "\r\n"});
}

std::string IniDocument::text() const {
    std::string out;
    for (const Line& line : m_lines) {
        out += line.body;
        out += line.ending;
    }
    return out;
}

namespace profile {

std::string readString(const std::filesystem::path& file, std::string_view section,
                       std::string_view key, std::string_view defaultValue,
                       std::size_t bufferSize) {
    std::optional<std::string> found;
    {
        std::lock_guard lock(profileMutex());
        found = load(file).value(section, key);
    }
    if (!found) {
        std::string_view d = defaultValue;
        while (!d.empty() && d.back() == ' ') {
            d.remove_suffix(1);
        }
        return cutToBuffer(std::string(d), bufferSize);
    }
    return cutToBuffer(std::move(*found), bufferSize);
}

int readInt(const std::filesystem::path& file, std::string_view section, std::string_view key,
            int defaultValue) {
    std::optional<std::string> found;
    {
        std::lock_guard lock(profileMutex());
        found = load(file).value(section, key);
    }
    if (!found || found->empty()) {
        return defaultValue;
    }
    return parseProfileInt(*found);
}

bool writeString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                 std::string_view value) {
    std::lock_guard lock(profileMutex());
    int readFailure = 0;
    std::optional<std::string> before = readIni(file, readFailure);
    if (readFailure != 0) {
        return false; // never replace what could not be read
    }
    IniDocument doc(before ? *before : std::string());
    doc.set(section, key, value);
    std::string after = doc.text();
    if (before && after == *before) {
        return true; // the write-back of a value already there changes nothing on disk
    }
    std::error_code error;
    return writeFileAtomically(file, after, error);
}

int readError(const std::filesystem::path& file) {
    std::lock_guard lock(profileMutex());
    int error = 0;
    readIni(file, error);
    return error;
}

std::string utf8Key(std::string_view key) {
    return std::string(key) + "_UTF8";
}

bool keepsAsWritten(std::string_view value) {
    if (value.find_first_of("\r\n") != std::string_view::npos)
        return false;
    if (!value.empty() && (isBlank(value.front()) || isBlank(value.back())))
        return false;
    return !(value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
             value.back() == value.front());
}

std::filesystem::path readPath(const std::filesystem::path& file, std::string_view section,
                               std::string_view key, std::string_view cp932Default) {
    const std::string utf8 = readString(file, section, utf8Key(key), "");
    if (!utf8.empty())
        return std::filesystem::path(utf8);
    return pathFromCp932(readString(file, section, key, cp932Default));
}

PathKept writePath(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, const std::filesystem::path& path) {
    if (std::optional<std::string> cp932 = cp932FromPath(path); cp932 && keepsAsWritten(*cp932)) {
        if (!writeString(file, section, key, *cp932))
            return PathKept::No;
        // The UTF-8 key wins when it holds a path: it must not hide this one.
        if (!readString(file, section, utf8Key(key), "").empty() &&
            !writeString(file, section, utf8Key(key), ""))
            return PathKept::No;
        return PathKept::AsCp932;
    }
    if (path.empty() || !keepsAsWritten(path.native()))
        return PathKept::No;
    return writeString(file, section, utf8Key(key), path.native()) ? PathKept::AsUtf8
                                                                   : PathKept::No;
}

int parseProfileInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    // 32-bit arithmetic that wraps, as the platform's conversion does.
    uint32_t result = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            break;
        }
        result = result * base + digit;
    }
    if (negative) {
        result = 0u - result;
    }
    return static_cast<int>(result);
}

} // namespace profile
