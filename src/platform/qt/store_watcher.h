#pragma once

#include "app/main_form.h"

#include <QtCore/QFileSystemWatcher>
#include <QtCore/QObject>
#include <QtCore/QTimer>

namespace hopwick {

// Tells the form when another process may have changed the store. Saves replace the file, so its folder is
// watched as well, and the file again whenever it reappears; a folder that does not exist yet is looked for
// every second. The form is told only between its handlers, never from inside one of their boxes.
class StoreWatcher final : public QObject {
public:
    StoreWatcher(MainForm& form, const std::string& storePath);

private:
    void watchWhatExists();
    void changed();
    void tellForm();

    MainForm& form_;
    QString file_;
    QString folder_;
    QFileSystemWatcher watcher_;
    QTimer settle_;  // one look after a burst of changes
    QTimer rewatch_; // paths that did not exist yet
};

} // namespace hopwick
