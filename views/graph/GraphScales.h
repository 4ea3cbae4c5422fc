#pragma once

// Tops of the power, voltage and current axes of the graph (box 0, 1, 2 of the selector bar).
struct GraphScales {
    double power = 100.0;
    double voltage = 100.0;
    double current = 100.0;

    // Stores the value of scale box 0, 1 or 2; any other box stores nothing (false).
    bool set(int box, double value) {
        double* target = box == 0 ? &power : box == 1 ? &voltage : box == 2 ? &current : nullptr;
        if (!target)
            return false;
        *target = value;
        return true;
    }
};
