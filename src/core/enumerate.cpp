#include "core/enumerate.h"

namespace zentrix {

const TCombsArray& AllCombs() {
    static const TCombsArray all = [] {
        TCombsArray list;
        list.reserve(kCombCount);
        EnumerateCombs([](const TComb&) { return true; }, list);
        return list;
    }();
    return all;
}

}  // namespace zentrix
