#include "link/ReceptionSetup.h"
#include "link/ReceptionTexts.h"
#include "support/FilePath.h"
#include "support/PrivateProfile.h"

ReceptionRequest makeReceptionRequest(const SerialSettings& port, const ReceptionSite& site) {
    ReceptionRequest request;
    request.port = port;
    request.programLog = site.programLog;
    request.captureFolder = joinPath(site.programFolder, rxtext::kCaptureFolderName);
    if (site.iniFile.empty())
        return request;
    request.deviceLookup = PortDevicesFromIni(site.iniFile);
    request.debugSerial =
        profile::readInt(site.iniFile, rxtext::kDebugSection, rxtext::kDebugCommKey, 0) == 1;
    if (profile::readInt(site.iniFile, rxtext::kDebugSection, rxtext::kCommLogKey, 0) == 1)
        request.tracePrefix = joinPath(site.programFolder, rxtext::kTracePrefixName);
    return request;
}
