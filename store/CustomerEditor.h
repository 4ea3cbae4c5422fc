#pragma once
// The customer editing dialog without widgets: a working copy of the store, the selected
// customer and circuit, and the six buttons with their preconditions. Rejected names are told
// through the prompt (error icon) and change nothing.
#include "store/DAT_Registry.h"
#include "store/DAT_Store.h"
#include "support/Prompt.h"
#include <string_view>

class CustomerEditor {
public:
    // Ignored: a precondition was not met; Declined: the user answered No.
    enum class Outcome { Done, Ignored, Rejected, Declined };

    explicit CustomerEditor(MeasurementStore store);

    const MeasurementStore& store() const { return m_store; }
    MeasurementStore takeStore() { return std::move(m_store); }
    int customer() const { return m_customer; }
    int circuit() const { return m_circuit; }
    // The selected customer, or nullptr.
    const Customer* currentCustomer() const;

    // A list selection: the customer's circuit 0 (or none) becomes current with it.
    void selectCustomer(int index);
    void selectCircuit(int index);

    Outcome addCustomer(std::string_view entered, Prompt& prompt);
    // Removing asks first, naming what goes with it (default No).
    Outcome removeCustomer(Prompt& prompt);
    Outcome renameCustomer(std::string_view entered, Prompt& prompt);
    Outcome addCircuit(std::string_view entered, Prompt& prompt);
    Outcome removeCircuit(Prompt& prompt);
    Outcome renameCircuit(std::string_view entered, Prompt& prompt);

private:
    Customer* customerAt();
    Outcome apply(const RegistryResult& result, Prompt& prompt, bool customerLevel);

    MeasurementStore m_store;
    int m_customer = -1;
    int m_circuit = -1;
};
