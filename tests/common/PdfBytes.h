#pragma once
// The bytes of a PDF with what differs between two writings of the same pages blanked: the
// creation date and the document id Qt's PDF writer stamps on every file. The stamps keep
// their length, so the cross-reference offsets still compare.
#include <regex>
#include <string>

inline std::string withoutPdfStamps(std::string pdf) {
    static const std::regex stamps(
        R"((/CreationDate \(D:[^)]*\))|(/ID \[<[0-9A-Fa-f]*> ?<[0-9A-Fa-f]*>\])|)"
        R"((<xmp:(Create|Modify|Metadata)Date>[^<]*<)|(uuid:[0-9A-Fa-f-]*))");
    std::string out;
    std::size_t last = 0;
    for (auto it = std::sregex_iterator(pdf.begin(), pdf.end(), stamps);
         it != std::sregex_iterator(); ++it) {
        out.append(pdf, last, static_cast<std::size_t>(it->position()) - last);
        out.append(static_cast<std::size_t>(it->length()), '#');
        last = static_cast<std::size_t>(it->position() + it->length());
    }
    out.append(pdf, last, std::string::npos);
    return out;
}
