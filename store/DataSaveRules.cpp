#include "store/DataSaveRules.h"
#include "store/DAT_CUSTOMER.h"
#include "store/StoreTexts.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/OutputQuestions.h"
#include "support/Prompt.h"

bool acceptDataSave(DataSaveFields& f, const MeasurementStore& store, Prompt& prompt,
                    const RetryPolicy& policy, const datafile::SinkWrapper& wrap) {
    f.folder = trimBlanks(f.folder.native());
    f.fileName = trimBlanks(f.fileName.native());
    if (f.folder.empty()) {
        prompt.tell(txt::store::kNoSaveFolder, PromptIcon::Stop);
        return false;
    }
    if (f.fileName.empty()) {
        prompt.tell(txt::store::kNoSaveFile, PromptIcon::Stop);
        return false;
    }
    const std::filesystem::path path = pathInFolder(f.folder, f.fileName);
    if (!confirmOutputPath(f.folder, path, txt::store::kCreateSaveFolder,
                           txt::store::kOverwriteSave, prompt))
        return false;
    if (f.customerIndex < 0 || f.customerIndex >= store.count()) {
        prompt.tell(txt::store::kNoSaveCustomer, PromptIcon::Stop);
        return false;
    }
    // A failed export has told its failure; success is not claimed after it.
    if (!exportCustomer(store, path, f.customerIndex, prompt, policy, wrap))
        return false;
    // The file written is named after the text, so the user can find it.
    prompt.tell(sjis::Text(txt::store::kSaved.str() + "\n" + displayPath(path)), PromptIcon::None);
    return true;
}
