#pragma once
// Rules for customer and circuit names and for adding, renaming and removing them. Dialogs
// (customer editing, transfer) and the import call these and only show the results.
#include "store/DAT_Store.h"
#include <string>
#include <string_view>

// Which name a check or an operation is about; a dialog puts the focus on its edit box.
enum class NameField { Customer, Circuit };

struct NameCheck {
    bool ok = false;
    std::string name;    // the accepted name (trimmed) when ok
    std::string message; // CP932 error text (error icon, OK) when not ok
    NameField field = NameField::Customer;
};

// Trims white space at both ends, rejects an empty name and names holding one of the ten
// characters :"*?/\<>|. or a control byte (whole characters: the second byte of a double-byte
// character never counts, so 表 is accepted).
// The longest name in bytes (CP932): every file name made from a customer and a circuit name
// ("月報_<customer>_<circuit>_2024_12_1.CSV", in UTF-8 on this system) stays within 255 bytes.
inline constexpr std::size_t kMaxNameBytes = 72;

NameCheck checkName(std::string_view entered, NameField field);

// The index of the first forbidden character's byte, or npos. Exposed for tests.
std::size_t findForbiddenNameChar(std::string_view name);

// Operations on the customers of a store or the circuits of a customer. Each returns the index
// that becomes current (-1 when there is none).

// Inserts by name; an existing name (in any ASCII case) adds nothing and is returned.
int addCustomer(MeasurementStore& store, const std::string& name);
int addCircuit(Customer& customer, const std::string& name);

// Removes the element with everything below it. Current afterwards: the same index, or the
// last element when the removed one was last. An index out of range changes nothing and
// returns it unchanged (or -1 for an empty list).
int removeCustomer(MeasurementStore& store, int index);
int removeCircuit(Customer& customer, int index);

// Moves the element with all its content to the new name. When another element has that
// name, its content is replaced by the moved one. Returns the index under the new name.
int renameCustomer(MeasurementStore& store, int index, const std::string& newName);
int renameCircuit(Customer& customer, int index, const std::string& newName);

// Result of a checked add or rename, for a dialog to show.
struct RegistryResult {
    bool ok = false;
    int current = -1;    // index that becomes current when ok
    std::string message; // when not ok
    NameField field = NameField::Customer;
};

// Name check, then the operation. A rejected name changes nothing.
RegistryResult addCustomerChecked(MeasurementStore& store, std::string_view entered);
RegistryResult addCircuitChecked(Customer& customer, std::string_view entered);
RegistryResult renameCustomerChecked(MeasurementStore& store, int index, std::string_view entered);
RegistryResult renameCircuitChecked(Customer& customer, int index, std::string_view entered);
