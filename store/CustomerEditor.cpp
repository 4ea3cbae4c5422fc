#include "store/CustomerEditor.h"
#include "store/StoreTexts.h"
#include "support/Format.h"

CustomerEditor::CustomerEditor(MeasurementStore store) : m_store(std::move(store)) {
    selectCustomer(0);
}

const Customer* CustomerEditor::currentCustomer() const {
    return m_customer >= 0 && m_customer < m_store.count() ? &m_store.at(m_customer) : nullptr;
}

Customer* CustomerEditor::customerAt() {
    return m_customer >= 0 && m_customer < m_store.count() ? &m_store.at(m_customer) : nullptr;
}

void CustomerEditor::selectCustomer(int index) {
    m_customer = index >= 0 && index < m_store.count() ? index : -1;
    selectCircuit(0);
}

void CustomerEditor::selectCircuit(int index) {
    const Customer* customer = currentCustomer();
    m_circuit = customer && index >= 0 && index < customer->circuits.count() ? index : -1;
}

CustomerEditor::Outcome CustomerEditor::apply(const RegistryResult& result, Prompt& prompt,
                                              bool customerLevel) {
    if (!result.ok) {
        prompt.tell(sjis::Text(result.message), PromptIcon::Stop);
        return Outcome::Rejected;
    }
    if (customerLevel)
        selectCustomer(result.current);
    else
        selectCircuit(result.current);
    return Outcome::Done;
}

CustomerEditor::Outcome CustomerEditor::addCustomer(std::string_view entered, Prompt& prompt) {
    return apply(addCustomerChecked(m_store, entered), prompt, true);
}

namespace {

bool confirmed(Prompt& prompt, sjis::Text question) {
    return prompt.ask(question, PromptButtons::YesNoDefaultNo, PromptIcon::Warning) ==
           PromptAnswer::Yes;
}

int dayCount(const Customer& customer) {
    int days = 0;
    for (const MeasurementCircuit& circuit : customer.circuits)
        days += circuit.days.count();
    return days;
}

} // namespace

CustomerEditor::Outcome CustomerEditor::removeCustomer(Prompt& prompt) {
    const Customer* customer = customerAt();
    if (!customer)
        return Outcome::Ignored;
    if (!confirmed(prompt, formatText(txt::store::kConfirmRemoveCustomer, customer->name.c_str(),
                                      customer->circuits.count(), dayCount(*customer))))
        return Outcome::Declined;
    selectCustomer(::removeCustomer(m_store, m_customer));
    return Outcome::Done;
}

CustomerEditor::Outcome CustomerEditor::renameCustomer(std::string_view entered, Prompt& prompt) {
    if (!customerAt())
        return Outcome::Ignored;
    return apply(renameCustomerChecked(m_store, m_customer, entered), prompt, true);
}

CustomerEditor::Outcome CustomerEditor::addCircuit(std::string_view entered, Prompt& prompt) {
    Customer* customer = customerAt();
    if (!customer)
        return Outcome::Ignored;
    return apply(addCircuitChecked(*customer, entered), prompt, false);
}

CustomerEditor::Outcome CustomerEditor::removeCircuit(Prompt& prompt) {
    Customer* customer = customerAt();
    if (!customer || m_circuit < 0)
        return Outcome::Ignored;
    const MeasurementCircuit& circuit = customer->circuits.at(m_circuit);
    if (!confirmed(prompt, formatText(txt::store::kConfirmRemoveCircuit, circuit.name.c_str(),
                                      circuit.days.count())))
        return Outcome::Declined;
    selectCircuit(::removeCircuit(*customer, m_circuit));
    return Outcome::Done;
}

CustomerEditor::Outcome CustomerEditor::renameCircuit(std::string_view entered, Prompt& prompt) {
    Customer* customer = customerAt();
    if (!customer || m_circuit < 0)
        return Outcome::Ignored;
    return apply(renameCircuitChecked(*customer, m_circuit, entered), prompt, false);
}
