#include "gui/char_filter_delegate.h"

#include <QLineEdit>
#include <QValidator>

namespace zentrix::gui {

namespace {

class TCharValidator : public QValidator {
  public:
    TCharValidator(QObject* parent, std::function<bool(char32_t)> allowed)
        : QValidator(parent), allowed_(std::move(allowed)) {}
    State validate(QString& input, int&) const override {
        for (char32_t c : input.toUcs4())
            if (!allowed_(c)) return Invalid;
        return Acceptable;
    }

  private:
    std::function<bool(char32_t)> allowed_;
};

}  // namespace

void RestrictChars(QLineEdit* edit, std::function<bool(char32_t)> allowed) {
    edit->setValidator(new TCharValidator(edit, std::move(allowed)));
}

TCharFilterDelegate::TCharFilterDelegate(QObject* parent, std::function<bool(char32_t)> allowed)
    : QStyledItemDelegate(parent), allowed_(std::move(allowed)) {}

QWidget* TCharFilterDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                           const QModelIndex&) const {
    auto* edit = new QLineEdit(parent);
    RestrictChars(edit, allowed_);
    return edit;
}

}  // namespace zentrix::gui
