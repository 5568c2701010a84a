#pragma once

#include <vector>

#include "app/session_core.h"

namespace zentrix::test {

// A view that records each recompute request and its force flag.
struct TCountingView : TView {
    std::vector<bool> calls;
    void Recompute(bool force) override { calls.push_back(force); }
};

}  // namespace zentrix::test
