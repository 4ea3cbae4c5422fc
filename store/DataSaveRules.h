#pragma once
#include "store/DAT_DataFile.h"
#include "store/DAT_Store.h"
#include "support/RetryOpen.h"
#include <filesystem>

class Prompt;

// The fields of the export dialog (需要家データの切出し), as typed or chosen: paths.
struct DataSaveFields {
    std::filesystem::path folder;   // 保存先
    std::filesystem::path fileName; // 保存ファイル名
    int customerIndex = -1;         // chosen customer; -1 = none
};

// The OK button, in order: both texts trimmed (in place) and required; a missing folder created
// only after Yes; an existing file replaced only after Yes; a customer required; then the
// export and "正常に保存しました。" with the path written. True after that message: the caller
// keeps folder and file name as "SaveDir"/"SaveFile". False = the dialog stays open (every failure
// has been told, nothing was written).
bool acceptDataSave(DataSaveFields& fields, const MeasurementStore& store, Prompt& prompt,
                    const RetryPolicy& policy = {}, const datafile::SinkWrapper& wrap = {});
