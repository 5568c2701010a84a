#pragma once

// A core header reaching up into the statistics layer.
#include "stats/stat_list.h"
#include "util/errors.h"
