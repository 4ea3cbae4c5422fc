#include "link/SerialDeviceList.h"
#include "support/FilePath.h"
#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <regex>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The kernel names listed, in list order.
constexpr std::string_view kKernelPrefixes[] = {"ttyUSB", "ttyACM", "ttyS"};

// The number after a kernel prefix ("ttyUSB12" gives 12), or none when the name is not one.
std::optional<int> kernelNumber(std::string_view name, std::string_view prefix) {
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix)
        return std::nullopt;
    int n = 0;
    for (char c : name.substr(prefix.size())) {
        if (!std::isdigit(static_cast<unsigned char>(c)) || n > 100000)
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

bool present(const fs::path& p) {
    std::error_code ec;
    return fs::exists(p, ec) && !fs::is_directory(p, ec);
}

// A UART answers behind ttyS<n> unless sysfs shows the placeholder device or none.
bool hasUart(const DeviceRoots& roots, const std::string& name) {
    const fs::path device = roots.sys / "class" / "tty" / name / "device";
    std::error_code ec;
    if (!fs::is_symlink(device, ec) && !fs::exists(device, ec))
        return false;
    const fs::path target = fs::is_symlink(device, ec) ? fs::read_symlink(device, ec) : device;
    return !ec && target.filename() != "serial8250";
}

// Links under serial/by-id/ that lead to a present device, by name.
std::vector<SerialDeviceEntry> stableNames(const DeviceRoots& roots) {
    std::vector<SerialDeviceEntry> out;
    const fs::path folder = roots.dev / "serial" / "by-id";
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(folder, ec)) {
        std::error_code linkEc;
        if (!e.is_symlink(linkEc))
            continue;
        fs::path target = fs::read_symlink(e.path(), linkEc);
        if (linkEc)
            continue;
        if (target.is_relative())
            target = (folder / target).lexically_normal();
        if (!present(target))
            continue;
        out.push_back({e.path(), target, productFromByIdName(e.path().filename().string())});
    }
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.path < b.path; });
    return out;
}

std::vector<SerialDeviceEntry> kernelNames(const DeviceRoots& roots) {
    // Prefix position, number → entry: the list order.
    std::map<std::pair<std::size_t, int>, SerialDeviceEntry> found;
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(roots.dev, ec)) {
        const std::string name = e.path().filename().string();
        for (std::size_t i = 0; i < std::size(kKernelPrefixes); ++i) {
            const std::optional<int> n = kernelNumber(name, kKernelPrefixes[i]);
            if (!n || !present(e.path()))
                continue;
            if (kKernelPrefixes[i] == "ttyS" && !hasUart(roots, name))
                continue;
            found[{i, *n}] = SerialDeviceEntry{e.path(), {}, {}};
        }
    }
    std::vector<SerialDeviceEntry> out;
    out.reserve(found.size());
    for (auto& [key, entry] : found)
        out.push_back(std::move(entry));
    return out;
}

bool hasDigit(std::string_view s) {
    return std::any_of(s.begin(), s.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

// "-if00" or "-if00-port0" at the end: the interface, not the product.
std::string_view withoutInterface(std::string_view s) {
    static const std::regex kInterface("-if[0-9A-Fa-f]+(-port[0-9]+)?$");
    std::match_results<std::string_view::const_iterator> m;
    if (!std::regex_search(s.begin(), s.end(), m, kInterface))
        return s;
    return s.substr(0, static_cast<std::size_t>(m.position(0)));
}

} // namespace

std::vector<SerialDeviceEntry> listSerialDevices(const DeviceRoots& roots) {
    std::vector<SerialDeviceEntry> out = stableNames(roots);
    std::vector<SerialDeviceEntry> kernel = kernelNames(roots);
    for (SerialDeviceEntry& k : kernel) {
        for (const SerialDeviceEntry& s : out)
            if (s.target == k.path && !s.product.empty())
                k.product = s.product;
    }
    out.insert(out.end(), kernel.begin(), kernel.end());
    return out;
}

std::string productFromByIdName(std::string_view name) {
    const std::size_t bus = name.find('-');
    std::string_view rest =
        withoutInterface(bus == std::string_view::npos ? name : name.substr(bus + 1));
    std::vector<std::string_view> parts;
    while (!rest.empty()) {
        const std::size_t cut = rest.find('_');
        const std::string_view part = rest.substr(0, cut);
        if (!part.empty())
            parts.push_back(part);
        rest = cut == std::string_view::npos ? std::string_view{} : rest.substr(cut + 1);
    }
    if (parts.size() >= 3 && hasDigit(parts.back()))
        parts.pop_back();
    std::string product;
    for (std::string_view p : parts)
        product += (product.empty() ? "" : " ") + std::string(p);
    return product;
}

std::string serialDeviceChoiceText(const SerialDeviceEntry& entry) {
    if (entry.stable())
        return (entry.product.empty() ? displayPath(entry.path.filename()) : entry.product) +
               " (by-id: " + displayPath(entry.target.filename()) + ")";
    if (entry.product.empty())
        return displayPath(entry.path);
    return displayPath(entry.path) + " (" + entry.product + ")";
}

std::string describeSerialDevice(const fs::path& device, const DeviceRoots& roots) {
    std::string product;
    if (device.parent_path().filename() == "by-id")
        product = productFromByIdName(device.filename().string());
    else
        for (const SerialDeviceEntry& e : listSerialDevices(roots))
            if (e.path == device && !e.product.empty())
                product = e.product;
    const std::string path = displayPath(device);
    return product.empty() ? path : path + " (" + product + ")";
}
