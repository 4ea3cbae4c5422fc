#pragma once
#include "views/layout/LayoutElement.h"

// One cell of a grid; holds one content element.
class GridCell : public LayoutElement {
public:
    GridCell();
    std::unique_ptr<LayoutElement> clone() const override;
    // Replaces the content by a clone of the template, named "<cell>-<template or child>".
    LayoutElement* setContentFrom(const LayoutElement& templ);

protected:
    GridCell(const GridCell&) = default;
};
