#pragma once

// The table model moved below the exchange layer, which exports it; kept for existing includes.
#include "core/text_table.h"
