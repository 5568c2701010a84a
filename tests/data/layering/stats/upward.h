#pragma once

#include "core/game.h"
#include "app/session.h"
