#include "views/layout/FontSpec.h"
#include "views/layout/DeviceContext.h"

FontSpec FontSpec::make(const DeviceContext& dc, const std::string& faceName, int tenthsOfPoint,
                        bool bold, bool italic, bool underline, bool strikeOut) {
    FontSpec spec;
    spec.faceName = faceName;
    spec.height = -dc.pointSizeToLogicalHeight(tenthsOfPoint);
    spec.weight = bold ? 700 : 400;
    spec.italic = italic;
    spec.underline = underline;
    spec.strikeOut = strikeOut;
    return spec;
}
