#include "link/ReceptionSetup.h"
#include "link/LinkTexts.h"
#include "support/FilePath.h"
#include "support/PrivateProfile.h"

ReceptionRequest makeReceptionRequest(const SerialSettings& port, const ReceptionSite& site) {
    ReceptionRequest request;
    request.port = port;
    request.programLog = site.programLog;
    request.captureFolder = pathInFolder(site.programFolder, txt::link::kCaptureFolderName.str());
    if (site.iniFile.empty())
        return request;
    request.deviceLookup = portDevicesFromIni(site.iniFile);
    request.debugSerial =
        profile::readInt(site.iniFile, txt::link::kDebugSection, txt::link::kDebugCommKey, 0) == 1;
    if (profile::readInt(site.iniFile, txt::link::kDebugSection, txt::link::kCommLogKey, 0) == 1)
        request.tracePrefix = pathInFolder(site.programFolder, txt::link::kTracePrefixName.str());
    return request;
}
