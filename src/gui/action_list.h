#pragma once

#include <QAbstractScrollArea>
#include <QAction>
#include <QKeySequence>
#include <QObject>
#include <QPushButton>

#include <functional>
#include <vector>

namespace zentrix::gui {

// The window's actions: each enabled only while the program is not busy and its own condition
// holds; its execution runs at the level of a user action, so a failure is shown and the data
// stays as it was. A condition that fails disables its action and is shown the same way.
class TActionList : public QObject {
    Q_OBJECT
  public:
    using TCondition = std::function<bool()>;
    using TExecute = std::function<void()>;

    TActionList(QObject* parent, std::function<bool()> notBusy,
                std::function<void(const std::exception&)> onError);

    QAction* Add(const QString& caption, const QString& hint, const QKeySequence& shortcut,
                 TCondition condition, TExecute execute);
    // A checkable action; `checked` tells its state when the actions are updated.
    QAction* AddCheck(const QString& caption, const QString& hint, TCondition condition,
                      std::function<bool()> checked, TExecute execute);
    // Lets the action run while the program is busy (a long run's stop command).
    void AllowWhileBusy(QAction* action);
    // Coalesces update requests into one pass when control returns to the event loop.
    void RequestUpdate();
    void UpdateNow();
    // Runs a piece of work the way an action does (errors shown, actions updated after).
    void Run(const TExecute& execute);
    // The actions in a menu, a null entry giving a separator.
    static void AddToMenu(QWidget* menu, const QList<QAction*>& actions);
    // A button that mirrors an action but has its own caption (a tool row's short names).
    static QPushButton* Button(QAction* action, const QString& caption, QWidget* parent);
    // Gives a list view a context menu of the actions, their availability fresh when it opens.
    void AttachContextMenu(QAbstractScrollArea* view, const QList<QAction*>& actions);
    // The same for a menu whose entries are known only when it opens.
    void AttachContextMenu(QAbstractScrollArea* view, std::function<QList<QAction*>()> actions);

  private:
    struct TEntry {
        QAction* action;
        TCondition condition;
        std::function<bool()> checked;
        bool failed = false;  // its state could not be read at the last update
        bool whileBusy = false;
    };
    std::vector<TEntry> entries_;
    std::function<bool()> notBusy_;
    std::function<void(const std::exception&)> onError_;
    bool updatePending_ = false;
};

}  // namespace zentrix::gui
