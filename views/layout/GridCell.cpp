#include "views/layout/GridCell.h"

GridCell::GridCell() = default;

std::unique_ptr<LayoutElement> GridCell::clone() const {
    return std::unique_ptr<LayoutElement>(new GridCell(*this));
}

LayoutElement* GridCell::setContentFrom(const LayoutElement& templ) {
    setContent(nullptr);
    std::unique_ptr<LayoutElement> copy = templ.clone();
    copy->setName(name() + "-" + (templ.name().empty() ? std::string("child") : templ.name()));
    LayoutElement* raw = copy.get();
    setContent(std::move(copy));
    return raw;
}
