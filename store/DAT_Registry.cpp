#include "store/DAT_Registry.h"
#include "store/StoreTexts.h"
#include "support/Format.h"
#include "support/Sjis.h"
#include <cstdio>
#include <cstring>

namespace {

std::string withList(sjis::Text format) {
    std::string text(format.view());
    std::size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, txt::store::kForbiddenNameChars.view());
    return text;
}

template <class Array> int addNamed(Array& items, const std::string& name) {
    return items.insert(name);
}

template <class Array> int removeNamed(Array& items, int index) {
    if (index < 0 || index >= items.count())
        return items.empty() ? -1 : index;
    items.removeAt(index);
    if (items.empty())
        return -1;
    return index < items.count() ? index : items.count() - 1;
}

template <class Array> int renameNamed(Array& items, int index, const std::string& newName) {
    auto moved = items.at(index); // deep copy with all content
    moved.name = newName;
    items.removeAt(index);
    return items.insertOrAssign(std::move(moved));
}

template <class Array, class Op>
RegistryResult checked(Array&, std::string_view entered, NameField field, Op op) {
    NameCheck check = checkName(entered, field);
    RegistryResult r;
    r.field = field;
    if (!check.ok) {
        r.message = check.message;
        return r;
    }
    r.ok = true;
    r.current = op(check.name);
    return r;
}

} // namespace

std::size_t findForbiddenNameChar(std::string_view name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        auto c = static_cast<unsigned char>(name[i]);
        if (sjis::isLeadByte(c)) {
            // A double-byte character needs its second byte (0x40-0x7E, 0x80-0xFC); a lone or
            // broken lead byte would swallow the next byte (a "/" or a control byte) into it.
            const auto t = i + 1 < name.size() ? static_cast<unsigned char>(name[i + 1]) : 0u;
            if (!((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFC)))
                return i;
            ++i; // the second byte belongs to the character
            continue;
        }
        // Control bytes never come from typing; from a file they could steer a terminal.
        if (c < 0x20 || c == 0x7F || std::strchr(txt::store::kForbiddenNameChars, c) != nullptr)
            return i;
    }
    return std::string_view::npos;
}

NameCheck checkName(std::string_view entered, NameField field) {
    NameCheck r;
    r.field = field;
    std::string name = trimBlanks(entered);
    bool customer = field == NameField::Customer;
    if (name.empty()) {
        r.message = customer ? txt::store::kCustomerEmpty.str() : txt::store::kCircuitEmpty.str();
        return r;
    }
    if (name.size() > kMaxNameBytes) {
        r.message = formatText(customer ? sjis::Text(txt::store::kCustomerTooLong)
                                        : sjis::Text(txt::store::kCircuitTooLong),
                               static_cast<int>(kMaxNameBytes), static_cast<int>(kMaxNameBytes / 2))
                        .str();
        return r;
    }
    if (findForbiddenNameChar(name) != std::string_view::npos) {
        r.message = withList(customer ? sjis::Text(txt::store::kCustomerForbidden)
                                      : sjis::Text(txt::store::kCircuitForbidden));
        return r;
    }
    r.ok = true;
    r.name = std::move(name);
    return r;
}

int addCustomer(MeasurementStore& store, const std::string& name) {
    return addNamed(store, name);
}
int addCircuit(Customer& customer, const std::string& name) {
    return addNamed(customer.circuits, name);
}

int removeCustomer(MeasurementStore& store, int index) {
    return removeNamed(store, index);
}
int removeCircuit(Customer& customer, int index) {
    return removeNamed(customer.circuits, index);
}

int renameCustomer(MeasurementStore& store, int index, const std::string& newName) {
    return renameNamed(store, index, newName);
}
int renameCircuit(Customer& customer, int index, const std::string& newName) {
    return renameNamed(customer.circuits, index, newName);
}

RegistryResult addCustomerChecked(MeasurementStore& store, std::string_view entered) {
    return checked(store, entered, NameField::Customer,
                   [&](const std::string& name) { return addCustomer(store, name); });
}
RegistryResult addCircuitChecked(Customer& customer, std::string_view entered) {
    return checked(customer, entered, NameField::Circuit,
                   [&](const std::string& name) { return addCircuit(customer, name); });
}
RegistryResult renameCustomerChecked(MeasurementStore& store, int index, std::string_view entered) {
    return checked(store, entered, NameField::Customer,
                   [&](const std::string& name) { return renameCustomer(store, index, name); });
}
RegistryResult renameCircuitChecked(Customer& customer, int index, std::string_view entered) {
    return checked(customer, entered, NameField::Circuit,
                   [&](const std::string& name) { return renameCircuit(customer, index, name); });
}
