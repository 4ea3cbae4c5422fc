#include "support/AccessibleName.h"

namespace {

constexpr std::string_view kFullWidthColon = "\xEF\xBC\x9A"; // ：
constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
constexpr std::string_view kFullWidthOpen = "\xEF\xBC\x88";  // （
constexpr std::string_view kFullWidthClose = "\xEF\xBC\x89"; // ）

// Bytes of the UTF-8 character that starts at text[i].
std::size_t charLength(std::string_view text, std::size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t n = c < 0xC0 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    return std::min(n, text.size() - i);
}

bool startsAt(std::string_view text, std::size_t i, std::string_view part) {
    return text.substr(i, part.size()) == part;
}

// The length of a mnemonic group "(&X)" or "（&X）" at i; 0 when there is none.
std::size_t mnemonicGroupAt(std::string_view text, std::size_t i) {
    for (auto [open, close] : {std::pair{std::string_view("("), std::string_view(")")},
                               std::pair{kFullWidthOpen, kFullWidthClose}}) {
        if (!startsAt(text, i, open) || !startsAt(text, i + open.size(), "&"))
            continue;
        const std::size_t letter = i + open.size() + 1;
        if (letter >= text.size() || text[letter] == '&')
            continue;
        const std::size_t end = letter + charLength(text, letter);
        if (startsAt(text, end, close))
            return end + close.size() - i;
    }
    return 0;
}

std::string_view trimmed(std::string_view text) {
    for (;;) {
        if (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
            text.remove_prefix(1);
        else if (text.substr(0, kIdeographicSpace.size()) == kIdeographicSpace)
            text.remove_prefix(kIdeographicSpace.size());
        else
            break;
    }
    for (;;) {
        if (!text.empty() && text.back() == ' ')
            text.remove_suffix(1);
        else if (text.size() >= kIdeographicSpace.size() &&
                 text.substr(text.size() - kIdeographicSpace.size()) == kIdeographicSpace)
            text.remove_suffix(kIdeographicSpace.size());
        else
            break;
    }
    return text;
}

} // namespace

std::string accessibleName(std::string_view label) {
    // The shortcut column of a menu command: everything from the tab on.
    label = label.substr(0, label.find('\t'));
    std::string out;
    out.reserve(label.size());
    for (std::size_t i = 0; i < label.size();) {
        if (const std::size_t group = mnemonicGroupAt(label, i)) {
            i += group;
        } else if (label[i] == '&') {
            // "&&" shows one "&"; a single "&" only marks the letter after it.
            if (i + 1 < label.size() && label[i + 1] == '&')
                out += '&';
            i += i + 1 < label.size() && label[i + 1] == '&' ? 2 : 1;
        } else {
            const std::size_t n = charLength(label, i);
            out.append(label.substr(i, n));
            i += n;
        }
    }
    std::string_view name = trimmed(out);
    for (std::string_view colon : {std::string_view(":"), kFullWidthColon}) {
        if (name.size() >= colon.size() && name.substr(name.size() - colon.size()) == colon) {
            name.remove_suffix(colon.size());
            name = trimmed(name);
            break;
        }
    }
    return std::string(name);
}
