#pragma once
// Customer export (切出し) and import (取り込み): one Customer record per file, in the archive
// encoding of the data file. Every failure is caught here and told through the prompt.
#include "store/DAT_DataFile.h"
#include "store/DAT_Store.h"
#include "support/RetryOpen.h"
#include <filesystem>
#include <string>

class Prompt;

// Writes the customer at customerIndex to path. The bytes go to a temporary file in the
// same folder that replaces the target only when complete, so a failure (full disk) never
// destroys an earlier file of that name. An existing target is held exclusively meanwhile, with
// the retry rule against another opener; a missing folder fails at once. Returns false after
// telling the failure. `wrap` puts a sink between the archive and the file (tests).
bool exportCustomer(const MeasurementStore& store, const std::filesystem::path& path,
                    int customerIndex, Prompt& prompt, const RetryPolicy& policy = {},
                    const datafile::SinkWrapper& wrap = {});

// Reads one customer from path, asks whether to take it, gives it a name not yet in the store
// ("%s_%d" with 1, 2, … after the name as read, told to the user) and adds it. Returns its
// index, or -1 when the file does not exist, the user says No, or reading failed (told). The
// store is unchanged unless the customer is added.
int importCustomer(MeasurementStore& store, const std::filesystem::path& path, Prompt& prompt,
                   const RetryPolicy& policy = {});
// The same from bytes already read (a customer file piped in); `shown` (CP932) names them in
// the messages.
class ByteSource;
int importCustomer(MeasurementStore& store, ByteSource& source, const std::string& shown,
                   Prompt& prompt);

// The message after an import (CP932): the customer's name in the store and the file read, as
// messages show paths.
std::string importDoneMessage(const std::string& name, const std::filesystem::path& path);

// The name an imported customer gets: `name`, or "name_1", "name_2" … (always suffixed to the
// name as read) until no customer of that name exists, ignoring ASCII case.
std::string uniqueCustomerName(const MeasurementStore& store, const std::string& name);

// The file name the export offers for a customer: its name + ".VLK", never holding a path
// separator, shortened by fitFileName when the name is too long for a file name.
std::string exportFileNamePreset(const std::string& customerName);
