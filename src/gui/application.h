#pragma once

#include <QApplication>

namespace zentrix::gui {

// The application object. An exception that escapes an event handler (a paint, a slot) would end
// the program without a word: it is reported and the event loop goes on, the data untouched.
class TApplication : public QApplication {
    Q_OBJECT
  public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace zentrix::gui
