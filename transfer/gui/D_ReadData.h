#pragma once
#include "link/ReceptionWorker.h"
#include "store/DAT_Store.h"
#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

class Prompt;
class QComboBox;
class QListWidget;

// データ転送と編集: receives days from the recorder or a captured file into the transfer list
// and moves them between it and a circuit of a working copy of the store. The caller takes
// the copy on OK; Cancel discards it and the transfer list.
class CReadData : public QDialog {
    Q_OBJECT
public:
    // A reception: the received days (with the message of a reception cut inside a block), or
    // nothing when it did not end with OK.
    using Receiver = std::function<std::optional<ReceptionHandover>(const ReceptionRequest&)>;
    // The open-file dialog: the chosen path, or empty.
    using FileChooser = std::function<QString(const QString& folder)>;
    // A customer edit from this dialog ended with OK: the document takes that store at once.
    using StoreEdited = std::function<void(MeasurementStore)>;

    // `documentStore` is copied into the working copy and stays the base of customer edits;
    // `serialRequest` carries the document's port settings.
    CReadData(const MeasurementStore& documentStore, StoreEdited storeEdited,
              ReceptionRequest serialRequest, Prompt& prompt, QWidget* parent = nullptr);

    // Customer and circuit to show first (the display selection's); others: the first ones.
    void setInitialSelection(int customer, int circuit);
    // Folder the file dialog opens in; after an import, the folder of that file.
    void setImportFolder(const QString& folder) { m_importFolder = folder; }
    const QString& importFolder() const { return m_importFolder; }
    // Seams for tests: a reception without a port, a file without the dialog.
    void setReceiver(Receiver receiver) { m_receive = std::move(receiver); }
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

    MeasurementStore takeStore() { return std::move(m_store); }
    const MeasurementStore& workingStore() const { return m_store; }
    const MeasurementCircuit& transferDays() const { return m_transfer; }
    // Whether the transfer day at a list position came from a reception that was cut.
    bool fromCutReception(int row) const;

    QComboBox* customerCombo() const { return m_customerCombo; }
    QComboBox* circuitCombo() const { return m_circuitCombo; }
    QListWidget* storedList() const { return m_storedList; }
    QListWidget* transferList() const { return m_transferList; }

    // OK with days left in the transfer list asks before they are left unfiled.
    void accept() override;

private:
    MeasurementCircuit* currentCircuit();
    void fillCustomers(int customer, int circuit);
    void fillCircuits(int circuit);
    void fillStored(const std::vector<int>& selected);
    void fillTransfer(const std::vector<int>& selected);
    void receive(const ReceptionRequest& request);
    void onReceive();
    void onImportFile();
    void onAdd();
    void onReturn();
    void onDelete();
    void onEditCustomers();

    const MeasurementStore& m_documentStore;
    StoreEdited m_storeEdited;
    ReceptionRequest m_serialRequest;
    Prompt& m_prompt;
    MeasurementStore m_store;
    MeasurementCircuit m_transfer;
    std::vector<DayKey> m_cutDays; // transfer days of a reception that was cut
    QString m_importFolder;
    Receiver m_receive;
    FileChooser m_chooseFile;
    QComboBox* m_customerCombo;
    QComboBox* m_circuitCombo;
    QListWidget* m_storedList;
    QListWidget* m_transferList;
};
