#pragma once

// The plain table lives in core so every view layer (stakes, views, exchange) shares it.
#include "core/text_table.h"
