#pragma once

#include <array>
#include <string>
#include <vector>

#include "stats/stat_class.h"
#include "stats/stat_table.h"

namespace zentrix {

class TStatList;

// The page of a method class's entry with this index in the help folder found at start: the
// method's help topic; empty without a help folder.
std::string MethodHelpTopic(const TStatClass& method, int index);

// One method page of the help: the entries sharing a help code share it.
struct THelpMethodPage {
    std::string page;   // "Filters_1049_POSx.htm"
    std::string codes;  // the codes of its entries: "POS1, POS2, ..., POE1"
    std::string name;   // the first entry's name
    TStatGroup group = TStatGroup::Numbers;
};

// The registry's method pages, each once, in registry order.
std::vector<THelpMethodPage> MethodHelpPages(const TStatList& registry);

// The contents' list of the method pages by group, between the two marker comments, as index.htm
// holds it.
inline constexpr const char* kMethodIndexBegin = "<!-- method pages: begin -->";
inline constexpr const char* kMethodIndexEnd = "<!-- method pages: end -->";
std::string MethodIndexHtml(const TStatList& registry);

// The page name of a method given by its code (POS3) or its help code (POSx), ignoring case;
// empty when the registry has neither.
std::string FindMethodHelpPage(const TStatList& registry, const std::string& code);

// One-line hints of the statistics table's columns, in column order.
const std::array<const char*, kStatColumnCount>& StatColumnHints();

}  // namespace zentrix
