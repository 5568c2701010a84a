#include "stats/help_pages.h"

#include <algorithm>

#include "stats/stat_list.h"
#include "util/format.h"
#include "util/help_files.h"
#include "util/strings.h"

namespace zentrix {

namespace {

std::string HtmlEscape(const std::string& text) {
    std::string out;
    for (char ch : text) {
        if (ch == '&')
            out += "&amp;";
        else if (ch == '<')
            out += "&lt;";
        else if (ch == '>')
            out += "&gt;";
        else if (ch == '"')
            out += "&quot;";
        else
            out += ch;
    }
    return out;
}

std::string PageOf(const TStatMethod& m) {
    return MethodHelpPageName(Format(m.Class->HelpCode(), {m.Index}));
}

}  // namespace

std::string MethodHelpTopic(const TStatClass& method, int index) {
    if (HelpFolder().empty()) return {};
    return HelpPagePath(MethodHelpPageName(Format(method.HelpCode(), {index})));
}

std::string TStatClass::HelpTopic(int index) const {
    return MethodHelpTopic(*this, index);
}

std::vector<THelpMethodPage> MethodHelpPages(const TStatList& registry) {
    std::vector<THelpMethodPage> pages;
    for (int i = 0; i < registry.MethodCount(); ++i) {
        const TStatMethod& m = registry.MethodAt(i);
        const std::string page = PageOf(m);
        const std::string code = m.Class->CodeOf(m.Index);
        auto it = std::find_if(pages.begin(), pages.end(),
                               [&](const THelpMethodPage& p) { return p.page == page; });
        if (it != pages.end()) {
            it->codes += ", " + code;
            continue;
        }
        pages.push_back({page, code, m.Class->NameOf(m.Index), m.Class->MethodGroup()});
    }
    return pages;
}

std::string MethodIndexHtml(const TStatList& registry) {
    const std::vector<THelpMethodPage> pages = MethodHelpPages(registry);
    std::string html = std::string(kMethodIndexBegin) + "\n";
    for (int g = 0; g < kGroupCount; ++g) {
        const auto group = static_cast<TStatGroup>(g);
        std::string items;
        for (const THelpMethodPage& p : pages)
            if (p.group == group)
                items += Format("<li><a href=\"%s\">%s</a> — %s</li>\n",
                                {p.page, HtmlEscape(p.codes), HtmlEscape(p.name)});
        if (items.empty()) continue;
        html += Format("<h3>{ %s } %s</h3>\n<ul>\n", {GroupCode(group), GroupName(group)});
        html += items + "</ul>\n";
    }
    return html + kMethodIndexEnd + "\n";
}

std::string FindMethodHelpPage(const TStatList& registry, const std::string& code) {
    const int entry = registry.FindCode(code);
    if (entry >= 0) return PageOf(registry.MethodAt(entry));
    for (int i = 0; i < registry.MethodCount(); ++i) {
        const TStatMethod& m = registry.MethodAt(i);
        if (SameText(Format(m.Class->HelpCode(), {m.Index}), code)) return PageOf(m);
    }
    return {};
}

const std::array<const char*, kStatColumnCount>& StatColumnHints() {
    static const std::array<const char*, kStatColumnCount> hints = {
        "Значение метода, как его показывает метод (число, пара, маска...)",
        "Сколько раз значение встретилось в тиражах окна",
        "Доля значения среди всех значений окна, в процентах",
        "Сколько раз значение должно было встретиться по полному набору комбинаций",
        "Количество минус норма: плюс — значение выпадало чаще ожидаемого",
        "Отклонение в процентах от нормы",
        "Сколько тиражей назад значение выпало последний раз (1 — опорный тираж)",
        "Глубина в процентах от наибольшей глубины таблицы",
        "Вес: сумма количества, отклонения и глубины с коэффициентами из параметров",
        "Номер последнего тиража окна, в котором было значение",
        "Наименьшее расстояние (в тиражах) между двумя выпадениями подряд",
        "Средний период: число тиражей окна, деленное на количество",
        "Наибольшее расстояние (в тиражах) между двумя выпадениями подряд",
        "Прогноз по периоду: последний тираж плюс средний период",
        "Прогноз по статистике: (количество + 1) × последний тираж / количество",
        "Прогноз с поправкой: (количество + 2) × (последний тираж + 1) / (количество + 1)",
        "Номер тиража, в котором значение выпало после опорного (при сдвиге назад)",
        "Прогноз ПРД минус факт: плюс — значение пришло раньше прогноза",
        "Прогноз СТФ минус факт: плюс — значение пришло раньше прогноза",
        "Прогноз КРН минус факт: плюс — значение пришло раньше прогноза",
    };
    return hints;
}

}  // namespace zentrix
