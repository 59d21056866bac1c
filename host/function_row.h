// What a filter tells the entry about its script function.
#pragma once

#include "host/plugin_interface.h"

struct FunctionRow {
  const char* name;
  const char* params;  // in the host's notation, e.g. "c[frames]i"
  ApplyFunc factory;
};
