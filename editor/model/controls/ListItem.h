#pragma once

#include "generator/MessageEntry.h"

namespace corvane {

// A list box item is the pair a message entry is: its text and its item data.
using ListItem = MessageEntry;

} // namespace corvane
