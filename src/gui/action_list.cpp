#include "gui/action_list.h"

#include <QMenu>
#include <QTimer>

#include <exception>

namespace zentrix::gui {

TActionList::TActionList(QObject* parent, std::function<bool()> notBusy,
                         std::function<void(const std::exception&)> onError)
    : QObject(parent), notBusy_(std::move(notBusy)), onError_(std::move(onError)) {}

QAction* TActionList::Add(const QString& caption, const QString& hint, const QKeySequence& shortcut,
                          TCondition condition, TExecute execute) {
    auto* action = new QAction(caption, parent());
    action->setStatusTip(hint);
    action->setToolTip(hint.isEmpty() ? caption : hint);
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, action, execute] {
        // A shortcut may arrive between updates: check again.
        auto it = std::find_if(entries_.begin(), entries_.end(),
                               [action](const TEntry& e) { return e.action == action; });
        if (it == entries_.end()) return;
        if ((!notBusy_() && !it->whileBusy) || (it->condition && !it->condition())) return;
        Run(execute);
    });
    entries_.push_back({action, std::move(condition), {}});
    return action;
}

QAction* TActionList::AddCheck(const QString& caption, const QString& hint, TCondition condition,
                               std::function<bool()> checked, TExecute execute) {
    QAction* action = Add(caption, hint, {}, std::move(condition), std::move(execute));
    action->setCheckable(true);
    entries_.back().checked = std::move(checked);
    return action;
}

void TActionList::AllowWhileBusy(QAction* action) {
    for (TEntry& e : entries_)
        if (e.action == action) e.whileBusy = true;
}

void TActionList::RequestUpdate() {
    if (updatePending_) return;
    updatePending_ = true;
    QTimer::singleShot(0, this, [this] { UpdateNow(); });
}

void TActionList::UpdateNow() {
    updatePending_ = false;
    const bool free = notBusy_();
    std::exception_ptr failure;
    for (TEntry& e : entries_) {
        bool enabled = false;
        try {
            enabled = (free || e.whileBusy) && (!e.condition || e.condition());
            if (e.checked) e.action->setChecked(e.checked());
            e.failed = false;
        } catch (const std::exception&) {
            // Shown once until the action's state reads again, so a lasting fault does not
            // raise a box on every update.
            if (!e.failed && !failure) failure = std::current_exception();
            e.failed = true;
        }
        e.action->setEnabled(enabled);
    }
    // Shown after the pass: the box's own event loop may run another update.
    if (failure) {
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& error) {
            onError_(error);
        }
    }
}

void TActionList::AddToMenu(QWidget* menu, const QList<QAction*>& actions) {
    auto* m = qobject_cast<QMenu*>(menu);
    for (QAction* a : actions) {
        if (a)
            menu->addAction(a);
        else if (m)
            m->addSeparator();
    }
}

QPushButton* TActionList::Button(QAction* action, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setToolTip(action->toolTip());
    button->setStatusTip(action->statusTip());
    button->setEnabled(action->isEnabled());
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::changed, button,
                     [button, action] { button->setEnabled(action->isEnabled()); });
    return button;
}

void TActionList::AttachContextMenu(QAbstractScrollArea* view, const QList<QAction*>& actions) {
    AttachContextMenu(view, [actions] { return actions; });
}

void TActionList::AttachContextMenu(QAbstractScrollArea* view,
                                    std::function<QList<QAction*>()> actions) {
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view, actions = std::move(actions)](QPoint pos) {
                UpdateNow();
                QMenu menu(view);
                AddToMenu(&menu, actions());
                menu.exec(view->viewport()->mapToGlobal(pos));
            });
}

void TActionList::Run(const TExecute& execute) {
    try {
        execute();
    } catch (const std::exception& error) {
        onError_(error);
    }
    RequestUpdate();
}

}  // namespace zentrix::gui
