#pragma once
#include "store/DAT_DisplaySelection.h"
#include "store/DAT_Store.h"

// The positions the display-data selection opens with: the given customer, circuit and day when
// they all exist in the store, else customer 0, circuit 0, day 0. The other two stay -1.
SelectionTuple selectDataStart(const MeasurementStore& store, const SelectionTuple& given);

// The selection one step (-1 back, +1 on) from the shown one within its circuit and channel,
// without a dialog: the neighbouring stored day of a daily report; for a monthly report the
// nearest report month (start day monthStartDay) that holds a stored day, as its year, month
// and first day; for a year report the nearest year whose report months hold a stored day, as
// its year and first day. The current tuple itself when there is no such day (first or last one) or
// it is not usable.
SelectionTuple steppedSelection(const MeasurementStore& store, const SelectionTuple& current,
                                int step, int monthStartDay);
