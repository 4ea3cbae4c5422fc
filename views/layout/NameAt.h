#pragma once
#include "views/layout/LayoutElement.h"
#include <string>

// The whole text of the name-fitted box (TextBox::nameFit) at a logical point of a placed
// page when the box had to cut it, for a tool tip; empty otherwise.
std::string fittedNameAt(const LayoutElement& page, Point logical);
