#include "server/seed_examples.h"

#include "scenario/scenario_line.h"

namespace zentrix::server {

namespace {

struct TExample {
    const char* title;
    const char* descr;
    std::vector<std::string> lines;
};

std::string Text(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

// The nine combinations of 8 out of 9 positions.
std::string FullNineSystem() {
    std::string text;
    for (int skip = 1; skip <= 9; ++skip) {
        std::string line;
        for (int p = 1; p <= 9; ++p)
            if (p != skip)
                line +=
                    (line.empty() ? "" : " ") + std::string(p < 10 ? "0" : "") + std::to_string(p);
        text += line + "\r\n";
    }
    return text;
}

}  // namespace

void SeedExamples(TCatalogStore& store) {
    TCaller author;
    author.name = "Zentrix";
    author.mail = "examples@zentrix.invalid";
    author.appId = "Zentrix_8x20";
    author.appVersion = "1";
    author.lcid = 1049;
    const TExample examples[] = {
        {"Пример: случайная ставка",
         "Одна случайная ставка из полного списка.",
         {BuildLine("FULL:0#RAND", {}, "Случайная")}},
        {"Пример: горячие числа",
         "Оставляет комбинации с числами, выпадавшими чаще.",
         {BuildLine("FULL:0#RAND", {"TSD1#NUMS:10#LNO:#SF:1"}, "Горячие")}},
        {"Пример: суммы и чётность",
         "Две строки: фильтр по суммам, затем по чётным.",
         {BuildLine("FULL:0#RAND", {"TSD1#SUMS:10#LMV:3#SF:1"}, "Суммы"),
          BuildLine("FULL:0#RAND", {"TSF1#EVEN:15#LNO:#ST:2"}, "Чётные")}},
    };
    for (const auto& e : examples) {
        if (!store.IsTitleFree(-1, e.title)) continue;
        TScriptPut put;
        put.title = e.title;
        put.descr = e.descr;
        put.script = Text(e.lines);
        store.PutScript(put, author);
    }
    TSystemPut system;
    system.title = "Полная система на 9 чисел";
    system.descr = "Все 9 комбинаций из 8 чисел по 9 позициям.";
    system.nums = 9;
    system.olap = 7;
    system.csize = 9;
    system.clist = FullNineSystem();
    for (const auto& s : store.ListSystems())
        if (s.title == system.title) return;
    store.PutSystem(system, author);
}

}  // namespace zentrix::server
