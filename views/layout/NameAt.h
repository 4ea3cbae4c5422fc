#pragma once
#include "views/layout/LayoutElement.h"
#include <string>

// The whole text of the name-fitted box (TextBox::nameFit) placed at a logical point of a
// placed page, for a tool tip; empty when no such box with a text lies there.
std::string fittedNameAt(const LayoutElement& page, Point logical);
