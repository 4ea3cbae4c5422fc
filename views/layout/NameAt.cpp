#include "views/layout/NameAt.h"
#include "views/layout/GridElement.h"
#include "views/layout/TextBox.h"

namespace {

bool contains(const Rect& r, Point p) {
    const Rect n = r.normalised();
    return p.x >= n.left && p.x < n.right && p.y >= n.top && p.y < n.bottom;
}

} // namespace

std::string fittedNameAt(const LayoutElement& e, Point logical) {
    if (!contains(e.rect(), logical))
        return {};
    if (const auto* box = dynamic_cast<const TextBox*>(&e); box && box->nameFit())
        return box->fittedName().elided ? box->text() : std::string();
    if (const auto* grid = dynamic_cast<const GridElement*>(&e))
        for (int c = 0; c < grid->columnCount(); ++c)
            for (int r = 0; r < grid->rowCount(); ++r)
                if (std::string name = fittedNameAt(grid->cell(c, r), logical); !name.empty())
                    return name;
    return e.content() ? fittedNameAt(*e.content(), logical) : std::string();
}
