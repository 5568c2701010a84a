#pragma once

namespace zentrix {

// The publisher's pages behind the about dialog's links and the link actions.
struct TPublisherLink {
    const char* caption;
    const char* address;
};

inline constexpr TPublisherLink kSiteLink{"Официальный сайт проекта",
                                          "https://zentrix.example.org/"};
inline constexpr TPublisherLink kDownloadsLink{"Страница загрузок",
                                               "https://zentrix.example.org/download/"};
inline constexpr TPublisherLink kMailLink{"Вопросы и пожелания",
                                          "mailto:support@zentrix.example.org"};
inline constexpr TPublisherLink kBlogLink{"Наш блог", "https://zentrix.example.org/blog/"};
inline constexpr TPublisherLink kSocialLink{"Наши страницы в соцсетях",
                                            "https://zentrix.example.org/social/"};

// The link actions of the help menu, in their order.
inline constexpr TPublisherLink kLinkActions[] = {
    {"Официальный сайт проекта", "https://zentrix.example.org/"},
    {"Страница автора", "https://zentrix.example.org/author/"},
    {"Статьи для начинающих", "https://zentrix.example.org/articles/"},
    {"Канал в Telegram", "https://zentrix.example.org/telegram/"},
    {"Наш блог", "https://zentrix.example.org/blog/"},
    {"Наш видеоблог", "https://zentrix.example.org/video/"},
    {"Страница в соцсети \"В контакте\"", "https://zentrix.example.org/vk/"},
    {"Страница в соцсети \"Одноклассники\"", "https://zentrix.example.org/ok/"},
};

}  // namespace zentrix
