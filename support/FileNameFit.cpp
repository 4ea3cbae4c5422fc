#include "support/FileNameFit.h"
#include "support/Sjis.h"

#include <algorithm>

std::string fitFileName(std::string_view name, std::size_t keptTail, std::size_t maxBytes) {
    if (sjis::toUtf8(name).size() <= maxBytes)
        return std::string(name);
    keptTail = std::min(keptTail, name.size());
    const std::string_view head = name.substr(0, name.size() - keptTail);
    const std::string_view tail = name.substr(head.size());
    const std::size_t tailBytes = sjis::toUtf8(tail).size();
    std::string out;
    std::size_t used = tailBytes;
    for (std::size_t i = 0; i < head.size();) {
        const std::size_t width =
            sjis::isLeadByte(static_cast<unsigned char>(head[i])) && i + 1 < head.size() ? 2 : 1;
        const std::string_view character = head.substr(i, width);
        const std::size_t bytes = sjis::toUtf8(character).size();
        if (used + bytes > maxBytes)
            break;
        out.append(character);
        used += bytes;
        i += width;
    }
    out.append(tail);
    return out;
}
